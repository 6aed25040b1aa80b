#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "minefield/IniFile.h"
#include "minefield/Statistics.h"

using namespace mf;
using namespace mf::testing;

namespace {

std::vector<bool> MineFlags(int32_t w, int32_t h, const std::vector<CellPos>& mines)
{
    std::vector<bool> flags(size_t(w) * size_t(h), false);
    for (const CellPos& p : mines)
        flags[size_t(p.r) * size_t(w) + size_t(p.c)] = true;
    return flags;
}

}  // namespace

// Worked out by hand from the neighbour tables: the same mines give another
// count on each shape, since the shapes touch different cells.
TEST(ThreeBV, KnownBoardsOnEveryShape)
{
    struct Case {
        ShapeKind shape;
        int32_t w, h;
        std::vector<CellPos> mines;
        int32_t threeBV;
    };
    const Case cases[] = {
        // No mine: one click opens everything.
        {ShapeKind::Square, 4, 3, {}, 1},
        {ShapeKind::Triangle, 4, 3, {}, 1},
        // A corner mine on a square 3 x 3: one opening reaches every number.
        {ShapeKind::Square, 3, 3, {{0, 0}}, 1},
        // A mine in the middle of 3 x 3.
        {ShapeKind::Square, 3, 3, {{1, 1}}, 8},    // every cell touches it
        {ShapeKind::Triangle, 3, 3, {{1, 1}}, 8},  // so does every triangle
        {ShapeKind::Diamond, 3, 3, {{1, 1}}, 4},   // (0,0) and (0,2) touch: one opening, three numbers left
        {ShapeKind::Shifted, 3, 3, {{1, 1}}, 4},   // (0,0) and (2,0) touch likewise
        {ShapeKind::Brick, 3, 3, {{1, 1}}, 5},     // two openings on the left, three numbers on the right
        {ShapeKind::Hexagon, 3, 3, {{1, 1}}, 5},   // two openings on top, three numbers below
        // One row of five, the mine in the middle: triangles reach two cells
        // along the row, the other shapes one.
        {ShapeKind::Square, 5, 1, {{2, 0}}, 2},
        {ShapeKind::Diamond, 5, 1, {{2, 0}}, 2},
        {ShapeKind::Brick, 5, 1, {{2, 0}}, 2},
        {ShapeKind::Hexagon, 5, 1, {{2, 0}}, 2},
        {ShapeKind::Triangle, 5, 1, {{2, 0}}, 4},
        {ShapeKind::Shifted, 5, 1, {{2, 0}}, 4},
        // Numbers only: one click each.
        {ShapeKind::Square, 3, 1, {{1, 0}}, 2},
        // Every cell but one a mine.
        {ShapeKind::Hexagon, 2, 2, {{0, 0}, {1, 0}, {0, 1}}, 1},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(ThreeBV(k.shape, k.w, k.h, MineFlags(k.w, k.h, k.mines)), k.threeBV)
            << ShapeKeyword(k.shape) << " " << k.w << "x" << k.h;
    }
}

// On random boards of every shape: clicking once in each opening not yet
// open and then once on every number still covered clears the board, and
// takes exactly the 3BV clicks; none of them can be saved, since each
// opens something the others do not.
TEST(ThreeBV, IsTheNumberOfClicksTheGameNeedsWithoutChording)
{
    std::mt19937 random(2026);
    for (ShapeKind shape : kShapes) {
        for (int round = 0; round < 20; ++round) {
            const int32_t w = 4 + int32_t(random() % 9), h = 3 + int32_t(random() % 7);
            const int32_t count = int32_t(random() % uint32_t(w * h / 4 + 1));
            std::set<std::pair<int32_t, int32_t>> chosen;
            std::vector<CellPos> mines;
            while (int32_t(mines.size()) < count) {
                const CellPos p{int32_t(random() % uint32_t(w)), int32_t(random() % uint32_t(h))};
                if (chosen.insert({p.c, p.r}).second)
                    mines.push_back(p);
            }
            Fixture f;
            f.Custom(shape, w, h, mines);
            int32_t clicks = 0;
            for (int pass = 0; pass < 2; ++pass) {
                for (int32_t r = 0; r < h; ++r) {
                    for (int32_t c = 0; c < w; ++c) {
                        const TCell& cell = f.At({c, r});
                        if (cell.IsMine() || cell.state != 0 || (pass == 0 && cell.value != 0))
                            continue;
                        f.Click({c, r});
                        ++clicks;
                    }
                }
            }
            ASSERT_TRUE(f.game.GameOver() || count == w * h) << ShapeKeyword(shape);
            EXPECT_TRUE(f.rec.Has("won")) << ShapeKeyword(shape) << " round " << round;
            EXPECT_EQ(ThreeBV(shape, w, h, MineFlags(w, h, mines)), clicks)
                << ShapeKeyword(shape) << " " << w << "x" << h << " round " << round;
        }
    }
}

