#include "minefield/THex.h"

namespace mf {

int32_t THex::SlantWidth(int32_t span)
{
    // Close to h / (2 * sqrt 3), the slant of a regular hexagon.
    return int32_t(double(span) * (1.0 / 3.4642));
}

void THex::SetBounds(int32_t x, int32_t y, int32_t w, int32_t h)
{
    TCell::SetBounds(x, y, w, h);
    const Rect& b = bounds;
    const int32_t k = SlantWidth(b.bottom - b.top);
    const int32_t midY = b.top + (b.bottom - b.top) / 2;
    pointCount = 6;
    SetPoints({{b.left, midY}, {b.left + k, b.top}, {b.right - k, b.top}, {b.right, midY},
               {b.right - k, b.bottom}, {b.left + k, b.bottom}});
}

std::array<EdgeRun, 2> THex::EdgeRuns() const
{
    const auto& p = points;
    return {Run(true, {p[0], p[1], p[2], p[3]}), Run(false, {p[3], p[4], p[5], p[0]})};
}

Polygon THex::InsetOutline() const
{
    const auto& p = points;
    Polygon r;
    r.count = 6;
    r.points = {Point{p[0].x + 2, p[0].y}, {p[1].x, p[1].y + 2}, {p[2].x, p[2].y + 2},
                {p[3].x - 2, p[3].y}, {p[4].x, p[4].y - 2}, {p[5].x, p[5].y - 2}};
    return r;
}

}  // namespace mf
