#pragma once
#include <functional>
#include <optional>

#include "framework/Background.h"
#include "framework/Bitmap.h"
#include "jigsaw/print/PrintLayout.h"

namespace qv {

class Puz;

// Draws the pixels of one band of a printed page: white, the table's
// background (table layout) or the frames (assembled layout), then the
// pieces of the page scaled to the plan. The same code draws the printer's
// bands and the preview. The pieces are read from the sheets as they are:
// a piece printed at another rotation than its own (the assembled picture)
// is sampled through the turn, so the document is never changed.
class PageRenderer {
public:
    // The background is copied: its print tile is built for this page
    // without touching the tiles of the windows that share it.
    PageRenderer(const Puz& puz, const PrintOptions& options, const PrintPlan& plan,
                 const fw::Background* background);

    // Called after every drawn piece; false cancels the rest.
    void setAfterPiece(std::function<bool()> afterPiece) { m_afterPiece = std::move(afterPiece); }

    // Band pixels: page rows bandTop .. bandTop + band.height() - 1. False
    // when cancelled.
    bool RenderBand(int page, fw::Bitmap& band, int bandTop) const;

    // The device rectangle a placed piece covers.
    void pieceRect(const PlacedPiece& placed, int& x0, int& y0, int& x1, int& y1) const;

private:
    void clear(fw::Bitmap& band) const;
    void paintTable(fw::Bitmap& band, int bandTop) const;
    void paintFrames(fw::Bitmap& band, int bandTop) const;
    void fillRect(fw::Bitmap& band, int bandTop, int x0, int y0, int x1, int y1, uint32_t pixel) const;
    void drawPiece(const PlacedPiece& placed, fw::Bitmap& band, int bandTop) const;

    const Puz& m_puz;
    const PrintOptions& m_options;
    const PrintPlan& m_plan;
    mutable std::optional<fw::Background> m_background;
    std::function<bool()> m_afterPiece;
};

}  // namespace qv
