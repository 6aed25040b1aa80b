#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Status.h"
#include "jigsaw/library/DirectoryCache.h"
#include "jigsaw/library/ShelfEntry.h"
#include "jigsaw/library/Shelves.h"
#include "jigsaw/scores/PuzzleId.h"
#include "jigsaw/scores/ShelfLookup.h"

namespace fw {
class Profile;
}

namespace qv {

class LibraryPrompt;

// The puzzle library without its window: the shelves, the directory cache
// of the folder shown, the listing of a shelf, finding a puzzle by title
// and moving a puzzle with its saved games and scores to another shelf.
// One object lives from start-up to exit; the scores code reaches the
// current shelf through it (ShelfLookup).
class Library : public ShelfLookup {
public:
    Library(fw::Profile& settings, std::filesystem::path programDir);
    ~Library() override = default;

    Shelves& shelves() { return m_shelves; }
    const Shelves& shelves() const { return m_shelves; }
    DirectoryCache& cache() { return m_cache; }
    fw::Profile& settings() { return m_settings; }

    // "AbEnd" was not 0 at start: caches are rebuilt from the files.
    void setAbnormalEnd(bool abnormal);

    // The puzzle files of the folder, then its saved games, each in name
    // order, from the cache or (on a miss) from the file, which is then
    // cached. An unreadable file is listed with its status set.
    std::vector<ShelfEntry> ListShelf(const std::filesystem::path& dir);
    // The first puzzle file of the folder (the current shelf's when dir is
    // empty) whose title equals title without regard to case.
    std::optional<std::filesystem::path> FindPuzzleByTitle(const std::string& title,
                                                           const std::filesystem::path& dir);

    // The puzzle file whose picture block has this id, looked for on the
    // current shelf first, then on the others in their listing order; files
    // with the given title are looked at first, as an id is summed over the
    // whole picture.
    std::optional<std::filesystem::path> FindPuzzleById(const PuzzleId& id, const std::string& title) const;

    // A file of a shelf was written (a saved game, a new puzzle): its record
    // is refreshed and that folder's cache saved.
    void UpdateCache(const std::filesystem::path& file);
    // A file of a shelf was deleted: its record goes and the cache is saved.
    void ForgetFile(const std::filesystem::path& file);
    // Saves the cache of the folder shown (the library window closes).
    void CloseCache() { m_cache.Close(); }
    // Shelves::DeleteShelf, after dropping that folder's open cache so that
    // it is not written back into the folder.
    bool DeleteShelf(std::string_view name = {});

    // Moves a puzzle file to another shelf with its saved games (renamed
    // "(2)", "(3)"... where their names are taken there) and its scores
    // files (keys of renamed games rewritten). Asks through prompt. Fails
    // with the cancelled status, 1012 naming a file that could not be read
    // or written (nothing is deleted then), or 20 for an unknown shelf.
    fw::Status MovePuzzle(const std::filesystem::path& puzzle, std::string_view targetShelf, LibraryPrompt& prompt);

    // ShelfLookup, for the scores code.
    std::filesystem::path shelfDirectory() const override { return m_shelves.CurrentDirectory(); }
    std::optional<ShelfPuzzle> FindPuzzleByTitle(const std::string& title) const override;
    // The owner text of a puzzle file (its "(c):" notice), empty when it has
    // none or cannot be read.
    static std::string OwnerOf(const std::filesystem::path& puzzle);

private:
    ShelfEntry entryOf(const std::filesystem::path& file, ShelfEntry::Kind kind, bool useCache) const;
    std::optional<std::filesystem::path> findByTitle(const std::string& title, const std::filesystem::path& dir) const;

    fw::Profile& m_settings;
    Shelves m_shelves;
    // Mutable: the scores code looks titles up through a const interface,
    // and every look-up refreshes the cache.
    mutable DirectoryCache m_cache;
};

}  // namespace qv
