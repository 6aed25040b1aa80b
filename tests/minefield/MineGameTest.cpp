#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "minefield/MineGame.h"
#include "GameFixture.h"

using namespace mf;
using namespace mf::testing;

TEST(MineGame, NewGameCountsNeighboursAndSizesTheBoard)
{
    Fixture f;
    f.Custom(ShapeKind::Square, 4, 3, {{1, 1}, {2, 1}});
    EXPECT_EQ(f.rec.size, (ClientSize{18 * 4 + 10, 18 * 3 + 11}));
    EXPECT_EQ(f.At({0, 0}).value, 1);
    EXPECT_EQ(f.At({1, 0}).value, 2);
    EXPECT_EQ(f.At({3, 2}).value, 1);
    EXPECT_EQ(f.At({1, 1}).value, cell::Mine);
    EXPECT_EQ(f.game.MinesLeft(), 2);
    EXPECT_EQ(f.game.Shields(), 0);
}

TEST(MineGame, CustomSizeStaysInsideTheGrid)
{
    Fixture f;
    f.game.SetLevel(7);
    f.game.SetCustomSize(99, 0, 5000);
    f.game.NewGame();
    EXPECT_EQ(f.game.Width(), 32);
    EXPECT_EQ(f.game.Height(), 1);
    EXPECT_EQ(f.game.Mines(), 31);  // placement ends: one cell stays free
}

TEST(MineGame, MineOnFirstClickWithoutShieldLosesAndMarksTheBoard)
{
    Fixture f;
    f.Custom(ShapeKind::Square, 4, 4, {{0, 0}, {2, 0}, {3, 3}});
    f.RightClick({3, 3});  // a correct flag
    f.RightClick({1, 3});  // a wrong flag
    f.rec.Clear();
    f.Click({0, 0});
    EXPECT_TRUE(f.game.GameOver());
    EXPECT_TRUE(f.rec.Has("lost"));
    EXPECT_EQ(f.rec.sounds, (std::vector<std::string>{"boom"}));
    EXPECT_EQ(f.At({0, 0}).value, cell::LostMine);
    EXPECT_EQ(f.At({2, 0}).value, cell::Mine);
    EXPECT_EQ(f.At({2, 0}).state, 1);
    EXPECT_TRUE(f.At({3, 3}).flagged);  // flags on mines stay
    EXPECT_EQ(f.At({3, 3}).state, 0);
    EXPECT_EQ(f.At({1, 3}).value, cell::WrongFlag);
    EXPECT_EQ(f.At({1, 3}).state, 1);
    EXPECT_EQ(f.At({2, 2}).state, 0);  // covered safe cells stay covered

    // After the end the board ignores the mouse.
    f.rec.Clear();
    f.Click({2, 2});
    f.RightClick({2, 2});
    EXPECT_EQ(f.At({2, 2}).state, 0);
    EXPECT_FALSE(f.At({2, 2}).flagged);
    EXPECT_TRUE(f.rec.events.empty());
}

TEST(MineGame, ShieldForgivesAMineAndAWinKeepsItsMark)
{
    // Beginner square: 12 x 8, 20 mines, one shield; mines fill row 7 and
    // the first eight cells of row 6.
    std::vector<CellPos> mines;
    for (int32_t c = 0; c < 12; ++c)
        mines.push_back({c, 7});
    for (int32_t c = 0; c < 8; ++c)
        mines.push_back({c, 6});
    Fixture f;
    f.Preset(ShapeKind::Square, 0, mines);
    ASSERT_EQ(f.game.Shields(), 1);

    f.Click({0, 7});
    EXPECT_FALSE(f.game.GameOver());
    EXPECT_EQ(f.game.Shields(), 0);
    EXPECT_EQ(f.game.MinesLeft(), 19);
    EXPECT_EQ(f.At({0, 7}).value, cell::ShieldMine);
    EXPECT_EQ(f.At({0, 7}).state, 1);
    EXPECT_EQ(f.game.Revealed(), 0);
    EXPECT_EQ(f.rec.events, (std::vector<std::string>{"shields", "mines 19"}));
    EXPECT_EQ(f.rec.sounds, (std::vector<std::string>{"boom"}));
    EXPECT_EQ(f.rec.invalidatedAreas, 1);

    f.RightClick({1, 7});  // one mine flagged by hand
    f.rec.Clear();
    f.Click({0, 0});  // opens the empty top and the whole rest
    EXPECT_TRUE(f.game.GameOver());
    EXPECT_EQ(f.rec.events.back(), "won");
    EXPECT_TRUE(f.rec.Has("mines 0"));
    EXPECT_EQ(f.rec.sounds, (std::vector<std::string>{"click", "win"}));
    EXPECT_EQ(f.At({0, 7}).value, cell::ShieldMine);
    for (const CellPos& m : mines) {
        if (m == CellPos{0, 7})
            continue;
        EXPECT_TRUE(f.At(m).flagged) << m.c << "," << m.r;
        EXPECT_EQ(f.At(m).state, 0);
    }
}

