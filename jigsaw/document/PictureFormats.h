#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Status.h"

namespace qv {

// Pictures a player brings to make a puzzle from: JPEG and BMP always; PNG,
// GIF (its first frame) and WebP when the build found their decoders. The
// format is told by the content, not the name. Transparent parts become white.
fw::Status decodePicture(const std::vector<uint8_t>& bytes, fw::Bitmap& out);
fw::Status readPictureFile(const std::filesystem::path& path, fw::Bitmap& out);

}  // namespace qv
