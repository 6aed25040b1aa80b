#include "ScoreWindowsFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/scores/windows/KeepOutside.h"
#include "jigsaw/scores/windows/WMiniScore.h"

#include <QHelpEvent>
#include <QSet>
#include <QToolTip>

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

// Each cell says what it is, in a tooltip of its own: five different texts
// (the player's language, here the windows' English), shown for the cell
// under the pointer.
TEST_F(MiniScoreTest, EveryCellNamesWhatItShowsInItsTooltip)
{
    storeRanking();
    playAWhile();
    showStrip();
    QSet<QString> tips;
    for (unsigned bit : WMiniScore::CellOrder) {
        SCOPED_TRACE(bit);
        const QString tip = strip->cellToolTip(bit);
        EXPECT_FALSE(tip.isEmpty());
        tips.insert(tip);
        const QPoint at = strip->cellRect(bit).center();
        QHelpEvent help(QEvent::ToolTip, at, strip->mapToGlobal(at));
        QApplication::sendEvent(strip.get(), &help);
        EXPECT_EQ(QToolTip::text(), tip);
    }
    EXPECT_EQ(tips.size(), 5);
    EXPECT_TRUE(tips.contains("Score so far"));
    QToolTip::hideText();
}

// The strip's size comes from the system's font, half as large again, not
// from a fixed height: a larger system font gives a taller and wider strip
// whose samples still fit their cells.
TEST_F(MiniScoreTest, TheLetteringFollowsTheSystemsFont)
{
    storeRanking();
    playAWhile();
    const QFont system = QApplication::font();
    struct Size {
        int height, width;
    };
    auto measured = [&](double points) {
        QFont f = system;
        f.setPointSizeF(points);
        QApplication::setFont(f);
        WMiniScore s(*live, host);
        const QFontMetrics fm(s.font());
        EXPECT_NEAR(s.font().pointSizeF(), points * 1.5, 0.01);
        EXPECT_GE(s.height(), fm.height());
        EXPECT_GE(s.cellRect(ScoreChanged).width(), fm.horizontalAdvance("100,000,000"));
        return Size{s.height(), s.width()};
    };
    const Size small = measured(9), large = measured(18);
    QApplication::setFont(system);
    EXPECT_GT(small.height, 18) << "readable at the smallest system font";
    EXPECT_GT(large.height, small.height * 3 / 2);
    EXPECT_GT(large.width, small.width * 3 / 2);
}

// The strip is placed past the picture's area, the shortest way, and stays
// on the screen; dragged by the player it goes where it is put.
TEST(KeepOutside, TheShortestWayPastTheAreaThatStaysOnTheScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    const QRect picture(480, 270, 960, 540);
    const QSize strip(400, 30);
    const struct {
        const char* name;
        QPoint asked;
        QRect avoid;
        QPoint expected;
    } cases[] = {
        {"clear of the area", {0, 0}, picture, {0, 0}},
        {"touching its corner from outside", {80, 240}, picture, {80, 240}},
        {"over its top edge: up", {600, 260}, picture, {600, 240}},
        {"over its bottom edge: down", {600, 800}, picture, {600, 810}},
        {"over its left edge: left", {300, 500}, picture, {80, 500}},
        {"over its right edge: right", {1300, 500}, picture, {1440, 500}},
        {"no area", {600, 500}, QRect(), {600, 500}},
        {"an area as large as the screen: nowhere to go", {600, 500}, screen, {600, 500}},
        {"the way up is off the screen: down", {600, 5}, QRect(0, 0, 1920, 60), {600, 60}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keptOutside(QRect(c.asked, strip), c.avoid, screen), c.expected) << c.name;
    }
}

TEST_F(MiniScoreTest, PlacedPastTheAreaKeptClearButDraggedAnywhere)
{
    storeRanking();
    playAWhile();
    showStrip();
    const QRect screen = strip->screen()->availableGeometry();
    const QRect picture(screen.topLeft() + QPoint(100, 100), QSize(300, 200));
    strip->setKeepClear(picture);
    strip->placeAt(picture.topLeft() + QPoint(10, 10));
    EXPECT_FALSE(strip->frameGeometry().intersects(picture));
    EXPECT_TRUE(screen.contains(strip->frameGeometry()));
}