TEST(MineGame, FloodOpeningStopsAtFlagsAndAWinThroughItIsDeclaredAtOnce)
{
    Fixture f;
    f.Custom(ShapeKind::Square, 5, 5, {{4, 4}});
    f.RightClick({1, 1});  // a flag on an empty cell inside the region
    f.RightClick({3, 3});  // and one on the numbered border
    f.Click({0, 4});
    EXPECT_TRUE(f.At({1, 1}).flagged);
    EXPECT_EQ(f.At({1, 1}).state, 0);
    EXPECT_TRUE(f.At({3, 3}).flagged);
    EXPECT_EQ(f.At({3, 3}).state, 0);
    EXPECT_EQ(f.At({4, 0}).state, 1);
    EXPECT_EQ(f.game.Revealed(), 22);
    EXPECT_FALSE(f.game.GameOver());

    f.RightClick({1, 1});
    f.RightClick({3, 3});
    f.rec.Clear();
    f.Click({1, 1});  // an empty cell: its opening reaches nothing new
    EXPECT_FALSE(f.game.GameOver());
    f.Click({3, 3});
    EXPECT_TRUE(f.game.GameOver());
    EXPECT_EQ(f.rec.events.back(), "won");

    Fixture g;
    g.Custom(ShapeKind::Hexagon, 6, 5, {{5, 4}});
    g.Click({0, 0});
    EXPECT_TRUE(g.game.GameOver());
    EXPECT_EQ(g.rec.events, (std::vector<std::string>{"mines 1", "mines 0", "won"}));
}

TEST(MineGame, FloodOpeningIsDepthFirstInTheShapesOrder)
{
    Fixture f;
    f.Custom(ShapeKind::Hexagon, 3, 3, {{2, 2}});
    f.Click({0, 0});
    std::vector<CellPos> order;
    for (const TCell* c : f.rec.drawn)
        order.push_back(f.PosOf(c));
    // Even columns look up-left and up-right, odd ones down-left and
    // down-right; each opened zero is followed at once.
    const std::vector<CellPos> expected = {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 1}, {1, 0},
                                           {2, 0}, {2, 1}};
    ASSERT_GE(order.size(), expected.size());
    order.resize(expected.size());
    EXPECT_EQ(order, expected);
}

TEST(MineGame, LargestBoardOpensInOneFlood)
{
    Fixture f;
    f.Custom(ShapeKind::Square, 32, 24, {{31, 23}});
    f.Click({0, 0});
    EXPECT_TRUE(f.game.GameOver());
    EXPECT_EQ(f.game.Revealed(), 32 * 24 - 1);
    EXPECT_TRUE(f.At({31, 23}).flagged);
}

TEST(MineGame, FlagsCountDownPastZeroAndRightClickOnOpenCellDoesNothing)
{
    Fixture f;
    f.Custom(ShapeKind::Brick, 4, 4, {{3, 3}, {3, 2}});
    for (CellPos p : {CellPos{0, 3}, CellPos{1, 3}, CellPos{2, 3}})
        f.RightClick(p);
    EXPECT_EQ(f.game.MinesLeft(), -1);
    EXPECT_EQ(f.rec.events.back(), "mines -1");
    EXPECT_EQ(f.rec.sounds.size(), 3u);

    f.RightClick({2, 3});  // taking a flag off repaints the bare cell
    EXPECT_EQ(f.game.MinesLeft(), 0);
    EXPECT_EQ(f.rec.invalidatedAreas, 1);

    f.Click({0, 0});
    f.rec.Clear();
    f.RightClick({0, 0});
    EXPECT_FALSE(f.At({0, 0}).flagged);
    EXPECT_TRUE(f.rec.events.empty());
    EXPECT_TRUE(f.rec.sounds.empty());
}

