#include "jigsaw/document/Picture.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <system_error>

#include "framework/Bmp.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "framework/Raster.h"
#include "jigsaw/document/PicturePalette.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/PuzzleFileWriter.h"
#include "jigsaw/document/SavedPictureSize.h"
#include "jigsaw/document/Thumbnail.h"

namespace qv {

namespace {

constexpr uint8_t kPaletteOnlyCache = 0x10;
constexpr uint64_t kCacheHead = 5;

uint64_t defaultFreeSpace(const std::filesystem::path& path)
{
    std::error_code ec;
    auto info = std::filesystem::space(path.has_parent_path() ? path.parent_path() : ".", ec);
    return ec ? 0 : info.available;
}

int coloursFor(const fw::Display& d) { return d.isPalette16() ? 16 : d.isPalette256() ? 256 : 0; }

struct CacheHead {
    uint8_t mode = 0;
    uint16_t width = 0;
    uint16_t height = 0;
};

bool readCacheHead(fw::Stream& file, uint64_t offset, CacheHead& head)
{
    if (!file.seek(offset))
        return false;
    fw::ByteReader r(file);
    head.mode = r.u8();
    head.width = r.u16();
    head.height = r.u16();
    return !r.failed();
}

// The directory's cache offset alone: one small write, so the other
// fields are never touched while the cache changes.
bool writeCacheOffset(fw::FileStream& file, const Entry& entry, uint32_t offset)
{
    constexpr uint64_t kCacheOffsetField = 13;  // after the thumbnail, picture offsets, length and kind
    if (!file.seek(entry.directoryPosition + kCacheOffsetField))
        return false;
    fw::ByteWriter w(file);
    w.u32(offset);
    return !w.failed();
}

// Where the picture block ends: a cache is only ever written after it, so a
// damaged directory cannot make the cache overwrite the picture.
uint64_t pictureEnd(const PuzzleDirectory& d)
{
    return uint64_t(d.pictureOffset) + (d.pictureKind == 2 ? kPaletteBlockSize : 0) + d.pictureLength;
}

// The full-size picture, read from the file one way or another.
struct Decoded {
    fw::Bitmap rgb;                 // true colour, possibly bigger than the picture scaled
    std::vector<uint32_t> palette;  // the display palette the pixels were reduced to, if any
    int fullWidth = 0;
    int fullHeight = 0;
};

class PictureLoader {
public:
    PictureLoader(Puz& puz, const PictureSettings& s) : m_puz(puz), m_settings(s), m_dir(puz.entry.directory) {}

    fw::Status run()
    {
        if (m_dir.pictureKind != 0 && mayWriteCache())
            cutLeftovers();
        if (!m_file.open(m_puz.puzzlePath, fw::FileStream::Mode::Read))
            return fw::Status(msg::CannotOpen, m_puz.puzzlePath.filename().string());
        const bool low = m_settings.display.lowColour;
        m_offset = (low && m_dir.secondPictureOffset) ? m_dir.secondPictureOffset : m_dir.pictureOffset;
        Decoded pic;
        fw::Status s = m_dir.pictureKind == 0 ? readBmpPicture(pic) : readJpegPicture(pic);
        m_file.close();
        if (!s.ok())
            return s;
        return scale(pic);
    }

private:
    fw::Status readBmpPicture(Decoded& pic)
    {
        if (!m_file.seek(m_offset))
            return fw::Status(fw::msg::BadPicture, "picture offset past the end of the file");
        fw::Status s = fw::readBmp(m_file, pic.rgb);
        pic.fullWidth = pic.rgb.width();
        pic.fullHeight = pic.rgb.height();
        return s;
    }

