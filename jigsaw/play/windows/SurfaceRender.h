#pragma once
#include <cstdint>
#include <set>
#include <vector>

#include "framework/Bitmap.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// Draws the pieces of one container (the table or a box) over a rectangle
// of its surface whose ground is already painted in out, from the bottom of
// the drawing order to the top, clipped to the rectangle. (x, y) is the
// surface point (pieces' table coordinates) of out's top-left pixel.
// Pieces in skip are left out (a group an animation is showing); those
// dimmed marks (by piece number) are drawn faintly over the ground.
void drawSurfacePieces(const Puz& puz, uint8_t container, int x, int y, fw::Bitmap& out,
                       const std::set<int>* skip = nullptr, const std::vector<bool>* dimmed = nullptr);

// The picture faintly over the ground: strength percent of the picture,
// its top-left at the surface point area; (x, y) as above.
void drawGhostPicture(const Puz& puz, Point16 area, int percent, int x, int y, fw::Bitmap& out);

// The union of the table rectangles of the given container's pieces; empty
// (w = 0) when it holds none.
Rect16 containerBounds(const Puz& puz, uint8_t container);

}  // namespace qv
