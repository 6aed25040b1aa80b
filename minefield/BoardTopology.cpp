#include "minefield/BoardTopology.h"

#include <algorithm>

namespace mf {

BoardTopology::BoardTopology(ShapeKind shape, int32_t columns, int32_t rows)
    : m_shape(shape), m_columns(std::clamp(columns, 1, MaxColumns)), m_rows(std::clamp(rows, 1, MaxRows))
{
    m_start.reserve(size_t(CellCount()) + 1);
    m_start.push_back(0);
    for (int32_t i = 0; i < CellCount(); ++i) {
        const CellPos p = Pos(i);
        // Orientation from the position, as the game counts before laying out.
        for (const CellPos& q : mf::Neighbours(shape, p, CellPointsUp(shape, p.c, p.r), m_columns, m_rows))
            m_links.push_back(Index(q));
        m_start.push_back(int32_t(m_links.size()));
    }
}

}  // namespace mf
