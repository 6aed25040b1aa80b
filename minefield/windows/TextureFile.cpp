#include "minefield/windows/TextureFile.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mf {

namespace {

// A texture is tiled: a few screens' worth of pixels is more than any needs,
// and the limit keeps a small damaged file from costing gigabytes.
constexpr int64_t kMaxPixels = 16 * 1024 * 1024;
constexpr off_t kMaxFileBytes = 256 * 1024 * 1024;

// Little-endian fields of the bytes, 0 past their end (callers check the
// size first where it matters).
struct Bytes {
    const uint8_t* data;
    size_t size;

    uint32_t u8(size_t at) const { return at < size ? data[at] : 0; }
    uint32_t u16(size_t at) const { return u8(at) | u8(at + 1) << 8; }
    uint32_t u32(size_t at) const { return u16(at) | u16(at + 2) << 16; }
};

// One colour of a bit-field pixel, widened to 8 bits.
struct Field {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Field(uint32_t m) : mask(m)
    {
        if (m) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    bool valid() const { return mask && (max & (max + 1)) == 0; }
    uint32_t get(uint32_t v) const { return static_cast<uint32_t>((uint64_t((v & mask) >> shift) * 255 + max / 2) / max); }
};

struct Dib {
    int64_t width = 0, height = 0;
    bool topDown = false;
    uint32_t bits = 0, compression = 0;
    uint32_t masks[3] = {0, 0, 0};
    std::vector<QRgb> palette;
    size_t pixels = 0;     // where the pixel data starts
    size_t dataBytes = 0;  // how much of it there is
};

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kFields = 3;

// The headers: the old 12-byte one or a 40-byte one and its longer kin.
bool readHeader(const Bytes& b, Dib& d)
{
    if (b.size < 26 || b.u8(0) != 'B' || b.u8(1) != 'M')
        return false;
    const uint32_t info = b.u32(14);
    const bool core = info == 12;
    if (!core && (info < 40 || info > b.size - 14))
        return false;
    if (core) {
        d.width = b.u16(18);
        d.height = b.u16(20);
        d.bits = b.u16(24);
    } else {
        d.width = static_cast<int32_t>(b.u32(18));
        d.height = static_cast<int32_t>(b.u32(22));
        d.bits = b.u16(28);
        d.compression = b.u32(30);
    }
    d.topDown = d.height < 0;
    d.height = d.topDown ? -d.height : d.height;
    if (d.width <= 0 || d.height <= 0 || d.width * d.height > kMaxPixels)
        return false;
    size_t at = 14 + info;
    if (d.compression == kFields) {
        const size_t masksAt = info >= 52 ? 54 : at;
        if (masksAt + 12 > b.size)
            return false;
        for (int i = 0; i < 3; ++i)
            d.masks[i] = b.u32(masksAt + 4 * size_t(i));
        if (info < 52)
            at += 12;
    } else if (d.bits == 16) {
        d.masks[0] = 0x7C00, d.masks[1] = 0x03E0, d.masks[2] = 0x001F;
    } else if (d.bits == 32) {
        d.masks[0] = 0xFF0000, d.masks[1] = 0xFF00, d.masks[2] = 0xFF;
    }
    const bool known = (d.compression == kRgb && (d.bits == 1 || d.bits == 4 || d.bits == 8 || d.bits == 16 ||
                                                 d.bits == 24 || d.bits == 32)) ||
                       (d.compression == kRle8 && d.bits == 8 && !d.topDown) ||
                       (d.compression == kRle4 && d.bits == 4 && !d.topDown) ||
                       (d.compression == kFields && (d.bits == 16 || d.bits == 32));
    if (!known)
        return false;
    for (uint32_t m : d.masks)
        if ((d.bits == 16 || d.bits == 32) && !Field(m).valid())
            return false;
    const uint32_t offset = b.u32(10);
    if (d.bits <= 8) {
        const uint32_t used = core ? 0 : b.u32(46);
        const size_t entry = core ? 3 : 4;
        size_t count = used && used < (1u << d.bits) ? used : (1u << d.bits);
        const size_t end = offset > at ? std::min<size_t>(offset, b.size) : b.size;
        count = std::min(count, end > at ? (end - at) / entry : 0);
        for (size_t i = 0; i < count; ++i, at += entry)
            d.palette.push_back(qRgb(int(b.u8(at + 2)), int(b.u8(at + 1)), int(b.u8(at))));
    }
    d.pixels = offset ? offset : at;
    if (d.pixels > b.size)
        return false;
    d.dataBytes = b.size - d.pixels;
    return true;
}

QRgb colourOf(const Dib& d, uint32_t index) { return index < d.palette.size() ? d.palette[index] : qRgb(0, 0, 0); }

QImage readRows(const Bytes& b, const Dib& d)
{
    const size_t stride = size_t((d.width * d.bits + 31) / 32) * 4;
    if (stride * size_t(d.height) > d.dataBytes)
        return {};  // every row must be in the file
    QImage image(int(d.width), int(d.height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const Field f[3] = {Field(d.masks[0]), Field(d.masks[1]), Field(d.masks[2])};
    for (int64_t i = 0; i < d.height; ++i) {
        const uint8_t* src = b.data + d.pixels + size_t(i) * stride;
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(int(d.topDown ? i : d.height - 1 - i)));
        for (int64_t x = 0; x < d.width; ++x) {
            if (d.bits <= 8) {
                const int per = 8 / int(d.bits);
                const int shift = 8 - int(d.bits) * int(x % per + 1);
                dst[x] = colourOf(d, (src[x / per] >> shift) & ((1u << d.bits) - 1));
            } else if (d.bits == 24) {
                dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            } else {
                const Bytes row{src, stride};
                const uint32_t v = d.bits == 16 ? row.u16(size_t(2 * x)) : row.u32(size_t(4 * x));
                dst[x] = qRgb(int(f[0].get(v)), int(f[1].get(v)), int(f[2].get(v)));
            }
        }
    }
    return image;
}

// Run-length data, rows bottom-up. Encoders write every pixel and a run of
// two bytes sets at most 255, so a picture larger than that is refused
// before anything is allocated for it.
QImage readRuns(const Bytes& b, const Dib& d)
{
    if (d.width * d.height > int64_t(d.dataBytes / 2) * 255)
        return {};
    QImage image(int(d.width), int(d.height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(qRgb(0, 0, 0));
    const bool four = d.compression == kRle4;
    int64_t x = 0, row = 0;
    auto put = [&](uint32_t index) {
        if (x < d.width && row < d.height)
            reinterpret_cast<QRgb*>(image.scanLine(int(d.height - 1 - row)))[x] = colourOf(d, index);
        ++x;
    };
    size_t at = d.pixels;
    const size_t end = b.size;
    while (at + 1 < end && row < d.height) {
        const uint32_t count = b.u8(at), value = b.u8(at + 1);
        at += 2;
        if (count) {
            for (uint32_t i = 0; i < count; ++i)
                put(four ? (i & 1 ? value & 15 : value >> 4) : value);
        } else if (value == 0) {
            x = 0, ++row;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += b.u8(at), row += b.u8(at + 1);
            at += 2;
        } else {
            const size_t bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > end)
                break;  // keep what was drawn
            for (uint32_t i = 0; i < value; ++i) {
                const uint32_t byte = b.u8(at + (four ? i / 2 : i));
                put(four ? (i & 1 ? byte & 15 : byte >> 4) : byte);
            }
            at += bytes + (bytes & 1);
        }
    }
    return image;
}

// Other formats (a texture named in the settings of an older build) go to
// the toolkit, with the same size limit.
QImage readOther(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || int64_t(size.width()) * size.height() > kMaxPixels)
        return {};
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QImage DecodeTexture(const QByteArray& bytes)
{
    const Bytes b{reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())};
    if (b.size < 2 || b.u8(0) != 'B' || b.u8(1) != 'M')
        return readOther(bytes);
    Dib d;
    if (!readHeader(b, d))
        return {};
    return d.compression == kRle8 || d.compression == kRle4 ? readRuns(b, d) : readRows(b, d);
}

QStringList TextureNameFilters(const QString& pictures, const QString& bitmaps, const QString& allFiles)
{
    // Our own reader takes BMP; the toolkit's plug-ins the rest. Both cases
    // are listed, for file systems that tell them apart.
    QStringList formats{"bmp"};
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        formats << QString::fromLatin1(format).toLower();
    if (formats.contains("jpeg") || formats.contains("jpg"))
        formats << "jpg" << "jpeg";
    formats.removeDuplicates();
    QStringList patterns;
    for (const QString& f : formats)
        patterns << "*." + f << "*." + f.toUpper();
    return {pictures + " (" + patterns.join(' ') + ")", bitmaps + " (*.BMP *.bmp)", allFiles + " (*)"};
}

QImage ReadTextureFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat st {};
    QByteArray bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxFileBytes) {
        bytes.resize(static_cast<qsizetype>(st.st_size));
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        bytes.truncate(done);
    }
    ::close(fd);
    return DecodeTexture(bytes);
}

}  // namespace mf
