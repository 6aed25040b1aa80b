#pragma once
#include <filesystem>

#include "framework/Bitmap.h"
#include "framework/Profile.h"

namespace fw {

// The colour field computed pixel by pixel with Background::FieldColour.
Bitmap ComputeColourField(int width, int height);

// The colour field of a width x height window on a display of `resolution`
// (planes x bits a pixel). The file "picclr.bmp" in `folder` is used when
// the settings section "PicClr" ("sx", "sy", "res") says it was made for
// exactly these figures and it loads with that size; otherwise the field is
// computed, saved there and the three keys written. computed (optional)
// tells which happened.
Bitmap LoadColourField(Profile& profile, const std::filesystem::path& folder, int width, int height,
                       int resolution, bool* computed = nullptr);

}  // namespace fw
