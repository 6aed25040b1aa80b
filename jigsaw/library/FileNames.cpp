#include "jigsaw/library/FileNames.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace qv::files {

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool lessIgnoringCase(const fs::path& a, const fs::path& b)
{
    std::string x = upperAscii(a.filename().string());
    std::string y = upperAscii(b.filename().string());
    return x != y ? x < y : a.filename().string() < b.filename().string();
}

template <typename Keep>
std::vector<fs::path> listSorted(const fs::path& dir, Keep keep)
{
    std::vector<fs::path> out;
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (keep(*it))
            out.push_back(it->path());
    }
    std::sort(out.begin(), out.end(), lessIgnoringCase);
    return out;
}

}  // namespace

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

std::string upperAscii(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        c = upper(c);
    return s;
}

std::vector<fs::path> listFiles(const fs::path& dir, std::string_view extension)
{
    return listSorted(dir, [&](const fs::directory_entry& e) {
        std::error_code ec;
        return e.is_regular_file(ec) && equalIgnoringCase(e.path().extension().string(), extension);
    });
}

std::vector<fs::path> listFolders(const fs::path& dir)
{
    return listSorted(dir, [](const fs::directory_entry& e) {
        std::error_code ec;
        return e.is_directory(ec);
    });
}

std::optional<fs::path> findIgnoringCase(const fs::path& dir, std::string_view name)
{
    if (isFile(dir / name))
        return dir / name;
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (equalIgnoringCase(it->path().filename().string(), name) && isFile(it->path()))
            return it->path();
    }
    return std::nullopt;
}

bool isFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool isFolder(const fs::path& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool sameFile(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    std::error_code ea, eb;
    fs::path x = fs::weakly_canonical(a, ea), y = fs::weakly_canonical(b, eb);
    if (ea || eb)
        return fs::absolute(a, ea).lexically_normal() == fs::absolute(b, eb).lexically_normal();
    return x == y;
}

}  // namespace qv::files
