#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/IndexedBitmap.h"
#include "framework/Status.h"
#include "framework/Stream.h"

namespace qv {

// Progress of a long operation, 0..100.
using Progress = std::function<void(int percent)>;

// What the decoder is asked to produce.
struct JpegDecodeRequest {
    int colours = 0;  // 0 true colour, 256 (235 computed, or `palette`), 16 (the 20 system colours)
    const std::vector<uint32_t>* palette = nullptr;  // colour map for 256 colours, 0x00RRGGBB
    // True colour only: the picture will be shrunk to at least this size
    // anyway, so the library may decode it smaller (never below it).
    int atLeastWidth = 0;
    int atLeastHeight = 0;
    // Only the computed palette is wanted: the pixels are not produced.
    bool paletteOnly = false;
    uint64_t length = 0;  // bytes of the JPEG stream, 0 = to the end of the source
    Progress progress;
};

// A decoded picture: true colour in `rgb`, or palette indices in `indexed`.
struct JpegPicture {
    int fullWidth = 0;  // size of the picture as stored, before any scaled decode
    int fullHeight = 0;
    fw::Bitmap rgb;
    fw::IndexedBitmap indexed;

    bool isIndexed() const { return !indexed.palette.empty(); }
    int width() const { return isIndexed() ? indexed.width : rgb.width(); }
    int height() const { return isIndexed() ? indexed.height : rgb.height(); }
};

// Decodes the JPEG stream at `offset` of `source` in place (no copy of it is
// made). A damaged stream gives msg::BadPicture with the library's message.
fw::Status decodeJpeg(fw::Stream& source, uint64_t offset, const JpegDecodeRequest& request, JpegPicture& out);

// The picture's size from its header, without decoding it.
fw::Status readJpegSize(fw::Stream& source, uint64_t offset, int& width, int& height);

// Decodes into a BMP image written at `targetOffset` of `target`: rows
// bottom-up, 24 bits for true colour, a palette BMP otherwise.
fw::Status DecodeJpeg(fw::Stream& source, uint64_t sourceOffset, fw::Stream& target, uint64_t targetOffset,
                      int colours, const std::vector<uint32_t>* palette, const Progress& progress = {});

// Region of a bitmap to encode; an empty one means the whole bitmap.
struct JpegRegion {
    int x = 0, y = 0, width = 0, height = 0;
};

constexpr int kJpegOptimise = 0x2;

// Writes a 3-component JPEG stream of the bitmap (or a region of it) at
// `offset` of `target`; `written` gets its length.
fw::Status EncodeJpeg(const fw::Bitmap& bitmap, JpegRegion region, fw::Stream& target, uint64_t offset, int quality,
                      int options, uint64_t* written = nullptr, const Progress& progress = {});
fw::Status EncodeJpeg(const fw::IndexedBitmap& bitmap, JpegRegion region, fw::Stream& target, uint64_t offset,
                      int quality, int options, uint64_t* written = nullptr, const Progress& progress = {});

}  // namespace qv
