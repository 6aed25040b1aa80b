#include "jigsaw/play/Animation.h"

#include <algorithm>

#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"

namespace qv {

// Drawn once on black and once on white: the pixels that differ lie
// outside the pieces.
GroupPicture PictureOfGroup(const Puz& puz, const std::vector<int>& pieces)
{
    GroupPicture out;
    if (pieces.empty())
        return out;
    Rect16 b = puz.pieces[pieces.front()].table;
    for (int p : pieces)
        b = unite(b, puz.pieces[p].table);
    if (b.w <= 0 || b.h <= 0)
        return out;
    fw::Bitmap black(b.w, b.h, 0), white(b.w, b.h, 0xFFFFFF);
    for (auto it = puz.order.rbegin(); it != puz.order.rend(); ++it) {
        if (std::find(pieces.begin(), pieces.end(), *it) == pieces.end())
            continue;
        DrawPiece(puz, puz.pieces[*it], black, b.x, b.y);
        DrawPiece(puz, puz.pieces[*it], white, b.x, b.y);
    }
    for (int y = 0; y < b.h; ++y) {
        uint32_t* d = black.row(y);
        const uint32_t* w = white.row(y);
        for (int x = 0; x < b.w; ++x)
            d[x] = d[x] == w[x] ? (0xFF000000u | d[x]) : 0u;
    }
    out.bounds = b;
    out.pixels = std::move(black);
    return out;
}

}  // namespace qv
