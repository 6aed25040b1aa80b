#pragma once
#include <filesystem>

#include "framework/Bitmap.h"
#include "framework/Stream.h"

namespace fw {

// Writes a bitmap as an RGB PNG, for people to look at what the program
// draws (sheets, tables, test output). The image data is stored without
// compression, so this needs no library; the files are only for viewing.
bool writePng(Stream& out, const Bitmap& bmp);
bool writePng(const std::filesystem::path& path, const Bitmap& bmp);

}  // namespace fw
