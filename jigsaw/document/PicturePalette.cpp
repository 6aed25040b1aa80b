#include "jigsaw/document/PicturePalette.h"

#include <algorithm>
#include <limits>

namespace qv {

namespace {

// Finds nearest colours, remembering answers per 6-bit-a-channel cell:
// dithering asks about the same few colours again and again.
class NearestColour {
public:
    NearestColour(const std::vector<uint32_t>& palette)
        : m_palette(palette), m_weights(weightsFor(palette.size())), m_cache(1u << 18, kUnknown) {}

    uint8_t operator()(int r, int g, int b)
    {
        uint32_t key = (static_cast<uint32_t>(r >> 2) << 12) | (static_cast<uint32_t>(g >> 2) << 6) |
                       static_cast<uint32_t>(b >> 2);
        uint16_t& hit = m_cache[key];
        if (hit == kUnknown)
            hit = search((r & ~3) | 2, (g & ~3) | 2, (b & ~3) | 2);
        return static_cast<uint8_t>(hit);
    }

private:
    static constexpr uint16_t kUnknown = 0xFFFF;

    uint16_t search(int r, int g, int b) const
    {
        int64_t best = std::numeric_limits<int64_t>::max();
        uint16_t bestIndex = 0;
        for (size_t i = 0; i < m_palette.size() && i < 256; ++i) {
            uint32_t c = m_palette[i];
            int dr = r - static_cast<int>((c >> 16) & 0xFF), dg = g - static_cast<int>((c >> 8) & 0xFF),
                db = b - static_cast<int>(c & 0xFF);
            int64_t d = int64_t(m_weights.r) * dr * dr + int64_t(m_weights.g) * dg * dg + int64_t(m_weights.b) * db * db;
            if (d < best)
                best = d, bestIndex = static_cast<uint16_t>(i);
        }
        return bestIndex;
    }

    const std::vector<uint32_t>& m_palette;
    ColourWeights m_weights;
    std::vector<uint16_t> m_cache;
};

int clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

}  // namespace

void writePaletteBlock(fw::ByteWriter& w, const std::vector<uint32_t>& palette)
{
    size_t n = std::min<size_t>(palette.size(), kPaletteBlockEntries);
    w.u16(static_cast<uint16_t>(n));
    for (size_t i = 0; i < n; ++i) {
        w.u8(static_cast<uint8_t>(palette[i]));
        w.u8(static_cast<uint8_t>(palette[i] >> 8));
        w.u8(static_cast<uint8_t>(palette[i] >> 16));
        w.u8(0);
    }
    w.zeros(kPaletteBlockSize - 2 - 4 * n);
}

std::vector<uint32_t> readPaletteBlock(fw::ByteReader& r)
{
    size_t n = std::min<size_t>(r.u16(), kPaletteBlockEntries);
    if (!r.has(4 * n))
        return {};
    std::vector<uint32_t> palette(n);
    for (auto& c : palette) {
        uint8_t b = r.u8(), g = r.u8(), red = r.u8();
        r.u8();
        c = (uint32_t(red) << 16) | (uint32_t(g) << 8) | b;
    }
    return palette;
}

const std::array<uint32_t, 20>& systemColours()
{
    static const std::array<uint32_t, 20> colours = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0xFF0000,
        0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4,
    };
    return colours;
}

fw::IndexedBitmap mapToPalette(const fw::Bitmap& rgb, const std::vector<uint32_t>& palette, bool dither)
{
    fw::IndexedBitmap out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.palette = palette;
    out.indices.resize(static_cast<size_t>(out.width) * out.height);
    if (palette.empty())
        return out;
    NearestColour nearest(out.palette);
    const int w = out.width;
    // Errors of the row being done and the next, three channels, with a guard pixel at each end.
    std::vector<int> cur(3 * (w + 2), 0), next(3 * (w + 2), 0);
    for (int y = 0; y < out.height; ++y) {
        const uint32_t* src = rgb.row(y);
        uint8_t* dst = out.row(y);
        const bool leftToRight = (y & 1) == 0;  // serpentine: no drift to one side
        const int step = leftToRight ? 1 : -1;
        std::fill(next.begin(), next.end(), 0);
        for (int i = 0; i < w; ++i) {
            const int x = leftToRight ? i : w - 1 - i;
            const uint32_t p = src[x];
            int want[3] = {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
            int* e = &cur[3 * (x + 1)];
            if (dither)
                for (int c = 0; c < 3; ++c)
                    want[c] = clamp255(want[c] + (e[c] + 8) / 16);
            const uint8_t index = nearest(want[0], want[1], want[2]);
            dst[x] = index;
            if (!dither)
                continue;
            const uint32_t got = out.palette[index];
            const int have[3] = {int((got >> 16) & 0xFF), int((got >> 8) & 0xFF), int(got & 0xFF)};
            for (int c = 0; c < 3; ++c) {
                const int err = want[c] - have[c];
                cur[3 * (x + 1 + step) + c] += err * 7;
                next[3 * (x + 1 - step) + c] += err * 3;
                next[3 * (x + 1) + c] += err * 5;
                next[3 * (x + 1 + step) + c] += err;
            }
        }
        std::swap(cur, next);
    }
    return out;
}

fw::Bitmap expandPalette(const fw::IndexedBitmap& indexed)
{
    fw::Bitmap out(indexed.width, indexed.height);
    for (int y = 0; y < indexed.height; ++y) {
        const uint8_t* src = indexed.row(y);
        uint32_t* dst = out.row(y);
        for (int x = 0; x < indexed.width; ++x)
            dst[x] = src[x] < indexed.palette.size() ? indexed.palette[src[x]] : 0;
    }
    return out;
}

}  // namespace qv
