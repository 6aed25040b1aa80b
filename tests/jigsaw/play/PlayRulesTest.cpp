#include <gtest/gtest.h>

#include <memory>

#include "jigsaw/document/CutRandom.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlayRules.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/ScoreKeeperScore.h"

using namespace qv;

namespace {

struct FakeWindows : PlayWindows {
    std::vector<int> sounds;
    std::vector<int> rotations;  // degrees of each animated turn
    int celebrations = 0;
    int scrolledX = 0, scrolledY = 0;
    Rect16 view{0, 0, 32767, 32767};
    Rect16 hintFrom, hintTo;
    int hints = 0;
    std::vector<std::pair<uint8_t, Rect16>> invalidated;
    void invalidate(uint8_t container, const Rect16& area) override { invalidated.emplace_back(container, area); }
    void playSound(int n) override { sounds.push_back(n); }
    void animateRotation(const std::vector<int>&, Point16, int degrees, int) override { rotations.push_back(degrees); }
    void celebrate(int n) override { celebrations += n; }
    Rect16 visibleTable() const override { return view; }
    void scrollTable(int dx, int dy) override
    {
        scrolledX += dx;
        scrolledY += dy;
        view.x = static_cast<int16_t>(view.x + dx);
        view.y = static_cast<int16_t>(view.y + dy);
    }
    void showNeighbourHint(uint8_t, const Rect16& from, const Rect16& to) override
    {
        hintFrom = from;
        hintTo = to;
        ++hints;
    }
};

struct FakeScore : PlayScore {
    int sides = 0, moves = 0, helps = 0, helpSides = 0, finished = 0;
    void addJoinedSides(int n) override { sides += n; }
    void addMove() override { ++moves; }
    void addHelp(int s) override { ++helps; helpSides += s; }
    void finish() override { ++finished; }
};

struct FakeClock : TickClock {
    uint32_t tick = 5000;
    uint32_t now() const override { return tick; }
};

// A cut and rendered puzzle of 60 x 60 pixel cells, pieces laid out far
// apart on the table so that nothing joins by accident.
struct Table {
    Puz puz;
    CutRandom rng;
    HeadlessUser user;
    FakeWindows windows;
    FakeScore score;
    std::unique_ptr<PlayRules> rules;

    Table(int rows, int cols, uint16_t options = Puz::NoRotable, uint32_t seed = 11)
    {
        puz.setGenerator(&rng);
        puz.setUser(&user);
        user.date = 20250607;
        puz.pictureRect = {0, 0, static_cast<int16_t>(60 * cols), static_cast<int16_t>(60 * rows)};
        puz.picture = fw::Bitmap(60 * cols, 60 * rows, 0x336699);
        puz.sizeIndex = Puz::CustomSize;
        puz.rows[5] = static_cast<int16_t>(rows);
        puz.columns[5] = static_cast<int16_t>(cols);
        puz.options |= options;
        rng.seed(seed);
        EXPECT_TRUE(puz.MakePiezas().ok());
        SheetOptions sheet;
        sheet.edges = EdgeStyle::None;
        EXPECT_TRUE(renderSheets(puz, sheet).ok());
        for (int i = 0; i < puz.pieceCount(); ++i)
            puz.pieces[i].placeAt(300 * (i % 8) + 1000, 300 * (i / 8) + 1000);
        rules = std::make_unique<PlayRules>(puz, windows, score);
    }
    SPuz& piece(int i) { return puz.pieces[i]; }
    Point16 pos(int i) { return {piece(i).tableCell.x, piece(i).tableCell.y}; }
    // Puts piece b where it belongs beside piece a (rotation 0), off by (dx, dy).
    void besides(int a, int b, int dx, int dy)
    {
        const SPuz& p = piece(a);
        int x = p.tableCell.x + (piece(b).cellOrigin.x - p.cellOrigin.x) + dx;
        int y = p.tableCell.y + (piece(b).cellOrigin.y - p.cellOrigin.y) + dy;
        rules->MoveGroup(b, {static_cast<int16_t>(x), static_cast<int16_t>(y)});
    }
    bool sitsExactly(int a, int b) { return pos(b).x - pos(a).x == piece(b).cellOrigin.x - piece(a).cellOrigin.x &&
                                            pos(b).y - pos(a).y == piece(b).cellOrigin.y - piece(a).cellOrigin.y; }
};

}  // namespace

