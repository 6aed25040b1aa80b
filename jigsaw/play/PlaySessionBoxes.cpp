// The play session's bookkeeping of boxes: adding, removing, opening and
// closing them, their places and options, and finding room in one for a
// group sent there. The rest of PlaySession is in PlaySession.cpp.
#include <algorithm>

#include "framework/Options.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/Scatter.h"
#include "jigsaw/play/PlaySession.h"
#include "jigsaw/play/Sound.h"

namespace qv {

namespace {

int16_t s16(int v) { return static_cast<int16_t>(v); }

// Distinct colours for new boxes (0x00BBGGRR).
constexpr uint32_t kBoxColours[PlaySession::MaxBoxes] = {0x4A6E9C, 0x5C8C4E, 0x8C5A4A, 0x4E7E8E, 0x7A5A86,
                                                         0x3E7A9E, 0x6E6E3E, 0x5A4A8C, 0x806A50};

}  // namespace

// --- boxes

PlayReport PlaySession::addBox()
{
    PlayReport r;
    if (m_puz.boxes.size() >= MaxBoxes || m_puz.pieceCount() == 0)
        return r;
    Box b;
    b.colour = kBoxColours[m_puz.boxes.size() % MaxBoxes];
    b.flags = 0x01;
    m_puz.boxes.push_back(b);
    m_puz.boxPlaces.resize(m_puz.boxes.size());
    changed();
    r.boxesChanged = r.done = true;
    return r;
}

PlayReport PlaySession::removeBox()
{
    PlayReport r;
    if (m_puz.boxes.empty() || m_puz.boxes.back().pieceCount > 0)
        return r;
    const int last = static_cast<int>(m_puz.boxes.size()) - 1;
    for (const SPuz& s : m_puz.pieces)
        if (s.box == last)
            return r;
    m_puz.boxes.pop_back();
    m_puz.boxPlaces.resize(m_puz.boxes.size());
    changed();
    r.boxesChanged = r.done = true;
    return r;
}

PlayReport PlaySession::setBoxClosed(int box, bool closed)
{
    PlayReport r;
    if (box < 0 || box >= static_cast<int>(m_puz.boxes.size()))
        return r;
    uint8_t& flags = m_puz.boxes[box].flags;
    if (bool(flags & 0x01) == closed)
        return r;
    flags = closed ? static_cast<uint8_t>(flags | 0x01) : static_cast<uint8_t>(flags & ~0x01);
    changed();
    const uint32_t word = m_optionsWord ? m_optionsWord() : 0;
    if (!(word & fw::opt::NoBoxSound))
        r.sounds.push_back(sound::Effect);
    r.done = true;
    return r;
}

Point16 PlaySession::freeSpotInBox(int box, int areaW, int areaH, Point16 origin, int w, int h) const
{
    OccupancyGrid grid(areaW, areaH, BoxGrid);
    grid.Mark(0, 0, areaW, BoxLabelHeight);
    for (const SPuz& s : m_puz.pieces)
        if (s.box == box)
            grid.Mark(s.table.x - origin.x, s.table.y - origin.y, s.table.w, s.table.h);
    const int cw = (w + BoxGrid - 1) / BoxGrid, ch = (h + BoxGrid - 1) / BoxGrid;
    for (int y = 0; y + ch <= grid.rows(); ++y)
        for (int x = 0; x + cw <= grid.columns(); ++x)
            if (grid.IsFree(x, y, cw, ch))
                return {s16(origin.x + x * BoxGrid), s16(origin.y + y * BoxGrid)};
    const int n = box >= 0 && box < static_cast<int>(m_puz.boxes.size()) ? m_puz.boxes[box].pieceCount : 0;
    return {s16(origin.x + 8 + (n * 23) % std::max(1, areaW - w - 16)),
            s16(origin.y + 20 + (n * 17) % std::max(1, areaH - h - 24))};
}

PlayReport PlaySession::sendToBox(int piece, uint8_t box, Point16 position)
{
    Collect c(*this);
    if (piece < 0 || piece >= m_puz.pieceCount() || m_puz.pieces[piece].box == box)
        return c.take();
    const PlayHistory::Snapshot was = PlayHistory::take(m_puz);
    m_rules.MoveToSurface(piece, position, box);
    m_history.record(was, m_puz);
    changed();
    playSound(sound::PutDown);
    wholeSurfaces();
    c.report().done = true;
    return c.take();
}

void PlaySession::placeBoxesByDefault(int tableW, int tableH, int iconSize)
{
    m_puz.boxPlaces.resize(m_puz.boxes.size());
    const int w = std::max(tableW, 400), h = std::max(tableH, 300);
    for (size_t k = 0; k < m_puz.boxPlaces.size(); ++k) {
        BoxPlace& place = m_puz.boxPlaces[k];
        if (place.window.w > 0)
            continue;
        const int bw = std::min(260, w / 4), bh = std::min(190, h / 4);
        const int column = static_cast<int>(k) % 4, row = static_cast<int>(k) / 4;
        place.window = {s16(40 + column * (bw + 12)), s16(h - (row + 1) * (bh + 12) - 40), s16(bw), s16(bh)};
        place.icon = {s16(w - iconSize - 8), s16(60 + static_cast<int>(k) * (iconSize + 8))};
    }
}

PlayReport PlaySession::boxMoved(int box, const BoxPlace& place)
{
    PlayReport r;
    if (box < 0 || box >= static_cast<int>(m_puz.boxes.size()))
        return r;
    m_puz.boxPlaces.resize(m_puz.boxes.size());
    m_puz.boxPlaces[box] = place;
    changed();
    r.done = true;
    return r;
}

void PlaySession::keepBoxPlaces(std::vector<BoxPlace> places) { m_puz.boxPlaces = std::move(places); }

PlayReport PlaySession::setBoxOptions(int box, const std::string& name, uint32_t colour, bool closed)
{
    PlayReport r;
    r.done = editBox(m_puz, box, name, colour == Box::NoColour ? std::nullopt : std::optional(colour), closed);
    if (r.done)
        wholeContainer(static_cast<uint8_t>(box));
    return r;
}

bool PlaySession::editBox(Puz& puz, int box, const std::string& name, std::optional<uint32_t> colour, bool closed)
{
    if (box < 0 || box >= static_cast<int>(puz.boxes.size()))
        return false;
    Box& b = puz.boxes[box];
    constexpr uint8_t Closed = 0x01;
    const uint8_t flags = closed ? static_cast<uint8_t>(b.flags | Closed) : static_cast<uint8_t>(b.flags & ~Closed);
    const bool edited = name != b.name || (colour && *colour != b.colour) || flags != b.flags;
    b.name = name;
    if (colour)
        b.colour = *colour;
    b.flags = flags;
    if (edited)
        puz.state |= Puz::Changed;
    return edited;
}

// The table and every box, after pieces moved between them.
void PlaySession::wholeSurfaces()
{
    wholeContainer(SPuz::OnTable);
    for (size_t k = 0; k < m_puz.boxes.size(); ++k)
        wholeContainer(static_cast<uint8_t>(k));
}

}  // namespace qv