TEST(Statistics, StreaksRatesAndTheBestWin)
{
    LevelStats s;
    EXPECT_EQ(s.WinRate(), 0.0);
    // won, won, lost, won, won, won, lost, won
    const char* games = "WWLWWWLW";
    int32_t ms = 10000;
    for (const char* g = games; *g; ++g) {
        if (*g == 'W')
            s.AddWin({20, ms -= 1000});  // each win a little faster
        else
            s.AddLoss();
    }
    EXPECT_EQ(s.played, 8);
    EXPECT_EQ(s.won, 6);
    EXPECT_EQ(s.streak, 1);
    EXPECT_EQ(s.bestStreak, 3);
    EXPECT_DOUBLE_EQ(s.WinRate(), 0.75);
    ASSERT_EQ(s.wins.size(), 6u);
    ASSERT_TRUE(s.best);
    EXPECT_EQ(*s.best, (WinRecord{20, 4000}));
    EXPECT_DOUBLE_EQ(s.best->Rate(), 5.0);
    EXPECT_DOUBLE_EQ((WinRecord{3, 0}).Rate(), 3000.0);  // under a millisecond counts as one

    // Only the latest wins are kept one by one; the best stays when it leaves the list.
    LevelStats many;
    many.AddWin({50, 1000});
    for (int i = 0; i < 120; ++i)
        many.AddWin({10, 5000});
    EXPECT_EQ(many.wins.size(), LevelStats::MaxWins);
    EXPECT_EQ(many.wins.front(), (WinRecord{10, 5000}));
    EXPECT_EQ(*many.best, (WinRecord{50, 1000}));
    EXPECT_EQ(many.streak, 121);

    EXPECT_EQ(Statistics::RowOf(0), 0);
    EXPECT_EQ(Statistics::RowOf(4), 4);
    EXPECT_EQ(Statistics::RowOf(5), Statistics::CustomRow);
    EXPECT_EQ(Statistics::RowOf(255), Statistics::CustomRow);
}

