#pragma once
#include <cstdint>
#include <set>

#include "framework/Bitmap.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// Paints one rectangle of a surface (the table or a box): the background,
// then the pieces of that container from the bottom of the drawing order to
// the top, clipped to the rectangle. out receives the rectangle's pixels;
// (x, y) of area are surface coordinates (pieces' table rectangles).
// Pieces in skip are left out (a group an animation is showing).
void renderSurfaceArea(const Puz& puz, uint8_t container, int x, int y, int w, int h, uint32_t backgroundPixel,
                       fw::Bitmap& out, const std::set<int>* skip = nullptr);

// The union of the table rectangles of the given container's pieces; empty
// (w = 0) when it holds none.
Rect16 containerBounds(const Puz& puz, uint8_t container);

}  // namespace qv
