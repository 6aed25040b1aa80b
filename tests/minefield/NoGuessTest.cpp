#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "minefield/BoardTopology.h"
#include "minefield/MinePlacement.h"
#include "minefield/NoGuessGenerator.h"
#include "minefield/NoGuessSolver.h"

using namespace mf;
using namespace mf::testing;

namespace {

using Knowledge = NoGuessSolver::Knowledge;
using Reason = NoGuessSolver::Reason;

RandomSource Seeded(uint32_t seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return uint32_t((*engine)()); };
}

int32_t CountAround(const BoardTopology& t, const std::vector<uint8_t>& mines, int32_t cell)
{
    int32_t n = 0;
    for (int32_t q : t.Neighbours(cell))
        n += mines[size_t(q)];
    return n;
}

// What a player knows at one moment: the open cells with their numbers, the
// flagged mines and the total. Decides by trying every placement of the
// remaining mines whether a cell could still be the opposite of a claim.
class BruteForce {
public:
    BruteForce(const BoardTopology& t, const std::vector<uint8_t>& mines)
        : m_t(t), m_mines(mines), m_state(size_t(t.CellCount()), Knowledge::Covered)
    {
        for (uint8_t m : mines)
            m_total += m;
    }
    void Apply(const NoGuessSolver::Step& s) { m_state[size_t(s.cell)] = s.mine ? Knowledge::Mine : Knowledge::Open; }

    // True when some placement agrees with everything known and puts the
    // opposite of `mine` on the cell.
    bool CouldBeOtherwise(int32_t cell, bool mine)
    {
        m_covered.clear();
        int32_t found = 0;
        for (int32_t i = 0; i < m_t.CellCount(); ++i) {
            found += m_state[size_t(i)] == Knowledge::Mine;
            if (m_state[size_t(i)] == Knowledge::Covered)
                m_covered.push_back(i);
        }
        m_guess.assign(size_t(m_t.CellCount()), -1);
        for (int32_t i = 0; i < m_t.CellCount(); ++i)
            if (m_state[size_t(i)] != Knowledge::Covered)
                m_guess[size_t(i)] = m_state[size_t(i)] == Knowledge::Mine;
        m_guess[size_t(cell)] = mine ? 0 : 1;
        return Search(0, m_total - found - (mine ? 0 : 1));
    }

private:
    // Whether every open number can still be met.
    bool Consistent() const
    {
        for (int32_t a = 0; a < m_t.CellCount(); ++a) {
            if (m_state[size_t(a)] != Knowledge::Open)
                continue;
            int32_t sure = 0, open = 0;
            for (int32_t q : m_t.Neighbours(a)) {
                sure += m_guess[size_t(q)] == 1;
                open += m_guess[size_t(q)] == -1;
            }
            const int32_t need = CountAround(m_t, m_mines, a);
            if (sure > need || sure + open < need)
                return false;
        }
        return true;
    }
    bool Search(size_t k, int32_t left)
    {
        if (left < 0 || !Consistent())
            return false;
        while (k < m_covered.size() && m_guess[size_t(m_covered[k])] != -1)
            ++k;
        if (k == m_covered.size())
            return left == 0;
        const int32_t cell = m_covered[k];
        for (int8_t v : {int8_t(0), int8_t(1)}) {
            m_guess[size_t(cell)] = v;
            if (Search(k + 1, left - v))
                return true;
        }
        m_guess[size_t(cell)] = -1;
        return false;
    }

    const BoardTopology& m_t;
    const std::vector<uint8_t>& m_mines;
    std::vector<Knowledge> m_state;
    std::vector<int32_t> m_covered;
    std::vector<int8_t> m_guess;
    int32_t m_total = 0;
};

}  // namespace

