#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>

#include "framework/Bitmap.h"
#include "framework/Display.h"
#include "framework/Status.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/document/PictureFormats.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// What loading a picture depends on besides the document.
struct PictureSettings {
    fw::Display display;        // screen size and colours (may simulate a palette display)
    // The picture-cache setting (options bit 0x0001, off after every load):
    // without it no bitmap cache is written, though one already in the file
    // is read when it was made for this display.
    bool cacheEnabled = false;
    // Free disk space below this keeps the cache from being written.
    uint64_t minFreeDisk = 400000;
    // The free space of the disk holding a file; tests replace it.
    std::function<uint64_t(const std::filesystem::path&)> freeSpace;
};

// The cache mode byte for a display: 1 in the low-colour mode, 4 on a
// 256-colour display, 8 on others, always with 2 added.
uint8_t cacheModeFor(const fw::Display& display);

// The picture's size on the table: never enlarged, about half the table
// (all of it with ImgFull), capped by the saved factor.
struct PictureScale {
    double factor = 1.0;
    int width = 0;
    int height = 0;
    bool scatterFull = false;  // the picture takes 70 % of the table or more
};
PictureScale scalePicture(int width, int height, int tableWidth, int tableHeight, bool imgFull, float savedFactor);

// Reads the document's picture block (using or refreshing the picture cache
// inside the puzzle file), reduces it to the display's colours and scales it
// to the table (the play frame's client size). Sets picture, picture
// rectangle and scale factor; on failure the caller resets the document.
fw::Status LoadPicture(Puz& puz, const PictureSettings& settings);

// The picture-block part of making a puzzle file.
struct PictureSource {
    // A JPEG file is stored unchanged; any other picture is encoded.
    std::filesystem::path jpegFile;
    fw::Bitmap bitmap;
};

// Writes the open document as a puzzle file at path, with the picture and
// the thumbnail the maker supplies (empty = none). Progress runs over 250
// steps: thumbnail encode 0..25, decode 25..50, picture 50..150, palette 150..250.
fw::Status WritePuzzleFile(const Puz& puz, const std::filesystem::path& path, const PictureSource& picture,
                           const fw::Bitmap& thumbnail, const fw::Display& display,
                           const std::function<void(int step)>& progress = {});

}  // namespace qv
