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

// The table's colour until the game chooses one: a dark green baize.
constexpr uint32_t kDefaultTable = 0x465D2F;

// Planes x bits a pixel as the background understands them.
int displayDepth()
{
    const fw::Display& d = fw::Display::current();
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
      m_mouse(std::make_unique<SurfaceMouse>(*this)), m_table(displayDepth())
{
    if (!context.sparkleColours)
        m_ownColours.seed(0);
    setWindowTitle(QString::fromLatin1(ProgramName));
    setAcceptFiles(true);
    startWindowTimer(ScoreTimer, 1000);
    // Every menu of the program, the F10 menu and the boxes' ones included,
    // hides the loupe while it is open.
    fw::Window::setMenuModeHook([this](bool open) {
        if (open)
            HideLoupeFor(loupe::Menu, false);
        else
            ShowLoupeAfter(loupe::Menu, false);
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
    fw::Window::setMenuModeHook(nullptr);
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
    setOrigin(QPoint(puz.viewOrigin.x, puz.viewOrigin.y));
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

void WPuz::postRotation(WSPuz& surface, int piece, int k, QPoint at)
{
    m_commandPiece = piece;
    m_commandPoint = at;
    m_commandFromClick = true;
    surface.postCommand(k == 1 ? 2001 : 2000);
}

bool WPuz::rotateByCommand(int piece, int k, const QPoint* surfacePoint)
{
    const Point16 pivot = surfacePoint ? p16(*surfacePoint) : Point16{};
    PlayReport r = m_session.turnByCommand(piece, k, surfacePoint ? &pivot : nullptr);
    const bool joined = r.joined;
    present(std::move(r));
    return joined;
}

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

// --- sending to boxes

bool WPuz::sendToBox(uint8_t box)
{
    Puz& puz = context().puz;
    if (box != SPuz::OnTable && box >= m_boxes.size())
        return false;
    int piece = m_session.heldPiece();
    if (piece != PlayRules::NoPiece) {
        m_mouse->releaseHeld();
        present(m_session.drop());
    } else {
        piece = pieceAtPointer();
        if (piece < 0 || (puz.pieces[piece].flags & PlayRules::Marked))
            return false;
    }
    if (puz.pieces[piece].box == box)
        return false;
    PieceList g = m_rules.group(piece);
    const Rect16 b = g.bounds(puz);
    const SPuz& s = puz.pieces[piece];
    const QPoint offset(s.tableCell.x - b.x, s.tableCell.y - b.y);  // the piece inside its group
    QPoint target;
    if (box == SPuz::OnTable) {
        QPoint at = pointer();
        if (WBox* from = this->box(puz.pieces[piece].box); from && from->isVisible() && from->geometry().contains(at))
            at = QPoint(std::max(8, from->x() - b.w - 8), from->y());
        target = toSurface(at) + offset;
    } else {
        const WBox& dest = *m_boxes[box];
        const Point16 spot = m_session.freeSpotInBox(box, dest.openRect().width(), dest.openRect().height(),
                                                     p16(dest.origin()), b.w, b.h);
        target = QPoint(spot.x, spot.y) + offset;
    }
    PlayReport r = m_session.sendToBox(piece, box, p16(target));
    const bool sent = r.done;
    present(std::move(r));
    return sent;
}

// --- boxes

WBox* WPuz::box(int index) const
{
    return index >= 0 && index < static_cast<int>(m_boxes.size()) ? m_boxes[index].get() : nullptr;
}

void WPuz::createBoxes()
{
    m_boxes.clear();
    syncBoxWindows();
}

// One window for each box record, the new ones where they belong.
void WPuz::syncBoxWindows()
{
    const Puz& puz = context().puz;
    while (m_boxes.size() > puz.boxes.size())
        m_boxes.pop_back();
    const bool added = m_boxes.size() < puz.boxes.size();
    while (m_boxes.size() < puz.boxes.size())
        m_boxes.push_back(fw::makeWindow<WBox>(context(), *this, static_cast<int>(m_boxes.size())));
    if (added || m_boxes.empty())
        placeDefaultBoxes();
}

// Boxes without a place of their own stand as icons down the right edge,
// and open in a row across the bottom.
void WPuz::placeDefaultBoxes()
{
    const Puz& puz = context().puz;
    m_session.placeBoxesByDefault(width(), height(), WBox::IconSize);
    for (size_t k = 0; k < m_boxes.size(); ++k) {
        const BoxPlace& place = puz.boxPlaces[k];
        m_boxes[k]->place(QRect(place.window.x, place.window.y, place.window.w, place.window.h),
                          QPoint(place.icon.x, place.icon.y));
        m_boxes[k]->setVisible(!m_boxesHidden);
    }
}

namespace {

BoxPlace placeOf(const WBox& b)
{
    const QRect r = b.openRect();
    const QPoint i = b.iconPos();
    return {{static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()), static_cast<int16_t>(r.width()),
             static_cast<int16_t>(r.height())},
            {static_cast<int16_t>(i.x()), static_cast<int16_t>(i.y())}};
}

}  // namespace

void WPuz::storeBoxPlaces()
{
    std::vector<BoxPlace> places;
    for (const auto& b : m_boxes)
        places.push_back(placeOf(*b));
    m_session.keepBoxPlaces(std::move(places));
}

void WPuz::boxWindowMoved(int box)
{
    storeBoxPlaces();
    if (WBox* b = this->box(box))
        present(m_session.boxMoved(box, placeOf(*b)));
}

void WPuz::setBoxesHidden(bool hidden)
{
    m_boxesHidden = hidden;
    for (auto& b : m_boxes)
        b->setVisible(!hidden);
}

void WPuz::addBox() { present(m_session.addBox()); }

bool WPuz::removeBox()
{
    PlayReport r = m_session.removeBox();
    const bool removed = r.done;
    present(std::move(r));
    return removed;
}

WBox* WPuz::topmostOpenBox() const
{
    if (m_topBox && !m_topBox->isClosed() && m_topBox->isVisible())
        return m_topBox;
    for (auto it = m_boxes.rbegin(); it != m_boxes.rend(); ++it)
        if (!(*it)->isClosed() && (*it)->isVisible())
            return it->get();
    return nullptr;
}

void WPuz::boxActivated(WBox* b) { m_topBox = b; }

// --- the table's background

fw::Background& WPuz::tableBackground()
{
    prepareGround();
    return m_table;
}

void WPuz::prepareGround()
{
    const Puz& puz = context().puz;
    if (m_backgroundStamp != 0 && puz.background == m_tableChoice.colours &&
        puz.backgroundTexture == m_tableChoice.texture && puz.backgroundFrameOff == m_tableChoice.frameOff)
        return;
    m_tableChoice = {puz.background, puz.backgroundTexture, puz.backgroundFrameOff};
    // Unreadable numbers leave the default table.
    m_table.Set(kDefaultTable, fw::Background::None, puz.backgroundFrameOff);
    if (!puz.background.empty())
        m_table.SetFromText(puz.background);
    // A texture that is gone or does not decode leaves the colours alone.
    if (!puz.backgroundTexture.empty()) {
        const std::filesystem::path file = textureFile(puz.backgroundTexture);
        fw::Bitmap texture;
        if (fw::WBkg::readPicture(file, texture).ok())
            m_table.setTexture(std::move(texture), file);
    }
    ++m_backgroundStamp;
}

void WPuz::backgroundChosen()
{
    Puz& puz = context().puz;
    puz.background = m_table.Text();
    puz.backgroundFrameOff = m_table.frameOff();
    puz.backgroundTexture = m_table.hasTexture() ? textureName(m_table.textureFile()) : std::string();
    m_tableChoice = {puz.background, puz.backgroundTexture, puz.backgroundFrameOff};
    ++m_backgroundStamp;
    update();
    for (auto& b : m_boxes)
        b->update();
    if (m_loupe)
        m_loupe->widget().update();
}

std::string WPuz::textureName(const std::filesystem::path& file)
{
    return PlaySession::textureName(file, texturesFolder());
}

std::filesystem::path WPuz::textureFile(const std::string& name)
{
    return PlaySession::textureFile(name, texturesFolder());
}

std::filesystem::path WPuz::texturesFolder()
{
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "textures";
}

void WPuz::paintGroundMarks(fw::Bitmap& out, QPoint at)
{
    const Puz& puz = context().puz;
    if (puz.pieceCount() == 0 || !(puz.options & Puz::BackgroundReset))
        return;
    const Rect16 pic = pictureArea();
    // The outline lies within 2 pixels around the picture area.
    const QRect area(at, QSize(out.width(), out.height()));
    const QRect ring = QRect(pic.x, pic.y, pic.w, pic.h).adjusted(-2, -2, 2, 2);
    if (!area.intersects(ring) || QRect(pic.x, pic.y, pic.w, pic.h).contains(area))
        return;
    m_table.PaintOutline(out, pic.x - at.x(), pic.y - at.y(), pic.w, pic.h);
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

ScatterArea WPuz::scatterArea(uint8_t container) const
{
    ScatterArea a;
    a.container = container;
    if (container != SPuz::OnTable) {
        const WBox* b = box(container);
        a.width = b ? b->openRect().width() : 200;
        a.height = b ? b->openRect().height() : 150;
        a.reserved.push_back({0, 0, static_cast<int16_t>(a.width), 18});  // the box's label
        return a;
    }
    a.width = width();
    a.height = height();
    auto add = [&](QRect r) {
        r.translate(origin());
        a.reserved.push_back({static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()), static_cast<int16_t>(r.width()),
                              static_cast<int16_t>(r.height())});
    };
    a.reserved.push_back(pictureArea());
    add(markerDock());
    // The column of closed boxes and the preview's corner, whether they are
    // shown yet or not.
    add(QRect(width() - WBox::IconSize - 16, 0, WBox::IconSize + 16, height()));
    add(WMuestra::defaultPlace(*this));
    if (m_preview)
        add(m_preview->geometry());
    for (const auto& b : m_boxes)
        if (b->isVisible())
            add(b->geometry());
    return a;
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
    setOrigin(origin() + QPoint(dx, dy));
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

void WPuz::paintOverlay(QPainter& p, const QRect&)
{
    const Puz& puz = context().puz;
    if (puz.pieceCount() == 0) {
        paintEmptyTable(p);
        return;
    }
    if (puz.state & Puz::Complete) {
        p.setPen(QPen(QColor(240, 220, 150), FrameWidth));
        p.drawRect(completionBorder().adjusted(1, 1, -1, -1));
    }
    Marker::paintOn(p, *this, puz, m_marker.flying());
    Marker::paintDock(p, markerDock());
    paintBandOn(p, *this);
}

// No puzzle to play: the program's name in the middle of the table.
void WPuz::paintEmptyTable(QPainter& p)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(EmptyTableFontSize);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(rect().translated(2, 2), Qt::AlignCenter, QString::fromLatin1(ProgramName));
    p.setPen(QColor(250, 240, 200));
    p.drawText(rect(), Qt::AlignCenter, QString::fromLatin1(ProgramName));
}

void WPuz::paintBandOn(QPainter& p, WSPuz& surface)
{
    if (MultiSPuzs* band = m_mouse->band(); band && band->surface() == &surface)
        band->paint(p);
}

}  // namespace qv
