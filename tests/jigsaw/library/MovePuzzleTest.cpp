#include <gtest/gtest.h>

#include "LibraryFixtures.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/LibraryPrompt.h"
#include "jigsaw/library/PuzzleMove.h"
#include "jigsaw/library/SavedGameHead.h"

using namespace qv;
using libfix::TempDir;
namespace fs = std::filesystem;

namespace {

struct FakePrompt : LibraryPrompt {
    bool replace = true;
    bool move = true;
    bool tick = false;
    std::vector<std::string> asked;

    bool confirmReplacePuzzle(const std::string& name) override
    {
        asked.push_back("525 " + name);
        return replace;
    }
    bool confirmMove(const std::string& name, bool& dontAskAgain) override
    {
        asked.push_back("986 " + name);
        dontAskAgain = tick;
        return move;
    }
};

struct LibraryFixture : ::testing::Test {
    TempDir program;
    fw::Profile settings{program / "QVrk.ini"};
    Library library{settings, program.path()};
    fs::path main = program.path();
    fs::path trees = program / "Trees";
    FakePrompt prompt;

    void SetUp() override { ASSERT_TRUE(library.shelves().CreateShelf("Trees")); }

    std::vector<std::string> savFiles(const fs::path& dir)
    {
        std::vector<std::string> out;
        for (const auto& e : library.ListShelf(dir)) {
            if (e.kind == ShelfEntry::Kind::SavedGame)
                out.push_back(e.fileName);
        }
        return out;
    }
};

TEST(NextSavedGameName, CountsUpATrailingNumberElseAppendsTwo)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Game", "Game(2)"},     {"Game(2)", "Game(3)"},        {"Game(9)", "Game(10)"},
        {"Game()", "Game()(2)"}, {"Game(x)", "Game(x)(2)"},     {"(5)", "(6)"},
        {"Game (2)", "Game (3)"}, {"Game(2)x", "Game(2)x(2)"},
    };
    for (const auto& [from, to] : cases)
        EXPECT_EQ(NextSavedGameName(from), to) << from;
}

TEST(IsScoresFileOf, OnlyTheLevelFilesOfThatPuzzle)
{
    EXPECT_TRUE(IsScoresFileOf("Castle.3R", "Castle"));
    EXPECT_TRUE(IsScoresFileOf("castle.0", "Castle"));
    EXPECT_TRUE(IsScoresFileOf("Castle.5RM", "Castle"));
    EXPECT_TRUE(IsScoresFileOf("Castle.1M", "Castle"));
    EXPECT_FALSE(IsScoresFileOf("Castle.v2.3R", "Castle"));
    EXPECT_FALSE(IsScoresFileOf("Castles.3", "Castle"));
    EXPECT_FALSE(IsScoresFileOf("Castle.6", "Castle"));
    EXPECT_FALSE(IsScoresFileOf("Castle.", "Castle"));
}

TEST_F(LibraryFixture, FindPuzzleByTitleIgnoresCaseAndTakesTheFirstByName)
{
    libfix::writePuzzle(main / "B.puz", "Castle");
    libfix::writePuzzle(main / "A.puz", "CASTLE");
    libfix::writePuzzle(main / "C.puz", "Tower");
    libfix::writeSaved(main / "Game by Ann.sav", main / "C.puz");
    library.ListShelf(main);
    EXPECT_EQ(library.FindPuzzleByTitle("castle", main), main / "A.puz");
    EXPECT_EQ(library.FindPuzzleByTitle("Nowhere", main), std::nullopt);
    // Through the scores' interface: the current shelf, saved games' records kept.
    const ShelfLookup& lookup = library;
    ASSERT_TRUE(lookup.FindPuzzleByTitle("tower"));
    EXPECT_EQ(lookup.FindPuzzleByTitle("tower")->path, main / "C.puz");
    library.CloseCache();
    auto content = DirectoryCache::ReadFile(main);
    EXPECT_EQ(DirectoryCache::Records(content.text).size(), 4u);
}

