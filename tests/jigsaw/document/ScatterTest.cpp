#include <gtest/gtest.h>

#include "jigsaw/document/Puz.h"
#include "jigsaw/document/Scatter.h"

using namespace qv;

namespace {

void cut(Puz& puz, int w, int h, int rows, int cols, uint32_t seed)
{
    puz.Reset();
    puz.pictureRect = {0, 0, static_cast<int16_t>(w), static_cast<int16_t>(h)};
    puz.rows[0] = static_cast<int16_t>(rows);
    puz.columns[0] = static_cast<int16_t>(cols);
    puz.stockSizeCount = 1;
    puz.cuttingSeed = puz.generator().seed(seed);
    ASSERT_TRUE(puz.MakePiezas().ok());
}

ScatterArea table(int w, int h, Rect16 picture)
{
    ScatterArea a;
    a.width = w;
    a.height = h;
    a.reserved.push_back(picture);
    return a;
}

bool overlap(const Rect16& a, const Rect16& b) { return intersects(a, b); }

}  // namespace

TEST(OccupancyGrid, MarksTouchedCellsAndClips)
{
    EXPECT_EQ(OccupancyGrid::cellSizeFor(60, 50), 8);
    EXPECT_EQ(OccupancyGrid::cellSizeFor(10, 30), 6);
    EXPECT_EQ(OccupancyGrid::cellSizeFor(3, 3), 1);  // never 0 or below
    OccupancyGrid g(81, 40, 8);  // 11 x 5 cells: partial last column
    EXPECT_EQ(g.columns(), 11);
    EXPECT_EQ(g.rows(), 5);
    g.Mark(7, 7, 2, 2);  // touches four cells
    EXPECT_TRUE(g.isOccupied(0, 0));
    EXPECT_TRUE(g.isOccupied(1, 1));
    EXPECT_FALSE(g.isOccupied(2, 1));
    EXPECT_FALSE(g.IsFree(0, 0, 2, 2));
    EXPECT_TRUE(g.IsFree(2, 0, 9, 5));
    EXPECT_FALSE(g.IsFree(3, 0, 9, 1));  // past the edge
    g.Mark(-100, 30, 1000, 500);          // clipped to the grid
    EXPECT_TRUE(g.isOccupied(10, 4));
    EXPECT_TRUE(g.isOccupied(0, 3));
    EXPECT_FALSE(g.isOccupied(5, 2));
}

TEST(OccupancyGrid, BandSearchFillsInReadingOrderAndAlwaysDraws)
{
    CutRandom rng;
    rng.seed(5);
    OccupancyGrid g(80, 80, 8);
    int x, y;
    const uint64_t before = rng.draws();
    g.FindPlace(16, 16, 4, rng, x, y);
    EXPECT_EQ(rng.draws() - before, 2u);  // both random starts are drawn even when unused
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    g.Mark(x, y, 16, 16);
    g.FindPlace(16, 16, 4, rng, x, y);
    EXPECT_EQ(x, 16);
    EXPECT_EQ(y, 0);
    g.Mark(0, 0, 80, 80);
    g.FindPlace(8, 8, 0, rng, x, y);
    EXPECT_EQ(x, OccupancyGrid::NotFound);
    EXPECT_EQ(y, OccupancyGrid::NotFound);
    g.FindPlace(200, 8, 0, rng, x, y);  // wider than the grid
    EXPECT_EQ(x, OccupancyGrid::NotFound);
}

TEST(Scatter, PiecesLandApartAndOutsideTheReservedArea)
{
    Puz puz;
    cut(puz, 800, 500, 10, 16, 77);
    const Rect16 picture{560, 270, 800, 500};
    const ScatterArea area = table(1920, 1040, picture);
    int landed = 0;
    ASSERT_EQ(Scatter(puz, area, [&](const SPuz&) { ++landed; }, false), 1);
    EXPECT_EQ(landed, puz.pieceCount());
    for (const SPuz& p : puz.pieces) {
        EXPECT_FALSE(overlap(p.table, picture)) << p.index;
        EXPECT_GE(p.table.x, 0);
        EXPECT_LE(p.table.x + p.table.w, 1920 + 7);  // within the grid's last cell
        for (const SPuz& q : puz.pieces) {
            if (q.index < p.index) {
                ASSERT_FALSE(overlap(p.table, q.table)) << p.index << " and " << q.index;
            }
        }
    }
}

TEST(Scatter, ReproducibleForASeedAndLeavesKeptPiecesAlone)
{
    std::vector<Rect16> first;
    for (int run = 0; run < 2; ++run) {
        Puz puz;
        cut(puz, 600, 400, 6, 9, 1234);
        puz.pieces[3].box = 0;        // in a box
        puz.pieces[10].flags |= 1;    // marked
        puz.pieces[20].joined = 1;    // joined
        for (int i : {3, 10, 20})
            puz.pieces[i].placeAt(5000, 5000);
        puz.generator().seed(99);
        ASSERT_EQ(Scatter(puz, table(1600, 900, {500, 250, 600, 400}), {}, false), 1);
        for (int i : {3, 10, 20})
            EXPECT_EQ(puz.pieces[i].tableCell.x, 5000);
        std::vector<Rect16> now;
        for (const SPuz& p : puz.pieces)
            now.push_back(p.table);
        if (run == 0) {
            first = now;
        } else {
            EXPECT_EQ(now, first);
        }
    }
}

TEST(Scatter, ATableTooSmallGivesUpAndTheOpenerRetriesOverTheWholeTable)
{
    Puz puz;
    cut(puz, 400, 400, 10, 10, 3);
    const ScatterArea tiny = table(420, 420, {10, 10, 400, 400});
    EXPECT_EQ(Scatter(puz, tiny, {}, false), 0);
    // Over the whole table the pieces still fit, on cell-sized spots at worst.
    Puz again;
    cut(again, 400, 400, 10, 10, 3);
    scatterNewGame(again, table(700, 700, {150, 150, 400, 400}));
    int inside = 0;
    for (const SPuz& p : again.pieces)
        inside += p.tableCell.x >= 0 && p.tableCell.x < 700 && p.tableCell.y >= 0 && p.tableCell.y < 700;
    EXPECT_EQ(inside, again.pieceCount());
}
