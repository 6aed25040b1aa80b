#include "ScoresFixture.h"

#include "framework/FileStream.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/MiniScore.h"

using namespace qv;
using namespace qv::test;

namespace {

struct LiveRankingTest : TempShelf {
    FakeClock clock;
    ScoreKeeper keeper{clock};
    FakeHost host;
    ScoreGame game;
    std::unique_ptr<LiveRanking> live;

    void SetUp() override
    {
        TempShelf::SetUp();
        touch("Castle.puz");
        host.dir = dir;
        game.puzzlePath = dir / "Castle.puz";
        game.title = "Castle";
        game.player = " Ann\xB7Lee ";
        game.owner = "  Shop  ";
        game.level = 0;
        game.columns = 4;  // 16 pieces: base 8000, K 1250
        game.rows = 4;
        game.pieces = 16;
        game.scoresOn = true;
        live = std::make_unique<LiveRanking>(keeper, [this] { return game; }, host);
    }

    // A scores file of the puzzle holding these records.
    void stored(std::vector<ScoreRecord> records)
    {
        Ranking r;
        r.title = game.title;
        r.level = static_cast<uint8_t>(game.level);
        r.placeAsCurrent(game.puzzlePath, dir);
        r.records = std::move(records);
        ASSERT_TRUE(r.Save());
    }

    std::vector<ScoreRecord> onDisk()
    {
        Ranking r;
        r.title = game.title;
        r.placeAsCurrent(game.puzzlePath, dir);
        fw::FileStream f(r.ScoresPath(), fw::FileStream::Mode::Read);
        std::vector<ScoreRecord> out;
        Ranking::Read(f, out);
        return out;
    }

    void open()
    {
        keeper.Reset();
        keeper.OpenPuzzle({game.pieces, game.columns, game.rows, game.flags, false});
    }

    void join(int n)
    {
        for (int i = 0; i < n; ++i)
            keeper.AddJoinedSides(2);
    }
};

}  // namespace

TEST_F(LiveRankingTest, OpeningAPuzzleAddsTheLiveEntryAndItClimbsWithEveryJoin)
{
    stored({record("*R*", "Top", 20000), record("*R*", "Mid", 10000), record("*R*", "Low", 8000)});
    open();
    ASSERT_TRUE(live->isOpen());
    // 8000 at the start ties with Low and stands below it.
    EXPECT_EQ(live->liveIndex(), 3);
    const ScoreRecord& me = live->ranking().records[3];
    EXPECT_EQ(me.player, "Ann Lee");
    EXPECT_EQ(me.owner, "Shop");
    EXPECT_EQ(me.key, "");
    EXPECT_EQ(me.pieces, 16);

    join(1);  // 9250
    EXPECT_EQ(live->liveIndex(), 2);
    join(1);  // 10500
    EXPECT_EQ(live->liveIndex(), 1);
    EXPECT_EQ(live->ranking().records[1].score, keeper.Score());
    EXPECT_EQ(players(live->ranking().records), (std::vector<std::string>{"Top", "Ann Lee", "Mid", "Low"}));
    EXPECT_EQ(host.updates.back(), unsigned(AllChanged));

    // Seconds cost points: the entry sinks below records it no longer beats.
    clock.tick += 600000;
    keeper.Refresh();
    EXPECT_EQ(keeper.Score(), 4500);
    EXPECT_EQ(live->liveIndex(), 3);
}

TEST_F(LiveRankingTest, ProjectedPlaceAndTrendsCountTheOtherRecords)
{
    stored({record("*R*", "Top", 200000), record("*R*", "Near", 30000), record("*R*", "Mid", 9300),
            record("*R*", "Low", 9000)});
    open();
    join(1);  // 9250 now, between Mid and Low
    clock.tick += 10000;
    keeper.Refresh();  // 9150
    ASSERT_EQ(live->liveIndex(), 3);
    // 2 of 48 sides in 100 tenths: the rest takes 2400 tenths, so the
    // projected score is 8000 + 30000 - 2400 = 35600: second place.
    EXPECT_EQ(keeper.ProjectedScore(), 35600);
    EXPECT_EQ(live->projectedIndex(), 1);
    EXPECT_EQ(live->liveTrend(), Trend::Up);  // one joint more passes Mid
    EXPECT_EQ(live->projectedTrend(), Trend::Steady);

    clock.tick += 5000;
    keeper.AddHelp(0);  // 6600, projected 31900
    EXPECT_EQ(live->liveIndex(), 4);
    EXPECT_EQ(live->projectedIndex(), 1);
    EXPECT_EQ(live->liveTrend(), Trend::Steady);  // nothing below, Low out of reach
    // Twenty idle seconds and ten moves would project 26860, under Near.
    EXPECT_EQ(live->projectedTrend(), Trend::Down);
}

