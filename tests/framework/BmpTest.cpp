#include <gtest/gtest.h>

#include "tests/support/ChildPeak.h"

#include <climits>
#include <functional>


#include "framework/Bmp.h"
#include "framework/ByteIO.h"

// Designated initialisers name only the fields a case changes.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace fw;

namespace {

// Builds a BMP file by hand, the way other programs write them.
struct BmpLayout {
    int width = 3;
    int height = 2;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t infoSize = 40;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette;   // 0x00RRGGBB
    std::vector<uint32_t> masks;     // written after a 40-byte header, or inside a longer one
    std::vector<uint8_t> pixels;     // exactly as stored
    int64_t dataOffsetDelta = 0;     // damage the offset
};

std::vector<uint8_t> build(const BmpLayout& s)
{
    MemoryStream m;
    ByteWriter w(m);
    const bool core = s.infoSize == 12;
    const size_t extra = s.infoSize == 40 ? s.masks.size() * 4 : 0;
    const uint32_t offset = 14 + s.infoSize + extra + s.palette.size() * (core ? 3 : 4);
    w.u8('B');
    w.u8('M');
    w.u32(offset + s.pixels.size());
    w.u32(0);
    w.u32(static_cast<uint32_t>(offset + s.dataOffsetDelta));
    w.u32(s.infoSize);
    if (core) {
        w.u16(static_cast<uint16_t>(s.width));
        w.u16(static_cast<uint16_t>(s.height));
        w.u16(1);
        w.u16(s.bits);
    } else {
        w.i32(s.width);
        w.i32(s.height);
        w.u16(1);
        w.u16(s.bits);
        w.u32(s.compression);
        w.u32(static_cast<uint32_t>(s.pixels.size()));
        w.u32(0);
        w.u32(0);
        w.u32(s.colorsUsed);
        w.u32(0);
        size_t written = 40;
        for (uint32_t mask : s.masks) {
            w.u32(mask);
            written += 4;
        }
        if (s.infoSize > 40 && s.infoSize <= 124)
            w.zeros(s.infoSize - std::max<size_t>(written, 40));
    }
    for (uint32_t c : s.palette) {
        w.u8(c & 0xFF);
        w.u8((c >> 8) & 0xFF);
        w.u8(c >> 16);
        if (!core)
            w.u8(0);
    }
    w.bytes(s.pixels.data(), s.pixels.size());
    return m.take();
}

Status decode(const std::vector<uint8_t>& bytes, Bitmap& out)
{
    MemoryStream m(bytes);
    return readBmp(m, out);
}

constexpr uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0;
// The picture every variant encodes: top row R G B, bottom row W K R.
const std::vector<uint32_t> kExpected = {R, G, B, W, K, R};

struct Variant {
    const char* name;
    BmpLayout want;
};

std::vector<Variant> variants()
{
    std::vector<uint32_t> pal = {K, R, G, B, W};
    std::vector<Variant> v;
    // Bottom row first in every bottom-up variant.
    v.push_back({"bits24", {.pixels = {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0,  // W K R, padded
                                       0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0}}});
    v.push_back({"bits24TopDown", {.height = -2, .pixels = {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0,
                                                           0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0}}});
    v.push_back({"bits8", {.bits = 8, .palette = pal, .pixels = {4, 0, 1, 0, 1, 2, 3, 0}}});
    v.push_back({"bits4", {.bits = 4, .palette = pal, .pixels = {0x40, 0x10, 0, 0, 0x12, 0x30, 0, 0}}});
    v.push_back({"bits1", {.width = 2, .height = 1, .bits = 1, .palette = {R, B}, .pixels = {0x40, 0, 0, 0}}});
    v.push_back({"core8", {.bits = 8, .infoSize = 12, .palette = pal, .pixels = {4, 0, 1, 0, 1, 2, 3, 0}}});
    // 5-5-5 without masks.
    v.push_back({"bits16", {.bits = 16, .pixels = {0xFF, 0x7F, 0, 0, 0, 0x7C, 0, 0,
                                                   0, 0x7C, 0xE0, 0x03, 0x1F, 0, 0, 0}}});
    // 5-6-5 with masks after the header.
    v.push_back({"bits16Masks", {.bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
                                 .pixels = {0xFF, 0xFF, 0, 0, 0, 0xF8, 0, 0, 0, 0xF8, 0xE0, 0x07, 0x1F, 0, 0, 0}}});
    v.push_back({"bits32", {.bits = 32, .pixels = {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0,
                                                   0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0}}});
    // Red in the low byte, masks inside a 124-byte header.
    v.push_back({"bits32MasksV5", {.bits = 32, .compression = 3, .infoSize = 124,
                                   .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
                                   .pixels = {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0,
                                              0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0}}});
    // Runs, a literal run of 3 (padded), end of line, end of picture.
    v.push_back({"rle8", {.bits = 8, .compression = 1, .palette = pal,
                          .pixels = {1, 4, 1, 0, 1, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1}}});
    // Bottom row: run of 2 alternating 4,0 then 1; top row literal 1 2 3.
    v.push_back({"rle4", {.bits = 4, .compression = 2, .palette = pal,
                          .pixels = {2, 0x40, 1, 0x11, 0, 0, 0, 3, 0x12, 0x30, 0, 1}}});
    return v;
}

}  // namespace

