#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "minefield/BoardTopology.h"

namespace mf {

// Plays a board from its first click as a careful player would, by deduction
// alone and never by a guess:
// - a number with all its mines found opens its other covered neighbours, and
//   one with as many covered neighbours as mines still missing has them all;
// - two numbers that share covered cells bound the mines of the shared part,
//   which can settle the cells that only one of them touches (sets and
//   subsets);
// - the count of mines left settles what the numbers cannot.
// The work stays on the frontier: a number is looked at again only when a
// cell around it was settled.
class NoGuessSolver {
public:
    enum class Knowledge : uint8_t { Covered, Open, Mine };
    enum class Reason : uint8_t { FirstClick, Number, Pair, MinesLeft };
    struct Step {
        int32_t cell = -1;
        bool mine = false;  // settled as a mine, else opened as safe
        Reason reason = Reason::FirstClick;
    };
    // Told of every settled cell in order, so a test can check each step.
    using StepHook = std::function<void(const Step&)>;

    explicit NoGuessSolver(const BoardTopology& topology);

    // mines: one flag a cell of the topology. True when every safe cell ends
    // open. A first click on a mine settles nothing.
    bool Solve(const std::vector<uint8_t>& mines, int32_t firstClick, const StepHook& hook = {});

    const BoardTopology& Topology() const { return m_topology; }
    Knowledge At(int32_t cell) const { return m_state[size_t(cell)]; }
    int32_t Opened() const { return m_opened; }
    int32_t MinesFound() const { return m_found; }
    // A cell settled against the board: a fault of the solver, never of the
    // board. The cell is left covered and the solve ends.
    bool Contradicted() const { return m_contradicted; }
    // Neighbours visited over every solve so far: a measure of the time spent
    // that does not depend on the machine.
    uint64_t Work() const { return m_work; }

private:
    void Reset(const std::vector<uint8_t>& mines);
    void Settle(int32_t cell, bool mine, Reason reason);
    void Touch(int32_t cell);
    void DrainNumbers();
    bool PairPass();
    void ComparePair(int32_t a, int32_t b, uint32_t markA);
    bool CountPass();
    void SettleCoveredExcept(uint32_t markStamp, bool mine);
    bool Covered(int32_t cell) const { return m_state[size_t(cell)] == Knowledge::Covered; }
    bool IsOpen(int32_t cell) const { return m_state[size_t(cell)] == Knowledge::Open; }

    const BoardTopology& m_topology;
    const std::vector<uint8_t>* m_mines = nullptr;
    const StepHook* m_hook = nullptr;
    std::vector<Knowledge> m_state;
    // For open cells: covered neighbours, and mines among them not found yet.
    std::vector<int8_t> m_covered;
    std::vector<int8_t> m_missing;
    // Numbers to look at alone (first in, first out) and in pairs.
    std::vector<int32_t> m_queue;
    size_t m_queueHead = 0;
    std::vector<uint8_t> m_queued;
    std::vector<int32_t> m_pairDirty;
    std::vector<uint8_t> m_isPairDirty;
    // Set membership without clearing: a cell belongs while its stamp is current.
    uint32_t NextStamp();
    std::vector<uint32_t> m_mark;
    std::vector<uint32_t> m_markOther;
    std::vector<uint32_t> m_seen;
    uint32_t m_stamp = 0;
    std::vector<std::pair<int32_t, bool>> m_pending;
    int32_t m_mineTotal = 0;
    int32_t m_coveredTotal = 0;
    int32_t m_opened = 0;
    int32_t m_found = 0;
    bool m_contradicted = false;
    uint64_t m_work = 0;
};

}  // namespace mf
