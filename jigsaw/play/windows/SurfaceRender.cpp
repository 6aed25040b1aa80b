#include "jigsaw/play/windows/SurfaceRender.h"

#include <algorithm>

#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"

namespace qv {

void drawSurfacePieces(const Puz& puz, uint8_t container, int x, int y, fw::Bitmap& out, const std::set<int>* skip)
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
