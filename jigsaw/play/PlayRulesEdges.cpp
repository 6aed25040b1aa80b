// The edge view of the rules: which groups it dims and how the pointer
// passes through them. The rest of PlayRules is in PlayRules.cpp and
// PlayRulesHelps.cpp.
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlayRules.h"

namespace qv {

bool PlayRules::hasBorderSide(const SPuz& s)
{
    for (int16_t n : s.neighbour)
        if (n < 0)
            return true;
    return false;
}

std::vector<bool> PlayRules::dimmedPieces() const
{
    if (!m_edgeView)
        return {};
    const std::vector<int> label = groupLabels();
    std::vector<bool> edgeGroup(m_puz.pieces.size(), false);
    for (const SPuz& s : m_puz.pieces)
        if (hasBorderSide(s))
            edgeGroup[label[s.index]] = true;
    std::vector<bool> dim(m_puz.pieces.size(), false);
    for (const SPuz& s : m_puz.pieces)
        dim[s.index] = !edgeGroup[label[s.index]];
    return dim;
}

// As PieceAt, leaving out what the view dims: the pointer reaches the edge
// pieces lying below them.
int PlayRules::edgeViewHit(uint8_t surface, Point16 point) const
{
    const std::vector<bool> dim = dimmedPieces();
    for (int16_t index : m_puz.order) {
        if (index < 0 || index >= m_puz.pieceCount() || dim[index])
            continue;
        const SPuz& p = at(index);
        const Rect16& t = p.table;
        if (p.box != surface || point.x < t.x || point.y < t.y || point.x > t.right() || point.y > t.bottom())
            continue;
        const int mx = p.bounding.x + point.x - t.x, my = p.bounding.y + point.y - t.y;
        if (m_puz.maskSheet.contains(mx, my) && m_puz.maskSheet.pixel(mx, my) == kMaskPiece)
            return index;
    }
    return NoPiece;
}

}  // namespace qv
