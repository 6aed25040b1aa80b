#include "framework/Bmp.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "framework/ByteIO.h"

namespace fw {

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
constexpr int kMaxSide = 32767;               // pixel coordinates are signed 16-bit
constexpr uint64_t kMaxPixels = 1ull << 27;   // 512 MiB of 32-bit pixels at most

Status bad(const char* why) { return Status(msg::BadPicture, why); }

// One colour channel described by a bit mask: where it sits and how to widen it to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m = 0) : mask(m)
    {
        if (!m)
            return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    bool contiguous() const { return mask == 0 || (max & (max + 1)) == 0; }
    uint32_t get(uint32_t v) const
    {
        if (!max)
            return 0;
        uint32_t c = (v & mask) >> shift;
        return max == 255 ? c : static_cast<uint32_t>((static_cast<uint64_t>(c) * 255 + max / 2) / max);
    }
};

struct Header {
    uint64_t start = 0;      // stream position of "BM"
    uint64_t available = 0;  // bytes from start to the end of the stream
    uint32_t dataOffset = 0;
    uint32_t infoSize = 0;
    int32_t width = 0;
    int32_t height = 0;  // positive: rows bottom-up
    bool topDown = false;
    uint16_t bits = 0;
    uint32_t compression = kRgb;
    uint32_t imageSize = 0;
    uint32_t colorsUsed = 0;
    uint32_t masks[3] = {0, 0, 0};
    std::vector<uint32_t> palette;
};

Status readMasks(ByteReader& r, Header& h)
{
    for (auto& m : h.masks)
        m = r.u32();
    if (r.failed())
        return bad("colour masks missing");
    return {};
}

Status readInfo(ByteReader& r, Header& h)
{
    h.infoSize = r.u32();
    if (h.infoSize == 12) {
        h.width = r.u16();
        h.height = r.i16();
        r.u16();
        h.bits = r.u16();
        return r.failed() ? bad("header cut short") : Status();
    }
    if (h.infoSize < 40 || h.infoSize > h.available)
        return bad("unknown header size");
    h.width = r.i32();
    h.height = r.i32();
    r.u16();  // planes
    h.bits = r.u16();
    h.compression = r.u32();
    h.imageSize = r.u32();
    r.skip(8);  // resolution
    h.colorsUsed = r.u32();
    r.u32();  // important colours
    if (r.failed())
        return bad("header cut short");
    bool fields = h.compression == kBitFields || h.compression == kAlphaBitFields;
    if (h.infoSize >= 52) {
        Status s = readMasks(r, h);
        if (!s.ok())
            return s;
        r.skip(h.infoSize - 52);
    } else if (fields) {
        // The masks follow a 40-byte header (a fourth, alpha, with the alpha variant).
        Status s = readMasks(r, h);
        if (!s.ok())
            return s;
        if (h.compression == kAlphaBitFields)
            r.u32();
    }
    if (!fields)
        h.masks[0] = h.masks[1] = h.masks[2] = 0;
    return r.failed() ? bad("header cut short") : Status();
}

Status checkFormat(Header& h)
{
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN)
        return bad("bad picture size");
    h.topDown = h.height < 0;
    if (h.topDown)
        h.height = -h.height;
    if (h.width > kMaxSide || h.height > kMaxSide ||
        static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height) > kMaxPixels)
        return bad("picture too large");
    switch (h.compression) {
    case kRgb:
        if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
            return bad("unsupported bit count");
        break;
    case kRle8:
        if (h.bits != 8 || h.topDown)
            return bad("bad RLE8 picture");
        break;
    case kRle4:
        if (h.bits != 4 || h.topDown)
            return bad("bad RLE4 picture");
        break;
    case kBitFields:
    case kAlphaBitFields:
        if (h.bits != 16 && h.bits != 32)
            return bad("colour masks need 16 or 32 bits");
        for (uint32_t m : h.masks)
            if (!Channel(m).contiguous())
                return bad("broken colour mask");
        break;
    default:
        return bad("unsupported compression");
    }
    if (h.compression == kRgb && h.bits == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    } else if (h.compression == kRgb && h.bits == 32) {
        h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
    }
    return {};
}

