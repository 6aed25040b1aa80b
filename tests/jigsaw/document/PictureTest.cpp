#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "framework/Bmp.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/PicturePalette.h"
#include "jigsaw/document/Puz.h"

using namespace qv;

namespace {

fw::Bitmap gradient(int w, int h)
{
    fw::Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.setPixel(x, y, static_cast<uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | ((x + y) & 0xFF)));
    return bmp;
}

class PictureFile : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("qv_picture_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(m_dir);
        m_path = m_dir / "test.puz";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // A puzzle file of a w x h picture with one size of 4 x 6 pieces.
    void make(int w, int h, const fw::Display& display = {})
    {
        Puz maker;
        maker.edit = Puz::Making;
        maker.entry.title = "Test";
        maker.rows[0] = 4;
        maker.columns[0] = 6;
        PictureSource src;
        src.bitmap = gradient(w, h);
        ASSERT_TRUE(WritePuzzleFile(maker, m_path, src, gradient(64, 48), display).ok());
    }

    fw::Status open(Puz& puz, PictureSteps& steps)
    {
        puz.setSteps(&steps);
        return puz.OpenPuzzle(m_path, 0, 0);
    }

    PuzzleDirectory directory()
    {
        Entry e;
        EXPECT_TRUE(e.readFile(m_path).ok());
        return e.directory;
    }

    uint8_t cacheMode()
    {
        fw::FileStream f(m_path, fw::FileStream::Mode::Read);
        f.seek(directory().cacheOffset);
        return fw::ByteReader(f).u8();
    }

    std::filesystem::path m_dir, m_path;
};

fw::Display display(int palette, bool low = false)
{
    fw::Display d;
    d.paletteSize = palette;
    d.lowColour = low;
    return d;
}

}  // namespace

