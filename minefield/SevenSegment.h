#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "minefield/Geometry.h"

namespace mf {

// The segments of a seven-segment digit, in the order of the code table.
enum Segment { SegTop, SegLowerRight, SegUpperRight, SegBottom, SegUpperLeft, SegLowerLeft, SegMiddle };

namespace sevenseg {
constexpr int Blank = 10;
constexpr int Minus = 11;
}  // namespace sevenseg

// Whether segment s is lit for code 0..11 (digits, blank, minus).
bool SegmentLit(int code, int segment);

// The code of every digit position, left to right, of a value shown on
// `digits` positions: right-aligned, blanks before, a minus for negative
// values; a value too long shows its last characters.
std::vector<int> SegmentCodes(int32_t value, int32_t digits);

// The seven polygons of one digit box (left, top, right, bottom) for segment
// thickness t and gap g.
std::array<Polygon, 7> SegmentPolygons(Rect box, int32_t thickness, int32_t gap);

struct SevenSegmentLayout {
    int32_t thickness = 5;
    int32_t gap = 2;
    int32_t spacing = 8;
    int32_t margin = 2;
    int32_t digits = 5;
};

// The digit boxes inside the inner rectangle (iL, iT, iR, iB) of the gadget.
std::vector<Rect> DigitBoxes(Rect inner, const SevenSegmentLayout& layout);

}  // namespace mf
