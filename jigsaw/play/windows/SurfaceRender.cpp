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

// Darkens the surface under the shadow; (x, y) as for the pieces.
void drawShadow(const LiftShadow& shadow, int x, int y, fw::Bitmap& out)
{
    const Rect16& a = shadow.area;
    if (shadow.cover.empty() || a.w <= 0 || a.h <= 0)
        return;
    const int left = std::max(0, a.x - x), top = std::max(0, a.y - y);
    const int right = std::min(out.width(), a.x + a.w - x), bottom = std::min(out.height(), a.y + a.h - y);
    // A plain shadow takes a little less from the ground than a soft one's middle.
    const uint32_t strength = shadow.style == EdgeStyle::Grey ? 90 : 110;  // of 256
    for (int v = top; v < bottom; ++v) {
        const uint8_t* c = shadow.cover.data() + static_cast<size_t>(v + y - a.y) * a.w + (x - a.x);
        uint32_t* d = out.row(v);
        for (int u = left; u < right; ++u) {
            if (!c[u])
                continue;
            const uint32_t keep = 256 - (c[u] * strength >> 8);
            const uint32_t px = d[u];
            d[u] = ((((px >> 16) & 0xFF) * keep >> 8) << 16) | ((((px >> 8) & 0xFF) * keep >> 8) << 8) |
                   ((px & 0xFF) * keep >> 8);
        }
    }
}

// One pass of a box blur of radius r along lines of n values, stride apart.
void blurLines(std::vector<uint16_t>& values, int lines, int n, int lineStride, int stride, int r,
               std::vector<uint16_t>& line)
{
    const int width = 2 * r + 1;
    for (int l = 0; l < lines; ++l) {
        uint16_t* c = values.data() + static_cast<size_t>(l) * lineStride;
        int sum = 0;
        for (int i = 0; i <= r && i < n; ++i)
            sum += c[static_cast<size_t>(i) * stride];
        for (int i = 0; i < n; ++i) {
            line[i] = static_cast<uint16_t>(sum / width);
            if (i + r + 1 < n)
                sum += c[static_cast<size_t>(i + r + 1) * stride];
            if (i - r >= 0)
                sum -= c[static_cast<size_t>(i - r) * stride];
        }
        for (int i = 0; i < n; ++i)
            c[static_cast<size_t>(i) * stride] = line[i];
    }
}

}  // namespace

// The group's masks moved by the offset and spread by a box blur of the
// spread's radius, twice, for a rounder edge.
void LiftShadow::render(const Puz& puz, uint8_t container)
{
    cover.clear();
    area = {};
    if (style == EdgeStyle::None)
        return;
    Rect16 bounds;
    bool any = false;
    for (const SPuz& p : puz.pieces)
        if (p.box == container && static_cast<size_t>(p.index) < pieces.size() && pieces[p.index]) {
            bounds = any ? unite(bounds, p.table) : p.table;
            any = true;
        }
    if (!any)
        return;
    area = around(bounds);
    const int w = area.w, h = area.h, s = offset(), r = spread();
    std::vector<uint16_t> c(static_cast<size_t>(w) * h, 0);
    for (const SPuz& p : puz.pieces) {
        if (p.box != container || static_cast<size_t>(p.index) >= pieces.size() || !pieces[p.index])
            continue;
        const Rect16 b = p.bounding;
        const int tx = p.table.x + s - area.x, ty = p.table.y + s - area.y;
        for (int v = 0; v < b.h; ++v) {
            const int sy = b.y + v;
            if (sy < 0 || sy >= puz.maskSheet.height() || ty + v < 0 || ty + v >= h)
                continue;
            const uint32_t* mask = puz.maskSheet.row(sy);
            uint16_t* row = c.data() + static_cast<size_t>(ty + v) * w;
            for (int u = 0; u < b.w; ++u) {
                const int sx = b.x + u;
                if (sx >= 0 && sx < puz.maskSheet.width() && tx + u >= 0 && tx + u < w && mask[sx] == kMaskPiece)
                    row[tx + u] = 255;
            }
        }
    }
    if (r > 0) {
        std::vector<uint16_t> line(static_cast<size_t>(std::max(w, h)));
        for (int pass = 0; pass < 2; ++pass) {
            blurLines(c, h, w, w, 1, r, line);
            blurLines(c, w, h, 1, w, r, line);
        }
    }
    cover.assign(c.begin(), c.end());
}

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
            drawShadow(*shadow, x, y, out);
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
