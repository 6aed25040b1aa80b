#include "minefield/NoGuessGenerator.h"

#include <algorithm>

#include "minefield/NoGuessSolver.h"

namespace mf {

namespace {

uint32_t Below(const RandomSource& random, size_t n) { return uint32_t(random() % uint32_t(n)); }

class Generator {
public:
    Generator(const BoardTopology& topology, int32_t mines, int32_t firstClick, const RandomSource& random)
        : m_topology(topology), m_solver(topology), m_random(random), m_first(firstClick),
          m_mines(std::clamp(mines, 0, topology.CellCount() - 1))
    {
        // The first click and its neighbours stay free, so it opens an area.
        m_zone.assign(size_t(topology.CellCount()), 0);
        m_zone[size_t(firstClick)] = 1;
        for (int32_t q : topology.Neighbours(firstClick))
            m_zone[size_t(q)] = 1;
        for (int32_t i = 0; i < topology.CellCount(); ++i)
            (m_zone[size_t(i)] ? m_inZone : m_outside).push_back(i);
    }

    bool OpeningPossible() const { return m_mines <= int32_t(m_outside.size()); }

    // Mines spread evenly over the cells outside the zone (or, when they do
    // not fit there, over the zone too, but never on the first click).
    std::vector<uint8_t> Place()
    {
        std::vector<uint8_t> board(size_t(m_topology.CellCount()), 0);
        std::vector<int32_t> pool = m_outside;
        int32_t left = m_mines;
        for (size_t i = 0; i < pool.size() && left > 0; ++i, --left) {
            std::swap(pool[i], pool[i + Below(m_random, pool.size() - i)]);
            board[size_t(pool[i])] = 1;
        }
        std::vector<int32_t> zone;
        for (int32_t c : m_inZone)
            if (c != m_first)
                zone.push_back(c);
        for (size_t i = 0; i < zone.size() && left > 0; ++i, --left) {
            std::swap(zone[i], zone[i + Below(m_random, zone.size() - i)]);
            board[size_t(zone[i])] = 1;
        }
        return board;
    }

    bool Solve(const std::vector<uint8_t>& board) { return m_solver.Solve(board, m_first); }
    uint64_t Work() const { return m_solver.Work(); }

    // After a stuck solve: one mine of the stuck frontier moves to a cell no
    // open number touches, or, with none left, to any undecided cell.
    bool Repair(std::vector<uint8_t>& board)
    {
        m_sources.clear();
        m_far.clear();
        m_near.clear();
        for (int32_t i = 0; i < m_topology.CellCount(); ++i) {
            if (m_solver.At(i) != NoGuessSolver::Knowledge::Covered)
                continue;
            bool seen = false;
            for (int32_t q : m_topology.Neighbours(i))
                seen = seen || m_solver.At(q) == NoGuessSolver::Knowledge::Open;
            if (!board[size_t(i)])
                (seen ? m_near : m_far).push_back(i);
            else if (seen)
                m_sources.push_back(i);
        }
        const std::vector<int32_t>& targets = m_far.empty() ? m_near : m_far;
        if (m_sources.empty() || targets.empty())
            return false;
        board[size_t(m_sources[Below(m_random, m_sources.size())])] = 0;
        board[size_t(targets[Below(m_random, targets.size())])] = 1;
        return true;
    }

private:
    const BoardTopology& m_topology;
    NoGuessSolver m_solver;
    const RandomSource& m_random;
    int32_t m_first;
    int32_t m_mines;
    std::vector<uint8_t> m_zone;
    std::vector<int32_t> m_inZone, m_outside;
    std::vector<int32_t> m_sources, m_far, m_near;
};

}  // namespace

NoGuessBoard MakeNoGuessBoard(const BoardTopology& topology, int32_t mines, int32_t firstClick,
                              const RandomSource& random, const NoGuessLimits& limits)
{
    Generator gen(topology, mines, firstClick, random);
    NoGuessBoard result;
    result.opening = gen.OpeningPossible();
    result.mines = gen.Place();
    if (!result.opening) {
        // No opening, so no board for the solver to begin with: the first
        // click is still safe.
        return result;
    }
    const auto withinLimits = [&] { return result.solves < limits.maxSolves && gen.Work() < limits.maxWork; };
    while (withinLimits()) {
        for (int32_t repair = 0; repair <= limits.repairsPerPlacement && withinLimits(); ++repair) {
            ++result.solves;
            if (gen.Solve(result.mines)) {
                result.noGuess = true;
                result.work = gen.Work();
                return result;
            }
            if (!gen.Repair(result.mines))
                break;
        }
        if (withinLimits())
            result.mines = gen.Place();
    }
    // Out of bounds: the last board as it stands, its first click an opening;
    // played once more, so that what is reported is what was checked.
    result.noGuess = gen.Solve(result.mines);
    result.work = gen.Work();
    return result;
}

}  // namespace mf
