#pragma once
// Shared by the fault tests: a folder per test and small files.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "jigsaw/document/PuzzleFileWriter.h"

namespace crashsafe {

class TempDir {
public:
    TempDir()
    {
        static std::atomic<int> n{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("qv-crashsafe-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

inline std::vector<uint8_t> readAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeAll(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// A puzzle file whose picture block is a stand-in: enough for opening
// without pixels (the document then only needs the picture's size).
inline bool writeCastlePuzzle(const std::filesystem::path& path, const std::string& header)
{
    qv::PuzzleFileContent c;
    c.title = "Castle";
    c.sizeCount = 1;
    c.header = header;
    c.palette = {0x112233};
    c.jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
    return qv::writePuzzleFile(path, c).ok();
}

}  // namespace crashsafe
