#pragma once
#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Display.h"
#include "framework/Status.h"
#include "jigsaw/document/Jpeg.h"

namespace qv {

// The thumbnail block of a puzzle file: the maker's small picture, passed
// through JPEG at quality 75 (so it looks like the pictures the player will
// see) and mapped to the display's colours, stored as a BMP image.
fw::Status MakeThumbnail(const fw::Bitmap& thumbnail, const fw::Display& display, std::vector<uint8_t>& bmpBytes,
                         const Progress& progress = {});

// A thumbnail of at most maxWidth x maxHeight for a picture, keeping its shape.
fw::Bitmap shrinkForThumbnail(const fw::Bitmap& picture, int maxWidth, int maxHeight);

}  // namespace qv
