// The mini score strip over a game in competition mode: it follows the
// game's score as the player plays, and stays on the screen.
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <gtest/gtest.h>

#include "Drive.h"
#include "ShellFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/shell/windows/ShellScoresHost.h"

using namespace shelltest;

namespace {

// The play window with the strip drawn where it floats over it: the strip
// is a window of its own, which a picture of the play window leaves out.
QImage playWithStrip(qv::WPuz& w, qv::WMiniScore& strip)
{
    QImage shot = w.grab().toImage();
    QPainter p(&shot);
    p.drawPixmap(strip.geometry().topLeft() - w.mapToGlobal(QPoint(0, 0)), strip.grab());
    return shot;
}

}  // namespace

TEST(ScoreStrip, FollowsTheScoreOfTheGameBeingPlayed)
{
    ProgramFolder folder("[Main]\r\nOptions=4128\r\n");  // competition mode
    const auto puzzle = makePuzzle(folder / "bands.puz", 5, 4, 0, 360, 270, 3);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::WPuz& w = s.window();
    qv::WMiniScore* strip = s.app->scoreWindows().miniScore();
    ASSERT_NE(strip, nullptr);
    ASSERT_TRUE(strip->isVisible());

    const char separator = s.app->scoresHost().thousandsSeparator();
    for (int help = 0; help < 3; ++help) {
        QTest::keyClick(&w, Qt::Key_F5);
        QTest::qWait(20);
        SCOPED_TRACE(help);
        EXPECT_EQ(qv::trimBlanks(strip->shown().score), qv::formatNumber(s.app->score().Score(), separator));
        EXPECT_EQ(strip->shown().position, " 1/1 ") << "the only result of this puzzle";
    }
    EXPECT_GT(s.app->score().Counters().joinedSides, 0);

    // A join by hand: the projected score now counts.
    const auto plan = findJoin(w);
    ASSERT_TRUE(plan);
    carryAndDrop(w, *plan);
    QTest::qWait(20);
    ASSERT_GT(s.app->score().ProjectedScore(), 0);
    EXPECT_EQ(qv::trimBlanks(strip->shown().projected), qv::formatNumber(s.app->score().ProjectedScore(), separator));
    EXPECT_EQ(strip->shown().timeColour, s.app->score().paused() ? qv::MiniScore::LightGrey : qv::MiniScore::Green)
        << s.app->score().pauseDepth();

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(screen.contains(strip->frameGeometry())) << "the strip stays on the screen";

    QImage shot = playWithStrip(w, *strip);
    EXPECT_EQ(shot.size(), w.size());
    QLabel view;
    view.setPixmap(QPixmap::fromImage(shot));
    view.resize(shot.size());
    fw::saveScreenshot(view, "play_mini_score");
}
