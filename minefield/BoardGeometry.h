#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "minefield/ShapeKind.h"

namespace mf {

// Fixed capacity of every board.
constexpr int32_t MaxColumns = 32;
constexpr int32_t MaxRows = 24;
constexpr int LevelCount = 5;

struct CellPos {
    int32_t c = -1;
    int32_t r = -1;
    bool IsCell() const { return c >= 0 && r >= 0; }
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

// Neighbour positions in a fixed visiting order, those off the board left out.
// The diamond's opening order names two cells twice, so it holds up to 12.
struct NeighbourList {
    std::array<CellPos, 14> items{};
    int32_t count = 0;
    const CellPos* begin() const { return items.data(); }
    const CellPos* end() const { return items.data() + count; }
};

// The arrow keys that move the keyboard cursor.
enum class Arrow { Left, Right, Up, Down };

struct CellBox {
    int32_t x = 0, y = 0, w = 0, h = 0;
};

struct ClientSize {
    int32_t width = 0, height = 0;
    friend bool operator==(const ClientSize&, const ClientSize&) = default;
};

struct Preset {
    int32_t width = 0, height = 0, mines = 0, shields = 0;
    friend bool operator==(const Preset&, const Preset&) = default;
};

// Search window of a hit test: columns c0..c0+n and rows r0..r0+n.
struct HitWindow {
    int32_t c0 = 0, r0 = 0, n = 0;
};

// The rectangle given to a cell's SetBounds.
CellBox CellRectangle(ShapeKind shape, int32_t c, int32_t r);
// Orientation of a triangle; meaningless (true) for other shapes.
bool CellPointsUp(ShapeKind shape, int32_t c, int32_t r);
// The board window's client size for W columns and H rows.
ClientSize BoardClientSize(ShapeKind shape, int32_t columns, int32_t rows);
// The preset of a level 0..4; none for any other level.
std::optional<Preset> PresetFor(int level, ShapeKind shape);
// Neighbours in the order mines are counted.
NeighbourList Neighbours(ShapeKind shape, CellPos centre, bool up, int32_t columns, int32_t rows);
// The same set in the order an empty area is opened.
NeighbourList FloodOrder(ShapeKind shape, CellPos centre, bool up, int32_t columns, int32_t rows);
HitWindow HitTestWindow(ShapeKind shape, int32_t px, int32_t py);

}  // namespace mf
