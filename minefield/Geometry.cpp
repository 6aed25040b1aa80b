#include "minefield/Geometry.h"

#include <algorithm>

namespace mf {

namespace {

// Positive when p lies left of the edge a -> b as seen on the screen (y grows
// downwards) for an edge running down, negative for an edge running up.
int64_t Side(int64_t ax, int64_t ay, int64_t bx, int64_t by, int64_t px, int64_t py)
{
    return (bx - ax) * (py - ay) - (px - ax) * (by - ay);
}

}  // namespace

bool Polygon::Contains(int32_t px, int32_t py) const
{
    // Doubling every coordinate puts the pixel centre on integers; its y is odd
    // and every vertex y even, so no vertex ever lies on the scan line.
    const int64_t x = 2 * int64_t(px) + 1;
    const int64_t y = 2 * int64_t(py) + 1;
    int winding = 0;
    for (int32_t i = 0; i < count; ++i) {
        const Point& a = points[size_t(i)];
        const Point& b = points[size_t((i + 1) % count)];
        const int64_t ax = 2 * int64_t(a.x), ay = 2 * int64_t(a.y);
        const int64_t bx = 2 * int64_t(b.x), by = 2 * int64_t(b.y);
        // Count the edges that a ray from the point to the right crosses; an
        // edge through the point itself is not crossed.
        if (ay < y) {
            if (by > y && Side(ax, ay, bx, by, x, y) > 0)
                ++winding;
        } else if (by < y && Side(ax, ay, bx, by, x, y) < 0) {
            --winding;
        }
    }
    return winding != 0;
}

Rect Polygon::Bounds() const
{
    if (count == 0)
        return {};
    Rect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int32_t i = 1; i < count; ++i) {
        r.left = std::min(r.left, points[size_t(i)].x);
        r.top = std::min(r.top, points[size_t(i)].y);
        r.right = std::max(r.right, points[size_t(i)].x);
        r.bottom = std::max(r.bottom, points[size_t(i)].y);
    }
    return r;
}

}  // namespace mf
