// The session's aids beside the written rules: undo and redo, the edge
// pieces and the search by the preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/Options.h"
#include "jigsaw/play/PlayHistory.h"
#include "SessionFixture.h"

using namespace qv;
using qv::test::Session;

namespace {

// What undo must put back: every piece's place, turn, box and marking, the
// drawing order, the pieces' rectangles and the boxes' counts.
struct Lay {
    PlayHistory::Snapshot snap;
    std::vector<Rect16> tables;
    std::vector<int> boxCounts;

    explicit Lay(const Puz& puz) : snap(PlayHistory::take(puz))
    {
        for (const SPuz& s : puz.pieces)
            tables.push_back(s.table);
        for (const Box& b : puz.boxes)
            boxCounts.push_back(b.pieceCount);
    }
    bool operator==(const Lay& o) const
    {
        return snap.pieces == o.snap.pieces && snap.order == o.snap.order && tables == o.tables &&
               boxCounts == o.boxCounts;
    }
};

void drag(Session& t, int piece, Point16 to)
{
    t.s().pickUp(piece, {5, 5});
    t.s().dragTo(to);
    t.s().drop();
}

}  // namespace

TEST(PlaySessionUndo, PutsBackEveryKindOfChangeAndRedoesIt)
{
    struct Case {
        const char* what;
        std::function<void(Session&)> op;
    } cases[] = {
        {"a drag", [](Session& t) { drag(t, 0, {800, 900}); }},
        {"a drag into a box", [](Session& t) {
             t.s().pickUp(0, {5, 5});
             t.s().carryTo(0, {50, 60});
             t.s().drop();
         }},
        {"a turn", [](Session& t) { t.s().turnByCommand(2, 1, nullptr); }},
        {"a turn during a drag", [](Session& t) {
             t.s().pickUp(3, {5, 5});
             t.s().turnHeld(3, {1920, 1010});
             t.s().dragTo({700, 300});
             t.s().drop();
         }},
        {"sending to a box and back", [](Session& t) {
             t.s().sendToBox(1, 0, {10, 30});
             t.s().sendToBox(1, SPuz::OnTable, {400, 80});
         }},
        {"tidying", [](Session& t) { t.s().tidy(SPuz::OnTable, false); }},
        {"a band's spreading", [](Session& t) { t.s().spread(SPuz::OnTable, {0, 0, 300, 300}); }},
        {"marking", [](Session& t) { t.s().setMarked(1, true); }},
        {"a band's marking", [](Session& t) { t.s().markAll({0, 2, 5}, true); }},
        {"gathering the edge pieces", [](Session& t) { t.s().gatherEdges(0); }},
    };
    for (const Case& c : cases) {
        Session t(4, 3);
        t.puz.options = 0;  // the pieces turn
        t.s().setMarked(7, true);  // a marking for the others to keep
        const Lay before(t.puz);
        const size_t steps = t.s().history().undoSteps();
        c.op(t);
        const Lay after(t.puz);
        ASSERT_FALSE(after == before) << c.what << " changed nothing";
        const size_t made = t.s().history().undoSteps() - steps;
        ASSERT_GE(made, 1u) << c.what;
        for (size_t i = 0; i < made; ++i)
            EXPECT_TRUE(t.s().undo().done) << c.what;
        EXPECT_TRUE(Lay(t.puz) == before) << c.what << ": undone";
        EXPECT_TRUE(t.piece(7).flags & PlayRules::Marked) << c.what << ": the step before stays";
        for (size_t i = 0; i < made; ++i)
            EXPECT_TRUE(t.s().redo().done) << c.what;
        EXPECT_TRUE(Lay(t.puz) == after) << c.what << ": redone";
        EXPECT_TRUE(t.s().rules().invariantsHold()) << c.what;
        EXPECT_FALSE(t.s().redo().done) << c.what << ": nothing more to redo";
    }
}

TEST(PlaySessionUndo, AJoinIsFinal)
{
    Session t;
    drag(t, 2, {1500, 600});
    const Point16 afterFirst = t.cell(2);
    EXPECT_TRUE(t.s().canUndo());

    // A drop that joins: nothing before it can be undone, that drop neither.
    t.s().pickUp(1, {0, 0});
    t.s().dragTo(t.beside(0, 1, 2, 2));
    ASSERT_TRUE(t.s().drop().joined);
    EXPECT_FALSE(t.s().canUndo());
    EXPECT_FALSE(t.s().undo().done);
    EXPECT_EQ(t.piece(1).joined & 0x0F, 1 << SideLeft) << "the join stays";

    // After the join: back to it, and no further.
    drag(t, 2, {2500, 700});
    drag(t, 0, {600, 200});  // the joined pair moves as one
    EXPECT_TRUE(t.s().undo().done);
    EXPECT_TRUE(t.s().undo().done);
    EXPECT_EQ(t.cell(2), afterFirst);
    EXPECT_FALSE(t.s().undo().done) << "the join is as far as undo goes";
    EXPECT_TRUE(t.s().canRedo());

    // A join the session did not make (the automatic help) ends the history too.
    t.s().redo();
    ASSERT_TRUE(t.s().canUndo());
    t.s().rules().MoveGroup(4, t.beside(3, 4));
    ASSERT_NE(t.s().rules().TryJoin(4, false), PlayRules::NoPiece);
    EXPECT_FALSE(t.s().canUndo());
    EXPECT_FALSE(t.s().canRedo());

    // A new step forgets what was undone.
    drag(t, 5, {300, 300});
    t.s().undo();
    ASSERT_TRUE(t.s().canRedo());
    drag(t, 5, {350, 350});
    EXPECT_FALSE(t.s().canRedo());

    // A drag that ends where it began makes no step; a held group refuses undo.
    const size_t steps = t.s().history().undoSteps();
    t.s().pickUp(2, {5, 5});
    EXPECT_FALSE(t.s().undo().done) << "a group is held";
    t.s().drop();
    EXPECT_EQ(t.s().history().undoSteps(), steps);
}

