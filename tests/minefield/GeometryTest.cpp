#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "minefield/BoardGeometry.h"
#include "minefield/CellGrid.h"
#include "minefield/THex.h"
#include "minefield/TTriangle.h"

using namespace mf;

namespace {

constexpr ShapeKind kShapes[] = {ShapeKind::Square,   ShapeKind::Diamond, ShapeKind::Brick,
                                 ShapeKind::Triangle, ShapeKind::Shifted, ShapeKind::Hexagon};

Preset Expert(ShapeKind shape) { return *PresetFor(4, shape); }

std::set<std::pair<int, int>> AsSet(const NeighbourList& list)
{
    std::set<std::pair<int, int>> s;
    for (const CellPos& p : list)
        s.insert({p.c, p.r});
    return s;
}

NeighbourList NeighboursOf(ShapeKind shape, CellPos p, int32_t w, int32_t h)
{
    return Neighbours(shape, p, CellPointsUp(shape, p.c, p.r), w, h);
}

}  // namespace

TEST(Geometry, NeighbourCountsAtCornersEdgesAndInside)
{
    struct Case {
        ShapeKind shape;
        CellPos cell;
        int count;
    };
    const Case cases[] = {
        {ShapeKind::Square, {0, 0}, 3},    {ShapeKind::Square, {5, 0}, 5},
        {ShapeKind::Square, {5, 5}, 8},    {ShapeKind::Hexagon, {0, 0}, 2},
        {ShapeKind::Hexagon, {5, 5}, 6},   {ShapeKind::Brick, {5, 5}, 6},
        {ShapeKind::Diamond, {5, 5}, 8},   {ShapeKind::Diamond, {0, 0}, 3},
        {ShapeKind::Triangle, {5, 5}, 12}, {ShapeKind::Triangle, {6, 5}, 12},
        {ShapeKind::Shifted, {5, 5}, 8},   {ShapeKind::Shifted, {6, 5}, 8},
        {ShapeKind::Triangle, {0, 0}, 4},  {ShapeKind::Shifted, {0, 0}, 3},
        {ShapeKind::Triangle, {1, 0}, 7},  {ShapeKind::Shifted, {1, 0}, 6},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(NeighboursOf(k.shape, k.cell, 12, 12).count, k.count)
            << ShapeKeyword(k.shape) << " (" << k.cell.c << ", " << k.cell.r << ")";
    }
    using S = std::set<std::pair<int, int>>;
    EXPECT_EQ(AsSet(NeighboursOf(ShapeKind::Hexagon, {0, 0}, 12, 12)), (S{{0, 1}, {1, 0}}));
}

TEST(Geometry, DiamondSideNeighboursStopAtTheBoardEdges)
{
    const int32_t w = 6, h = 8;
    // Even row, column 0: nothing at (c-1, r+-1).
    EXPECT_EQ(AsSet(NeighboursOf(ShapeKind::Diamond, {0, 2}, w, h)),
              (std::set<std::pair<int, int>>{{1, 2}, {0, 1}, {0, 3}, {0, 0}, {0, 4}}));
    // Odd row, last column: nothing at (c+1, r+-1).
    EXPECT_EQ(AsSet(NeighboursOf(ShapeKind::Diamond, {5, 3}, w, h)),
              (std::set<std::pair<int, int>>{{4, 3}, {5, 2}, {5, 4}, {5, 1}, {5, 5}}));
    // (c, r-2) exists from the third row on.
    EXPECT_FALSE(AsSet(NeighboursOf(ShapeKind::Diamond, {2, 1}, w, h)).count({2, -1}));
    EXPECT_TRUE(AsSet(NeighboursOf(ShapeKind::Diamond, {2, 2}, w, h)).count({2, 0}));
}

// Each list must be symmetric (a touches b exactly when b touches a), and the
// opening order must visit the same set as the counting order: a typo in any
// table breaks one of these.
TEST(Geometry, NeighbourListsAreSymmetricAndFloodVisitsTheSameSet)
{
    for (ShapeKind shape : kShapes) {
        const Preset p = Expert(shape);
        for (int32_t r = 0; r < p.height; ++r) {
            for (int32_t c = 0; c < p.width; ++c) {
                const bool up = CellPointsUp(shape, c, r);
                const NeighbourList around = Neighbours(shape, {c, r}, up, p.width, p.height);
                for (const CellPos& n : around) {
                    EXPECT_TRUE(AsSet(NeighboursOf(shape, n, p.width, p.height)).count({c, r}))
                        << ShapeKeyword(shape) << " " << c << "," << r << " -> " << n.c << "," << n.r;
                }
                EXPECT_EQ(AsSet(around), AsSet(FloodOrder(shape, {c, r}, up, p.width, p.height)))
                    << ShapeKeyword(shape) << " " << c << "," << r;
            }
        }
    }
}

