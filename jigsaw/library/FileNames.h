#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// File-name helpers of the library. Puzzle folders come from a system whose
// file names ignore case, and whose folder listings come sorted by name; the
// library keeps both habits on every system so a shelf lists, finds and
// collides the same way everywhere.
namespace files {

bool equalIgnoringCase(std::string_view a, std::string_view b);
std::string upperAscii(std::string_view text);

// The regular files of a folder whose extension is `extension` (".puz"),
// compared without case, sorted by name without case. A missing folder
// lists nothing.
std::vector<std::filesystem::path> listFiles(const std::filesystem::path& dir, std::string_view extension);
// The sub-folders of a folder, sorted the same way.
std::vector<std::filesystem::path> listFolders(const std::filesystem::path& dir);

// The file of that name in dir, matched without case; nullopt when none.
std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& dir, std::string_view name);

bool isFile(const std::filesystem::path& path);
bool isFolder(const std::filesystem::path& path);

// The same file, whether spelled alike or not.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace files
}  // namespace qv