// The owner a puzzle's results carry is its "(c):" notice; the scores code
// tells the player's own certificates and results by it.
TEST_F(LibraryFixture, FindPuzzleByTitleTellsThePuzzlesOwner)
{
    libfix::writePuzzle(main / "A.puz", "Castle", "/Med0:4#6/(c):Ann's copy");
    libfix::writePuzzle(main / "B.puz", "Tower");
    library.ListShelf(main);  // the cache holds both: the owner is not among its fields
    const ShelfLookup& lookup = library;
    ASSERT_TRUE(lookup.FindPuzzleByTitle("castle"));
    EXPECT_EQ(lookup.FindPuzzleByTitle("castle")->owner, "Ann's copy");
    ASSERT_TRUE(lookup.FindPuzzleByTitle("Tower"));
    EXPECT_EQ(lookup.FindPuzzleByTitle("Tower")->owner, "");
}

// Each case: saved games of the puzzle and saved games already on the
// target shelf, and the names the moved games get there.
struct Collision {
    std::vector<std::string> moving;
    std::vector<std::string> onTarget;
    std::vector<std::string> expected;
};

TEST_F(LibraryFixture, MovedSavedGamesTakeTheNextFreeName)
{
    const Collision cases[] = {
        {{"Game"}, {"Game"}, {"Game(2)"}},
        {{"Game(2)"}, {"Game(2)"}, {"Game(3)"}},
        {{"Game"}, {"Other"}, {"Game"}},
        // Listed in name order, "Game(2)" comes first and takes "Game(3)".
        {{"Game", "Game(2)"}, {"Game", "GAME(2)"}, {"Game(4)", "Game(3)"}},
    };
    for (const auto& c : cases) {
        TempDir root;
        fw::Profile s(root / "QVrk.ini");
        Library lib(s, root.path());
        ASSERT_TRUE(lib.shelves().CreateShelf("Trees"));
        libfix::writePuzzle(root / "Castle.puz", "Castle");
        libfix::writePuzzle(root / "Trees" / "Oak.puz", "Oak");
        for (const auto& n : c.moving)
            libfix::writeSaved(root / (n + ".sav"), root / "Castle.puz", libfix::SavedGame().named(n));
        for (const auto& n : c.onTarget)
            libfix::writeSaved(root / "Trees" / (n + ".sav"), root / "Trees" / "Oak.puz");
        ASSERT_TRUE(lib.MovePuzzle(root / "Castle.puz", "Trees", prompt).ok());
        for (size_t i = 0; i < c.moving.size(); ++i) {
            const fs::path moved = root / "Trees" / (c.expected[i] + ".sav");
            auto head = SavedGameHead::read(moved);
            ASSERT_TRUE(head) << moved;
            EXPECT_EQ(head->name, c.moving[i]);  // the stored name stays
            EXPECT_FALSE(fs::exists(root / (c.moving[i] + ".sav")));
        }
    }
}

