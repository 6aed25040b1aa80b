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
constexpr int MaxBoxes = 9;

Point16 p16(QPoint p) { return {static_cast<int16_t>(p.x()), static_cast<int16_t>(p.y())}; }

// The table's colour until the game chooses one: a dark green baize.
constexpr uint32_t kDefaultTable = 0x465D2F;

// Planes x bits a pixel as the background understands them.
int displayDepth()
{
    const fw::Display& d = fw::Display::current();
    return d.isPalette16() ? 4 : d.isPalette256() ? 8 : 32;
}

// Distinct light colours for new boxes (0x00BBGGRR).
constexpr uint32_t kBoxColours[MaxBoxes] = {0x4A6E9C, 0x5C8C4E, 0x8C5A4A, 0x4E7E8E, 0x7A5A86,
                                            0x3E7A9E, 0x6E6E3E, 0x5A4A8C, 0x806A50};

}  // namespace

WPuz::WPuz(PlayContext& context)
    : WSPuz(context, SPuz::OnTable, nullptr),
      m_ownClock(context.animationClock ? nullptr : std::make_unique<TimerAnimationClock>()),
      m_sparkleColours(context.sparkleColours ? *context.sparkleColours : m_ownColours),
      m_sparklePlaces(context.sparklePlaces ? *context.sparklePlaces : m_ownPlaces), m_score(context.score),
      m_rules(context.puz, *this, m_score), m_player(context.animationClock ? *context.animationClock : *m_ownClock),
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

void WPuz::HideLoupeFor(int reason, bool pauseClock)
{
    const bool added = m_loupeReasons.insert(reason).second;
    if (m_loupe && m_loupe->shown()) {
        if (reason == loupe::Deactivated)
            update(m_loupe->widget().geometry());
        m_loupe->setShown(false);
    }
    if (pauseClock && added)
        context().score.Pause();
}

void WPuz::ShowLoupeAfter(int reason, bool resumeClock)
{
    const bool removed = m_loupeReasons.erase(reason) > 0;
    if (m_loupeReasons.empty() && m_loupe && !m_loupe->shown()) {
        m_loupe->moveTo(m_pointer);
        m_loupe->setShown(true);
    }
    if (resumeClock && removed)
        context().score.Resume();
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
    m_loupe->moveTo(m_pointer);
    m_loupe->setShown(m_loupeReasons.empty());
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
    Puz& puz = context().puz;
    const bool animate = !(context().options.word & fw::opt::NoAnimations);
    const QRect dock = markerDock();
    auto onPiece = [&](int p) {
        const QRect r = Marker::onPiece(surface, puz, p);
        return QRect(surface.mapTo(this, r.topLeft()), r.size());
    };
    auto r16 = [](QRect r) {
        return Rect16{static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()), static_cast<int16_t>(r.width()),
                      static_cast<int16_t>(r.height())};
    };
    // Where the marker is now: on the group's marker piece, or in the dock.
    int from = mark ? -1 : piece;
    const PieceList group = m_rules.group(piece);
    if (!mark || (puz.pieces[piece].flags & PlayRules::Marked)) {
        for (int p : group.pieces())
            if (puz.pieces[p].flags & PlayRules::MarkerPiece)
                from = p;
    }
    MarkerFlight flight;
    if (mark) {
        flight.from = r16(from >= 0 ? onPiece(from) : dock);
        flight.to = r16(onPiece(piece));
        // Until it lands the marker still shows where it was.
        flight.leaving = from;
        flight.landing = piece;
    } else {
        flight.from = r16(onPiece(from));
        flight.to = r16(dock);
    }
    m_rules.SetMarked(piece, mark, false);
    if (mark)
        m_marked.push_back(piece);
    puz.state |= Puz::Changed;
    surface.update();
    QPointer<WSPuz> shown(&surface);
    m_marker.fly(m_player, *this, flight, animate, [this, shown] {
        if (shown)
            shown->update();
        update(markerDock());
    });
}

void WPuz::unmarkLast()
{
    Puz& puz = context().puz;
    while (!m_marked.empty()) {
        const int p = m_marked.back();
        m_marked.pop_back();
        if (p < puz.pieceCount() && (puz.pieces[p].flags & PlayRules::Marked)) {
            if (WSPuz* s = surfaceOf(puz.pieces[p].box))
                markGroup(*s, p, false);
            return;
        }
    }
}

