#include "minefield/TDiamond.h"

namespace mf {

void TDiamond::SetBounds(int32_t x, int32_t y, int32_t w, int32_t h)
{
    TCell::SetBounds(x, y, w, h);
    const Rect& b = bounds;
    const int32_t midX = b.left + (b.right - b.left) / 2;
    const int32_t midY = b.top + (b.bottom - b.top) / 2;
    SetPoints({{b.left, midY}, {midX, b.top}, {b.right, midY}, {midX, b.bottom}});
}

std::array<EdgeRun, 2> TDiamond::EdgeRuns() const
{
    const auto& p = points;
    return {Run(true, {p[0], p[1], p[2]}), Run(false, {p[2], p[3], p[0]})};
}

Polygon TDiamond::InsetOutline() const
{
    const auto& p = points;
    Polygon r;
    r.count = 4;
    r.points = {Point{p[0].x + 2, p[0].y}, {p[1].x, p[1].y + 2}, {p[2].x - 2, p[2].y},
                {p[3].x, p[3].y - 2}};
    return r;
}

}  // namespace mf