TEST_F(LibraryFixture, MovingAPuzzleCarriesItsSavedGamesAndScores)
{
    libfix::writePuzzle(main / "Castle.puz", "Castle");
    libfix::writePuzzle(main / "Tower.puz", "Tower");
    libfix::writeSaved(main / "Game.sav", main / "Castle.puz", libfix::SavedGame().locked("pw"));
    libfix::writeSaved(main / "Keep.sav", main / "Tower.puz");
    libfix::writePuzzle(trees / "Oak.puz", "Oak");
    libfix::writeSaved(trees / "Game.sav", trees / "Oak.puz");
    libfix::writeScores(main / "scores" / "Castle.3R",
                        {libfix::record("Game", 50), libfix::record("*R*", 40), libfix::record("Keep", 30)});
    libfix::writeScores(main / "scores" / "Castle.v2.3R", {libfix::record("Game", 10)});
    library.ListShelf(main);
    library.ListShelf(trees);
    library.CloseCache();
    const auto before = libfix::readAll(main / "Game.sav");

    ASSERT_TRUE(library.MovePuzzle(main / "Castle.puz", "Trees", prompt).ok());
    EXPECT_EQ(prompt.asked, (std::vector<std::string>{"986 Castle.puz"}));

    EXPECT_FALSE(fs::exists(main / "Castle.puz"));
    EXPECT_FALSE(fs::exists(main / "Game.sav"));
    EXPECT_FALSE(fs::exists(main / "scores" / "Castle.3R"));
    EXPECT_TRUE(fs::exists(main / "Keep.sav"));
    EXPECT_TRUE(fs::exists(main / "scores" / "Castle.v2.3R"));  // another puzzle's scores
    EXPECT_TRUE(fs::exists(trees / "Castle.puz"));

    // The copy names its puzzle by the bare file name; everything after it is kept.
    auto head = SavedGameHead::read(trees / "Game(2).sav");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->storedPuzzlePath, "Castle.puz");
    EXPECT_EQ(head->puzzlePath, trees / "Castle.puz");
    EXPECT_EQ(head->password, "pw");
    const auto after = libfix::readAll(trees / "Game(2).sav");
    fw::MemoryStream m(before);
    fw::ByteReader r(m);
    r.text();
    r.text();
    const size_t tail = before.size() - m.tell();
    ASSERT_GE(after.size(), tail);
    EXPECT_TRUE(std::equal(before.end() - tail, before.end(), after.end() - tail));

    auto scores = libfix::readScores(trees / "scores" / "Castle.3R");
    ASSERT_EQ(scores.size(), 3u);
    EXPECT_EQ(scores[0].key, "Game(2)");
    EXPECT_EQ(scores[1].key, "*R*");
    EXPECT_EQ(scores[2].key, "Keep");

    auto names = [](const fs::path& dir) {
        std::vector<std::string> out;
        for (const auto& r : DirectoryCache::Records(DirectoryCache::ReadFile(dir).text))
            out.push_back(r.entry.fileName);
        return out;
    };
    EXPECT_EQ(names(main), (std::vector<std::string>{"TOWER.PUZ", "KEEP.SAV"}));
    EXPECT_EQ(names(trees), (std::vector<std::string>{"OAK.PUZ", "GAME.SAV", "CASTLE.PUZ", "GAME(2).SAV"}));
}

TEST_F(LibraryFixture, TheQuestionsCanStopTheMoveAndDontAskIsRemembered)
{
    libfix::writePuzzle(main / "Castle.puz", "Castle");
    prompt.move = false;
    prompt.tick = true;
    EXPECT_EQ(library.MovePuzzle(main / "Castle.puz", "Trees", prompt).id, fw::msg::Cancelled);
    EXPECT_TRUE(fs::exists(main / "Castle.puz"));
    EXPECT_EQ(settings.getString("DontAsk", "MovePuz"), "1");

    // Not asked again; but a puzzle of that name on the target still warns.
    libfix::writePuzzle(trees / "Castle.puz", "Other castle");
    prompt.asked.clear();
    prompt.replace = false;
    EXPECT_EQ(library.MovePuzzle(main / "Castle.puz", "Trees", prompt).id, fw::msg::Cancelled);
    EXPECT_EQ(prompt.asked, (std::vector<std::string>{"525 Castle.puz"}));
    EXPECT_TRUE(fs::exists(main / "Castle.puz"));

    prompt.replace = true;
    ASSERT_TRUE(library.MovePuzzle(main / "Castle.puz", "Trees", prompt).ok());
    EXPECT_FALSE(fs::exists(main / "Castle.puz"));
    EXPECT_EQ(library.ListShelf(trees)[0].title, "Castle");
}

