// The play session's operations, headless: what each changes in the
// document, what its report asks the windows to show, and the state it
// keeps between operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/Options.h"
#include "jigsaw/document/CutRandom.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlaySession.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/Sound.h"
#include "SessionFixture.h"

using namespace qv;
using qv::test::Session;

namespace {

bool hasSound(const PlayReport& r, int n) { return std::count(r.sounds.begin(), r.sounds.end(), n) > 0; }

}  // namespace

TEST(PlaySession, WhatCountsAsAChangeOfTheGame)
{
    struct Case {
        const char* what;
        std::function<PlayReport(Session&)> op;
        bool changes;
    } cases[] = {
        {"marking", [](Session& t) { return t.s().setMarked(1, true); }, true},
        {"a rubber band's marking", [](Session& t) { return t.s().markAll({0, 2}, true); }, true},
        {"sending to a box", [](Session& t) { return t.s().sendToBox(1, 0, {10, 30}); }, true},
        {"adding a box", [](Session& t) { return t.s().addBox(); }, true},
        {"removing the empty box", [](Session& t) { return t.s().removeBox(); }, true},
        {"opening the box", [](Session& t) { return t.s().setBoxClosed(0, true); }, true},
        {"moving a box window", [](Session& t) { return t.s().boxMoved(0, {{5, 6, 200, 150}, {7, 8}}); }, true},
        {"moving the preview", [](Session& t) { return t.s().previewMoved({40, 50}); }, true},
        {"the completion message", [](Session& t) { return t.s().completionShown(); }, true},
        {"a drag", [](Session& t) {
             t.s().pickUp(0, {5, 5});
             t.s().dragTo({800, 900});
             return t.s().drop();
         }, true},
        {"renaming a box", [](Session& t) { return t.s().setBoxOptions(0, "sky", Box::NoColour, false); }, true},
        {"recolouring a box", [](Session& t) { return t.s().setBoxOptions(0, "", 0x112233, false); }, true},
        {"closing a box from its options", [](Session& t) { return t.s().setBoxOptions(0, "", Box::NoColour, true); }, true},
        {"box options as they were", [](Session& t) { return t.s().setBoxOptions(0, "", Box::NoColour, false); }, false},
        {"another game option", [](Session& t) { return t.s().setGameOptions(0x40); }, true},
        {"the game options as they were", [](Session& t) {
             t.puz.gameOptions = 0x40;
             return t.s().setGameOptions(0x40);
         }, false},
        {"moving the score strip", [](Session& t) { return t.s().scoreStripMoved({30, 40}); }, true},
        {"the score strip where it was", [](Session& t) { return t.s().scoreStripMoved(t.puz.scorePos); }, false},
        {"picking up", [](Session& t) { return t.s().pickUp(0, {5, 5}); }, false},
        {"hovering", [](Session& t) { t.s().hover(SPuz::OnTable, t.cell(0)); return PlayReport{}; }, false},
        {"keeping the box places", [](Session& t) { t.s().keepBoxPlaces({{{1, 2, 3, 4}, {5, 6}}}); return PlayReport{}; }, false},
        {"turning a puzzle that does not turn", [](Session& t) { return t.s().turnByCommand(0, 1, nullptr); }, false},
    };
    for (const Case& c : cases) {
        Session t;
        c.op(t);
        EXPECT_EQ(t.changed(), c.changes) << c.what;
    }
}

TEST(PlaySession, ReportsCollectWhatTheRulesAskDuringAnOperationOnly)
{
    Session t;
    PlayReport r = t.s().pickUp(0, {3, 4});
    EXPECT_TRUE(hasSound(r, sound::PickUp));
    r = t.s().dragTo({203, 204});
    EXPECT_EQ(t.cell(0), (Point16{200, 200})) << "the pointer minus the grab";
    ASSERT_EQ(r.repaint.size(), 2u) << "the area left and the area entered";
    EXPECT_EQ(r.repaint[1].area, t.piece(0).table);
    EXPECT_TRUE(t.shown.empty()) << "nothing went past the operation";

    // The rules used directly (a command of the shell) show each request at once.
    t.s().rules().MoveGroup(2, {400, 400});
    ASSERT_EQ(t.shown.size(), 2u);
    EXPECT_EQ(t.shown[1].repaint.size(), 1u);
    EXPECT_EQ(t.shown[1].repaint[0].area, t.piece(2).table);

    // An operation inside another reports through the outer one.
    r = t.s().turnHeld(1, {210, 210});
    EXPECT_TRUE(r.sounds.empty()) << "refused: the puzzle does not turn";
    t.puz.options = 0;
    r = t.s().turnHeld(1, {210, 210});
    EXPECT_TRUE(hasSound(r, sound::Turn));
    EXPECT_FALSE(hasSound(r, sound::PickUp)) << "the drag goes on without a new pick-up";
    EXPECT_EQ(t.piece(0).rotation, 1);
    EXPECT_EQ(t.s().grab(), (Point16{static_cast<int16_t>(210 - t.cell(0).x), static_cast<int16_t>(210 - t.cell(0).y)}));
    EXPECT_EQ(t.shown.size(), 2u);
}