TEST_F(LiveRankingTest, UnsavedGameIsShownButNeverWritten)
{
    stored({record("*R*", "Other", 100)});
    open();
    ASSERT_EQ(live->ranking().records.size(), 2u);
    live->StoreResult();
    EXPECT_EQ(players(onDisk()), (std::vector<std::string>{"Other"}));
}

TEST_F(LiveRankingTest, SavingNamesTheEntryAndOverwritingAnotherGameDropsItsRecord)
{
    touch("old.sav");
    stored({record("old", "Old", 5000)});
    open();
    ASSERT_EQ(live->ranking().records.size(), 2u);

    // First save: the unsaved entry gets its key.
    game.savedGamePath = dir / "first.sav";
    touch("first.sav");
    live->OnSavedAs();
    live->StoreResult();
    EXPECT_EQ(live->ranking().records[live->liveIndex()].key, "first");
    auto disk = onDisk();
    ASSERT_EQ(disk.size(), 2u);
    EXPECT_EQ(disk[0].key, "first");
    EXPECT_EQ(disk[0].player, "Ann Lee");

    // Save as the name of the other game (case aside): its record goes.
    game.savedGamePath = dir / "OLD.sav";
    live->OnSavedAs();
    live->StoreResult();
    disk = onDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk[0].key, "OLD");
    EXPECT_EQ(disk[0].player, "Ann Lee");
}

TEST_F(LiveRankingTest, ReopeningASavedGameFindsItsRecordAgain)
{
    touch("g.sav");
    stored({record("g", "Ann Lee", 7000), record("*R*", "Other", 7500)});
    game.savedGamePath = dir / "g.sav";
    keeper.Reset();
    keeper.Restore(ScoreCounters{60000, 0, 0, 2, 10});
    keeper.OpenPuzzle({16, 4, 4, 0, false});
    EXPECT_EQ(live->ranking().records.size(), 2u);
    EXPECT_EQ(live->ranking().records[live->liveIndex()].key, "g");
    EXPECT_EQ(keeper.Score(), 8000 + 1250 - 600 - 10);
    EXPECT_EQ(live->liveIndex(), 0);
}

TEST_F(LiveRankingTest, SwitchingScoresOffTakesTheGamesRecordOut)
{
    touch("g.sav");
    stored({record("g", "Ann", 7000), record("*R*", "Other", 7500)});
    game.savedGamePath = dir / "g.sav";
    open();
    live->StoreResult();
    EXPECT_EQ(onDisk().size(), 2u);
    live->CloseRanking();
    EXPECT_FALSE(live->isOpen());
    EXPECT_EQ(live->liveIndex(), -1);
    EXPECT_EQ(host.rankingClosed, 1);
    EXPECT_EQ(players(onDisk()), (std::vector<std::string>{"Other"}));

    game.scoresOn = false;
    open();
    EXPECT_FALSE(live->isOpen());
    live->StoreResult();  // nothing loaded, nothing written over the file
    EXPECT_EQ(players(onDisk()), (std::vector<std::string>{"Other"}));
}

TEST_F(LiveRankingTest, ReceivedResultEntersTheCurrentRankingAroundTheLiveEntry)
{
    std::vector<ScoreRecord> full;
    for (int i = 0; i < 15; ++i)
        full.push_back(record("*R*", "P" + std::to_string(i), 30000 - i * 1000));
    stored(full);
    open();
    ASSERT_EQ(live->liveIndex(), 15);  // a sixteenth record until the next save
    int at = live->InsertReceived(record("*R*", "New", 25500, "far"));
    EXPECT_EQ(at, 5);
    EXPECT_EQ(live->ranking().records.size(), 16u);  // the cut-off live entry is back at the end
    EXPECT_EQ(live->liveIndex(), 15);
    EXPECT_EQ(live->ranking().records[15].player, "Ann Lee");
    EXPECT_EQ(host.changedMarks, 1);
}

TEST_F(LiveRankingTest, ResetForgetsTheRanking)
{
    open();
    ASSERT_TRUE(live->isOpen());
    keeper.Reset();
    EXPECT_FALSE(live->isOpen());
    EXPECT_TRUE(live->ranking().records.empty());
}

