#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

namespace qv {

class Puz;

// The facts of the open game that rankings and certificates use. The shell
// fills it from the puzzle document each time it is asked, so it always
// tells the current paths and names.
struct ScoreGame {
    std::filesystem::path puzzlePath;     // full path of the puzzle file; empty when none is open
    std::filesystem::path savedGamePath;  // empty until the game is saved or loaded
    std::string title;
    std::string player;  // as the document holds it; records clean it
    std::string owner;
    int level = 0;       // size index 0..5
    int columns = 0;     // the grid of that size, first the value the puzzle file stores first
    int rows = 0;
    uint16_t flags = 0;  // 0x20 NoRotable, 0x100 Mosaic
    int pieces = 0;
    bool scoresOn = false;  // competition mode of this game
    // The mark of the shared cut the game was started from; empty for others.
    std::string cutMark;

    // The extra text of this game's results: "QvCut:" and the mark for a
    // game of a shared cut, so that results on the same pieces are told
    // apart; empty otherwise.
    std::string extraText() const;

    // The facts of the open document. scoresOn is the game's competition
    // option; owner is the owner text results of this installation carry.
    static ScoreGame FromPuz(const Puz& puz, bool scoresOn, const std::string& owner = {});
};

}  // namespace qv
