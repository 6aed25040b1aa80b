#include "minefield/CellGrid.h"

#include <algorithm>

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

}  // namespace mf
