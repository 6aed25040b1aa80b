// The play window's boxes (their windows, sending groups to them), the
// table's background, the areas the table keeps clear and what an empty
// or paused table shows. The rest of WPuz is in WPuz.cpp and
// WPuzCommands.cpp.
#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "framework/qt/WBkg.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/Loupe.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/play/windows/SurfaceMouse.h"
#include "jigsaw/play/windows/SurfaceRender.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/WMuestra.h"
#include "jigsaw/play/windows/WPuz.h"

namespace qv {

namespace {

Point16 p16(QPoint p) { return {static_cast<int16_t>(p.x()), static_cast<int16_t>(p.y())}; }

// The table's colour until the game chooses one: a dark green baize.
constexpr uint32_t kDefaultTable = 0x465D2F;

}  // namespace

// --- sending to boxes

bool WPuz::sendToBox(uint8_t box)
{
    if (box != SPuz::OnTable && box >= m_boxes.size())
        return false;
    int piece = m_session.heldPiece();
    if (piece != PlayRules::NoPiece) {
        m_mouse->releaseHeld();
        present(m_session.drop());
        return sendGroup(piece, box, pointer());
    }
    return sendGroupToBox(pieceAtPointer(), box, pointer());
}

bool WPuz::sendGroupToBox(int piece, uint8_t box, QPoint at)
{
    const Puz& puz = context().puz;
    if (piece < 0 || piece >= puz.pieceCount() || (puz.pieces[piece].flags & PlayRules::Marked) || holding())
        return false;
    if (box != SPuz::OnTable && box >= m_boxes.size())
        return false;
    return sendGroup(piece, box, at);
}

bool WPuz::sendGroup(int piece, uint8_t box, QPoint at)
{
    Puz& puz = context().puz;
    if (puz.pieces[piece].box == box)
        return false;
    PieceList g = m_rules.group(piece);
    const Rect16 b = g.bounds(puz);
    const SPuz& s = puz.pieces[piece];
    const QPoint offset(s.tableCell.x - b.x, s.tableCell.y - b.y);  // the piece inside its group
    QPoint target;
    if (box == SPuz::OnTable) {
        if (WBox* from = this->box(puz.pieces[piece].box); from && from->isVisible() && from->geometry().contains(at))
            at = QPoint(std::max(8, from->x() - static_cast<int>(std::ceil(b.w * zoom())) - 8), from->y());
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
        const fw::Status read =
            context().readPicture ? context().readPicture(file, texture) : fw::WBkg::readWithToolkit(file, texture);
        if (read.ok())
            m_table.setTexture(std::move(texture), file);
    }
    ++m_backgroundStamp;
}

void WPuz::backgroundChosen()
{
    Puz& puz = context().puz;
    m_session.setTableBackground(m_table.Text(), m_table.frameOff(),
                                 m_table.hasTexture() ? textureName(m_table.textureFile()) : std::string());
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
    if (puz.pieceCount() == 0)
        return;
    const Rect16 pic = pictureArea();
    // The ghost picture is a help: a competition game goes without it.
    if (context().options.ghost > 0 && !m_session.competition())
        drawGhostPicture(puz, {pic.x, pic.y}, context().options.ghost, at.x(), at.y(), out);
    if (!(puz.options & Puz::BackgroundReset))
        return;
    // The outline lies within 2 pixels around the picture area.
    const QRect area(at, QSize(out.width(), out.height()));
    const QRect ring = QRect(pic.x, pic.y, pic.w, pic.h).adjusted(-2, -2, 2, 2);
    if (!area.intersects(ring) || QRect(pic.x, pic.y, pic.w, pic.h).contains(area))
        return;
    m_table.PaintOutline(out, pic.x - at.x(), pic.y - at.y(), pic.w, pic.h);
}

// --- areas

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
    // Windows over the table keep the table under them clear, as the view shows it.
    auto add = [&](QRect r) { a.reserved.push_back(toSurface(r)); };
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

// A paused competition game: the table's ground and why it is empty.
void WPuz::paintCover(QPainter& p)
{
    QFont font = p.font();
    font.setPixelSize(std::max(16, height() / 30));
    p.setFont(font);
    const QString line = QString::fromStdString(context().shell.text(CoverText));
    // Above the middle, where the pause message and most dialogs sit.
    const QRect band(width() / 20, height() / 6, width() * 9 / 10, height() / 8);
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(band.translated(2, 2), Qt::AlignCenter | Qt::TextWordWrap, line);
    p.setPen(QColor(250, 240, 200));
    p.drawText(band, Qt::AlignCenter | Qt::TextWordWrap, line);
}

}  // namespace qv
