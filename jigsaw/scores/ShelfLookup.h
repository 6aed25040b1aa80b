#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace qv {

// A puzzle file found on the current shelf.
struct ShelfPuzzle {
    std::filesystem::path path;
    std::string owner;  // the owner text results of this puzzle carry here
};

// What the scores code asks of the library: where the current shelf is and
// which of its puzzles has a title. The library implements it; tests fake it.
class ShelfLookup {
public:
    virtual ~ShelfLookup() = default;
    virtual std::filesystem::path shelfDirectory() const = 0;
    virtual std::optional<ShelfPuzzle> FindPuzzleByTitle(const std::string& title) const = 0;
};

}  // namespace qv
