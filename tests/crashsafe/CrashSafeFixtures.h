#pragma once
// Shared by the fault tests: a folder per test and small files.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "framework/Bitmap.h"
#include "jigsaw/document/CutRandom.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/Puz.h"
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

// A puzzle with a real picture, so that opening decodes it and may write
// the picture cache into the file.
inline bool writePicturePuzzle(const std::filesystem::path& path, std::vector<uint32_t> palette = {0x112233})
{
    fw::Bitmap bmp(160, 120);
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x)
            bmp.row(y)[x] = static_cast<uint32_t>((x * 3) << 16 | (y * 2) << 8 | (x ^ y));
    fw::MemoryStream jpeg;
    if (!qv::EncodeJpeg(bmp, {}, jpeg, 0, 80, qv::kJpegOptimise).ok())
        return false;
    qv::PuzzleFileContent c;
    c.title = "Castle";
    c.sizeCount = 1;
    c.header = "/Med0:4#6/Tit:Castle/Rndn:5";
    c.palette = std::move(palette);
    c.jpeg = jpeg.take();
    return qv::writePuzzleFile(path, c).ok();
}

// Opening with pixels; the cache is wanted and the disk said to be roomy,
// so only the file system itself can keep the cache from being written.
struct PixelOpening {
    qv::HeadlessUser user;
    qv::PictureSteps steps;
    qv::CutRandom rng;
    PixelOpening()
    {
        user.screen = {800, 600};
        user.frame = {800, 560};
        steps.picture.display.width = 800;
        steps.picture.display.height = 600;
        steps.picture.cacheEnabled = true;
        steps.picture.freeSpace = [](const std::filesystem::path&) -> uint64_t { return 1u << 30; };
    }
    void attach(qv::Puz& puz)
    {
        puz.setUser(&user);
        puz.setSteps(&steps);
        puz.setGenerator(&rng);
    }
};

}  // namespace crashsafe
