// The play window's side of input: the surfaces' mouse, the commands of the
// piece and rubber-band menus with their hints, and the exit animation.
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>

#include "framework/Events.h"
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

// The texts of the piece menu's sending entries and of the mouse's hints.
constexpr int kSendTitle = 4720;
constexpr int kSendBox = 4721;   // "Box %i"
constexpr int kSendTable = 4722;
constexpr int kLeftClick = 4724;
constexpr int kRightClick = 4725;
constexpr int kMiddleClick = 4726;
constexpr int kClick = 4727;

std::string withNumber(std::string text, int number)
{
    const size_t at = text.find("%i");
    return at == std::string::npos ? text + " " + std::to_string(number) : text.replace(at, 2, std::to_string(number));
}

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
    // Where Alt and a box's number would send it (the entry of where it lies is disabled).
    if (!puz.boxes.empty()) {
        fw::Menu send;
        for (size_t k = 0; k < puz.boxes.size(); ++k) {
            std::string entry = withNumber(shell.text(kSendBox), static_cast<int>(k + 1));
            if (!puz.boxes[k].name.empty())
                entry += ": " + puz.boxes[k].name;
            send.addText(cmd::SendToBox, entry, static_cast<uint32_t>(k));
        }
        send.separator();
        send.addText(cmd::SendToBox, shell.text(kSendTable), SPuz::OnTable);
        m.submenuText(shell.text(kSendTitle), std::move(send));
    }
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
    case cmd::SendToBox:
        // As Alt and the box's number would with the pointer where the menu was opened.
        sendGroupToBox(piece, static_cast<uint8_t>(e.argument()),
                       menuSurface->mapTo(this, menuSurface->toWindow(mouse.menuPoint())));
        return true;
    default: return false;
    }
}

bool WPuz::surfaceMenuHint(WSPuz& surface, fw::MenuHintEvent& e)
{
    (void)surface;
    const PlayShell& shell = context().shell;
    const auto with = [&](unsigned modifiers, int click) { return shell.modifiers(modifiers) + shell.text(click); };
    switch (e.command()) {
    case cmd::PieceTurnRight: e.hint = with(fw::mod::Ctrl, kLeftClick); return true;
    case cmd::PieceTurnLeft: e.hint = with(fw::mod::Ctrl, kRightClick); return true;
    case cmd::PieceUncover: e.hint = shell.text(kMiddleClick) + ", " + shell.keyHint(cmd::Uncover); return true;
    case cmd::PieceMark: e.hint = with(fw::mod::Alt, kLeftClick); return true;
    case cmd::PieceUnmark: e.hint = with(fw::mod::Alt, kRightClick); return true;
    case cmd::ShowNeighbour: e.hint = with(fw::mod::Ctrl | fw::mod::Alt, kClick); return true;
    // The band's own Ctrl+R (and Alt+R) spread it.
    case MultiSPuzs::Spread: e.hint = shell.keyHint(cmd::Tidy); return true;
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
