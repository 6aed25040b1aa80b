// The play window's side of input: the surfaces' mouse, the commands of the
// piece and rubber-band menus with their hints, and the exit animation.
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>

#include "jigsaw/play/CommandIds.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/MultiSPuzs.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/Sparkle.h"
#include "jigsaw/play/windows/SurfaceMouse.h"
#include "jigsaw/play/windows/WPuz.h"

namespace qv {

namespace {

Point16 p16(QPoint p) { return {static_cast<int16_t>(p.x()), static_cast<int16_t>(p.y())}; }

}  // namespace

void WPuz::postRotation(WSPuz& surface, int piece, int k, QPoint at)
{
    m_commandPiece = piece;
    m_commandPoint = at;
    m_commandFromClick = true;
    surface.postCommand(k == 1 ? cmd::PieceTurnRight : cmd::PieceTurnLeft);
}

bool WPuz::rotateByCommand(int piece, int k, const QPoint* surfacePoint)
{
    const Point16 pivot = surfacePoint ? p16(*surfacePoint) : Point16{};
    PlayReport r = m_session.turnByCommand(piece, k, surfacePoint ? &pivot : nullptr);
    const bool joined = r.joined;
    present(std::move(r));
    return joined;
}

bool WPuz::surfaceMouse(WSPuz& surface, const fw::MouseEvent& event)
{
    // The program is closing: what the pointer does no longer counts.
    if (m_exitShowing)
        return true;
    return m_mouse->handle(surface, event);
}

fw::Menu WPuz::pieceMenu(int piece) const
{
    const Puz& puz = context().puz;
    const PlayShell& shell = context().shell;
    const bool marked = puz.pieces[piece].flags & PlayRules::Marked;
    fw::Menu m;
    if (!(puz.options & Puz::NoRotable) && !marked) {
        m.addText(cmd::PieceTurnRight, shell.caption(cmd::PieceTurnRight));
        m.addText(cmd::PieceTurnLeft, shell.caption(cmd::PieceTurnLeft));
    }
    if (puz.pieces[piece].flags & PlayRules::CoversGroup)
        m.addText(cmd::PieceUncover, shell.caption(cmd::PieceUncover));
    m.addText(marked ? cmd::PieceUnmark : cmd::PieceMark, shell.caption(marked ? cmd::PieceUnmark : cmd::PieceMark));
    const QPoint at = m_mouse->menuPoint();
    if (!(puz.options & Puz::NoHelp) && !(puz.state & Puz::Complete) &&
        const_cast<PlayRules&>(m_rules).ShowNeighbour(piece, p16(at), true))
        m.addText(cmd::ShowNeighbour, shell.caption(cmd::ShowNeighbour));
    m.separator();
    m.addText(cmd::Help, shell.caption(cmd::Help));
    return m;
}

bool WPuz::surfaceCommand(WSPuz& surface, const fw::CommandEvent& e)
{
    const uint32_t c = e.command();
    SurfaceMouse& mouse = *m_mouse;
    if (c == MultiSPuzs::Spread || c == MultiSPuzs::MarkInside || c == MultiSPuzs::UnmarkInside) {
        MultiSPuzs* band = mouse.band();
        if (!band)
            return true;
        const std::vector<int> inside = band->candidates();
        const Rect16 area = band->rect();
        const uint8_t container = surface.container();
        mouse.removeBand();
        if (c == MultiSPuzs::Spread)
            present(m_session.spread(container, area));
        else
            present(m_session.markAll(inside, c == MultiSPuzs::MarkInside));
        surface.update();
        return true;
    }
    if (c == cmd::PieceTurnLeft || c == cmd::PieceTurnRight) {
        // From a click (about the click point) or from the piece's menu.
        const bool fromClick = m_commandFromClick;
        const int piece = fromClick ? m_commandPiece : mouse.menuPiece();
        const QPoint at = fromClick ? m_commandPoint : mouse.menuPoint();
        m_commandFromClick = false;
        if (piece < 0)
            return true;
        const bool joined = rotateByCommand(piece, c == cmd::PieceTurnRight ? 1 : 3, fromClick ? &at : nullptr);
        if (fromClick)
            context().shell.autosave(joined);
        return true;
    }
    const int piece = mouse.menuPiece();
    WSPuz* menuSurface = mouse.menuSurface();
    if (piece < 0 || !menuSurface || piece >= context().puz.pieceCount())
        return false;
    switch (c) {
    case cmd::PieceUncover: uncoverAt(*menuSurface, mouse.menuPoint()); return true;
    case cmd::PieceMark: markGroup(*menuSurface, piece, true); return true;
    case cmd::PieceUnmark: markGroup(*menuSurface, piece, false); return true;
    case cmd::ShowNeighbour: m_rules.ShowNeighbour(piece, p16(mouse.menuPoint()), false); return true;
    default: return false;
    }
}

bool WPuz::surfaceMenuHint(WSPuz& surface, fw::MenuHintEvent& e)
{
    (void)surface;
    switch (e.command()) {
    case cmd::PieceTurnRight: e.hint = "Ctrl+Left click"; return true;
    case cmd::PieceTurnLeft: e.hint = "Ctrl+Right click"; return true;
    case cmd::PieceUncover: e.hint = "Mid click, Z or UpArrow"; return true;
    case cmd::PieceMark:
    case cmd::PieceUnmark: e.hint = e.command() == cmd::PieceMark ? "Alt+Left click" : "Alt+Right click"; return true;
    case cmd::ShowNeighbour: e.hint = "Ctrl+Alt+Click"; return true;
    case MultiSPuzs::Spread: e.hint = "Ctrl+R"; return true;
    default: return false;
    }
}

namespace {

// A frame shrinking from the window's edges to its middle, drawn over it.
class ShrinkingFrame : public QWidget {
public:
    explicit ShrinkingFrame(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        setGeometry(parent->rect());
        show();
        raise();
    }
    QRect box;
    QElapsedTimer clock;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(QColor(255, 255, 255), 2));
        p.drawRect(box);
    }
};

}  // namespace