    fw::Status readJpegPicture(Decoded& pic)
    {
        const fw::Display& disp = m_settings.display;
        const uint8_t mode = cacheModeFor(disp);
        CacheHead head;
        const bool haveHead = m_dir.cacheOffset && readCacheHead(m_file, m_dir.cacheOffset, head);
        if (haveHead && head.mode == mode && head.width == uint16_t(disp.width) &&
            head.height == uint16_t(disp.height) && readCachedBitmap(pic))
            return {};
        std::vector<uint32_t> palette;
        uint64_t jpegOffset = m_offset;
        if (m_dir.pictureKind == 2) {
            m_file.seek(m_offset);
            fw::ByteReader r(m_file);
            palette = readPaletteBlock(r);
            jpegOffset += kPaletteBlockSize;
        } else if (haveHead && (head.mode & kPaletteOnlyCache)) {
            m_file.seek(m_dir.cacheOffset + kCacheHead);
            fw::ByteReader r(m_file);
            palette = readPaletteBlock(r);
        }
        JpegDecodeRequest req;
        req.colours = coloursFor(disp);
        const bool writeCache = cacheWritable(jpegOffset, req.colours);
        req.length = m_dir.pictureLength;
        if (req.colours == 256 && !palette.empty())
            req.palette = &palette;
        if (!writeCache && req.colours == 0)
            askForScaledDecode(jpegOffset, req);
        JpegPicture jp;
        fw::Status s = decodeJpeg(m_file, jpegOffset, req, jp);
        if (!s.ok())
            return s;
        pic.fullWidth = jp.fullWidth;
        pic.fullHeight = jp.fullHeight;
        if (writeCache)
            storeBitmapCache(jp);
        else if (m_dir.pictureKind == 1 && req.colours == 256 && palette.empty())
            storePaletteCache(jp.indexed.palette);
        if (jp.isIndexed()) {
            pic.palette = jp.indexed.palette;
            pic.rgb = expandPalette(jp.indexed);
        } else {
            pic.rgb = std::move(jp.rgb);
        }
        return {};
    }

    bool readCachedBitmap(Decoded& pic)
    {
        if (!m_file.seek(m_dir.cacheOffset + kCacheHead))
            return false;
        std::vector<uint32_t> palette;
        // A damaged cache is not an error: the picture is decoded again and the cache rewritten.
        if (!fw::readBmp(m_file, pic.rgb, &palette).ok())
            return false;
        pic.fullWidth = pic.rgb.width();
        pic.fullHeight = pic.rgb.height();
        if (coloursFor(m_settings.display))
            pic.palette = std::move(palette);
        return true;
    }

    // The picture ends up at the scaled size anyway: let the library skip work.
    void askForScaledDecode(uint64_t jpegOffset, JpegDecodeRequest& req)
    {
        int w = 0, h = 0;
        if (!readJpegSize(m_file, jpegOffset, w, h).ok())
            return;
        const PictureScale sc = scaleFor(w, h);
        if (sc.factor < 1.0) {
            req.atLeastWidth = sc.width;
            req.atLeastHeight = sc.height;
        }
    }

    bool mayWriteCache() const
    {
        return m_settings.cacheEnabled && !(m_puz.edit & (Puz::Making | Puz::Editing));
    }

    // The cache is written only when the disk keeps the margin free after
    // it: the cache itself (up to tens of megabytes) must not be what fills
    // the disk and makes the next save fail.
    bool cacheWritable(uint64_t jpegOffset, int colours)
    {
        if (!mayWriteCache())
            return false;
        int w = 0, h = 0;
        if (!readJpegSize(m_file, jpegOffset, w, h).ok())
            return false;
        const uint64_t end = m_file.size();
        const uint64_t cacheEnd = cachePosition() + kCacheHead + cacheBmpBytes(w, h, colours);
        const uint64_t growth = cacheEnd > end ? cacheEnd - end : 0;
        auto freeSpace = m_settings.freeSpace ? m_settings.freeSpace : defaultFreeSpace;
        if (freeSpace(m_puz.puzzlePath) < growth + m_settings.minFreeDisk)
            return false;
        fw::FileStream probe;
        return probe.open(m_puz.puzzlePath, fw::FileStream::Mode::ReadWrite);
    }

    // Bytes past the blocks the directory reaches are what a cache write
    // that was killed left behind (its offset is only set once it is
    // whole). They are cut off before anything else is read or written, so
    // no later cache is appended after them.
    void cutLeftovers()
    {
        std::error_code ec;
        const uint64_t size = std::filesystem::file_size(m_puz.puzzlePath, ec);
        if (ec)
            return;
        fw::FileStream in;
        if (!in.open(m_puz.puzzlePath, fw::FileStream::Mode::Read))
            return;
        const uint64_t end = dataEnd(in, size);
        in.close();
        fw::FileStream probe;  // a read-only puzzle file is left alone
        if (end != 0 && end < size && probe.open(m_puz.puzzlePath, fw::FileStream::Mode::ReadWrite)) {
            probe.close();
            std::filesystem::resize_file(m_puz.puzzlePath, end, ec);
        }
    }

