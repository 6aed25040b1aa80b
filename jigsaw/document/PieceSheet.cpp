#include "jigsaw/document/PieceSheet.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>

#include "framework/Raster.h"
#include "jigsaw/document/EdgePainter.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

// Float-to-int truncation that gives 0 where the scanner's arithmetic has
// no value (a knob one pixel wide divides by zero).
int truncSafe(double v)
{
    if (!std::isfinite(v) || v > 1e9 || v < -1e9)
        return 0;
    return static_cast<int>(v);
}

// The column scanner of a knob rectangle: calls span(X, yTop, yBottom) for
// each filled column in the rectangle's own frame, before any clipping.
template <class Span>
void scanColumns(int x, int y, int w, int h, Span span)
{
    const float a = (w - 1) * 0.5f, b = (h - 1) * 0.5f;
    const int a2 = truncSafe(static_cast<double>(a) * a);
    const float ratio = b / a;
    const int cx = truncSafe(x + static_cast<double>(a)), cy = truncSafe(y + static_cast<double>(b));
    const int first = x, last = x + w / 2;
    bool haveNext = false;
    int next = 0;
    for (int X = first; X <= last; ++X) {
        const int dx = X - cx;
        int hh;
        double q;
        if (!haveNext) {
            hh = truncSafe(std::sqrt(static_cast<double>(std::max(0, a2 - dx * dx))) * ratio + 0.5);
            q = 0.05;
        } else {
            hh = next;
            q = 0.5;
        }
        if (X + 1 < last - 1) {
            const int d1 = dx + 1;
            next = truncSafe(std::sqrt(static_cast<double>(std::max(0, a2 - d1 * d1))) * ratio + q);
            if (X == first)
                next = std::max(next, hh + 2);
        } else {
            next = truncSafe(b);
        }
        haveNext = true;
        const int s = next > hh + 1 ? next - 1 : hh;
        span(X, cy - s, cy + s);
        if (cx - dx != X)
            span(cx - dx, cy - s, cy + s);
    }
}

void fillRect(fw::Bitmap& bmp, int x, int y, int w, int h, uint32_t colour)
{
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(bmp.width(), x + w), y1 = std::min(bmp.height(), y + h);
    for (int yy = y0; yy < y1; ++yy)
        std::fill(bmp.row(yy) + x0, bmp.row(yy) + x1, colour);
}

Rect16 moved(const Rect16& r, int dx, int dy)
{
    return {static_cast<int16_t>(r.x + dx), static_cast<int16_t>(r.y + dy), r.w, r.h};
}

Rect16 relative(const Rect16& r, const Rect16& to)
{
    return {static_cast<int16_t>(r.x - to.x), static_cast<int16_t>(r.y - to.y), r.w, r.h};
}

// Turns the piece's rectangles by k quarter turns, keeping the bounding
// rectangle's top-left where it was.
void turnGeometry(Puz& puz, SPuz& p, int k)
{
    k &= 3;
    if (!k)
        return;
    const Rect16 b = p.bounding;
    auto turn = [&](const Rect16& r) { return moved(turnRect(relative(r, b), b.w, b.h, k), b.x, b.y); };
    p.cell = turn(p.cell);
    for (int s = 0; s < 4; ++s)
        if (p.knob[s] >= 0 && static_cast<size_t>(p.knob[s]) < puz.knobs.size())
            puz.knobs[p.knob[s]] = turn(puz.knobs[p.knob[s]]);
    p.bounding = turn(p.bounding);
    p.tableCell.w = p.cell.w;
    p.tableCell.h = p.cell.h;
    p.updateTable();
}

// The picture pixel under slot pixel (u, v) of a piece at its rotation, as
// an offset from the unturned bounding rectangle's top-left.
struct Unturn {
    int rotation, w0, h0;
    void operator()(int u, int v, int& x, int& y) const
    {
        switch (rotation) {
        case 1: x = v, y = h0 - 1 - u; break;
        case 2: x = w0 - 1 - u, y = h0 - 1 - v; break;
        case 3: x = w0 - 1 - v, y = u; break;
        default: x = u, y = v; break;
        }
    }
};

