#include "jigsaw/play/windows/WPuz.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "framework/Display.h"
#include "framework/VirtualKey.h"
#include "framework/qt/Text.h"
#include "framework/qt/WBkg.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/GameSounds.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/windows/Loupe.h"
#include "jigsaw/play/windows/MultiSPuzs.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/Sparkle.h"
#include "jigsaw/play/windows/SurfaceRender.h"
#include "jigsaw/play/windows/SurfaceMouse.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/WMuestra.h"

namespace qv {

namespace {

constexpr int ScoreTimer = 0;
constexpr int CelebrationTimer = 1;
constexpr int CelebrationTickMs = 120;
constexpr int FrameWidth = 2;  // of the finished picture's border

Point16 p16(QPoint p) { return {static_cast<int16_t>(p.x()), static_cast<int16_t>(p.y())}; }


// Planes x bits a pixel as the background understands them.
int displayDepth(const PlayContext& context)
{
    const fw::Display d = context.display ? *context.display : fw::Display();
    return d.isPalette16() ? 4 : d.isPalette256() ? 8 : 32;
}

}  // namespace

WPuz::WPuz(PlayContext& context)
    : WSPuz(context, SPuz::OnTable, nullptr),
      m_ownClock(context.animationClock ? nullptr : std::make_unique<TimerAnimationClock>()),
      m_sparkleColours(context.sparkleColours ? *context.sparkleColours : m_ownColours),
      m_sparklePlaces(context.sparklePlaces ? *context.sparklePlaces : m_ownPlaces),
      m_session(
          context.puz, context.score, *this, [this](PlayReport&& r) { present(std::move(r)); },
          [&options = context.options] { return options.word; }),
      m_rules(m_session.rules()), m_player(context.animationClock ? *context.animationClock : *m_ownClock),
      m_mouse(std::make_unique<SurfaceMouse>(*this)), m_table(displayDepth(context))
{
    if (!context.sparkleColours)
        m_ownColours.seed(0);
    setWindowTitle(QString::fromLatin1(ProgramName));
    setAcceptFiles(true);
    startWindowTimer(ScoreTimer, 1000);
    // Every menu of the program, the F10 menu and the boxes' ones included,
    // hides the loupe while it is open.
    setMenuModeListener([self = QPointer<WPuz>(this)](bool open) {
        if (!self)
            return;
        if (open)
            self->HideLoupeFor(loupe::Menu, false);
        else
            self->ShowLoupeAfter(loupe::Menu, false);
    });
    // The system's window frames (where the platform reports the pointer on
    // them) hide it too, until the pointer is back over a window.
    qApp->installEventFilter(this);
    if (QScreen* s = QGuiApplication::primaryScreen(); s && s->geometry().width() > 0 && s->physicalSize().width() > 0)
        m_mmPerPixel = s->physicalSize().width() / s->geometry().width();
}

WPuz::~WPuz()
{
    m_player.finishAll();
    qApp->removeEventFilter(this);
    m_mouse.reset();
    m_loupe.reset();
    m_preview.reset();
    m_boxes.clear();
}

void WPuz::showOnScreen()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    showFullScreen();
    // The keyboard starts at the table, not at the first box.
    setFocus(Qt::OtherFocusReason);
}

// --- the open puzzle

void WPuz::puzzleOpened()
{
    Puz& puz = context().puz;
    m_player.finishAll();
    m_session.reset();
    m_celebration = 0;
    stopWindowTimer(CelebrationTimer);
    m_mouse->removeBand();
    // A game kept at a zoom comes back at it about the same middle.
    if (puz.viewZoom != 1000) {
        const double z = std::clamp(puz.viewZoom / 1000.0, 0.1, MaxZoom);
        const QPoint centre(puz.viewCentre.x, puz.viewCentre.y);
        const Point16 keptOrigin = puz.viewOrigin;
        setView(z, QPointF(centre) - QPointF(width() / 2.0, height() / 2.0) / z);
        puz.viewOrigin = keptOrigin;
    } else {
        setView(1.0, QPointF(puz.viewOrigin.x, puz.viewOrigin.y));
    }
    createBoxes();
    const uint32_t game = puz.gameOptions.value_or(0);
    m_boxesHidden = false;
    setBoxesHidden(game & fw::gameopt::HideBoxes);
    m_preview.reset();
    if (!(game & fw::gameopt::HidePreview) && !(puz.options & Puz::NoPreview) && puz.pieceCount() > 0)
        SetPreviewHidden(false);
    // A new game starts with the keyboard at the table (the box that had
    // it may be gone).
    setFocus(Qt::OtherFocusReason);
    update();
}

void WPuz::puzzleClosed()
{
    m_player.finishAll();
    m_mouse->removeBand();
    m_mouse->releaseHeld();
    CloseLoupe();
    m_preview.reset();
    m_boxes.clear();
    m_celebration = 0;
    stopWindowTimer(CelebrationTimer);
    update();
}