    // Where the data the directory reaches ends; 0 when that cannot be told
    // (a block of unknown length after the picture, a cache that does not
    // read), and then nothing is cut.
    uint64_t dataEnd(fw::Stream& in, uint64_t size) const
    {
        const uint64_t picEnd = pictureEnd(m_dir);
        if (picEnd > size || (m_dir.secondPictureOffset && m_dir.secondPictureOffset >= picEnd) ||
            (m_dir.thumbnailOffset && m_dir.thumbnailOffset >= picEnd))
            return 0;
        if (m_dir.cacheOffset == 0)
            return picEnd;
        if (m_dir.cacheOffset < picEnd)
            return 0;
        const uint64_t block = cacheBlockBytes(in, m_dir.cacheOffset);
        const uint64_t end = block ? m_dir.cacheOffset + kCacheHead + block : 0;
        return end <= size ? end : 0;
    }

    // The length of the block after a cache head: a palette block, or a BMP
    // image measured by its own headers (the larger of its stated size and
    // the pixels its header describes); 0 when it does not read.
    static uint64_t cacheBlockBytes(fw::Stream& in, uint64_t offset)
    {
        CacheHead head;
        if (!readCacheHead(in, offset, head))
            return 0;
        fw::ByteReader r(in);
        if (head.mode & kPaletteOnlyCache) {
            const uint16_t count = r.u16();
            return r.failed() ? 0 : 2 + uint64_t(count) * 4;
        }
        const uint16_t magic = r.u16();
        const uint32_t fileSize = r.u32();
        r.u32();
        const uint32_t pixelsAt = r.u32();
        const uint32_t headerSize = r.u32();
        int64_t w = 0, h = 0;
        uint32_t compression = 0, imageSize = 0;
        uint16_t bits = 0;
        if (headerSize == 12) {
            w = r.u16();
            h = r.u16();
            r.u16();
            bits = r.u16();
        } else {
            w = r.i32();
            h = r.i32();
            r.u16();
            bits = r.u16();
            compression = r.u32();
            imageSize = r.u32();
        }
        if (r.failed() || magic != 0x4D42 || w <= 0)
            return 0;
        const uint64_t stride = (uint64_t(w) * bits + 31) / 32 * 4;
        const uint64_t pixels = (compression == 0 || compression == 3) ? stride * uint64_t(h < 0 ? -h : h) : imageSize;
        return std::max<uint64_t>(fileSize, uint64_t(pixelsAt) + pixels);
    }

    // The size of the BMP a cache of a w x h picture takes at most: 24 bits
    // a pixel in true colour, 8 or 4 bits with a full palette otherwise.
    static uint64_t cacheBmpBytes(int w, int h, int colours)
    {
        const int bits = colours == 0 ? 24 : colours == 16 ? 4 : 8;
        const uint64_t paletteBytes = colours == 0 ? 0 : uint64_t(colours) * 4;
        const uint64_t stride = (uint64_t(std::max(w, 0)) * bits + 31) / 32 * 4;
        return 54 + paletteBytes + stride * uint64_t(std::max(h, 0));
    }

    uint64_t cachePosition() const
    {
        const uint64_t end = m_file.isOpen() ? m_file.size() : 0;
        if (m_dir.cacheOffset && m_dir.cacheOffset >= pictureEnd(m_dir) && m_dir.cacheOffset <= end)
            return m_dir.cacheOffset;
        return std::max<uint64_t>(end, pictureEnd(m_dir));
    }

