#include "minefield/TSquare.h"

namespace mf {

void TSquare::SetBounds(int32_t x, int32_t y, int32_t w, int32_t h)
{
    TCell::SetBounds(x, y, w, h);
    const Rect& b = bounds;
    SetPoints({{b.left, b.top}, {b.right, b.top}, {b.right, b.bottom}, {b.left, b.bottom}});
}

std::array<EdgeRun, 2> TSquare::EdgeRuns() const
{
    const Rect& b = bounds;
    return {Run(true, {{b.left, b.bottom}, {b.left, b.top}, {b.right, b.top}}),
            Run(false, {{b.right, b.top}, {b.right, b.bottom}, {b.left, b.bottom}})};
}

Polygon TSquare::InsetOutline() const
{
    const Rect& b = bounds;
    Polygon p;
    p.count = 4;
    p.points = {Point{b.left + 2, b.top + 2}, {b.right - 2, b.top + 2},
                {b.right - 2, b.bottom - 2}, {b.left + 2, b.bottom - 2}};
    return p;
}

}  // namespace mf
