#include "minefield/NoGuessSolver.h"

#include <algorithm>
#include <cassert>

namespace mf {

NoGuessSolver::NoGuessSolver(const BoardTopology& topology) : m_topology(topology)
{
    const size_t n = size_t(topology.CellCount());
    m_state.resize(n);
    m_covered.resize(n);
    m_missing.resize(n);
    m_queued.resize(n);
    m_isPairDirty.resize(n);
    m_mark.resize(n);
    m_markOther.resize(n);
    m_seen.resize(n);
    m_queue.reserve(n * 4);
    m_pairDirty.reserve(n);
}

uint32_t NoGuessSolver::NextStamp() { return ++m_stamp; }

void NoGuessSolver::Reset(const std::vector<uint8_t>& mines)
{
    m_mines = &mines;
    // One solve takes far fewer stamps than this margin, so they never wrap
    // while marks are in use.
    if (m_stamp > 0xF0000000u) {
        std::fill(m_mark.begin(), m_mark.end(), 0);
        std::fill(m_markOther.begin(), m_markOther.end(), 0);
        std::fill(m_seen.begin(), m_seen.end(), 0);
        m_stamp = 0;
    }
    std::fill(m_state.begin(), m_state.end(), Knowledge::Covered);
    std::fill(m_queued.begin(), m_queued.end(), 0);
    std::fill(m_isPairDirty.begin(), m_isPairDirty.end(), 0);
    m_queue.clear();
    m_queueHead = 0;
    m_pairDirty.clear();
    m_pending.clear();
    m_mineTotal = int32_t(std::count_if(mines.begin(), mines.end(), [](uint8_t m) { return m != 0; }));
    m_coveredTotal = m_topology.CellCount();
    m_opened = m_found = 0;
    m_contradicted = false;
}

bool NoGuessSolver::Solve(const std::vector<uint8_t>& mines, int32_t firstClick, const StepHook& hook)
{
    assert(mines.size() == size_t(m_topology.CellCount()));
    Reset(mines);
    m_hook = hook ? &hook : nullptr;
    if (firstClick < 0 || firstClick >= m_topology.CellCount() || mines[size_t(firstClick)])
        return false;
    Settle(firstClick, false, Reason::FirstClick);
    const int32_t safeCells = m_topology.CellCount() - m_mineTotal;
    for (;;) {
        DrainNumbers();
        if (m_contradicted || m_opened == safeCells)
            break;
        // The wider reasoning only once the plain numbers are spent.
        if (PairPass())
            continue;
        if (!CountPass())
            break;
    }
    m_hook = nullptr;
    return !m_contradicted && m_opened == safeCells;
}

void NoGuessSolver::Settle(int32_t cell, bool mine, Reason reason)
{
    if (!Covered(cell) || m_contradicted)
        return;
    if (mine != ((*m_mines)[size_t(cell)] != 0)) {
        assert(!"a deduction went against the board");
        m_contradicted = true;
        return;
    }
    m_state[size_t(cell)] = mine ? Knowledge::Mine : Knowledge::Open;
    m_work += m_topology.Neighbours(cell).size();
    --m_coveredTotal;
    ++(mine ? m_found : m_opened);
    if (m_hook)
        (*m_hook)(Step{cell, mine, reason});
    int8_t covered = 0, missing = 0;
    for (int32_t y : m_topology.Neighbours(cell)) {
        missing += int8_t((*m_mines)[size_t(y)] != 0 && m_state[size_t(y)] != Knowledge::Mine);
        if (Covered(y))
            ++covered;
        if (!IsOpen(y))
            continue;
        --m_covered[size_t(y)];
        if (mine)
            --m_missing[size_t(y)];
        Touch(y);
    }
    if (mine)
        return;
    m_covered[size_t(cell)] = covered;
    m_missing[size_t(cell)] = missing;
    Touch(cell);
}

void NoGuessSolver::Touch(int32_t cell)
{
    if (!m_queued[size_t(cell)]) {
        m_queued[size_t(cell)] = 1;
        m_queue.push_back(cell);
    }
    if (!m_isPairDirty[size_t(cell)]) {
        m_isPairDirty[size_t(cell)] = 1;
        m_pairDirty.push_back(cell);
    }
}

void NoGuessSolver::DrainNumbers()
{
    while (m_queueHead < m_queue.size() && !m_contradicted) {
        const int32_t a = m_queue[m_queueHead++];
        m_queued[size_t(a)] = 0;
        const int8_t covered = m_covered[size_t(a)];
        if (covered == 0)
            continue;
        const int8_t missing = m_missing[size_t(a)];
        if (missing != 0 && missing != covered)
            continue;
        // All safe or all mines; settling changes the list, so copy it first.
        const bool mines = missing != 0;
        int32_t around[16];
        int32_t count = 0;
        for (int32_t y : m_topology.Neighbours(a))
            if (Covered(y))
                around[count++] = y;
        for (int32_t i = 0; i < count; ++i)
            Settle(around[i], mines, Reason::Number);
    }
    m_queue.clear();
    m_queueHead = 0;
}

bool NoGuessSolver::PairPass()
{
    while (!m_pairDirty.empty() && !m_contradicted) {
        const int32_t a = m_pairDirty.back();
        m_pairDirty.pop_back();
        m_isPairDirty[size_t(a)] = 0;
        if (m_covered[size_t(a)] == 0)
            continue;
        const uint32_t markA = NextStamp();
        for (int32_t u : m_topology.Neighbours(a))
            if (Covered(u))
                m_mark[size_t(u)] = markA;
        // Every other number that touches one of a's covered cells, once.
        const uint32_t seen = NextStamp();
        m_seen[size_t(a)] = seen;
        for (int32_t u : m_topology.Neighbours(a)) {
            if (!Covered(u))
                continue;
            for (int32_t b : m_topology.Neighbours(u)) {
                if (m_seen[size_t(b)] == seen || !IsOpen(b) || m_covered[size_t(b)] == 0)
                    continue;
                m_seen[size_t(b)] = seen;
                m_work += m_topology.Neighbours(b).size();
                ComparePair(a, b, markA);
            }
        }
        if (m_pending.empty())
            continue;
        for (const auto& [cell, mine] : m_pending)
            Settle(cell, mine, Reason::Pair);
        m_pending.clear();
        return true;
    }
    return false;
}

void NoGuessSolver::ComparePair(int32_t a, int32_t b, uint32_t markA)
{
    int32_t shared = 0;
    for (int32_t v : m_topology.Neighbours(b))
        shared += Covered(v) && m_mark[size_t(v)] == markA;
    const int32_t onlyA = m_covered[size_t(a)] - shared;
    const int32_t onlyB = m_covered[size_t(b)] - shared;
    if (onlyA == 0 && onlyB == 0)
        return;  // the same cells: nothing either does not say alone
    const int32_t ra = m_missing[size_t(a)], rb = m_missing[size_t(b)];
    // The mines of the shared part, as both numbers allow.
    const int32_t low = std::max({0, ra - onlyA, rb - onlyB});
    const int32_t high = std::min({shared, ra, rb});
    // So a's own cells hold ra - high .. ra - low mines, b's likewise.
    const auto settleOwn = [&](int32_t self, int32_t own, int32_t missing, bool selfIsA) {
        if (own == 0)
            return;
        bool mine;
        if (missing - low == 0)
            mine = false;
        else if (missing - high == own)
            mine = true;
        else
            return;
        const uint32_t markB = NextStamp();
        if (selfIsA)
            for (int32_t v : m_topology.Neighbours(b))
                m_markOther[size_t(v)] = markB;
        for (int32_t v : m_topology.Neighbours(self)) {
            if (!Covered(v))
                continue;
            const bool inOther = selfIsA ? m_markOther[size_t(v)] == markB : m_mark[size_t(v)] == markA;
            if (!inOther)
                m_pending.emplace_back(v, mine);
        }
    };
    settleOwn(a, onlyA, ra, true);
    settleOwn(b, onlyB, rb, false);
}

bool NoGuessSolver::CountPass()
{
    if (m_coveredTotal == 0)
        return false;
    m_work += uint64_t(m_topology.CellCount());
    const int32_t left = m_mineTotal - m_found;
    const size_t n = size_t(m_topology.CellCount());
    if (left == 0 || left == m_coveredTotal) {
        for (size_t i = 0; i < n; ++i)
            Settle(int32_t(i), left != 0, Reason::MinesLeft);
        return true;
    }
    // Numbers that share no covered cell hold exactly the sum of their
    // missing mines; the cells outside them hold the rest of the count.
    const uint32_t packed = NextStamp();
    int32_t packedMines = 0, packedCells = 0;
    for (size_t i = 0; i < n; ++i) {
        const int32_t a = int32_t(i);
        if (!IsOpen(a) || m_covered[i] == 0)
            continue;
        // One number against the count alone.
        const int32_t outside = m_coveredTotal - m_covered[i];
        const int32_t outsideMines = left - m_missing[i];
        if (outside > 0 && (outsideMines == 0 || outsideMines == outside)) {
            const uint32_t own = NextStamp();
            for (int32_t v : m_topology.Neighbours(a))
                m_mark[size_t(v)] = own;
            SettleCoveredExcept(own, outsideMines != 0);
            return true;
        }
        bool disjoint = true;
        for (int32_t v : m_topology.Neighbours(a))
            disjoint = disjoint && !(Covered(v) && m_mark[size_t(v)] == packed);
        if (!disjoint)
            continue;
        for (int32_t v : m_topology.Neighbours(a))
            if (Covered(v))
                m_mark[size_t(v)] = packed;
        packedMines += m_missing[i];
        packedCells += m_covered[i];
    }
    const int32_t outside = m_coveredTotal - packedCells;
    const int32_t outsideMines = left - packedMines;
    if (outside == 0 || (outsideMines != 0 && outsideMines != outside))
        return false;
    SettleCoveredExcept(packed, outsideMines != 0);
    return true;
}

void NoGuessSolver::SettleCoveredExcept(uint32_t markStamp, bool mine)
{
    m_pending.clear();
    for (int32_t i = 0; i < m_topology.CellCount(); ++i)
        if (Covered(i) && m_mark[size_t(i)] != markStamp)
            m_pending.emplace_back(i, mine);
    for (const auto& [cell, m] : m_pending)
        Settle(cell, m, Reason::MinesLeft);
    m_pending.clear();
}

}  // namespace mf
