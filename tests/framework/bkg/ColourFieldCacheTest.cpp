#include <gtest/gtest.h>

#include "BkgFixture.h"
#include "framework/AtomicFile.h"
#include "framework/Background.h"
#include "framework/Bmp.h"
#include "framework/FileStream.h"
#include "framework/qt/WBkgCache.h"

using namespace fw;

namespace {

constexpr uint32_t kMark = 0x123456;

// Puts a pixel into the cached file that the computed field never has, so a
// load shows whether the file was used.
void markCachedFile(const std::filesystem::path& file)
{
    FileStream in(file, FileStream::Mode::Read);
    Bitmap bmp;
    ASSERT_TRUE(readBmp(in, bmp).ok());
    in.close();
    bmp.setPixel(3, 3, kMark);
    ASSERT_TRUE(replaceFile(file, [&](Stream& out) { return writeBmp(out, bmp); }));
}

}  // namespace

TEST(ColourFieldCache, ComputedOnceThenLoadedUntilSizeOrResolutionChange)
{
    testfix::TempDir dir;
    Profile profile(dir / "QVrk.ini");
    const auto file = dir / "picclr.bmp";
    bool computed = false;

    Bitmap field = LoadColourField(profile, dir.path(), 140, 60, 32, &computed);
    EXPECT_TRUE(computed);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(profile.getInt("PicClr", "sx"), 140);
    EXPECT_EQ(profile.getInt("PicClr", "sy"), 60);
    EXPECT_EQ(profile.getInt("PicClr", "res"), 32);
    for (auto [x, y] : {std::pair{0, 0}, {70, 30}, {139, 59}, {125, 10}})
        EXPECT_EQ(field.pixel(x, y), pixelFromColorRef(Background::FieldColour(140, 60, x, y))) << x << "," << y;

    markCachedFile(file);
    field = LoadColourField(profile, dir.path(), 140, 60, 32, &computed);
    EXPECT_FALSE(computed);
    EXPECT_EQ(field.pixel(3, 3), kMark) << "the cached file is shown";

    struct Change {
        int w, h, res;
    };
    for (const Change& c : {Change{140, 60, 16}, Change{150, 60, 16}, Change{150, 64, 16}}) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << "@" << c.res);
        markCachedFile(file);
        field = LoadColourField(profile, dir.path(), c.w, c.h, c.res, &computed);
        EXPECT_TRUE(computed);
        EXPECT_NE(field.pixel(3, 3), kMark);
        EXPECT_EQ(profile.getInt("PicClr", "res"), c.res);
        EXPECT_EQ(profile.getInt("PicClr", "sx"), c.w);
        // The file was written again: the next call loads it.
        LoadColourField(profile, dir.path(), c.w, c.h, c.res, &computed);
        EXPECT_FALSE(computed);
    }
}

TEST(ColourFieldCache, ADamagedOrMissingFileIsComputedAgain)
{
    testfix::TempDir dir;
    Profile profile(dir / "QVrk.ini");
    bool computed = false;
    LoadColourField(profile, dir.path(), 70, 40, 24, &computed);
    {
        FileStream f(dir / "picclr.bmp", FileStream::Mode::Create);
        f.write("BM\x10\0\0\0", 6);
    }
    Bitmap field = LoadColourField(profile, dir.path(), 70, 40, 24, &computed);
    EXPECT_TRUE(computed);
    EXPECT_EQ(field.width(), 70);
    std::filesystem::remove(dir / "picclr.bmp");
    LoadColourField(profile, dir.path(), 70, 40, 24, &computed);
    EXPECT_TRUE(computed);
}

TEST(ColourFieldCache, AFolderThatCannotBeWrittenStillGivesTheFieldButNoKeys)
{
    testfix::TempDir dir;
    Profile profile(dir / "QVrk.ini");
    bool computed = false;
    const Bitmap field = LoadColourField(profile, dir / "no" / "such" / "folder", 70, 40, 24, &computed);
    EXPECT_TRUE(computed);
    EXPECT_EQ(field.height(), 40);
    EXPECT_EQ(profile.getInt("PicClr", "sx"), 0) << "the keys describe a file that is not there";
}

TEST(BackgroundOutline, StyleFollowsTheFirstColourAndFrameOffHidesIt)
{
    struct Case {
        uint32_t first;
        uint8_t frameOff;
        uint32_t top, bottom;  // pixels of the line above and below the area
    };
    const Case cases[] = {
        {0xFFFFFF, 0, 0xA0A0A0, 0xA0A0A0},  // white: a soft grey line all round
        {0x808080, 0, 0x404040, 0xE0E0E0},  // mid grey: sunken
        {0x203040, 0, 0x202020, 0x202020},  // a colour: dark, with a light line outside
        {0x203040, 1, 0x777777, 0x777777},  // frame off: nothing drawn
    };
    for (const Case& c : cases) {
        Background bg;
        bg.Set(c.first, Background::None, c.frameOff);
        Bitmap surface(40, 30, 0x777777);
        bg.PaintOutline(surface, 10, 8, 20, 12);
        EXPECT_EQ(surface.pixel(15, 7), c.top) << std::hex << c.first;
        EXPECT_EQ(surface.pixel(15, 20), c.bottom) << std::hex << c.first;
        EXPECT_EQ(surface.pixel(15, 12), 0x777777u) << "the area itself is left";
        const bool light = c.first == 0x203040 && !c.frameOff;
        EXPECT_EQ(surface.pixel(15, 6), light ? 0xF0F0F0u : 0x777777u);
    }
}

TEST(BackgroundPaint, BandsPaintedWithTheirOriginEqualTheWholePage)
{
    Background bg;
    bg.Set(0x102030, 0xE0D0C0, 0);
    Bitmap texture(13, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            texture.setPixel(x, y, static_cast<uint32_t>((x * 19 + y * 37) % 256) * 0x010101);
    for (bool withTexture : {false, true}) {
        if (withTexture)
            bg.setTexture(texture);
        Bitmap whole(50, 90), band(50, 25);
        bg.Paint(whole, 0, 0, 50, 90, 90, true);
        if (withTexture) {
            // The print tile follows the new texture, not the blend built before it.
            for (auto [x, y] : {std::pair{0, 0}, {14, 8}, {49, 89}})
                EXPECT_EQ(whole.pixel(x, y), Background::tint(texture.pixel(x % 13, y % 7), 0x102030, 0xE0D0C0));
        }
        for (int top = 0; top < 90; top += 25) {
            const int h = std::min(25, 90 - top);
            bg.Paint(band, 0, 0, 50, h, 90, true, 0, top);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < 50; ++x)
                    ASSERT_EQ(band.pixel(x, y), whole.pixel(x, top + y)) << x << "," << top + y;
        }
    }
}