// Fills the piece's slot in the piece sheet: picture pixels where its mask
// is black, black elsewhere.
void paintImage(Puz& puz, const SPuz& p)
{
    const Rect16 b = p.bounding;
    const int r = p.rotation & 3;
    const bool odd = r & 1;
    const int w0 = odd ? b.h : b.w, h0 = odd ? b.w : b.h;
    // The unturned cell's place inside the unturned bounding rectangle.
    const Rect16 cell0 = turnRect(relative(p.cell, b), b.w, b.h, (4 - r) & 3);
    const int srcX = p.cellOrigin.x - cell0.x, srcY = p.cellOrigin.y - cell0.y;
    const fw::Bitmap& pic = puz.picture;
    fw::Bitmap& sheet = puz.pieceSheet;
    const fw::Bitmap& maskSheet = puz.maskSheet;
    // Walking a slot row moves through the picture by one pixel along a
    // row (unturned or half turned) or a column (quarter turns).
    const int stepX = r == 0 ? 1 : r == 2 ? -1 : 0, stepY = r == 1 ? -1 : r == 3 ? 1 : 0;
    const Unturn unturn{r, w0, h0};
    const bool inside = srcX >= 0 && srcY >= 0 && srcX + w0 <= pic.width() && srcY + h0 <= pic.height() &&
                        b.x >= 0 && b.y >= 0 && b.x + b.w <= sheet.width() && b.y + b.h <= sheet.height();
    for (int v = 0; v < b.h; ++v) {
        const int sy = b.y + v;
        if (!inside && (sy < 0 || sy >= sheet.height()))
            continue;
        const uint32_t* mask = maskSheet.row(sy);
        uint32_t* dst = sheet.row(sy);
        int x, y;
        unturn(0, v, x, y);
        x += srcX, y += srcY;
        if (inside && r == 0) {
            // Unturned: straight runs the compiler can widen.
            const uint32_t* __restrict src = pic.row(y) + x;
            const uint32_t* __restrict m = mask + b.x;
            uint32_t* __restrict out = dst + b.x;
            for (int u = 0; u < b.w; ++u)
                out[u] = m[u] == kMaskPiece ? src[u] : 0;
            continue;
        }
        if (inside) {
            const uint32_t* src = pic.row(y) + x;
            const ptrdiff_t step = stepX + ptrdiff_t(stepY) * pic.width();
            for (int u = 0; u < b.w; ++u, src += step)
                dst[b.x + u] = mask[b.x + u] == kMaskPiece ? *src : 0;
            continue;
        }
        for (int u = 0; u < b.w; ++u, x += stepX, y += stepY) {
            const int sx = b.x + u;
            if (sx < 0 || sx >= sheet.width())
                continue;
            dst[sx] = mask[sx] == kMaskPiece && pic.contains(x, y) ? pic.pixel(x, y) : 0;
        }
    }
}

// Without the picture (dropped on low memory) the slot's own pixels are
// turned: `old` holds them as they were before the turn.
void turnSlotPixels(Puz& puz, const fw::Bitmap& old, const Rect16& before, int k)
{
    const bool odd = k & 1;
    const int w = odd ? before.h : before.w, h = odd ? before.w : before.h;
    const Unturn unturn{k & 3, before.w, before.h};
    for (int v = 0; v < h; ++v)
        for (int u = 0; u < w; ++u) {
            const int sx = before.x + u, sy = before.y + v;
            if (!puz.pieceSheet.contains(sx, sy) || puz.maskSheet.pixel(sx, sy) != kMaskPiece)
                continue;
            int x, y;
            unturn(u, v, x, y);
            puz.pieceSheet.setPixel(sx, sy, old.pixel(x, y));
        }
}

fw::Bitmap copyOut(const fw::Bitmap& sheet, const Rect16& r)
{
    fw::Bitmap out(r.w, r.h);
    fw::copyRect(sheet, r.x, r.y, r.w, r.h, out, 0, 0);
    return out;
}

void clearSlotArea(Puz& puz, const Rect16& r)
{
    fillRect(puz.maskSheet, r.x, r.y, r.w, r.h, kMaskBackground);
    fillRect(puz.pieceSheet, r.x, r.y, r.w, r.h, 0);
}

void paintSlot(Puz& puz, SPuz& p, EdgeStyle edges)
{
    DrawMask(puz, p);
    if (!puz.picture.isNull())
        paintImage(puz, p);
    shadeEdges(puz, p, edges);
}

}  // namespace

