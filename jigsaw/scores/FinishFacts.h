#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class LiveRanking;
class Puz;
class ScoreKeeper;

// A piece counts as placed once it sits against a neighbour: at least one
// of its sides is joined. Loose pieces lying in the right spot by chance
// are not counted, since the game does not know where a piece "should" lie
// until it is joined. In a complete puzzle every piece is placed, a puzzle
// of a single piece included.
int placedPieces(const Puz& puz);

// What the progress line of a game outside competition shows.
struct ProgressFacts {
    int placed = 0;
    int total = 0;
    int32_t elapsedMs = 0;
    bool running = false;  // the clock runs (not paused, not finished)

    static ProgressFacts Of(const Puz& puz, const ScoreKeeper& keeper);
    bool operator==(const ProgressFacts&) const = default;
};

// What the window at the end of a game shows and offers.
struct FinishFacts {
    struct Size {
        int index = 0;  // the size index to open the puzzle at
        int columns = 0;
        int rows = 0;
        bool operator==(const Size&) const = default;
    };

    std::string title;
    int32_t elapsedMs = 0;
    int moves = 0;
    int helps = 0;
    int32_t score = 0;
    // The game's place in its ranking (1-based) and the results there; 0
    // when the game keeps no ranking (outside competition).
    int place = 0;
    int results = 0;
    // The puzzle's other stock sizes, smallest index first.
    std::vector<Size> otherSizes;

    static FinishFacts Of(const Puz& puz, const LiveRanking& live);
};

}  // namespace qv
