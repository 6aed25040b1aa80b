#include "minefield/CellGrid.h"

#include <algorithm>
#include <cmath>

#include "minefield/TBrick.h"
#include "minefield/TDiamond.h"
#include "minefield/THex.h"
#include "minefield/TSquare.h"
#include "minefield/TTriangle.h"

namespace mf {

namespace {

std::unique_ptr<TCell> MakeCell(ShapeKind shape)
{
    switch (shape) {
    case ShapeKind::Diamond:
        return std::make_unique<TDiamond>();
    case ShapeKind::Brick:
        return std::make_unique<TBrick>();
    case ShapeKind::Triangle:
    case ShapeKind::Shifted:
        return std::make_unique<TTriangle>();
    case ShapeKind::Hexagon:
        return std::make_unique<THex>();
    case ShapeKind::Square:
        break;
    }
    return std::make_unique<TSquare>();
}

}  // namespace

CellGrid::CellGrid() { SetShape(ShapeKind::Square); }

void CellGrid::SetShape(ShapeKind shape)
{
    m_shape = shape;
    m_cells.clear();
    m_cells.reserve(size_t(MaxRows) * MaxColumns);
    for (int32_t i = 0; i < MaxRows * MaxColumns; ++i)
        m_cells.push_back(MakeCell(shape));
}

void CellGrid::Layout(int32_t columns, int32_t rows)
{
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            TCell& cell = At({c, r});
            if (IsTriangleShape(m_shape))
                cell.SetOrientation(CellPointsUp(m_shape, c, r));
            const CellBox box = CellRectangle(m_shape, c, r);
            cell.SetBounds(box.x, box.y, box.w, box.h);
        }
    }
}

CellPos CellGrid::HitTest(int32_t px, int32_t py, int32_t columns, int32_t rows) const
{
    const HitWindow win = HitTestWindow(m_shape, px, py);
    const int32_t c1 = std::min(columns, win.c0 + win.n);
    const int32_t r1 = std::min(rows, win.r0 + win.n);
    for (int32_t r = win.r0; r <= r1; ++r) {
        for (int32_t c = win.c0; c <= c1; ++c) {
            if (c < 0 || r < 0 || c >= columns || r >= rows)
                continue;
            if (At({c, r}).Contains(px, py))
                return {c, r};
        }
    }
    return {};
}

namespace {

struct Centre {
    double x = 0, y = 0;
};

// The mean of the outline's corners: the middle of a square, diamond or
// hexagon, and the centroid of a triangle, which is what the eye takes as
// its place.
Centre CentreOf(const TCell& cell)
{
    const Polygon outline = cell.Outline();
    Centre m;
    for (int32_t i = 0; i < outline.count; ++i) {
        m.x += outline.points[size_t(i)].x;
        m.y += outline.points[size_t(i)].y;
    }
    m.x /= outline.count;
    m.y /= outline.count;
    return m;
}

}  // namespace

CellPos CellGrid::Toward(CellPos from, Arrow arrow, int32_t columns, int32_t rows) const
{
    // Only neighbours within 50 degrees of the arrow count. A clearly nearer
    // one wins over a better aligned one: on diamonds the cell straight ahead
    // is a corner neighbour of the same row parity, and always taking it
    // would leave half the board out of reach. Distances within 15% of each
    // other are alike; then the better aligned wins (straight on across a
    // triangle's corner), then the one a quarter turn counter-clockwise, so
    // that the opposite arrow comes back.
    constexpr double kCone = 0.6427876;  // cos 50 degrees
    constexpr double kAlike = 0.85;
    const double ax = arrow == Arrow::Left ? -1.0 : arrow == Arrow::Right ? 1.0 : 0.0;
    const double ay = arrow == Arrow::Up ? -1.0 : arrow == Arrow::Down ? 1.0 : 0.0;
    const double sx = ay, sy = -ax;  // the counter-clockwise side on the screen, y downwards
    const Centre here = CentreOf(At(from));
    CellPos best = from;
    double bestDistance = 0, bestCos = 0, bestSide = 0;
    for (const CellPos& q : Neighbours(m_shape, from, At(from).IsUp(), columns, rows)) {
        const Centre there = CentreOf(At(q));
        const double dx = there.x - here.x, dy = there.y - here.y;
        const double distance = std::hypot(dx, dy);
        if (distance <= 0)
            continue;
        const double cos = (dx * ax + dy * ay) / distance;
        if (cos < kCone)
            continue;
        const double side = (dx * sx + dy * sy) / distance;
        bool better = best == from;
        if (!better && distance < bestDistance * kAlike)
            better = true;
        else if (!better && distance * kAlike <= bestDistance)
            better = cos > bestCos + 1e-9 || (cos > bestCos - 1e-9 && side > bestSide);
        if (better) {
            best = q;
            bestDistance = distance;
            bestCos = cos;
            bestSide = side;
        }
    }
    return best;
}

}  // namespace mf
