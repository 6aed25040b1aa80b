#include "jigsaw/print/PageRenderer.h"

#include <algorithm>
#include <cmath>

#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kOutline = 0x303030;
constexpr uint32_t kFrameEdge = 0x202020;
constexpr uint32_t kInnerFrame = 0x404040;
constexpr uint32_t kPlainFrame = 0xE4E4E4;
constexpr int kClearStrip = 400;  // the band is cleared in strips of this width
}  // namespace

PageRenderer::PageRenderer(const Puz& puz, const PrintOptions& options, const PrintPlan& plan,
                           const fw::Background* background)
    : m_puz(puz), m_options(options), m_plan(plan)
{
    if (background) {
        m_background.emplace(*background);
        m_background->Build(std::max(1, plan.pageHeight), true);
    }
}

bool PageRenderer::RenderBand(int page, fw::Bitmap& band, int bandTop) const
{
    clear(band);
    if (page < 0 || page >= m_plan.pageCount())
        return true;
    if (m_plan.layout == LayoutTable)
        paintTable(band, bandTop);
    if (m_plan.layout == LayoutAssembled)
        paintFrames(band, bandTop);
    for (const PlacedPiece& placed : m_plan.pages[static_cast<size_t>(page)]) {
        drawPiece(placed, band, bandTop);
        if (m_afterPiece && !m_afterPiece())
            return false;
    }
    return true;
}

void PageRenderer::clear(fw::Bitmap& band) const
{
    for (int x0 = 0; x0 < band.width(); x0 += kClearStrip) {
        const int x1 = std::min(band.width(), x0 + kClearStrip);
        for (int y = 0; y < band.height(); ++y)
            std::fill(band.row(y) + x0, band.row(y) + x1, kWhite);
    }
}

void PageRenderer::paintTable(fw::Bitmap& band, int bandTop) const
{
    if (!m_background)
        return;
    m_background->Paint(band, 0, 0, band.width(), band.height(), m_plan.pageHeight, true, 0, bandTop);
}

void PageRenderer::fillRect(fw::Bitmap& band, int bandTop, int x0, int y0, int x1, int y1, uint32_t pixel) const
{
    x0 = std::max(x0, 0);
    x1 = std::min(x1, band.width());
    y0 = std::max(y0 - bandTop, 0);
    y1 = std::min(y1 - bandTop, band.height());
    for (int y = y0; y < y1; ++y)
        std::fill(band.row(y) + std::min(x0, x1), band.row(y) + x1, pixel);
}

void PageRenderer::paintFrames(fw::Bitmap& band, int bandTop) const
{
    const LayoutRect& o = m_plan.outerFrame;
    if (o.w > 0) {
        const int x0 = m_plan.mapX(o.x), y0 = m_plan.mapY(o.y);
        const int x1 = m_plan.mapX(o.x + o.w), y1 = m_plan.mapY(o.y + o.h);
        // The frame shows the table's paint; a plain white table would
        // leave it invisible on paper, so that one is a light grey.
        const bool painted = m_background && (m_background->Second() != fw::Background::None ||
                                              m_background->First() != 0xFFFFFF);
        if (painted) {
            const int top = std::max(y0 - bandTop, 0), bottom = std::min(y1 - bandTop, band.height());
            const int left = std::max(x0, 0), right = std::min(x1, band.width());
            if (bottom > top && right > left)
                m_background->Paint(band, left, top, right - left, bottom - top, m_plan.pageHeight, true, 0, bandTop);
        } else {
            fillRect(band, bandTop, x0, y0, x1, y1, kPlainFrame);
        }
        const int edge = std::max(1, static_cast<int>(std::lround(m_plan.scaleX / 2)));
        fillRect(band, bandTop, x0, y0, x1, y0 + edge, kFrameEdge);
        fillRect(band, bandTop, x0, y1 - edge, x1, y1, kFrameEdge);
        fillRect(band, bandTop, x0, y0, x0 + edge, y1, kFrameEdge);
        fillRect(band, bandTop, x1 - edge, y0, x1, y1, kFrameEdge);
    }
    const LayoutRect& i = m_plan.innerFrame;
    if (i.w > 0)
        fillRect(band, bandTop, m_plan.mapX(i.x), m_plan.mapY(i.y), m_plan.mapX(i.x + i.w), m_plan.mapY(i.y + i.h),
                 kInnerFrame);
}

