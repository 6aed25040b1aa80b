#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "framework/Bmp.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/document/PicturePalette.h"

using namespace qv;

namespace {

// A smooth picture with a few flat patches of pure colour.
fw::Bitmap testPicture(int w, int h)
{
    fw::Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t r = x * 255 / (w - 1), g = y * 255 / (h - 1), b = (x + y) * 127 / (w + h);
            if (x < w / 4 && y < h / 4)
                r = 255, g = 0, b = 0;
            bmp.setPixel(x, y, r << 16 | g << 8 | b);
        }
    return bmp;
}

std::vector<uint8_t> encode(const fw::Bitmap& bmp, int quality = 90)
{
    fw::MemoryStream m;
    EXPECT_TRUE(EncodeJpeg(bmp, {}, m, 0, quality, kJpegOptimise).ok());
    return m.take();
}

int channelDiff(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int s = 0; s < 24; s += 8)
        d = std::max(d, std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)));
    return d;
}

}  // namespace

TEST(Jpeg, RoundTripsThroughAFileAtAnOffsetAndThroughMemory)
{
    const fw::Bitmap src = testPicture(120, 80);
    auto path = std::filesystem::temp_directory_path() / "qv_jpeg_roundtrip.bin";
    uint64_t length = 0;
    {
        fw::FileStream f(path, fw::FileStream::Mode::Create);
        fw::ByteWriter(f).zeros(333);
        ASSERT_TRUE(EncodeJpeg(src, {}, f, 333, 92, kJpegOptimise, &length).ok());
        fw::ByteWriter(f).bytes("trailer", 7);  // the stream need not end the file
        EXPECT_EQ(f.size(), 333 + length + 7);
    }
    fw::FileStream f(path, fw::FileStream::Mode::Read);
    fw::MemoryStream mem(encode(src, 92));
    for (fw::Stream* s : {static_cast<fw::Stream*>(&f), static_cast<fw::Stream*>(&mem)}) {
        JpegDecodeRequest req;
        req.length = s == &f ? length : 0;
        JpegPicture pic;
        ASSERT_TRUE(decodeJpeg(*s, s == &f ? 333 : 0, req, pic).ok());
        ASSERT_FALSE(pic.isIndexed());
        ASSERT_EQ(pic.rgb.width(), 120);
        ASSERT_EQ(pic.rgb.height(), 80);
        // Mean error small; hard colour edges blur a little (chroma is subsampled).
        long total = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x)
                total += channelDiff(pic.rgb.pixel(x, y), src.pixel(x, y));
        EXPECT_LT(total / (120.0 * 80), 4.0);
        EXPECT_LT(channelDiff(pic.rgb.pixel(90, 60), src.pixel(90, 60)), 8);
        EXPECT_EQ(pic.rgb.pixel(60, 40) >> 24, 0u);  // the unused byte stays clear
    }
    std::filesystem::remove(path);
}

TEST(Jpeg, EncodesARegionOnly)
{
    fw::Bitmap src = testPicture(64, 48);
    fw::MemoryStream m;
    ASSERT_TRUE(EncodeJpeg(src, {8, 4, 24, 16}, m, 0, 90, 0).ok());
    int w = 0, h = 0;
    ASSERT_TRUE(readJpegSize(m, 0, w, h).ok());
    EXPECT_EQ(w, 24);
    EXPECT_EQ(h, 16);
}

TEST(Jpeg, ReducesTo256ComputedOrGivenColours)
{
    fw::MemoryStream m(encode(testPicture(160, 100)));
    JpegDecodeRequest req;
    req.colours = 256;
    JpegPicture pic;
    ASSERT_TRUE(decodeJpeg(m, 0, req, pic).ok());
    ASSERT_TRUE(pic.isIndexed());
    EXPECT_LE(pic.indexed.palette.size(), 235u);
    EXPECT_GT(pic.indexed.palette.size(), 100u);

    req.paletteOnly = true;
    JpegPicture only;
    ASSERT_TRUE(decodeJpeg(m, 0, req, only).ok());
    EXPECT_EQ(only.indexed.palette, pic.indexed.palette);
    EXPECT_TRUE(only.indexed.indices.empty());

    // A given map is used as it is.
    std::vector<uint32_t> given;
    for (int i = 0; i < 64; ++i)
        given.push_back(static_cast<uint32_t>((i & 3) * 85 << 16 | ((i >> 2) & 3) * 85 << 8 | (i >> 4) * 85));
    req.paletteOnly = false;
    req.palette = &given;
    ASSERT_TRUE(decodeJpeg(m, 0, req, pic).ok());
    EXPECT_EQ(pic.indexed.palette, given);
    for (uint8_t i : pic.indexed.indices)
        ASSERT_LT(i, 64);
}

TEST(Jpeg, SixteenColoursUseTheFixedMap)
{
    fw::MemoryStream m(encode(testPicture(160, 100)));
    JpegDecodeRequest req;
    req.colours = 16;
    JpegPicture pic;
    ASSERT_TRUE(decodeJpeg(m, 0, req, pic).ok());
    ASSERT_EQ(pic.indexed.palette.size(), 20u);
    EXPECT_EQ(pic.indexed.palette[9], 0xFF0000u);
    EXPECT_EQ(pic.indexed.palette[17], 0xA6CAF0u);
    // The red patch is pure red.
    EXPECT_EQ(pic.indexed.row(10)[10], 9);
    std::set<uint8_t> used(pic.indexed.indices.begin(), pic.indexed.indices.end());
    EXPECT_GT(used.size(), 4u);  // dithering mixes colours in the gradients
}

