#include "jigsaw/play/windows/SurfaceRender.h"

#include <algorithm>

#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

// a's channels moved towards b's by percent.
uint32_t mix(uint32_t a, uint32_t b, int percent)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= static_cast<uint32_t>(ca + (cb - ca) * percent / 100) << shift;
    }
    return out;
}

constexpr int DimmedPercent = 25;

// The piece as DrawPiece draws it, a quarter of it over the ground.
void drawDimmedPiece(const Puz& puz, const SPuz& p, fw::Bitmap& surface, int originX, int originY)
{
    const Rect16 b = p.bounding;
    const int tx = p.table.x - originX, ty = p.table.y - originY;
    for (int v = 0; v < b.h; ++v) {
        const int dy = ty + v, sy = b.y + v;
        if (dy < 0 || dy >= surface.height() || sy < 0 || sy >= puz.maskSheet.height())
            continue;
        const uint32_t* mask = puz.maskSheet.row(sy);
        const uint32_t* image = puz.pieceSheet.row(sy);
        uint32_t* d = surface.row(dy);
        for (int u = 0; u < b.w; ++u) {
            const int dx = tx + u, sx = b.x + u;
            if (dx < 0 || dx >= surface.width() || sx < 0 || sx >= puz.maskSheet.width())
                continue;
            d[dx] = mix(d[dx], (d[dx] & mask[sx]) ^ image[sx], DimmedPercent);
        }
    }
}

// The group's masks moved by the offset, spread by a box blur of the
// spread's radius (twice, for a rounder edge), darkening the surface.
void drawShadow(const Puz& puz, uint8_t container, const LiftShadow& shadow, int x, int y, fw::Bitmap& out,
                const std::set<int>* skip)
{
    if (shadow.style == EdgeStyle::None)
        return;
    const int s = shadow.offset(), r = shadow.spread();
    // The coverage is gathered over the area grown by the spread, so what
    // lies just outside it blurs in.
    const int left = x - 2 * r, top = y - 2 * r, w = out.width() + 4 * r, h = out.height() + 4 * r;
    std::vector<uint16_t> cover;
    bool any = false;
    for (const SPuz& p : puz.pieces) {
        if (p.box != container || static_cast<size_t>(p.index) >= shadow.pieces.size() || !shadow.pieces[p.index] ||
            (skip && skip->count(p.index)))
            continue;
        const Rect16 b = p.bounding;
        const int tx = p.table.x + s - left, ty = p.table.y + s - top;
        if (tx >= w || ty >= h || tx + b.w <= 0 || ty + b.h <= 0)
            continue;
        if (!any) {
            cover.assign(static_cast<size_t>(w) * h, 0);
            any = true;
        }
        for (int v = std::max(0, -ty); v < b.h && ty + v < h; ++v) {
            const int sy = b.y + v;
            if (sy < 0 || sy >= puz.maskSheet.height())
                continue;
            const uint32_t* mask = puz.maskSheet.row(sy);
            uint16_t* c = cover.data() + static_cast<size_t>(ty + v) * w;
            for (int u = std::max(0, -tx); u < b.w && tx + u < w; ++u) {
                const int sx = b.x + u;
                if (sx >= 0 && sx < puz.maskSheet.width() && mask[sx] == kMaskPiece)
                    c[tx + u] = 255;
            }
        }
    }
    if (!any)
        return;
    if (r > 0) {
        std::vector<uint16_t> line(static_cast<size_t>(std::max(w, h)));
        const int n = 2 * r + 1;
        for (int pass = 0; pass < 2; ++pass) {
            for (int v = 0; v < h; ++v) {
                uint16_t* c = cover.data() + static_cast<size_t>(v) * w;
                int sum = 0;
                for (int u = -r; u <= r; ++u)
                    sum += (u >= 0 && u < w) ? c[u] : 0;
                for (int u = 0; u < w; ++u) {
                    line[u] = static_cast<uint16_t>(sum / n);
                    sum += (u + r + 1 < w ? c[u + r + 1] : 0) - (u - r >= 0 ? c[u - r] : 0);
                }
                std::copy(line.begin(), line.begin() + w, c);
            }
            for (int u = 0; u < w; ++u) {
                int sum = 0;
                for (int v = -r; v <= r; ++v)
                    sum += (v >= 0 && v < h) ? cover[static_cast<size_t>(v) * w + u] : 0;
                for (int v = 0; v < h; ++v) {
                    line[v] = static_cast<uint16_t>(sum / n);
                    const int in = v + r + 1, outRow = v - r;
                    sum += (in < h ? cover[static_cast<size_t>(in) * w + u] : 0) -
                           (outRow >= 0 ? cover[static_cast<size_t>(outRow) * w + u] : 0);
                }
                for (int v = 0; v < h; ++v)
                    cover[static_cast<size_t>(v) * w + u] = line[v];
            }
        }
    }
    // A plain shadow takes a little more from the ground than a soft one's middle.
    const int strength = shadow.style == EdgeStyle::Grey ? 90 : 110;  // of 256
    for (int v = 0; v < out.height(); ++v) {
        const uint16_t* c = cover.data() + static_cast<size_t>(v + 2 * r) * w + 2 * r;
        uint32_t* d = out.row(v);
        for (int u = 0; u < out.width(); ++u) {
            if (!c[u])
                continue;
            const uint32_t keep = 256 - (c[u] * strength >> 8);
            const uint32_t px = d[u];
            d[u] = ((((px >> 16) & 0xFF) * keep >> 8) << 16) | ((((px >> 8) & 0xFF) * keep >> 8) << 8) |
                   ((px & 0xFF) * keep >> 8);
        }
    }
}

}  // namespace

