#include "jigsaw/play/PlayHistory.h"

#include <bit>

#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlayRules.h"

namespace qv {

namespace {

constexpr uint32_t kMarks = PlayRules::Marked | PlayRules::MarkerPiece;

PlayHistory::PieceState stateOf(const SPuz& s)
{
    return {s.tableCell.x, s.tableCell.y, s.rotation, s.box, s.flags & kMarks};
}

}  // namespace

int PlayHistory::joinedSides(const Puz& puz)
{
    int n = 0;
    for (const SPuz& s : puz.pieces)
        n += std::popcount(static_cast<unsigned>(s.joined & 0x0F));
    return n;
}

PlayHistory::Snapshot PlayHistory::take(const Puz& puz)
{
    Snapshot s;
    s.pieces.reserve(puz.pieces.size());
    for (const SPuz& p : puz.pieces)
        s.pieces.push_back(stateOf(p));
    s.order = puz.order;
    s.joinedSides = joinedSides(puz);
    return s;
}

void PlayHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

void PlayHistory::forgetAfterJoin(const Puz& puz)
{
    const int sides = joinedSides(puz);
    const Step* last = !m_undo.empty() ? &m_undo.back() : !m_redo.empty() ? &m_redo.back() : nullptr;
    if (last && last->joinedSides != sides)
        clear();
}

void PlayHistory::record(const Snapshot& before, const Puz& puz)
{
    if (before.pieces.size() != puz.pieces.size())
        return;
    const int sides = joinedSides(puz);
    if (sides != before.joinedSides) {
        clear();  // it joined: what came before can no longer be undone
        return;
    }
    Step step;
    step.joinedSides = sides;
    for (size_t i = 0; i < puz.pieces.size(); ++i) {
        const PieceState now = stateOf(puz.pieces[i]);
        if (!(now == before.pieces[i]))
            step.changes.push_back({static_cast<int16_t>(i), before.pieces[i], now});
    }
    if (step.changes.empty())
        return;
    if (before.order != puz.order) {
        step.orderBefore = before.order;
        step.orderAfter = puz.order;
    }
    forgetAfterJoin(puz);
    m_redo.clear();
    if (m_undo.size() >= Depth)
        m_undo.erase(m_undo.begin());
    m_undo.push_back(std::move(step));
}

bool PlayHistory::canUndo(const Puz& puz)
{
    forgetAfterJoin(puz);
    return !m_undo.empty();
}

bool PlayHistory::canRedo(const Puz& puz)
{
    forgetAfterJoin(puz);
    return !m_redo.empty();
}

bool PlayHistory::fits(const Puz& puz, const Step& step)
{
    for (const Change& c : step.changes) {
        if (c.piece < 0 || c.piece >= puz.pieceCount())
            return false;
        for (uint8_t box : {c.before.box, c.after.box})
            if (box != SPuz::OnTable && box >= puz.boxes.size())
                return false;
    }
    const size_t n = puz.pieces.size();
    return (step.orderBefore.empty() || step.orderBefore.size() == n) &&
           (step.orderAfter.empty() || step.orderAfter.size() == n);
}

// Each piece is put back on its own: the groups are those of the step
// (nothing joined since), so every member of a group gets the same turn and box.
void PlayHistory::apply(Puz& puz, const Step& step, bool forward, const Repaint& repaint)
{
    for (const Change& c : step.changes) {
        SPuz& s = puz.pieces[c.piece];
        const PieceState& want = forward ? c.after : c.before;
        repaint(s.box, s.table);
        if (s.rotation != want.rotation)
            TurnPiece(puz, s, (want.rotation - s.rotation + 4) & 3);
        if (s.box != want.box) {
            if (s.box != SPuz::OnTable)
                --puz.boxes[s.box].pieceCount;
            if (want.box != SPuz::OnTable)
                ++puz.boxes[want.box].pieceCount;
            s.box = want.box;
        }
        s.flags = (s.flags & ~kMarks) | want.marks;
        s.placeAt(want.x, want.y);
        repaint(s.box, s.table);
    }
    const std::vector<int16_t>& order = forward ? step.orderAfter : step.orderBefore;
    if (order.empty())
        return;
    puz.order = order;
    for (size_t i = 0; i < order.size(); ++i)
        puz.pieces[order[i]].orderPos = static_cast<int16_t>(i);
}

bool PlayHistory::undo(Puz& puz, const Repaint& repaint)
{
    if (!canUndo(puz))
        return false;
    if (!fits(puz, m_undo.back())) {
        clear();
        return false;
    }
    apply(puz, m_undo.back(), false, repaint);
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    return true;
}

bool PlayHistory::redo(Puz& puz, const Repaint& repaint)
{
    if (!canRedo(puz))
        return false;
    if (!fits(puz, m_redo.back())) {
        clear();
        return false;
    }
    apply(puz, m_redo.back(), true, repaint);
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    return true;
}

}  // namespace qv
