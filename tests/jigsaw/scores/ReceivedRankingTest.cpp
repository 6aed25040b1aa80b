#include "ScoresFixture.h"

#include "jigsaw/document/PuzzleFileWriter.h"
#include "jigsaw/scores/ClipboardImport.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/ReceivedRanking.h"

using namespace qv;
using namespace qv::test;

namespace {

ScoreRecord result(std::string player, int32_t score, std::string owner = "Far")
{
    ScoreRecord r = record("*R*", std::move(player), score, std::move(owner));
    r.time = 3723400;  // 01:02:03.4
    r.solved = 24;
    r.moves = 77;
    r.helps = 2;
    return r;
}

// A ranking text as another player's program writes it: the lines hold all
// results given, the signature covers the first fifteen.
std::string rankingText(ReceivedRanking written, std::vector<ScoreRecord> results)
{
    const Ranking& r = written.ranking;
    std::string text = "Quorvane ranking\r\nRanking for " + r.title + " Level (size):" + std::to_string(r.level) + "," +
                       std::to_string(r.columns) + "x" + std::to_string(r.rows);
    if (r.flags & Ranking::NoRotable)
        text += ",NoRotable";
    if (r.puzzleId[0])
        text += ",PuzID:" + PuzzleId{r.puzzleId}.ToText();
    if (r.version)
        text += ",version:" + std::to_string(r.version);
    text += "\r\nBOR{\r\n";
    for (size_t i = 0; i < results.size(); ++i)
        text += written.ResultLine(results[i], static_cast<int>(i));
    text += "}EOR\r\n";
    if (results.size() > Ranking::MaxRecords)
        results.resize(Ranking::MaxRecords);
    written.ranking.records = results;
    return text + "BOK{" + written.Signature() + "}EOK\r\n";
}

struct ReceivedRankingTest : TempShelf {
    FakeHost host;
    ReceivedRanking sent;

    void SetUp() override
    {
        TempShelf::SetUp();
        PuzzleFileContent content;
        content.title = "Lake";
        content.sizeCount = 1;
        content.header = "/Med0:6#5/Tit:Lake";
        content.jpeg = std::vector<uint8_t>(3000, 0x33);
        ASSERT_TRUE(writePuzzleFile(dir / "Lake.puz", content).ok());
        content.jpeg[0] = 0x34;  // a copy of the puzzle with one byte of its picture changed
        ASSERT_TRUE(writePuzzleFile(dir / "Lake2.puz", content).ok());
        host.dir = dir;
        host.puzzles["Lake"] = {dir / "Lake.puz", "Home"};
        sent.ranking.title = "Lake";
        sent.ranking.level = 2;
        sent.ranking.columns = 6;
        sent.ranking.rows = 5;
        sent.ranking.version = 2;
        sent.ranking.puzzleId = PuzzleId::FromFile(dir / "Lake.puz").words;
        sent.separator = ',';
    }

    bool parse(const std::string& text, ReceivedRanking& got, fw::Status& message)
    {
        return got.Parse(text, host, message);
    }
};

}  // namespace

TEST_F(ReceivedRankingTest, LinesKeepTheirLayoutAndReadBack)
{
    ScoreRecord dotted = result("Ann\xB7Lee", 1234567);
    std::string line = sent.ResultLine(dotted, 0);
    EXPECT_EQ(line, " 1 1,234,567 Ann Lee                  \xB7" "01:02:03.4;24;77;2;Far\r\n");
    EXPECT_EQ(sent.ResultLine(result("B", 5), 9), "10        5 B                        \xB7" "01:02:03.4;24;77;2;Far\r\n");

    std::string text = rankingText(sent, {dotted, result("Bob", 900), result("Cy", -1500)});
    ReceivedRanking got;
    fw::Status message;
    ASSERT_TRUE(parse(text, got, message)) << message.id;
    EXPECT_EQ(got.ranking.title, "Lake");
    EXPECT_EQ(got.ranking.level, 2);
    EXPECT_EQ(got.ranking.columns, 6);
    EXPECT_EQ(got.ranking.version, 2);
    ASSERT_EQ(got.ranking.records.size(), 3u);
    ScoreRecord expected = dotted;
    expected.player = "Ann Lee";
    expected.pieces = 30;
    EXPECT_EQ(got.ranking.records[0], expected);
    EXPECT_EQ(got.ranking.records[2].score, -1500);
}

