#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/ScoreKeeper.h"

using namespace qv;

namespace {

struct FakeClock : TickClock {
    uint32_t tick = 1000;
    uint32_t now() const override { return tick; }
};

struct RecordingListener : ScoreListener {
    std::vector<std::string> calls;
    const ScoreKeeper* keeper = nullptr;
    int stateWhenOpened = -1;
    void scoreOpened() override
    {
        calls.push_back("opened");
        stateWhenOpened = keeper->state();
    }
    void scoreRefreshed(unsigned changes) override { calls.push_back("refreshed " + std::to_string(changes)); }
    void scoreReset() override { calls.push_back("reset"); }
    void scoreFinished() override
    {
        calls.push_back("finished");
        finishedAt = keeper->Elapsed();
        stateWhenFinished = keeper->state();
    }
    int32_t finishedAt = -1;
    int stateWhenFinished = -1;
};

ScorePuzzle grid(int columns, int rows, uint16_t options = 0)
{
    return {columns * rows, columns, rows, options, false};
}

struct ScoreKeeperTest : ::testing::Test {
    FakeClock clock;
    ScoreKeeper keeper{clock};
    void open(const ScorePuzzle& p)
    {
        keeper.Reset();
        keeper.OpenPuzzle(p);
    }
};

}  // namespace

TEST_F(ScoreKeeperTest, CoefficientsFollowPieceCountAndOptions)
{
    struct Case {
        int columns, rows;
        uint16_t options;
        int32_t base, k;
    } cases[] = {
        {10, 10, 0, 50000, 2000},
        {10, 10, 0x20, 16666, 666},       // NoRotable: f = 0.33333334
        {10, 10, 0x100, 150000, 6000},    // mosaic: f = 3
        {10, 10, 0x120, 50000, 2000},     // both: the thirds cancel
        {4, 3, 0, 6000, 1000},            // 120 rounds down to 0
        {4, 3, 0x20, 2000, 333},
        {13, 1, 0, 6500, 1250},           // 130 rounds up to 250
        {13, 1, 0x100, 19500, 3750},
        {13, 1, 0x20, 2166, 416},
    };
    for (const auto& c : cases) {
        open(grid(c.columns, c.rows, c.options));
        SCOPED_TRACE(testing::Message() << c.columns * c.rows << " pieces, options " << c.options);
        EXPECT_EQ(keeper.base(), c.base);
        EXPECT_EQ(keeper.K(), c.k);
        EXPECT_EQ(keeper.helpCoefficient(), -2 * c.k);
    }
}

TEST_F(ScoreKeeperTest, JoinsMovesHelpsAndTimeCostWhatTheyShould)
{
    open(grid(10, 10));
    EXPECT_EQ(keeper.Score(), 50000);
    keeper.AddJoinedSides(2);
    EXPECT_EQ(keeper.Score(), 52000);  // a join is 2 sides x K / 2
    keeper.AddMove();
    EXPECT_EQ(keeper.Score(), 51999);
    clock.tick += 1099;  // ten whole tenths
    keeper.Refresh();
    EXPECT_EQ(keeper.Score(), 51989);
    keeper.AddHelp(0);  // show-neighbour: costs only the help
    EXPECT_EQ(keeper.Score(), 47989);
    keeper.AddHelp(2);  // a help that joins adds no points for the join
    keeper.AddJoinedSides(2);
    EXPECT_EQ(keeper.Score(), 43989);
    ScoreCounters c = keeper.Counters();
    EXPECT_EQ(c.helps, 2);
    EXPECT_EQ(c.helpSides, 2);
    EXPECT_EQ(c.joinedSides, 4);
    EXPECT_EQ(c.moves, 1);
    EXPECT_EQ(c.elapsed, 1099);
}

TEST_F(ScoreKeeperTest, ProjectedScoreFollowsThePaceSoFar)
{
    open(grid(10, 10));  // 360 sides to join
    EXPECT_EQ(keeper.TotalSides(), 360);
    EXPECT_EQ(keeper.ProjectedScore(), 0);  // nothing joined yet
    for (int i = 0; i < 18; ++i)
        keeper.AddJoinedSides(2);
    for (int i = 0; i < 20; ++i)
        keeper.AddMove();
    clock.tick += 60000;
    keeper.Refresh();
    // 36 sides in 600 tenths: the 360 take 6000 tenths; 20 moves become 200.
    EXPECT_EQ(keeper.Score(), 50000 + 36000 - 600 - 20);
    EXPECT_EQ(keeper.ProjectedScore(), 50000 + 360000 - 6000 - 200);
    EXPECT_DOUBLE_EQ(keeper.Percent(), 10.0);
}

