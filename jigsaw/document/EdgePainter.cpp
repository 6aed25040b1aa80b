#include "jigsaw/document/EdgePainter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
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
// so rings come from word-wide bit operations instead of a pass over every
// pixel for each ring. The capped distance is also kept as one byte a pixel,
// and the outward direction comes from its 5 x 5 sums, taken a row at a time.
class RingBits {
public:
    void measure(const fw::Bitmap& mask, const Rect16& b)
    {
        m_w = b.w + 2 * kPad;
        m_h = b.h + 2 * kPad;
        m_words = (m_w + 63) / 64 + 1;  // one spare word: shifts across words need no check
        for (auto& l : m_level)
            l.assign(static_cast<size_t>(m_words) * m_h, 0);
        const bool inside = b.x >= 0 && b.x + b.w <= mask.width();
        for (int v = 0; v < b.h; ++v) {
            const int sy = b.y + v;
            if (sy < 0 || sy >= mask.height())
                continue;
            const uint32_t* m = mask.row(sy);
            uint64_t* out = row(0, v + kPad);
            if (inside) {
                packRow(m + b.x, b.w, out);
                continue;
            }
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
        measureDepth();
    }

    // Set bits: pixels of row y with a distance of at least 1 and at most `rings`.
    uint64_t ringWord(int y, int word, int rings) const { return row(0, y)[word] & ~row(rings, y)[word]; }
    int words() const { return m_words; }

    int depth(int x, int y) const { return m_depth[static_cast<size_t>(y) * m_stride + x]; }

    // Prepares outward() for the pixels of row y (2 <= y < height - 2).
    void sumRow(int y)
    {
        const uint8_t* d = m_depth.data() + static_cast<size_t>(y - 2) * m_stride;
        sumColumns(d, d + m_stride, d + 2 * m_stride, d + 3 * m_stride, d + 4 * m_stride, m_sum.data(),
                   m_tilt.data(), m_w);
    }

    // Minus the slope of the capped distance over the 5 x 5 window around
    // (x, y) of the row last summed: the direction away from the inside,
    // smooth along arcs.
    void outward(int x, int& nx, int& ny) const
    {
        const uint8_t* s = m_sum.data() + x;
        const auto t = [&](int i) { return static_cast<int8_t>(m_tilt[x + i]); };
        nx = -(2 * (s[2] - s[-2]) + s[1] - s[-1]);
        ny = -(t(-2) + t(-1) + t(0) + t(1) + t(2));
    }

private:
    uint64_t* row(int k, int y) { return m_level[k].data() + static_cast<size_t>(y) * m_words; }
    const uint64_t* row(int k, int y) const { return m_level[k].data() + static_cast<size_t>(y) * m_words; }

    // Over the five depth rows around a row: their sum (at most 5 x kDeep)
    // and their sum weighted by the row offset -2..2 (within +-3 x kDeep,
    // kept as a two's complement byte). Bytes, so the loop runs wide.
    static void sumColumns(const uint8_t* __restrict d0, const uint8_t* __restrict d1, const uint8_t* __restrict d2,
                           const uint8_t* __restrict d3, const uint8_t* __restrict d4, uint8_t* __restrict sum,
                           uint8_t* __restrict tilt, int w)
    {
        for (int x = 0; x < w; ++x) {
            sum[x] = static_cast<uint8_t>(d0[x] + d1[x] + d2[x] + d3[x] + d4[x]);
            tilt[x] = static_cast<uint8_t>(d4[x] + d4[x] + d3[x] - d1[x] - d0[x] - d0[x]);
        }
    }

    // Piece pixels of a mask row, w of them, as bits from kPad on.
    static void packRow(const uint32_t* m, int w, uint64_t* out)
    {
        for (int u0 = 0; u0 < w; u0 += 64) {
            const int n = std::min(64, w - u0);
            uint64_t word = 0;
            for (int u = 0; u < n; ++u)
                word |= uint64_t(m[u0 + u] == kMaskPiece) << u;
            const int x = u0 + kPad;
            out[x >> 6] |= word << (x & 63);
            if (x & 63)
                out[(x >> 6) + 1] |= word >> (64 - (x & 63));
        }
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

    // The capped distance a byte a pixel: the levels' bits spread to bytes
    // eight at a time and added (at most kDeep, so bytes never carry).
    void measureDepth()
    {
        static const std::array<uint64_t, 256> spread = [] {
            std::array<uint64_t, 256> t{};
            for (int bits = 0; bits < 256; ++bits)
                for (int j = 0; j < 8; ++j)
                    t[bits] |= uint64_t((bits >> j) & 1) << (8 * j);
            return t;
        }();
        m_stride = (m_w + 7) / 8 * 8;  // whole 8-byte groups
        m_depth.assign(static_cast<size_t>(m_stride) * m_h, 0);
        m_sum.assign(m_stride, 0);
        m_tilt.assign(m_stride, 0);
        const int bytes = (m_w + 7) / 8;
        for (int y = 0; y < m_h; ++y) {
            const uint64_t* r[kDeep];
            for (int k = 0; k < kDeep; ++k)
                r[k] = row(k, y);
            uint8_t* d = m_depth.data() + static_cast<size_t>(y) * m_stride;
            for (int i = 0; i < bytes; ++i) {
                const int shift = (i & 7) * 8;
                if (!((r[0][i >> 3] >> shift) & 0xFF))
                    continue;  // outside the piece: stays 0
                uint64_t sum = 0;
                for (int k = 0; k < kDeep; ++k)
                    sum += spread[(r[k][i >> 3] >> shift) & 0xFF];
                std::memcpy(d + 8 * i, &sum, 8);
            }
        }
    }

    int m_w = 0, m_h = 0, m_words = 0, m_stride = 0;
    std::vector<uint64_t> m_level[kDeep];
    std::vector<uint8_t> m_depth;
    std::vector<uint8_t> m_sum, m_tilt;
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

// Built at start-up rather than on first use: no guard check per pixel.
const BlendTable blendTable;

uint32_t blend(uint32_t pixel, int level, int ring)
{
    const BlendTable& table = blendTable;
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

namespace {
const LevelTable levels;
}  // namespace

void shadeEdges(Puz& puz, const SPuz& piece, EdgeStyle style)
{
    if (style == EdgeStyle::None || puz.pieceSheet.isNull())
        return;
    const Rect16 b = piece.bounding;
    thread_local RingBits bits;
    bits.measure(puz.maskSheet, b);
    const int rings = style == EdgeStyle::Grey ? 1 : kRings;
    fw::Bitmap& sheet = puz.pieceSheet;
    for (int v = 0; v < b.h; ++v) {
        const int y = v + kPad, sy = b.y + v;
        if (sy < 0 || sy >= sheet.height())
            continue;
        uint32_t* px = sheet.row(sy);
        bool summed = false;
        for (int i = 0; i < bits.words(); ++i) {
            for (uint64_t word = bits.ringWord(y, i, rings); word; word &= word - 1) {
                const int x = i * 64 + std::countr_zero(word), sx = b.x + x - kPad;
                if (sx < 0 || sx >= sheet.width())
                    continue;
                if (!summed) {
                    bits.sumRow(y);
                    summed = true;
                }
                int nx, ny;
                bits.outward(x, nx, ny);
                const int level = levels(nx, ny);
                px[sx] = style == EdgeStyle::Grey ? grey(level) : blend(px[sx], level, bits.depth(x, y));
            }
        }
    }
}

}  // namespace qv
