#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace fw {
class Profile;
}

namespace qv {

// The shelves of the puzzle library: the puzzles root (settings key
// "DirPuzzles", else the program's folder) is the main shelf, named after the
// program; every sub-folder of the root that holds the empty marker file
// "qvshelf.dat" is another shelf, named after its folder. The current shelf
// is kept in the settings under "Main"/"Shelf".
class Shelves {
public:
    static constexpr const char* MainShelf = "Quorvane";
    static constexpr const char* Marker = "qvshelf.dat";
    static constexpr const char* CacheFile = "dircache.tmp";
    static constexpr const char* ScoresFolder = "scores";

    // The settings are read each time (another window may change them).
    Shelves(fw::Profile& settings, std::filesystem::path programDir);

    std::filesystem::path PuzzlesRoot() const;
    // The root for the main shelf (or an empty name), else root/name.
    std::filesystem::path ShelfDirectory(std::string_view name) const;

    using ShelfCallback = std::function<void(const std::string& name, const std::filesystem::path& dir)>;
    // Calls back with the main shelf first, then every marked sub-folder in
    // name order; returns how many it called back with.
    int EnumerateShelves(const ShelfCallback& callback) const;
    int CountShelves() const;
    // Makes the folder if missing and the marker in it. False when the name
    // cannot name a sub-folder (empty, the main shelf, a path) or the marker
    // cannot be made.
    bool CreateShelf(std::string_view name);
    // Removes the shelf's empty "scores" folder, its cache and marker, and
    // the folder itself when nothing is left in it; puzzle and saved-game
    // files are never deleted. The current shelf when no name is given; the
    // main shelf cannot be deleted. Deleting the current shelf makes the
    // main shelf current.
    bool DeleteShelf(std::string_view name = {});
    bool SelectShelf(std::string_view name);
    // The stored shelf while it is still a shelf, else the main shelf.
    std::string CurrentShelf() const;
    std::filesystem::path CurrentDirectory() const { return ShelfDirectory(CurrentShelf()); }

    bool IsMainShelf(std::string_view name) const;
    // A marked sub-folder of the root (or the main shelf).
    bool IsShelf(std::string_view name) const;
    // A name that can only mean a sub-folder of the root.
    static bool IsValidName(std::string_view name);

private:
    fw::Profile& m_settings;
    std::filesystem::path m_programDir;
};

}  // namespace qv