Status readPalette(ByteReader& r, Header& h)
{
    if (h.bits > 8)
        return {};  // a palette after a true-colour header is only a hint; never needed
    uint32_t most = 1u << h.bits;
    uint32_t count = h.colorsUsed ? h.colorsUsed : most;
    if (h.colorsUsed > most)
        return bad("palette too long");
    int entry = h.infoSize == 12 ? 3 : 4;
    uint64_t paletteEnd = r.stream().tell() - h.start + static_cast<uint64_t>(count) * entry;
    if (paletteEnd > h.available || (h.dataOffset && paletteEnd > h.dataOffset)) {
        // Old writers leave colorsUsed 0 with a shorter table: take what fits before the pixels.
        if (h.colorsUsed || !h.dataOffset || h.dataOffset > h.available)
            return bad("palette runs past the pixels");
        uint64_t room = h.dataOffset - (r.stream().tell() - h.start);
        count = static_cast<uint32_t>(std::min<uint64_t>(count, room / entry));
    }
    h.palette.resize(count);
    for (auto& c : h.palette) {
        uint8_t b = r.u8(), g = r.u8(), rd = r.u8();
        if (entry == 4)
            r.u8();
        c = (uint32_t(rd) << 16) | (uint32_t(g) << 8) | b;
    }
    return r.failed() ? bad("palette cut short") : Status();
}

Status readHeaders(Stream& in, Header& h)
{
    h.start = in.tell();
    h.available = in.size() > h.start ? in.size() - h.start : 0;
    ByteReader r(in);
    uint8_t magic[2];
    r.bytes(magic, 2);
    r.u32();  // file size: often wrong in real files, never relied on
    r.u32();
    h.dataOffset = r.u32();
    if (r.failed() || magic[0] != 'B' || magic[1] != 'M')
        return bad("not a BMP picture");
    Status s = readInfo(r, h);
    if (s.ok())
        s = checkFormat(h);
    if (s.ok())
        s = readPalette(r, h);
    return s;
}

uint32_t paletteColour(const Header& h, uint32_t index)
{
    return index < h.palette.size() ? h.palette[index] : 0;
}

uint64_t strideOf(const Header& h) { return ((static_cast<uint64_t>(h.width) * h.bits + 31) / 32) * 4; }

void decodeRow(const Header& h, const uint8_t* src, uint32_t* dst, const Channel ch[3])
{
    const int w = h.width;
    switch (h.bits) {
    case 1:
    case 4:
    case 8: {
        const int per = 8 / h.bits;
        const uint32_t mask = (1u << h.bits) - 1;
        for (int x = 0; x < w; ++x) {
            int shift = 8 - h.bits * (x % per + 1);
            dst[x] = paletteColour(h, (src[x / per] >> shift) & mask);
        }
        break;
    }
    case 16:
        for (int x = 0; x < w; ++x) {
            uint32_t v = loadU16(src + 2 * x);
            dst[x] = (ch[0].get(v) << 16) | (ch[1].get(v) << 8) | ch[2].get(v);
        }
        break;
    case 24:
        for (int x = 0; x < w; ++x, src += 3)
            dst[x] = (uint32_t(src[2]) << 16) | (uint32_t(src[1]) << 8) | src[0];
        break;
    case 32:
        if (h.masks[0] == 0xFF0000 && h.masks[1] == 0xFF00 && h.masks[2] == 0xFF) {
            for (int x = 0; x < w; ++x)
                dst[x] = loadU32(src + 4 * x) & 0xFFFFFF;
        } else {
            for (int x = 0; x < w; ++x) {
                uint32_t v = loadU32(src + 4 * x);
                dst[x] = (ch[0].get(v) << 16) | (ch[1].get(v) << 8) | ch[2].get(v);
            }
        }
        break;
    }
}

bool isRle(const Header& h) { return h.compression == kRle8 || h.compression == kRle4; }

// Bytes of pixel data that follow `dataStart`, as far as the header allows.
uint64_t dataBytes(const Header& h, uint64_t dataStart)
{
    uint64_t size = h.available - dataStart;
    if (isRle(h) && h.imageSize && h.imageSize < size)
        size = h.imageSize;
    return size;
}