TEST(PlaySession, TurnsAreAskedForOnlyFromAViewThatShowsThem)
{
    for (bool shows : {false, true}) {
        Session t;
        t.puz.options = 0;
        t.view.turnsShown = shows;
        const Point16 pivot = t.cell(0);
        PlayReport r = t.s().turnByCommand(0, 3, &pivot);
        ASSERT_EQ(r.turns.size(), shows ? 1u : 0u) << shows;
        EXPECT_EQ(bool(t.puz.state & Puz::Busy), shows) << "busy until the turn is shown";
        EXPECT_EQ(t.score.Counters().moves, 1);
        EXPECT_EQ(t.s().loupeHiddenFor(loupe::RuleRunning), shows);
        if (!shows)
            continue;
        EXPECT_EQ(r.turns[0].degrees, -90);
        EXPECT_EQ(r.turns[0].before.bounds.w, t.piece(0).table.h) << "the picture is of the piece as it lay";
        // A second turn meanwhile first asks the view to end the one shown.
        t.s().turnByCommand(0, 1, &pivot);
        EXPECT_EQ(t.view.finished, 1);
        t.s().rules().TurnShown();
        EXPECT_FALSE(t.puz.state & Puz::Busy);
    }
}

TEST(PlaySession, ADropReportsWhetherTheDragJoined)
{
    Session t;
    t.s().pickUp(1, {0, 0});
    t.s().dragTo(t.beside(0, 1, 3, -2));
    PlayReport r = t.s().drop();
    EXPECT_TRUE(r.joined);
    EXPECT_TRUE(hasSound(r, sound::Join));
    EXPECT_EQ(t.cell(1), t.beside(0, 1)) << "snapped";
    EXPECT_EQ(t.s().heldPiece(), PlayRules::NoPiece);

    t.s().pickUp(2, {0, 0});
    t.s().dragTo({3000, 3000});
    r = t.s().drop();
    EXPECT_FALSE(r.joined);
    EXPECT_TRUE(hasSound(r, sound::PutDown));
    EXPECT_FALSE(t.s().drop().done) << "nothing held";
}

TEST(PlaySession, TheMarkerMovesBetweenItsDockAndThePieces)
{
    Session t;
    t.s().rules().MoveGroup(1, t.beside(0, 1));
    ASSERT_EQ(t.s().rules().TryJoin(0, false), 1);

    PlayReport r = t.s().setMarked(0, true);
    ASSERT_TRUE(r.marker);
    EXPECT_EQ(r.marker->from, -1) << "from the dock";
    EXPECT_EQ(r.marker->to, 0);
    EXPECT_EQ(r.marker->leaving, -1);
    EXPECT_EQ(r.marker->landing, 0);

    r = t.s().setMarked(1, true);
    EXPECT_EQ(r.marker->from, 0) << "a marked group's marker moves from its piece";
    EXPECT_EQ(r.marker->leaving, 0) << "and shows there until it lands";
    EXPECT_TRUE(t.piece(1).flags & PlayRules::MarkerPiece);
    EXPECT_FALSE(t.piece(0).flags & PlayRules::MarkerPiece);

    t.s().setMarked(2, true);
    r = t.s().unmarkLast();
    ASSERT_TRUE(r.marker);
    EXPECT_EQ(r.marker->from, 2);
    EXPECT_EQ(r.marker->to, -1) << "home to the dock";
    EXPECT_FALSE(t.piece(2).flags & PlayRules::Marked);
    r = t.s().unmarkLast();
    EXPECT_EQ(r.marker->from, 1) << "then the group marked before";
    EXPECT_FALSE(t.piece(0).flags & PlayRules::Marked);
    EXPECT_FALSE(t.s().unmarkLast().marker) << "nothing left to unmark";
}

TEST(PlaySession, LoupeReasonsNestAndPauseTheClockOncePerReason)
{
    Session t;
    t.score.Start();
    EXPECT_EQ(t.s().hideLoupeFor(loupe::Pause, true).loupe, PlayReport::Loupe::Hide);
    t.s().hideLoupeFor(loupe::Pause, true);  // the same reason again: no second pause
    EXPECT_TRUE(t.s().hideLoupeFor(loupe::Deactivated, false).loupeAreaRepaint);
    t.clock.tick += 1000;
    EXPECT_EQ(t.s().showLoupeAfter(loupe::Pause, true).loupe, PlayReport::Loupe::Same) << "another reason holds";
    EXPECT_EQ(t.score.Elapsed(), 0) << "the second the loupe was hidden for a pause";
    t.clock.tick += 1000;
    EXPECT_EQ(t.score.Elapsed(), 1000) << "one pause, one resume: the clock runs again";
    EXPECT_TRUE(t.s().loupeHiddenFor(loupe::Deactivated));
    EXPECT_EQ(t.s().showLoupeAfter(loupe::Deactivated, false).loupe, PlayReport::Loupe::Show);
    EXPECT_FALSE(t.s().loupeHidden());

    // Tidying holds the rules' reason while it runs and gives it back.
    PlayReport r = t.s().spread(SPuz::OnTable, {0, 0, 10, 10});
    EXPECT_EQ(r.loupe, PlayReport::Loupe::Show);
    EXPECT_FALSE(t.s().loupeHidden());
    EXPECT_EQ(t.score.Elapsed(), 1000) << "its pause and resume came at the same time";
}