TEST(MineGame, ReleasingOverAnotherCellOpensNothing)
{
    Fixture f;
    f.Custom(ShapeKind::Diamond, 5, 6, {{4, 5}});
    f.game.LeftButtonDown(f.Centre({1, 2}));
    EXPECT_EQ(f.At({1, 2}).state, 1);  // shown pressed
    EXPECT_EQ(f.game.PressedCell(), (CellPos{1, 2}));
    f.game.MouseMove(f.Centre({2, 2}));
    EXPECT_EQ(f.At({1, 2}).state, 0);  // raised while the pointer is away
    f.game.MouseMove(f.Centre({1, 2}));
    EXPECT_EQ(f.At({1, 2}).state, 1);
    f.game.MouseMove(f.Centre({2, 2}));
    f.game.LeftButtonUp(f.Centre({2, 2}));
    EXPECT_EQ(f.At({1, 2}).state, 0);
    EXPECT_EQ(f.At({2, 2}).state, 0);
    EXPECT_EQ(f.game.Revealed(), 0);
    EXPECT_EQ(f.game.PressedCell(), (CellPos{}));
    EXPECT_EQ(f.rec.edgeDraws, 4);
    EXPECT_TRUE(f.rec.drawn.empty());

    // A release straight onto another cell raises the pressed one again too.
    f.game.LeftButtonDown(f.Centre({1, 2}));
    f.game.LeftButtonUp(f.Centre({3, 3}));
    EXPECT_EQ(f.At({1, 2}).state, 0);
    EXPECT_EQ(f.rec.edgeDraws, 6);

    // A flagged cell cannot be pressed.
    f.RightClick({0, 0});
    f.Click({0, 0});
    EXPECT_EQ(f.At({0, 0}).state, 0);
    EXPECT_TRUE(f.At({0, 0}).flagged);
}

// A downward triangle has twelve neighbours: with a mine on each its count is
// 12, which must show, flag and open as a number, never as a flag code.
TEST(MineGame, TriangleCountsAboveNineAreNumbers)
{
    const std::vector<CellPos> ring = {{2, 1}, {1, 1}, {4, 1}, {5, 1}, {3, 0}, {2, 0},
                                       {4, 0}, {1, 0}, {5, 0}, {3, 2}, {2, 2}, {4, 2}};
    Fixture f;
    f.Custom(ShapeKind::Triangle, 7, 4, ring);
    ASSERT_FALSE(f.At({3, 1}).IsUp());
    EXPECT_EQ(f.At({3, 1}).value, 12);
    EXPECT_FALSE(f.At({3, 1}).flagged);

    f.RightClick({3, 1});
    EXPECT_TRUE(f.At({3, 1}).flagged);
    EXPECT_EQ(f.game.MinesLeft(), 11);
    f.RightClick({3, 1});
    EXPECT_FALSE(f.At({3, 1}).flagged);
    EXPECT_EQ(f.At({3, 1}).value, 12);
    EXPECT_EQ(f.game.MinesLeft(), 12);

    f.Click({3, 1});
    EXPECT_EQ(f.At({3, 1}).state, 1);
    EXPECT_EQ(f.At({3, 1}).value, 12);
    EXPECT_FALSE(f.game.GameOver());
    EXPECT_EQ(f.game.Revealed(), 1);

    // A flag on such a cell is a wrong flag when the game is lost.
    Fixture h;
    h.Custom(ShapeKind::Triangle, 7, 4, ring);
    h.RightClick({3, 1});
    h.Click({2, 1});
    EXPECT_EQ(h.At({3, 1}).value, cell::WrongFlag);
}

// Every shape, Expert level, a seeded game: clicking every safe cell by its
// centre pixel wins; clicking mines spends the three shields, then loses.
TEST(MineGame, SeededExpertGamesOnEveryShapeWinAndLose)
{
    for (ShapeKind shape : kShapes) {
        Fixture f;
        std::mt19937 engine(1234);
        f.game.SetLevel(4);
        f.game.SetRandomSource([&engine] { return uint32_t(engine()); });
        f.game.SetShape(shape);
        const int32_t w = f.game.Width(), h = f.game.Height();
        int32_t mines = 0;
        for (int32_t r = 0; r < h; ++r)
            for (int32_t c = 0; c < w; ++c)
                mines += f.At({c, r}).IsMine();
        ASSERT_EQ(mines, f.game.Mines()) << ShapeKeyword(shape);

        for (int32_t r = 0; r < h && !f.game.GameOver(); ++r)
            for (int32_t c = 0; c < w && !f.game.GameOver(); ++c)
                if (!f.At({c, r}).IsMine() && f.At({c, r}).state == 0)
                    f.Click({c, r});
        EXPECT_TRUE(f.rec.Has("won")) << ShapeKeyword(shape);
        EXPECT_EQ(f.game.Revealed(), w * h - f.game.Mines()) << ShapeKeyword(shape);

        f.game.NewGame();
        f.rec.Clear();
        for (int32_t r = 0; r < h && !f.game.GameOver(); ++r)
            for (int32_t c = 0; c < w && !f.game.GameOver(); ++c)
                if (f.At({c, r}).IsMine())
                    f.Click({c, r});
        EXPECT_EQ(f.game.Shields(), 0) << ShapeKeyword(shape);
        EXPECT_TRUE(f.rec.Has("lost")) << ShapeKeyword(shape);
        EXPECT_EQ(std::count(f.rec.events.begin(), f.rec.events.end(), "shields"), 3)
            << ShapeKeyword(shape);
    }
}
