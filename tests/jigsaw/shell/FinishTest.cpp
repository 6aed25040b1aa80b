// The end of a game through the whole program: the finish window opens on
// completion with the game's figures, and each of its steps does what it
// says; the progress line of games outside competition; the completion
// message on the finished picture's border is still there.
#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include "Drive.h"
#include "ShellFixture.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/library/windows/WLibrary.h"
#include "jigsaw/play/CommandIds.h"
#include "jigsaw/play/windows/Sparkle.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/scores/windows/WFinish.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WProgressLine.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/shell/windows/PuzCommands.h"

using namespace shelltest;

namespace {

// A puzzle of two stock sizes: 2 x 2 and 3 x 2.
std::filesystem::path twoSizes(const ProgramFolder& folder)
{
    qv::Puz puz;
    puz.edit = qv::Puz::Making;
    puz.columns[0] = 2, puz.rows[0] = 2;
    puz.columns[1] = 3, puz.rows[1] = 2;
    puz.stockSizeCount = 2;
    puz.entry.title = "Bands";
    puz.puzzleSeed = 1;
    qv::PictureSource source;
    source.bitmap = bandsPicture();
    const auto path = folder / "bands.puz";
    EXPECT_TRUE(qv::WritePuzzleFile(puz, path, source, fw::Bitmap(80, 60, 0x336699), fw::Display()).ok());
    return path;
}

// Helps until the puzzle is complete (a help joins one pair at a time).
void completeWithHelps(Started& s)
{
    for (int i = 0; i < 20 && !(s.puz().state & qv::Puz::Complete); ++i)
        QTest::keyClick(&s.window(), Qt::Key_F5);
    ASSERT_TRUE(s.puz().state & qv::Puz::Complete);
}

qv::WFinish* finishWindow(Started& s)
{
    qv::WFinish* w = nullptr;
    waitFor([&] {
        w = s.app->scoreWindows().finishWindow();
        return w && w->isVisible();
    });
    return w;
}

void press(qv::WFinish& w, int button)
{
    auto* b = qobject_cast<QPushButton*>(w.control(button));
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton);
}

QRect globalRect(const QWidget& w) { return QRect(w.mapToGlobal(QPoint(0, 0)), w.size()); }

QRect pictureOnScreen(qv::WPuz& w)
{
    const QRect area = w.toWindow(w.pictureArea());
    return QRect(w.mapToGlobal(area.topLeft()), area.size());
}

}  // namespace

TEST(Finish, CompletingOpensTheWindowWithTheGamesFiguresAndAnotherSizeOpensThatSize)
{
    ProgramFolder folder;
    const auto puzzle = twoSizes(folder);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    ASSERT_EQ(s.puz().pieceCount(), 4);
    EXPECT_EQ(s.app->scoreWindows().finishWindow(), nullptr) << "nothing to finish yet";
    completeWithHelps(s);
    qv::WFinish* w = finishWindow(s);
    ASSERT_NE(w, nullptr) << "the window opens once the help that completed the game is over";

    const qv::ScoreCounters c = s.app->score().Counters();
    EXPECT_EQ(w->facts().elapsedMs, c.elapsed);
    EXPECT_EQ(w->facts().moves, c.moves);
    EXPECT_EQ(w->facts().helps, c.helps);
    EXPECT_GT(w->facts().helps, 0);
    EXPECT_EQ(w->facts().score, s.app->score().Score());
    EXPECT_EQ(w->facts().place, 0) << "no ranking outside competition";
    EXPECT_FALSE(w->control(qv::WFinish::IdRanking)->isEnabled());
    EXPECT_EQ(w->heading(), "You have finished Bands!");
    EXPECT_EQ(w->parentWidget(), &s.window()) << "a dialog of the play window";
    EXPECT_TRUE(w->windowFlags() & Qt::Dialog);
    EXPECT_TRUE(s.window().celebrating() || qv::Sparkle::started() > 0) << "the sparkles still come";

    // The other size, with the finished game settled first (not saved here).
    const auto sizes = w->facts().otherSizes;
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].index, 1);
    bool asked = false;
    answerModal<fw::MUBox>([&](fw::MUBox& box) {
        asked = true;
        box.command(4);  // No
    });
    press(*w, qv::WFinish::IdAnotherSize);
    EXPECT_TRUE(waitFor([&] { return s.puz().pieceCount() == 6; }));
    EXPECT_TRUE(asked) << "the finished game was changed: the player is asked about it";
    EXPECT_EQ(s.puz().gridColumns(), 3);
    EXPECT_EQ(s.puz().gridRows(), 2);
    EXPECT_EQ(s.puz().sizeIndex, 1);
    EXPECT_EQ(s.puz().puzzlePath, puzzle);
    EXPECT_FALSE(s.puz().state & qv::Puz::Complete);
    EXPECT_EQ(s.app->score().state(), qv::ScoreKeeper::Running);
    EXPECT_EQ(s.app->scoreWindows().finishWindow(), nullptr);
}

