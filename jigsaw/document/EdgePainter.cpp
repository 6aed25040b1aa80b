#include "jigsaw/document/EdgePainter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <vector>

#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

constexpr int kRings = 3;
constexpr int kPad = 2;     // outside border around the bounding box, so windows need no checks
constexpr int kDeep = kRings + 1;
// How strongly each ring (1 = the outline itself) is lit or shaded, in 1/256.
constexpr int kStrength[kRings + 1] = {0, 159, 87, 36};

// The piece's pixels as row bit sets, with three erosions: level k holds
// the pixels whose city-block distance from the outside is more than k.
// Summed over the levels a pixel's bits give that distance capped at kDeep,
// so rings and the slope of the distance come from word-wide bit operations
// instead of a pass over every pixel for each ring.
class RingBits {
public:
    void measure(const fw::Bitmap& mask, const Rect16& b)
    {
        m_w = b.w + 2 * kPad;
        m_h = b.h + 2 * kPad;
        m_words = (m_w + 63) / 64 + 1;  // one spare word: windows never need a bounds check
        for (auto& l : m_level)
            l.assign(static_cast<size_t>(m_words) * m_h, 0);
        for (int v = 0; v < b.h; ++v) {
            const int sy = b.y + v;
            if (sy < 0 || sy >= mask.height())
                continue;
            const uint32_t* m = mask.row(sy);
            uint64_t* out = row(0, v + kPad);
            for (int u = 0; u < b.w; ++u) {
                const int sx = b.x + u;
                if (sx >= 0 && sx < mask.width() && m[sx] == kMaskPiece) {
                    const int x = u + kPad;
                    out[x >> 6] |= uint64_t(1) << (x & 63);
                }
            }
        }
        for (int k = 1; k < kDeep; ++k)
            erode(k - 1, k);
    }

    int width() const { return m_w; }
    // Set bits: pixels of row y with a distance of at least 1 and at most `rings`.
    uint64_t ringWord(int y, int word, int rings) const { return row(0, y)[word] & ~row(rings, y)[word]; }
    int words() const { return m_words; }

    int depth(int x, int y) const
    {
        int d = 0;
        for (int k = 0; k < kDeep; ++k)
            d += (row(k, y)[x >> 6] >> (x & 63)) & 1;
        return d;
    }

    // Minus the slope of the capped distance over the 5 x 5 window around
    // (x, y): the direction away from the inside, smooth along arcs.
    void outward(int x, int y, int& nx, int& ny) const
    {
        // For each 5-bit pattern: the sum of the offsets -2..2 of its set bits, and their count.
        static const std::array<int8_t, 32> slope = [] {
            std::array<int8_t, 32> t{};
            for (int bits = 0; bits < 32; ++bits)
                for (int j = 0; j < 5; ++j)
                    t[bits] += static_cast<int8_t>(((bits >> j) & 1) * (j - 2));
            return t;
        }();
        static const std::array<int8_t, 32> count = [] {
            std::array<int8_t, 32> t{};
            for (int bits = 0; bits < 32; ++bits)
                t[bits] = static_cast<int8_t>(std::popcount(static_cast<unsigned>(bits)));
            return t;
        }();
        int gx = 0, gy = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int k = 0; k < kDeep; ++k) {
                const uint32_t five = window(k, x - 2, y + dy);
                gx += slope[five];
                gy += dy * count[five];
            }
        nx = -gx;
        ny = -gy;
    }

private:
    uint64_t* row(int k, int y) { return m_level[k].data() + static_cast<size_t>(y) * m_words; }
    const uint64_t* row(int k, int y) const { return m_level[k].data() + static_cast<size_t>(y) * m_words; }

    // Bits x .. x + 4 of a row of level k.
    uint32_t window(int k, int x, int y) const
    {
        const uint64_t* r = row(k, y);
        const int i = x >> 6, off = x & 63;
        uint64_t v = r[i] >> off;
        if (off > 59)
            v |= r[i + 1] << (64 - off);
        return static_cast<uint32_t>(v & 0x1F);
    }

    // A pixel stays when it and its four neighbours are in the level below.
    void erode(int from, int to)
    {
        for (int y = 1; y < m_h - 1; ++y) {
            const uint64_t* up = row(from, y - 1);
            const uint64_t* mid = row(from, y);
            const uint64_t* down = row(from, y + 1);
            uint64_t* out = row(to, y);
            for (int i = 0; i < m_words; ++i) {
                const uint64_t x = mid[i];
                const uint64_t left = (x << 1) | (i > 0 ? mid[i - 1] >> 63 : 0);
                const uint64_t right = (x >> 1) | (i + 1 < m_words ? mid[i + 1] << 63 : 0);
                out[i] = x & left & right & up[i] & down[i];
            }
        }
    }

    int m_w = 0, m_h = 0, m_words = 0;
    std::vector<uint64_t> m_level[kDeep];
};

