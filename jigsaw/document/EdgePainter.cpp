#include "jigsaw/document/EdgePainter.h"

#include <algorithm>
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

// The city-block distance of each pixel of the piece from the outside,
// capped at kDeep (0 outside), over the bounding box grown by kPad.
struct DistanceField {
    int w = 0, h = 0;  // padded size
    std::vector<uint8_t> d;

    uint8_t* row(int y) { return d.data() + static_cast<size_t>(y) * w; }
    const uint8_t* row(int y) const { return d.data() + static_cast<size_t>(y) * w; }

    void measure(const fw::Bitmap& mask, const Rect16& b)
    {
        w = b.w + 2 * kPad;
        h = b.h + 2 * kPad;
        d.assign(static_cast<size_t>(w) * h, 0);
        for (int v = 0; v < b.h; ++v) {
            const int sy = b.y + v;
            if (sy < 0 || sy >= mask.height())
                continue;
            const uint32_t* m = mask.row(sy);
            uint8_t* out = row(v + kPad) + kPad;
            uint8_t* up = row(v + kPad - 1) + kPad;
            for (int u = 0; u < b.w; ++u) {
                const int sx = b.x + u;
                if (sx < 0 || sx >= mask.width() || m[sx] != kMaskPiece)
                    continue;
                out[u] = static_cast<uint8_t>(std::min<int>({kDeep, out[u - 1] + 1, up[u] + 1}));
            }
        }
        for (int y = h - kPad - 1; y >= kPad; --y) {
            uint8_t* out = row(y);
            const uint8_t* down = row(y + 1);
            for (int x = w - kPad - 1; x >= kPad; --x)
                if (out[x])
                    out[x] = static_cast<uint8_t>(std::min<int>({out[x], out[x + 1] + 1, down[x] + 1}));
        }
    }

    // The direction away from the inside at (x, y): minus the distance
    // field's slope over a 5 x 5 window, which is smooth along arcs.
    void outward(int x, int y, int& nx, int& ny) const
    {
        int gx = 0, gy = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            const uint8_t* r = row(y + dy);
            for (int dx = -2; dx <= 2; ++dx) {
                gx += dx * r[x + dx];
                gy += dy * r[x + dx];
            }
        }
        nx = -gx;
        ny = -gy;
    }
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
    thread_local DistanceField field;
    field.measure(puz.maskSheet, b);
    const int rings = style == EdgeStyle::Grey ? 1 : kRings;
    static const LevelTable levels;
    fw::Bitmap& sheet = puz.pieceSheet;
    for (int v = 0; v < b.h; ++v) {
        const int sy = b.y + v;
        if (sy < 0 || sy >= sheet.height())
            continue;
        const uint8_t* d = field.row(v + kPad) + kPad;
        uint32_t* px = sheet.row(sy);
        for (int u = 0; u < b.w; ++u) {
            const int r = d[u], sx = b.x + u;
            if (r == 0 || r > rings || sx < 0 || sx >= sheet.width())
                continue;
            int nx, ny;
            field.outward(u + kPad, v + kPad, nx, ny);
            const int level = levels(nx, ny);
            px[sx] = style == EdgeStyle::Grey ? grey(level) : blend(px[sx], level, r);
        }
    }
}

}  // namespace qv