Rect16 turnRect(const Rect16& rel, int w, int h, int k)
{
    switch (k & 3) {
    case 1: return {static_cast<int16_t>(h - rel.y - rel.h), rel.x, rel.h, rel.w};
    case 2: return {static_cast<int16_t>(w - rel.x - rel.w), static_cast<int16_t>(h - rel.y - rel.h), rel.w, rel.h};
    case 3: return {rel.y, static_cast<int16_t>(w - rel.x - rel.w), rel.h, rel.w};
    default: return rel;
    }
}

void DrawKnob(fw::Bitmap& target, uint32_t colour, const Rect16& knob, int rotation, const KnobClip& clip)
{
    const bool rows = rotation & 1;
    auto span = [&](int X, int y0, int y1) {
        // In drawing coordinates a scanned column is a column (even) or a row (odd).
        const int lineMin = rows ? clip.yMin : clip.xMin, lineMax = rows ? clip.yMax : clip.xMax;
        const int runMin = rows ? clip.xMin : clip.yMin, runMax = rows ? clip.xMax : clip.yMax;
        if (X < lineMin || X > lineMax)
            return;
        y0 = std::max(y0, runMin);
        y1 = std::min(y1, runMax);
        if (rows) {
            if (X < 0 || X >= target.height())
                return;
            y0 = std::max(y0, 0);
            y1 = std::min(y1, target.width() - 1);
            if (y0 <= y1)
                std::fill(target.row(X) + y0, target.row(X) + y1 + 1, colour);
        } else {
            if (X < 0 || X >= target.width())
                return;
            y0 = std::max(y0, 0);
            y1 = std::min(y1, target.height() - 1);
            for (int y = y0; y <= y1; ++y)
                target.row(y)[X] = colour;
        }
    };
    if (rows)
        scanColumns(knob.y, knob.x, knob.h, knob.w, span);
    else
        scanColumns(knob.x, knob.y, knob.w, knob.h, span);
}

void DrawMask(Puz& puz, const SPuz& p, fw::Bitmap* target, bool keepBackground)
{
    fw::Bitmap& t = target ? *target : puz.maskSheet;
    if (!keepBackground)
        fillRect(t, p.bounding.x, p.bounding.y, p.bounding.w, p.bounding.h, kMaskBackground);
    fillRect(t, p.cell.x, p.cell.y, p.cell.w, p.cell.h, kMaskPiece);
    const Rect16& c = p.cell;
    for (int j = 0; j < 4; ++j) {
        const int s = (j - p.rotation + 4) & 3;
        if (p.knob[s] < 0 || static_cast<size_t>(p.knob[s]) >= puz.knobs.size() || p.knobDir[s] == 0)
            continue;
        KnobClip clip;
        const bool tab = p.knobDir[s] > 0;
        switch (j) {
        case 0: (tab ? clip.xMax : clip.xMin) = c.x; break;
        case 1: (tab ? clip.yMax : clip.yMin) = c.y; break;
        case 2: (tab ? clip.xMin : clip.xMax) = c.right(); break;
        default: (tab ? clip.yMin : clip.yMax) = c.bottom(); break;
        }
        DrawKnob(t, tab ? kMaskPiece : kMaskBackground, puz.knobs[p.knob[s]], p.rotation, clip);
    }
}

SlotLayout layoutSlots(const Puz& puz)
{
    SlotLayout l;
    const int rows = puz.gridRows(), cols = puz.gridColumns();
    l.columnWidth.assign(std::max(cols, 0), 0);
    l.rowHeight.assign(std::max(rows, 0), 0);
    const bool turns = !(puz.options & Puz::NoRotable);
    for (const SPuz& p : puz.pieces) {
        const int r = p.index / std::max(cols, 1), c = p.index % std::max(cols, 1);
        if (r >= rows || c >= cols)
            continue;
        const int side = std::max(p.bounding.w, p.bounding.h);
        l.columnWidth[c] = std::max(l.columnWidth[c], turns ? side : int(p.bounding.w));
        l.rowHeight[r] = std::max(l.rowHeight[r], turns ? side : int(p.bounding.h));
    }
    for (int w : l.columnWidth) {
        l.columnX.push_back(l.width);
        l.width += w;
    }
    for (int h : l.rowHeight) {
        l.rowY.push_back(l.height);
        l.height += h;
    }
    return l;
}

