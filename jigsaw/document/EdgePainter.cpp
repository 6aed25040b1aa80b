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

// Sums over the outside pixels of the piece's bounding box (and a border
// of kReach pixels around it, all outside), as summed-area tables, so the
// outward direction at any pixel is a few lookups.
class OutsideSums {
public:
    OutsideSums(const std::vector<uint8_t>& ring, int w, int h) : m_w(w + 2 * kReach), m_h(h + 2 * kReach)
    {
        const size_t stride = m_w + 1;
        // Reused between pieces: fresh tables for every piece would cost more than filling them.
        m_count.resize(stride * (m_h + 1));
        m_sumX.resize(m_count.size());
        m_sumY.resize(m_count.size());
        std::fill(m_count.begin(), m_count.begin() + stride, 0);
        std::fill(m_sumX.begin(), m_sumX.begin() + stride, 0);
        std::fill(m_sumY.begin(), m_sumY.begin() + stride, 0);
        for (int y = 0; y < m_h; ++y) {
            const size_t first = (y + 1) * stride;
            m_count[first] = m_sumX[first] = m_sumY[first] = 0;
            int rowCount = 0, rowX = 0, rowY = 0;
            const int v = y - kReach;
            for (int x = 0; x < m_w; ++x) {
                const int u = x - kReach;
                const bool outside = u < 0 || v < 0 || u >= w || v >= h || ring[v * w + u] == 0;
                if (outside)
                    ++rowCount, rowX += x, rowY += y;
                const size_t i = (y + 1) * stride + x + 1;
                m_count[i] = m_count[i - stride] + rowCount;
                m_sumX[i] = m_sumX[i - stride] + rowX;
                m_sumY[i] = m_sumY[i - stride] + rowY;
            }
        }
    }

    // The sum of the offsets from (u, v) of the outside pixels within kReach of it.
    void outward(int u, int v, double& nx, double& ny) const
    {
        const int x0 = u, y0 = v, x1 = u + 2 * kReach + 1, y1 = v + 2 * kReach + 1;  // shifted by kReach
        const int n = box(m_count, x0, y0, x1, y1);
        nx = box(m_sumX, x0, y0, x1, y1) - double(n) * (u + kReach);
        ny = box(m_sumY, x0, y0, x1, y1) - double(n) * (v + kReach);
    }

    static constexpr int kReach = 3;

private:
    int box(const std::vector<int>& t, int x0, int y0, int x1, int y1) const
    {
        const size_t stride = m_w + 1;
        return t[y1 * stride + x1] - t[y0 * stride + x1] - t[y1 * stride + x0] + t[y0 * stride + x0];
    }

    int m_w, m_h;
    std::vector<int>& m_count = tables(0);
    std::vector<int>& m_sumX = tables(1);
    std::vector<int>& m_sumY = tables(2);

    static std::vector<int>& tables(int which)
    {
        thread_local std::vector<int> t[3];
        return t[which];
    }
};

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
    const OutsideSums sums(ring, w, h);
    for (int v = 0; v < h; ++v)
        for (int u = 0; u < w; ++u) {
            const int r = ring[v * w + u];
            if (r == 0 || r > rings || !puz.pieceSheet.contains(b.x + u, b.y + v))
                continue;
            double nx, ny;
            sums.outward(u, v, nx, ny);
            const int level = edgeLevel(nx, ny);
            uint32_t& px = puz.pieceSheet.row(b.y + v)[b.x + u];
            px = style == EdgeStyle::Grey ? grey(level) : blend(px, level, kStrength[r]);
        }
}

}  // namespace qv