// The second opinion: on small boards of every shape, every cell the solver
// settles (by a number, a pair of numbers or the count of mines left) is
// settled in every placement of the mines that fits what was known then.
TEST(NoGuessSolver, EveryDeductionHoldsInEveryPlacementThatFitsOnSmallBoards)
{
    std::array<int, 4> byReason{};
    int cleared = 0, stuck = 0;
    for (ShapeKind shape : kShapes) {
        for (uint32_t seed = 0; seed < 60; ++seed) {
            const int32_t w = 4 + int32_t(seed % 3), h = 3 + int32_t(seed / 3 % 3);
            const BoardTopology t(shape, w, h);
            const int32_t mines = 2 + int32_t(seed % 5);
            const RandomSource random = Seeded(seed * 31 + uint32_t(shape));
            const int32_t first = int32_t(random() % uint32_t(t.CellCount()));
            // Half the boards are made to be no-guess, half are classic ones
            // (mostly stuck somewhere, which is where a wrong rule would show).
            const std::vector<uint8_t> board = seed % 2 ? MakeNoGuessBoard(t, mines, first, random).mines
                                                        : ClassicMines(w, h, mines, random, t.Pos(first));
            BruteForce known(t, board);
            NoGuessSolver solver(t);
            const bool done = solver.Solve(board, first, [&](const NoGuessSolver::Step& s) {
                ++byReason[size_t(s.reason)];
                if (s.reason != Reason::FirstClick) {
                    EXPECT_FALSE(known.CouldBeOtherwise(s.cell, s.mine))
                        << ShapeKeyword(shape) << " seed " << seed << " cell " << s.cell << " reason "
                        << int(s.reason);
                }
                known.Apply(s);
            });
            ASSERT_FALSE(solver.Contradicted());
            (done ? cleared : stuck) += 1;
        }
    }
    // Each kind of reasoning was put to the test, and the boards were mixed.
    EXPECT_GT(byReason[size_t(Reason::Number)], 1000);
    EXPECT_GT(byReason[size_t(Reason::Pair)], 20);
    EXPECT_GT(byReason[size_t(Reason::MinesLeft)], 20);
    EXPECT_GT(cleared, 100);
    EXPECT_GT(stuck, 20);
}

TEST(NoGuessSolver, ATrueFiftyFiftyStaysCoveredAndAPairOfNumbersSettlesOneSide)
{
    // 3 x 2 squares, the first click in the left column, one mine on the
    // right: both right cells see the same numbers, and the count cannot
    // tell them apart either.
    const BoardTopology t(ShapeKind::Square, 3, 2);
    NoGuessSolver solver(t);
    EXPECT_FALSE(solver.Solve({0, 0, 1, 0, 0, 0}, 0));
    EXPECT_EQ(solver.At(2), Knowledge::Covered);
    EXPECT_EQ(solver.At(5), Knowledge::Covered);
    EXPECT_EQ(solver.Opened(), 4);

    // Boards on which the numbers alone stall somewhere and two numbers
    // together settle cells: the generator finds them, and the solver that
    // clears them takes a pair's step on the way.
    bool sawPair = false;
    for (uint32_t seed = 0; seed < 400 && !sawPair; ++seed) {
        const BoardTopology square(ShapeKind::Square, 6, 4);
        const RandomSource random = Seeded(seed);
        const NoGuessBoard b = MakeNoGuessBoard(square, 5, 0, random);
        NoGuessSolver s(square);
        bool pair = false;
        const bool cleared = s.Solve(b.mines, 0, [&](const NoGuessSolver::Step& st) { pair |= st.reason == Reason::Pair; });
        EXPECT_EQ(cleared, b.noGuess);
        sawPair = pair && cleared;
    }
    EXPECT_TRUE(sawPair);
}

// Every shape and level, from first clicks all over the board: the first
// click opens an area, the board holds its mines, and the solver clears it.
TEST(NoGuessGenerator, EveryShapeAndLevelGivesAnOpeningAndNeedsNoGuess)
{
    for (ShapeKind shape : kShapes) {
        for (int level = 0; level < LevelCount; ++level) {
            const Preset p = *PresetFor(level, shape);
            const BoardTopology t(shape, p.width, p.height);
            for (uint32_t seed = 0; seed < 12; ++seed) {
                const RandomSource random = Seeded(seed + 1000u * uint32_t(level));
                const int32_t first = int32_t(random() % uint32_t(t.CellCount()));
                const NoGuessBoard b = MakeNoGuessBoard(t, p.mines, first, random);
                const std::string where = std::string(ShapeKeyword(shape)) + " level " + std::to_string(level) +
                                          " seed " + std::to_string(seed);
                ASSERT_TRUE(b.noGuess && b.opening) << where << " after " << b.solves << " solves";
                int32_t mines = 0;
                for (uint8_t m : b.mines)
                    mines += m;
                EXPECT_EQ(mines, p.mines) << where;
                EXPECT_FALSE(b.mines[size_t(first)]) << where;
                EXPECT_EQ(CountAround(t, b.mines, first), 0) << where;
                NoGuessSolver solver(t);
                EXPECT_TRUE(solver.Solve(b.mines, first)) << where;
            }
        }
    }
}

