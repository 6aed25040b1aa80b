// The end of a game: what counts as placed, what the finish window shows
// and what each of its buttons asks for.
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>

#include "ScoreWindowsFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/scores/FinishFacts.h"
#include "jigsaw/scores/windows/WFinish.h"
#include "jigsaw/scores/windows/WProgressLine.h"

using namespace qv;
using namespace qv::test;

namespace {

using Joins = std::vector<std::pair<int, int>>;

// A grid of pieces and their neighbours; joins are pairs of piece numbers
// (row-major).
void makeGrid(Puz& puz, int columns, int rows, const Joins& joins, bool complete = false)
{
    puz.columns[0] = static_cast<int16_t>(columns);
    puz.rows[0] = static_cast<int16_t>(rows);
    puz.pieces.resize(static_cast<size_t>(columns * rows));
    for (int i = 0; i < columns * rows; ++i) {
        SPuz& p = puz.pieces[static_cast<size_t>(i)];
        p.index = static_cast<int16_t>(i);
        const int c = i % columns, r = i / columns;
        p.neighbour[0] = c > 0 ? static_cast<int16_t>(i - 1) : -1;
        p.neighbour[1] = r > 0 ? static_cast<int16_t>(i - columns) : -1;
        p.neighbour[2] = c + 1 < columns ? static_cast<int16_t>(i + 1) : -1;
        p.neighbour[3] = r + 1 < rows ? static_cast<int16_t>(i + columns) : -1;
    }
    for (auto [a, b] : joins) {
        SPuz& pa = puz.pieces[static_cast<size_t>(a)];
        SPuz& pb = puz.pieces[static_cast<size_t>(b)];
        for (int k = 0; k < 4; ++k) {
            if (pa.neighbour[k] == b) {
                pa.joined |= static_cast<uint8_t>(1 << k);
                pb.joined |= static_cast<uint8_t>(1 << ((k + 2) % 4));
            }
        }
    }
    if (complete)
        puz.state |= Puz::Complete;
}

}  // namespace

TEST(PlacedPieces, APieceIsPlacedOnceOneOfItsSidesIsJoined)
{
    const struct {
        const char* name;
        int columns, rows;
        Joins joins;
        bool complete;
        int placed;
    } cases[] = {
        {"nothing joined", 3, 2, {}, false, 0},
        {"one join places both pieces", 3, 2, {{0, 1}}, false, 2},
        {"a piece joined on two sides counts once", 3, 2, {{0, 1}, {1, 2}}, false, 3},
        {"two separate groups", 3, 2, {{0, 1}, {5, 4}}, false, 4},
        {"a single piece, complete at once", 1, 1, {}, true, 1},
        {"every side joined", 2, 2, {{0, 1}, {2, 3}, {0, 2}, {1, 3}}, true, 4},
    };
    for (const auto& c : cases) {
        Puz puz;
        makeGrid(puz, c.columns, c.rows, c.joins, c.complete);
        EXPECT_EQ(placedPieces(puz), c.placed) << c.name;
    }
}

TEST_F(ScoreWindowsTest, TheProgressLineCountsPlacedPiecesWithTheLocalesSeparator)
{
    ProgressFacts facts;
    facts.placed = 312;
    facts.total = 1020;
    facts.elapsedMs = 3723000;
    facts.running = true;
    host.separator = '.';
    WProgressLine line([&] { return facts; }, host);
    EXPECT_EQ(line.placedText(), "312 of 1.020 pieces placed");
    EXPECT_EQ(line.timeText(), "01:02:03");
    EXPECT_FALSE(line.toolTip().isEmpty()) << "it says what counts as placed";
    const QFontMetrics fm(line.font());
    EXPECT_GE(line.width(), fm.horizontalAdvance(line.placedText() + "  01:02:03"));

    facts.placed = 313;
    line.Update();
    EXPECT_EQ(line.shown().placed, 313);
    EXPECT_EQ(line.placedText(), "313 of 1.020 pieces placed");
}

