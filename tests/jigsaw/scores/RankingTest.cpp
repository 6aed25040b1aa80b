#include "ScoresFixture.h"

#include "framework/Stream.h"

using namespace qv;
using namespace qv::test;

namespace {

// The scores file's bytes without the scrambling, by its rule for offsets
// below and from 1024 on.
std::string unscrambled(const std::vector<uint8_t>& raw)
{
    const std::string key = "Vq7Lmzt";
    std::string plain(raw.begin(), raw.end());
    for (size_t p = 0; p < plain.size(); ++p)
        plain[p] = static_cast<char>(plain[p] ^ key[(p < 1024 ? p >> 4 : p >> 10) % 7] ^ 0x80);
    return plain;
}

std::vector<uint8_t> written(const std::vector<ScoreRecord>& records)
{
    fw::MemoryStream out;
    EXPECT_TRUE(Ranking::Write(out, records));
    return out.bytes();
}

struct RankingTest : TempShelf {
    Ranking castle;
    void SetUp() override
    {
        TempShelf::SetUp();
        touch("Castle.puz");
        castle.title = "Castle";
        castle.level = 3;
        castle.placeAsCurrent(dir / "Castle.puz", dir);
    }
};

}  // namespace

TEST(ScoreRecordTest, PieceCountTravelsInsideTheStoredKey)
{
    ScoreRecord r = record("game1", "Ann", 10);
    EXPECT_EQ(r.storedKey(), "game1");
    r.pieces = 300;
    r.extra = "more";
    EXPECT_EQ(r.storedKey(), std::string("game1\x01" "1\x01" "300\x01" "more"));

    ScoreRecord back;
    back.setStoredKey(r.storedKey());
    EXPECT_EQ(back.key, "game1");
    EXPECT_EQ(back.pieces, 300);
    EXPECT_EQ(back.extra, "more");

    back.setStoredKey(std::string("game1\x01" "2\x01" "300\x01" "more"));  // an unknown layout
    EXPECT_EQ(back.key, "game1");
    EXPECT_EQ(back.pieces, 0);
    EXPECT_EQ(back.extra, "");
}

TEST(ScoreRecordTest, PlayerNameLosesMiddleDotsAndSurroundingBlanks)
{
    EXPECT_EQ(cleanPlayerName(" \tAnn\xB7Lee\xB7 "), "Ann Lee");
}

TEST(RankingFileTest, LayoutIsScrambledByOffsetAndRecordsAreLittleEndian)
{
    ScoreRecord r = record("g", std::string(1100, 'x'), 0x01020304, "own");
    r.time = 1200;
    r.helps = 5;
    r.moves = 6;
    r.solved = 7;
    std::string plain = unscrambled(written({r}));
    ASSERT_EQ(plain.size(), 7 + 2 + (2 + 1) + (2 + 3) + (2 + 1100) + 4 + 4 + 2 + 2 + 2 + 7);
    EXPECT_EQ(plain.substr(0, 9), std::string("QVRRBOF\x01\x00", 9));
    EXPECT_EQ(plain.substr(9, 8), std::string("\x01\x00g\x03\x00own", 8));
    // The player's bytes straddle offset 1024, where the key index changes rule.
    EXPECT_EQ(plain[1023], 'x');
    EXPECT_EQ(plain[1024], 'x');
    std::vector<uint8_t> raw = written({r});
    EXPECT_EQ(raw[1023], 'x' ^ 'V' ^ 0x80);  // (1023 >> 4) mod 7 = 0
    EXPECT_EQ(raw[1024], 'x' ^ 'q' ^ 0x80);  // (1024 >> 10) mod 7 = 1
    size_t tail = 17 + 1102;
    EXPECT_EQ(plain.substr(tail, 16), std::string("\x04\x03\x02\x01\xB0\x04\x00\x00\x05\x00\x06\x00\x07\x00QV", 16));
    EXPECT_EQ(plain.substr(plain.size() - 7), "QVRREOF");
}

TEST(RankingFileTest, WritesAtMostFifteenKeyedRecordsAndCountsThem)
{
    std::vector<ScoreRecord> sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen.push_back(record("g" + std::to_string(i), "p", 100 - i));
    std::vector<ScoreRecord> back;
    fw::MemoryStream s(written(sixteen));
    ASSERT_TRUE(Ranking::Read(s, back));
    EXPECT_EQ(back.size(), 15u);
    EXPECT_EQ(unscrambled(written(sixteen)).substr(7, 2), std::string("\x0F\x00", 2));

    std::vector<ScoreRecord> withBlank = {record("a", "A", 3), record("  ", "Unsaved", 2), record("*R*", "C", 1)};
    std::string plain = unscrambled(written(withBlank));
    EXPECT_EQ(plain.substr(7, 2), std::string("\x02\x00", 2));
    fw::MemoryStream s2(written(withBlank));
    ASSERT_TRUE(Ranking::Read(s2, back));
    EXPECT_EQ(players(back), (std::vector<std::string>{"A", "C"}));
}