// Boards too full for an opening, or for a board without guesses, still end
// at once with a safe first click and every mine placed.
TEST(NoGuessGenerator, BoardsTooFullForItFallBackToASafeFirstClick)
{
    struct Case {
        ShapeKind shape;
        int32_t w, h, mines;
        bool opening;
    };
    const Case cases[] = {
        {ShapeKind::Square, 4, 4, 15, false},    // every cell but the first
        {ShapeKind::Triangle, 6, 4, 18, false},  // no room left for the first click and its neighbours
        {ShapeKind::Hexagon, 8, 8, 50, true},    // room for an opening, hardly for deduction
        {ShapeKind::Diamond, 1, 1, 0, true},
    };
    for (const Case& k : cases) {
        const BoardTopology t(k.shape, k.w, k.h);
        for (uint32_t seed = 0; seed < 5; ++seed) {
            const int32_t first = t.CellCount() / 2;
            const NoGuessBoard b =
                MakeNoGuessBoard(t, k.mines, first, Seeded(seed), {.maxSolves = 300, .repairsPerPlacement = 20});
            int32_t mines = 0;
            for (uint8_t m : b.mines)
                mines += m;
            EXPECT_EQ(mines, k.mines) << ShapeKeyword(k.shape);
            EXPECT_FALSE(b.mines[size_t(first)]) << ShapeKeyword(k.shape);
            EXPECT_EQ(b.opening, k.opening) << ShapeKeyword(k.shape);
            EXPECT_LE(b.solves, 300) << ShapeKeyword(k.shape);
            NoGuessSolver solver(t);
            EXPECT_EQ(b.noGuess, b.opening && solver.Solve(b.mines, first)) << ShapeKeyword(k.shape);
        }
    }
}

// A full board dense enough that boards without guesses are rare: the work
// stops at its bound (one more solve at most, to report what was checked),
// and the first click is still an opening.
TEST(NoGuessGenerator, TheWorkOnOneBoardIsBounded)
{
    const NoGuessLimits limits;
    for (ShapeKind shape : {ShapeKind::Square, ShapeKind::Triangle, ShapeKind::Hexagon}) {
        const BoardTopology t(shape, MaxColumns, MaxRows);
        const int32_t first = t.Index({16, 12});
        const NoGuessBoard b = MakeNoGuessBoard(t, 300, first, Seeded(1), limits);
        // One solve visits each cell's neighbours a few times at most.
        EXPECT_LE(b.work, limits.maxWork + 200000) << ShapeKeyword(shape);
        EXPECT_LE(b.solves, limits.maxSolves) << ShapeKeyword(shape);
        EXPECT_TRUE(b.opening) << ShapeKeyword(shape);
        EXPECT_EQ(CountAround(t, b.mines, first), 0) << ShapeKeyword(shape);
    }
}