TEST_F(ReceivedRankingTest, TwentyLinesKeepFifteen)
{
    std::vector<ScoreRecord> twenty;
    for (int i = 0; i < 20; ++i)
        twenty.push_back(result("P" + std::to_string(i), 100000 - i * 1000));
    ReceivedRanking got;
    fw::Status message;
    ASSERT_TRUE(parse(rankingText(sent, twenty), got, message)) << message.id;
    ASSERT_EQ(got.ranking.records.size(), 15u);
    EXPECT_EQ(got.ranking.records.back().player, "P14");
}

TEST_F(ReceivedRankingTest, CustomLevelLinesCarryPiecesFromVersionTwoOn)
{
    sent.ranking.level = 5;
    ScoreRecord r = result("Ann", 4321);
    r.pieces = 99;
    for (uint8_t version : {1, 2}) {
        SCOPED_TRACE(int(version));
        sent.ranking.version = version;
        std::string line = sent.ResultLine(r, 0);
        EXPECT_EQ(line.find(";99;") != std::string::npos, version == 2);
        ReceivedRanking got;
        fw::Status message;
        ASSERT_TRUE(parse(rankingText(sent, {r}), got, message)) << message.id;
        EXPECT_EQ(got.ranking.records[0].pieces, version == 2 ? 99 : 30);
        EXPECT_EQ(got.ranking.records[0].owner, "Far");
    }
}

TEST_F(ReceivedRankingTest, TextsFromAnotherLocaleVerify)
{
    for (char separator : {'.', '\xA0', '\''}) {
        sent.separator = separator;
        std::string text = rankingText(sent, {result("Ann", 1234567), result("Bob", 5)});
        ReceivedRanking got;
        fw::Status message;
        ASSERT_TRUE(parse(text, got, message)) << separator;
        EXPECT_EQ(got.ranking.records[0].score, 1234567);
        EXPECT_EQ(got.separator, separator);
    }
    sent.separator = 0;  // a locale without grouping
    ReceivedRanking got;
    fw::Status message;
    EXPECT_TRUE(parse(rankingText(sent, {result("Ann", 1234567)}), got, message));
}

TEST_F(ReceivedRankingTest, RefusedTextsSayWhy)
{
    const std::string good = rankingText(sent, {result("Ann", 5000), result("Bob", 4000)});
    auto refuse = [&](const std::string& text) {
        ReceivedRanking got;
        fw::Status message;
        EXPECT_FALSE(parse(text, got, message));
        return message;
    };
    std::string changed = good;
    changed.replace(changed.find("5,000"), 5, "6,000");
    EXPECT_EQ(refuse(changed).id, 553);
    std::string broken = good;
    broken.insert(broken.find("BOK{") + 30, "\r\n");
    EXPECT_EQ(refuse(broken).id, 553);
    std::string unsigned_ = good.substr(0, good.find("BOK{"));
    EXPECT_EQ(refuse(unsigned_).id, 0);

    host.puzzles.clear();
    fw::Status notHere = refuse(good);
    EXPECT_EQ(notHere.id, 548);
    EXPECT_EQ(notHere.text, "Lake 30 <500>");

    host.puzzles["Lake"] = {dir / "Lake2.puz", ""};
    EXPECT_EQ(refuse(good).id, 549);
}

TEST_F(ReceivedRankingTest, ClipboardShowsAcceptedTextsAndMergeSavesTheLocalRanking)
{
    std::string text = rankingText(sent, {result("Ann", 5000), result("Me", 4500, "Home"), result("Bob", 4000)});
    FakeClock clock;
    ScoreKeeper keeper(clock);
    ScoreGame game;  // another puzzle is open, without scores
    LiveRanking live(keeper, [&] { return game; }, host);

    fw::Status shown;
    ASSERT_TRUE(ClipboardImport(text, live, host, &shown));
    EXPECT_TRUE(shown.ok());
    EXPECT_EQ(host.receivedShown, 1);
    EXPECT_EQ(host.clipboardEmptied, 1);

    ReceivedRanking got;
    ASSERT_TRUE(got.Parse(text, host, shown));
    EXPECT_EQ(got.ranking.records[1].key, "");  // the player's own result is not merged
    ASSERT_TRUE(got.MergeIntoLocal(live, host).ok());
    // The first result enters the empty ranking; the own one is refused, the third goes below.
    EXPECT_EQ(host.shownRows, (std::vector<int>{0, -1, 1}));
    Ranking local;
    local.title = "Lake";
    local.level = 2;
    local.placeOnShelf(&host);
    ASSERT_TRUE(local.Load());
    EXPECT_EQ(players(local.records), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(local.ScoresPath().filename(), "Lake.2");

    host.puzzles.clear();
    EXPECT_EQ(got.MergeIntoLocal(live, host).id, 554);
}