// A picture is allocated only when its data can fill it: a tiny file must
// not cost the memory of the size its header claims. Plain rows must all be
// there; run-length data sets at most 255 pixels with every two bytes
// (encoders write every pixel, so a picture larger than that would be the
// black of pixels the file never sets).
Status checkDataFills(const Header& h, uint64_t dataStart)
{
    if (dataStart > h.available)
        return bad("pixel data cut short");
    const uint64_t bytes = dataBytes(h, dataStart);
    if (!isRle(h))
        return strideOf(h) * h.height > bytes ? bad("pixel data cut short") : Status();
    const uint64_t pixels = static_cast<uint64_t>(h.width) * h.height;
    return pixels > bytes / 2 * 255 ? bad("run-length data too short for the picture size") : Status();
}

Status readPlain(Stream& in, const Header& h, Bitmap& out)
{
    const uint64_t stride = strideOf(h);
    Channel ch[3] = {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
    std::vector<uint8_t> rowBytes(stride);
    for (int i = 0; i < h.height; ++i) {
        if (in.read(rowBytes.data(), stride) != stride)
            return bad("pixel data cut short");
        int y = h.topDown ? i : h.height - 1 - i;
        decodeRow(h, rowBytes.data(), out.row(y), ch);
    }
    return {};
}

// Run-length data: rows bottom-up, escapes for end of line, end of picture,
// a jump, and literal runs padded to 16 bits. Pixels a file never sets stay
// black; pixels past a row's end are dropped.
class RleDecoder {
public:
    RleDecoder(const Header& h, Bitmap& out, const std::vector<uint8_t>& data)
        : m_h(h), m_out(out), m_data(data) {}

    Status run()
    {
        while (m_pos + 1 < m_data.size()) {
            uint8_t count = m_data[m_pos++], value = m_data[m_pos++];
            if (count) {
                for (int i = 0; i < count; ++i)
                    put(m_h.bits == 8 ? value : (i & 1 ? value & 15 : value >> 4));
                continue;
            }
            if (value == 0) {
                m_x = 0, ++m_row;
            } else if (value == 1) {
                return {};
            } else if (value == 2) {
                if (m_pos + 1 >= m_data.size())
                    return bad("RLE jump cut short");
                m_x += m_data[m_pos++];
                m_row += m_data[m_pos++];
            } else if (!literal(value)) {
                return bad("RLE run cut short");
            }
        }
        return {};  // data ended without its end mark: keep what was drawn
    }

private:
    bool literal(int n)
    {
        size_t bytes = m_h.bits == 8 ? n : (n + 1) / 2;
        if (m_pos + bytes > m_data.size())
            return false;
        for (int i = 0; i < n; ++i) {
            uint8_t b = m_data[m_pos + (m_h.bits == 8 ? i : i / 2)];
            put(m_h.bits == 8 ? b : (i & 1 ? b & 15 : b >> 4));
        }
        m_pos += bytes + (bytes & 1);
        return true;
    }

    void put(uint32_t index)
    {
        if (m_x < m_h.width && m_row < m_h.height)
            m_out.setPixel(m_x, m_h.height - 1 - m_row, paletteColour(m_h, index));
        ++m_x;
    }

    const Header& m_h;
    Bitmap& m_out;
    const std::vector<uint8_t>& m_data;
    size_t m_pos = 0;
    int m_x = 0;
    int m_row = 0;
};

Status readRle(Stream& in, const Header& h, uint64_t dataStart, Bitmap& out)
{
    const uint64_t size = dataBytes(h, dataStart);
    std::vector<uint8_t> data(size);
    if (in.read(data.data(), size) != size)
        return bad("pixel data cut short");
    return RleDecoder(h, out, data).run();
}

void writeFileHeader(ByteWriter& w, uint32_t fileSize, uint32_t dataOffset)
{
    w.u8('B');
    w.u8('M');
    w.u32(fileSize);
    w.u32(0);
    w.u32(dataOffset);
}

void writeInfo(ByteWriter& w, int width, int height, int bits, uint32_t imageSize, uint32_t colours)
{
    w.u32(40);
    w.i32(width);
    w.i32(height);
    w.u16(1);
    w.u16(static_cast<uint16_t>(bits));
    w.u32(kRgb);
    w.u32(imageSize);
    w.i32(2835);  // 72 dots an inch
    w.i32(2835);
    w.u32(colours);
    w.u32(0);
}

}  // namespace