TEST_F(ScoreWindowsTest, FinishFactsHoldTheFiguresThePlaceAndTheOtherSizes)
{
    storeRanking();
    open();
    join(40);  // 40000 + 40 x 1750 = 110000: second of six
    for (int i = 0; i < 57; ++i)
        keeper.AddMove();
    keeper.AddHelp(0);
    clock.tick += 754321;
    keeper.Finish();

    Puz puz;
    makeGrid(puz, 8, 10, {});
    puz.entry.title = game.title;
    puz.columns[0] = 4, puz.rows[0] = 5;
    puz.columns[1] = 8, puz.rows[1] = 10;
    puz.columns[3] = 16, puz.rows[3] = 20;  // level 2 left empty
    puz.columns[5] = 7, puz.rows[5] = 7;    // the typed size is not offered
    puz.sizeIndex = 1;
    FinishFacts f = FinishFacts::Of(puz, *live);
    EXPECT_EQ(f.title, game.title);
    EXPECT_EQ(f.elapsedMs, 754321);
    EXPECT_EQ(f.moves, 57);
    EXPECT_EQ(f.helps, 1);
    EXPECT_EQ(f.score, keeper.Score());
    EXPECT_EQ(f.place, live->liveIndex() + 1);
    EXPECT_EQ(f.place, 2);
    EXPECT_EQ(f.results, 6);
    const std::vector<FinishFacts::Size> others = {{0, 4, 5}, {3, 16, 20}};
    EXPECT_EQ(f.otherSizes, others);

    // Outside competition there is no place to tell.
    live->CloseRanking();
    f = FinishFacts::Of(puz, *live);
    EXPECT_EQ(f.place, 0);
    EXPECT_EQ(f.results, 0);
}

// The window shows the figures and the place, and each button asks for its
// step (another size with the size chosen in the list) and closes; Close
// asks for nothing. The ranking is offered only with a place to show, and
// another size only when the puzzle has one.
TEST_F(ScoreWindowsTest, TheFinishWindowsButtonsAskForTheirStep)
{
    FinishFacts f;
    f.title = "Castle by the Sea";
    f.elapsedMs = 754321;
    f.moves = 1234;
    f.helps = 2;
    f.score = 98765;
    f.place = 2;
    f.results = 6;
    f.otherSizes = {{0, 4, 5}, {3, 16, 20}};

    {
        auto* w = new WFinish(f, host);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        EXPECT_EQ(w->heading(), "You have finished Castle by the Sea!");
        const std::vector<std::pair<std::string, std::string>> lines = {
            {"Time:", "00:12:34.3"}, {"Moves:", "1,234"},    {"Helps:", "2"},
            {"Score:", "98,765"},    {"Place in the ranking:", "2 of 6"},
        };
        EXPECT_EQ(w->lines(), lines);
        fw::saveScreenshot(*w, "finish_window");
        auto* list = qobject_cast<QComboBox*>(w->control(WFinish::IdSizes));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->itemText(1).toStdString(), "16 x 20 (320 pieces)");
        list->setCurrentIndex(1);
        QSignalSpy spy(w, &WFinish::stepChosen);
        QPointer<WFinish> alive(w);
        QTest::mouseClick(qobject_cast<QPushButton*>(w->control(WFinish::IdAnotherSize)), Qt::LeftButton);
        ASSERT_EQ(spy.size(), 1);
        EXPECT_EQ(spy[0][0].toInt(), int(WFinish::IdAnotherSize));
        EXPECT_EQ(spy[0][1].toInt(), 3) << "the size index of the chosen row";
        QApplication::processEvents();
        EXPECT_TRUE(alive.isNull() || !alive->isVisible()) << "closed";
    }

    const struct {
        int button;
        int step;  // 0: none
    } presses[] = {
        {WFinish::IdAnotherPuzzle, WFinish::IdAnotherPuzzle},
        {WFinish::IdRanking, WFinish::IdRanking},
        {WFinish::IdClose, 0},
    };
    for (const auto& p : presses) {
        SCOPED_TRACE(p.button);
        auto* w = new WFinish(f, host);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QSignalSpy spy(w, &WFinish::stepChosen);
        QPointer<WFinish> alive(w);
        QTest::mouseClick(qobject_cast<QPushButton*>(w->control(p.button)), Qt::LeftButton);
        ASSERT_EQ(spy.size(), p.step ? 1 : 0);
        if (p.step)
            EXPECT_EQ(spy[0][0].toInt(), p.step);
        QApplication::processEvents();
        EXPECT_TRUE(alive.isNull() || !alive->isVisible());
    }

    // No ranking (outside competition), no other size.
    f.place = f.results = 0;
    f.otherSizes.clear();
    WFinish w(f, host);
    EXPECT_EQ(w.lines().size(), 4u) << "no place line";
    EXPECT_FALSE(w.control(WFinish::IdRanking)->isEnabled());
    EXPECT_FALSE(w.control(WFinish::IdAnotherSize)->isEnabled());
    EXPECT_TRUE(w.control(WFinish::IdAnotherPuzzle)->isEnabled());
}
