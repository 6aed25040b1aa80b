#include <gtest/gtest.h>

#include "tests/support/ChildPeak.h"

#include <cstring>
#include <string>


#include "framework/Bmp.h"
#include "framework/PngWriter.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/document/PictureFormats.h"

#ifdef QV_HAVE_PNG
#include <png.h>
#endif
#ifdef QV_HAVE_GIF
#include <gif_lib.h>
#endif
#ifdef QV_HAVE_WEBP
#include <webp/encode.h>
#endif

using namespace qv;

namespace {

fw::Bitmap pattern()
{
    fw::Bitmap bmp(7, 5);
    const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            bmp.setPixel(x, y, colours[(x + 2 * y) % 4]);
    return bmp;
}

std::vector<uint8_t> fromBase64(const std::string& text)
{
    static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<uint8_t> out;
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        const size_t v = digits.find(c);
        if (v == std::string::npos)
            continue;  // padding
        bits = bits << 6 | static_cast<uint32_t>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<uint8_t>(bits >> count));
        }
    }
    return out;
}

void expectSame(const fw::Bitmap& a, const fw::Bitmap& b)
{
    ASSERT_EQ(a.width(), b.width());
    ASSERT_EQ(a.height(), b.height());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
}

#ifdef QV_HAVE_GIF
std::vector<uint8_t> gifOf(const fw::Bitmap& bmp, bool interlace)
{
    std::vector<uint8_t> out;
    auto write = [](GifFileType* g, const GifByteType* data, int n) {
        auto* v = static_cast<std::vector<uint8_t>*>(g->UserData);
        v->insert(v->end(), data, data + n);
        return n;
    };
    int err = 0;
    GifFileType* gif = EGifOpen(&out, write, &err);
    GifColorType colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifPutScreenDesc(gif, bmp.width(), bmp.height(), 2, 0, map);
    EGifPutImageDesc(gif, 0, 0, bmp.width(), bmp.height(), interlace, nullptr);
    std::vector<int> order;
    if (interlace) {
        for (int y = 0; y < bmp.height(); y += 8) order.push_back(y);
        for (int y = 4; y < bmp.height(); y += 8) order.push_back(y);
        for (int y = 2; y < bmp.height(); y += 4) order.push_back(y);
        for (int y = 1; y < bmp.height(); y += 2) order.push_back(y);
    } else {
        for (int y = 0; y < bmp.height(); ++y) order.push_back(y);
    }
    for (int y : order) {
        std::vector<GifPixelType> line(bmp.width());
        for (int x = 0; x < bmp.width(); ++x) {
            const uint32_t p = bmp.pixel(x, y);
            line[x] = p == 0xFF0000 ? 0 : p == 0x00FF00 ? 1 : p == 0x0000FF ? 2 : 3;
        }
        EGifPutLine(gif, line.data(), bmp.width());
    }
    EGifCloseFile(gif, &err);
    GifFreeMapObject(map);
    return out;
}
#endif

// Peak memory of a child process that decodes `bytes`, in MiB; `ok` gets
// whether it decoded.
long decodeInChild(const std::vector<uint8_t>& bytes, bool& ok)
{
    return testsupport::peakMemoryInChild([&] {
        fw::Bitmap bmp;
        return decodePicture(bytes, bmp).ok();
    }, ok);
}

void putBigEndian(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

// A PNG whose header claims another size, its checksum made right again so
// that only the missing data can tell.
std::vector<uint8_t> pngClaiming(std::vector<uint8_t> png, uint32_t w, uint32_t h)
{
    putBigEndian(png, 16, w);
    putBigEndian(png, 20, h);
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 12; i < 29; ++i) {
        crc ^= png[i];
        for (int k = 0; k < 8; ++k)
            crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320u : 0);
    }
    putBigEndian(png, 29, ~crc);
    return png;
}

fw::Bitmap plain(int w, int h) { return fw::Bitmap(w, h, 0xFFFFFF); }

#ifdef QV_HAVE_PNG
// One grey, compressed as far as the library goes (our own writer stores).
std::vector<uint8_t> deflatedGreyPng(int w, int h)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_GRAY;
    const std::vector<uint8_t> pixels(static_cast<size_t>(w) * h, 200);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
        return {};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr))
        return {};
    out.resize(size);
    return out;
}
#endif

