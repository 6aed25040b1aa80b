#pragma once
#include <cstdint>
#include <string_view>

namespace mf {

// The cell shape of a board; the number is also the SHAPE setting.
enum class ShapeKind : uint8_t {
    Square = 1,
    Diamond = 2,
    Brick = 3,
    Triangle = 4,
    Shifted = 5,
    Hexagon = 6,
};

constexpr int ShapeCount = 6;

// A stored number outside 1..6 gives the classic square board.
ShapeKind ShapeFromNumber(int number);
bool IsTriangleShape(ShapeKind shape);
// Settings section of the shape's best times, e.g. "SQUARE".
std::string_view ShapeKeyword(ShapeKind shape);
// Menu text with its mnemonic, e.g. "&Square (classic)".
std::string_view ShapeMenuText(ShapeKind shape);
// Name in the best-times caption, e.g. "Shifted Triangle".
std::string_view ShapeTitle(ShapeKind shape);

}  // namespace mf
