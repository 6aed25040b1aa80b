#include "jigsaw/library/Library.h"

#include <map>

#include "framework/Profile.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/HeaderString.h"
#include "jigsaw/library/FileNames.h"

namespace fs = std::filesystem;

namespace qv {

Library::Library(fw::Profile& settings, fs::path programDir)
    : m_settings(settings), m_shelves(settings, std::move(programDir))
{
}

void Library::setAbnormalEnd(bool abnormal)
{
    if (abnormal)
        m_cache.requestRebuild();
}

ShelfEntry Library::entryOf(const fs::path& file, ShelfEntry::Kind kind, bool useCache) const
{
    const std::string name = file.filename().string();
    ShelfEntry e;
    if (useCache && m_cache.Lookup(name, kind, e))
        return e;
    e = ShelfEntry::read(file, kind);
    if (useCache)
        m_cache.Store(e);
    else
        m_cache.Forget(name);
    return e;
}

std::vector<ShelfEntry> Library::ListShelf(const fs::path& dir)
{
    m_cache.Open(dir, false);
    const std::vector<fs::path> puzzles = files::listFiles(dir, ".puz");
    const std::vector<fs::path> saved = files::listFiles(dir, ".sav");
    // The cache keys files by their name in upper case: names that differ
    // only in case (possible here, not where the cache comes from) would
    // share a record, so such files are always read from the file.
    std::map<std::string, int> spellings;
    for (const auto* list : {&puzzles, &saved}) {
        for (const fs::path& p : *list)
            ++spellings[files::upperAscii(p.filename().string())];
    }
    std::vector<ShelfEntry> out;
    out.reserve(puzzles.size() + saved.size());
    for (const auto* list : {&puzzles, &saved}) {
        const auto kind = list == &puzzles ? ShelfEntry::Kind::Puzzle : ShelfEntry::Kind::SavedGame;
        for (const fs::path& p : *list)
            out.push_back(entryOf(p, kind, spellings[files::upperAscii(p.filename().string())] == 1));
    }
    return out;
}

std::optional<fs::path> Library::FindPuzzleByTitle(const std::string& title, const fs::path& dir)
{
    return findByTitle(title, dir);
}

std::optional<fs::path> Library::findByTitle(const std::string& title, const fs::path& dir) const
{
    const fs::path folder = dir.empty() ? m_shelves.CurrentDirectory() : dir;
    // Only puzzle files are looked at: the saved games' records must stay.
    m_cache.Open(folder, true);
    for (const fs::path& p : files::listFiles(folder, ".puz")) {
        ShelfEntry e = entryOf(p, ShelfEntry::Kind::Puzzle, true);
        if (e.status.ok() && files::equalIgnoringCase(e.title, title))
            return p;
    }
    return std::nullopt;
}

std::optional<fs::path> Library::FindPuzzleById(const PuzzleId& id, const std::string& title) const
{
    if (id.isZero())
        return std::nullopt;  // the id of a file that cannot be read
    std::vector<fs::path> shelves = {m_shelves.CurrentDirectory()};
    m_shelves.EnumerateShelves([&](const std::string&, const fs::path& dir) {
        if (!files::sameFile(dir, shelves.front()))
            shelves.push_back(dir);
    });
    std::vector<fs::path> others;
    for (const fs::path& dir : shelves) {
        m_cache.Open(dir, true);
        for (const fs::path& p : files::listFiles(dir, ".puz")) {
            const ShelfEntry e = entryOf(p, ShelfEntry::Kind::Puzzle, true);
            if (!e.status.ok())
                continue;
            if (!files::equalIgnoringCase(e.title, title))
                others.push_back(p);
            else if (PuzzleId::FromFile(p) == id)
                return p;
        }
    }
    for (const fs::path& p : others) {
        if (PuzzleId::FromFile(p) == id)
            return p;
    }
    return std::nullopt;
}

std::optional<ShelfPuzzle> Library::FindPuzzleByTitle(const std::string& title) const
{
    auto path = findByTitle(title, fs::path());
    if (!path)
        return std::nullopt;
    return ShelfPuzzle{*path, OwnerOf(*path)};
}

std::string Library::OwnerOf(const fs::path& puzzle)
{
    // The cache keeps no owner: it is read from the header of the one file
    // found, which is also what the game carries in its results.
    Entry e;
    if (!e.readFile(puzzle).ok())
        return {};
    HeaderString h(e.header);
    return h.take("(c):").value_or(std::string());
}

bool Library::DeleteShelf(std::string_view name)
{
    const std::string shelf = name.empty() ? m_shelves.CurrentShelf() : std::string(name);
    if (m_cache.isOpen() && files::sameFile(m_cache.directory(), m_shelves.ShelfDirectory(shelf)) &&
        Shelves::IsValidName(shelf))
        m_cache.Discard();
    return m_shelves.DeleteShelf(shelf);
}

void Library::UpdateCache(const fs::path& file)
{
    m_cache.Open(file.parent_path(), true);
    if (files::isFile(file))
        m_cache.Store(ShelfEntry::read(file, ShelfEntry::kindOf(file)));
    else
        m_cache.Forget(file.filename().string());
    m_cache.Save();
}

void Library::ForgetFile(const fs::path& file)
{
    m_cache.Open(file.parent_path(), true);
    m_cache.Forget(file.filename().string());
    m_cache.Save();
}

}  // namespace qv