TEST(Geometry, TriangleOrientationPerBoard)
{
    EXPECT_FALSE(CellPointsUp(ShapeKind::Triangle, 0, 0));
    EXPECT_TRUE(CellPointsUp(ShapeKind::Triangle, 1, 0));
    EXPECT_TRUE(CellPointsUp(ShapeKind::Triangle, 0, 1));
    EXPECT_FALSE(CellPointsUp(ShapeKind::Triangle, 1, 1));
    for (int32_t r = 0; r < 15; ++r) {
        EXPECT_FALSE(CellPointsUp(ShapeKind::Shifted, 0, r));
        EXPECT_TRUE(CellPointsUp(ShapeKind::Shifted, 1, r));
    }
}

TEST(Geometry, OutlinesOfEveryShape)
{
    CellGrid grid;
    grid.SetShape(ShapeKind::Diamond);
    grid.Layout(4, 4);
    const TCell& d = grid.At({0, 1});  // odd row: 14 right and down
    EXPECT_EQ(d.bounds, (Rect{19, 19, 45, 45}));
    EXPECT_EQ(d.Outline().points[0], (Point{19, 32}));
    EXPECT_EQ(d.Outline().points[3], (Point{32, 45}));

    grid.SetShape(ShapeKind::Triangle);
    grid.Layout(4, 4);
    const TCell& up = grid.At({1, 0});
    const TCell& down = grid.At({0, 0});
    const int32_t L = up.bounds.left;
    EXPECT_EQ(up.pointCount, 3);
    EXPECT_EQ(up.points[1], (Point{L + 16, up.bounds.top}));
    EXPECT_EQ(up.points[2], (Point{L + 33, up.bounds.bottom}));
    EXPECT_EQ(down.points[0], (Point{down.bounds.left + 33, down.bounds.top}));
    EXPECT_TRUE(up.EdgeRuns()[0].upper);
    EXPECT_FALSE(down.EdgeRuns()[0].upper);  // a downward triangle starts with its right slant

    grid.SetShape(ShapeKind::Hexagon);
    grid.Layout(4, 4);
    const TCell& h = grid.At({1, 0});
    EXPECT_EQ(THex::SlantWidth(22), 6);
    EXPECT_EQ(h.bounds, (Rect{26, 16, 52, 38}));
    EXPECT_EQ(h.points[1], (Point{26 + 6, 16}));
    EXPECT_EQ(h.points[2], (Point{26 + 20, 16}));
    const Polygon inset = h.InsetOutline();
    EXPECT_EQ(inset.points[0], (Point{28, 27}));
    EXPECT_EQ(inset.points[4], (Point{46, 36}));
}

TEST(Geometry, ExpertBoardsAndClientSizes)
{
    EXPECT_EQ(Expert(ShapeKind::Triangle), (Preset{32, 15, 48, 3}));
    EXPECT_EQ(Expert(ShapeKind::Diamond), (Preset{20, 24, 100, 3}));
    EXPECT_EQ(Expert(ShapeKind::Shifted).mines, 80);
    EXPECT_EQ(*PresetFor(0, ShapeKind::Hexagon), (Preset{12, 8, 20, 1}));
    EXPECT_FALSE(PresetFor(5, ShapeKind::Square));
    EXPECT_FALSE(PresetFor(-1, ShapeKind::Square));

    EXPECT_EQ(BoardClientSize(ShapeKind::Square, 30, 16), (ClientSize{550, 299}));
    EXPECT_EQ(BoardClientSize(ShapeKind::Diamond, 20, 24), (ClientSize{584, 361}));
    EXPECT_EQ(BoardClientSize(ShapeKind::Brick, 30, 16), (ClientSize{559, 299}));
    EXPECT_EQ(BoardClientSize(ShapeKind::Triangle, 32, 15), (ClientSize{604, 386}));
    EXPECT_EQ(BoardClientSize(ShapeKind::Hexagon, 30, 16), (ClientSize{646, 389}));
    // Every Expert cell lies inside the board's client area.
    for (ShapeKind shape : kShapes) {
        const Preset p = Expert(shape);
        const ClientSize size = BoardClientSize(shape, p.width, p.height);
        CellGrid grid;
        grid.SetShape(shape);
        grid.Layout(p.width, p.height);
        const TCell& last = grid.At({p.width - 1, p.height - 1});
        EXPECT_LT(last.bounds.right, size.width) << ShapeKeyword(shape);
        EXPECT_LT(last.bounds.bottom, size.height) << ShapeKeyword(shape);
    }
}

