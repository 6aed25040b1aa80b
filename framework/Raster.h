#pragma once
#include "framework/Bitmap.h"

namespace fw {

// Shrinks a picture by area averaging: every target pixel is the mean of the
// source area it covers, partial source pixels weighted by their share. Gives
// smooth results without the shimmer of nearest-neighbour sampling. A target
// larger than the source in a direction is filled by repeating pixels.
Bitmap scaleArea(const Bitmap& src, int width, int height);

// Copies the rectangle (x, y, w, h) of src to (dx, dy) of dst, clipped to both.
void copyRect(const Bitmap& src, int x, int y, int w, int h, Bitmap& dst, int dx, int dy);

}  // namespace fw