// --- sounds, loupe, preview, sparkles

void WPuz::PlaySound(int number) { context().sounds.play(number, context().options.word); }

void WPuz::HideLoupeFor(int reason, bool pauseClock) { present(m_session.hideLoupeFor(reason, pauseClock)); }

void WPuz::ShowLoupeAfter(int reason, bool resumeClock) { present(m_session.showLoupeAfter(reason, resumeClock)); }

QPoint WPuz::pointer() const { return m_mouse ? m_mouse->pointer() : QPoint(); }

void WPuz::showLoupeChange(const PlayReport& r)
{
    if (!m_loupe)
        return;
    if (r.loupe == PlayReport::Loupe::Hide && m_loupe->shown()) {
        if (r.loupeAreaRepaint)
            update(m_loupe->widget().geometry());
        m_loupe->setShown(false);
    } else if (r.loupe == PlayReport::Loupe::Show && !m_session.loupeHidden() && !m_loupe->shown()) {
        m_loupe->moveTo(pointer());
        m_loupe->setShown(true);
    }
}

void WPuz::present(PlayReport&& r)
{
    for (const PlayReport::Repaint& a : r.repaint)
        invalidate(a.container, a.area);
    for (uint8_t c : r.repaintWhole)
        if (WSPuz* s = surfaceOf(c))
            s->update();
    for (int n : r.sounds)
        PlaySound(n);
    for (const TurnAnimation& t : r.turns)
        if (!showTurn(t))
            m_rules.TurnShown();
    for (const HintAnimation& h : r.hints)
        showHint(h);
    if (r.marker)
        flyMarker(*r.marker);
    showLoupeChange(r);
    if (r.boxesChanged)
        syncBoxWindows();
    m_session.recycle(std::move(r));
}

void WPuz::setPointerOnFrame(bool on)
{
    if (on == m_pointerOnFrame)
        return;
    m_pointerOnFrame = on;
    if (on)
        HideLoupeFor(loupe::Frame, false);
    else
        ShowLoupeAfter(loupe::Frame, false);
}

bool WPuz::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::NonClientAreaMouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick: setPointerOnFrame(true); break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (auto* w = qobject_cast<QWidget*>(watched); w && w != this && partOfPlay(w))
            companionActivation(event->type() == QEvent::WindowActivate);
        break;
    default: break;
    }
    return WSPuz::eventFilter(watched, event);
}

void WPuz::OpenLoupe()
{
    if (!m_loupe)
        m_loupe = std::make_unique<Loupe>(*this, context().options.loupeSize, context().options.loupeFactor);
    m_loupe->moveTo(pointer());
    m_loupe->setShown(!m_session.loupeHidden());
}

void WPuz::CloseLoupe()
{
    if (!m_loupe)
        return;
    context().options.loupeSize = m_loupe->size();
    context().options.loupeFactor = m_loupe->factor();
    m_loupe.reset();
}

bool WPuz::loupeKey(unsigned kind, unsigned key)
{
    if (!m_loupe)
        return false;
    if (kind == fw::KeyEvent::Down && (key == fw::vk::Escape || key == fw::vk::Shift)) {
        CloseLoupe();
        return true;
    }
    const bool used = m_loupe->key(kind, key);
    if (used) {
        context().options.loupeSize = m_loupe->size();
        context().options.loupeFactor = m_loupe->factor();
    }
    return used;
}

bool WPuz::previewShown() const { return m_preview && m_preview->isVisible(); }

void WPuz::SetPreviewHidden(bool hidden)
{
    if (hidden) {
        m_preview.reset();
        return;
    }
    if (!m_preview)
        m_preview = fw::makeWindow<WMuestra>(*this);
    m_preview->refresh();
    m_preview->show();
    m_preview->raise();
}

bool WPuz::TogglePreview()
{
    Puz& puz = context().puz;
    if ((puz.options & Puz::NoPreview) || puz.pieceCount() == 0)
        return false;
    const bool show = !previewShown();
    SetPreviewHidden(!show);
    uint32_t game = puz.gameOptions.value_or(context().options.gameDefaults);
    game = show ? (game & ~fw::gameopt::HidePreview) : (game | fw::gameopt::HidePreview);
    puz.gameOptions = game;
    return true;
}

void WPuz::Sparkle(WSPuz& surface, int x, int y) { Sparkle::start(surface, x, y, m_sparkleColours); }

void WPuz::celebrate(int sparkles)
{
    // The frame of the finished picture is drawn whole now; left to the
    // sparkles' repaints it would show only in streaks where they fell.
    update(completionBorder());
    m_celebration = context().options.noSparkle ? 0 : sparkles;
    if (m_celebration > 0)
        startWindowTimer(CelebrationTimer, CelebrationTickMs);
}

