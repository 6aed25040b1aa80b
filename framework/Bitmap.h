#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/PixelAllocator.h"

namespace fw {

// A picture in memory: 32 bits a pixel, 0x00RRGGBB in each word (the same
// memory order as a 32-bit RGB toolkit image, so a window can show it without
// a copy). Everything that must give the same pixels on every platform
// (masks, raster operations, piece images) works on this type.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, uint32_t fill = 0)
        : m_width(width > 0 ? width : 0), m_height(height > 0 ? height : 0),
          m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), fill) {}

    bool isNull() const { return m_pixels.empty(); }
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    uint32_t* row(int y) { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    const uint32_t* row(int y) const { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void setPixel(int x, int y, uint32_t v) { row(y)[x] = v; }
    uint32_t* bits() { return m_pixels.data(); }
    const uint32_t* bits() const { return m_pixels.data(); }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t, PixelAllocator<uint32_t>> m_pixels;
};

// Colours in files and rules are 0x00BBGGRR values; pixels are 0x00RRGGBB.
inline uint32_t pixelFromColorRef(uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
inline uint32_t colorRefFromPixel(uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

}  // namespace fw
