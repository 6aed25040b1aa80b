#include "minefield/BoardGeometry.h"

#include <initializer_list>

namespace mf {

namespace {

struct Offset {
    int32_t dc, dr;
};

class ListBuilder {
public:
    ListBuilder(CellPos centre, int32_t columns, int32_t rows)
        : m_centre(centre), m_columns(columns), m_rows(rows) {}

    void Add(std::initializer_list<Offset> offsets)
    {
        for (const Offset& o : offsets) {
            const CellPos p{m_centre.c + o.dc, m_centre.r + o.dr};
            if (p.c < 0 || p.c >= m_columns || p.r < 0 || p.r >= m_rows)
                continue;
            m_list.items[size_t(m_list.count++)] = p;
        }
    }
    NeighbourList Result() const { return m_list; }

private:
    CellPos m_centre;
    int32_t m_columns, m_rows;
    NeighbourList m_list;
};

bool IsEven(int32_t v) { return v % 2 == 0; }

}  // namespace

CellBox CellRectangle(ShapeKind shape, int32_t c, int32_t r)
{
    switch (shape) {
    case ShapeKind::Square:
        return {18 * c + 6, 18 * r + 6, 18, 18};
    case ShapeKind::Diamond:
        // Rows come in pairs; the odd row sits half a diamond right and down.
        if (IsEven(r))
            return {28 * c + 5, 28 * (r / 2) + 5, 27, 27};
        return {28 * c + 19, 28 * (r / 2) + 19, 27, 27};
    case ShapeKind::Brick:
        return {18 * c + (IsEven(r) ? 5 : 14), 18 * r + 5, 18, 18};
    case ShapeKind::Triangle:
    case ShapeKind::Shifted:
        return {(36 * c) / 2 + 5, 25 * r + 5, 36, 25};
    case ShapeKind::Hexagon:
        if (IsEven(c))
            return {21 * c + 5, 23 * r + 5, 27, 23};
        return {21 * c + 5, int32_t(23.0 * (r + 0.5) + 5), 27, 23};
    }
    return {};
}

bool CellPointsUp(ShapeKind shape, int32_t c, int32_t r)
{
    if (shape == ShapeKind::Triangle)
        return !IsEven(r + c);
    if (shape == ShapeKind::Shifted)
        return !IsEven(c);
    return true;
}

ClientSize BoardClientSize(ShapeKind shape, int32_t w, int32_t h)
{
    switch (shape) {
    case ShapeKind::Square:
        return {18 * w + 10, 18 * h + 11};
    case ShapeKind::Diamond:
        return {int32_t((w + 0.5) * 28 + 10), (28 * h) / 2 + 25};
    case ShapeKind::Brick:
        return {18 * w + 19, 18 * h + 11};
    case ShapeKind::Triangle:
    case ShapeKind::Shifted:
        return {(36 * w) / 2 + 28, 25 * h + 11};
    case ShapeKind::Hexagon:
        return {21 * w + 16, int32_t((h + 0.5) * 23 + 10)};
    }
    return {};
}

std::optional<Preset> PresetFor(int level, ShapeKind shape)
{
    if (level < 0 || level >= LevelCount)
        return std::nullopt;
    struct Size {
        int32_t w, h;
    };
    static constexpr Size kDiamond[LevelCount] = {{12, 8}, {10, 16}, {12, 20}, {18, 20}, {20, 24}};
    static constexpr Size kTriangle[LevelCount] = {{12, 8}, {16, 10}, {20, 12}, {26, 14}, {32, 15}};
    static constexpr Size kOther[LevelCount] = {{12, 8}, {16, 10}, {20, 12}, {26, 16}, {30, 16}};
    static constexpr int32_t kMinesShifted[LevelCount] = {16, 25, 40, 60, 80};
    static constexpr int32_t kMinesTriangle[LevelCount] = {10, 16, 24, 36, 48};
    static constexpr int32_t kMinesOther[LevelCount] = {20, 35, 50, 80, 100};
    static constexpr int32_t kShields[LevelCount] = {1, 2, 2, 3, 3};

    Size size = kOther[level];
    int32_t mines = kMinesOther[level];
    if (shape == ShapeKind::Diamond) {
        size = kDiamond[level];
    } else if (shape == ShapeKind::Triangle) {
        size = kTriangle[level];
        mines = kMinesTriangle[level];
    } else if (shape == ShapeKind::Shifted) {
        size = kTriangle[level];
        mines = kMinesShifted[level];
    }
    return Preset{size.w, size.h, mines, kShields[level]};
}

NeighbourList Neighbours(ShapeKind shape, CellPos centre, bool up, int32_t columns, int32_t rows)
{
    ListBuilder b(centre, columns, rows);
    const bool evenRow = IsEven(centre.r);
    switch (shape) {
    case ShapeKind::Square:
        b.Add({{-1, 0}, {0, -1}, {-1, -1}, {-1, 1}, {0, 1}, {1, 0}, {1, -1}, {1, 1}});
        break;
    case ShapeKind::Diamond:
        b.Add({{-1, 0}, {1, 0}, {0, -1}, {0, 1}});
        if (evenRow)
            b.Add({{-1, -1}, {-1, 1}});
        b.Add({{0, -2}, {0, 2}});
        if (!evenRow)
            b.Add({{1, -1}, {1, 1}});
        break;
    case ShapeKind::Brick:
        b.Add({{-1, 0}, {0, -1}, {0, 1}, {1, 0}});
        if (evenRow)
            b.Add({{-1, -1}, {-1, 1}});
        else
            b.Add({{1, -1}, {1, 1}});
        break;
    case ShapeKind::Triangle:
        b.Add({{-1, 0}, {-2, 0}, {1, 0}, {2, 0}, {0, -1}, {-1, -1}, {1, -1}});
        if (!up)
            b.Add({{-2, -1}, {2, -1}});
        b.Add({{0, 1}, {-1, 1}, {1, 1}});
        if (up)
            b.Add({{-2, 1}, {2, 1}});
        break;
    case ShapeKind::Shifted:
        b.Add({{-1, 0}, {-2, 0}, {1, 0}, {2, 0}, {0, -1}});
        if (!up)
            b.Add({{-1, -1}, {1, -1}});
        b.Add({{0, 1}});
        if (up)
            b.Add({{-1, 1}, {1, 1}});
        break;
    case ShapeKind::Hexagon:
        b.Add({{-1, 0}, {0, -1}, {0, 1}, {1, 0}});
        if (IsEven(centre.c))
            b.Add({{-1, -1}, {1, -1}});
        else
            b.Add({{-1, 1}, {1, 1}});
        break;
    }
    return b.Result();
}

NeighbourList FloodOrder(ShapeKind shape, CellPos centre, bool up, int32_t columns, int32_t rows)
{
    ListBuilder b(centre, columns, rows);
    const bool evenRow = IsEven(centre.r);
    const bool evenColumn = IsEven(centre.c);
    switch (shape) {
    case ShapeKind::Square:
        b.Add({{-1, 0}, {0, -1}, {-1, -1}, {-1, 1}, {0, 1}, {1, 0}, {1, -1}, {1, 1}});
        break;
    case ShapeKind::Diamond:
        // (c-1, r) and (c+1, r) come twice; the second visit finds them open.
        b.Add({{-1, 0}});
        if (evenRow)
            b.Add({{-1, -1}, {-1, 1}});
        b.Add({{0, -2}, {0, 2}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}, {1, 0}});
        if (!evenRow)
            b.Add({{1, -1}, {1, 1}});
        break;
    case ShapeKind::Brick:
        b.Add({{-1, 0}});
        if (evenRow)
            b.Add({{-1, -1}, {-1, 1}});
        b.Add({{0, -1}, {0, 1}, {1, 0}});
        if (!evenRow)
            b.Add({{1, -1}, {1, 1}});
        break;
    case ShapeKind::Triangle:
        b.Add({{-1, 0}, {-1, -1}, {-1, 1}, {-2, 0}});
        b.Add({{-2, up ? 1 : -1}});
        b.Add({{1, 0}, {1, -1}, {1, 1}, {2, 0}});
        b.Add({{2, up ? 1 : -1}});
        b.Add({{0, -1}, {0, 1}});
        break;
    case ShapeKind::Shifted:
        b.Add({{-1, 0}, {-1, up ? 1 : -1}, {-2, 0}});
        b.Add({{1, 0}, {1, up ? 1 : -1}, {2, 0}});
        b.Add({{0, -1}, {0, 1}});
        break;
    case ShapeKind::Hexagon:
        b.Add({{-1, 0}, {-1, evenColumn ? -1 : 1}, {0, -1}, {0, 1}});
        b.Add({{1, 0}, {1, evenColumn ? -1 : 1}});
        break;
    }
    return b.Result();
}

HitWindow HitTestWindow(ShapeKind shape, int32_t px, int32_t py)
{
    switch (shape) {
    case ShapeKind::Square:
        return {px / 18 - 1, py / 18 - 1, 2};
    case ShapeKind::Diamond:
        return {px / 28 - 1, ((py - 13) * 2) / 28 - 1, 2};
    case ShapeKind::Brick:
        return {px / 18 - 1, (py - 9) / 18 - 1, 2};
    case ShapeKind::Triangle:
    case ShapeKind::Shifted:
        // One column further left than (2px)/36 - 1: the top corner of a
        // downward triangle reaches 33 pixels right of its left bound, past
        // the next-but-one column's start, and would otherwise hit nothing.
        return {(2 * px) / 36 - 2, py / 25 - 1, 4};
    case ShapeKind::Hexagon:
        return {px / 21 - 2, py / 23 - 2, 3};
    }
    return {};
}

}  // namespace mf