TEST(Bmp, ReadsEveryVariantRealFilesUse)
{
    for (const auto& v : variants()) {
        SCOPED_TRACE(v.name);
        Bitmap bmp;
        Status s = decode(build(v.want), bmp);
        ASSERT_TRUE(s.ok()) << s.text;
        if (std::string(v.name) == "bits1") {
            ASSERT_EQ(bmp.width(), 2);
            EXPECT_EQ(bmp.pixel(0, 0), R);
            EXPECT_EQ(bmp.pixel(1, 0), B);
            continue;
        }
        ASSERT_EQ(bmp.width(), 3);
        ASSERT_EQ(bmp.height(), 2);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(bmp.pixel(i % 3, i / 3), kExpected[i]) << "pixel " << i;
    }
}

TEST(Bmp, WritesWhatItReadsAtAnOffset)
{
    Bitmap src(5, 3);  // odd width: rows need padding
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            src.setPixel(x, y, static_cast<uint32_t>(x * 0x30 + y * 0x5000 + 0x010000 * (x + y)));
    MemoryStream m;
    ByteWriter(m).zeros(7);  // a BMP inside another file
    ASSERT_TRUE(writeBmp(m, src));
    EXPECT_EQ(m.size(), 7 + bmpFileSize(src));
    m.seek(7);
    Bitmap back;
    ASSERT_TRUE(readBmp(m, back).ok());
    ASSERT_EQ(back.width(), 5);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(back.pixel(x, y), src.pixel(x, y));
}

TEST(Bmp, WritesPaletteBitmapsWithTheFewestBits)
{
    for (size_t colours : {2u, 16u, 20u, 256u}) {
        IndexedBitmap ib;
        ib.width = 7;
        ib.height = 2;
        for (size_t i = 0; i < colours; ++i)
            ib.palette.push_back(static_cast<uint32_t>(i * 0x010203));
        for (int i = 0; i < 14; ++i)
            ib.indices.push_back(static_cast<uint8_t>((i * 5) % colours));
        MemoryStream m;
        ASSERT_TRUE(writeBmp(m, ib));
        EXPECT_EQ(m.bytes()[28], colours <= 2 ? 1 : colours <= 16 ? 4 : 8);
        m.seek(0);
        Bitmap back;
        std::vector<uint32_t> pal;
        ASSERT_TRUE(readBmp(m, back, &pal).ok());
        EXPECT_EQ(pal.size(), colours);
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(back.pixel(i % 7, i / 7), ib.palette[ib.indices[i]]) << colours << " colours, pixel " << i;
    }
}

