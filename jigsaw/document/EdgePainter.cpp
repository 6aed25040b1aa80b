#include "jigsaw/document/EdgePainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

constexpr int kRings = 3;
// How strongly each ring (1 = the outline itself) is lit or shaded.
constexpr double kStrength[kRings + 1] = {0, 0.62, 0.34, 0.14};

// Distance of each piece pixel from the outside, 1..kRings, or 0 for pixels
// outside the piece and kRings + 1 for those deeper inside.
void measureRings(const Puz& puz, const Rect16& b, std::vector<uint8_t>& ring)
{
    const int w = b.w, h = b.h;
    ring.assign(static_cast<size_t>(w) * h, 0);
    const fw::Bitmap& mask = puz.maskSheet;
    for (int v = 0; v < h; ++v)
        for (int u = 0; u < w; ++u)
            if (mask.contains(b.x + u, b.y + v) && mask.pixel(b.x + u, b.y + v) == kMaskPiece)
                ring[v * w + u] = kRings + 1;
    auto at = [&](int u, int v) -> int { return u < 0 || v < 0 || u >= w || v >= h ? 0 : ring[v * w + u]; };
    for (int d = 1; d <= kRings; ++d)
        for (int v = 0; v < h; ++v)
            for (int u = 0; u < w; ++u) {
                uint8_t& r = ring[v * w + u];
                if (r != kRings + 1)
                    continue;
                if (at(u - 1, v) == d - 1 || at(u + 1, v) == d - 1 || at(u, v - 1) == d - 1 || at(u, v + 1) == d - 1)
                    r = static_cast<uint8_t>(d);
            }
}

// The outward direction at (u, v): the sum of the offsets of the outside
// pixels around it.
void outward(const std::vector<uint8_t>& ring, int w, int h, int u, int v, double& nx, double& ny)
{
    nx = ny = 0;
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const int x = u + dx, y = v + dy;
            const bool outside = x < 0 || y < 0 || x >= w || y >= h || ring[y * w + x] == 0;
            if (outside && dx * dx + dy * dy <= 10) {
                nx += dx;
                ny += dy;
            }
        }
}

uint32_t blend(uint32_t pixel, int level, double strength)
{
    double t;
    if (level >= 160) {
        t = strength * (level - 160) / 95.0;
        auto up = [&](uint32_t c) { return static_cast<uint32_t>(c + (255 - c) * t + 0.5); };
        return up((pixel >> 16) & 0xFF) << 16 | up((pixel >> 8) & 0xFF) << 8 | up(pixel & 0xFF);
    }
    t = 1.0 - strength * (160 - level) / 96.0;
    auto down = [&](uint32_t c) { return static_cast<uint32_t>(c * t + 0.5); };
    return down((pixel >> 16) & 0xFF) << 16 | down((pixel >> 8) & 0xFF) << 8 | down(pixel & 0xFF);
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
    return std::clamp(static_cast<int>(std::lround(159.5 + 95.5 * facing)), 64, 255);
}

void shadeEdges(Puz& puz, const SPuz& piece, EdgeStyle style)
{
    if (style == EdgeStyle::None || puz.pieceSheet.isNull())
        return;
    const Rect16 b = piece.bounding;
    thread_local std::vector<uint8_t> ring;
    measureRings(puz, b, ring);
    const int w = b.w, h = b.h;
    const int rings = style == EdgeStyle::Grey ? 1 : kRings;
    for (int v = 0; v < h; ++v)
        for (int u = 0; u < w; ++u) {
            const int r = ring[v * w + u];
            if (r == 0 || r > rings || !puz.pieceSheet.contains(b.x + u, b.y + v))
                continue;
            double nx, ny;
            outward(ring, w, h, u, v, nx, ny);
            const int level = edgeLevel(nx, ny);
            uint32_t& px = puz.pieceSheet.row(b.y + v)[b.x + u];
            px = style == EdgeStyle::Grey ? grey(level) : blend(px, level, kStrength[r]);
        }
}

}  // namespace qv