// Lightening toward white or darkening toward black, by ring and light level.
struct BlendTable {
    int lift[kRings + 1][256];   // 1/256 of the way to white; 0 for shaded levels
    int keep[kRings + 1][256];   // 1/256 of the colour kept

    BlendTable()
    {
        for (int r = 0; r <= kRings; ++r)
            for (int level = 0; level < 256; ++level) {
                lift[r][level] = level >= 160 ? kStrength[r] * (level - 160) / 95 : 0;
                keep[r][level] = level >= 160 ? 256 : 256 - kStrength[r] * (160 - level) / 96;
            }
    }
};

// Light levels for every outward direction the 5 x 5 window can give.
class LevelTable {
public:
    static constexpr int kRange = 60;  // |slope| <= 4 * (1 + 2) * 5

    LevelTable()
    {
        for (int y = -kRange; y <= kRange; ++y)
            for (int x = -kRange; x <= kRange; ++x)
                m_level[y + kRange][x + kRange] = static_cast<uint8_t>(edgeLevel(x, y));
    }
    int operator()(int nx, int ny) const
    {
        nx = std::clamp(nx, -kRange, kRange);
        ny = std::clamp(ny, -kRange, kRange);
        return m_level[ny + kRange][nx + kRange];
    }

private:
    uint8_t m_level[2 * kRange + 1][2 * kRange + 1];
};

uint32_t blend(uint32_t pixel, int level, int ring)
{
    static const BlendTable table;
    const int lift = table.lift[ring][level], keep = table.keep[ring][level];
    auto channel = [&](int shift) {
        const uint32_t c = (pixel >> shift) & 0xFF;
        const uint32_t lifted = c + (((255 - c) * lift + 128) >> 8);
        return ((lifted * keep + 128) >> 8) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

uint32_t grey(int level)
{
    const uint32_t g = level < 65 ? 0 : level < 128 ? 64 : 128;
    return g << 16 | g << 8 | g;
}

}  // namespace

int edgeLevel(double nx, double ny)
{
    const double len = std::sqrt(nx * nx + ny * ny);
    if (len == 0)
        return 160;
    const double facing = (-nx - ny) / (len * std::sqrt(2.0));  // 1 toward the top left
    return std::clamp(static_cast<int>(159.5 + 95.5 * facing + 0.5), 64, 255);
}

void shadeEdges(Puz& puz, const SPuz& piece, EdgeStyle style)
{
    if (style == EdgeStyle::None || puz.pieceSheet.isNull())
        return;
    const Rect16 b = piece.bounding;
    thread_local RingBits bits;
    bits.measure(puz.maskSheet, b);
    const int rings = style == EdgeStyle::Grey ? 1 : kRings;
    static const LevelTable levels;
    fw::Bitmap& sheet = puz.pieceSheet;
    for (int v = 0; v < b.h; ++v) {
        const int y = v + kPad, sy = b.y + v;
        if (sy < 0 || sy >= sheet.height())
            continue;
        uint32_t* px = sheet.row(sy);
        for (int i = 0; i < bits.words(); ++i) {
            for (uint64_t word = bits.ringWord(y, i, rings); word; word &= word - 1) {
                const int x = i * 64 + std::countr_zero(word), sx = b.x + x - kPad;
                if (sx < 0 || sx >= sheet.width())
                    continue;
                int nx, ny;
                bits.outward(x, y, nx, ny);
                const int level = levels(nx, ny);
                px[sx] = style == EdgeStyle::Grey ? grey(level) : blend(px[sx], level, bits.depth(x, y));
            }
        }
    }
}

}  // namespace qv