TEST_F(LibraryFixture, AFailedCopyDeletesNothing)
{
    libfix::writePuzzle(main / "Castle.puz", "Castle");
    libfix::writeSaved(main / "A.sav", main / "Castle.puz");
    libfix::writeSaved(main / "B.sav", main / "Castle.puz");
    libfix::writeScores(main / "scores" / "Castle.0", {libfix::record("A", 5)});
    // A file where the target's scores folder must be: the scores cannot be
    // copied after the saved games were.
    { fw::FileStream(trees / "scores", fw::FileStream::Mode::Create); }
    const fw::Status st = library.MovePuzzle(main / "Castle.puz", "Trees", prompt);
    EXPECT_EQ(st.id, qv::msg::CannotOpen);
    for (const char* name : {"Castle.puz", "A.sav", "B.sav", "scores/Castle.0"})
        EXPECT_TRUE(fs::exists(main / name)) << name;
    for (const char* name : {"Castle.puz", "A.sav", "B.sav"})
        EXPECT_FALSE(fs::exists(trees / name)) << name;
}

TEST_F(LibraryFixture, DeletingTheShownShelfDoesNotWriteItsCacheBack)
{
    libfix::writePuzzle(trees / "Oak.puz", "Oak");
    ASSERT_EQ(library.ListShelf(trees).size(), 1u);
    EXPECT_TRUE(library.DeleteShelf("Trees"));
    library.CloseCache();
    EXPECT_TRUE(fs::exists(trees / "Oak.puz"));
    EXPECT_FALSE(fs::exists(trees / DirectoryCache::FileName));
    EXPECT_FALSE(fs::exists(trees / Shelves::Marker));
}

TEST_F(LibraryFixture, MovingToAnUnknownShelfOrItsOwnFolderChangesNothing)
{
    libfix::writePuzzle(main / "Castle.puz", "Castle");
    EXPECT_EQ(library.MovePuzzle(main / "Castle.puz", "Nowhere", prompt).id, qv::msg::BadFile);
    EXPECT_TRUE(library.MovePuzzle(main / "Castle.puz", "Quorvane", prompt).ok());
    EXPECT_TRUE(fs::exists(main / "Castle.puz"));
    EXPECT_TRUE(prompt.asked.empty());
}

}  // namespace

namespace {

// A puzzle file whose picture block differs with `picture`, so each has its own id.
fs::path puzzleOf(const fs::path& file, const std::string& title, uint32_t picture)
{
    qv::PuzzleFileContent c;
    c.title = title;
    c.sizeCount = 1;
    c.header = "/Med0:4#6/Tit:" + title;
    c.palette = {0x010101u * picture};
    c.jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
    fs::create_directories(file.parent_path());
    EXPECT_TRUE(qv::writePuzzleFile(file, c).ok());
    return file;
}

}  // namespace

// A shared cut names its puzzle by the id of its picture: found on any shelf
// under any title, the current shelf first; a namesake with another picture
// is not it.
TEST_F(LibraryFixture, FindPuzzleByIdLooksOnEveryShelfCurrentFirst)
{
    const fs::path castle = puzzleOf(main / "A.puz", "Castle", 1);
    const fs::path keep = puzzleOf(trees / "Keep.puz", "Castle keep", 2);
    const fs::path tower = puzzleOf(main / "T.puz", "Tower", 3);
    auto id = [](const fs::path& p) { return PuzzleId::FromFile(p); };
    ASSERT_NE(id(castle), id(keep));
    ASSERT_NE(id(castle), id(tower));

    EXPECT_EQ(library.FindPuzzleById(id(keep), "Castle"), keep) << "renamed, on another shelf";
    EXPECT_EQ(library.FindPuzzleById(id(castle), "Castle"), castle);
    EXPECT_EQ(library.FindPuzzleById(id(tower), "Nothing"), tower);
    PuzzleId unknown = id(tower);
    unknown.words[3] += 1;
    EXPECT_EQ(library.FindPuzzleById(unknown, "Tower"), std::nullopt);
    EXPECT_EQ(library.FindPuzzleById(PuzzleId{}, "Tower"), std::nullopt) << "the id of an unreadable file";

    // A copy of the castle on the current shelf is the one taken.
    const fs::path copy = puzzleOf(trees / "Castle.puz", "Castle", 1);
    ASSERT_TRUE(library.shelves().SelectShelf("Trees"));
    EXPECT_EQ(library.FindPuzzleById(id(castle), "Castle"), copy);
}
