#include "ScoresFixture.h"

#include <climits>

#include "framework/FileStream.h"
#include "jigsaw/document/PuzzleFileWriter.h"
#include "jigsaw/scores/BitScatter.h"
#include "jigsaw/scores/Certificate.h"
#include "jigsaw/scores/ClipboardImport.h"
#include "jigsaw/scores/LiveRanking.h"

using namespace qv;
using namespace qv::test;

namespace {

void writePuzzle(const fs::path& path, uint8_t firstByte)
{
    PuzzleFileContent content;
    content.title = "Castle";
    content.sizeCount = 1;
    content.header = "/Med0:4#4/Tit:Castle";
    content.palette = {0x102030, 0x405060};
    content.jpeg = std::vector<uint8_t>(2000, 0x5A);
    content.jpeg[0] = firstByte;
    ASSERT_TRUE(writePuzzleFile(path, content).ok());
}

// One program run: its score keeping, its ranking and what it shows.
struct ProgramRun {
    FakeClock clock;
    ScoreKeeper keeper{clock};
    FakeHost host;
    ScoreGame game;
    LiveRanking live{keeper, [this] { return game; }, host};

    ProgramRun(const fs::path& dir, const std::string& player)
    {
        host.dir = dir;
        host.puzzles["Castle"] = {dir / "Castle.puz", ""};
        game.puzzlePath = dir / "Castle.puz";
        game.title = "Castle";
        game.player = player;
        game.columns = game.rows = 4;
        game.pieces = 16;
        game.scoresOn = true;
        keeper.Reset();
        keeper.OpenPuzzle({16, 4, 4, 0, false});
    }

