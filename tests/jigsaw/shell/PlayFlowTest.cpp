// The game end to end through its real window: join, turn, boxes, save,
// quit and start again; a puzzle played to the end.
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "Drive.h"
#include "ShellFixture.h"
#include "jigsaw/library/windows/WSaveAs.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/shell/windows/PuzCommands.h"
#include "jigsaw/play/windows/Sparkle.h"
#include <set>

using namespace shelltest;

namespace {

struct PieceState {
    int16_t x, y;
    uint8_t rotation, box, joined;
    bool operator==(const PieceState&) const = default;
};

std::vector<PieceState> piecesOf(const qv::Puz& puz)
{
    std::vector<PieceState> out;
    for (const qv::SPuz& p : puz.pieces)
        out.push_back({p.tableCell.x, p.tableCell.y, p.rotation, p.box, p.joined});
    return out;
}

int count(const std::vector<std::string>& v, const std::string& s) { return static_cast<int>(std::count(v.begin(), v.end(), s)); }

}  // namespace

TEST(PlayFlow, JoinTurnBoxSaveQuitAndRestart)
{
    ProgramFolder folder;
    const auto puzzle = makePuzzle(folder / "bands.puz", 5, 4);
    std::vector<PieceState> before;
    std::vector<uint8_t> boxFlags;
    std::vector<qv::BoxPlace> places;
    qv::ScoreCounters counters;
    std::filesystem::path saved;
    {
        Started s(folder, puzzle.string());
        ASSERT_EQ(s.status, 0);
        qv::WPuz& w = s.window();
        qv::Puz& puz = s.puz();
        ASSERT_EQ(puz.pieceCount(), 20);
        ASSERT_EQ(w.boxes().size(), 6u);

        const auto plan = findJoin(w);
        ASSERT_TRUE(plan) << "no pair of pieces can be brought together on this screen";
        const int wanted = (puz.pieces[plan->neighbour].rotation - puz.pieces[plan->piece].rotation + 4) & 3;
        s.clearSounds();
        const int turns = carryAndDrop(w, *plan);
        EXPECT_EQ(turns, wanted);
        const qv::SPuz& p = puz.pieces[plan->piece];
        const qv::SPuz& n = puz.pieces[plan->neighbour];
        EXPECT_TRUE(p.joined & (1 << plan->side));
        EXPECT_EQ(s.app->score().Counters().joinedSides, 2);
        EXPECT_EQ(QPoint(p.tableCell.x, p.tableCell.y), besideNeighbour(p, n, plan->side)) << "snapped exactly";
        const auto played = s.played();
        EXPECT_EQ(count(played, "click1.wav"), 1) << "picked up";
        EXPECT_EQ(count(played, "gira.wav"), wanted) << "turned";
        EXPECT_EQ(count(played, "toca.wav"), 1) << "joined";
        EXPECT_EQ(s.app->score().Counters().moves, 1) << "turning while holding is part of the move";

        // Alt+1 sends the group under the pointer to box 1, Alt+Q brings it back.
        const QPoint over = centreInPlay(w, p);
        QTest::mouseMove(&w, over);
        QTest::keyClick(&w, Qt::Key_1, Qt::AltModifier);
        EXPECT_EQ(p.box, 0);
        EXPECT_EQ(n.box, 0);
        EXPECT_EQ(puz.boxes[0].pieceCount, 2);
        qv::WBox* box = w.box(0);
        ASSERT_TRUE(box);
        doubleClick(w, box->geometry().center());
        ASSERT_FALSE(box->isClosed()) << "a double click opens a closed box";
        QTest::mouseMove(&w, centreInPlay(w, p));
        QTest::keyClick(&w, Qt::Key_Q, Qt::AltModifier);
        EXPECT_EQ(p.box, qv::SPuz::OnTable);
        EXPECT_EQ(n.box, qv::SPuz::OnTable);
        EXPECT_TRUE(p.joined & (1 << plan->side)) << "the group stays joined";
        EXPECT_EQ(puz.boxes[0].pieceCount, 0);

        // A game never saved is named in the save-as dialog first.
        answerModal<qv::WSaveAs>([](qv::WSaveAs& d) { d.sendCommand(qv::saveas::NeverSaved); });
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        saved = puz.savedPath;
        ASSERT_FALSE(saved.empty());
        EXPECT_TRUE(std::filesystem::exists(saved));
        EXPECT_FALSE(puz.state & qv::Puz::Changed);

        before = piecesOf(puz);
        for (const qv::Box& b : puz.boxes)
            boxFlags.push_back(b.flags);
        places = puz.boxPlaces;
        counters = s.app->score().Counters();
        EXPECT_TRUE(s.app->commands().Exit());
    }
    Started again(folder, "");
    ASSERT_EQ(again.status, 0);
    qv::Puz& puz = again.puz();
    EXPECT_EQ(puz.savedPath, saved) << "the last game is reopened";
    EXPECT_EQ(piecesOf(puz), before);
    ASSERT_EQ(puz.boxes.size(), boxFlags.size());
    for (size_t k = 0; k < boxFlags.size(); ++k) {
        EXPECT_EQ(puz.boxes[k].flags, boxFlags[k]);
        EXPECT_EQ(puz.boxPlaces[k].window, places[k].window);
        EXPECT_EQ(puz.boxPlaces[k].icon, places[k].icon);
    }
    EXPECT_FALSE(again.window().box(0)->isClosed()) << "box 1 was left open";
    const qv::ScoreCounters c = again.app->score().Counters();
    EXPECT_EQ(c.joinedSides, counters.joinedSides);
    EXPECT_EQ(c.moves, counters.moves);
    EXPECT_EQ(c.helps, counters.helps);
    EXPECT_GE(c.elapsed, counters.elapsed - 1000);
}