void PageRenderer::pieceRect(const PlacedPiece& placed, int& x0, int& y0, int& x1, int& y1) const
{
    const SPuz& p = m_puz.pieces[static_cast<size_t>(placed.piece)];
    const bool across = ((p.rotation - placed.rotation) & 1) != 0;
    const int w = across ? p.bounding.h : p.bounding.w, h = across ? p.bounding.w : p.bounding.h;
    x0 = m_plan.mapX(placed.x);
    y0 = m_plan.mapY(placed.y);
    x1 = m_plan.mapX(placed.x + w);
    y1 = m_plan.mapY(placed.y + h);
}

void PageRenderer::drawPiece(const PlacedPiece& placed, fw::Bitmap& band, int bandTop) const
{
    if (placed.piece < 0 || placed.piece >= m_puz.pieceCount())
        return;
    const SPuz& p = m_puz.pieces[static_cast<size_t>(placed.piece)];
    const Rect16 b = p.bounding;
    // The sheet holds the piece turned k quarter turns from the wanted rotation.
    const int k = (p.rotation - placed.rotation) & 3;
    const int w = (k & 1) ? b.h : b.w, h = (k & 1) ? b.w : b.h;
    int x0, y0, x1, y1;
    pieceRect(placed, x0, y0, x1, y1);
    if (x1 <= x0 || y1 <= y0 || y1 <= bandTop || y0 >= bandTop + band.height())
        return;
    const fw::Bitmap& mask = m_puz.maskSheet;
    const fw::Bitmap& sheet = m_puz.pieceSheet;

    // Sheet point (relative to the bounding rectangle) of a device point, or
    // false outside the piece.
    auto sample = [&](int dx, int dy, int& su, int& sv) {
        if (dx < x0 || dx >= x1 || dy < y0 || dy >= y1)
            return false;
        const int u = static_cast<int>(static_cast<int64_t>(dx - x0) * w / (x1 - x0));
        const int v = static_cast<int>(static_cast<int64_t>(dy - y0) * h / (y1 - y0));
        const Rect16 t = turnRect({static_cast<int16_t>(u), static_cast<int16_t>(v), 1, 1}, w, h, k);
        su = t.x;
        sv = t.y;
        return mask.contains(b.x + su, b.y + sv) && mask.pixel(b.x + su, b.y + sv) == kMaskPiece;
    };

    // Flat pixels come from the picture, through the turn back to rotation 0.
    const bool flat = !m_options.shading && !m_puz.picture.isNull();
    const int r = p.rotation;
    const Rect16 cellRel0 = turnRect({static_cast<int16_t>(p.cell.x - b.x), static_cast<int16_t>(p.cell.y - b.y),
                                      p.cell.w, p.cell.h},
                                     b.w, b.h, (4 - r) & 3);
    auto colour = [&](int su, int sv) {
        if (flat) {
            const Rect16 q = turnRect({static_cast<int16_t>(su), static_cast<int16_t>(sv), 1, 1}, b.w, b.h, (4 - r) & 3);
            const int px = p.cellOrigin.x - cellRel0.x + q.x, py = p.cellOrigin.y - cellRel0.y + q.y;
            if (m_puz.picture.contains(px, py))
                return m_puz.picture.pixel(px, py);
        }
        return sheet.pixel(b.x + su, b.y + sv);
    };

    const int t = m_options.outlines ? std::max(1, static_cast<int>(std::lround(std::min(m_plan.scaleX, m_plan.scaleY) / 2)))
                                     : 0;
    const int top = std::max(y0, bandTop), bottom = std::min(y1, bandTop + band.height());
    const int left = std::max(x0, 0), right = std::min(x1, band.width());
    int su = 0, sv = 0, nu = 0, nv = 0;
    for (int dy = top; dy < bottom; ++dy) {
        uint32_t* row = band.row(dy - bandTop);
        for (int dx = left; dx < right; ++dx) {
            if (!sample(dx, dy, su, sv))
                continue;
            if (t && (!sample(dx - t, dy, nu, nv) || !sample(dx + t, dy, nu, nv) || !sample(dx, dy - t, nu, nv) ||
                      !sample(dx, dy + t, nu, nv))) {
                row[dx] = kOutline;
                continue;
            }
            row[dx] = colour(su, sv);
        }
    }
}

}  // namespace qv
