#pragma once
#include <algorithm>
#include <cstdint>

namespace qv {

// A rectangle of the puzzle's pixel spaces (picture, sheets, table): signed
// 16-bit origin and size, as pieces and knobs store them.
struct Rect16 {
    int16_t x = 0;
    int16_t y = 0;
    int16_t w = 0;
    int16_t h = 0;

    int right() const { return x + w - 1; }   // last column inside
    int bottom() const { return y + h - 1; }  // last row inside

    bool operator==(const Rect16&) const = default;
};

// Neither lies wholly left, right, above or below the other (inclusive bounds).
inline bool intersects(const Rect16& a, const Rect16& b)
{
    return !(a.right() < b.x || b.right() < a.x || a.bottom() < b.y || b.bottom() < a.y);
}

// The smallest rectangle holding both.
inline Rect16 unite(const Rect16& a, const Rect16& b)
{
    int x0 = std::min<int>(a.x, b.x), y0 = std::min<int>(a.y, b.y);
    int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return {static_cast<int16_t>(x0), static_cast<int16_t>(y0), static_cast<int16_t>(x1 - x0),
            static_cast<int16_t>(y1 - y0)};
}

struct Point16 {
    int16_t x = 0;
    int16_t y = 0;
    bool operator==(const Point16&) const = default;
};

}  // namespace qv
