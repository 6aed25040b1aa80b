#include "jigsaw/play/PlaySession.h"

#include <algorithm>
#include <map>

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/Sound.h"

namespace qv {

namespace {

int16_t s16(int v) { return static_cast<int16_t>(v); }


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

void PlayReport::clear()
{
    repaint.clear();
    repaintWhole.clear();
    sounds.clear();
    turns.clear();
    hints.clear();
    marker.reset();
    loupe = Loupe::Same;
    loupeAreaRepaint = boxesChanged = joined = done = false;
}

PlaySession::Collect::Collect(PlaySession& s) : m_s(s)
{
    if (m_s.m_spare.empty()) {
        m_s.m_reports.emplace_back();
        return;
    }
    m_s.m_reports.push_back(std::move(m_s.m_spare.back()));
    m_s.m_spare.pop_back();
}

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

void PlaySession::recycle(PlayReport&& report)
{
    constexpr size_t kept = 4;  // as deep as operations run inside each other
    if (m_spare.size() >= kept)
        return;
    report.clear();
    m_spare.push_back(std::move(report));
}

void PlaySession::reset()
{
    m_rules.TurnShown();
    m_marked.clear();
    m_hover = -1;
    m_grab = {};
    m_history.clear();
    m_dragBefore = {};
    m_rules.setEdgeView(false);
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
    const bool covered = tableCovered();
    const bool added = m_loupeReasons.insert(reason).second;
    r.loupe = PlayReport::Loupe::Hide;
    r.loupeAreaRepaint = reason == loupe::Deactivated;
    if (pauseClock && added)
        m_score.Pause();
    coverChange(covered, r);
    return r;
}

PlayReport PlaySession::showLoupeAfter(int reason, bool resumeClock)
{
    PlayReport r;
    const bool covered = tableCovered();
    const bool removed = m_loupeReasons.erase(reason) > 0;
    if (m_loupeReasons.empty())
        r.loupe = PlayReport::Loupe::Show;
    if (resumeClock && removed)
        m_score.Resume();
    coverChange(covered, r);
    return r;
}

bool PlaySession::tableCovered() const
{
    if (m_puz.pieceCount() == 0 || (m_puz.state & Puz::Complete) || !competition())
        return false;
    // Only the waits on the player: a turn or tidying keeps the table in sight.
    for (int reason : {loupe::Deactivated, loupe::ExitQuestion, loupe::Pause})
        if (loupeHiddenFor(reason))
            return true;
    return false;
}

void PlaySession::coverChange(bool coveredBefore, PlayReport& r) const
{
    if (tableCovered() == coveredBefore)
        return;
    r.repaintWhole.push_back(SPuz::OnTable);
    for (size_t k = 0; k < m_puz.boxes.size(); ++k)
        r.repaintWhole.push_back(static_cast<uint8_t>(k));
}

// --- holding

PlayReport PlaySession::pickUp(int piece, Point16 grab, bool afterTurn)
{
    Collect c(*this);
    m_rules.PickUp(piece);
    m_grab = grab;
    if (!afterTurn) {
        m_dragBefore = PlayHistory::take(m_puz);
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
    m_history.record(m_dragBefore, m_puz);
    m_dragBefore = {};
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
    const PlayHistory::Snapshot was = PlayHistory::take(m_puz);
    m_rules.RotateGroup(piece, k, nullptr, pivot);
    m_history.record(was, m_puz);
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
    const PlayHistory::Snapshot was = PlayHistory::take(m_puz);
    m_rules.SetMarked(piece, mark, false);
    m_history.record(was, m_puz);
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
    const PlayHistory::Snapshot was = PlayHistory::take(m_puz);
    for (int p : pieces) {
        if (p < 0 || p >= m_puz.pieceCount())
            continue;
        const bool marked = m_puz.pieces[p].flags & PlayRules::Marked;
        if (marked != mark)
            m_rules.SetMarked(p, mark, false);
    }
    m_history.record(was, m_puz);
    changed();
    c.report().done = true;
    return c.take();
}

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
    const PlayHistory::Snapshot was = PlayHistory::take(m_puz);
    m_rules.Tidy(container, false, {band});
    m_history.record(was, m_puz);
    wholeContainer(container);
    c.report().done = true;
    return c.take();
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

PlayReport PlaySession::setTableBackground(const std::string& text, bool frameOff, const std::string& texture)
{
    m_puz.background = text;
    m_puz.backgroundFrameOff = frameOff;
    m_puz.backgroundTexture = texture;
    // A choice made in the window is a change even when it is the same.
    changed();
    PlayReport r;
    r.done = true;
    return r;
}

PlayReport PlaySession::recordReceived()
{
    changed();
    PlayReport r;
    r.done = true;
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