TEST(PlayRules, SidesJoinWithinFivePixels)
{
    struct Case {
        int dx, dy;
        bool joins;
    } cases[] = {{5, 5, true}, {-5, -5, true}, {0, 0, true}, {6, 0, false}, {0, 6, false}, {-6, 5, false}};
    for (const auto& c : cases) {
        Table t(2, 2);
        t.besides(0, 1, c.dx, c.dy);
        EXPECT_EQ(t.rules->TryJoin(0, true), c.joins ? 1 : PlayRules::NoPiece) << c.dx << "," << c.dy;
        EXPECT_EQ(t.piece(0).joined, 0) << "a test only joins nothing";
    }

    Table boxes(2, 2);
    boxes.puz.boxes.resize(1);
    boxes.besides(0, 1, 0, 0);
    boxes.piece(1).box = 0;
    EXPECT_EQ(boxes.rules->TryJoin(0, false), PlayRules::NoPiece) << "a box and the table never join";
    boxes.piece(0).box = 0;
    EXPECT_EQ(boxes.rules->TryJoin(0, false), 1) << "in the same box they do";

    Table turned(2, 2, 0);
    turned.piece(0).rotation = 0;
    turned.piece(1).rotation = 2;
    turned.besides(0, 1, 0, 0);
    EXPECT_EQ(turned.rules->TryJoin(0, false), PlayRules::NoPiece) << "different rotations never join";
}

TEST(PlayRules, DropJoiningTwoGroupsSnapsAndSoundsOnce)
{
    Table t(1, 3);
    t.besides(1, 0, -4, 3);
    t.besides(1, 2, 5, -5);
    t.rules->PickUp(1);
    t.rules->DragTo({static_cast<int16_t>(t.pos(1).x + 2), t.pos(1).y});
    t.besides(1, 0, -4, 3);  // the drag moved piece 1 only; put the others back near it
    t.besides(1, 2, 3, -5);
    const Point16 neighbour = t.pos(0);
    EXPECT_EQ(t.rules->Drop(), 1) << "one piece's sides matched: its first neighbour is reported";
    EXPECT_EQ(t.piece(1).joined, (1 << SideLeft) | (1 << SideRight));
    EXPECT_EQ(t.windows.sounds, (std::vector<int>{PlayRules::SoundComplete}));
    EXPECT_TRUE(t.sitsExactly(0, 1));
    EXPECT_TRUE(t.sitsExactly(1, 2));
    EXPECT_EQ(t.pos(0), neighbour) << "the first matched neighbour stays, the dropped group comes to it";
    EXPECT_EQ(t.score.sides, 4);
    EXPECT_EQ(t.score.moves, 1);
    EXPECT_EQ(t.score.finished, 1);
    EXPECT_EQ(t.windows.celebrations, PlayRules::CompletionSparkles);
    EXPECT_EQ(t.puz.dateEnd, 20250607u);
    EXPECT_TRUE(t.rules->invariantsHold());

    Table u(2, 3);
    u.besides(1, 0, -4, 3);
    u.besides(1, 2, 3, -5);
    u.rules->PickUp(1);
    EXPECT_EQ(u.rules->Drop(), 1);
    EXPECT_EQ(u.piece(1).joined, (1 << SideLeft) | (1 << SideRight));
    EXPECT_EQ(u.windows.sounds, (std::vector<int>{PlayRules::SoundJoin})) << "two groups, one sound";
    u.rules->PickUp(4);
    EXPECT_EQ(u.rules->Drop(), 0);
    EXPECT_EQ(u.windows.sounds.back(), PlayRules::SoundDrop);
}

TEST(PlayRules, DroppedGroupGoesJustBelowTheHeldPieceInTheOrder)
{
    Table t(1, 4);
    t.rules->BringToLevel(3, 0);
    t.rules->BringToLevel(2, 0);  // order: 2 3 0 1
    t.besides(2, 3, 2, 2);
    t.rules->PickUp(3);
    t.rules->Drop();
    EXPECT_EQ(t.puz.order, (std::vector<int16_t>{3, 2, 0, 1})) << "2 moved to just below 3";
    EXPECT_TRUE(t.rules->invariantsHold());
}

