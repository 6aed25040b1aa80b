#include "jigsaw/play/PieceList.h"

#include <algorithm>

#include "jigsaw/document/Puz.h"

namespace qv {

void PieceList::clear()
{
    m_pieces.clear();
    m_minLevel = 0;
    m_maxLevel = -1;
    m_boundsValid = false;
}

void PieceList::add(const Puz& puz, int piece)
{
    const int level = puz.pieces[piece].orderPos;
    if (m_pieces.empty()) {
        m_minLevel = m_maxLevel = level;
    } else {
        m_minLevel = std::min(m_minLevel, level);
        m_maxLevel = std::max(m_maxLevel, level);
    }
    m_pieces.push_back(piece);
    m_boundsValid = false;
}

bool PieceList::contains(int piece) const
{
    return std::find(m_pieces.begin(), m_pieces.end(), piece) != m_pieces.end();
}

Rect16 PieceList::bounds(const Puz& puz)
{
    if (m_boundsValid)
        return m_bounds;
    m_bounds = {};
    for (size_t i = 0; i < m_pieces.size(); ++i) {
        const Rect16& r = puz.pieces[m_pieces[i]].table;
        m_bounds = i == 0 ? r : unite(m_bounds, r);
    }
    m_boundsValid = true;
    return m_bounds;
}

}  // namespace qv