TEST(Bmp, RefusesMalformedHeaders)
{
    BmpLayout ok{.bits = 8, .palette = {K, R, G, B, W}, .pixels = {4, 0, 1, 0, 1, 2, 3, 0}};
    struct Case {
        const char* name;
        std::function<void(BmpLayout&)> damage;
    };
    std::vector<Case> cases = {
        {"zero width", [](BmpLayout& s) { s.width = 0; }},
        {"negative width", [](BmpLayout& s) { s.width = -3; }},
        {"height INT_MIN", [](BmpLayout& s) { s.height = INT_MIN; }},
        {"size overflows", [](BmpLayout& s) { s.width = 0x7FFFFFFF; s.height = 0x7FFFFFFF; }},
        {"too many pixels", [](BmpLayout& s) { s.width = 30000; s.height = 30000; }},
        {"offset past the end", [](BmpLayout& s) { s.dataOffsetDelta = 1000; }},
        {"palette too long", [](BmpLayout& s) { s.colorsUsed = 300; }},
        {"palette past the end", [](BmpLayout& s) { s.colorsUsed = 200; }},
        {"pixels cut short", [](BmpLayout& s) { s.pixels.resize(5); }},
        {"bad bit count", [](BmpLayout& s) { s.bits = 7; }},
        {"unknown compression", [](BmpLayout& s) { s.compression = 9; }},
        {"top-down RLE", [](BmpLayout& s) { s.compression = 1; s.height = -2; }},
        {"RLE4 with 8 bits", [](BmpLayout& s) { s.compression = 2; }},
        {"huge header", [](BmpLayout& s) { s.infoSize = 0x80000000u; }},
        {"broken mask", [](BmpLayout& s) { s.bits = 32; s.compression = 3; s.palette.clear(); s.masks = {0xF0F0, 0xFF00, 0xFF}; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BmpLayout s = ok;
        c.damage(s);
        Bitmap bmp;
        Status st = decode(build(s), bmp);
        EXPECT_EQ(st.id, msg::BadPicture);
        EXPECT_FALSE(st.text.empty());
        EXPECT_TRUE(bmp.isNull());
    }
    Bitmap bmp;
    EXPECT_EQ(decode({'B', 'M', 1, 2}, bmp).id, msg::BadPicture);
    EXPECT_EQ(decode({'P', 'K', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, bmp).id, msg::BadPicture);
}

TEST(Bmp, DamagedRunLengthDataKeepsWhatWasDrawn)
{
    // A literal run that claims more bytes than follow, and runs past the row end.
    BmpLayout s{.bits = 8, .compression = 1, .palette = {K, R}, .pixels = {9, 1, 0, 0, 0, 200, 1}};
    Bitmap bmp;
    EXPECT_EQ(decode(build(s), bmp).id, msg::BadPicture);
    s.pixels = {9, 1, 0, 2, 250, 250, 1, 1};  // jump far outside: drawing stops quietly
    ASSERT_TRUE(decode(build(s), bmp).ok());
    EXPECT_EQ(bmp.pixel(0, 1), R);
    EXPECT_EQ(bmp.pixel(2, 1), R);
}

namespace {

// Peak memory of a child process that decodes `bytes`, in MiB; `ok` gets
// whether it decoded.
long decodeInChild(const std::vector<uint8_t>& bytes, bool& ok)
{
    return testsupport::peakMemoryInChild([&] {
        Bitmap bmp;
        return decode(bytes, bmp).ok();
    }, ok);
}

}  // namespace

TEST(Bmp, RefusesPicturesItsDataCannotFillBeforeAllocatingThem)
{
    // About 1,200 bytes of runs (each of 255 pixels) in a file that claims
    // 16384 x 8192 pixels; and plain pictures with a few rows of that size.
    std::vector<uint8_t> runs;
    for (int i = 0; i < 600; ++i)
        runs.insert(runs.end(), {255, 1});
    runs.insert(runs.end(), {0, 1});
    std::vector<uint8_t> fill;
    for (int i = 0; i < 128; ++i)
        fill.insert(fill.end(), {255, 1});
    struct Case {
        const char* name;
        BmpLayout file;
        bool decodes;
    };
    const std::vector<Case> cases = {
        {"RLE8 claiming a huge size", {.width = 16384, .height = 8192, .bits = 8, .compression = 1,
                                       .palette = {K, R}, .pixels = runs}, false},
        {"RLE4 claiming a huge size", {.width = 16384, .height = 8192, .bits = 4, .compression = 2,
                                       .palette = {K, R}, .pixels = runs}, false},
        {"24 bits with three rows", {.width = 16384, .height = 8192,
                                     .pixels = std::vector<uint8_t>(3 * 16384 * 3)}, false},
        {"8 bits with a short palette and no rows", {.width = 16384, .height = 8192, .bits = 8,
                                                     .palette = {K, R}}, false},
        // The longest runs fill a picture exactly: that still decodes.
        {"RLE8 filled by its runs", {.width = 255 * 128, .height = 1, .bits = 8, .compression = 1,
                                     .palette = {K, R}, .pixels = fill}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool ok = false;
        const long mib = decodeInChild(build(c.file), ok);
        EXPECT_EQ(ok, c.decodes);
        EXPECT_GE(mib, 0) << "the decoder's process died";
        EXPECT_LT(mib, 100);
    }
}
