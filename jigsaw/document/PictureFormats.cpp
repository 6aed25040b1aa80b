#include "jigsaw/document/PictureFormats.h"

#include <cstring>
#include <exception>
#include <new>

#include "framework/Bmp.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/Jpeg.h"

#ifdef QV_HAVE_PNG
#include <png.h>
#endif
#ifdef QV_HAVE_GIF
#include <gif_lib.h>
#endif
#ifdef QV_HAVE_WEBP
#include <webp/decode.h>
#endif

namespace qv {

namespace {

constexpr uint64_t kMaxSide = 32767;
constexpr uint64_t kMaxPixels = 1ull << 27;

fw::Status bad(const char* why) { return fw::Status(fw::msg::BadPicture, why); }

bool sizeAllowed(uint64_t w, uint64_t h) { return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels; }

// The most a compressed byte can stand for, so that a small file claiming a
// huge picture is refused before the picture is allocated. Deflate codes a
// 258-byte match in 2 bits at best. An LZW code is at least 2 bits and adds
// at most 4096 pixels, the size of the code table.
constexpr uint64_t kDeflateRatio = 1032;
constexpr uint64_t kLzwPixelsPerByte = 4096 * 8 / 2;
// A lossless WebP codes a picture of one colour in no bits at all, so no
// ratio bounds every file: past a photograph's size, a WebP must bring at
// least a byte for every 4096 pixels (a real one brings far more).
constexpr uint64_t kWebpFreePixels = 1ull << 24;
constexpr uint64_t kWebpPixelsPerByte = 4096;

// The library writes blue, green, red, alpha bytes: our pixel order, with
// the alpha byte to clear. Transparent parts become white, as on paper.
void flattenAlpha(fw::Bitmap& bmp)
{
    uint32_t* p = bmp.bits();
    const size_t n = static_cast<size_t>(bmp.width()) * bmp.height();
    for (size_t i = 0; i < n; ++i) {
        const uint32_t a = p[i] >> 24, c = p[i];
        if (a == 255) {
            p[i] = c & 0xFFFFFF;
            continue;
        }
        auto mix = [&](int shift) { return (((c >> shift) & 0xFF) * a + 255 * (255 - a) + 127) / 255 << shift; };
        p[i] = mix(16) | mix(8) | mix(0);
    }
}

#ifdef QV_HAVE_PNG
fw::Status readPng(const std::vector<uint8_t>& bytes, fw::Bitmap& out)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return fw::Status(fw::msg::BadPicture, image.message);
    if (!sizeAllowed(image.width, image.height)) {
        png_image_free(&image);
        return bad("picture too large");
    }
    // Unpacked, every row is a filter byte and at least one bit a pixel.
    const uint64_t leastUnpacked = image.height * (1 + (uint64_t{image.width} + 7) / 8);
    if (leastUnpacked > kDeflateRatio * bytes.size()) {
        png_image_free(&image);
        return bad("picture data too short for the picture size");
    }
    image.format = PNG_FORMAT_BGRA;
    fw::Bitmap bmp(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, bmp.bits(), 0, nullptr))
        return fw::Status(fw::msg::BadPicture, image.message);
    flattenAlpha(bmp);
    out = std::move(bmp);
    return {};
}
#endif

#ifdef QV_HAVE_GIF
// The library leaves some failures without an error code, and has no text
// for those.
fw::Status gifError(int code)
{
    const char* why = GifErrorString(code);
    return bad(why ? why : "damaged GIF picture");
}

struct GifBytes {
    const std::vector<uint8_t>* bytes;
    size_t pos = 0;
};

int readGifBytes(GifFileType* gif, GifByteType* buffer, int count)
{
    auto* in = static_cast<GifBytes*>(gif->UserData);
    const size_t n = std::min<size_t>(static_cast<size_t>(count), in->bytes->size() - in->pos);
    std::memcpy(buffer, in->bytes->data() + in->pos, n);
    in->pos += n;
    return static_cast<int>(n);
}

