#pragma once
#include <cstdint>
#include <vector>

namespace fw {

// A picture of palette indices, one byte a pixel, rows top-down. Used where a
// display with 256 or fewer colours needs the picture reduced to a palette
// (and for writing such pictures as palette BMPs).
struct IndexedBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint8_t> indices;   // width * height

    bool isNull() const { return indices.empty(); }
    uint8_t* row(int y) { return indices.data() + static_cast<size_t>(y) * width; }
    const uint8_t* row(int y) const { return indices.data() + static_cast<size_t>(y) * width; }
};

}  // namespace fw
