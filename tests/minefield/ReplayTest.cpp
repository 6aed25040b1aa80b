#include <gtest/gtest.h>

#include <random>

#include "GameFixture.h"

using namespace mf;
using namespace mf::testing;

namespace mf {
inline void PrintTo(const CellPos& p, std::ostream* os) { *os << "(" << p.c << "," << p.r << ")"; }
}  // namespace mf

namespace {

std::vector<CellPos> MinesOnTheBoard(const MineGame& game)
{
    std::vector<CellPos> mines;
    for (int32_t r = 0; r < game.Height(); ++r)
        for (int32_t c = 0; c < game.Width(); ++c)
            if (game.Cell({c, r}).IsMine())
                mines.push_back({c, r});
    return mines;
}

bool AllCovered(const MineGame& game)
{
    for (int32_t r = 0; r < game.Height(); ++r)
        for (int32_t c = 0; c < game.Width(); ++c)
            if (game.Cell({c, r}).state != 0 || game.Cell({c, r}).flagged)
                return false;
    return true;
}

}  // namespace

// Lost, won or left halfway, on every shape, with and without a safe start:
// the replay deals the very same mines, all cells covered, the shields the
// game began with.
TEST(Replay, DealsTheSameMinesWithTheShieldsTheGameBeganWith)
{
    for (ShapeKind shape : kShapes) {
        for (bool safeStart : {false, true}) {
            SCOPED_TRACE(std::string(ShapeKeyword(shape)) + (safeStart ? " safe start" : ""));
            Fixture f;
            auto engine = std::make_shared<std::mt19937>(uint32_t(int(shape) * 7 + safeStart));
            f.game.SetRandomSource([engine] { return uint32_t((*engine)()); });
            f.game.SetOptions({false, false, safeStart});
            f.game.SetLevel(3);
            f.game.SetShape(shape);
            EXPECT_EQ(f.game.MinePositions().empty(), safeStart);  // placed at the first opening
            // The first click on a safe cell (with a safe start any cell is).
            CellPos first{0, 0};
            while (f.At(first).IsMine())
                ++first.c;
            f.Click(first);
            const std::vector<CellPos> mines = f.game.MinePositions();
            ASSERT_EQ(mines, MinesOnTheBoard(f.game));
            ASSERT_EQ(int32_t(mines.size()), f.game.Mines());
            EXPECT_TRUE(f.game.Started());
            // Spend the shields on mines, then lose on the next.
            for (const CellPos& p : mines) {
                if (f.game.GameOver())
                    break;
                f.Click(p);
            }
            ASSERT_TRUE(f.game.GameOver());
            EXPECT_EQ(f.game.MinePositions(), mines) << "hit and lost mines are still the board's";

            f.game.Replay();
            EXPECT_FALSE(f.game.GameOver());
            EXPECT_FALSE(f.game.Started());
            EXPECT_TRUE(AllCovered(f.game));
            EXPECT_EQ(MinesOnTheBoard(f.game), mines);
            EXPECT_EQ(f.game.Shields(), 3);
            EXPECT_EQ(f.game.MinesLeft(), f.game.Mines());

            // Won, then replayed: still the same.
            for (int32_t r = 0; r < f.game.Height() && !f.game.GameOver(); ++r)
                for (int32_t c = 0; c < f.game.Width() && !f.game.GameOver(); ++c)
                    if (!f.At({c, r}).IsMine() && f.At({c, r}).state == 0)
                        f.Click({c, r});
            ASSERT_TRUE(f.rec.Has("won"));
            EXPECT_EQ(f.game.MinePositions(), mines) << "mines shown flagged at the win";
            f.game.Replay();
            EXPECT_EQ(MinesOnTheBoard(f.game), mines);
            // A new game deals anew.
            f.game.NewGame();
            f.Click({0, 0});
            EXPECT_NE(f.game.MinePositions(), mines);
        }
    }
}

TEST(Replay, BeforeAnyMineIsPlacedIsANewGame)
{
    Fixture f;
    f.game.SetOptions({false, false, true});
    f.game.SetLevel(0);
    f.game.SetShape(ShapeKind::Square);
    f.game.Replay();
    EXPECT_TRUE(f.game.MinePositions().empty());
    f.Click({5, 5});
    EXPECT_FALSE(f.At({5, 5}).IsMine());
    EXPECT_EQ(int32_t(f.game.MinePositions().size()), 20);
}

TEST(CustomSize, APresetLevelLeavesItAsItWas)
{
    Fixture f;
    f.game.SetLevel(9);
    f.game.SetCustomSize(10, 5, 7);
    f.game.SetShape(ShapeKind::Brick);
    EXPECT_EQ(f.game.Width(), 10);
    EXPECT_EQ(f.game.Height(), 5);
    EXPECT_EQ(f.game.Mines(), 7);
    EXPECT_EQ(f.rec.size, BoardClientSize(ShapeKind::Brick, 10, 5));
    f.game.SetLevel(4);
    f.game.NewGame();
    EXPECT_EQ(f.game.Width(), 30);
    EXPECT_EQ(f.game.CustomWidth(), 10);
    EXPECT_EQ(f.game.CustomHeight(), 5);
    EXPECT_EQ(f.game.CustomMines(), 7);
    f.game.SetLevel(9);
    f.game.NewGame();
    EXPECT_EQ(f.game.Width(), 10);
    EXPECT_EQ(f.game.Mines(), 7);
}

// Shields belong to the game: a custom board keeps those of the preset played
// before it, but a shield spent in one game is not missing from the next.
TEST(CustomSize, ANewGameGetsBackTheShieldsItsLastGameBeganWith)
{
    Fixture f;
    f.game.SetLevel(1);
    f.game.SetShape(ShapeKind::Square);
    ASSERT_EQ(f.game.Shields(), 2);
    f.game.SetLevel(9);
    f.game.SetCustomSize(6, 4, 3);
    f.game.SetRandomSource(Script({{0, 0}, {5, 0}, {5, 3}}));
    f.game.NewGame();
    EXPECT_EQ(f.game.Shields(), 2);
    f.Click({0, 0});
    ASSERT_EQ(f.game.Shields(), 1);
    f.game.NewGame();
    EXPECT_EQ(f.game.Shields(), 2);
}
