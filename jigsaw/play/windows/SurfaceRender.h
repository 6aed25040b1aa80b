#pragma once
#include <cstdint>
#include <set>

#include "framework/Bitmap.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// Draws the pieces of one container (the table or a box) over a rectangle
// of its surface whose ground is already painted in out, from the bottom of
// the drawing order to the top, clipped to the rectangle. (x, y) is the
// surface point (pieces' table coordinates) of out's top-left pixel.
// Pieces in skip are left out (a group an animation is showing).
void drawSurfacePieces(const Puz& puz, uint8_t container, int x, int y, fw::Bitmap& out,
                       const std::set<int>* skip = nullptr);

// The union of the table rectangles of the given container's pieces; empty
// (w = 0) when it holds none.
Rect16 containerBounds(const Puz& puz, uint8_t container);

}  // namespace qv
