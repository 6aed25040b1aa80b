#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <vector>

#include "minefield/windows/TextureFile.h"

// A FIFO or a device named as the texture in the settings must not stop the
// game at start: the reader comes back at once without a texture.
TEST(TextureFile, ReadsOnlyRegularFiles)
{
    const auto dir = std::filesystem::temp_directory_path() / ("mf-texture-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto fifo = dir / "wood.bmp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo.string(), std::string("/dev/zero"), dir.string()}) {
        SCOPED_TRACE(path);
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(mf::ReadTextureFile(path).isNull() ? 0 : 1);
        int status = -1;
        for (int i = 0; i < 200 && ::waitpid(pid, &status, WNOHANG) != pid; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!WIFEXITED(status)) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "still waiting, or read a texture";
    }
    std::filesystem::remove_all(dir);
}

namespace {

// A bitmap file as other programs write them; `info` 12 is the old header.
QByteArray Bmp(int width, int height, int bits, int compression, const std::vector<QRgb>& palette,
               const std::vector<uint8_t>& pixels, const std::vector<uint32_t>& masks = {}, int info = 40)
{
    QByteArray b;
    auto put = [&b](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    const int entry = info == 12 ? 3 : 4;
    const uint32_t offset = uint32_t(14 + info + 4 * masks.size() + entry * palette.size());
    b.append("BM");
    put(uint32_t(offset + pixels.size()), 4);
    put(0, 4);
    put(offset, 4);
    put(uint32_t(info), 4);
    if (info == 12) {
        put(uint32_t(width), 2), put(uint32_t(height), 2), put(1, 2), put(uint32_t(bits), 2);
    } else {
        put(uint32_t(width), 4), put(uint32_t(height), 4), put(1, 2), put(uint32_t(bits), 2);
        put(uint32_t(compression), 4), put(uint32_t(pixels.size()), 4), put(2835, 4), put(2835, 4);
        put(uint32_t(palette.size()), 4), put(0, 4);
    }
    for (uint32_t m : masks)
        put(m, 4);
    for (QRgb c : palette) {
        put(uint32_t(qBlue(c)), 1), put(uint32_t(qGreen(c)), 1), put(uint32_t(qRed(c)), 1);
        if (entry == 4)
            put(0, 1);
    }
    b.append(reinterpret_cast<const char*>(pixels.data()), qsizetype(pixels.size()));
    return b;
}

}  // namespace

// The game's own reader gives the pixels the toolkit's reader gives, for
// each kind of bitmap file in use.
TEST(TextureFile, DecodesEveryBitmapVariantAsTheToolkitDoes)
{
    const std::vector<QRgb> pal = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 99, 199)};
    std::vector<QRgb> full16 = pal;  // the old header has no colour count: always a full table
    full16.resize(16, qRgb(7, 7, 7));
    // The toolkit widens 5- and 6-bit colours by shifting (31 becomes 248);
    // the game scales them (31 becomes 255, white stays white).
    struct Case {
        const char* name;
        QByteArray file;
        int tolerance = 0;
    };
    const std::vector<Case> cases = {
        {"24 bits", Bmp(3, 2, 24, 0, {}, {255, 255, 255, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0})},
        {"24 bits top-down", Bmp(3, -2, 24, 0, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0})},
        {"8 bits", Bmp(3, 2, 8, 0, pal, {4, 0, 1, 0, 1, 2, 3, 0})},
        {"4 bits, old header", Bmp(3, 2, 4, 0, full16, {0x40, 0x10, 0, 0, 0x12, 0x30, 0, 0}, {}, 12)},
        {"1 bit", Bmp(9, 1, 1, 0, {qRgb(255, 0, 0), qRgb(0, 0, 255)}, {0xA5, 0x80, 0, 0})},
        {"16 bits 5-6-5", Bmp(2, 1, 16, 3, {}, {0x1F, 0xF8, 0xE0, 0x07}, {0xF800, 0x07E0, 0x001F}), 7},
        {"16 bits 5-5-5", Bmp(2, 1, 16, 0, {}, {0xFF, 0x7F, 0x1F, 0x00}), 7},
        {"32 bits", Bmp(2, 1, 32, 0, {}, {1, 2, 3, 0, 250, 128, 7, 0})},
        {"RLE8", Bmp(3, 2, 8, 1, pal, {1, 4, 1, 0, 1, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1})},
        {"RLE4", Bmp(3, 2, 4, 2, pal, {2, 0x40, 1, 0x11, 0, 0, 0, 3, 0x12, 0x30, 0, 1})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage ours = mf::DecodeTexture(c.file);
        const QImage toolkit = QImage::fromData(c.file).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(toolkit.isNull());
        ASSERT_EQ(ours.size(), toolkit.size());
        EXPECT_EQ(ours.format(), QImage::Format_RGB32);
        for (int y = 0; y < ours.height(); ++y)
            for (int x = 0; x < ours.width(); ++x)
                for (int shift : {0, 8, 16}) {
                    const int a = int(ours.pixel(x, y) >> shift & 0xFF), b = int(toolkit.pixel(x, y) >> shift & 0xFF);
                    EXPECT_LE(std::abs(a - b), c.tolerance) << x << "," << y << " channel " << shift;
                }
    }
}

// Headers that lie about the size or the data are refused without costing
// the memory they claim.
TEST(TextureFile, RefusesFilesTheirDataCannotFill)
{
    std::vector<uint8_t> runs;
    for (int i = 0; i < 100; ++i)
        runs.insert(runs.end(), {255, 1});
    const std::vector<QByteArray> files = {
        Bmp(4000, 4000, 8, 1, {qRgb(0, 0, 0), qRgb(255, 0, 0)}, runs),  // runs cover 25,500 of 16 M pixels
        Bmp(4000, 4000, 24, 0, {}, std::vector<uint8_t>(12000 * 3)),     // three rows of 4000
        Bmp(40000, 40000, 24, 0, {}, {}),
        Bmp(3, 2, 24, 7, {}, std::vector<uint8_t>(24)),                   // unknown compression
        Bmp(3, 2, 16, 3, {}, std::vector<uint8_t>(16), {0xF0F0, 0x0F00, 0x000F}),  // broken mask
        QByteArray("BM"),
    };
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_TRUE(mf::DecodeTexture(files[i]).isNull()) << "file " << i;
}
