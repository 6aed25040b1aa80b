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

}  // namespace

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
                       const std::vector<bool>* dimmed)
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