TEST(Finish, InACompetitionGameItTellsThePlaceAndOpensTheRankingTheLibraryOrNothing)
{
    ProgramFolder folder("[Main]\r\nOptions=4128\r\n");  // competition mode
    const auto puzzle = twoSizes(folder);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    completeWithHelps(s);
    qv::WFinish* w = finishWindow(s);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->facts().place, 1);
    EXPECT_EQ(w->facts().results, 1);
    ASSERT_EQ(w->lines().size(), 5u);
    EXPECT_EQ(w->lines().back(), (std::pair<std::string, std::string>("Place in the ranking:", "1 of 1")));
    EXPECT_EQ(s.app->scoreWindows().progressLine() ? s.app->scoreWindows().progressLine()->isVisible() : false, false)
        << "a competition game has the strip, not the progress line";

    press(*w, qv::WFinish::IdRanking);
    EXPECT_TRUE(waitFor([&] {
        qv::WRanking* r = s.app->scoreWindows().rankingWindow();
        return r && r->isVisible() && r->showsCurrent();
    }));
    s.app->scoreWindows().rankingWindow()->close();

    // Another puzzle: the library, which the player leaves at once.
    w = s.app->scoreWindows().ShowFinish(s.puz());
    bool library = false;
    answerModal<qv::WLibrary>([&](qv::WLibrary& l) {
        library = true;
        l.sendCommand(qv::WLibrary::IdCancel);
    });
    press(*w, qv::WFinish::IdAnotherPuzzle);
    EXPECT_TRUE(waitFor([&] { return library; }));
    EXPECT_EQ(s.puz().pieceCount(), 4) << "nothing chosen: the finished game stays";

    // Close: nothing else happens.
    w = s.app->scoreWindows().ShowFinish(s.puz());
    QPointer<qv::WFinish> alive(w);
    press(*w, qv::WFinish::IdClose);
    EXPECT_TRUE(waitFor([&] { return alive.isNull() || !alive->isVisible(); }));
    QTest::qWait(50);
    EXPECT_EQ(s.puz().pieceCount(), 4);
    EXPECT_EQ(s.app->scoreWindows().rankingWindow(), nullptr);

    // The completion message on the finished picture's border stays as it was.
    bool message = false;
    answerModal<fw::MUBox>([&](fw::MUBox& box) {
        message = true;
        box.command(1);
    });
    const QRect border = s.window().completionBorder();
    ASSERT_FALSE(border.isEmpty());
    QTest::mouseClick(&s.window(), Qt::LeftButton, {}, border.topLeft() + QPoint(1, 1));
    EXPECT_TRUE(waitFor([&] { return message; }));
}

// Outside competition the progress line counts the placed pieces (those
// with a joined side) and keeps off the picture's area; the window menu's
// entry turns it off and on, kept in the settings; a competition game has
// the strip instead.
TEST(ProgressLine, CountsPlacedPiecesAndFollowsItsSettingAndTheCompetition)
{
    ProgramFolder folder;
    const auto puzzle = makePuzzle(folder / "bands.puz", 5, 4);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::WPuz& w = s.window();
    qv::WProgressLine* line = s.app->scoreWindows().progressLine();
    ASSERT_NE(line, nullptr) << "on by default";
    ASSERT_TRUE(line->isVisible());
    EXPECT_EQ(line->placedText(), "0 of 20 pieces placed");
    EXPECT_FALSE(globalRect(*line).intersects(pictureOnScreen(w)));

    const auto plan = findJoin(w);
    ASSERT_TRUE(plan);
    carryAndDrop(w, *plan);
    QTest::qWait(20);
    ASSERT_EQ(s.app->score().Counters().joinedSides, 2);
    EXPECT_EQ(line->placedText(), "2 of 20 pieces placed");
    EXPECT_EQ(line->timeText().size(), 8);

    s.app->commands().Command(qv::cmd::ProgressLine);
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(s.app->profile().getInt({}, qv::PuzCommands::ProgressLineKey, 1), 0);
    s.app->commands().Command(qv::cmd::ProgressLine);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(s.app->profile().getInt({}, qv::PuzCommands::ProgressLineKey, 0), 1);

    s.app->commands().Command(qv::cmd::Competition);
    EXPECT_FALSE(line->isVisible()) << "a competition game has the strip";
    qv::WMiniScore* strip = s.app->scoreWindows().miniScore();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_FALSE(strip->frameGeometry().intersects(pictureOnScreen(w)));
    s.app->commands().Command(qv::cmd::Competition);
    EXPECT_TRUE(line->isVisible());
}
