#include "minefield/TCell.h"

namespace mf {

void TCell::SetBounds(int32_t x, int32_t y, int32_t w, int32_t h)
{
    bounds = {x, y, x + w - 1, y + h - 1};
}

void TCell::SetOrientation(bool) {}

bool TCell::IsUp() const { return true; }

Polygon TCell::Outline() const
{
    Polygon p;
    p.count = pointCount;
    for (int32_t i = 0; i < pointCount; ++i)
        p.points[size_t(i)] = points[size_t(i)];
    return p;
}

void TCell::SetPoints(std::initializer_list<Point> outline)
{
    pointCount = 0;
    for (const Point& pt : outline)
        points[size_t(pointCount++)] = pt;
}

EdgeRun TCell::Run(bool upper, std::initializer_list<Point> pts)
{
    EdgeRun run;
    run.upper = upper;
    for (const Point& pt : pts)
        run.points[size_t(run.count++)] = pt;
    return run;
}

}  // namespace mf