TEST(PictureScale, FollowsTheRuleForEachCase)
{
    struct Case {
        const char* name;
        int w, h, tw, th;
        bool full;
        float saved;
        int expectW, expectH;
        bool scatterFull;
    };
    const Case cases[] = {
        {"small never enlarged", 300, 200, 1920, 1040, false, 1.0f, 300, 200, false},
        {"half the table", 4000, 3000, 1920, 1040, false, 1.0f, 1153, 864, false},
        {"ImgFull fills the height", 4000, 3000, 1920, 1040, true, 1.0f, 1380, 1035, true},
        {"saved factor caps", 4000, 3000, 1920, 1040, false, 0.1f, 400, 300, false},
        {"wide picture held to the width", 8000, 500, 1920, 1040, false, 1.0f, 1920, 120, false},
        {"fits in half: f = 1 then limits", 2000, 400, 1920, 1040, false, 1.0f, 1920, 384, false},
        {"70 % of the table", 1000, 800, 1000, 800, true, 1.0f, 1000, 800, true},
        {"just under 70 %", 900, 600, 1000, 800, true, 1.0f, 900, 600, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PictureScale s = scalePicture(c.w, c.h, c.tw, c.th, c.full, c.saved);
        EXPECT_EQ(s.width, c.expectW);
        EXPECT_EQ(s.height, c.expectH);
        EXPECT_LE(s.factor, 1.0);
        EXPECT_EQ(s.scatterFull, c.scatterFull);
    }
}

TEST(PictureScale, CacheModeByteFollowsTheDisplay)
{
    EXPECT_EQ(cacheModeFor(display(0)), 10);
    EXPECT_EQ(cacheModeFor(display(256)), 6);
    EXPECT_EQ(cacheModeFor(display(16, true)), 3);
}

TEST_F(PictureFile, WritesKindTwoWithPaletteThumbnailAndJpeg)
{
    make(320, 240);
    PuzzleDirectory d = directory();
    EXPECT_EQ(d.pictureKind, 2);
    EXPECT_EQ(d.cacheOffset, 0u);
    ASSERT_NE(d.thumbnailOffset, 0u);
    fw::FileStream f(m_path, fw::FileStream::Mode::Read);
    f.seek(d.thumbnailOffset);
    fw::Bitmap thumb;
    ASSERT_TRUE(fw::readBmp(f, thumb).ok());
    EXPECT_EQ(thumb.width(), 64);
    f.seek(d.pictureOffset);
    fw::ByteReader r(f);
    const auto palette = readPaletteBlock(r);
    EXPECT_GT(palette.size(), 50u);
    EXPECT_LE(palette.size(), 235u);
    uint8_t soi[2];
    f.seek(d.pictureOffset + kPaletteBlockSize);
    f.read(soi, 2);
    EXPECT_EQ(soi[0], 0xFF);
    EXPECT_EQ(soi[1], 0xD8);
    EXPECT_EQ(d.pictureOffset + kPaletteBlockSize + d.pictureLength, f.size());
}

TEST_F(PictureFile, AJpegFileIsStoredUnchanged)
{
    fw::MemoryStream jpeg;
    ASSERT_TRUE(EncodeJpeg(gradient(200, 100), {}, jpeg, 0, 60, 0).ok());
    const auto jpegPath = m_dir / "in.jpg";
    {
        fw::FileStream f(jpegPath, fw::FileStream::Mode::Create);
        f.write(jpeg.bytes().data(), jpeg.size());
    }
    Puz maker;
    maker.rows[0] = 2;
    maker.columns[0] = 2;
    PictureSource src;
    src.jpegFile = jpegPath;
    int lastStep = -1;
    ASSERT_TRUE(WritePuzzleFile(maker, m_path, src, {}, {}, [&](int s) { lastStep = s; }).ok());
    EXPECT_GT(lastStep, 150);
    EXPECT_LE(lastStep, 250);
    PuzzleDirectory d = directory();
    EXPECT_EQ(d.thumbnailOffset, 0u);
    ASSERT_EQ(d.pictureLength, jpeg.size());
    fw::FileStream f(m_path, fw::FileStream::Mode::Read);
    f.seek(d.pictureOffset + kPaletteBlockSize);
    std::vector<uint8_t> stored(d.pictureLength);
    f.read(stored.data(), stored.size());
    EXPECT_EQ(stored, jpeg.bytes());
}

TEST_F(PictureFile, OpeningWritesTheCacheAndLaterOpensUseIt)
{
    make(400, 300);
    PictureSteps steps;
    steps.picture.display = display(0);
    steps.picture.cacheEnabled = true;
    Puz puz;
    ASSERT_TRUE(open(puz, steps).ok());
    EXPECT_EQ(puz.pictureRect.w, 400);  // small: not enlarged
    EXPECT_EQ(puz.pieceCount(), 24);
    EXPECT_FALSE(puz.pieceSheet.isNull());
    const PuzzleDirectory d = directory();
    ASSERT_NE(d.cacheOffset, 0u);
    EXPECT_EQ(cacheMode(), 10);
    const fw::Bitmap first = puz.picture;

    // Break the JPEG stream: the cache alone now gives the picture, with
    // the setting on or off (off, a cache is not written, but one that
    // matches is read).
    {
        fw::FileStream f(m_path, fw::FileStream::Mode::ReadWrite);
        f.seek(d.pictureOffset + kPaletteBlockSize);
        std::vector<uint8_t> junk(64, 0x55);
        f.write(junk.data(), junk.size());
    }
    for (bool setting : {true, false}) {
        SCOPED_TRACE(setting);
        steps.picture.cacheEnabled = setting;
        Puz again;
        ASSERT_TRUE(open(again, steps).ok());
        EXPECT_TRUE(std::equal(first.bits(), first.bits() + first.width() * first.height(), again.picture.bits()));
    }

    // Another screen size: the cache does not match, the broken JPEG must be decoded.
    steps.picture.display.width = 1280;
    Puz other;
    fw::Status s = open(other, steps);
    // Named by its puzzle file, the decoder's reason below.
    EXPECT_EQ(s.id, fw::msg::BadPictureFile);
    EXPECT_EQ(s.text, m_path.filename().string());
    EXPECT_FALSE(s.detail.empty());
    EXPECT_TRUE(other.pieces.empty());  // the document is reset
    EXPECT_TRUE(other.picture.isNull());
}

TEST_F(PictureFile, DisplayModesRewriteTheCacheAndReduceColours)
{
    make(500, 350);
    const std::vector<uint32_t> palette = [&] {
        fw::FileStream f(m_path, fw::FileStream::Mode::Read);
        f.seek(directory().pictureOffset);
        fw::ByteReader r(f);
        return readPaletteBlock(r);
    }();
    struct Mode {
        fw::Display display;
        uint8_t mode;
        std::set<uint32_t> allowed;
    };
    const std::set<uint32_t> sys(systemColours().begin(), systemColours().end());
    const Mode modes[] = {{display(256), 6, {palette.begin(), palette.end()}}, {display(0), 10, {}},
                          {display(16, true), 3, sys}, {display(256), 6, {palette.begin(), palette.end()}}};
    for (const Mode& m : modes) {
        SCOPED_TRACE(int(m.mode));
        PictureSteps steps;
        steps.picture.display = m.display;
        steps.picture.cacheEnabled = true;
        Puz puz;
        ASSERT_TRUE(open(puz, steps).ok());
        EXPECT_EQ(cacheMode(), m.mode);
        if (m.allowed.empty())
            continue;
        for (int y = 0; y < puz.picture.height(); y += 5)
            for (int x = 0; x < puz.picture.width(); x += 5)
                ASSERT_TRUE(m.allowed.count(puz.picture.pixel(x, y))) << std::hex << puz.picture.pixel(x, y);
    }
}

TEST_F(PictureFile, NoCacheWithoutTheSettingOrTheDiskSpace)
{
    make(300, 200);
    const auto size = std::filesystem::file_size(m_path);
    PictureSteps steps;
    steps.picture.cacheEnabled = false;
    Puz puz;
    ASSERT_TRUE(open(puz, steps).ok());
    steps.picture.cacheEnabled = true;
    steps.picture.freeSpace = [](const std::filesystem::path&) { return uint64_t(399999); };
    ASSERT_TRUE(open(puz, steps).ok());
    EXPECT_EQ(std::filesystem::file_size(m_path), size);
    EXPECT_EQ(directory().cacheOffset, 0u);
    // A read-only file is opened all the same.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_read);
    steps.picture.freeSpace = {};
    if (!fw::FileStream(m_path, fw::FileStream::Mode::ReadWrite).isOpen()) {
        ASSERT_TRUE(open(puz, steps).ok());
        EXPECT_EQ(directory().cacheOffset, 0u);
    }
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all);
}