TEST_F(LiveRankingTest, MiniScoreCellsShowTimeScoresAndPlacesWithTheirTrends)
{
    EXPECT_EQ(MiniScore::Of(*live, ',').position, "");  // no game yet
    stored({record("*R*", "Top", 20000), record("*R*", "Mid", 10400), record("*R*", "Low", 9000)});
    open();
    clock.tick += 3723000;
    keeper.Refresh();
    MiniScore late = MiniScore::Of(*live, ',');
    EXPECT_EQ(late.time, "01:02:03");
    EXPECT_EQ(late.timeColour, MiniScore::Green);
    EXPECT_EQ(late.score, "       -29,230");  // 8000 - 37230 tenths
    EXPECT_EQ(late.position, " 4/4 ");

    keeper.Reset();
    open();
    join(1);  // 9250: third
    MiniScore third = MiniScore::Of(*live, ',');
    EXPECT_EQ(third.position, " 3/4 ");
    EXPECT_EQ(third.positionColour, MiniScore::Green);  // one joint more (10490) passes Mid
    join(1);  // 10500: second
    MiniScore second = MiniScore::Of(*live, ',');
    EXPECT_EQ(second.position, " 2/4 ");
    EXPECT_EQ(second.positionColour, MiniScore::Red);  // twenty idle seconds (10290) fall below Mid
    // No time has passed, so the projection (38000) stands.
    EXPECT_EQ(second.ChangedFrom(third), unsigned(PositionChanged | ScoreChanged));

    keeper.Pause();
    MiniScore paused = MiniScore::Of(*live, ',');
    EXPECT_EQ(paused.timeColour, MiniScore::LightGrey);
    EXPECT_EQ(paused.ChangedFrom(second), unsigned(TimeChanged));
}

// One bad byte makes the file read as empty; the save after it must not
// take the results with it: the damaged file is kept beside the new one,
// and the player is told once.
TEST_F(LiveRankingTest, DamagedScoresFileIsKeptAsideBeforeTheFirstRewriteAndToldOnce)
{
    touch("g.sav");
    stored({record("*R*", "Bob", 9000), record("*R*", "Cy", 8500)});
    const fs::path file = dir / "scores" / "Castle.0";
    std::string bytes = slurp(file);
    bytes[bytes.size() - 3] ^= 0x55;  // inside the end mark
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;

    game.savedGamePath = dir / "g.sav";
    open();
    EXPECT_EQ(live->ranking().records.size(), 1u) << "a damaged file reads as empty";
    live->StoreResult();
    EXPECT_EQ(slurp(dir / "scores" / "Castle.0.damaged"), bytes);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].id, msg::DamagedScoresKept);
    EXPECT_EQ(host.messages[0].text, (dir / "scores" / "Castle.0.damaged").string());
    EXPECT_EQ(host.icons[0], MessageIcon::Warning);
    EXPECT_EQ(onDisk().size(), 1u) << "a sound file is written in its place";

    // Later saves and opens find a sound file: no second copy, no second message.
    live->StoreResult();
    open();
    live->StoreResult();
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_FALSE(fs::exists(dir / "scores" / "Castle.0.damaged2"));

    // Damaged once more: the first copy stays, the new one gets a number.
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "QVRRBOF garbage";
    open();
    live->CloseRanking();
    EXPECT_EQ(slurp(dir / "scores" / "Castle.0.damaged"), bytes);
    EXPECT_EQ(slurp(dir / "scores" / "Castle.0.damaged2"), "QVRRBOF garbage");
    EXPECT_EQ(host.messages.size(), 2u);
}

// Saved games go to the current shelf, which need not be the puzzle's
// folder: a new game there must not take the records of the games saved
// on that shelf out of the file.
TEST_F(LiveRankingTest, NewGameSavedOnTheShelfKeepsTheRecordsOfOtherSavedGames)
{
    const fs::path shelf = dir / "shelf";
    fs::create_directories(shelf);
    host.dir = shelf;
    std::ofstream(shelf / "Castle-16 by Bob.sav") << "x";
    stored({record("Castle-16 by Bob", "Bob", 9000), record("*R*", "Cy", 8500)});

    game.player = "Emil";
    open();
    EXPECT_EQ(players(live->ranking().records), (std::vector<std::string>{"Bob", "Cy", "Emil"}));
    game.savedGamePath = shelf / "Castle-16 by Emil.sav";
    std::ofstream(game.savedGamePath) << "x";
    live->OnSavedAs();
    live->StoreResult();
    EXPECT_EQ(players(onDisk()), (std::vector<std::string>{"Bob", "Cy", "Emil"}));

    // Opened again as Emil's saved game: Bob is still there; a game whose
    // file is gone from every folder still loses its record.
    fs::remove(shelf / "Castle-16 by Bob.sav");
    open();
    EXPECT_EQ(players(live->ranking().records), (std::vector<std::string>{"Cy", "Emil"}));
}