TEST(Jpeg, ScaledDecodeNeverGoesBelowTheAskedSize)
{
    fw::MemoryStream m(encode(testPicture(400, 240)));
    for (auto [w, h, expectW] : {std::tuple{100, 60, 100}, {101, 60, 150}, {400, 10, 400}, {30, 30, 50}}) {
        JpegDecodeRequest req;
        req.atLeastWidth = w;
        req.atLeastHeight = h;
        JpegPicture pic;
        ASSERT_TRUE(decodeJpeg(m, 0, req, pic).ok());
        EXPECT_EQ(pic.fullWidth, 400);
        EXPECT_EQ(pic.rgb.width(), expectW) << w << "x" << h;
        EXPECT_GE(pic.rgb.height(), h);
    }
}

TEST(Jpeg, DecodesIntoBmpImages)
{
    fw::MemoryStream m(encode(testPicture(50, 30)));
    for (int colours : {0, 256, 16}) {
        fw::MemoryStream bmp;
        fw::ByteWriter(bmp).zeros(5);
        ASSERT_TRUE(DecodeJpeg(m, 0, bmp, 5, colours, nullptr).ok());
        EXPECT_EQ(bmp.bytes()[5 + 28], colours ? 8 : 24) << colours;
        bmp.seek(5);
        fw::Bitmap back;
        ASSERT_TRUE(fw::readBmp(bmp, back).ok());
        EXPECT_EQ(back.width(), 50);
        EXPECT_EQ(back.height(), 30);
    }
}

TEST(Jpeg, DamagedStreamsGiveTheLibrarysMessage)
{
    std::vector<uint8_t> good = encode(testPicture(64, 64));
    std::vector<std::vector<uint8_t>> damaged = {
        {},
        {0xFF, 0xD8, 0xFF},
        std::vector<uint8_t>(good.begin(), good.begin() + 20),
        std::vector<uint8_t>(500, 0x41),
    };
    // A frame header claiming 65000 x 65000 pixels.
    std::vector<uint8_t> huge = good;
    for (size_t i = 0; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && (huge[i + 1] == 0xC0 || huge[i + 1] == 0xC2)) {
            fw::storeU16(&huge[i + 5], 0xE8FD);
            fw::storeU16(&huge[i + 7], 0xE8FD);
            break;
        }
    damaged.push_back(huge);
    for (size_t k = 0; k < damaged.size(); ++k) {
        fw::MemoryStream m(damaged[k]);
        for (int colours : {0, 256, 16}) {
            JpegDecodeRequest req;
            req.colours = colours;
            JpegPicture pic;
            fw::Status s = decodeJpeg(m, 0, req, pic);
            EXPECT_EQ(s.id, fw::msg::BadPicture) << "case " << k << " colours " << colours;
            EXPECT_FALSE(s.text.empty());
            EXPECT_TRUE(pic.rgb.isNull());
        }
    }
    // A stream cut short in its pixel data still gives a whole picture.
    fw::MemoryStream cut(std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2));
    JpegPicture pic;
    ASSERT_TRUE(decodeJpeg(cut, 0, {}, pic).ok());
    EXPECT_EQ(pic.rgb.height(), 64);
    // An offset past the end.
    fw::MemoryStream m(good);
    EXPECT_EQ(decodeJpeg(m, good.size() + 10, {}, pic).id, fw::msg::BadPicture);
}

TEST(PicturePalette, BlockIsAlways942BytesAndKeeps235Colours)
{
    std::vector<uint32_t> pal;
    for (uint32_t i = 0; i < 300; ++i)
        pal.push_back(i * 0x010307 & 0xFFFFFF);
    for (size_t n : {0u, 3u, 235u, 300u}) {
        fw::MemoryStream m;
        fw::ByteWriter w(m);
        writePaletteBlock(w, std::vector<uint32_t>(pal.begin(), pal.begin() + n));
        ASSERT_EQ(m.size(), kPaletteBlockSize);
        EXPECT_EQ(m.bytes()[2 + 2], pal.size() && n ? (pal[0] >> 16) & 0xFF : 0);  // blue, green, red order
        m.seek(0);
        fw::ByteReader r(m);
        auto back = readPaletteBlock(r);
        EXPECT_EQ(back, std::vector<uint32_t>(pal.begin(), pal.begin() + std::min<size_t>(n, 235)));
    }
    // A count that runs past the end reads nothing.
    fw::MemoryStream shortBlock(std::vector<uint8_t>{200, 0, 1, 2, 3, 0});
    fw::ByteReader r(shortBlock);
    EXPECT_TRUE(readPaletteBlock(r).empty());
}

TEST(PicturePalette, DitheringKeepsTheMeanColourAndSmallMapsUseTheirWeights)
{
    fw::Bitmap grey(64, 64, 0x606060);  // 96 of 255
    auto dithered = mapToPalette(grey, {0x000000, 0xFFFFFF}, true);
    long sum = 0;
    for (uint8_t i : dithered.indices)
        sum += i ? 255 : 0;
    EXPECT_NEAR(sum / double(dithered.indices.size()), 96.0, 3.0);

    // Red weighs 12 and green 2 with small maps: a reddish grey goes to the
    // colour with the right red even though its green is far off; with 2, 3, 1
    // (a large map) green decides.
    fw::Bitmap px(1, 1, 0x80C080);
    std::vector<uint32_t> small = {0x80FF80, 0xFFC0FF};
    EXPECT_EQ(mapToPalette(px, small, false).indices[0], 0);
    EXPECT_EQ(weightsFor(small.size()).r, 12);
    EXPECT_EQ(weightsFor(235).g, 3);
}