TEST(PlaySession, BoxesComeGoAndTakeGroupsWhereThereIsRoom)
{
    Session t;
    for (int k = 1; k < PlaySession::MaxBoxes; ++k)
        EXPECT_TRUE(t.s().addBox().boxesChanged) << k;
    EXPECT_FALSE(t.s().addBox().done) << "nine boxes at most";
    ASSERT_EQ(t.puz.boxes.size(), size_t(PlaySession::MaxBoxes));
    EXPECT_EQ(t.puz.boxes[1].flags & 0x01, 0x01) << "a new box starts closed";
    EXPECT_NE(t.puz.boxes[1].colour, t.puz.boxes[2].colour);

    // The free spot: below the label, then beside what lies there.
    const Point16 first = t.s().freeSpotInBox(0, 200, 150, {0, 0}, 40, 40);
    EXPECT_EQ(first, (Point16{0, 24}));
    PlayReport r = t.s().sendToBox(0, 0, first);
    EXPECT_TRUE(hasSound(r, sound::PutDown));
    EXPECT_EQ(t.piece(0).box, 0);
    EXPECT_EQ(t.puz.boxes[0].pieceCount, 1);
    const Point16 next = t.s().freeSpotInBox(0, 200, 150, {0, 0}, 40, 40);
    EXPECT_GT(next.x, first.x + 40);
    EXPECT_FALSE(t.s().sendToBox(0, 0, next).done) << "already there";
    const Point16 full = t.s().freeSpotInBox(0, 50, 40, {0, 0}, 40, 40);
    EXPECT_EQ(full, (Point16{8, 20})) << "no room: a cascade by the pieces counted";

    t.s().sendToBox(0, SPuz::OnTable, {500, 500});
    EXPECT_EQ(t.puz.boxes[0].pieceCount, 0);
    t.s().sendToBox(3, 8, {10, 30});
    EXPECT_FALSE(t.s().removeBox().done) << "the last box holds a piece";
    t.s().sendToBox(3, SPuz::OnTable, {500, 500});
    EXPECT_TRUE(t.s().removeBox().boxesChanged);
    EXPECT_EQ(t.puz.boxes.size(), size_t(PlaySession::MaxBoxes - 1));
    EXPECT_EQ(t.puz.boxPlaces.size(), t.puz.boxes.size());

    // Opening and closing sound unless the options say not.
    EXPECT_TRUE(hasSound(t.s().setBoxClosed(0, true), sound::Effect));
    EXPECT_FALSE(t.s().setBoxClosed(0, true).done) << "closed already";
    t.optionsWord = fw::opt::NoBoxSound;
    r = t.s().setBoxClosed(0, false);
    EXPECT_TRUE(r.done);
    EXPECT_TRUE(r.sounds.empty());

    t.s().placeBoxesByDefault(1000, 800, 28);
    EXPECT_EQ(t.puz.boxPlaces[1].icon, (Point16{1000 - 28 - 8, 60 + 36}));
    EXPECT_EQ(t.puz.boxPlaces[4].window.y, 800 - 2 * (190 + 12) - 40) << "the second row";
}

TEST(PlaySession, UncoverAndHoverFindTheGroupsBelow)
{
    Session t;
    t.s().rules().MoveGroup(1, t.cell(0));  // exactly over piece 0
    t.s().rules().BringToLevel(1, 0);
    const Point16 middle{static_cast<int16_t>(t.cell(0).x + 30), static_cast<int16_t>(t.cell(0).y + 30)};
    PlaySession::Hover h = t.s().hover(SPuz::OnTable, middle);
    EXPECT_EQ(h.piece, 1);
    EXPECT_TRUE(h.covers);
    EXPECT_TRUE(t.piece(1).flags & PlayRules::CoversGroup) << "its menu offers to uncover";
    h = t.s().hover(SPuz::OnTable, {5, 5});
    EXPECT_EQ(h.piece, -1);
    EXPECT_FALSE(t.piece(1).flags & PlayRules::CoversGroup);

    PlayReport r = t.s().uncover(SPuz::OnTable, middle);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(t.piece(0).orderPos, 0) << "the piece below comes to the top";
    EXPECT_EQ(r.repaintWhole, (std::vector<uint8_t>{SPuz::OnTable}));
}

TEST(PlaySession, TexturesOfOursAreKeptByName)
{
    const std::filesystem::path ours = std::filesystem::temp_directory_path() / "qv-textures";
    struct Case {
        std::filesystem::path file;
        std::string kept;
    } cases[] = {
        {ours / "felt.jpg", "felt.jpg"},
        {"/somewhere/else/wood.jpg", "/somewhere/else/wood.jpg"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaySession::textureName(c.file, ours), c.kept);
        EXPECT_EQ(PlaySession::textureFile(c.kept, ours), c.file);
    }
}