TEST_F(ScoreKeeperTest, EveryJoinDoneMakesBothScoresEqual)
{
    open(grid(3, 2));  // 7 internal edges
    for (int i = 0; i < 7; ++i)
        keeper.AddJoinedSides(2);
    keeper.AddHelp(2);
    keeper.AddMove();
    clock.tick += 12345;
    keeper.Finish();
    EXPECT_EQ(keeper.state(), ScoreKeeper::Finished);
    EXPECT_EQ(keeper.Score(), keeper.ProjectedScore());
    EXPECT_EQ(keeper.Score(), 3000 + 6 * 1000 - 123 - 2000 - 1);
    clock.tick += 50000;  // the clock stands still after the finish
    keeper.Refresh();
    EXPECT_EQ(keeper.Elapsed(), 12345);
}

TEST_F(ScoreKeeperTest, ProjectedTimeOfALongSlowGameIsNotWrapped)
{
    open(grid(10, 10));
    keeper.AddJoinedSides(2);
    // 180 projected tenths per tenth played: 11,931,000 tenths project
    // 2,147,580,000, past 32 bits, while the score itself still fits.
    clock.tick += 1'193'100'000u;
    keeper.Refresh();
    EXPECT_EQ(keeper.ProjectedScore(), 50000 + 360000 - 2'147'580'000LL);
    clock.tick += 900'000'000u;
    keeper.Refresh();
    EXPECT_EQ(keeper.ProjectedScore(), INT_MIN);  // clamped, not wrapped to a large positive value
    EXPECT_LT(keeper.Score(), 0);
}

TEST_F(ScoreKeeperTest, NestedPausesStopTheClockUntilTheLastResume)
{
    open(grid(4, 4));
    clock.tick += 1000;
    keeper.Pause();
    clock.tick += 500;
    keeper.Pause();
    clock.tick += 500;
    keeper.Resume();
    clock.tick += 700;
    EXPECT_TRUE(keeper.paused());
    EXPECT_EQ(keeper.Elapsed(), 1000);
    keeper.Resume();
    clock.tick += 300;
    EXPECT_FALSE(keeper.paused());
    EXPECT_EQ(keeper.Elapsed(), 1300);  // paused from the first Pause to the last Resume

    keeper.Pause(3);
    clock.tick += 5000;
    keeper.ResumeAll();
    EXPECT_EQ(keeper.pauseDepth(), 0);
    EXPECT_EQ(keeper.Elapsed(), 1300);
    keeper.Resume();  // unmatched: no effect
    EXPECT_EQ(keeper.pauseDepth(), 0);
}

TEST_F(ScoreKeeperTest, ClockDifferencesSurviveTheTickCountWrapping)
{
    clock.tick = 0xFFFFFF00u;
    open(grid(4, 4));
    clock.tick += 0x200;  // wraps past 0
    keeper.Pause();
    clock.tick += 1000;
    keeper.Resume();
    EXPECT_EQ(keeper.Elapsed(), 0x200);
}

TEST_F(ScoreKeeperTest, SavedGameContinuesFromItsTimeAndCompleteOneStaysFrozen)
{
    keeper.Reset();
    keeper.Restore(ScoreCounters{5000, 1, 2, 10, 7});
    keeper.OpenPuzzle(grid(4, 4));
    clock.tick += 2500;
    keeper.Refresh();
    EXPECT_EQ(keeper.Elapsed(), 7500);
    EXPECT_EQ(keeper.Score(), 8000 + 4 * 1250 - 75 - 2500 - 7);  // 16 pieces: K = 1250

    keeper.Reset();
    keeper.Restore(ScoreCounters{123456, 2, 4, 48, 30});  // all 48 sides of a 4 x 4 grid
    ScorePuzzle done = grid(4, 4);
    done.complete = true;
    keeper.OpenPuzzle(done);
    clock.tick += 99999;
    keeper.Refresh();
    EXPECT_EQ(keeper.state(), ScoreKeeper::Finished);
    EXPECT_EQ(keeper.Elapsed(), 123456);
    EXPECT_EQ(keeper.Score(), 8000 + 22 * 1250 - 1234 - 5000 - 30);
    EXPECT_EQ(keeper.ProjectedScore(), keeper.Score());
    keeper.Pause();  // a finished game ignores pauses
    EXPECT_EQ(keeper.pauseDepth(), 0);
}

TEST_F(ScoreKeeperTest, ListenerHearsOpeningBeforeTheClockStartsAndEverySecond)
{
    RecordingListener listener;
    listener.keeper = &keeper;
    keeper.setListener(&listener);
    open(grid(4, 4));
    EXPECT_EQ(listener.stateWhenOpened, ScoreKeeper::NotStarted);
    ASSERT_GE(listener.calls.size(), 3u);
    EXPECT_EQ(listener.calls[0], "reset");
    EXPECT_EQ(listener.calls[1], "opened");

    listener.calls.clear();
    clock.tick += 400;
    keeper.Refresh();  // same second, same scores
    clock.tick += 600;
    keeper.Refresh();  // a new second, a tenth-based score change
    ASSERT_EQ(listener.calls.size(), 2u);
    EXPECT_EQ(listener.calls[0], "refreshed " + std::to_string(ScoreChanged));
    EXPECT_EQ(listener.calls[1], "refreshed " + std::to_string(TimeChanged | ScoreChanged));
}

// The finish window hangs on this: told once, when a running game's clock
// stops, with the final time already frozen; never for a game that opens
// complete, never again for a second Finish.
TEST_F(ScoreKeeperTest, ListenerHearsTheFinishOnceAndOnlyFromARunningGame)
{
    RecordingListener listener;
    listener.keeper = &keeper;
    keeper.setListener(&listener);
    auto finishes = [&] { return std::count(listener.calls.begin(), listener.calls.end(), "finished"); };

    open(grid(3, 3));
    clock.tick += 4200;
    keeper.Finish();
    EXPECT_EQ(finishes(), 1);
    EXPECT_EQ(listener.stateWhenFinished, ScoreKeeper::Finished);
    EXPECT_EQ(listener.finishedAt, 4200);
    EXPECT_EQ(listener.calls.back(), "finished") << "after the last refresh, so the live entry is in place";
    keeper.Finish();
    clock.tick += 1000;
    keeper.Refresh();
    EXPECT_EQ(finishes(), 1) << "a finished game is not finished again";

    listener.calls.clear();
    ScorePuzzle done = grid(3, 3);
    done.complete = true;
    open(done);
    keeper.Finish();
    EXPECT_EQ(finishes(), 0) << "a game opened complete was finished before";

    keeper.Reset();
    keeper.Finish();
    EXPECT_EQ(finishes(), 0) << "nothing was running";
}

TEST_F(ScoreKeeperTest, NoPiecesOrNotStartedScoresNothing)
{
    EXPECT_EQ(keeper.Score(), 0);
    EXPECT_EQ(keeper.Elapsed(), 0);
    open(grid(0, 0));
    keeper.AddJoinedSides(2);
    EXPECT_EQ(keeper.Score(), 0);
    EXPECT_EQ(keeper.ProjectedScore(), 0);
}

TEST_F(ScoreKeeperTest, CompleteSavedDocumentReopensFrozenAndSavesItsCountersBack)
{
    Puz puz;
    puz.rows[0] = 3;
    puz.columns[0] = 4;
    puz.sizeIndex = 0;
    puz.pieces.resize(12);
    puz.options |= Puz::NoRotable;
    puz.state |= Puz::Complete;
    puz.counters.elapsedMs = 754321;
    puz.counters.joinedSides = 34;  // every side of a 4 x 3 grid
    puz.counters.helps = 1;
    puz.counters.helpSides = 2;
    puz.counters.moves = 40;
    keeper.Reset();
    keeper.Restore(puz.counters);
    keeper.OpenPuzzle(puz);
    clock.tick += 5000;
    keeper.Refresh();
    EXPECT_EQ(keeper.Elapsed(), 754321);
    // NoRotable, 12 pieces: base 2000, K 333.
    EXPECT_EQ(keeper.Score(), 2000 + 32 * 333 / 2 - 7543 - 666 - 40);
    EXPECT_EQ(keeper.ProjectedScore(), keeper.Score());
    PlayCounters saved = keeper.SavedCounters();
    EXPECT_EQ(saved.elapsedMs, 754321);
    EXPECT_EQ(saved.joinedSides, 34u);
    EXPECT_EQ(saved.helpSides, 2);
    EXPECT_EQ(saved.moves, 40u);
}
