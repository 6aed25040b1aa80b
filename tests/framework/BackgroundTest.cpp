#include <gtest/gtest.h>

#include "framework/Background.h"

using namespace fw;

TEST(Background, LowColourDisplaysPaintThePlainColourOnly)
{
    Background bg(8);
    bg.Set(0x0000FF, 0xFF0000, 0);
    EXPECT_EQ(bg.Second(), Background::None);
    EXPECT_EQ(bg.Text(), "255,16711680");  // the choice is still kept for the file
    Bitmap surface(10, 10);
    bg.Paint(surface, 0, 0, 10, 10, 10);
    EXPECT_TRUE(bg.tile().isNull());
    EXPECT_EQ(surface.pixel(5, 9), 0xFF0000u);  // red as a pixel
}

TEST(Background, BlackToWhiteBlendOver256RowsGivesGreyY)
{
    Background bg(32);
    bg.Set(0x000000, 0xFFFFFF, 0);
    Bitmap surface(3, 256);
    bg.Paint(surface, 0, 0, 3, 256, 256);
    EXPECT_TRUE(bg.flags() & Background::FineStrip);
    for (int y : {0, 1, 127, 255})
        EXPECT_EQ(surface.pixel(2, y), uint32_t(y * 0x010101)) << y;
}

TEST(Background, TexturePixelsTakeTheirShareOfEachColour)
{
    // brightness 255: 255/256 of the first, 1/256 of the second, per channel truncated
    EXPECT_EQ(Background::tint(0xFFFFFF, 0x0000C8, 0x00C800), uint32_t((199 << 16) | (0 << 8) | 0));
    // brightness 0: all of the second colour
    EXPECT_EQ(Background::tint(0x000000, 0x0000C8, 0x00C800), uint32_t(200 << 8));
}

TEST(Background, AdjacentAreasJoinLikeTheirUnion)
{
    Background bg(16);  // coarse strip: 8 wide, bands of 4
    bg.Set(0x102030, 0xF0E0D0, 0);
    Bitmap texture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            texture.setPixel(x, y, uint32_t((x * 50) << 8 | y * 90));
    for (bool withTexture : {false, true}) {
        if (withTexture)
            bg.setTexture(texture);
        Bitmap whole(40, 30), parts(40, 30);
        bg.Paint(whole, 0, 0, 40, 30, 30);
        bg.Paint(parts, 0, 0, 17, 30, 30);
        bg.Paint(parts, 17, 0, 23, 11, 30);
        bg.Paint(parts, 17, 11, 23, 19, 30);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(whole.pixel(x, y), parts.pixel(x, y)) << x << "," << y << " texture " << withTexture;
        // An area reaching past the top-left paints only what lies on the surface.
        Bitmap clipped(40, 30, 0xABCDEF), expected(40, 30, 0xABCDEF);
        bg.Paint(clipped, -5, -3, 20, 10, 30);
        bg.Paint(expected, 0, 0, 15, 7, 30);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(clipped.pixel(x, y), expected.pixel(x, y)) << x << "," << y << " texture " << withTexture;
    }
}

TEST(Background, ColourFieldSectorsAndShading)
{
    const int W = 700, H = 200;  // seg = 100, M = 100
    EXPECT_EQ(Background::FieldColour(W, H, 0, 100), 0x0000FFu);       // pure red at the middle row
    EXPECT_EQ(Background::FieldColour(W, H, 150, 100), 0x00FF7Fu);     // sector 1: u = 127
    EXPECT_EQ(Background::FieldColour(W, H, 650, 100), 0x808080u);     // last seventh grey
    EXPECT_EQ(Background::FieldColour(W, H, 650, 0), 0xFFFFFFu);       // lightened above
    EXPECT_EQ(Background::FieldColour(W, H, 650, 150), 0x404040u);     // darkened below
    EXPECT_EQ(Background::FieldColour(W, H, 699, 199), 0x020202u);  // 128 - 99 * 128 / 100
}

TEST(Background, TextRoundTripAndCustomColours)
{
    Background bg(32);
    EXPECT_TRUE(bg.SetFromText("12345,678[0xFF"));
    EXPECT_EQ(bg.First(), 12345u);
    EXPECT_EQ(bg.Second(), 678u);
    EXPECT_EQ(bg.Text(), "12345,678");
    EXPECT_FALSE(bg.SetFromText("garbage"));

    auto builtIn = Background::customColours("");
    ASSERT_EQ(builtIn.size(), 16u);
    EXPECT_EQ(builtIn[0], 6831809u);
    EXPECT_EQ(builtIn[15], 0x80808080u);
    EXPECT_EQ(Background::customColours(Background::customColoursText(builtIn)), builtIn);
}