TEST(PlaySessionUndo, CountsAMoveEachInCompetitionGamesOnly)
{
    struct Case {
        std::optional<uint32_t> gameOptions;
        uint32_t optionsWord;
        int moves;  // after a drag, an undo and a redo
    } cases[] = {
        {0u, 0u, 1},
        {fw::gameopt::Competition, 0u, 3},
        {std::nullopt, fw::opt::DefCompetition, 3},  // a game without options: the defaults
        {std::nullopt, 0u, 1},
    };
    for (const Case& c : cases) {
        Session t;
        t.puz.gameOptions = c.gameOptions;
        t.optionsWord = c.optionsWord;
        drag(t, 0, {900, 900});
        EXPECT_TRUE(t.s().undo().done);
        EXPECT_TRUE(t.s().redo().done);
        EXPECT_FALSE(t.s().redo().done) << "a refused redo counts nothing";
        EXPECT_EQ(t.score.Counters().moves, c.moves) << c.moves;
        EXPECT_TRUE(t.changed());
    }
}

TEST(PlaySessionEdges, GatheringTakesExactlyTheLoosePiecesWithABorderSide)
{
    // 4 x 3: pieces 5 and 6 have no border side.
    Session t(4, 3);
    t.s().addBox();
    t.s().rules().MoveGroup(1, t.beside(0, 1));
    ASSERT_EQ(t.s().rules().TryJoin(0, false), 1);  // 0 and 1: joined, not loose
    t.s().setMarked(3, true);                      // marked: left alone
    t.s().sendToBox(8, 0, {10, 30});               // in the box already
    t.s().sendToBox(4, 1, {10, 30});               // in another box: comes along
    const std::vector<uint8_t> boxesBefore = [&] {
        std::vector<uint8_t> b;
        for (const SPuz& s : t.puz.pieces)
            b.push_back(s.box);
        return b;
    }();

    PlayReport r = t.s().gatherEdges(0);
    EXPECT_TRUE(r.done);
    const std::vector<int> moved{2, 4, 7, 9, 10, 11};
    for (int p = 0; p < t.puz.pieceCount(); ++p) {
        const bool gathered = std::find(moved.begin(), moved.end(), p) != moved.end();
        EXPECT_EQ(t.piece(p).box, gathered ? 0 : boxesBefore[p]) << p;
    }
    EXPECT_EQ(t.puz.boxes[0].pieceCount, 7);
    EXPECT_EQ(t.puz.boxes[1].pieceCount, 0);
    EXPECT_EQ(t.score.Counters().helps, 0) << "not a help";
    EXPECT_FALSE(t.s().gatherEdges(0).done) << "none left";
    EXPECT_FALSE(t.s().gatherEdges(5).done) << "no such box";
}

TEST(PlaySessionEdges, TheEdgeViewDimsInnerGroupsAndThePointerPassesThem)
{
    Session t(4, 3);
    t.s().rules().MoveGroup(5, t.beside(1, 5));
    ASSERT_EQ(t.s().rules().TryJoin(1, false), 5);  // an inner piece joined to the border
    t.s().rules().MoveGroup(6, t.cell(2));           // an inner piece alone, over piece 2
    t.s().rules().BringToLevel(6, 0);
    const Point16 middle{static_cast<int16_t>(t.cell(2).x + 30), static_cast<int16_t>(t.cell(2).y + 30)};
    EXPECT_TRUE(t.s().rules().dimmedPieces().empty()) << "the view is off";
    EXPECT_EQ(t.s().rules().HitTest(SPuz::OnTable, middle), 6);

    t.puz.state = 0;
    PlayReport r = t.s().setEdgeView(true);
    EXPECT_TRUE(r.done);
    EXPECT_FALSE(r.repaintWhole.empty());
    const std::vector<bool> dim = t.s().rules().dimmedPieces();
    ASSERT_EQ(dim.size(), size_t(t.puz.pieceCount()));
    for (int p = 0; p < t.puz.pieceCount(); ++p)
        EXPECT_EQ(dim[p], p == 6) << p;
    EXPECT_EQ(t.s().rules().HitTest(SPuz::OnTable, middle), 2) << "through the dimmed piece";
    EXPECT_EQ(t.s().hover(SPuz::OnTable, middle).piece, 2);
    EXPECT_FALSE(t.changed()) << "a view, not a change of the game";

    t.s().setEdgeView(false);
    EXPECT_EQ(t.s().rules().HitTest(SPuz::OnTable, middle), 6);
    t.s().setEdgeView(true);
    t.s().reset();
    EXPECT_FALSE(t.s().edgeView()) << "a new game starts with every piece";
}

