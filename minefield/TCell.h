#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "minefield/Geometry.h"

namespace mf {

// Content codes of a cell's value. Counts 0..12 are safe cells (only
// triangle boards exceed 8); the marks 20, 21 and 30 appear at the end of a
// game or after a shield hit.
namespace cell {
constexpr int8_t Mine = -1;
constexpr int8_t LostMine = 20;   // the mine whose opening lost the game
constexpr int8_t WrongFlag = 21;  // flagged, held no mine; shown on a loss
constexpr int8_t ShieldMine = 30; // opened while a shield was left
}  // namespace cell

// One stretch of a cell's outline drawn with one pen: the upper run takes the
// light pen on a raised cell, the lower run the dark one (reversed when the
// cell is sunken).
struct EdgeRun {
    std::array<Point, 5> points{};
    int32_t count = 0;
    bool upper = false;
};

// One position of the board grid. The shape classes place the outline and
// give the edge runs; the game owns value, state and the flag.
class TCell {
public:
    Rect bounds;
    std::array<Point, 8> points{};
    int32_t pointCount = 4;
    int8_t value = 0;
    uint8_t state = 0;  // 0 covered, 1 open or shown pressed
    // A flag is kept apart from value, so that a count of 10 to 12 on a
    // triangle board can never be taken for a flag.
    bool flagged = false;
    // The "?" of a player not sure yet: no flag, and the cell opens as usual.
    bool marked = false;

    virtual ~TCell() = default;

    // Stores the bounds of the rectangle (x, y, w, h) and lays the outline.
    virtual void SetBounds(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void SetOrientation(bool up);
    virtual bool IsUp() const;
    // The two runs of the outline in the order they are drawn.
    virtual std::array<EdgeRun, 2> EdgeRuns() const = 0;
    // The outline moved 2 pixels inwards: the area a repaint restores when a
    // flag is taken off or a shield mark is put on.
    virtual Polygon InsetOutline() const = 0;

    Polygon Outline() const;
    bool Contains(int32_t px, int32_t py) const { return Outline().Contains(px, py); }
    bool IsMine() const { return value == cell::Mine; }
    bool IsCount() const { return value >= 0 && value <= 12; }
    // Flagged or carrying an end-of-game or shield mark: the mouse leaves it.
    bool IsBlocked() const { return flagged || value >= cell::LostMine; }

protected:
    void SetPoints(std::initializer_list<Point> outline);
    static EdgeRun Run(bool upper, std::initializer_list<Point> pts);
};

}  // namespace mf
