#include "minefield/TTriangle.h"

namespace mf {

void TTriangle::SetBounds(int32_t x, int32_t y, int32_t w, int32_t h)
{
    TCell::SetBounds(x, y, w, h);
    const Rect& b = bounds;
    // The base stops 2 pixels short of the right bound, leaving a gap to the
    // triangle that overlaps this one by half its width.
    const int32_t apexX = b.left + (b.right - b.left) / 2 - 1;
    if (IsUp())
        SetPoints({{b.left, b.bottom}, {apexX, b.top}, {b.right - 2, b.bottom}});
    else
        SetPoints({{b.right - 2, b.top}, {apexX, b.bottom}, {b.left, b.top}});
}

void TTriangle::SetOrientation(bool isUp) { up = isUp ? 1 : 0; }

bool TTriangle::IsUp() const { return up == 1; }

std::array<EdgeRun, 2> TTriangle::EdgeRuns() const
{
    const auto& p = points;
    // The segment p0 -> p1 comes first: the left slant of an upward triangle
    // (upper), the right slant of a downward one (lower).
    if (IsUp())
        return {Run(true, {p[0], p[1]}), Run(false, {p[1], p[2], p[0]})};
    return {Run(false, {p[0], p[1]}), Run(true, {p[1], p[2], p[0]})};
}

Polygon TTriangle::InsetOutline() const
{
    const auto& p = points;
    Polygon r;
    r.count = 3;
    if (IsUp())
        r.points = {Point{p[0].x + 2, p[0].y - 2}, {p[1].x, p[1].y + 2}, {p[2].x - 2, p[2].y - 2}};
    else
        r.points = {Point{p[0].x - 2, p[0].y + 2}, {p[1].x, p[1].y - 2}, {p[2].x + 2, p[2].y + 2}};
    return r;
}

}  // namespace mf
