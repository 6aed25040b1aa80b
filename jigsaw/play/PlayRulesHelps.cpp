// The rules' helps (the neighbour hint, the automatic help), tidying, and
// what keeps a game sound: repairing a saved one, bringing it into view,
// the invariants. The rest of PlayRules is in PlayRules.cpp.
#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstdlib>

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlayRules.h"

namespace qv {

namespace {

int16_t s16(int v) { return static_cast<int16_t>(v); }

}  // namespace

bool PlayRules::ShowNeighbour(int piece, Point16 point, bool testOnly)
{
    if (m_puz.options & Puz::NoHelp)
        return false;
    const SPuz& p = at(piece);
    const Rect16 c = cellOnTable(piece);
    const int cx = point.x - (c.x + c.w / 2), cy = point.y - (c.y + c.h / 2);
    const int screenSide = std::abs(cx) <= std::abs(cy) ? (cy < 0 ? 1 : 3) : (cx < 0 ? 0 : 2);
    const int side = (screenSide - p.rotation + 4) & 3;
    const int n = p.neighbour[side];
    if (n < 0 || (p.joined & (1 << side)))
        return false;
    if (testOnly)
        return true;
    m_windows.hideLoupe(loupe::RuleRunning, false);
    const uint8_t box = at(n).box;
    if (box != SPuz::OnTable && !m_windows.boxWindowOpen(box))
        m_windows.openBoxWindow(box);
    BringToLevel(n, 0);
    Rect16 strip = c;
    switch (screenSide) {
    case 0: strip.w = 3; break;
    case 1: strip.h = 3; break;
    case 2: strip.x = s16(c.x + c.w - 3); strip.w = 3; break;
    default: strip.y = s16(c.y + c.h - 3); strip.h = 3; break;
    }
    Rect16 target = at(n).table;
    if (target.w < 100) {
        target.x = s16(target.x - (100 - target.w) / 2);
        target.w = 100;
    }
    if (target.h < 100) {
        target.y = s16(target.y - (100 - target.h) / 2);
        target.h = 100;
    }
    HintAnimation hint;
    hint.container = box;
    hint.from = strip;
    hint.to = target;
    m_windows.showHint(hint);  // its end shows the loupe again
    m_score.addHelp(0);
    return true;
}

// The first loose piece on the table, in drawing order, with a neighbour
// on the table that is not joined to it; which of the two groups stays.
bool PlayRules::findHelpPair(int& stay, int& move, int& sideFromStay)
{
    for (int16_t p : m_puz.order) {
        const SPuz& s = at(p);
        if (s.box != SPuz::OnTable || (s.flags & Marked))
            continue;
        for (int k = 0; k < 4; ++k) {
            const int n = s.neighbour[k];
            if (n < 0 || (s.joined & (1 << k)) || at(n).box != SPuz::OnTable || (at(n).flags & Marked))
                continue;
            const int mine = group(p).size(), theirs = group(n).size();
            const bool pStays = mine != theirs ? mine > theirs : s.tableCell.y >= at(n).tableCell.y;
            stay = pStays ? p : n;
            move = pStays ? n : p;
            sideFromStay = pStays ? k : (k + 2) & 3;
            return true;
        }
    }
    return false;
}

bool PlayRules::AutoHelp()
{
    if (m_puz.options & Puz::NoHelp || m_puz.pieceCount() == 0)
        return false;
    settleTurn();
    m_puz.state |= Puz::AutoHelp;
    bool done = false;
    if (!(m_puz.state & Puz::PlayStarted) && !(at(0).flags & Marked)) {
        rotate(0, (4 - at(0).rotation) & 3);
        MoveToSurface(0, {2, 2}, SPuz::OnTable);
        m_puz.state |= Puz::PlayStarted;
        m_score.addHelp(0);
        done = true;
    } else if (int stay, move, side; findHelpPair(stay, move, side)) {
        const int sidesBefore = m_sidesReported;
        const PieceList staying = group(stay);
        if (staying.size() == 1)
            MoveGroup(stay, {s16(2 + at(stay).cellOrigin.x), s16(2 + at(stay).cellOrigin.y)});
        rotate(move, (at(stay).rotation - at(move).rotation + 4) & 3);
        const Point16 target = besideNeighbour(stay, side, move);
        const Rect16 view = m_windows.visibleTable();
        const Rect16 want{target.x, target.y, at(move).cell.w, at(move).cell.h};
        int dx = 0, dy = 0;
        if (want.x < view.x)
            dx = want.x - view.x;
        else if (want.right() > view.right())
            dx = want.right() - view.right();
        if (want.y < view.y)
            dy = want.y - view.y;
        else if (want.bottom() > view.bottom())
            dy = want.bottom() - view.bottom();
        if (dx || dy)
            m_windows.scrollTable(dx, dy);
        MoveGroup(move, target);
        if (TryJoin(move, false) != NoPiece)
            BringToLevel(stay, levelBelow(move, staying), &staying);
        SnapGroup(stay);
        m_score.addHelp(m_sidesReported - sidesBefore);
        IsComplete();
        done = true;
    }
    m_puz.state &= static_cast<uint8_t>(~Puz::AutoHelp);
    checkInvariants();
    return done;
}

int PlayRules::Tidy(uint8_t container, bool wholeTable, const std::vector<Rect16>& extra)
{
    settleTurn();
    m_windows.hideLoupe(loupe::RuleRunning, true);
    // Where each piece lay before: a piece that moves leaves its old place
    // to be painted over, or its picture stays there until something else
    // repaints it.
    std::vector<Rect16> before(m_puz.pieces.size());
    for (const SPuz& s : m_puz.pieces)
        before[static_cast<size_t>(s.index)] = s.table;
    auto landed = [this, &before](const SPuz& s) {
        const Rect16& old = before[static_cast<size_t>(s.index)];
        if (old.x != s.table.x || old.y != s.table.y)
            repaint(s.box, old);
        repaint(s.box, s.table);
    };
    const int result = Scatter(m_puz, m_windows.scatterArea(container), landed, wholeTable, extra);
    m_windows.showLoupe(loupe::RuleRunning, true);
    m_puz.state |= Puz::Changed;
    checkInvariants();
    return result;
}

void PlayRules::RestoreSaved()
{
    for (SPuz& s : m_puz.pieces) {
        for (int k = 0; k < 4; ++k) {
            const int n = s.neighbour[k];
            if (!(s.joined & (1 << k)) || n < 0)
                continue;
            SPuz& o = at(n);
            if (o.rotation != s.rotation || o.box != s.box) {
                s.joined &= static_cast<uint8_t>(~(1 << k));
                o.joined &= static_cast<uint8_t>(~(1 << ((k + 2) & 3)));
            }
        }
    }
    bool complete = true;
    for (const SPuz& s : m_puz.pieces) {
        for (int k = 0; k < 4; ++k)
            complete = complete && (s.neighbour[k] < 0 || (s.joined & (1 << k)));
    }
    if (complete)
        m_puz.state |= Puz::Complete;
    checkInvariants();
}

int PlayRules::BringIntoView(const Rect16& area)
{
    // The least shift along one axis that brings [from, from + size) into
    // [lo, lo + room), the start winning when it does not fit.
    auto shift = [](int from, int size, int lo, int room) {
        int d = 0;
        if (from + size > lo + room)
            d = lo + room - (from + size);
        if (from + d < lo)
            d = lo - from;
        return d;
    };
    std::vector<bool> seen(m_puz.pieces.size(), false);
    int moved = 0;
    for (int i = 0; i < m_puz.pieceCount(); ++i) {
        if (seen[i] || at(i).box != SPuz::OnTable)
            continue;
        PieceList g = group(i);
        for (int p : g.pieces())
            seen[p] = true;
        const Rect16 b = g.bounds(m_puz);
        const int dx = shift(b.x, b.w, area.x, area.w), dy = shift(b.y, b.h, area.y, area.h);
        if (dx == 0 && dy == 0)
            continue;
        MoveGroup(i, {static_cast<int16_t>(at(i).tableCell.x + dx), static_cast<int16_t>(at(i).tableCell.y + dy)});
        ++moved;
    }
    checkInvariants();
    return moved;
}

bool PlayRules::invariantsHold(std::string* why) const
{
    auto fail = [why](const std::string& text) {
        if (why)
            *why = text;
        return false;
    };
    const int n = m_puz.pieceCount();
    if (static_cast<int>(m_puz.order.size()) != n)
        return fail("order list size");
    std::vector<bool> seen(n, false);
    for (int i = 0; i < n; ++i) {
        const int p = m_puz.order[i];
        if (p < 0 || p >= n || seen[p])
            return fail("order list is no permutation");
        seen[p] = true;
        if (at(p).orderPos != i)
            return fail("piece " + std::to_string(p) + " has level " + std::to_string(at(p).orderPos) +
                        ", order list says " + std::to_string(i));
    }
    for (int p = 0; p < n; ++p) {
        const SPuz& s = at(p);
        for (int k = 0; k < 4; ++k) {
            if (!(s.joined & (1 << k)))
                continue;
            const int o = s.neighbour[k];
            if (o < 0)
                return fail("piece " + std::to_string(p) + " joined to the border");
            if (!(at(o).joined & (1 << ((k + 2) & 3))))
                return fail("join of " + std::to_string(p) + " side " + std::to_string(k) + " is one-sided");
            if (at(o).rotation != s.rotation || at(o).box != s.box)
                return fail("group of " + std::to_string(p) + " mixes rotations or boxes");
        }
    }
    return true;
}

void PlayRules::checkInvariants() const
{
#ifndef NDEBUG
    std::string why;
    if (!invariantsHold(&why)) {
        std::fprintf(stderr, "play invariant broken: %s\n", why.c_str());
        assert(false && "play invariant broken");
    }
#endif
}

}  // namespace qv
