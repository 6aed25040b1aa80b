#pragma once
#include <cstdint>
#include <vector>

#include "minefield/BoardTopology.h"
#include "minefield/MinePlacement.h"

namespace mf {

struct NoGuessBoard {
    std::vector<uint8_t> mines;  // one flag a cell of the topology
    bool noGuess = false;        // the solver clears it from the first click
    bool opening = false;        // the first click is a cell without mines around
    int32_t solves = 0;          // boards the solver played, repairs included
    uint64_t work = 0;           // the solver's work on them (NoGuessSolver::Work)
};

struct NoGuessLimits {
    // Bound the work of one board, so that a first click never hangs the
    // game: solves, and the solver's work (some 60 million units a second in
    // an optimised build, so this is a fifth of a second). The presets stay
    // far below both.
    int32_t maxSolves = 4000;
    uint64_t maxWork = 12'000'000;
    // Repairs of one placement before it is given up for a fresh one.
    int32_t repairsPerPlacement = 60;
};

// A board whose first click opens an area and that the solver then clears
// without a guess. A placement the solver gets stuck on is repaired by moving
// a mine from the stuck frontier into cells no number sees yet, and played
// again from the start. When no such board turns up within the limits (or
// cannot exist: too many mines), the last board tried is returned with the
// first click still safe, and an opening where the mines leave room for it.
NoGuessBoard MakeNoGuessBoard(const BoardTopology& topology, int32_t mines, int32_t firstClick,
                              const RandomSource& random, const NoGuessLimits& limits = {});

}  // namespace mf
