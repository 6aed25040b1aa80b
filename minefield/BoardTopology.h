#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "minefield/BoardGeometry.h"

namespace mf {

// The cells of a W x H board of one shape as a graph: cell i is column
// i mod W of row i / W, and its neighbours are those the game counts mines
// over, in the same order. The solver and the generator work on this, so
// every shape is one table lookup away and none is assumed square.
class BoardTopology {
public:
    BoardTopology(ShapeKind shape, int32_t columns, int32_t rows);

    ShapeKind Shape() const { return m_shape; }
    int32_t Columns() const { return m_columns; }
    int32_t Rows() const { return m_rows; }
    int32_t CellCount() const { return m_columns * m_rows; }

    int32_t Index(CellPos p) const { return p.r * m_columns + p.c; }
    CellPos Pos(int32_t index) const { return {index % m_columns, index / m_columns}; }
    std::span<const int32_t> Neighbours(int32_t index) const
    {
        return {m_links.data() + m_start[size_t(index)], m_links.data() + m_start[size_t(index) + 1]};
    }

private:
    ShapeKind m_shape;
    int32_t m_columns;
    int32_t m_rows;
    std::vector<int32_t> m_start;  // CellCount() + 1 offsets into m_links
    std::vector<int32_t> m_links;
};

}  // namespace mf
