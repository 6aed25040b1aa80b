#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/IndexedBitmap.h"
#include "framework/Status.h"
#include "framework/Stream.h"

namespace fw {

namespace msg {
// A picture that cannot be decoded; the insert text says why.
constexpr int BadPicture = 1020;
// The same, told about the file: the insert is its name, the detail why.
constexpr int BadPictureFile = 1021;
}  // namespace msg

// A decoder's status once the file it read is known: a damaged picture is
// reported with the file's name, the decoder's reason kept as the detail.
Status pictureFileStatus(Status status, const std::filesystem::path& file);

// Windows bitmap files. Reading accepts what real files use: 1, 4, 8, 16, 24
// and 32 bits a pixel, colour masks, top-down rows, RLE4 and RLE8, and the
// old 12-byte header. Every size, offset and count in the headers is checked
// against the bytes that are there before anything is allocated for it.
//
// The BMP starts at the stream's current position; offsets inside it are
// relative to that position.
Status readBmp(Stream& in, Bitmap& out, std::vector<uint32_t>* palette = nullptr);

// Reads the width and height only (0, 0 with a failed status when the headers are bad).
Status readBmpSize(Stream& in, int& width, int& height);

// Writes a 24-bit BMP, rows bottom-up and padded to 4 bytes.
bool writeBmp(Stream& out, const Bitmap& bmp);
// Writes a palette BMP of 1, 4 or 8 bits, the fewest that hold the palette.
bool writeBmp(Stream& out, const IndexedBitmap& bmp);

// Bytes writeBmp will write, for reserving space in a file.
uint64_t bmpFileSize(const Bitmap& bmp);

}  // namespace fw