void WPuz::celebrationTick()
{
    if (m_celebration <= 0) {
        stopWindowTimer(CelebrationTimer);
        return;
    }
    if (Sparkle::running())
        return;
    fw::Random& random = m_sparklePlaces;
    QRect area = completionBorder().adjusted(16, 16, -16, -16);
    if (area.width() < 1 || area.height() < 1)
        area = rect();
    const int x = area.left() + static_cast<int>(random.upTo(static_cast<uint32_t>(area.width() - 1)));
    const int y = area.top() + static_cast<int>(random.upTo(static_cast<uint32_t>(area.height() - 1)));
    Sparkle(*this, x, y);
    if (--m_celebration <= 0)
        stopWindowTimer(CelebrationTimer);
}

// --- marking, rotation commands, uncovering

void WPuz::markGroup(WSPuz& surface, int piece, bool mark)
{
    (void)surface;
    present(m_session.setMarked(piece, mark));
}

// Pieces and the dock as the play window sees them.
void WPuz::flyMarker(const MarkerMove& move)
{
    const Puz& puz = context().puz;
    auto r16 = [](QRect r) {
        return Rect16{static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()), static_cast<int16_t>(r.width()),
                      static_cast<int16_t>(r.height())};
    };
    auto place = [&](int p) {
        WSPuz* s = p >= 0 && p < puz.pieceCount() ? surfaceOf(puz.pieces[p].box) : nullptr;
        if (!s)
            return markerDock();
        const QRect r = Marker::onPiece(*s, puz, p);
        return QRect(s->mapTo(this, r.topLeft()), r.size());
    };
    MarkerFlight flight;
    flight.from = r16(place(move.from));
    flight.to = r16(place(move.to));
    flight.leaving = move.leaving;
    flight.landing = move.landing;
    const int piece = move.landing >= 0 ? move.landing : move.from;
    QPointer<WSPuz> shown(piece >= 0 && piece < puz.pieceCount() ? surfaceOf(puz.pieces[piece].box) : nullptr);
    const bool animate = !(context().options.word & fw::opt::NoAnimations);
    m_marker.fly(m_player, *this, flight, animate, [this, shown] {
        if (shown)
            shown->update();
        update(markerDock());
    });
}

void WPuz::unmarkLast() { present(m_session.unmarkLast()); }

void WPuz::uncoverAt(WSPuz& surface, QPoint at) { present(m_session.uncover(surface.container(), p16(at))); }

void WPuz::uncoverAtPointer()
{
    WSPuz* s = nullptr;
    if (pieceAtPointer(&s) >= 0 && s)
        uncoverAt(*s, s->toSurface(s->mapFrom(this, pointer())));
}

int WPuz::pieceAtPointer(WSPuz** surface) const
{
    WSPuz* s = surfaceAtGlobal(mapToGlobal(pointer()));
    if (!s)
        return -1;
    if (surface)
        *surface = s;
    const QPoint at = s->toSurface(s->mapFrom(const_cast<WPuz*>(this), pointer()));
    return m_rules.HitTest(s->container(), p16(at));
}

// --- areas

Rect16 WPuz::pictureArea() const
{
    const Rect16& pic = context().puz.pictureRect;
    return {static_cast<int16_t>((width() - pic.w) / 2), static_cast<int16_t>((height() - pic.h) / 2), pic.w, pic.h};
}

QRect WPuz::markerDock() const
{
    const QSize m = Marker::size() + QSize(8, 8);
    return QRect(QPoint(6, height() - m.height() - 6), m);
}

QRect WPuz::completionBorder() const
{
    const Rect16 r = containerBounds(context().puz, SPuz::OnTable);
    if (r.w <= 0)
        return {};
    return toWindow(r).adjusted(-2 * FrameWidth, -2 * FrameWidth, 2 * FrameWidth, 2 * FrameWidth);
}

// --- PlayWindows

WSPuz* WPuz::surfaceOf(uint8_t container) const
{
    if (container == SPuz::OnTable)
        return const_cast<WPuz*>(this);
    return box(container);
}

WSPuz* WPuz::surfaceAtGlobal(QPoint global) const
{
    const QPoint at = mapFromGlobal(global);
    // Later children lie on top.
    for (QObject* child : std::vector<QObject*>(children().rbegin(), children().rend())) {
        auto* b = dynamic_cast<WBox*>(child);
        if (b && b->isVisible() && !b->isClosed() && b->geometry().contains(at))
            return b;
    }
    return const_cast<WPuz*>(this);
}

void WPuz::invalidate(uint8_t container, const Rect16& area)
{
    if (WSPuz* s = surfaceOf(container))
        s->invalidateSurface(area);
}