TEST(PlayRules, ClosingARingJoinsTheSeam)
{
    Table t(2, 2);
    // {0, 2} and {1, 3} each joined; 3 lies far from 2.
    t.besides(0, 2, 0, 0);
    t.rules->TryJoin(0, false);
    t.besides(1, 3, 0, 0);
    t.rules->TryJoin(1, false);
    t.besides(0, 1, 2, 1);
    t.piece(3).placeAt(t.pos(1).x + 900, t.pos(1).y);  // out of any reach of 2
    ASSERT_EQ(t.rules->TryJoin(1, false), 0);
    EXPECT_TRUE(t.piece(3).joined & (1 << SideLeft)) << "3 and 2 are in one group now: their side is joined";
    EXPECT_TRUE(t.piece(2).joined & (1 << SideRight));
    EXPECT_TRUE(t.rules->IsComplete());
    EXPECT_EQ(t.score.sides, 8);
}

TEST(PlayRules, OnePiecePuzzleIsCompleteAtOnce)
{
    Table t(1, 1);
    t.windows.celebrations = 0;
    EXPECT_TRUE(t.rules->IsComplete(true));
    EXPECT_EQ(t.puz.dateEnd, 0u) << "no date when asked not to";
    EXPECT_TRUE(t.puz.state & Puz::Complete);
    EXPECT_EQ(t.score.finished, 1);
    EXPECT_TRUE(t.rules->IsComplete());
    EXPECT_EQ(t.score.finished, 1) << "only the first yes finishes";
}

TEST(PlayRules, RotationTurnsTheGroupAboutThePivot)
{
    Table t(2, 2, 0);
    for (int i = 0; i < 4; ++i)
        TurnPiece(t.puz, t.piece(i), (4 - t.piece(i).rotation) & 3);
    t.besides(0, 1, 0, 0);
    t.rules->TryJoin(0, false);
    const Point16 start0 = t.pos(0), start1 = t.pos(1);
    const Point16 pivot{static_cast<int16_t>(start0.x + 70), static_cast<int16_t>(start0.y + 10)};
    ASSERT_TRUE(t.rules->RotateGroup(0, 1, nullptr, &pivot).ok());
    EXPECT_EQ(t.windows.rotations, (std::vector<int>{90}));
    EXPECT_EQ(t.piece(0).rotation, 1);
    EXPECT_EQ(t.piece(1).rotation, 1);
    EXPECT_EQ(t.rules->TryJoin(0, true), PlayRules::NoPiece) << "joined sides are not tested again";
    // The right neighbour now lies below, exactly.
    EXPECT_EQ(t.pos(1).x, t.pos(0).x);
    EXPECT_EQ(t.pos(1).y, t.pos(0).y + t.piece(0).cell.h);
    // The pixel under the pivot stays: piece 1's cell covered it and still does.
    const Rect16 c1{t.pos(1).x, t.pos(1).y, t.piece(1).cell.w, t.piece(1).cell.h};
    EXPECT_TRUE(pivot.x >= c1.x && pivot.x <= c1.right() && pivot.y >= c1.y && pivot.y <= c1.bottom());

    ASSERT_TRUE(t.rules->RotateGroup(0, 3, nullptr, &pivot).ok());
    EXPECT_EQ(t.windows.rotations.back(), -90) << "a counter-clockwise turn shows as -90 degrees";
    EXPECT_EQ(t.pos(0), start0);
    EXPECT_EQ(t.pos(1), start1);
    EXPECT_EQ(t.piece(0).rotation, 0);
    EXPECT_TRUE(t.rules->invariantsHold());

    Table fixed(1, 2);  // NoRotable
    fixed.rules->RotateGroup(0, 1);
    EXPECT_EQ(fixed.piece(0).rotation, 0);
    EXPECT_TRUE(fixed.windows.rotations.empty());
}

TEST(PlayRules, MarkingGroupsAndMarkers)
{
    Table t(1, 3);
    t.besides(0, 1, 0, 0);
    t.rules->TryJoin(0, false);
    t.rules->SetMarked(1, true, false);
    EXPECT_EQ(t.piece(0).flags & 3, PlayRules::Marked);
    EXPECT_EQ(t.piece(1).flags & 3, PlayRules::Marked | PlayRules::MarkerPiece);
    t.rules->SetMarked(0, true, false);
    EXPECT_EQ(t.piece(0).flags & 3, PlayRules::Marked | PlayRules::MarkerPiece);
    EXPECT_EQ(t.piece(1).flags & 3, PlayRules::Marked) << "one marker piece per group";

    // Joining an unmarked piece to a marked group marks it too.
    t.besides(1, 2, 1, 1);
    t.rules->TryJoin(2, false);
    EXPECT_TRUE(t.piece(2).flags & PlayRules::Marked);
    t.rules->SetMarked(2, false, false);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(t.piece(i).flags & 3, 0u);
}

