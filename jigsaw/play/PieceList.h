#pragma once
#include <cstdint>
#include <vector>

#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// The working set of every group operation: piece numbers, the smallest
// and largest drawing level among them, and their union rectangle on the
// surface, cached until the list or the pieces change.
class PieceList {
public:
    void clear();
    void add(const Puz& puz, int piece);
    bool contains(int piece) const;
    int size() const { return static_cast<int>(m_pieces.size()); }
    bool empty() const { return m_pieces.empty(); }
    const std::vector<int>& pieces() const { return m_pieces; }
    int operator[](int i) const { return m_pieces[i]; }
    int minLevel() const { return m_minLevel; }
    int maxLevel() const { return m_maxLevel; }
    // Union of the members' table rectangles; recomputed after invalidate().
    Rect16 bounds(const Puz& puz);
    void invalidate() { m_boundsValid = false; }

private:
    std::vector<int> m_pieces;
    int m_minLevel = 0;
    int m_maxLevel = -1;
    Rect16 m_bounds;
    bool m_boundsValid = false;
};

}  // namespace qv
