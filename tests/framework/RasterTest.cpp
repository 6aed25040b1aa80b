#include <gtest/gtest.h>

#include "framework/Raster.h"

using namespace fw;

namespace {
uint32_t grey(uint32_t v) { return v << 16 | v << 8 | v; }
}  // namespace

TEST(Raster, AreaAveragingWeighsPartialPixels)
{
    // 0, 90, 180 into two pixels of 1.5 source pixels each.
    Bitmap src(3, 1);
    src.setPixel(0, 0, grey(0));
    src.setPixel(1, 0, grey(90));
    src.setPixel(2, 0, grey(180));
    Bitmap out = scaleArea(src, 2, 1);
    ASSERT_EQ(out.width(), 2);
    EXPECT_EQ(out.pixel(0, 0), grey(30));
    EXPECT_EQ(out.pixel(1, 0), grey(150));

    // Whole blocks: the plain mean, each channel on its own.
    Bitmap block(4, 2);
    const uint32_t px[4] = {0x102030, 0x304050, 0x506070, 0x708090};
    for (int i = 0; i < 8; ++i)
        block.setPixel(i % 4, i / 4, px[(i % 2) + 2 * (i / 4)]);
    Bitmap half = scaleArea(block, 2, 1);
    EXPECT_EQ(half.pixel(0, 0), 0x405060u);
    EXPECT_EQ(half.pixel(1, 0), 0x405060u);
}

TEST(Raster, UniformPictureStaysUniformAtAnyRatio)
{
    Bitmap src(997, 613, 0xC86432);
    for (auto [w, h] : {std::pair{640, 400}, {333, 211}, {1, 1}, {996, 612}}) {
        Bitmap out = scaleArea(src, w, h);
        ASSERT_EQ(out.width(), w);
        ASSERT_EQ(out.height(), h);
        for (int y = 0; y < h; y += 7)
            for (int x = 0; x < w; x += 5)
                ASSERT_EQ(out.pixel(x, y), 0xC86432u) << w << "x" << h << " at " << x << "," << y;
    }
}

TEST(Raster, CopyRectClipsAgainstBothBitmaps)
{
    Bitmap src(4, 4, 7), dst(3, 3, 0);
    copyRect(src, -1, 0, 4, 4, dst, 1, -1);  // shifted left and up past the edges
    EXPECT_EQ(dst.pixel(0, 0), 0u);
    EXPECT_EQ(dst.pixel(2, 0), 7u);  // source column 0 lands at target column 2
    EXPECT_EQ(dst.pixel(1, 0), 0u);  // source column -1 does not exist
    EXPECT_EQ(dst.pixel(2, 2), 7u);
    copyRect(src, 10, 10, 4, 4, dst, 0, 0);  // wholly outside: nothing, no crash
}
