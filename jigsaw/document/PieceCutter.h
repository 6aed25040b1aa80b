#pragma once
#include "framework/Status.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;
class CutRandom;

// The steps of cutting that shape the pieces: the grid of cells, the first
// rotations and the knobs. Every draw from the generator, kept or thrown
// away, happens in a fixed order: a saved game is re-cut from its seed and
// must get the same pieces.
//
// All arithmetic follows one rule: integer divisions truncate, floating
// steps are done in double, except that the cell width and height are first
// rounded to float.
class PieceCutter {
public:
    PieceCutter(Puz& puz, CutRandom& rng) : m_puz(puz), m_rng(rng) {}

    // Cells, neighbours and the identity order for the current size index.
    // Fails with 1004 (no grid) or 1003 (cells below one pixel or more
    // pieces than piece numbers can count); out of memory resets nothing,
    // the caller does.
    fw::Status makeGrid();
    // One rotation per piece unless NoRotable; a saved game (keep = true)
    // makes the same draws and keeps the rotations it has.
    void drawRotations(bool keep);
    // A knob on every inner edge that finds room, right side then bottom
    // side of each piece in index order.
    void placeKnobs();

private:
    struct Edge;
    void placeKnob(int piece, int side);
    int chooseExtent(const Edge& e, int size, int tries);
    bool clearanceFree(const Rect16& knob, int owner) const;

    Puz& m_puz;
    CutRandom& m_rng;
};

}  // namespace qv