Rect16 LiftShadow::around(const Rect16& r) const
{
    const int s = offset(), g = 2 * spread();
    return {static_cast<int16_t>(r.x + s - g), static_cast<int16_t>(r.y + s - g), static_cast<int16_t>(r.w + 2 * g),
            static_cast<int16_t>(r.h + 2 * g)};
}

void drawGhostPicture(const Puz& puz, Point16 area, int percent, int x, int y, fw::Bitmap& out)
{
    const fw::Bitmap& pic = puz.picture;
    if (percent <= 0 || pic.isNull())
        return;
    const int left = std::max(0, area.x - x), top = std::max(0, area.y - y);
    const int right = std::min(out.width(), area.x - x + pic.width());
    const int bottom = std::min(out.height(), area.y - y + pic.height());
    for (int v = top; v < bottom; ++v) {
        const uint32_t* src = pic.row(v + y - area.y);
        uint32_t* d = out.row(v);
        for (int u = left; u < right; ++u)
            d[u] = mix(d[u], src[u + x - area.x], percent);
    }
}

void drawSurfacePieces(const Puz& puz, uint8_t container, int x, int y, fw::Bitmap& out, const std::set<int>* skip,
                       const std::vector<bool>* dimmed, const LiftShadow* shadow)
{
    const int w = out.width(), h = out.height();
    if (w <= 0 || h <= 0 || puz.pieceSheet.isNull())
        return;
    const int right = x + w, bottom = y + h;
    for (auto it = puz.order.rbegin(); it != puz.order.rend(); ++it) {
        const int16_t index = *it;
        if (index < 0 || index >= puz.pieceCount())
            continue;
        const SPuz& p = puz.pieces[index];
        if (p.box != container || (skip && skip->count(index)))
            continue;
        if (shadow && static_cast<size_t>(index) < shadow->pieces.size() && shadow->pieces[index]) {
            drawShadow(puz, container, *shadow, x, y, out, skip);
            shadow = nullptr;
        }
        const Rect16& t = p.table;
        if (t.x >= right || t.y >= bottom || t.x + t.w <= x || t.y + t.h <= y)
            continue;
        if (dimmed && static_cast<size_t>(index) < dimmed->size() && (*dimmed)[index])
            drawDimmedPiece(puz, p, out, x, y);
        else
            DrawPiece(puz, p, out, x, y);
    }
}

Rect16 containerBounds(const Puz& puz, uint8_t container)
{
    Rect16 r;
    bool any = false;
    for (const SPuz& p : puz.pieces) {
        if (p.box != container)
            continue;
        r = any ? unite(r, p.table) : p.table;
        any = true;
    }
    return r;
}

}  // namespace qv
