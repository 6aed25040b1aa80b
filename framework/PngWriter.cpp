#include "framework/PngWriter.h"

#include <algorithm>
#include <array>
#include <vector>

#include "framework/FileStream.h"

namespace fw {

namespace {

const std::array<uint32_t, 256>& crcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

uint32_t crc(const std::vector<uint8_t>& bytes)
{
    uint32_t c = 0xFFFFFFFFu;
    for (uint8_t b : bytes)
        c = crcTable()[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void putU32(std::vector<uint8_t>& v, uint32_t x)
{
    for (int s = 24; s >= 0; s -= 8)
        v.push_back(static_cast<uint8_t>(x >> s));
}

void chunk(std::vector<uint8_t>& file, const char* type, const std::vector<uint8_t>& data)
{
    putU32(file, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    file.insert(file.end(), typed.begin(), typed.end());
    putU32(file, crc(typed));
}

// A zlib stream of stored deflate blocks.
std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> z = {0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    size_t pos = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    putU32(z, (b << 16) | a);
    return z;
}

}  // namespace

bool writePng(Stream& out, const Bitmap& bmp)
{
    if (bmp.isNull())
        return false;
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    putU32(ihdr, static_cast<uint32_t>(bmp.width()));
    putU32(ihdr, static_cast<uint32_t>(bmp.height()));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, no interlace
    chunk(file, "IHDR", ihdr);
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(bmp.height()) * (1 + 3 * static_cast<size_t>(bmp.width())));
    for (int y = 0; y < bmp.height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < bmp.width(); ++x) {
            const uint32_t p = bmp.pixel(x, y);
            raw.push_back(static_cast<uint8_t>(p >> 16));
            raw.push_back(static_cast<uint8_t>(p >> 8));
            raw.push_back(static_cast<uint8_t>(p));
        }
    }
    chunk(file, "IDAT", zlibStored(raw));
    chunk(file, "IEND", {});
    return out.write(file.data(), file.size()) == file.size();
}

bool writePng(const std::filesystem::path& path, const Bitmap& bmp)
{
    FileStream f(path, FileStream::Mode::Create);
    return f.isOpen() && writePng(f, bmp) && f.close();
}

}  // namespace fw