void WPuz::postRotation(WSPuz& surface, int piece, int k, QPoint at)
{
    m_commandPiece = piece;
    m_commandPoint = at;
    m_commandFromClick = true;
    surface.postCommand(k == 1 ? 2001 : 2000);
}

void WPuz::rotateByCommand(int piece, int k, const QPoint* surfacePoint)
{
    Puz& puz = context().puz;
    if (piece < 0 || piece >= puz.pieceCount() || (puz.options & Puz::NoRotable))
        return;
    if (surfacePoint) {
        const Point16 pivot = p16(*surfacePoint);
        m_rules.RotateGroup(piece, k, nullptr, &pivot);
    } else {
        m_rules.RotateGroup(piece, k);
    }
    PlaySound(GameSounds::Turn);
    if (!(puz.state & Puz::Complete))
        context().score.AddMove();
}

void WPuz::uncoverAt(WSPuz& surface, QPoint at)
{
    Puz& puz = context().puz;
    const int piece = m_rules.HitTest(surface.container(), p16(at));
    if (piece < 0)
        return;
    const PieceList mine = m_rules.group(piece);
    std::vector<int> below;
    for (int16_t q : puz.order) {
        const SPuz& s = puz.pieces[q];
        if (s.box != surface.container() || mine.contains(q) || s.orderPos <= mine.minLevel())
            continue;
        for (int m : mine.pieces()) {
            if (intersects(puz.pieces[m].table, s.table)) {
                below.push_back(q);
                break;
            }
        }
    }
    std::vector<int> done;
    for (int q : below) {
        if (std::find(done.begin(), done.end(), q) != done.end())
            continue;
        const PieceList theirs = m_rules.group(q);
        done.insert(done.end(), theirs.pieces().begin(), theirs.pieces().end());
        m_rules.BringToLevel(q, 0);
    }
    if (!below.empty())
        surface.update();
}

void WPuz::uncoverAtPointer()
{
    WSPuz* s = nullptr;
    if (pieceAtPointer(&s) >= 0 && s)
        uncoverAt(*s, s->toSurface(s->mapFrom(this, m_pointer)));
}

int WPuz::pieceAtPointer(WSPuz** surface) const
{
    WSPuz* s = surfaceAtGlobal(mapToGlobal(m_pointer));
    if (!s)
        return -1;
    if (surface)
        *surface = s;
    const QPoint at = s->toSurface(s->mapFrom(const_cast<WPuz*>(this), m_pointer));
    return m_rules.HitTest(s->container(), p16(at));
}

// --- sending to boxes

bool WPuz::sendToBox(uint8_t box)
{
    Puz& puz = context().puz;
    if (box != SPuz::OnTable && box >= m_boxes.size())
        return false;
    int piece = m_rules.heldPiece();
    if (piece != PlayRules::NoPiece) {
        m_mouse->releaseHeld();
        m_rules.Drop();
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
        QPoint at = m_pointer;
        if (WBox* from = this->box(puz.pieces[piece].box); from && from->isVisible() && from->geometry().contains(at))
            at = QPoint(std::max(8, from->x() - b.w - 8), from->y());
        target = toSurface(at) + offset;
    } else {
        target = freeSpotInBox(*m_boxes[box], b.w, b.h) + offset;
    }
    m_rules.MoveToSurface(piece, p16(target), box);
    puz.state |= Puz::Changed;
    PlaySound(GameSounds::PutDown);
    update();
    for (auto& w : m_boxes)
        w->update();
    return true;
}

// The first spot, in reading order, where a group of w x h fits in the box
// without covering its pieces; a cascade when the box is full.
QPoint WPuz::freeSpotInBox(const WBox& dest, int w, int h) const
{
    const Puz& puz = context().puz;
    const QRect area = dest.openRect();
    const QPoint o = dest.origin();
    OccupancyGrid grid(area.width(), area.height(), 8);
    grid.Mark(0, 0, area.width(), 20);  // the label
    for (const SPuz& s : puz.pieces)
        if (s.box == dest.container())
            grid.Mark(s.table.x - o.x(), s.table.y - o.y(), s.table.w, s.table.h);
    const int cw = (w + 7) / 8, ch = (h + 7) / 8;
    for (int y = 0; y + ch <= grid.rows(); ++y)
        for (int x = 0; x + cw <= grid.columns(); ++x)
            if (grid.IsFree(x, y, cw, ch))
                return o + QPoint(x * 8, y * 8);
    const int n = puz.boxes[dest.container()].pieceCount;
    return o + QPoint(8 + (n * 23) % std::max(1, area.width() - w - 16), 20 + (n * 17) % std::max(1, area.height() - h - 24));
}

