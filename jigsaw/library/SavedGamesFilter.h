#pragma once
#include <string>

namespace fw {
class Profile;
}

namespace qv {

struct ShelfEntry;

// The filter of the library's saved-games list, kept between runs in the
// settings section "OptsLoad". Every value "*" or empty lets everything
// through. Otherwise: Level is a size index (0..5); Player a name, matched
// without regard to case; Status "0" for games in progress, "1" for
// completed ones; NonRotate and Mosaic "0" or "1" for the game's option.
struct SavedGamesFilter {
    std::string level;
    std::string player;
    std::string status;
    std::string nonRotate;
    std::string mosaic;

    static SavedGamesFilter Load(const fw::Profile& settings);
    bool Save(fw::Profile& settings) const;
    // Puzzle files always pass: the filter is for saved games.
    bool Matches(const ShelfEntry& entry) const;
};

}  // namespace qv
