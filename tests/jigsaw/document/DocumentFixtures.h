#pragma once
#include "tests/support/TempDir.h"
#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "framework/FileStream.h"
#include "jigsaw/document/PuzzleFileWriter.h"

namespace testfix {

using qvtest::TempDir;

// A small puzzle file: two stock sizes (4 x 6 and 6 x 8), a few bytes
// standing in for thumbnail and picture.
inline qv::PuzzleFileContent sampleContent(const std::string& header = "/Med0:4#6/Med1:6#8/Tit:Castle/Rndn:0")
{
    qv::PuzzleFileContent c;
    c.title = "Castle";
    c.sizeCount = 2;
    c.header = header;
    c.thumbnailBmp = {'B', 'M', 1, 2, 3};
    c.palette = {0x112233, 0x445566};
    c.jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
    for (size_t i = 0; i < c.opaque.size(); ++i)
        c.opaque[i] = static_cast<uint8_t>(i * 7);
    return c;
}

inline std::vector<uint8_t> readAll(const std::filesystem::path& path)
{
    fw::FileStream f(path, fw::FileStream::Mode::Read);
    std::vector<uint8_t> bytes(f.size());
    f.read(bytes.data(), bytes.size());
    return bytes;
}

inline void writeAll(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    fw::FileStream f(path, fw::FileStream::Mode::Create);
    f.write(bytes.data(), bytes.size());
}

}  // namespace testfix
