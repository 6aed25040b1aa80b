#pragma once
#include <memory>
#include <vector>

#include "minefield/BoardGeometry.h"
#include "minefield/TCell.h"

namespace mf {

// The 24 x 32 cells of a board, all of the class of the current shape, and
// the mapping of client pixels to them.
class CellGrid {
public:
    CellGrid();

    // Destroys every cell and makes them again of the class of the shape.
    void SetShape(ShapeKind shape);
    ShapeKind Shape() const { return m_shape; }

    // Places the first columns x rows cells: orientation first (triangles),
    // then bounds.
    void Layout(int32_t columns, int32_t rows);

    TCell& At(CellPos p) { return *m_cells[Index(p)]; }
    const TCell& At(CellPos p) const { return *m_cells[Index(p)]; }

    // The cell of columns x rows whose outline holds the point, or (-1, -1).
    CellPos HitTest(int32_t px, int32_t py, int32_t columns, int32_t rows) const;

    // The neighbour the arrow moves the keyboard cursor to, or the cell itself
    // when no neighbour lies that way. Needs the cells laid out.
    CellPos Toward(CellPos from, Arrow arrow, int32_t columns, int32_t rows) const;

private:
    static size_t Index(CellPos p) { return size_t(p.r) * MaxColumns + size_t(p.c); }

    ShapeKind m_shape = ShapeKind::Square;
    std::vector<std::unique_ptr<TCell>> m_cells;
};

}  // namespace mf
