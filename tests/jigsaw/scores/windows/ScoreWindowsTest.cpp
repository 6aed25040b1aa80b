#include <QPushButton>

#include "ScoreWindowsFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"

using namespace qv;
using namespace qv::test;

TEST_F(ScoreWindowsTest, HubKeepsOneRankingWindowAndFollowsTheHostHooks)
{
    storeRanking();
    open();
    QWidget play;
    ScoreWindows windows(*live, host, &play);

    // Results placed one by one in the current ranking share one window.
    windows.showRankingRow(live->ranking(), 1);
    WRanking* first = windows.rankingWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->showsCurrent());
    EXPECT_EQ(first->highlightedRow(), 1);
    windows.showRankingRow(live->ranking(), 3);
    EXPECT_EQ(windows.rankingWindow(), first);
    EXPECT_EQ(first->highlightedRow(), 3);

    // Another puzzle's ranking takes the window's place, as a copy.
    Ranking other = live->ranking();
    other.title = "Harbour at Dusk";
    windows.showRankingRow(other, 0);
    ASSERT_NE(windows.rankingWindow(), nullptr);
    EXPECT_FALSE(windows.rankingWindow()->showsCurrent());
    EXPECT_FALSE(first->isVisible());
    other.records.erase(other.records.begin());
    windows.showRankingRow(other, -1);
    EXPECT_EQ(windows.rankingWindow()->ranking().records.size(), other.records.size());

    // F4 shows the current ranking again; switching scores off closes it.
    WRanking* current = windows.ShowRanking();
    ASSERT_NE(current, nullptr);
    EXPECT_TRUE(current->showsCurrent());
    EXPECT_EQ(windows.ShowRanking(), current);
    windows.closeRankingWindow();
    EXPECT_FALSE(current->isVisible());

    ReceivedRanking received;
    received.ranking = live->ranking();
    windows.showReceivedRanking(received);
    ASSERT_NE(windows.receivedWindow(), nullptr);
    EXPECT_NE(windows.receivedWindow()->control(WRanking::IdMerge), nullptr);
    fw::saveScreenshot(*windows.receivedWindow(), "ranking_received");

    windows.showMiniScore(true, QPoint(20, 20));
    ASSERT_NE(windows.miniScore(), nullptr);
    EXPECT_TRUE(windows.miniScore()->isVisible());
    clock.tick += 61000;
    keeper.Refresh();
    windows.updateMiniScore(AllChanged);
    EXPECT_EQ(windows.miniScore()->shown().time, "00:01:01");
    windows.showMiniScore(false);
    EXPECT_FALSE(windows.miniScore()->isVisible());
}