TEST(RankingFileTest, DamagedFilesReadAsEmpty)
{
    std::vector<uint8_t> good = written({record("a", "A", 1), record("b", "B", 2)});
    std::vector<ScoreRecord> back;
    for (size_t cut : {size_t(0), size_t(5), good.size() - 1, good.size() - 7, size_t(20)}) {
        std::vector<uint8_t> bytes(good.begin(), good.begin() + static_cast<ptrdiff_t>(cut));
        fw::MemoryStream s(bytes);
        EXPECT_FALSE(Ranking::Read(s, back)) << "cut at " << cut;
        EXPECT_TRUE(back.empty());
    }
    std::vector<uint8_t> foreign = good;
    foreign[0] ^= 1;
    fw::MemoryStream s(foreign);
    EXPECT_FALSE(Ranking::Read(s, back));
    // A count far beyond the bytes present reads as damaged, without allocating for it.
    std::string plain = unscrambled(good);
    plain[7] = plain[8] = '\xFF';
    std::string rescrambled = unscrambled(std::vector<uint8_t>(plain.begin(), plain.end()));
    fw::MemoryStream s3(rescrambled.data(), rescrambled.size());
    EXPECT_FALSE(Ranking::Read(s3, back));
}

TEST_F(RankingTest, ScoresFileLiesInScoresFolderNamedByLevelAndOptions)
{
    EXPECT_EQ(castle.ScoresPath(), dir / "scores" / "Castle.3");
    EXPECT_TRUE(fs::is_directory(dir / "scores"));
    castle.flags = 0x20;
    EXPECT_EQ(castle.ScoresPath().filename(), "Castle.3R");
    castle.flags = 0x120 | 0x04;
    EXPECT_EQ(castle.ScoresPath().filename(), "Castle.3RM");

    Ranking none;
    none.placeAsCurrent({}, dir);
    EXPECT_TRUE(none.ScoresPath().empty());
    EXPECT_FALSE(none.Load());

    fs::remove_all(dir / "scores");
    touch("scores", "a file where the folder should be");
    EXPECT_TRUE(castle.ScoresPath().empty());
}

TEST_F(RankingTest, OtherPuzzlesAreFoundOnTheShelfByFileNameOrTitle)
{
    FakeHost shelf;
    shelf.dir = dir;
    Ranking other;
    other.title = "Lake";
    other.level = 1;
    other.placeOnShelf(&shelf);
    EXPECT_TRUE(other.ScoresPath().empty());  // not on the shelf
    EXPECT_FALSE(other.Load());
    shelf.puzzles["Lake"] = {dir / "Lake2.puz", ""};
    EXPECT_EQ(other.ScoresPath(), dir / "scores" / "Lake2.1");
    other.fileName = "Lake.puz";
    EXPECT_EQ(other.ScoresPath(), dir / "scores" / "Lake.1");
}

TEST_F(RankingTest, SaveAndLoadKeepEqualScoresInOrderAndDropDeletedGames)
{
    touch("mine.sav");
    touch("Theirs.SAV");
    castle.records = {record("gone", "Gone", 900), record("mine", "A", 500), record("*R*", "B", 700),
                      record("THEIRS", "C", 500), record("*R*", "D", 500)};
    ASSERT_TRUE(castle.Save());
    castle.records.clear();
    ASSERT_TRUE(castle.Load());
    // "gone.sav" does not exist; received results stay whatever their key.
    EXPECT_EQ(players(castle.records), (std::vector<std::string>{"B", "A", "C", "D"}));

    // Another puzzle's ranking keeps every record.
    FakeHost shelf;
    shelf.dir = dir;
    Ranking copy = castle;
    copy.placeOnShelf(&shelf);
    copy.fileName = "Castle.puz";
    copy.records = {record("gone", "Gone", 900)};
    ASSERT_TRUE(copy.Save());
    ASSERT_TRUE(copy.Load());
    EXPECT_EQ(copy.records.size(), 1u);
}

TEST_F(RankingTest, MissingFileLoadsEmptyAndSaveReplacesWholeFile)
{
    castle.records = {record("x", "X", 1)};
    ASSERT_TRUE(castle.Load());
    EXPECT_TRUE(castle.records.empty());
    castle.records = {record("*R*", "A", 1)};
    ASSERT_TRUE(castle.Save());
    std::string first = slurp(castle.ScoresPath());
    castle.records.clear();
    ASSERT_TRUE(castle.Save());
    EXPECT_LT(slurp(castle.ScoresPath()).size(), first.size());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "scores"), fs::directory_iterator()), 1);
}

TEST(RankingInsertTest, ReceivedResultsFindTheirPlaceAndReplaceTheSamePlayers)
{
    Ranking r;
    EXPECT_EQ(r.Insert(record("", "Local", 50)), 0);  // any record enters an empty ranking
    EXPECT_EQ(r.Insert(record("game", "Other", 60)), -1);
    EXPECT_EQ(r.Insert(record("*R*", "Ann", 50, "o")), 1);  // a tie goes below
    EXPECT_EQ(r.Insert(record("*R*", "Bob", 70, "o")), 0);
    EXPECT_EQ(r.Insert(record("*R*", "Ann", 10, "o")), 2);  // replaces Ann's earlier result, even a better one
    EXPECT_EQ(players(r.records), (std::vector<std::string>{"Bob", "Local", "Ann"}));
    EXPECT_EQ(r.Insert(record("*R*", "Ann", 10, "p")), 3);  // another owner: another result

    for (int i = 0; i < 12; ++i)
        r.Insert(record("*R*", "P" + std::to_string(i), 1000 + i));
    EXPECT_EQ(r.records.size(), 15u);
    EXPECT_EQ(r.Insert(record("*R*", "Last", 0)), -1);
    EXPECT_EQ(r.records.size(), 15u);
    EXPECT_EQ(r.Insert(record("*R*", "Top", 5000)), 0);
    EXPECT_EQ(r.records.size(), 15u);
    EXPECT_EQ(r.records.back().player, "Local");
}
