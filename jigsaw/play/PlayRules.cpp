#include "jigsaw/play/PlayRules.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/Animation.h"

namespace qv {

namespace {

int16_t s16(int v) { return static_cast<int16_t>(v); }

// A pixel turned k quarter turns clockwise (y down) about the pivot pixel.
Point16 turnPixel(int x, int y, Point16 c, int k)
{
    const int dx = x - c.x, dy = y - c.y;
    switch (k & 3) {
    case 1: return {s16(c.x - dy), s16(c.y + dx)};
    case 2: return {s16(c.x - dx), s16(c.y - dy)};
    case 3: return {s16(c.x + dy), s16(c.y - dx)};
    default: return {s16(x), s16(y)};
    }
}

}  // namespace

PlayRules::PlayRules(Puz& puz, PlayWindows& windows, PlayScore& score)
    : m_puz(puz), m_windows(windows), m_score(score)
{
}

SPuz& PlayRules::at(int piece) { return m_puz.pieces[piece]; }
const SPuz& PlayRules::at(int piece) const { return m_puz.pieces[piece]; }

Rect16 PlayRules::cellOnTable(int piece) const
{
    const SPuz& s = at(piece);
    return {s.tableCell.x, s.tableCell.y, s.cell.w, s.cell.h};
}

int PlayRules::HitTest(uint8_t surface, Point16 point) const
{
    if (!m_edgeView)
        return PieceAt(m_puz, surface, point.x, point.y);
    return edgeViewHit(surface, point);
}

void PlayRules::CollectGroup(int piece, PieceList& list) const
{
    std::vector<bool> visited(m_puz.pieceCount(), false);
    for (int p : list.pieces())
        visited[p] = true;
    if (visited[piece])
        return;
    const int first = list.size();
    visited[piece] = true;
    list.add(m_puz, piece);
    for (int i = first; i < list.size(); ++i) {
        const SPuz& s = at(list[i]);
        for (int k = 0; k < 4; ++k) {
            int n = s.neighbour[k];
            if ((s.joined & (1 << k)) && n >= 0 && !visited[n]) {
                visited[n] = true;
                list.add(m_puz, n);
            }
        }
    }
}

PieceList PlayRules::group(int piece) const
{
    PieceList list;
    CollectGroup(piece, list);
    return list;
}

void PlayRules::repaint(uint8_t container, const Rect16& area) { m_windows.invalidate(container, area); }

void PlayRules::repaintAll()
{
    for (const SPuz& s : m_puz.pieces)
        repaint(s.box, s.table);
}

void PlayRules::SetMarked(int piece, bool mark, bool keepMarker)
{
    const PieceList g = group(piece);
    for (int p : g.pieces()) {
        SPuz& s = at(p);
        const uint32_t before = s.flags;
        if (!mark)
            s.flags &= ~(Marked | MarkerPiece);
        else if (!keepMarker)
            s.flags = (s.flags | Marked) & ~MarkerPiece;
        else
            s.flags |= Marked;
        if (mark && !keepMarker && p == piece)
            s.flags |= MarkerPiece;
        if ((before & MarkerPiece) != (s.flags & MarkerPiece) || (before & Marked) != (s.flags & Marked))
            repaint(s.box, s.table);
    }
}

void PlayRules::setLevels()
{
    for (int i = 0; i < static_cast<int>(m_puz.order.size()); ++i)
        at(m_puz.order[i]).orderPos = s16(i);
}

void PlayRules::BringToLevel(int piece, int level, const PieceList* list)
{
    const PieceList g = list ? *list : group(piece);
    std::vector<bool> member(m_puz.pieceCount(), false);
    for (int p : g.pieces())
        member[p] = true;
    std::vector<int16_t> moving, rest;
    for (int16_t p : m_puz.order)
        (member[p] ? moving : rest).push_back(p);
    level = std::clamp(level, 0, static_cast<int>(rest.size()));
    rest.insert(rest.begin() + level, moving.begin(), moving.end());
    m_puz.order = std::move(rest);
    setLevels();
    for (int p : g.pieces())
        repaint(at(p).box, at(p).table);
}

// The level that puts the list just below the piece once the list has left
// its old places.
int PlayRules::levelBelow(int piece, const PieceList& list) const
{
    int above = 0;
    for (int p : list.pieces())
        above += at(p).orderPos < at(piece).orderPos;
    return at(piece).orderPos - above + 1;
}

void PlayRules::MoveGroup(int piece, Point16 position, bool repaintAreas)
{
    PieceList g = group(piece);
    const int dx = position.x - at(piece).tableCell.x, dy = position.y - at(piece).tableCell.y;
    if (dx == 0 && dy == 0)
        return;
    const Rect16 before = g.bounds(m_puz);
    for (int p : g.pieces())
        at(p).placeAt(at(p).tableCell.x + dx, at(p).tableCell.y + dy);
    g.invalidate();
    if (repaintAreas) {
        repaint(at(piece).box, before);
        repaint(at(piece).box, g.bounds(m_puz));
    }
    m_puz.state |= Puz::Changed;
}

void PlayRules::MoveToSurface(int piece, Point16 position, uint8_t target)
{
    settleTurn();  // the turn is shown on the surface the group leaves
    PieceList g = group(piece);
    const uint8_t from = at(piece).box;
    repaint(from, g.bounds(m_puz));
    for (int p : g.pieces()) {
        uint8_t& box = at(p).box;
        if (box != SPuz::OnTable && box < m_puz.boxes.size())
            --m_puz.boxes[box].pieceCount;
        box = target;
        if (target != SPuz::OnTable && target < m_puz.boxes.size())
            ++m_puz.boxes[target].pieceCount;
    }
    MoveGroup(piece, position, false);
    g.invalidate();
    repaint(target, g.bounds(m_puz));
    m_puz.state |= Puz::Changed;
    checkInvariants();
}

fw::Status PlayRules::turnGroup(const PieceList& g, int k, Point16 pivot)
{
    for (int p : g.pieces()) {
        SPuz& s = at(p);
        const Rect16 c = cellOnTable(p);
        const Point16 a = turnPixel(c.x, c.y, pivot, k), b = turnPixel(c.right(), c.bottom(), pivot, k);
        if (fw::Status st = TurnPiece(m_puz, s, k); !st.ok())
            return st;
        s.placeAt(std::min(a.x, b.x), std::min(a.y, b.y));
    }
    return {};
}

void PlayRules::settleTurn()
{
    if (m_turnShowing)
        m_windows.finishTurn();
}

fw::Status PlayRules::RotateGroup(int piece, int k, const PieceList* list, const Point16* pivot)
{
    if (!(m_puz.options & Puz::NoRotable))
        settleTurn();
    if ((m_puz.options & Puz::NoRotable) || (m_puz.state & Puz::Busy))
        return {};
    m_windows.hideLoupe(loupe::RuleRunning, false);
    fw::Status st = rotate(piece, k, list, pivot);
    if (!m_turnShowing)
        m_windows.showLoupe(loupe::RuleRunning, false);
    return st;
}

void PlayRules::TurnShown()
{
    if (!m_turnShowing)
        return;
    m_turnShowing = false;
    if (m_rotateDepth == 0)
        m_puz.state &= static_cast<uint8_t>(~Puz::Busy);
    m_windows.showLoupe(loupe::RuleRunning, false);
}

// The turn is made first and then shown: the windows get the group's
// picture from before it, which is what they turn.
fw::Status PlayRules::rotate(int piece, int k, const PieceList* list, const Point16* pivot)
{
    k &= 3;
    if (k == 0)
        return {};
    PieceList g = list ? *list : group(piece);
    const Rect16 c = cellOnTable(piece);
    const Point16 centre = pivot ? *pivot : Point16{s16(c.x + c.w / 2), s16(c.y + c.h / 2)};
    const bool shown = pivot && m_rotateDepth == 0;
    TurnAnimation turn;
    if (shown) {
        turn.container = at(piece).box;
        turn.pieces = g.pieces();
        turn.pivot = centre;
        turn.degrees = (k < 3 ? k : k - 4) * 90;
        turn.ms = RotationMs;
        if (m_windows.showsTurns())
            turn.before = PictureOfGroup(m_puz, turn.pieces);
    }
    ++m_rotateDepth;
    m_puz.state |= Puz::Busy;
    const Rect16 before = g.bounds(m_puz);
    fw::Status st = turnGroup(g, k, centre);
    g.invalidate();
    repaint(at(piece).box, before);
    repaint(at(piece).box, g.bounds(m_puz));
    --m_rotateDepth;
    if (shown) {
        // Set first: a window may be done with the turn before it returns.
        m_turnShowing = true;
        if (!m_windows.showTurn(turn))
            m_turnShowing = false;
    }
    if (m_rotateDepth == 0 && !m_turnShowing)
        m_puz.state &= static_cast<uint8_t>(~Puz::Busy);
    m_puz.state |= Puz::Changed;
    checkInvariants();
    return st;
}

// Where the neighbour's cell must lie to sit exactly against the anchor's
// side: the join test below with dx = dy = 0.
Point16 PlayRules::besideNeighbour(int anchor, int side, int neighbour) const
{
    const Rect16 p = cellOnTable(anchor), n = cellOnTable(neighbour);
    switch ((side + at(anchor).rotation) & 3) {
    case 0: return {s16(p.x - n.w), p.y};
    case 1: return {p.x, s16(p.y - n.h)};
    case 2: return {s16(p.x + p.w), p.y};
    default: return {p.x, s16(p.y + p.h)};
    }
}

bool PlayRules::withinReach(int piece, int side, int neighbour) const
{
    const Point16 want = besideNeighbour(piece, side, neighbour);
    const SPuz& n = at(neighbour);
    return std::abs(n.tableCell.x - want.x) < JoinReach && std::abs(n.tableCell.y - want.y) < JoinReach;
}

void PlayRules::joinSide(int piece, int side)
{
    SPuz& p = at(piece);
    const int n = p.neighbour[side];
    p.joined |= static_cast<uint8_t>(1 << side);
    at(n).joined |= static_cast<uint8_t>(1 << ((side + 2) & 3));
    if (at(n).flags & Marked)
        SetMarked(piece, true, true);
    m_score.addJoinedSides(2);
    m_sidesReported += 2;
    m_puz.state |= Puz::PlayStarted | Puz::Changed;
}

// A join may bring two pieces of the new group side by side that were not
// joined yet (a ring closing): join them too.
void PlayRules::closeSeams(int piece)
{
    const PieceList g = group(piece);
    std::vector<bool> member(m_puz.pieceCount(), false);
    for (int p : g.pieces())
        member[p] = true;
    for (int i = 1; i < g.size(); ++i) {
        const int p = g[i];
        for (int k = 0; k < 4; ++k) {
            const int n = at(p).neighbour[k];
            if (n >= 0 && member[n] && !(at(p).joined & (1 << k)))
                joinSide(p, k);
        }
    }
}

void PlayRules::ensureMarker(int piece)
{
    const PieceList g = group(piece);
    for (int p : g.pieces()) {
        if ((at(p).flags & (Marked | MarkerPiece)) == (Marked | MarkerPiece))
            return;
    }
    SetMarked(piece, true, false);
}

int PlayRules::TryJoin(int piece, bool testOnly)
{
    if (m_puz.state & Puz::Busy)
        return NoPiece;
    int first = NoPiece;
    for (int k = 0; k < 4; ++k) {
        const SPuz& p = at(piece);
        const int n = p.neighbour[k];
        if ((p.joined & (1 << k)) || n < 0 || at(n).rotation != p.rotation || at(n).box != p.box)
            continue;
        if (!withinReach(piece, k, n))
            continue;
        if (testOnly)
            return n;
        joinSide(piece, k);
        if (first == NoPiece)
            first = n;
        closeSeams(piece);
    }
    if (first != NoPiece && (at(piece).flags & Marked))
        ensureMarker(piece);
    return first;
}

int PlayRules::JoinGroupToNeighbours(const PieceList& held, std::vector<int>& matched)
{
    // Groups as they were before this drop: a neighbour counts once per group.
    const std::vector<int> label = groupLabels();
    std::vector<int> seen;
    for (int p : held.pieces()) {
        const int n = TryJoin(p, false);
        if (n == NoPiece || std::find(seen.begin(), seen.end(), label[n]) != seen.end())
            continue;
        seen.push_back(label[n]);
        matched.push_back(n);
    }
    return static_cast<int>(matched.size());
}

// Every piece's group, named by its first member found.
std::vector<int> PlayRules::groupLabels() const
{
    const int n = m_puz.pieceCount();
    std::vector<int> label(n, -1);
    std::vector<int> walk;
    for (int p = 0; p < n; ++p) {
        if (label[p] >= 0)
            continue;
        label[p] = p;
        walk.assign(1, p);
        while (!walk.empty()) {
            const SPuz& s = at(walk.back());
            walk.pop_back();
            for (int k = 0; k < 4; ++k) {
                const int o = s.neighbour[k];
                if ((s.joined & (1 << k)) && o >= 0 && label[o] < 0) {
                    label[o] = p;
                    walk.push_back(o);
                }
            }
        }
    }
    return label;
}

// The walk follows the joined sides; the list only saves finding the group again.
void PlayRules::SnapGroup(int piece, const PieceList*)
{
    std::vector<bool> placed(m_puz.pieceCount(), false);
    PieceList moved;
    std::deque<int> walk{piece};
    placed[piece] = true;
    while (!walk.empty()) {
        const int q = walk.front();
        walk.pop_front();
        for (int k = 0; k < 4; ++k) {
            const int r = at(q).neighbour[k];
            if (!(at(q).joined & (1 << k)) || r < 0 || placed[r])
                continue;
            const Rect16 before = at(r).table;
            if (at(r).rotation != at(q).rotation)
                TurnPiece(m_puz, at(r), (at(q).rotation - at(r).rotation + 4) & 3);
            const Point16 pos = besideNeighbour(q, k, r);
            at(r).placeAt(pos.x, pos.y);
            placed[r] = true;
            walk.push_back(r);
            repaint(at(r).box, before);
            moved.add(m_puz, r);
        }
    }
    if (!moved.empty())
        repaint(at(piece).box, moved.bounds(m_puz));
}

bool PlayRules::IsComplete(bool noDate)
{
    if (m_puz.state & Puz::Complete)
        return true;
    for (const SPuz& s : m_puz.pieces) {
        for (int k = 0; k < 4; ++k) {
            if (s.neighbour[k] >= 0 && !(s.joined & (1 << k)))
                return false;
        }
    }
    m_puz.state |= Puz::Complete;
    if (!noDate && m_puz.dateEnd == 0)
        m_puz.dateEnd = m_puz.user().today();
    repaintAll();
    m_score.finish();
    if (!m_windows.loupeExists())
        m_windows.celebrate(CompletionSparkles);
    return true;
}

void PlayRules::PickUp(int piece)
{
    m_held = piece;
    m_heldStart = {at(piece).tableCell.x, at(piece).tableCell.y};
    at(piece).flags &= ~(MovedInDrag | EdgeBumped);
}

void PlayRules::DragTo(Point16 position)
{
    if (m_held == NoPiece)
        return;
    SPuz& h = at(m_held);
    if (!(h.flags & MovedInDrag) && (position.x != m_heldStart.x || position.y != m_heldStart.y)) {
        h.flags |= MovedInDrag;
        if (!(m_puz.state & Puz::Complete))
            m_score.addMove();
    }
    MoveGroup(m_held, position);
}

int PlayRules::Drop()
{
    if (m_held == NoPiece)
        return 0;
    settleTurn();
    const int held = m_held;
    const PieceList g = group(held);
    if (g.size() > 1)
        SnapGroup(held, &g);
    std::vector<int> matched;
    const int count = JoinGroupToNeighbours(g, matched);
    if (count == 0) {
        m_windows.playSound(sound::PutDown);
    } else {
        // The neighbour's group as it was goes just below the held piece.
        PieceList theirs;
        const PieceList merged = group(matched[0]);
        for (int p : merged.pieces()) {
            if (!g.contains(p))
                theirs.add(m_puz, p);
        }
        BringToLevel(matched[0], levelBelow(held, theirs), &theirs);
        SnapGroup(matched[0]);
        m_windows.playSound(IsComplete() ? sound::Complete : sound::Join);
    }
    if (g.size() == 1)
        SnapGroup(held);
    m_held = NoPiece;
    checkInvariants();
    return count;
}

void PlayRules::AddTravel(int dx, int dy, double mmPerPixel)
{
    m_puz.mouseTravel += std::sqrt((dx * mmPerPixel) * (dx * mmPerPixel) + (dy * mmPerPixel) * (dy * mmPerPixel));
}

}  // namespace qv