    // The cache becomes reachable only once it is whole on the disk: the
    // directory's cache offset is cleared (and synced) before the block is
    // written, and set again after the block is synced. A crash in between
    // leaves a puzzle without a cache, whose picture is decoded again; it can
    // never leave a head that matches in front of a half-written block.
    bool writeCacheBlock(uint64_t at, uint8_t mode, const std::function<bool(fw::Stream&)>& block)
    {
        if (at > 0xFFFFFFFFu)
            return false;
        fw::FileStream out(m_puz.puzzlePath, fw::FileStream::Mode::ReadWrite);
        if (!out.isOpen())
            return false;
        const Entry& entry = m_puz.entry;
        if (m_dir.cacheOffset != 0) {
            const bool cleared = writeCacheOffset(out, entry, 0);
            m_puz.entry.directory.cacheOffset = 0;
            if (!cleared || !out.sync())
                return false;
        }
        // From here on nothing at or after `at` is reachable, so a write
        // cut short (a full disk) gives the file back its old length and
        // leaves no dead bytes to fill the disk further.
        auto giveUp = [&] {
            out.close();
            std::error_code ec;
            if (std::filesystem::file_size(m_puz.puzzlePath, ec) > at && !ec)
                std::filesystem::resize_file(m_puz.puzzlePath, at, ec);
            return false;
        };
        if (!out.seek(at))
            return giveUp();
        fw::ByteWriter w(out);
        w.u8(mode);
        w.u16(static_cast<uint16_t>(m_settings.display.width));
        w.u16(static_cast<uint16_t>(m_settings.display.height));
        if (w.failed() || !block(out))
            return giveUp();
        const uint64_t end = out.tell();
        if (!out.sync() || !writeCacheOffset(out, entry, static_cast<uint32_t>(at)) || !out.close())
            return giveUp();
        m_puz.entry.directory.cacheOffset = static_cast<uint32_t>(at);
        // A smaller cache than the one it replaces leaves no stale bytes behind.
        std::error_code ec;
        if (std::filesystem::file_size(m_puz.puzzlePath, ec) > end && !ec)
            std::filesystem::resize_file(m_puz.puzzlePath, end, ec);
        return true;
    }

    void storeBitmapCache(const JpegPicture& jp)
    {
        const uint64_t at = cachePosition();
        writeCacheBlock(at, cacheModeFor(m_settings.display), [&](fw::Stream& out) {
            return jp.isIndexed() ? fw::writeBmp(out, jp.indexed) : fw::writeBmp(out, jp.rgb);
        });
    }

    void storePaletteCache(const std::vector<uint32_t>& palette)
    {
        fw::FileStream probe;
        if (palette.empty() || !probe.open(m_puz.puzzlePath, fw::FileStream::Mode::ReadWrite))
            return;
        probe.close();
        writeCacheBlock(uint64_t(m_dir.pictureOffset) + m_dir.pictureLength, kPaletteOnlyCache, [&](fw::Stream& out) {
            fw::ByteWriter w(out);
            w.u16(static_cast<uint16_t>(palette.size()));
            for (uint32_t c : palette) {
                w.u8(static_cast<uint8_t>(c));
                w.u8(static_cast<uint8_t>(c >> 8));
                w.u8(static_cast<uint8_t>(c >> 16));
                w.u8(0);
            }
            return !w.failed();
        });
    }

    Point16 table() const
    {
        Point16 t = m_puz.user().playFrameSize();
        if (t.x <= 0 || t.y <= 0)
            t = {static_cast<int16_t>(m_settings.display.width), static_cast<int16_t>(m_settings.display.height)};
        return t;
    }

    PictureScale scaleFor(int w, int h) const
    {
        const Point16 t = table();
        return ScaleDocumentPicture(m_puz, w, h, t.x, t.y);
    }

    fw::Status scale(Decoded& pic)
    {
        const PictureScale sc = scaleFor(pic.fullWidth, pic.fullHeight);
        if (sc.width <= 0 || sc.height <= 0)
            return fw::Status(fw::msg::BadPicture, "picture too small");
        if (pic.rgb.width() == sc.width && pic.rgb.height() == sc.height) {
            m_puz.picture = std::move(pic.rgb);
        } else {
            m_puz.picture = fw::scaleArea(pic.rgb, sc.width, sc.height);
            pic.rgb = fw::Bitmap();
            // Averaging makes colours a palette display does not have.
            if (!pic.palette.empty())
                m_puz.picture = expandPalette(mapToPalette(m_puz.picture, pic.palette, false));
        }
        SetPictureScale(m_puz, sc, pic.fullWidth, pic.fullHeight);
        return {};
    }