void WPuz::MinimiseAnimated(int ms)
{
    if (m_minimising)
        return;
    auto* frame = new ShrinkingFrame(this);
    m_minimising = frame;
    frame->clock.start();
    auto* timer = new QTimer(frame);
    const QRect whole = rect();
    const QPoint centre = whole.center();
    // Driven by the event loop: the game goes on being drawn meanwhile.
    connect(timer, &QTimer::timeout, frame, [this, frame, timer, whole, centre, ms] {
        const double t = std::min(1.0, frame->clock.elapsed() / double(std::max(1, ms)));
        auto towards = [t](int from, int to) { return static_cast<int>(from + (to - from) * t); };
        frame->box = QRect(QPoint(towards(whole.left(), centre.x() - 4), towards(whole.top(), centre.y() - 4)),
                           QPoint(towards(whole.right(), centre.x() + 4), towards(whole.bottom(), centre.y() + 4)));
        frame->update();
        if (t < 1.0)
            return;
        timer->stop();
        frame->deleteLater();
        m_minimising = nullptr;
        showMinimized();
    });
    timer->start(15);
}

void WPuz::runExitAnimation()
{
    if ((context().options.word & fw::opt::NoAnimations) || !isVisible() || m_exitShowing)
        return;
    m_exitShowing = true;
    m_closeAfterExit = false;
    ExitAnimation exit;
    exit.centre = p16(rect().center());
    auto sparkle = [this](QPoint at) { Sparkle(*this, at.x(), at.y()); };
    m_player.play(makeExitShow(*this, exit, sparkle, [this] {
        m_exitShowing = false;
        if (m_closeAfterExit)
            QTimer::singleShot(0, this, [this] { close(); });
    }));
}

}  // namespace qv
