#pragma once
#include <cstdint>
#include <vector>

#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// One side of a piece: its knob as the piece sees it.
struct KnobShape {
    int8_t direction = 0;  // +1 tab, -1 hole, 0 none
    Rect16 rect;           // relative to the piece's bounding rectangle
    bool operator==(const KnobShape&) const = default;
};

// A piece as cutting made it and play left it, in numbers that do not
// depend on where its image lies in the piece sheet, so that a new game and
// the same game reopened from its saved game can be compared piece by piece.
struct PieceShape {
    int16_t index = 0;
    Point16 origin;   // the cell's top-left in the picture
    Point16 at;       // the cell's top-left on the table
    uint8_t rotation = 0;
    uint8_t joined = 0;
    uint8_t box = 0;
    Point16 size;     // bounding width and height
    Rect16 cell;      // relative to the bounding rectangle
    KnobShape knobs[4];
    bool operator==(const PieceShape&) const = default;
};

std::vector<PieceShape> DescribePieces(const Puz& puz);

// A 64-bit FNV-1a hash over every number of the pieces, in index order.
uint64_t DigestPieces(const std::vector<PieceShape>& pieces);

}  // namespace qv
