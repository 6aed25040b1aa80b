#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "jigsaw/document/CutRandom.h"
#include "jigsaw/document/Rect16.h"
#include "jigsaw/document/SPuz.h"

namespace qv {

class Puz;

// Occupancy of a container, in square cells of c pixels: one bit a cell.
class OccupancyGrid {
public:
    static constexpr int NotFound = -9999;

    OccupancyGrid(int width, int height, int cell);

    // Cell size for pieces of the nominal size: 8, or less for tiny pieces.
    static int cellSizeFor(int pieceWidth, int pieceHeight);

    int cell() const { return m_cell; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    void clear();

    // Every cell the rectangle (pixels) touches becomes occupied.
    void Mark(int x, int y, int w, int h);
    // No occupied cell in the rectangle (cells); cells outside the grid count as occupied.
    bool IsFree(int cx, int cy, int cw, int ch) const;
    bool isOccupied(int cx, int cy) const { return m_bits[static_cast<size_t>(cy) * m_columns + cx]; }
    // A free spot for w x h pixels in pixels, or (NotFound, NotFound). With
    // band > 0 the search reads the grid in order from at most band rows
    // above the last find; otherwise it starts at a random cell.
    void FindPlace(int w, int h, int band, CutRandom& rng, int& x, int& y);

private:
    // The first column in from .. to - 1 of the row where a cw x ch spot is free, or -1.
    int firstFit(int row, int from, int to, int cw, int ch) const;
    // The rightmost occupied column of the spot, or -1 when it is free.
    int lastOccupied(int cx, int cy, int cw, int ch) const;

    int m_cell;
    int m_columns;
    int m_rows;
    std::vector<uint8_t> m_bits;
    int m_lastColumn = -1;
    int m_lastRow = -1;
};

// The surface pieces are spread over: its whole scrollable size and the
// areas it keeps free (for the table, the picture area and the play
// window's fixed areas).
struct ScatterArea {
    int width = 0;
    int height = 0;
    uint8_t container = SPuz::OnTable;
    std::vector<Rect16> reserved;
};

// Spreads the free pieces of the container (in it, not marked, no joined
// side) without overlap. landed is called for each piece as it lands when
// given (drawing on). Returns 1 when every free piece got a place, 0 when
// it gave up (some pieces may then overlap).
int Scatter(Puz& puz, const ScatterArea& area, const std::function<void(const SPuz&)>& landed, bool wholeTable,
            const std::vector<Rect16>& extra = {});

// What opening a new game does: scatter outside the reserved areas (over
// the whole table with ScatterFull), and over the whole table once more
// when that gave up.
void scatterNewGame(Puz& puz, const ScatterArea& area);

}  // namespace qv
