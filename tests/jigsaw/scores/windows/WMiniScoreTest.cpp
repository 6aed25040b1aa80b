#include "ScoreWindowsFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/scores/windows/WMiniScore.h"

using namespace qv;
using namespace qv::test;

namespace {

struct MiniScoreTest : ScoreWindowsTest {
    std::unique_ptr<WMiniScore> strip;

    void showStrip()
    {
        strip = std::make_unique<WMiniScore>(*live, host);
        strip->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(strip.get()));
        QApplication::processEvents();
    }

    // Updates the strip as the score keeping asks it to (every cell named)
    // and lets it paint.
    unsigned update()
    {
        strip->Update(AllChanged);
        QApplication::processEvents();
        return strip->lastRepainted();
    }

    QRegion cells(unsigned bits) const
    {
        QRegion r;
        for (unsigned bit : WMiniScore::CellOrder) {
            if (bits & bit)
                r |= strip->cellRect(bit);
        }
        return r;
    }
};

}  // namespace

TEST_F(MiniScoreTest, OnlyTheCellsThatChangedAreRepainted)
{
    storeRanking();
    open();
    join(23);  // 80250: fourth of six, a joint below the saved game
    showStrip();
    ASSERT_EQ(strip->shown().position, " 4/6 ");

    // A second goes by: the time cell and the scores it costs.
    clock.tick += 1000;
    keeper.Refresh();
    EXPECT_EQ(update(), unsigned(TimeChanged | ScoreChanged | ProjectedChanged));
    EXPECT_EQ(strip->lastPaintRegion(), cells(TimeChanged | ScoreChanged | ProjectedChanged));

    // Less than a second later nothing is different.
    clock.tick += 50;
    keeper.Refresh();
    EXPECT_EQ(update(), 0u);

    // Passing the saved game lifts the place from 4 to 3: the score cells
    // and the place, which turns from green (a joint away) to white.
    EXPECT_EQ(strip->shown().positionColour, MiniScore::Green);
    join(1);
    const unsigned changed = update();
    EXPECT_TRUE(changed & PositionChanged);
    EXPECT_FALSE(changed & TimeChanged);
    EXPECT_EQ(strip->shown().position, " 3/6 ");
    EXPECT_EQ(strip->shown().positionColour, MiniScore::White);
    EXPECT_FALSE(strip->lastPaintRegion().intersects(strip->cellRect(TimeChanged)));
    EXPECT_TRUE(strip->lastPaintRegion().contains(strip->cellRect(PositionChanged)));

    // Pausing greys the time and touches nothing else.
    keeper.Pause();
    EXPECT_EQ(update(), unsigned(TimeChanged));
    EXPECT_EQ(strip->shown().timeColour, MiniScore::LightGrey);
}

TEST_F(MiniScoreTest, CellsFitTheirSamplesAndTheStripStaysOnTheScreen)
{
    storeRanking();
    playAWhile();
    showStrip();
    const QFontMetrics fm(strip->font());
    EXPECT_GE(strip->cellRect(ScoreChanged).width(), fm.horizontalAdvance("100,000,000"));
    EXPECT_GE(strip->cellRect(PositionChanged).width(), fm.horizontalAdvance("100 / 100"));
    EXPECT_TRUE(strip->cellRect(0x08).isEmpty());
    fw::saveScreenshot(*strip, "mini_score");

    const QRect screen = strip->screen()->availableGeometry();
    strip->placeAt(screen.bottomRight());
    EXPECT_TRUE(screen.contains(strip->frameGeometry()));
    strip->placeAt(screen.topLeft() - QPoint(500, 500));
    EXPECT_EQ(strip->pos(), screen.topLeft());
}