TEST(Geometry, HitTestLeftOfAndAboveTheFirstCellFindsNothing)
{
    for (ShapeKind shape : kShapes) {
        CellGrid grid;
        grid.SetShape(shape);
        grid.Layout(12, 8);
        for (Point pt : {Point{0, 0}, Point{2, 40}, Point{40, 2}, Point{-5, -5}, Point{-100, 30}})
            EXPECT_EQ(grid.HitTest(pt.x, pt.y, 12, 8), (CellPos{-1, -1})) << ShapeKeyword(shape);
    }
}

// Every pixel of an Expert board lies in at most one outline; the hit test
// finds exactly that cell (so its search window never misses one), and the
// centre pixel of a cell belongs to that cell.
TEST(Geometry, EveryPixelMapsToAtMostOneCell)
{
    for (ShapeKind shape : kShapes) {
        const Preset p = Expert(shape);
        const ClientSize size = BoardClientSize(shape, p.width, p.height);
        CellGrid grid;
        grid.SetShape(shape);
        grid.Layout(p.width, p.height);

        std::vector<int> owners(size_t(size.width) * size_t(size.height), 0);
        std::vector<CellPos> owner(owners.size());
        for (int32_t r = 0; r < p.height; ++r) {
            for (int32_t c = 0; c < p.width; ++c) {
                const TCell& cell = grid.At({c, r});
                for (int32_t y = cell.bounds.top; y <= cell.bounds.bottom; ++y) {
                    for (int32_t x = cell.bounds.left; x <= cell.bounds.right; ++x) {
                        if (!cell.Contains(x, y))
                            continue;
                        const size_t i = size_t(y) * size_t(size.width) + size_t(x);
                        ++owners[i];
                        owner[i] = {c, r};
                    }
                }
                const int32_t cx = cell.bounds.left + (cell.bounds.right - cell.bounds.left) / 2;
                const int32_t cy = cell.bounds.top + (cell.bounds.bottom - cell.bounds.top) / 2;
                EXPECT_EQ(grid.HitTest(cx, cy, p.width, p.height), (CellPos{c, r}))
                    << ShapeKeyword(shape) << " centre of " << c << "," << r;
            }
        }
        int mismatches = 0, overlaps = 0;
        for (int32_t y = 0; y < size.height; ++y) {
            for (int32_t x = 0; x < size.width; ++x) {
                const size_t i = size_t(y) * size_t(size.width) + size_t(x);
                overlaps += owners[i] > 1;
                const CellPos expected = owners[i] ? owner[i] : CellPos{};
                mismatches += !(grid.HitTest(x, y, p.width, p.height) == expected);
            }
        }
        EXPECT_EQ(overlaps, 0) << ShapeKeyword(shape);
        EXPECT_EQ(mismatches, 0) << ShapeKeyword(shape);
    }
}

TEST(Geometry, PolygonEdgePixelsBelongToOneSideOnly)
{
    // Two squares sharing the edge x = 10: the column of pixels right of it
    // goes to the right square only.
    Polygon left, right;
    left.count = right.count = 4;
    left.points = {Point{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    right.points = {Point{10, 0}, {20, 0}, {20, 10}, {10, 10}};
    EXPECT_TRUE(left.Contains(9, 5));
    EXPECT_FALSE(left.Contains(10, 5));
    EXPECT_TRUE(right.Contains(10, 5));
    EXPECT_FALSE(left.Contains(5, 10));
    // A slanted edge through pixel centres: (0,0)-(10,10) passes (k+0.5, k+0.5).
    Polygon lower, upper;
    lower.count = upper.count = 3;
    lower.points = {Point{0, 0}, {10, 10}, {0, 10}};
    upper.points = {Point{0, 0}, {10, 0}, {10, 10}};
    for (int k = 0; k < 10; ++k)
        EXPECT_NE(lower.Contains(k, k), upper.Contains(k, k)) << k;
}