    // Every joint made, with a few moves, a help and 11 hours on the clock:
    // the certificate seed then passes what 32-bit places could hold.
    void finish()
    {
        for (int i = 0; i < 23; ++i)
            keeper.AddJoinedSides(2);
        keeper.AddHelp(2);
        keeper.AddJoinedSides(2);
        for (int i = 0; i < 40; ++i)
            keeper.AddMove();
        clock.tick += 11 * 3600 * 1000 + 12345;
        keeper.Finish();
    }
};

struct CertificateTest : TempShelf {
    void SetUp() override
    {
        TempShelf::SetUp();
        writePuzzle(dir / "Castle.puz", 1);
    }
};

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

TEST(BitScatterTest, PlacesFollowTheSignatureTable)
{
    // Seed 1 over one byte: places 0, 5, 1, 6, 2, 7, 3, 4; each bit lands inverted.
    EXPECT_EQ(BitScatter::Scatter({0x00}, 1), std::vector<uint8_t>{0xFF});
    EXPECT_EQ(BitScatter::Scatter({0x01}, 1), std::vector<uint8_t>{0xFE});
    EXPECT_EQ(BitScatter::Scatter({0x02}, 1), std::vector<uint8_t>{0xDF});
    EXPECT_EQ(BitScatter::Scatter({0x80}, 1), std::vector<uint8_t>{0xEF});
    EXPECT_EQ(BitScatter::Fold("abcd", 3), (std::vector<uint8_t>{'a' ^ 'd', 'b', 'c'}));
    EXPECT_EQ(BitScatter::Tame(20'000'000), 10'000'000);  // x 111 is negative in 32 bits
    EXPECT_EQ(BitScatter::Tame(-7), 0);
}

TEST(BitScatterTest, EverySeedGivesAnInvertibleScatter)
{
    std::vector<uint8_t> source(33);
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<uint8_t>(i * 37 + 11);
    // Large seeds overflowed 32-bit places and negative ones indexed before the buffer.
    for (int32_t seed : {INT_MIN, -123456, -1, 0, 1, 532, 19'000'000, 41'700'000, 2'000'000'000, INT_MAX}) {
        auto scattered = BitScatter::Scatter(source, seed);
        EXPECT_EQ(BitScatter::Gather(scattered, seed), source) << seed;
        EXPECT_EQ(BitScatter::Scatter(source, seed), scattered) << seed;
    }
    EXPECT_NE(BitScatter::Scatter(source, 41'700'000), BitScatter::Scatter(source, 41'700'001));
}

TEST_F(CertificateTest, PuzzleIdSumsThePictureBlockIntoFourWords)
{
    uint8_t bytes[] = {1, 2, 3, 4, 0xFF, 0xFF, 0, 0, 9};
    fw::MemoryStream s(bytes, sizeof bytes);
    PuzzleId id = PuzzleId::FromStream(s, 0, sizeof bytes);
    EXPECT_EQ(id.words, (std::array<uint32_t, 4>{1 + 0xFF + 9, 2 + 0xFF, 3, 4}));
    EXPECT_EQ(id.ToText(), "109-101-3-4");
    EXPECT_EQ(PuzzleId::Parse("109-101-3-4"), id);
    EXPECT_FALSE(PuzzleId::Parse("109-101-3").has_value());

    PuzzleId castle = PuzzleId::FromFile(dir / "Castle.puz");
    EXPECT_FALSE(castle.isZero());
    writePuzzle(dir / "Other.puz", 2);
    PuzzleId other = PuzzleId::FromFile(dir / "Other.puz");
    // The first JPEG byte lies 942 bytes into the block: 942 mod 4 = 2.
    EXPECT_EQ(other.words[2], castle.words[2] + 1);
    EXPECT_EQ(other.words[0], castle.words[0]);
    EXPECT_EQ(PuzzleId::FromFile(dir / "missing.puz"), PuzzleId{});
}

TEST_F(CertificateTest, TextOfAFinishedGameReadsBackVerified)
{
    ProgramRun run(dir, "Ann");
    run.game.owner = "  Shop  ";  // signed trimmed, as it is read back
    run.game.flags = 0x20;
    run.keeper.Reset();
    run.keeper.OpenPuzzle({16, 4, 4, 0x20, false});
    run.finish();
    Certificate made = Certificate::FromCurrentGame(run.live);
    EXPECT_EQ(made.record.owner, "Shop");
    EXPECT_EQ(made.record.time, 11 * 3600 * 1000 + 12300);
    EXPECT_EQ(made.record.score, run.keeper.Score());

    std::string text = made.ToText();
    std::string sig = made.Signature();
    ASSERT_EQ(sig.size(), 48u);
    std::string expected = "****Quorvane****BOC{\r\nPuzzle:Castle\r\nLevel:0\r\nPieces:4x4,NoRotable\r\n"
                           "PackOwner:Shop\r\nPlayer:Ann\r\nTime:11:00:12.3\r\nSolved:48\r\nMoves:40\r\nHelps:1\r\n"
                           "Score:" + std::to_string(made.record.score) + "\r\nPuzID:" + made.puzzleId.ToText() +
                           "\r\n}EOC********************\r\nBOK{\r\n" + sig.substr(0, 24) + "\r\n" + sig.substr(24) +
                           "\r\n}EOK";
    EXPECT_EQ(text, expected);

    Certificate read = Certificate::Parse(text);
    EXPECT_TRUE(read.verified());
    EXPECT_EQ(read.title, "Castle");
    EXPECT_EQ(read.flags, 0x20);
    EXPECT_EQ(read.columns, 4);
    EXPECT_EQ(read.puzzleId, made.puzzleId);
    ScoreRecord expectedRecord = made.record;
    expectedRecord.key = "*R*";
    EXPECT_EQ(read.record, expectedRecord);

    // Line breaks of a mail program, blanks around values: still the same certificate.
    std::string loose = replaced(replaced(text, "\r\n", "\n"), "Player:Ann", "Player:  Ann ");
    EXPECT_TRUE(Certificate::Parse(loose).verified());
}

TEST_F(CertificateTest, ChangedOrCutTextsDoNotVerify)
{
    ProgramRun run(dir, "Ann");
    run.finish();
    Certificate made = Certificate::FromCurrentGame(run.live);
    std::string text = made.ToText();
    std::string score = "Score:" + std::to_string(made.record.score);
    std::string better = "Score:" + std::to_string(made.record.score + 1);
    EXPECT_FALSE(Certificate::Parse(replaced(text, score, better)).verified());
    EXPECT_FALSE(Certificate::Parse(replaced(text, "Moves:40", "Moves:39")).verified());
    EXPECT_FALSE(Certificate::Parse(text.substr(0, text.size() - 4)).verified());
    EXPECT_FALSE(Certificate::Parse(text.substr(0, text.find("Player"))).verified());
    // The level stops at the end of its line: a missing value does not swallow the next line.
    Certificate noLevel = Certificate::Parse(replaced(text, "Level:0", "Level:"));
    EXPECT_EQ(noLevel.columns, 4);
    EXPECT_EQ(noLevel.record.player, "Ann");
}

TEST_F(CertificateTest, PastedIntoAnotherPlayersRunItEntersThatRanking)
{
    ProgramRun first(dir, "Ann");
    first.finish();
    std::string clipboard = Certificate::FromCurrentGame(first.live).ToText();

    ProgramRun second(dir, "Bob");
    fw::Status shown;
    ASSERT_TRUE(ClipboardImport(clipboard, second.live, second.host, &shown));
    EXPECT_TRUE(shown.ok()) << shown.id;
    EXPECT_EQ(second.host.clipboardEmptied, 1);
    EXPECT_EQ(second.host.certificatesShown, 1);
    const auto& records = second.live.ranking().records;
    // Eleven hours cost Ann more than her joints brought: Bob's fresh game leads.
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(second.host.shownRows, std::vector<int>{1});
    EXPECT_EQ(records[1].player, "Ann");
    EXPECT_EQ(records[1].key, "*R*");
    EXPECT_EQ(records[0].player, "Bob");
    EXPECT_EQ(second.host.changedMarks, 1);

    // Written with Bob's first save, which keeps the received result.
    second.game.savedGamePath = dir / "bob.sav";
    touch("bob.sav");
    second.live.OnSavedAs();
    second.live.StoreResult();
    ProgramRun third(dir, "Cy");
    EXPECT_EQ(players(third.live.ranking().records), (std::vector<std::string>{"Bob", "Cy", "Ann"}));
}

TEST_F(CertificateTest, ImportIntoARankingThatIsNotOpenIsSavedAtOnce)
{
    ProgramRun first(dir, "Ann");
    first.finish();
    std::string clipboard = Certificate::FromCurrentGame(first.live).ToText();

    ProgramRun other(dir, "Bob");
    other.game.scoresOn = false;
    other.keeper.Reset();
    other.keeper.OpenPuzzle({16, 4, 4, 0, false});
    ASSERT_FALSE(other.live.isOpen());
    ASSERT_TRUE(ClipboardImport(clipboard, other.live, other.host));
    Ranking r;
    r.title = "Castle";
    r.placeAsCurrent(dir / "Castle.puz", dir);
    ASSERT_TRUE(r.Load());
    EXPECT_EQ(players(r.records), std::vector<std::string>{"Ann"});
}

TEST_F(CertificateTest, RefusedCertificatesLeaveTheRankingAlone)
{
    ProgramRun first(dir, "Ann");
    first.finish();
    Certificate made = Certificate::FromCurrentGame(first.live);
    std::string text = made.ToText();

    struct Case {
        const char* what;
        std::function<void(ProgramRun&, std::string&)> setUp;
        int message;
        MessageIcon icon;
    } cases[] = {
        {"one point more", [&](ProgramRun&, std::string& t) {
             t = replaced(t, "Score:" + std::to_string(made.record.score), "Score:" + std::to_string(made.record.score + 1));
         }, 546, MessageIcon::Warning},
        {"not on the shelf", [](ProgramRun& r, std::string&) { r.host.puzzles.clear(); }, 548, MessageIcon::Information},
        {"another puzzle file", [&](ProgramRun&, std::string&) { writePuzzle(dir / "Castle.puz", 7); }, 549,
         MessageIcon::Information},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        writePuzzle(dir / "Castle.puz", 1);
        ProgramRun second(dir, "Bob");
        std::string pasted = text;
        c.setUp(second, pasted);
        fw::Status shown;
        ASSERT_TRUE(ClipboardImport(pasted, second.live, second.host, &shown));
        EXPECT_EQ(shown.id, c.message);
        {
            ASSERT_EQ(second.host.icons.size(), 1u);
            EXPECT_EQ(second.host.icons[0], c.icon);
            EXPECT_EQ(second.host.certificatesShown, 0);
        }
        if (c.message == 548) {
            EXPECT_EQ(shown.text, "Castle 16 <500>");
        }
        EXPECT_EQ(players(second.live.ranking().records), std::vector<std::string>{"Bob"});
    }
}

TEST_F(CertificateTest, OwnCertificatesAreNeverImported)
{
    ProgramRun first(dir, "Ann");
    first.game.owner = "Shop";
    first.finish();
    Certificate made = Certificate::FromCurrentGame(first.live);

    ProgramRun again(dir, "Ann");
    again.host.puzzles["Castle"].owner = "Shop";
    fw::Status shown;
    ClipboardImport(made.ToText(), again.live, again.host, &shown);
    EXPECT_EQ(shown.id, 547);  // not the last certificate made here
    again.host.lastCert = made.Signature();
    ClipboardImport(made.ToText(), again.live, again.host, &shown);
    EXPECT_EQ(shown.id, 0);
    EXPECT_EQ(again.host.certificatesShown, 0);
    EXPECT_EQ(again.live.ranking().records.size(), 1u);
}

TEST_F(CertificateTest, OtherTextsAreNotTaken)
{
    ProgramRun run(dir, "Ann");
    EXPECT_FALSE(ClipboardImport("hello", run.live, run.host));
    EXPECT_FALSE(ClipboardImport("BOC{ }EOC without the name", run.live, run.host));
    EXPECT_EQ(run.host.clipboardEmptied, 0);
}
