#include "jigsaw/library/Shelves.h"

#include "framework/FileStream.h"
#include "framework/Profile.h"
#include "jigsaw/library/FileNames.h"

namespace fs = std::filesystem;

namespace qv {

namespace {

constexpr const char* kSection = "Main";
constexpr const char* kShelfKey = "Shelf";
constexpr const char* kRootKey = "DirPuzzles";

bool removeIfPresent(const fs::path& p)
{
    std::error_code ec;
    fs::remove(p, ec);
    return !ec;
}

bool isEmptyFolder(const fs::path& p)
{
    std::error_code ec;
    return files::isFolder(p) && fs::is_empty(p, ec) && !ec;
}

}  // namespace

Shelves::Shelves(fw::Profile& settings, fs::path programDir)
    : m_settings(settings), m_programDir(std::move(programDir))
{
}

fs::path Shelves::PuzzlesRoot() const
{
    std::string root = m_settings.getString(kSection, kRootKey);
    if (root.empty())
        return m_programDir;
    for (char& c : root) {
        if (c == '\\')
            c = '/';
    }
    fs::path p(root);
    return p.is_absolute() ? p : m_programDir / p;
}

fs::path Shelves::ShelfDirectory(std::string_view name) const
{
    if (name.empty() || IsMainShelf(name))
        return PuzzlesRoot();
    return PuzzlesRoot() / fs::path(std::string(name));
}

bool Shelves::IsMainShelf(std::string_view name) const { return files::equalIgnoringCase(name, MainShelf); }

bool Shelves::IsValidName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || files::equalIgnoringCase(name, MainShelf))
        return false;
    for (char c : name) {
        if (c == '/' || c == '\\' || c == ':' || c == '\0')
            return false;
    }
    return true;
}

bool Shelves::IsShelf(std::string_view name) const
{
    if (IsMainShelf(name))
        return true;
    return IsValidName(name) && files::isFile(ShelfDirectory(name) / Marker);
}

int Shelves::EnumerateShelves(const ShelfCallback& callback) const
{
    const fs::path root = PuzzlesRoot();
    if (callback)
        callback(MainShelf, root);
    int count = 1;
    for (const fs::path& dir : files::listFolders(root)) {
        if (!files::isFile(dir / Marker))
            continue;
        ++count;
        if (callback)
            callback(dir.filename().string(), dir);
    }
    return count;
}

int Shelves::CountShelves() const { return EnumerateShelves(nullptr); }

bool Shelves::CreateShelf(std::string_view name)
{
    if (!IsValidName(name))
        return false;
    const fs::path dir = ShelfDirectory(name);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (files::isFile(dir / Marker))
        return true;
    fw::FileStream marker(dir / Marker, fw::FileStream::Mode::Create);
    return marker.isOpen() && marker.close();
}

bool Shelves::DeleteShelf(std::string_view name)
{
    const std::string target = name.empty() ? CurrentShelf() : std::string(name);
    if (!IsValidName(target) || !files::isFolder(ShelfDirectory(target)))
        return false;
    const bool wasCurrent = files::equalIgnoringCase(target, CurrentShelf());
    const fs::path dir = ShelfDirectory(target);
    if (isEmptyFolder(dir / ScoresFolder))
        removeIfPresent(dir / ScoresFolder);
    bool ok = removeIfPresent(dir / CacheFile) && removeIfPresent(dir / Marker);
    if (isEmptyFolder(dir))
        ok = removeIfPresent(dir) && ok;
    if (wasCurrent)
        SelectShelf(MainShelf);
    return ok;
}

bool Shelves::SelectShelf(std::string_view name)
{
    if (!IsShelf(name))
        return false;
    return m_settings.setString(kSection, kShelfKey, IsMainShelf(name) ? std::string_view(MainShelf) : name);
}

std::string Shelves::CurrentShelf() const
{
    std::string stored = m_settings.getString(kSection, kShelfKey);
    if (stored.empty() || !IsShelf(stored) || !files::isFolder(ShelfDirectory(stored)))
        return MainShelf;
    return IsMainShelf(stored) ? std::string(MainShelf) : stored;
}

}  // namespace qv