// The first frame of a GIF, laid on its background colour.
fw::Status readGif(const std::vector<uint8_t>& bytes, fw::Bitmap& out)
{
    GifBytes in{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&in, readGifBytes, &error);
    if (!gif)
        return gifError(error);
    struct Closer {
        GifFileType* g;
        ~Closer() { int e; DGifCloseFile(g, &e); }
    } closer{gif};
    if (!sizeAllowed(gif->SWidth, gif->SHeight))
        return bad("picture too large");
    if (uint64_t(gif->SWidth) * uint64_t(gif->SHeight) > kLzwPixelsPerByte * bytes.size())
        return bad("picture data too short for the picture size");
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1)
        return gifError(gif->Error);
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    if (!map)
        return bad("GIF without colours");
    auto colour = [&](int i) -> uint32_t {
        if (i < 0 || i >= map->ColorCount)
            return 0;
        const GifColorType& c = map->Colors[i];
        return uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
    };
    GraphicsControlBlock gcb;
    int transparent = -1;
    if (DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK)
        transparent = gcb.TransparentColor;
    fw::Bitmap bmp(gif->SWidth, gif->SHeight, gif->SColorMap ? colour(gif->SBackGroundColor) : 0xFFFFFF);
    const GifImageDesc& d = frame.ImageDesc;
    // The library has already put interlaced rows in their places.
    for (int i = 0; i < d.Height; ++i)
        for (int x = 0; x < d.Width; ++x) {
            const int px = d.Left + x, py = d.Top + i;
            const int index = frame.RasterBits[static_cast<size_t>(i) * d.Width + x];
            if (index != transparent && bmp.contains(px, py))
                bmp.setPixel(px, py, colour(index));
        }
    out = std::move(bmp);
    return {};
}
#endif

#ifdef QV_HAVE_WEBP
fw::Status readWebp(const std::vector<uint8_t>& bytes, fw::Bitmap& out)
{
    int w = 0, h = 0;
    if (!WebPGetInfo(bytes.data(), bytes.size(), &w, &h))
        return bad("damaged WebP picture");
    if (!sizeAllowed(w, h))
        return bad("picture too large");
    const uint64_t pixels = uint64_t(w) * uint64_t(h);
    if (pixels > kWebpFreePixels && pixels > kWebpPixelsPerByte * bytes.size())
        return bad("picture data too short for the picture size");
    fw::Bitmap bmp(w, h);
    const size_t size = static_cast<size_t>(w) * h * 4;
    if (!WebPDecodeBGRAInto(bytes.data(), bytes.size(), reinterpret_cast<uint8_t*>(bmp.bits()), size, w * 4))
        return bad("damaged WebP picture");
    flattenAlpha(bmp);
    out = std::move(bmp);
    return {};
}
#endif

bool startsWith(const std::vector<uint8_t>& b, const char* magic, size_t at = 0)
{
    const size_t n = std::strlen(magic);
    return b.size() >= at + n && std::memcmp(b.data() + at, magic, n) == 0;
}

fw::Status decodeByContent(const std::vector<uint8_t>& bytes, fw::Bitmap& out)
{
    if (startsWith(bytes, "BM")) {
        fw::MemoryStream m(bytes.data(), bytes.size());
        return fw::readBmp(m, out);
    }
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
        fw::MemoryStream m(bytes.data(), bytes.size());
        JpegPicture pic;
        fw::Status s = decodeJpeg(m, 0, {}, pic);
        if (s.ok())
            out = std::move(pic.rgb);
        return s;
    }
#ifdef QV_HAVE_PNG
    if (startsWith(bytes, "\x89PNG"))
        return readPng(bytes, out);
#endif
#ifdef QV_HAVE_GIF
    if (startsWith(bytes, "GIF8"))
        return readGif(bytes, out);
#endif
#ifdef QV_HAVE_WEBP
    if (startsWith(bytes, "RIFF") && startsWith(bytes, "WEBP", 8))
        return readWebp(bytes, out);
#endif
    return bad("not a picture this program reads");
}

}  // namespace

fw::Status decodePicture(const std::vector<uint8_t>& bytes, fw::Bitmap& out)
{
    // Whatever a decoding library throws on a damaged file is a damaged
    // picture, never the end of the game.
    try {
        return decodeByContent(bytes, out);
    } catch (const std::bad_alloc&) {
        return fw::Status(fw::msg::OutOfMemory);
    } catch (const std::exception&) {
        return bad("damaged picture");
    } catch (...) {
        return bad("damaged picture");
    }
}

fw::Status readPictureFile(const std::filesystem::path& path, fw::Bitmap& out)
{
    fw::FileStream f(path, fw::FileStream::Mode::Read);
    if (!f.isOpen())
        return fw::Status(msg::CannotOpen, path.filename().string());
    fw::ByteReader r(f);
    const std::vector<uint8_t> bytes = r.bytes(static_cast<size_t>(f.size()));
    if (r.failed())
        return fw::Status(msg::BadFile, path.string());
    return fw::pictureFileStatus(decodePicture(bytes, out), path);
}

}  // namespace qv