TEST(PlayRules, DraggingCountsOneMovePerDragAndBoxesCountTheirPieces)
{
    Table t(1, 2);
    t.puz.boxes.resize(2);
    t.rules->PickUp(0);
    t.rules->DragTo(t.pos(0));
    EXPECT_EQ(t.score.moves, 0) << "no movement, no move";
    t.rules->DragTo({1, 1});
    t.rules->DragTo({5, 9});
    EXPECT_EQ(t.score.moves, 1);
    EXPECT_EQ(t.pos(0), (Point16{5, 9}));
    t.rules->Drop();

    t.rules->MoveToSurface(0, {10, 10}, 1);
    EXPECT_EQ(t.piece(0).box, 1);
    EXPECT_EQ(t.puz.boxes[1].pieceCount, 1);
    t.rules->MoveToSurface(0, {10, 10}, SPuz::OnTable);
    EXPECT_EQ(t.puz.boxes[1].pieceCount, 0);

    t.rules->AddTravel(3, 4, 0.5);
    EXPECT_DOUBLE_EQ(t.puz.mouseTravel, 2.5);
}

TEST(PlayRules, ShowNeighbourPointsAtTheClickedSide)
{
    Table t(2, 2);
    const Point16 p = t.pos(0);
    const Point16 right{static_cast<int16_t>(p.x + 55), static_cast<int16_t>(p.y + 30)};
    const Point16 left{static_cast<int16_t>(p.x + 2), static_cast<int16_t>(p.y + 30)};
    EXPECT_FALSE(t.rules->ShowNeighbour(0, left, true)) << "the border has no neighbour";
    EXPECT_TRUE(t.rules->ShowNeighbour(0, right, true));
    EXPECT_EQ(t.score.helps, 0) << "asking is no help";
    EXPECT_TRUE(t.rules->ShowNeighbour(0, right, false));
    EXPECT_EQ(t.score.helps, 1);
    EXPECT_EQ(t.score.helpSides, 0);
    EXPECT_EQ(t.puz.order[0], 1) << "the neighbour comes to the top";
    EXPECT_EQ(t.windows.hintFrom, (Rect16{static_cast<int16_t>(p.x + 57), p.y, 3, 60}));
    EXPECT_GE(t.windows.hintTo.w, 100);
    EXPECT_GE(t.windows.hintTo.h, 100);

    t.puz.options |= Puz::NoHelp;
    EXPECT_FALSE(t.rules->ShowNeighbour(0, right, true));
}

TEST(PlayRules, AutomaticHelpsSolveAPuzzleAndScoreAsTheFormulaSays)
{
    Table t(3, 4, 0, 77);
    FakeClock clock;
    ScoreKeeper keeper(clock);
    ScoreKeeperScore score(keeper);
    PlayRules rules(t.puz, t.windows, score);
    keeper.OpenPuzzle(t.puz);
    clock.tick += 42000;
    int helps = 0;
    while (!rules.IsComplete() && helps < 100) {
        ASSERT_TRUE(rules.AutoHelp());
        ASSERT_TRUE(rules.invariantsHold());
        ++helps;
    }
    EXPECT_EQ(helps, 12) << "one help for the first piece, then one per merge of 12 groups";
    ScoreCounters c = keeper.Counters();
    EXPECT_EQ(c.helps, 12);
    EXPECT_EQ(c.joinedSides, 34) << "17 inner edges";
    EXPECT_EQ(c.helpSides, 34);
    EXPECT_EQ(keeper.state(), ScoreKeeper::Finished);
    EXPECT_EQ(keeper.Score(), keeper.base() - c.elapsed / 100 - 2 * keeper.K() * 12 - c.moves);
    EXPECT_EQ(c.elapsed, 42000);
    EXPECT_FALSE(rules.AutoHelp()) << "nothing left to do";
    const Point16 p0{t.piece(0).tableCell.x, t.piece(0).tableCell.y};
    for (int i = 1; i < 12; ++i) {
        EXPECT_EQ(t.piece(i).rotation, t.piece(0).rotation);
        if (t.piece(0).rotation == 0) {
            EXPECT_EQ(t.piece(i).tableCell.x - p0.x, t.piece(i).cellOrigin.x);
            EXPECT_EQ(t.piece(i).tableCell.y - p0.y, t.piece(i).cellOrigin.y);
        }
    }
}