// The statistics are sections of our own; every other line of the file,
// the best times above all, keeps its bytes, whatever its line ends.
TEST(Statistics, RoundTripInSectionsOfOurOwnKeepsEveryOtherByte)
{
    const std::string others = "; written by hand\n[MVRO]\nLEVEL3 = 2\nTEXTURE=\"C:\\t.bmp\"\n"
                               "[ SQUARE ]\nT0 = 12\nN0=\"Ann\"\nN1=Bob\n[HEXAGON]\r\nT3=9";
    IniFile ini;
    ini.Parse(others);
    Statistics stats;
    stats.Load(ini);
    EXPECT_EQ(stats.At(ShapeKind::Square, 0).played, 0);
    stats.At(ShapeKind::Square, 0).AddWin({17, 8500});
    stats.At(ShapeKind::Square, 0).AddLoss();
    stats.At(ShapeKind::Hexagon, Statistics::CustomRow).AddWin({3, 900});
    stats.Save(ini);
    const std::string text = ini.Text();
    ASSERT_EQ(text.substr(0, others.size()), others);
    EXPECT_EQ(text.substr(others.size()),
              "\n[MvStats-SQUARE]\nL0Played=2\nL0Won=1\nL0Streak=0\nL0BestStreak=1\nL0Best=17/8500\nL0Wins=17/8500\n"
              "[MvStats-HEXAGON]\nLCPlayed=1\nLCWon=1\nLCStreak=1\nLCBestStreak=1\nLCBest=3/900\nLCWins=3/900\n");

    IniFile again;
    again.Parse(text);
    Statistics back;
    back.Load(again);
    for (ShapeKind shape : kShapes) {
        for (int row = 0; row < Statistics::Rows; ++row) {
            const LevelStats& a = stats.At(shape, row);
            const LevelStats& b = back.At(shape, row);
            EXPECT_EQ(a.played, b.played);
            EXPECT_EQ(a.won, b.won);
            EXPECT_EQ(a.streak, b.streak);
            EXPECT_EQ(a.bestStreak, b.bestStreak);
            EXPECT_EQ(a.wins, b.wins);
            EXPECT_EQ(a.best, b.best);
        }
    }
    EXPECT_EQ(again.GetString("SQUARE", "N0", "", 29), "Ann");

    // A reset takes the shape's keys away and leaves the rest.
    back.Reset(ShapeKind::Square);
    back.Save(again);
    EXPECT_EQ(again.GetString("MvStats-SQUARE", "L0Played", "-", 9), "-");
    EXPECT_EQ(again.GetInt("MvStats-HEXAGON", "LCPlayed", 0), 1);
    EXPECT_EQ(again.Text().substr(0, others.size()), others);
}

TEST(Statistics, DamagedValuesAreKeptInsideWhatCanBeTrue)
{
    IniFile ini;
    ini.Parse("[MvStats-BRICK]\r\nL2Played=-4\r\nL3Played=5\r\nL3Won=9\r\nL3Streak=7\r\nL3BestStreak=1\r\n"
              "L3Wins=12/3000 x/1 0/5 7/-1 9/ 20/1000 5/5000 1/1 2/2 3/3 4/4\r\nL3Best=garbage\r\n");
    Statistics stats;
    stats.Load(ini);
    EXPECT_EQ(stats.At(ShapeKind::Brick, 2).played, 0);
    const LevelStats& s = stats.At(ShapeKind::Brick, 3);
    EXPECT_EQ(s.played, 5);
    EXPECT_EQ(s.won, 5);
    EXPECT_EQ(s.streak, 5);
    EXPECT_EQ(s.bestStreak, 5);
    // The readable wins, no more than were won, the latest kept.
    EXPECT_EQ(s.wins, (std::vector<WinRecord>{{5, 5000}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    ASSERT_TRUE(s.best);
    EXPECT_EQ(*s.best, (WinRecord{1, 1}));  // the fastest of the list
}

TEST(IniFile, UntouchedLinesKeepTheirBytesAndNewLinesTakeTheFilesLineEnds)
{
    const std::string file = "[MVRO]\nSOUND = 1\nTEXTURE=\"x.bmp\"\n[ SQUARE ]\nT0 = 12\nN0=\"Bob\"\n; note\n[HEXAGON]\nT1=7";
    IniFile ini;
    ini.Parse(file);
    ini.Set("MVRO", "SOUND", "1");  // the same value: the line stays as written
    ini.Set("SQUARE", "T0", "12");
    ini.Set("SQUARE", "N0", "Bob");
    EXPECT_EQ(ini.Text(), file);
    ini.Set("MVRO", "SHAPE", "2");
    ini.Set("MvStats-SQUARE", "L0Played", "3");
    EXPECT_EQ(ini.Text(), "[MVRO]\nSOUND = 1\nTEXTURE=\"x.bmp\"\nSHAPE=2\n[ SQUARE ]\nT0 = 12\nN0=\"Bob\"\n; note\n"
                          "[HEXAGON]\nT1=7\n[MvStats-SQUARE]\nL0Played=3\n");
    ini.Set("SQUARE", "T0", "11");
    EXPECT_NE(ini.Text().find("[ SQUARE ]\nT0=11\nN0=\"Bob\"\n"), std::string::npos);
}