#ifdef QV_HAVE_WEBP
// A lossless WebP of `bmp`.
std::vector<uint8_t> webpOf(const fw::Bitmap& bmp)
{
    uint8_t* encoded = nullptr;
    const size_t n = WebPEncodeLosslessBGRA(reinterpret_cast<const uint8_t*>(fw::Bitmap(bmp).bits()), bmp.width(),
                                            bmp.height(), bmp.width() * 4, &encoded);
    std::vector<uint8_t> out(encoded, encoded + n);
    WebPFree(encoded);
    return out;
}

// The same file with another size in its lossless header (14 bits each, less
// one, after the signature byte at 20): the library believes the header.
std::vector<uint8_t> webpClaiming(std::vector<uint8_t> webp, uint32_t w, uint32_t h)
{
    const uint32_t bits = (w - 1) | (h - 1) << 14 | (uint32_t{webp[24]} >> 4) << 28;
    for (int i = 0; i < 4; ++i)
        webp[21 + i] = static_cast<uint8_t>(bits >> 8 * i);
    return webp;
}
#endif

}  // namespace

TEST(PictureFormats, ReadsEachFormatByItsContent)
{
    const fw::Bitmap src = pattern();
    fw::Bitmap out;
    fw::MemoryStream bmp;
    ASSERT_TRUE(fw::writeBmp(bmp, src));
    ASSERT_TRUE(decodePicture(bmp.bytes(), out).ok());
    expectSame(out, src);
#ifdef QV_HAVE_PNG
    fw::MemoryStream png;
    ASSERT_TRUE(fw::writePng(png, src));
    ASSERT_TRUE(decodePicture(png.bytes(), out).ok());
    expectSame(out, src);
#endif
#ifdef QV_HAVE_GIF
    for (bool interlace : {false, true}) {
        fw::Bitmap tall(5, 19);
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 5; ++x)
                tall.setPixel(x, y, src.pixel((x + y) % 7, y % 5));
        ASSERT_TRUE(decodePicture(gifOf(tall, interlace), out).ok());
        expectSame(out, tall);
    }
#endif
#ifdef QV_HAVE_WEBP
    uint8_t* encoded = nullptr;
    const size_t n = WebPEncodeLosslessBGRA(reinterpret_cast<const uint8_t*>(fw::Bitmap(src).bits()), src.width(),
                                            src.height(), src.width() * 4, &encoded);
    ASSERT_GT(n, 0u);
    std::vector<uint8_t> webp(encoded, encoded + n);
    WebPFree(encoded);
    ASSERT_TRUE(decodePicture(webp, out).ok());
    // The unused byte was 0, that is fully transparent: it turns white.
    EXPECT_EQ(out.pixel(0, 0), 0xFFFFFFu);
#endif
}