void WPuz::scrollTable(int dx, int dy)
{
    setView(zoom(), exactOrigin() + QPointF(dx, dy));
    context().puz.viewOrigin = p16(origin());
}

bool WPuz::boxWindowOpen(uint8_t b) const
{
    const WBox* w = box(b);
    return w && !w->isClosed() && w->isVisible();
}

void WPuz::openBoxWindow(uint8_t b)
{
    if (WBox* w = box(b)) {
        w->setClosed(false);
        w->show();
        w->raise();
    }
}

bool WPuz::showsTurns() const { return isVisible(); }

bool WPuz::showTurn(const TurnAnimation& turn)
{
    if (turn.pieces.empty() || turn.before.empty() || !isVisible())
        return false;
    WSPuz* s = surfaceOf(turn.container);
    if (!s || !s->isVisible())
        return false;
    m_player.play(makeTurnShow(*s, context().puz, turn, [this] { m_rules.TurnShown(); }));
    return true;
}

void WPuz::finishTurn() { m_player.finish(AnimationPlayer::Frame::Turn); }

void WPuz::showHint(const HintAnimation& hint)
{
    WSPuz* s = surfaceOf(hint.container);
    if (!s) {
        ShowLoupeAfter(loupe::RuleRunning, false);
        return;
    }
    QPointer<WSPuz> surface(s);
    auto buttonsDown = [] { return bool(QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton)); };
    auto sparkle = [this, surface](QPoint at) {
        if (surface)
            Sparkle(*surface, at.x(), at.y());
    };
    m_player.play(makeHintShow(*s, hint, buttonsDown, sparkle, [this] { ShowLoupeAfter(loupe::RuleRunning, false); }));
}

// --- events

bool WPuz::OnTimer(const fw::TimerEvent& e)
{
    if (e.id() == ScoreTimer) {
        context().score.Refresh();
        return true;
    }
    if (e.id() == CelebrationTimer) {
        celebrationTick();
        return true;
    }
    return false;
}

bool WPuz::OnActivate(const fw::ActivateEvent& e)
{
    if (!e.active()) {
        playDeactivated();
        return true;
    }
    ShowLoupeAfter(loupe::Deactivated, false);
    context().score.ResumeAll();
    return true;
}

// Windows of their own that belong to the play (the score strip): they
// hand their keys to the document as the table does, and activating one
// is no leaving of the game.
bool WPuz::partOfPlay(const QWidget* w) const
{
    if (w == this)
        return true;
    const auto* window = dynamic_cast<const fw::Window*>(w);
    return window && window->isWindow() && window->parentWidget() == this && commandTarget() &&
           window->commandTarget() == commandTarget();
}

void WPuz::playDeactivated()
{
    // The window being activated is already known when the old one hears it
    // lost the activation.
    if (partOfPlay(QApplication::activeWindow()))
        return;
    HideLoupeFor(loupe::Deactivated, true);
}

void WPuz::companionActivation(bool active)
{
    if (!active) {
        playDeactivated();
        return;
    }
    // Back from another program straight onto the strip: the game goes on.
    if (loupeHiddenFor(loupe::Deactivated)) {
        ShowLoupeAfter(loupe::Deactivated, false);
        context().score.ResumeAll();
    }
}

bool WPuz::OnDropFiles(const fw::DropFilesEvent& e)
{
    if (e.files().empty())
        return false;
    context().shell.openDropped(e.files().front());
    return true;
}

bool WPuz::OnCloseRequest()
{
    // The exit animation closes the window when it is over.
    if (m_exitShowing) {
        m_closeAfterExit = true;
        return true;
    }
    return context().shell.keepOpenOnClose();
}

void WPuz::resizeEvent(QResizeEvent* e)
{
    WSPuz::resizeEvent(e);
    for (auto& b : m_boxes)
        b->place(b->openRect(), b->iconPos());
}

void WPuz::paintOverlay(QPainter& p, const QRect& area)
{
    const Puz& puz = context().puz;
    if (puz.pieceCount() == 0) {
        paintEmptyTable(p);
        return;
    }
    if (m_session.tableCovered()) {
        paintCover(p);
        return;
    }
    if (puz.state & Puz::Complete) {
        p.setPen(QPen(QColor(240, 220, 150), FrameWidth));
        p.drawRect(completionBorder().adjusted(1, 1, -1, -1));
    }
    Marker::paintOn(p, *this, puz, m_marker.flying());
    // A drag repaints small areas many times a second: the dock only when
    // it is among them.
    if (const QRect dock = markerDock(); area.intersects(dock))
        Marker::paintDock(p, dock);
    paintBandOn(p, *this);
}

void WPuz::paintBandOn(QPainter& p, WSPuz& surface)
{
    if (MultiSPuzs* band = m_mouse->band(); band && band->surface() == &surface)
        band->paint(p);
}

}  // namespace qv