TEST(PlaySessionSearch, PointsOutLoosePiecesPlacedThereAsOneHelp)
{
    Session t;  // 3 x 2 cells of 60 pixels
    t.puz.options = 0;
    t.s().rules().MoveGroup(4, t.beside(3, 4));
    ASSERT_EQ(t.s().rules().TryJoin(3, false), 4);
    t.s().turnByCommand(5, 1, nullptr);  // a turned piece has its place all the same
    t.s().sendToBox(2, 0, {10, 30});

    struct Case {
        Rect16 area;
        std::vector<int> found;
    } cases[] = {
        {{60, 0, 60, 60}, {1}},
        {{0, 60, 180, 60}, {5}},  // 3 and 4 are joined: not loose
        {{100, 0, 80, 120}, {2, 5}},
        {{0, 0, 20, 20}, {}},     // no piece's middle lies there
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.s().loosePiecesPlacedIn(c.area), c.found) << c.area.x << "," << c.area.y;

    const ScoreCounters before = t.score.Counters();
    PlayReport r = t.s().searchPicture({100, 0, 80, 120});
    EXPECT_TRUE(r.done);
    ASSERT_EQ(r.hints.size(), 2u);
    EXPECT_EQ(r.hints[0].container, 0) << "the piece in the box";
    EXPECT_EQ(r.hints[1].container, SPuz::OnTable);
    EXPECT_EQ(t.piece(5).orderPos, 0) << "brought to the top";
    EXPECT_TRUE(t.s().loupeHiddenFor(loupe::RuleRunning)) << "until the hints end";
    EXPECT_EQ(t.score.Counters().helps, before.helps + 1) << "one help for the click";
    EXPECT_EQ(t.score.Counters().helpSides, before.helpSides);
    EXPECT_EQ(t.score.Counters().joinedSides, before.joinedSides);

    EXPECT_FALSE(t.s().searchPicture({0, 0, 20, 20}).done) << "nothing there: no help";
    t.puz.options |= Puz::NoHelp;
    r = t.s().searchPicture({60, 0, 60, 60});
    EXPECT_FALSE(r.done);
    EXPECT_TRUE(r.hints.empty());
    EXPECT_EQ(t.score.Counters().helps, before.helps + 1) << "refused with NoHelp";
}

TEST(PlaySessionPause, ACompetitionGameWaitingOnThePlayerCoversTheTable)
{
    struct Case {
        int reason;
        bool competition;
        bool complete;
        bool covered;
    } cases[] = {
        {loupe::Pause, true, false, true},
        {loupe::Deactivated, true, false, true},
        {loupe::ExitQuestion, true, false, true},
        {loupe::RuleRunning, true, false, false},  // a turn or tidying is watched
        {loupe::Menu, true, false, false},
        {loupe::Pause, false, false, false},       // only competition games
        {loupe::Pause, true, true, false},         // nothing left to study
    };
    for (const Case& c : cases) {
        Session t;
        t.puz.gameOptions = c.competition ? fw::gameopt::Competition : 0u;
        if (c.complete)
            t.puz.state |= Puz::Complete;
        PlayReport r = t.s().hideLoupeFor(c.reason, true);
        EXPECT_EQ(t.s().tableCovered(), c.covered) << c.reason;
        // The surfaces repaint exactly when the cover comes and goes.
        const std::vector<uint8_t> whole =
            c.covered ? std::vector<uint8_t>{SPuz::OnTable, 0} : std::vector<uint8_t>{};
        EXPECT_EQ(r.repaintWhole, whole) << c.reason;
        r = t.s().hideLoupeFor(loupe::Frame, false);
        EXPECT_TRUE(r.repaintWhole.empty()) << "a second reason changes nothing";
        r = t.s().showLoupeAfter(c.reason, true);
        EXPECT_FALSE(t.s().tableCovered());
        EXPECT_EQ(r.repaintWhole, whole) << c.reason;
    }
}

TEST(PlaySessionPause, TheCoverStaysUntilTheLastWaitEnds)
{
    Session t;
    t.puz.gameOptions = fw::gameopt::Competition;
    t.s().hideLoupeFor(loupe::Pause, true);
    t.s().hideLoupeFor(loupe::Deactivated, true);
    EXPECT_TRUE(t.s().showLoupeAfter(loupe::Pause, true).repaintWhole.empty());
    EXPECT_TRUE(t.s().tableCovered()) << "the window is still inactive";
    EXPECT_FALSE(t.s().showLoupeAfter(loupe::Deactivated, true).repaintWhole.empty());
    EXPECT_FALSE(t.s().tableCovered());
}