TEST(PlayRules, AutomaticHelpScrollsToAnUnseenTargetAndLeavesMarkedGroups)
{
    Table t(1, 4);
    t.puz.state |= Puz::PlayStarted;
    t.besides(2, 3, 0, 0);
    t.rules->TryJoin(2, false);  // {2, 3} stays, being the larger group
    t.rules->SetMarked(0, true, false);
    t.rules->BringToLevel(1, 0);
    t.windows.view = {0, 0, 400, 300};
    const Point16 stayed = t.pos(2);
    ASSERT_TRUE(t.rules->AutoHelp());
    EXPECT_EQ(t.piece(0).joined, 0) << "the marked piece is left alone";
    EXPECT_TRUE(t.piece(1).joined & (1 << SideRight));
    EXPECT_EQ(t.pos(2), stayed);
    EXPECT_TRUE(t.sitsExactly(1, 2));
    EXPECT_GT(t.windows.scrolledX, 0);
    EXPECT_GT(t.windows.scrolledY, 0);
    const Rect16 v = t.windows.view;
    EXPECT_GE(t.pos(1).x, v.x);
    EXPECT_LE(t.pos(1).x + t.piece(1).cell.w - 1, v.right());
    EXPECT_LE(t.pos(1).y + t.piece(1).cell.h - 1, v.bottom());
    EXPECT_EQ(t.score.helps, 1);
    EXPECT_EQ(t.score.helpSides, 2);
    EXPECT_EQ(t.puz.order[0], 1);
    EXPECT_EQ(t.puz.order[1], 2) << "the staying group goes just below the moved piece";
    EXPECT_TRUE(t.rules->invariantsHold());
}

TEST(PlayRules, FirstHelpLaysPieceZeroInTheCorner)
{
    Table t(2, 2, 0, 3);
    ASSERT_TRUE(t.rules->AutoHelp());
    EXPECT_EQ(t.pos(0), (Point16{2, 2}));
    EXPECT_EQ(t.piece(0).rotation, 0);
    EXPECT_TRUE(t.puz.state & Puz::PlayStarted);
    EXPECT_EQ(t.score.helps, 1);
    EXPECT_EQ(t.score.helpSides, 0);

    t.puz.options |= Puz::NoHelp;
    EXPECT_FALSE(t.rules->AutoHelp());
}

TEST(PlayRules, RestoredGamesDropJoinsThatBreakTheGroupRules)
{
    Table t(1, 2, 0);
    t.piece(0).rotation = 0;
    t.piece(1).rotation = 1;
    t.piece(0).joined = 1 << SideRight;
    t.piece(1).joined = 1 << SideLeft;
    std::string why;
    EXPECT_FALSE(t.rules->invariantsHold(&why));
    EXPECT_NE(why.find("rotations"), std::string::npos);
    t.rules->RestoreSaved();
    EXPECT_EQ(t.piece(0).joined, 0);
    EXPECT_FALSE(t.puz.state & Puz::Complete);

    Table done(1, 2);
    done.piece(0).joined = 1 << SideRight;
    done.piece(1).joined = 1 << SideLeft;
    done.rules->RestoreSaved();
    EXPECT_TRUE(done.puz.state & Puz::Complete);
    EXPECT_EQ(done.score.finished, 0) << "silently";
}

TEST(PlayRules, TidyingSpreadsOnlyLoosePieces)
{
    Table t(2, 3);
    t.besides(0, 1, 0, 0);
    t.rules->TryJoin(0, false);
    t.rules->SetMarked(5, true, false);
    const Point16 joined = t.pos(0), marked = t.pos(5);
    EXPECT_EQ(t.rules->Tidy(SPuz::OnTable, false), 1);
    EXPECT_EQ(t.pos(0), joined);
    EXPECT_EQ(t.pos(5), marked);
    EXPECT_NE(t.pos(2), (Point16{1600, 1000}));
    EXPECT_TRUE(t.rules->invariantsHold());
}

