#pragma once
#include <cstdint>
#include <string>

#include "framework/Status.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

struct Entry;

namespace msg {
constexpr int CutTableTooSmall = 4717;  // the table cannot hold the cut's picture (with its size)
constexpr int CutPuzzleDiffers = 4718;  // the puzzle's sizes or options are not the cut's (with the title)
}  // namespace msg

// What the pieces of a game depend on besides the picture itself. A new game
// opened with the recipe of another game of the same puzzle file is cut
// exactly as that game was: the same cells, knobs and first rotations.
struct CutRecipe {
    int8_t level = 0;          // size index 0..5; 5 is the custom grid
    int16_t rows = 0;
    int16_t columns = 0;
    uint16_t options = 0;      // NoRotable and NoDeform of the document's option flags
    Point16 picture;           // the scaled picture's width and height
    int16_t version = 0;       // the cutting rules
    uint32_t seed = 0;         // the cutting seed
    // Kept with the game (its saved game's own key) and with its results.
    std::string mark;

    static constexpr uint16_t CutOptions = 0x0020 | 0x0100;

    // A puzzle whose stock sizes are rows[k] x columns[k] (count of them:
    // stockCount) and whose file sets puzzleOptions: can it be cut so?
    // A stock level must have the same grid, and a puzzle that never rotates
    // (or has plain pieces) cannot be cut as one that does. 4718 naming the
    // title otherwise.
    fw::Status fits(const int16_t rows[5], const int16_t columns[5], int stockCount, uint16_t puzzleOptions,
                    const std::string& title) const;
    // The same question of a puzzle file's entry, before anything is opened.
    fw::Status fits(const Entry& entry) const;
};

}  // namespace qv