Status readBmpSize(Stream& in, int& width, int& height)
{
    Header h;
    Status s = readHeaders(in, h);
    width = s.ok() ? h.width : 0;
    height = s.ok() ? h.height : 0;
    return s;
}

Status readBmp(Stream& in, Bitmap& out, std::vector<uint32_t>* palette)
{
    Header h;
    Status s = readHeaders(in, h);
    if (!s.ok())
        return s;
    // Without an offset the pixels follow the palette.
    const uint64_t dataStart = h.dataOffset ? h.dataOffset : in.tell() - h.start;
    s = checkDataFills(h, dataStart);
    if (!s.ok())
        return s;
    if (h.dataOffset && !in.seek(h.start + h.dataOffset))
        return bad("pixel data cut short");
    Bitmap bmp(h.width, h.height);
    s = isRle(h) ? readRle(in, h, dataStart, bmp) : readPlain(in, h, bmp);
    if (!s.ok())
        return s;
    out = std::move(bmp);
    if (palette)
        *palette = std::move(h.palette);
    return {};
}

Status pictureFileStatus(Status status, const std::filesystem::path& file)
{
    if (status.id != msg::BadPicture)
        return status;
    return Status(msg::BadPictureFile, file.filename().string(), std::move(status.text));
}

uint64_t bmpFileSize(const Bitmap& bmp)
{
    return 54 + static_cast<uint64_t>((bmp.width() * 3 + 3) & ~3) * bmp.height();
}

bool writeBmp(Stream& out, const Bitmap& bmp)
{
    const int w = bmp.width(), h = bmp.height();
    const size_t stride = static_cast<size_t>((w * 3 + 3) & ~3);
    const uint64_t size = bmpFileSize(bmp);
    if (size > UINT32_MAX)
        return false;
    ByteWriter bw(out);
    writeFileHeader(bw, static_cast<uint32_t>(size), 54);
    writeInfo(bw, w, h, 24, static_cast<uint32_t>(stride * h), 0);
    std::vector<uint8_t> line(stride, 0);
    for (int y = h - 1; y >= 0; --y) {
        const uint32_t* src = bmp.row(y);
        for (int x = 0; x < w; ++x) {
            line[3 * x] = static_cast<uint8_t>(src[x]);
            line[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
            line[3 * x + 2] = static_cast<uint8_t>(src[x] >> 16);
        }
        bw.bytes(line.data(), stride);
    }
    return !bw.failed();
}

bool writeBmp(Stream& out, const IndexedBitmap& bmp)
{
    const size_t colours = std::clamp<size_t>(bmp.palette.size(), 1, 256);
    const int bits = colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
    const int w = bmp.width, h = bmp.height;
    const size_t stride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
    const uint32_t dataOffset = static_cast<uint32_t>(54 + 4 * colours);
    const uint64_t size = dataOffset + static_cast<uint64_t>(stride) * h;
    if (size > UINT32_MAX || bmp.indices.size() != static_cast<size_t>(w) * h)
        return false;
    ByteWriter bw(out);
    writeFileHeader(bw, static_cast<uint32_t>(size), dataOffset);
    writeInfo(bw, w, h, bits, static_cast<uint32_t>(stride * h), static_cast<uint32_t>(colours));
    for (size_t i = 0; i < colours; ++i) {
        uint32_t c = i < bmp.palette.size() ? bmp.palette[i] : 0;
        bw.u8(static_cast<uint8_t>(c));
        bw.u8(static_cast<uint8_t>(c >> 8));
        bw.u8(static_cast<uint8_t>(c >> 16));
        bw.u8(0);
    }
    std::vector<uint8_t> line(stride);
    const int per = 8 / bits;
    for (int y = h - 1; y >= 0; --y) {
        std::fill(line.begin(), line.end(), 0);
        const uint8_t* src = bmp.row(y);
        for (int x = 0; x < w; ++x)
            line[x / per] |= static_cast<uint8_t>((src[x] & ((1 << bits) - 1)) << (8 - bits * (x % per + 1)));
        bw.bytes(line.data(), stride);
    }
    return !bw.failed();
}

}  // namespace fw
