#include "minefield/ShapeKind.h"

namespace mf {

namespace {

struct ShapeNames {
    std::string_view keyword;
    std::string_view menu;
    std::string_view title;
};

constexpr ShapeNames kNames[ShapeCount] = {
    {"SQUARE", "&Square (classic)", "Square"},
    {"DIAMOND", "&Diamond", "Diamond"},
    {"BRICK", "&Brick", "Brick"},
    {"TRIANGLE", "&Triangle", "Triangle"},
    {"SHIFTED", "S&hifted Triangle", "Shifted Triangle"},
    {"HEXAGON", "&Hexagon", "Hexagon"},
};

const ShapeNames& Names(ShapeKind shape)
{
    return kNames[int(shape) - 1];
}

}  // namespace

ShapeKind ShapeFromNumber(int number)
{
    if (number < 1 || number > ShapeCount)
        return ShapeKind::Square;
    return ShapeKind(number);
}

bool IsTriangleShape(ShapeKind shape)
{
    return shape == ShapeKind::Triangle || shape == ShapeKind::Shifted;
}

std::string_view ShapeKeyword(ShapeKind shape) { return Names(shape).keyword; }
std::string_view ShapeMenuText(ShapeKind shape) { return Names(shape).menu; }
std::string_view ShapeTitle(ShapeKind shape) { return Names(shape).title; }

}  // namespace mf