// A game saved on a larger table: whatever lies beyond the visible table
// comes onto it by the least shift, groups as one, boxes untouched.
TEST(PlayRules, BringIntoViewMovesWhatLiesBeyondTheTableOntoIt)
{
    Table t(2, 3);
    const Rect16 view{0, 0, 1000, 700};
    for (int i = 0; i < 6; ++i)
        t.piece(i).placeAt(100 + 150 * i, 100);  // all inside
    t.piece(2).placeAt(1500, 900);                 // beyond both edges
    t.piece(3).placeAt(-80, 300);                  // left of the table
    t.besides(4, 5, 0, 0);
    ASSERT_EQ(t.rules->TryJoin(4, false), 5);
    t.rules->MoveGroup(4, {950, 200});             // the group {4, 5} sticks out on the right
    t.puz.boxes.resize(1);
    t.piece(1).box = 0;
    t.piece(1).placeAt(5000, 5000);                // in a box: not the table's business
    const Point16 inside = t.pos(0);
    const int dx45 = t.pos(5).x - t.pos(4).x;

    EXPECT_EQ(t.rules->BringIntoView(view), 3);
    auto within = [&](int i) {
        const Rect16& r = t.piece(i).table;
        return r.x >= view.x && r.y >= view.y && r.x + r.w <= view.x + view.w && r.y + r.h <= view.y + view.h;
    };
    for (int i : {0, 2, 3, 4, 5})
        EXPECT_TRUE(within(i)) << i;
    EXPECT_EQ(t.pos(0), inside) << "what was on the table stays";
    EXPECT_EQ(t.piece(2).table.x + t.piece(2).table.w, 1000) << "the least shift: against the edge";
    EXPECT_EQ(t.piece(2).table.y + t.piece(2).table.h, 700);
    EXPECT_EQ(t.piece(3).table.x, 0);
    EXPECT_EQ(t.pos(5).x - t.pos(4).x, dx45) << "a group moves as one";
    EXPECT_TRUE(t.piece(4).joined);
    EXPECT_EQ(t.pos(1), (Point16{5000, 5000}));
    EXPECT_TRUE(t.rules->invariantsHold());
    EXPECT_EQ(t.rules->BringIntoView(view), 0) << "nothing left to bring";

    // A view that does not start at the origin (a scrolled table), and a
    // group wider than it keeps its left edge inside.
    Table big(1, 2);
    big.besides(0, 1, 0, 0);
    ASSERT_EQ(big.rules->TryJoin(0, false), 1);
    big.rules->MoveGroup(0, {3000, 3000});
    const Rect16 small{200, 100, 100, 100};
    EXPECT_EQ(big.rules->BringIntoView(small), 1);
    const Rect16 b = unite(big.piece(0).table, big.piece(1).table);
    ASSERT_GT(b.w, small.w);
    ASSERT_LE(b.h, small.h);
    EXPECT_EQ(b.x, 200);
    EXPECT_EQ(b.y + b.h, 200);
}

// Every piece the tidying moves is painted at its new place and over its
// old one: an old place left alone keeps showing the piece until something
// else happens to repaint it.
TEST(PlayRules, TidyingRepaintsWherePiecesLeftAsWellAsWhereTheyLand)
{
    Table t(2, 3);
    std::vector<Rect16> before;
    for (const SPuz& s : t.puz.pieces)
        before.push_back(s.table);
    t.windows.invalidated.clear();
    t.rules->Tidy(SPuz::OnTable, false);
    auto covered = [&](const Rect16& r) {
        for (const auto& [container, area] : t.windows.invalidated)
            if (container == SPuz::OnTable && area.x <= r.x && area.y <= r.y && area.x + area.w >= r.x + r.w &&
                area.y + area.h >= r.y + r.h)
                return true;
        return false;
    };
    int moved = 0;
    for (const SPuz& s : t.puz.pieces) {
        const Rect16& old = before[static_cast<size_t>(s.index)];
        if (old.x == s.table.x && old.y == s.table.y)
            continue;
        ++moved;
        EXPECT_TRUE(covered(old)) << "piece " << s.index << " left a picture of itself behind";
        EXPECT_TRUE(covered(s.table)) << "piece " << s.index;
    }
    EXPECT_GT(moved, 0);
}