// In the game: the first click opens an area on every shape, and a player
// who only follows the solver's deductions wins without a shield spent.
TEST(NoGuess, TheGameIsWonFromTheFirstClickByDeductionAlone)
{
    for (ShapeKind shape : kShapes) {
        for (uint32_t seed = 0; seed < 8; ++seed) {
            Fixture f;
            MineGame::PlayOptions o;
            o.noGuess = true;
            f.game.SetOptions(o);
            f.game.SetLevel(int(seed % LevelCount));
            f.game.SetRandomSource(Seeded(seed));
            f.game.SetShape(shape);
            const CellPos first{int32_t(seed * 5 % uint32_t(f.game.Width())), int32_t(seed * 3 % uint32_t(f.game.Height()))};
            f.Click(first);
            const std::string where = std::string(ShapeKeyword(shape)) + " seed " + std::to_string(seed);
            ASSERT_EQ(f.At(first).value, 0) << where;
            ASSERT_TRUE(f.game.BoardIsNoGuess()) << where;
            ASSERT_GT(f.game.Revealed(), 1) << where;

            const BoardTopology t(shape, f.game.Width(), f.game.Height());
            std::vector<uint8_t> mines(size_t(t.CellCount()));
            for (int32_t i = 0; i < t.CellCount(); ++i)
                mines[size_t(i)] = f.At(t.Pos(i)).IsMine();
            std::vector<NoGuessSolver::Step> steps;
            NoGuessSolver solver(t);
            ASSERT_TRUE(solver.Solve(mines, t.Index(first), [&](const NoGuessSolver::Step& s) { steps.push_back(s); }));
            for (const NoGuessSolver::Step& s : steps) {
                const CellPos p = t.Pos(s.cell);
                if (s.mine)
                    f.RightClick(p);
                else if (f.At(p).state == 0)
                    f.Click(p);
            }
            EXPECT_TRUE(f.rec.Has("won")) << where;
            EXPECT_FALSE(f.rec.Has("shields") || f.rec.Has("lost")) << where;
        }
    }
}

// Over many seeds and first clicks all over Expert boards of every shape:
// the first click is never a mine and always an opening, every mine is
// placed, and every number counts them.
TEST(NoGuess, TheFirstClickIsAlwaysAnOpeningOverManySeeds)
{
    for (ShapeKind shape : kShapes) {
        for (uint32_t seed = 0; seed < 100; ++seed) {
            Fixture f;
            MineGame::PlayOptions o;
            o.noGuess = true;
            f.game.SetOptions(o);
            f.game.SetLevel(4);
            f.game.SetRandomSource(Seeded(seed));
            f.game.SetShape(shape);
            const CellPos first{int32_t(seed * 7 % uint32_t(f.game.Width())), int32_t(seed * 3 % uint32_t(f.game.Height()))};
            f.Click(first);
            const std::string where = std::string(ShapeKeyword(shape)) + " seed " + std::to_string(seed);
            ASSERT_FALSE(f.rec.Has("shields") || f.rec.Has("lost")) << where;
            ASSERT_EQ(f.At(first).value, 0) << where;
            EXPECT_TRUE(f.game.BoardIsNoGuess()) << where;
            int32_t mines = 0;
            for (int32_t r = 0; r < f.game.Height(); ++r) {
                for (int32_t c = 0; c < f.game.Width(); ++c) {
                    mines += f.At({c, r}).IsMine();
                    if (!f.At({c, r}).IsMine()) {
                        ASSERT_EQ(f.At({c, r}).value, f.game.CountMines({c, r})) << where;
                    }
                }
            }
            ASSERT_EQ(mines, f.game.Mines()) << where;
        }
    }
}

// Replaying a no-guess board lays the same mines again; it stays the board
// that was made, and a new game makes a new one at its first click.
TEST(NoGuess, AReplayKeepsTheBoardAndANewGameMakesAnother)
{
    Fixture f;
    MineGame::PlayOptions o;
    o.noGuess = true;
    f.game.SetOptions(o);
    f.game.SetLevel(2);
    f.game.SetRandomSource(Seeded(3));
    f.game.SetShape(ShapeKind::Brick);
    f.Click({4, 4});
    const std::vector<CellPos> mines = f.game.MinePositions();
    ASSERT_EQ(int32_t(mines.size()), f.game.Mines());
    f.game.Replay();
    EXPECT_EQ(f.game.MinePositions(), mines);
    EXPECT_TRUE(f.game.BoardIsNoGuess());
    f.game.NewGame();
    EXPECT_TRUE(f.game.MinePositions().empty());  // laid at the first click
    EXPECT_FALSE(f.game.BoardIsNoGuess());
    f.Click({10, 6});
    EXPECT_EQ(f.At({10, 6}).value, 0);
    EXPECT_TRUE(f.game.BoardIsNoGuess());
    EXPECT_NE(f.game.MinePositions(), mines);
}