void RenderPiece(Puz& puz, SPuz& p, int sx, int sy, EdgeStyle edges)
{
    const int dx = sx - p.bounding.x, dy = sy - p.bounding.y;
    p.bounding = moved(p.bounding, dx, dy);
    p.cell = moved(p.cell, dx, dy);
    for (int s = 0; s < 4; ++s)
        if (p.knob[s] >= 0 && static_cast<size_t>(p.knob[s]) < puz.knobs.size())
            puz.knobs[p.knob[s]] = moved(puz.knobs[p.knob[s]], dx, dy);
    p.tableCell.w = p.cell.w;
    p.tableCell.h = p.cell.h;
    // Cutting leaves the geometry unturned: turn it to the piece's rotation
    // first, then draw mask and image once at that rotation (the same pixels
    // as drawing unturned and turning the result).
    turnGeometry(puz, p, p.rotation);
    p.updateTable();
    paintSlot(puz, p, edges);
}

fw::Status renderSheets(Puz& puz, const SheetOptions& options)
{
    const SlotLayout l = layoutSlots(puz);
    puz.sheetEdges.reset();
    try {
        puz.pieceSheet = fw::Bitmap();
        puz.maskSheet = fw::Bitmap();
        puz.maskSheet = fw::Bitmap(l.width, l.height, kMaskBackground);
        puz.pieceSheet = fw::Bitmap(l.width, l.height, 0);
    } catch (const std::bad_alloc&) {
        puz.pieceSheet = fw::Bitmap();
        puz.maskSheet = fw::Bitmap();
        return fw::Status(fw::msg::OutOfMemory);
    }
    const EdgeStyle edges = puz.picture.isNull() && options.edges == EdgeStyle::Blend ? EdgeStyle::Grey : options.edges;
    puz.sheetEdges = edges;
    const int cols = std::max(1, int(puz.gridColumns()));
    const int total = std::max<int>(1, puz.pieceCount());
    int shown = -1;
    for (SPuz& p : puz.pieces) {
        const int r = p.index / cols, c = p.index % cols;
        if (r >= static_cast<int>(l.rowY.size()) || c >= static_cast<int>(l.columnX.size()))
            continue;
        RenderPiece(puz, p, l.columnX[c], l.rowY[r], edges);
        const int percent = p.index * 100 / total;
        if (percent != shown && options.progress)
            options.progress(percent);
        shown = percent;
    }
    if (options.lowMemory)
        puz.picture = fw::Bitmap();
    return {};
}

fw::Status TurnPiece(Puz& puz, SPuz& p, int k, EdgeStyle edges)
{
    k &= 3;
    if (!k)
        return {};
    edges = puz.sheetEdges.value_or(edges);
    const Rect16 before = p.bounding;
    fw::Bitmap old;
    try {
        if (puz.picture.isNull())
            old = copyOut(puz.pieceSheet, before);
    } catch (const std::bad_alloc&) {
        return fw::Status(fw::msg::OutOfMemory);
    }
    turnGeometry(puz, p, k);
    p.rotation = static_cast<uint8_t>((p.rotation + k) & 3);
    clearSlotArea(puz, before);
    DrawMask(puz, p);
    if (!puz.picture.isNull()) {
        paintImage(puz, p);
    } else {
        turnSlotPixels(puz, old, before, k);
    }
    shadeEdges(puz, p, edges);
    return {};
}

void DrawPiece(const Puz& puz, const SPuz& p, fw::Bitmap& surface, int originX, int originY)
{
    const Rect16 b = p.bounding;
    const int tx = p.table.x - originX, ty = p.table.y - originY;
    const bool highlight = p.flags & kPieceHighlighted;
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
            if (!highlight) {
                d[dx] = (d[dx] & mask[sx]) ^ image[sx];
                continue;
            }
            // A checkered brush: the surface shows through every other pixel.
            const uint32_t brush = ((dx ^ dy) & 1) ? kMaskBackground : 0;
            const uint32_t anded = d[dx] & (brush | mask[sx]);
            d[dx] = anded | (image[sx] & ~brush & kMaskBackground);
        }
    }
}

int PieceAt(const Puz& puz, uint8_t container, int x, int y)
{
    for (int16_t index : puz.order) {
        if (index < 0 || index >= puz.pieceCount())
            continue;
        const SPuz& p = puz.pieces[index];
        if (p.box != container)
            continue;
        const Rect16& t = p.table;
        if (x < t.x || y < t.y || x > t.right() || y > t.bottom())
            continue;
        const int mx = p.bounding.x + x - t.x, my = p.bounding.y + y - t.y;
        if (puz.maskSheet.contains(mx, my) && puz.maskSheet.pixel(mx, my) == kMaskPiece)
            return index;
    }
    return -1;
}

}  // namespace qv
