#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace mf {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Inclusive corners: right = left + w - 1, bottom = top + h - 1.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A closed outline of at most eight vertices. Cells are hit-tested and
// invalidated through these, so the inside test is our own: the same pixels on
// every platform, whatever edge rule a toolkit's regions use.
struct Polygon {
    std::array<Point, 8> points{};
    int32_t count = 0;

    // Whether the pixel (px, py) lies inside by the winding rule. A pixel is
    // sampled at its centre; a centre exactly on an edge belongs to the cell on
    // whose left edge it lies, so two outlines sharing an edge never both hold
    // it.
    bool Contains(int32_t px, int32_t py) const;
    Rect Bounds() const;
};

}  // namespace mf
