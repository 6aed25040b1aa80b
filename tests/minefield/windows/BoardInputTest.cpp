// The board window turns the player's keys and buttons into moves of the
// game: every route to chording, and the keyboard's cursor, flag and open.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <functional>

#include "FrameFixture.h"
#include "minefield/BoardTopology.h"

using namespace mf;
using mftest::FrameFixture;

namespace {

bool IsNeighbour(const BoardTopology& t, CellPos a, CellPos b)
{
    const auto n = t.Neighbours(t.Index(a));
    return std::find(n.begin(), n.end(), t.Index(b)) != n.end();
}

// An open number that still has covered safe neighbours, its mines flagged.
CellPos OpenNumberReadyToChord(FrameFixture& f, const BoardTopology& t)
{
    MineGame& game = f.Game();
    for (int32_t i = 0; i < t.CellCount(); ++i) {
        const CellPos p = t.Pos(i);
        const TCell& cell = game.Cell(p);
        if (cell.IsMine() || cell.value < 1 || cell.value > 8)
            continue;
        f.Click(p);
        if (game.GameOver() || game.Cell(p).state != 1)
            continue;
        int safeCovered = 0;
        for (int32_t n : t.Neighbours(i))
            safeCovered += !game.Cell(t.Pos(n)).IsMine() && game.Cell(t.Pos(n)).state == 0;
        if (safeCovered == 0)
            continue;
        for (int32_t n : t.Neighbours(i))
            if (game.Cell(t.Pos(n)).IsMine() && !game.Cell(t.Pos(n)).flagged)
                game.ToggleFlagAt(t.Pos(n));
        return p;
    }
    ADD_FAILURE() << "no number to chord on";
    return {};
}

void PutCursorOn(TMyWindow& board, const MineGame& game, CellPos p)
{
    QTest::keyClick(&board, Qt::Key_Up);  // the first key only shows the cursor
    for (int i = 0; i < game.Width() + game.Height(); ++i) {
        QTest::keyClick(&board, Qt::Key_Up);
        QTest::keyClick(&board, Qt::Key_Left);
    }
    for (int32_t c = 0; c < p.c; ++c)
        QTest::keyClick(&board, Qt::Key_Right);
    for (int32_t r = 0; r < p.r; ++r)
        QTest::keyClick(&board, Qt::Key_Down);
}

}  // namespace

TEST(BoardInput, EveryRouteToAChordOpensTheOtherNeighbours)
{
    using Route = std::function<void(TMyWindow&, const MineGame&, CellPos, QPoint)>;
    const struct {
        const char* name;
        const char* ini;
        Route chord;
    } routes[] = {
        {"the middle button", "[MVRO]\r\nTEXTURE=0\r\n",
         [](TMyWindow& b, const MineGame&, CellPos, QPoint at) {
             QTest::mousePress(&b, Qt::MiddleButton, {}, at);
             QTest::mouseRelease(&b, Qt::MiddleButton, {}, at);
         }},
        {"left, then right with left held", "[MVRO]\r\nTEXTURE=0\r\n",
         [](TMyWindow& b, const MineGame&, CellPos, QPoint at) {
             QTest::mousePress(&b, Qt::LeftButton, {}, at);
             QTest::mousePress(&b, Qt::RightButton, {}, at);
             QTest::mouseRelease(&b, Qt::RightButton, {}, at);
             QTest::mouseRelease(&b, Qt::LeftButton, {}, at);
         }},
        {"right, then left with right held", "[MVRO]\r\nTEXTURE=0\r\n",
         [](TMyWindow& b, const MineGame&, CellPos, QPoint at) {
             QTest::mousePress(&b, Qt::RightButton, {}, at);
             QTest::mousePress(&b, Qt::LeftButton, {}, at);
             QTest::mouseRelease(&b, Qt::LeftButton, {}, at);
             QTest::mouseRelease(&b, Qt::RightButton, {}, at);
         }},
        {"the left button, with the option", "[MVRO]\r\nTEXTURE=0\r\nMvLeftChord=1\r\n",
         [](TMyWindow& b, const MineGame&, CellPos, QPoint at) { QTest::mouseClick(&b, Qt::LeftButton, {}, at); }},
        {"the C key on the cursor", "[MVRO]\r\nTEXTURE=0\r\n",
         [](TMyWindow& b, const MineGame& game, CellPos p, QPoint) {
             PutCursorOn(b, game, p);
             ASSERT_TRUE(game.CursorShown());
             ASSERT_EQ(game.Cursor().c, p.c);
             ASSERT_EQ(game.Cursor().r, p.r);
             QTest::keyClick(&b, Qt::Key_C);
         }},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.name);
        FrameFixture f(route.ini);
        ASSERT_EQ(f.Game().Shape(), ShapeKind::Square);
        const BoardTopology t(f.Game().Shape(), f.Game().Width(), f.Game().Height());
        const CellPos p = OpenNumberReadyToChord(f, t);
        ASSERT_FALSE(f.Game().GameOver());
        route.chord(f.frame->Board(), f.Game(), p, f.frame->Board().CellCentre(p));
        EXPECT_FALSE(f.Game().GameOver());
        for (int32_t n : t.Neighbours(t.Index(p))) {
            const TCell& cell = f.Game().Cell(t.Pos(n));
            if (!cell.IsMine())
                EXPECT_EQ(cell.state, 1) << "neighbour " << t.Pos(n).c << "," << t.Pos(n).r << " still covered";
            else
                EXPECT_TRUE(cell.flagged);
        }
    }
}

TEST(BoardInput, TheKeysShowAndMoveTheCursorFlagAndOpen)
{
    FrameFixture f;
    TMyWindow& board = f.frame->Board();
    const MineGame& game = f.Game();
    const BoardTopology t(game.Shape(), game.Width(), game.Height());

    EXPECT_FALSE(game.CursorShown());
    QTest::keyClick(&board, Qt::Key_Right);
    ASSERT_TRUE(game.CursorShown());
    const CellPos shown = game.Cursor();
    QTest::keyClick(&board, Qt::Key_Right);
    const CellPos moved = game.Cursor();
    EXPECT_TRUE(IsNeighbour(t, shown, moved)) << moved.c << "," << moved.r;

    QTest::keyClick(&board, Qt::Key_F);
    EXPECT_TRUE(game.Cell(moved).flagged);
    QTest::keyClick(&board, Qt::Key_Space);
    EXPECT_EQ(game.Cell(moved).state, 0) << "a flagged cell does not open";
    QTest::keyClick(&board, Qt::Key_F);
    EXPECT_FALSE(game.Cell(moved).flagged);

    // Open a safe cell by the keys alone.
    CellPos safe{};
    for (int32_t i = 0; i < t.CellCount(); ++i)
        if (!game.Cell(t.Pos(i)).IsMine()) {
            safe = t.Pos(i);
            break;
        }
    PutCursorOn(board, game, safe);
    QTest::keyClick(&board, Qt::Key_Return);
    EXPECT_EQ(game.Cell(safe).state, 1);
    EXPECT_FALSE(game.GameOver());

    // A mouse button hides the cursor again.
    QTest::mouseClick(&board, Qt::RightButton, {}, board.CellCentre(safe));
    EXPECT_FALSE(game.CursorShown());
}