// --- boxes

WBox* WPuz::box(int index) const
{
    return index >= 0 && index < static_cast<int>(m_boxes.size()) ? m_boxes[index].get() : nullptr;
}

void WPuz::createBoxes()
{
    Puz& puz = context().puz;
    m_boxes.clear();
    for (size_t k = 0; k < puz.boxes.size(); ++k)
        m_boxes.push_back(fw::makeWindow<WBox>(context(), *this, static_cast<int>(k)));
    placeDefaultBoxes();
}

// Boxes without a place of their own stand as icons down the right edge,
// and open in a row across the bottom.
void WPuz::placeDefaultBoxes()
{
    Puz& puz = context().puz;
    puz.boxPlaces.resize(puz.boxes.size());
    const int w = std::max(width(), 400), h = std::max(height(), 300);
    for (size_t k = 0; k < m_boxes.size(); ++k) {
        BoxPlace& place = puz.boxPlaces[k];
        if (place.window.w <= 0) {
            const int bw = std::min(260, w / 4), bh = std::min(190, h / 4);
            const int column = static_cast<int>(k) % 4, row = static_cast<int>(k) / 4;
            place.window = {static_cast<int16_t>(40 + column * (bw + 12)),
                            static_cast<int16_t>(h - (row + 1) * (bh + 12) - 40), static_cast<int16_t>(bw),
                            static_cast<int16_t>(bh)};
            place.icon = {static_cast<int16_t>(w - WBox::IconSize - 8),
                          static_cast<int16_t>(60 + static_cast<int>(k) * (WBox::IconSize + 8))};
        }
        m_boxes[k]->place(QRect(place.window.x, place.window.y, place.window.w, place.window.h),
                          QPoint(place.icon.x, place.icon.y));
        m_boxes[k]->setVisible(!m_boxesHidden);
    }
}

void WPuz::storeBoxPlaces()
{
    Puz& puz = context().puz;
    puz.boxPlaces.resize(m_boxes.size());
    for (size_t k = 0; k < m_boxes.size(); ++k) {
        const QRect r = m_boxes[k]->openRect();
        const QPoint i = m_boxes[k]->iconPos();
        puz.boxPlaces[k] = {{static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()), static_cast<int16_t>(r.width()),
                             static_cast<int16_t>(r.height())},
                            {static_cast<int16_t>(i.x()), static_cast<int16_t>(i.y())}};
    }
}

void WPuz::setBoxesHidden(bool hidden)
{
    m_boxesHidden = hidden;
    for (auto& b : m_boxes)
        b->setVisible(!hidden);
}

void WPuz::addBox()
{
    Puz& puz = context().puz;
    if (puz.boxes.size() >= MaxBoxes || puz.pieceCount() == 0)
        return;
    Box b;
    b.colour = kBoxColours[puz.boxes.size() % MaxBoxes];
    b.flags = 0x01;
    puz.boxes.push_back(b);
    puz.boxPlaces.resize(puz.boxes.size());
    m_boxes.push_back(fw::makeWindow<WBox>(context(), *this, static_cast<int>(puz.boxes.size() - 1)));
    placeDefaultBoxes();
    puz.state |= Puz::Changed;
}

bool WPuz::removeBox()
{
    Puz& puz = context().puz;
    if (puz.boxes.empty() || puz.boxes.back().pieceCount > 0)
        return false;
    const int last = static_cast<int>(puz.boxes.size()) - 1;
    for (const SPuz& s : puz.pieces)
        if (s.box == last)
            return false;
    m_boxes.pop_back();
    puz.boxes.pop_back();
    puz.boxPlaces.resize(puz.boxes.size());
    puz.state |= Puz::Changed;
    return true;
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
    std::error_code ec;
    const auto folder = std::filesystem::weakly_canonical(texturesFolder(), ec);
    const auto parent = std::filesystem::weakly_canonical(file.parent_path(), ec);
    if (!ec && parent == folder)
        return file.filename().string();
    return std::filesystem::absolute(file, ec).string();
}

std::filesystem::path WPuz::textureFile(const std::string& name)
{
    const std::filesystem::path stored(name);
    return stored.has_parent_path() ? stored : texturesFolder() / stored;
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