// The 400000 bytes are a margin the disk keeps beyond the cache itself,
// which is far bigger: a cache never fills a nearly full disk.
TEST_F(PictureFile, CacheIsWrittenOnlyWhenTheDiskKeepsItsMarginBeyondIt)
{
    make(300, 200);
    const uint64_t size = std::filesystem::file_size(m_path);
    const uint64_t cache = 5 + 54 + 900 * 200;  // head, then a 24-bit BMP of the full picture
    const struct {
        uint64_t free;
        bool written;
    } cases[] = {
        {400000, false},
        {400000 + cache - 1, false},
        {400000 + cache, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.free);
        std::filesystem::resize_file(m_path, size);
        {
            fw::FileStream f(m_path, fw::FileStream::Mode::ReadWrite);
            Entry e;
            ASSERT_TRUE(e.readFile(m_path).ok());
            f.seek(e.directoryPosition + 13);
            fw::ByteWriter(f).u32(0);
        }
        PictureSteps steps;
        steps.picture.cacheEnabled = true;
        steps.picture.freeSpace = [&](const std::filesystem::path&) { return c.free; };
        Puz puz;
        ASSERT_TRUE(open(puz, steps).ok());
        EXPECT_EQ(directory().cacheOffset != 0, c.written);
        EXPECT_EQ(std::filesystem::file_size(m_path), c.written ? size + cache : size);
    }
}

TEST_F(PictureFile, ABmpPictureIsReadAndADamagedOneResets)
{
    make(240, 160);
    // Turn it into a kind-0 puzzle: a BMP appended, the directory pointed at it.
    Entry e;
    ASSERT_TRUE(e.readFile(m_path).ok());
    uint64_t bmpAt = 0;
    {
        fw::FileStream f(m_path, fw::FileStream::Mode::ReadWrite);
        bmpAt = f.size();
        f.seek(bmpAt);
        ASSERT_TRUE(fw::writeBmp(f, gradient(240, 160)));
        f.seek(e.directoryPosition + 4);
        fw::ByteWriter w(f);
        w.u32(static_cast<uint32_t>(bmpAt));
        w.u32(static_cast<uint32_t>(f.size() - bmpAt));
        w.u8(0);
    }
    PictureSteps steps;
    Puz puz;
    ASSERT_TRUE(open(puz, steps).ok());
    EXPECT_EQ(puz.picture.pixel(100, 50), gradient(240, 160).pixel(100, 50));
    // Cut the BMP's pixels short.
    std::filesystem::resize_file(m_path, bmpAt + 100);
    fw::Status s = open(puz, steps);
    EXPECT_NE(s.id, 0);
    EXPECT_TRUE(puz.pieces.empty());
    EXPECT_TRUE(puz.picture.isNull());
}

TEST_F(PictureFile, ScaledDecodeGivesTheSameSizeAsAFullDecode)
{
    make(1800, 1200);
    PictureSteps cached, uncached;
    cached.picture.cacheEnabled = true;
    Puz a, b;
    ASSERT_TRUE(open(a, uncached).ok());  // decoded smaller by the library, then averaged
    ASSERT_TRUE(open(b, cached).ok());    // full size for the cache, then averaged
    ASSERT_EQ(a.pictureRect, b.pictureRect);
    EXPECT_LT(a.pictureRect.w, 1800);
    EXPECT_FLOAT_EQ(a.pictureScale, b.pictureScale);
    long diff = 0;
    for (int y = 0; y < a.picture.height(); ++y)
        for (int x = 0; x < a.picture.width(); ++x)
            diff += std::abs(int(a.picture.pixel(x, y) & 0xFF) - int(b.picture.pixel(x, y) & 0xFF));
    EXPECT_LT(diff / double(a.picture.width() * a.picture.height()), 3.0);
}