TEST(PictureFormats, DamagedOrUnknownFilesGiveAStatus)
{
    fw::MemoryStream png;
    ASSERT_TRUE(fw::writePng(png, pattern()));
    std::vector<std::vector<uint8_t>> cases = {
        {},
        {'G', 'I', 'F', '8', '9', 'a', 0xFF},
        {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P', 'V', 'P', '8'},
        {'%', 'P', 'D', 'F'},
        std::vector<uint8_t>(png.bytes().begin(), png.bytes().begin() + 40),
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        fw::Bitmap out;
        fw::Status s = decodePicture(cases[i], out);
        EXPECT_EQ(s.id, fw::msg::BadPicture) << "case " << i;
        EXPECT_TRUE(out.isNull()) << "case " << i;
    }
}

// Every cut of a real picture of each format, and a damaged GIF found in
// the wild, come back as a status: no decoding library may throw past us.
TEST(PictureFormats, CutOrDamagedPicturesOfEveryFormatGiveAStatus)
{
    const fw::Bitmap src = pattern();
    std::vector<std::pair<const char*, std::vector<uint8_t>>> files;
    fw::MemoryStream bmp;
    ASSERT_TRUE(fw::writeBmp(bmp, src));
    files.emplace_back("BMP", bmp.bytes());
    fw::MemoryStream jpeg;
    ASSERT_TRUE(EncodeJpeg(src, {}, jpeg, 0, 85, 0).ok());
    files.emplace_back("JPEG", jpeg.bytes());
#ifdef QV_HAVE_PNG
    fw::MemoryStream png;
    ASSERT_TRUE(fw::writePng(png, src));
    files.emplace_back("PNG", png.bytes());
#endif
#ifdef QV_HAVE_GIF
    files.emplace_back("GIF", gifOf(src, false));
    // A GIF whose image data ends early: the library fails without an error code.
    const char* damaged =
        "R0lGODlhEAAMAPMAAP8AAOgAF9EALrkARqIAXYsAdHQAi10AokYAuS4A0RcA6AAA/wAAAAAAAAAAAAAAACH5BAAAAAAALAAAAAwQAAAAAAQ5"
        "EMhJKwg46x2E/2AoDGRpngOhrmxLFHAsz4Vh33huHHzv/weEcEgsIhLIpHKZUDif0KhiQa1ar4sIADs=";
    fw::Bitmap probe;
    const fw::Status s = decodePicture(fromBase64(damaged), probe);
    EXPECT_EQ(s.id, fw::msg::BadPicture);
    EXPECT_FALSE(s.text.empty());
#endif
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        for (size_t n = 2; n < bytes.size(); ++n) {
            fw::Bitmap out;
            const fw::Status s = decodePicture(std::vector<uint8_t>(bytes.begin(), bytes.begin() + n), out);
            if (s.ok()) {
                EXPECT_EQ(out.width(), src.width()) << "cut at " << n;
                continue;
            }
            EXPECT_EQ(s.id, fw::msg::BadPicture) << "cut at " << n;
            EXPECT_FALSE(s.text.empty()) << "cut at " << n;
        }
    }
}

// A file of a few hundred bytes whose header claims a picture of 16000 x 8000
// (under the size cap) is refused before the picture is allocated; honest
// pictures, even ones compressed as far as their format allows, still decode.
TEST(PictureFormats, RefusesPicturesTheirDataCannotFillBeforeAllocatingThem)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        bool decodes;
    };
    std::vector<Case> cases;
#ifdef QV_HAVE_PNG
    fw::MemoryStream png;
    ASSERT_TRUE(fw::writePng(png, pattern()));
    const std::vector<uint8_t> grey = deflatedGreyPng(3000, 3000);
    ASSERT_FALSE(grey.empty());
    cases.push_back({"PNG claiming a huge size", pngClaiming(png.bytes(), 16000, 8000), false});
    cases.push_back({"PNG of one grey, deflated", grey, true});
    cases.push_back({"PNG as written", png.bytes(), true});
#endif
#ifdef QV_HAVE_GIF
    std::vector<uint8_t> gif = gifOf(pattern(), false);
    gif[6] = 16000 & 0xFF, gif[7] = 16000 >> 8, gif[8] = 8000 & 0xFF, gif[9] = 8000 >> 8;
    cases.push_back({"GIF whose screen claims a huge size", gif, false});
    cases.push_back({"GIF of one colour", gifOf(plain(1500, 1500), false), true});
    cases.push_back({"GIF as written", gifOf(pattern(), true), true});
#endif
#ifdef QV_HAVE_WEBP
    // A lossless WebP codes one colour in no bits at all, so no ratio holds
    // for every picture: a large one must bring data in proportion.
    const std::vector<uint8_t> webp = webpOf(pattern());
    ASSERT_EQ(std::string(webp.begin() + 12, webp.begin() + 16), "VP8L");
    cases.push_back({"WebP claiming a huge size", webpClaiming(webp, 16000, 8000), false});
    cases.push_back({"WebP of one colour", webpOf(plain(3000, 3000)), true});
    cases.push_back({"WebP as written", webp, true});
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool ok = false;
        const long mib = decodeInChild(c.file, ok);
        EXPECT_EQ(ok, c.decodes) << c.file.size() << " bytes";
        EXPECT_GE(mib, 0) << "the decoder's process died";
        EXPECT_LT(mib, 100);
    }
}
