#include "jigsaw/play/PlaySession.h"

#include <algorithm>
#include <map>

#include "framework/Options.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/Scatter.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/Sound.h"

namespace qv {

namespace {

int16_t s16(int v) { return static_cast<int16_t>(v); }

// Distinct colours for new boxes (0x00BBGGRR).
constexpr uint32_t kBoxColours[PlaySession::MaxBoxes] = {0x4A6E9C, 0x5C8C4E, 0x8C5A4A, 0x4E7E8E, 0x7A5A86,
                                                         0x3E7A9E, 0x6E6E3E, 0x5A4A8C, 0x806A50};

}  // namespace

void PlayReport::add(PlayReport&& in)
{
    repaint.insert(repaint.end(), in.repaint.begin(), in.repaint.end());
    repaintWhole.insert(repaintWhole.end(), in.repaintWhole.begin(), in.repaintWhole.end());
    sounds.insert(sounds.end(), in.sounds.begin(), in.sounds.end());
    turns.insert(turns.end(), std::make_move_iterator(in.turns.begin()), std::make_move_iterator(in.turns.end()));
    hints.insert(hints.end(), in.hints.begin(), in.hints.end());
    if (in.marker)
        marker = in.marker;
    if (in.loupe != Loupe::Same)
        loupe = in.loupe;
    loupeAreaRepaint = loupeAreaRepaint || in.loupeAreaRepaint;
    boxesChanged = boxesChanged || in.boxesChanged;
    joined = joined || in.joined;
    done = done || in.done;
}

PlaySession::Collect::Collect(PlaySession& s) : m_s(s) { m_s.m_reports.emplace_back(); }

PlaySession::Collect::~Collect()
{
    if (!m_taken)
        take();
}

// An operation that runs inside another hands its report to the outer one.
PlayReport PlaySession::Collect::take()
{
    m_taken = true;
    PlayReport r = std::move(m_s.m_reports.back());
    m_s.m_reports.pop_back();
    if (!m_s.m_reports.empty()) {
        PlayReport copy = r;
        m_s.m_reports.back().add(std::move(copy));
    }
    return r;
}

PlaySession::PlaySession(Puz& puz, ScoreKeeper& score, PlayWindows& view, std::function<void(PlayReport&&)> show,
                         std::function<uint32_t()> optionsWord)
    : m_puz(puz), m_score(score), m_view(view), m_show(std::move(show)), m_optionsWord(std::move(optionsWord)),
      m_counts(score), m_rules(puz, *this, m_counts)
{
}

void PlaySession::reset()
{
    m_rules.TurnShown();
    m_marked.clear();
    m_hover = -1;
    m_grab = {};
}

template <typename F>
void PlaySession::record(F&& f)
{
    if (!m_reports.empty()) {
        f(m_reports.back());
        return;
    }
    PlayReport now;
    f(now);
    if (m_show)
        m_show(std::move(now));
}

void PlaySession::changed() { m_puz.state |= Puz::Changed; }

void PlaySession::wholeContainer(uint8_t container)
{
    record([container](PlayReport& r) { r.repaintWhole.push_back(container); });
}

// --- what the rules ask

void PlaySession::invalidate(uint8_t container, const Rect16& area)
{
    record([&](PlayReport& r) { r.repaint.push_back({container, area}); });
}

bool PlaySession::showTurn(const TurnAnimation& turn)
{
    // Shown when the report is: the windows end the turn (TurnShown) then,
    // or at once when they cannot show it after all.
    if (turn.before.empty() || !m_view.showsTurns())
        return false;
    record([&](PlayReport& r) { r.turns.push_back(turn); });
    return true;
}

void PlaySession::playSound(int number)
{
    record([number](PlayReport& r) { r.sounds.push_back(number); });
}

void PlaySession::showHint(const HintAnimation& hint)
{
    record([&](PlayReport& r) { r.hints.push_back(hint); });
}

void PlaySession::hideLoupe(int reason, bool pauseClock)
{
    PlayReport r = hideLoupeFor(reason, pauseClock);
    record([&](PlayReport& into) { into.add(std::move(r)); });
}

void PlaySession::showLoupe(int reason, bool resumeClock)
{
    PlayReport r = showLoupeAfter(reason, resumeClock);
    record([&](PlayReport& into) { into.add(std::move(r)); });
}

// --- the loupe

PlayReport PlaySession::hideLoupeFor(int reason, bool pauseClock)
{
    PlayReport r;
    const bool added = m_loupeReasons.insert(reason).second;
    r.loupe = PlayReport::Loupe::Hide;
    r.loupeAreaRepaint = reason == loupe::Deactivated;
    if (pauseClock && added)
        m_score.Pause();
    return r;
}

PlayReport PlaySession::showLoupeAfter(int reason, bool resumeClock)
{
    PlayReport r;
    const bool removed = m_loupeReasons.erase(reason) > 0;
    if (m_loupeReasons.empty())
        r.loupe = PlayReport::Loupe::Show;
    if (resumeClock && removed)
        m_score.Resume();
    return r;
}

// --- holding

PlayReport PlaySession::pickUp(int piece, Point16 grab, bool afterTurn)
{
    Collect c(*this);
    m_rules.PickUp(piece);
    m_grab = grab;
    if (!afterTurn) {
        m_sidesAtPickUp = m_score.Counters().joinedSides;
        playSound(sound::PickUp);
    }
    c.report().done = true;
    return c.take();
}

PlayReport PlaySession::dragTo(Point16 pointer)
{
    Collect c(*this);
    if (heldPiece() == PlayRules::NoPiece)
        return c.take();
    m_rules.DragTo({s16(pointer.x - m_grab.x), s16(pointer.y - m_grab.y)});
    c.report().done = true;
    return c.take();
}

PlayReport PlaySession::carryTo(uint8_t container, Point16 pointer)
{
    Collect c(*this);
    const int held = heldPiece();
    if (held == PlayRules::NoPiece)
        return c.take();
    m_rules.MoveToSurface(held, {s16(pointer.x - m_grab.x), s16(pointer.y - m_grab.y)}, container);
    c.report().done = true;
    return c.take();
}

PlayReport PlaySession::bumpedEdge()
{
    Collect c(*this);
    const int held = heldPiece();
    if (held == PlayRules::NoPiece)
        return c.take();
    SPuz& h = m_puz.pieces[held];
    if (!(h.flags & PlayRules::EdgeBumped)) {
        h.flags |= PlayRules::EdgeBumped;
        playSound(sound::Bump);
    }
    return c.take();
}

PlayReport PlaySession::turnHeld(int k, Point16 pivot)
{
    Collect c(*this);
    const int held = heldPiece();
    if (held == PlayRules::NoPiece || (m_puz.options & Puz::NoRotable))
        return c.take();
    m_rules.RotateGroup(held, k, nullptr, &pivot);
    playSound(sound::Turn);
    // The drag goes on as if the left button had been pressed here again.
    const SPuz& h = m_puz.pieces[held];
    pickUp(held, {s16(pivot.x - h.tableCell.x), s16(pivot.y - h.tableCell.y)}, true);
    c.report().done = true;
    return c.take();
}

PlayReport PlaySession::drop()
{
    Collect c(*this);
    if (heldPiece() == PlayRules::NoPiece)
        return c.take();
    m_rules.Drop();
    m_hover = -1;
    c.report().joined = m_score.Counters().joinedSides != m_sidesAtPickUp;
    c.report().done = true;
    return c.take();
}

// --- commands on pieces

PlayReport PlaySession::turnByCommand(int piece, int k, const Point16* pivot)
{
    Collect c(*this);
    if (piece < 0 || piece >= m_puz.pieceCount() || (m_puz.options & Puz::NoRotable))
        return c.take();
    const int before = m_score.Counters().joinedSides;
    m_rules.RotateGroup(piece, k, nullptr, pivot);
    playSound(sound::Turn);
    if (!(m_puz.state & Puz::Complete))
        m_score.AddMove();
    c.report().joined = m_score.Counters().joinedSides != before;
    c.report().done = true;
    return c.take();
}

PlayReport PlaySession::uncover(uint8_t container, Point16 point)
{
    Collect c(*this);
    const int piece = m_rules.HitTest(container, point);
    if (piece < 0)
        return c.take();
    const PieceList mine = m_rules.group(piece);
    std::vector<int> below;
    for (int16_t q : m_puz.order) {
        const SPuz& s = m_puz.pieces[q];
        if (s.box != container || mine.contains(q) || s.orderPos <= mine.minLevel())
            continue;
        for (int m : mine.pieces()) {
            if (intersects(m_puz.pieces[m].table, s.table)) {
                below.push_back(q);
                break;
            }
        }
    }
    std::vector<bool> done(m_puz.pieces.size(), false);
    for (int q : below) {
        if (done[q])
            continue;
        const PieceList theirs = m_rules.group(q);
        for (int p : theirs.pieces())
            done[p] = true;
        m_rules.BringToLevel(q, 0);
    }
    if (!below.empty()) {
        wholeContainer(container);
        c.report().done = true;
    }
    return c.take();
}

PlaySession::Hover PlaySession::hover(uint8_t container, Point16 point)
{
    Hover h;
    h.piece = m_rules.HitTest(container, point);
    if (h.piece == m_hover) {
        h.covers = h.piece >= 0 && (m_puz.pieces[h.piece].flags & PlayRules::CoversGroup);
        return h;
    }
    if (m_hover >= 0 && m_hover < m_puz.pieceCount())
        m_puz.pieces[m_hover].flags &= ~uint32_t(PlayRules::CoversGroup);
    m_hover = h.piece;
    h.changed = true;
    h.covers = h.piece >= 0 && coversAnotherGroup(h.piece);
    if (h.covers)
        m_puz.pieces[h.piece].flags |= PlayRules::CoversGroup;
    return h;
}

// Whether the piece's group lies over at least 0.8 of the cell area of some
// group below it on the same surface.
bool PlaySession::coversAnotherGroup(int piece) const
{
    const PieceList mine = m_rules.group(piece);
    const uint8_t box = m_puz.pieces[piece].box;
    std::map<int, long> covered;  // a piece below -> its area under the group
    for (const SPuz& q : m_puz.pieces) {
        if (q.box != box || mine.contains(q.index) || q.orderPos <= mine.minLevel())
            continue;
        long area = 0;
        for (int m : mine.pieces()) {
            const SPuz& c = m_puz.pieces[m];
            const int w = std::min(c.tableCell.x + c.tableCell.w, q.tableCell.x + q.tableCell.w) -
                          std::max(c.tableCell.x, q.tableCell.x);
            const int h = std::min(c.tableCell.y + c.tableCell.h, q.tableCell.y + q.tableCell.h) -
                          std::max(c.tableCell.y, q.tableCell.y);
            if (w > 0 && h > 0)
                area += long(w) * h;
        }
        if (area > 0)
            covered[q.index] = area;
    }
    std::map<int, int> groupOf;
    for (auto [q, area] : covered) {
        (void)area;
        if (groupOf.count(q))
            continue;
        const PieceList theirs = m_rules.group(q);
        long total = 0, cov = 0;
        for (int m : theirs.pieces()) {
            groupOf[m] = q;
            total += long(m_puz.pieces[m].tableCell.w) * m_puz.pieces[m].tableCell.h;
            auto it = covered.find(m);
            if (it != covered.end())
                cov += it->second;
        }
        if (total > 0 && cov * 10 >= total * 8)
            return true;
    }
    return false;
}

// --- marking

int PlaySession::markerPieceOf(int piece) const
{
    int found = -1;
    const PieceList group = m_rules.group(piece);
    for (int p : group.pieces())
        if (m_puz.pieces[p].flags & PlayRules::MarkerPiece)
            found = p;
    return found;
}

PlayReport PlaySession::setMarked(int piece, bool mark)
{
    Collect c(*this);
    if (piece < 0 || piece >= m_puz.pieceCount())
        return c.take();
    MarkerMove move;
    if (mark) {
        const int from = (m_puz.pieces[piece].flags & PlayRules::Marked) ? markerPieceOf(piece) : -1;
        move = {from, piece, from, piece};  // until it lands it still shows where it was
    } else {
        const int from = markerPieceOf(piece);
        move = {from >= 0 ? from : piece, -1, -1, -1};
    }
    m_rules.SetMarked(piece, mark, false);
    if (mark)
        m_marked.push_back(piece);
    changed();
    wholeContainer(m_puz.pieces[piece].box);
    c.report().marker = move;
    c.report().done = true;
    return c.take();
}

PlayReport PlaySession::unmarkLast()
{
    while (!m_marked.empty()) {
        const int p = m_marked.back();
        m_marked.pop_back();
        if (p < m_puz.pieceCount() && (m_puz.pieces[p].flags & PlayRules::Marked))
            return setMarked(p, false);
    }
    return {};
}

PlayReport PlaySession::markAll(const std::vector<int>& pieces, bool mark)
{
    Collect c(*this);
    for (int p : pieces) {
        if (p < 0 || p >= m_puz.pieceCount())
            continue;
        const bool marked = m_puz.pieces[p].flags & PlayRules::Marked;
        if (marked != mark)
            m_rules.SetMarked(p, mark, false);
    }
    changed();
    c.report().done = true;
    return c.take();
}

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
    m_rules.MoveToSurface(piece, position, box);
    changed();
    playSound(sound::PutDown);
    wholeContainer(SPuz::OnTable);
    for (size_t k = 0; k < m_puz.boxes.size(); ++k)
        wholeContainer(static_cast<uint8_t>(k));
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

// --- other changes

PlayReport PlaySession::previewMoved(Point16 place)
{
    m_puz.previewPos = place;
    changed();
    PlayReport r;
    r.done = true;
    return r;
}

PlayReport PlaySession::completionShown()
{
    changed();
    PlayReport r;
    r.done = true;
    return r;
}

PlayReport PlaySession::spread(uint8_t container, const Rect16& band)
{
    Collect c(*this);
    m_rules.Tidy(container, false, {band});
    wholeContainer(container);
    c.report().done = true;
    return c.take();
}

PlayReport PlaySession::setBoxOptions(int box, const std::string& name, uint32_t colour, bool closed)
{
    PlayReport r;
    if (box < 0 || box >= static_cast<int>(m_puz.boxes.size()))
        return r;
    Box& b = m_puz.boxes[box];
    const uint8_t flags = closed ? static_cast<uint8_t>(b.flags | 0x01) : static_cast<uint8_t>(b.flags & ~0x01);
    r.done = name != b.name || (colour != Box::NoColour && colour != b.colour) || flags != b.flags;
    b.name = name;
    if (colour != Box::NoColour)
        b.colour = colour;
    b.flags = flags;
    if (r.done) {
        changed();
        wholeContainer(static_cast<uint8_t>(box));
    }
    return r;
}

PlayReport PlaySession::setGameOptions(uint32_t word)
{
    PlayReport r;
    r.done = m_puz.gameOptions != word;
    m_puz.gameOptions = word;
    if (r.done)
        changed();
    return r;
}

PlayReport PlaySession::scoreStripMoved(Point16 place)
{
    PlayReport r;
    if (m_puz.pieceCount() == 0 || place == m_puz.scorePos)
        return r;
    m_puz.scorePos = place;
    changed();
    r.done = true;
    return r;
}

// --- textures

std::string PlaySession::textureName(const std::filesystem::path& file, const std::filesystem::path& folder)
{
    std::error_code ec;
    const auto ours = std::filesystem::weakly_canonical(folder, ec);
    const auto parent = std::filesystem::weakly_canonical(file.parent_path(), ec);
    if (!ec && parent == ours)
        return file.filename().string();
    return std::filesystem::absolute(file, ec).string();
}

std::filesystem::path PlaySession::textureFile(const std::string& name, const std::filesystem::path& folder)
{
    const std::filesystem::path stored(name);
    return stored.has_parent_path() ? stored : folder / stored;
}

}  // namespace qv