TEST(PlayFlow, PlaysToCompletion)
{
    ProgramFolder folder;
    // A fixed seed: with some scatters the last group would have to be
    // carried past the window's edge, the table would scroll under the
    // pointer and the drop would miss.
    const auto puzzle = makePuzzle(folder / "small.puz", 3, 2, 0, 360, 270, 1);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::WPuz& w = s.window();
    qv::Puz& puz = s.puz();
    ASSERT_EQ(puz.pieceCount(), 6);
    // Helps (F5, on release) until two groups are left, then the last join by hand.
    auto groups = [&] {
        std::set<int> firsts;
        for (const qv::SPuz& p : puz.pieces) {
            const auto g = w.rules().group(p.index).pieces();
            firsts.insert(*std::min_element(g.begin(), g.end()));
        }
        return firsts.size();
    };
    for (int i = 0; i < 20 && groups() > 2; ++i)
        QTest::keyClick(&w, Qt::Key_F5);
    ASSERT_EQ(groups(), 2u);
    EXPECT_GT(s.app->score().Counters().helps, 0);
    // The helps build at the table's corner; the two groups are laid apart
    // in the open, so that the hand can reach every side.
    int second = -1;
    for (const qv::SPuz& p : puz.pieces)
        if (!w.rules().group(0).contains(p.index))
            second = p.index;
    ASSERT_GE(second, 0);
    w.rules().MoveGroup(0, {150, 150});
    w.rules().MoveGroup(second, {static_cast<int16_t>(w.width() / 2), static_cast<int16_t>(w.height() / 2)});
    const auto plan = findJoin(w);
    ASSERT_TRUE(plan);
    s.clearSounds();
    carryAndDrop(w, *plan);
    EXPECT_TRUE(puz.state & qv::Puz::Complete);
    EXPECT_EQ(s.app->score().state(), qv::ScoreKeeper::Finished);
    const int32_t elapsed = s.app->score().Elapsed();
    QTest::qWait(60);
    EXPECT_EQ(s.app->score().Elapsed(), elapsed) << "the clock stopped";
    const auto played = s.played();
    EXPECT_EQ(count(played, "fin.wav"), 1);
    EXPECT_EQ(count(played, "toca.wav"), 0);
    EXPECT_TRUE(w.celebrating() || qv::Sparkle::started() > 0);

    // Once the sparkles are over, what the screen shows is what a fresh
    // painting of the window gives: the frame of the finished picture
    // whole, not in streaks where the sparkles happened to repaint.
    EXPECT_TRUE(waitFor([&] { return !w.celebrating() && !qv::Sparkle::running(); }, 15000));
    QTest::qWait(50);
    const QImage onScreen = QGuiApplication::primaryScreen()->grabWindow(w.winId()).toImage().convertToFormat(
        QImage::Format_RGB32);
    const QImage painted = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(onScreen.size(), painted.size());
    int differ = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            differ += onScreen.pixel(x, y) != painted.pixel(x, y);
    EXPECT_EQ(differ, 0) << "pixels the screen shows differently from a fresh painting";
}

// Alt+click marks a group, a second Alt+click moves the marker within it, a
// plain click takes the mark off again: the marker's start is looked up in
// the group each time (the sanitizer build caught that lookup reading a
// group already destroyed).
TEST(PlayFlow, MarkRemarkAndUnmarkAGroup)
{
    ProgramFolder folder;
    const auto puzzle = makePuzzle(folder / "bands.puz", 5, 4);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::WPuz& w = s.window();
    qv::Puz& puz = s.puz();
    const auto plan = findJoin(w);
    ASSERT_TRUE(plan);
    carryAndDrop(w, *plan);
    const qv::SPuz& p = puz.pieces[plan->piece];
    const qv::SPuz& n = puz.pieces[plan->neighbour];
    ASSERT_TRUE(p.joined & (1 << plan->side));
    auto marked = [](const qv::SPuz& piece) { return (piece.flags & qv::PlayRules::Marked) != 0; };

    const QPoint at = centreInPlay(w, p);
    press(w, Qt::LeftButton, at, Qt::AltModifier);
    release(w, Qt::LeftButton, at);
    EXPECT_TRUE(marked(p));
    EXPECT_TRUE(marked(n)) << "the whole group is marked";

    const QPoint other = centreInPlay(w, n);
    press(w, Qt::LeftButton, other, Qt::AltModifier);
    release(w, Qt::LeftButton, other);
    EXPECT_TRUE(marked(p) && marked(n)) << "marking a marked group keeps it marked";

    press(w, Qt::LeftButton, at);
    release(w, Qt::LeftButton, at);
    EXPECT_FALSE(marked(p));
    EXPECT_FALSE(marked(n));
}

// Tab, Esc and the keypad + at the table go to the topmost open box; a key
// the box has no use for (Tab) comes back to the table once, not again and
// again until the stack runs out.
TEST(PlayFlow, KeysPassedToAnOpenBoxComeBackOnce)
{
    ProgramFolder folder;
    const auto puzzle = makePuzzle(folder / "bands.puz", 5, 4);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::WPuz& w = s.window();
    qv::WBox* box = w.box(0);
    ASSERT_TRUE(box);
    doubleClick(w, box->geometry().center());
    ASSERT_FALSE(box->isClosed());
    QTest::keyClick(&w, Qt::Key_Tab);
    EXPECT_FALSE(box->isClosed()) << "Tab leaves the box as it was";
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(box->isClosed()) << "Esc at the table closes the open box";
}
