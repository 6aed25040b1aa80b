#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Status.h"
#include "jigsaw/document/EdgeStyle.h"
#include "jigsaw/document/Rect16.h"
#include "jigsaw/document/SPuz.h"

namespace qv {

class Puz;

// Mask pixels: black where the piece is, white elsewhere.
constexpr uint32_t kMaskPiece = 0x000000;
constexpr uint32_t kMaskBackground = 0xFFFFFF;

// A piece flag: draw the piece highlighted.
constexpr uint32_t kPieceHighlighted = 0x8000;

// Inclusive pixel ranges that knob fills are clipped to.
struct KnobClip {
    int xMin = -10000, xMax = 10000;
    int yMin = -10000, yMax = 10000;
};

// Where the slots of the sheets lie: one column of slots per grid column,
// one row per grid row.
struct SlotLayout {
    std::vector<int> columnX, columnWidth;
    std::vector<int> rowY, rowHeight;
    int width = 0;
    int height = 0;
};

struct SheetOptions {
    EdgeStyle edges = EdgeStyle::Blend;
    // Below 500000 bytes of free memory the picture is dropped after rendering.
    bool lowMemory = false;
    std::function<void(int percent)> progress;  // 0..100 while rendering
};

// Slot sizes: square-ish (largest of width and height) so a piece turns in
// place; with NoRotable the bounding widths and heights as they are.
SlotLayout layoutSlots(const Puz& puz);

// Creates both sheets and renders every piece into its slot (the last step
// of cutting). Out of memory when a sheet cannot be made.
fw::Status renderSheets(Puz& puz, const SheetOptions& options = {});

// Moves a piece into its slot at (sx, sy) and draws its mask and image at
// its rotation.
void RenderPiece(Puz& puz, SPuz& piece, int sx, int sy, EdgeStyle edges = EdgeStyle::Blend);

// Draws a piece's mask at its bounding rectangle into target (the mask
// sheet when null), at the piece's current rotation.
void DrawMask(Puz& puz, const SPuz& piece, fw::Bitmap* target = nullptr, bool keepBackground = false);

// Fills the ellipse inscribed in the knob rectangle with colour, clipped to
// the ranges. Even rotations scan columns, odd ones rows, so a mask drawn at
// an odd rotation is the exact transpose of the one drawn at an even one.
void DrawKnob(fw::Bitmap& target, uint32_t colour, const Rect16& knob, int rotation, const KnobClip& clip);

// Draws a piece on a surface at its table rectangle, less the surface's
// origin: the surface is ANDed with the mask slot and XORed with the piece
// slot. Highlighted pieces show the surface through a pattern.
void DrawPiece(const Puz& puz, const SPuz& piece, fw::Bitmap& surface, int originX = 0, int originY = 0);

// The topmost piece of a container (box number, SPuz::OnTable for the
// table) whose mask covers the point; -1 when none.
int PieceAt(const Puz& puz, uint8_t container, int x, int y);

// Turns a piece by k quarter turns clockwise inside its slot: geometry,
// mask and image, then edge shading again, with the edges the sheets were
// rendered with (edges when renderSheets has not rendered them).
fw::Status TurnPiece(Puz& puz, SPuz& piece, int k, EdgeStyle edges = EdgeStyle::Blend);

// The rectangle rel (relative to a box of width w, height h) after k
// quarter turns clockwise of that box, relative to the turned box.
Rect16 turnRect(const Rect16& rel, int w, int h, int k);

}  // namespace qv
