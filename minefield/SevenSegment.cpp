#include "minefield/SevenSegment.h"

#include <string>

namespace mf {

namespace {

// top, lower right, upper right, bottom, upper left, lower left, middle
constexpr uint8_t kCodes[12][7] = {
    {1, 1, 1, 1, 1, 1, 0}, {0, 1, 1, 0, 0, 0, 0}, {1, 0, 1, 1, 0, 1, 1}, {1, 1, 1, 1, 0, 0, 1},
    {0, 1, 1, 0, 1, 0, 1}, {1, 1, 0, 1, 1, 0, 1}, {1, 1, 0, 1, 1, 1, 1}, {1, 1, 1, 0, 0, 0, 0},
    {1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 0, 1}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 1},
};

Polygon Make(std::initializer_list<Point> pts)
{
    Polygon p;
    for (const Point& pt : pts)
        p.points[size_t(p.count++)] = pt;
    return p;
}

}  // namespace

bool SegmentLit(int code, int segment)
{
    if (code < 0 || code > 11 || segment < 0 || segment > 6)
        return false;
    return kCodes[code][segment] != 0;
}

std::vector<int> SegmentCodes(int32_t value, int32_t digits)
{
    const std::string text = std::to_string(value);
    const int32_t n = int32_t(text.size());
    std::vector<int> codes;
    for (int32_t i = 1; i <= digits; ++i) {
        if (digits - i >= n) {
            codes.push_back(sevenseg::Blank);
            continue;
        }
        // text[i - 1 - (digits - n)]; with more characters than positions the
        // first ones fall off the left.
        const char ch = text[size_t(i - 1 - (digits - n))];
        codes.push_back(ch == '-' ? sevenseg::Minus : ch - '0');
    }
    return codes;
}

std::array<Polygon, 7> SegmentPolygons(Rect box, int32_t t, int32_t g)
{
    const int32_t L = box.left, T = box.top, R = box.right, B = box.bottom;
    const int32_t m = (T + B) / 2, hg = g / 2, ht = t / 2;
    return {
        Make({{L + g, T}, {L + t + g, T + t}, {R - t - g, T + t}, {R - g, T}}),
        Make({{R, B - g}, {R - t, B - t - g}, {R - t, m + hg + t}, {R, m + hg}}),
        Make({{R, m - hg}, {R - t, m - t - hg}, {R - t, T + t + g}, {R, T + g}}),
        Make({{L + g, B}, {L + t + g, B - t}, {R - t - g, B - t}, {R - g, B}}),
        Make({{L, T + g}, {L + t, T + t + g}, {L + t, m - t - hg}, {L, m - hg}}),
        Make({{L, m + hg}, {L + t, m + t + hg}, {L + t, B - t - g}, {L, B - g}}),
        Make({{L + g, m}, {L + g + ht, m - ht}, {R - g - ht, m - ht}, {R - g, m}, {R - g - ht, m + ht},
              {L + g + ht, m + ht}}),
    };
}

std::vector<Rect> DigitBoxes(Rect inner, const SevenSegmentLayout& layout)
{
    std::vector<Rect> boxes;
    if (layout.digits <= 0)
        return boxes;
    const int32_t dw = (inner.right - inner.left) / layout.digits;
    Rect box{inner.left + layout.spacing / 2, inner.top + layout.margin,
             inner.left + dw - layout.spacing / 2, inner.bottom - layout.margin};
    for (int32_t i = 0; i < layout.digits; ++i) {
        boxes.push_back(box);
        box.left += dw;
        box.right += dw;
    }
    return boxes;
}

}  // namespace mf