    Puz& m_puz;
    const PictureSettings& m_settings;
    const PuzzleDirectory m_dir;
    fw::FileStream m_file;
    uint64_t m_offset = 0;
};

Progress stepRange(const std::function<void(int)>& progress, int from, int to)
{
    if (!progress)
        return {};
    return [=](int percent) { progress(from + percent * (to - from) / 100); };
}

fw::Status paletteOf(const std::vector<uint8_t>& jpeg, std::vector<uint32_t>& palette, const Progress& progress)
{
    fw::MemoryStream m(jpeg.data(), jpeg.size());
    JpegDecodeRequest req;
    req.colours = 256;
    req.paletteOnly = true;
    req.progress = progress;
    JpegPicture pic;
    fw::Status s = decodeJpeg(m, 0, req, pic);
    palette = pic.indexed.palette;
    return s;
}

fw::Status readWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes)
{
    fw::FileStream f(path, fw::FileStream::Mode::Read);
    if (!f.isOpen())
        return fw::Status(msg::CannotOpen, path.filename().string());
    fw::ByteReader r(f);
    bytes = r.bytes(static_cast<size_t>(f.size()));
    return r.failed() ? fw::Status(msg::BadFile, path.string()) : fw::Status();
}

}  // namespace

uint8_t cacheModeFor(const fw::Display& d)
{
    return static_cast<uint8_t>((d.isPalette16() ? 1 : d.isPalette256() ? 4 : 8) | 2);
}

PictureScale scalePicture(int W, int H, int TW, int TH, bool imgFull, float savedFactor)
{
    PictureScale r;
    if (W <= 0 || H <= 0 || TW <= 0 || TH <= 0)
        return r;
    const double k = imgFull ? 1.0 : 0.5;
    double f = k * TW * TH / (double(W) * H);
    double limitW = TW, limitH = TH;
    if (f >= 1) {
        f = 1;
    } else {
        const double s = std::trunc(std::sqrt(std::trunc(k * TW * TH * W / H)));
        f = s / W;
        limitH = TH - 5;
    }
    if (W * f > limitW)
        f = limitW / W;
    if (H * f > limitH)
        f = limitH / H;
    f = std::min(f, static_cast<double>(savedFactor));
    r.factor = f;
    r.width = static_cast<int>(W * f);
    r.height = static_cast<int>(H * f);
    r.scatterFull = double(r.width) * r.height >= 0.7 * TW * TH;
    return r;
}

fw::Status LoadPicture(Puz& puz, const PictureSettings& settings)
{
    try {
        return PictureLoader(puz, settings).run();
    } catch (const std::bad_alloc&) {
        return fw::Status(fw::msg::OutOfMemory);
    }
}

fw::Status WritePuzzleFile(const Puz& puz, const std::filesystem::path& path, const PictureSource& picture,
                           const fw::Bitmap& thumbnail, const fw::Display& display,
                           const std::function<void(int)>& progress)
{
    try {
        PuzzleFileContent content = PuzzleFileContent::fromDocument(puz);
        fw::Status s;
        if (!thumbnail.isNull()) {
            s = MakeThumbnail(thumbnail, display, content.thumbnailBmp, stepRange(progress, 0, 50));
            if (!s.ok())
                return s;
        }
        if (!picture.jpegFile.empty()) {
            s = readWholeFile(picture.jpegFile, content.jpeg);
        } else {
            fw::MemoryStream jpeg;
            s = EncodeJpeg(picture.bitmap, {}, jpeg, 0, 85, kJpegOptimise, nullptr, stepRange(progress, 50, 150));
            content.jpeg = jpeg.take();
        }
        if (s.ok())
            s = paletteOf(content.jpeg, content.palette, stepRange(progress, 150, 250));
        if (!s.ok())
            return s;
        return writePuzzleFile(path, content);
    } catch (const std::bad_alloc&) {
        return fw::Status(fw::msg::OutOfMemory);
    }
}

}  // namespace qv
