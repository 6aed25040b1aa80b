#include <gtest/gtest.h>

#include "LibraryFixtures.h"
#include "jigsaw/library/Shelves.h"

using namespace qv;
using libfix::TempDir;
namespace fs = std::filesystem;

namespace {

struct ShelvesFixture : ::testing::Test {
    TempDir program;
    fw::Profile settings{program / "QVrk.ini"};
    Shelves shelves{settings, program.path()};

    void mark(const std::string& name)
    {
        fs::create_directories(program / name);
        fw::FileStream(program / name / Shelves::Marker, fw::FileStream::Mode::Create);
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        shelves.EnumerateShelves([&](const std::string& n, const fs::path&) { out.push_back(n); });
        return out;
    }
};

TEST_F(ShelvesFixture, EmptyDirPuzzlesMakesTheProgramFolderTheMainShelf)
{
    EXPECT_EQ(shelves.PuzzlesRoot(), program.path());
    EXPECT_EQ(shelves.ShelfDirectory("quorvane"), program.path());
    EXPECT_EQ(shelves.CurrentShelf(), "Quorvane");

    TempDir other;
    settings.setString("Main", "DirPuzzles", other.path().string());
    EXPECT_EQ(shelves.PuzzlesRoot(), other.path());
    EXPECT_EQ(shelves.ShelfDirectory("Trees"), other.path() / "Trees");
    settings.setString("Main", "DirPuzzles", "Puzzles");
    EXPECT_EQ(shelves.PuzzlesRoot(), program.path() / "Puzzles");
}

TEST_F(ShelvesFixture, OnlyMarkedSubFoldersAreShelvesMainFirst)
{
    mark("Trees");
    mark("Animals");
    libfix::writePuzzle(program / "Loose" / "Castle.puz", "Castle");  // puzzles but no marker
    EXPECT_EQ(names(), (std::vector<std::string>{"Quorvane", "Animals", "Trees"}));
    EXPECT_EQ(shelves.CountShelves(), 3);
    EXPECT_FALSE(shelves.IsShelf("Loose"));
    EXPECT_FALSE(shelves.SelectShelf("Loose"));
}

TEST_F(ShelvesFixture, CreateSelectAndDeleteAShelf)
{
    ASSERT_TRUE(shelves.CreateShelf("Trees"));
    EXPECT_TRUE(fs::exists(program / "Trees" / "qvshelf.dat"));
    EXPECT_EQ(fs::file_size(program / "Trees" / "qvshelf.dat"), 0u);
    ASSERT_TRUE(shelves.SelectShelf("Trees"));
    EXPECT_EQ(settings.getString("Main", "Shelf"), "Trees");
    EXPECT_EQ(shelves.CurrentShelf(), "Trees");
    EXPECT_EQ(shelves.CurrentDirectory(), program / "Trees");

    fs::create_directories(program / "Trees" / "scores");
    libfix::writeCache(program / "Trees", DirectoryCache::Stamp, std::string(1, '\0'));
    EXPECT_TRUE(shelves.DeleteShelf());
    EXPECT_FALSE(fs::exists(program / "Trees"));
    EXPECT_EQ(shelves.CurrentShelf(), "Quorvane");
    EXPECT_EQ(shelves.CountShelves(), 1);
}

TEST_F(ShelvesFixture, DeletingAShelfKeepsItsPuzzlesAndSavedGames)
{
    ASSERT_TRUE(shelves.CreateShelf("Trees"));
    libfix::writePuzzle(program / "Trees" / "Oak.puz", "Oak");
    libfix::writeScores(program / "Trees" / "scores" / "Oak.0", {libfix::record("*R*", 5)});
    EXPECT_TRUE(shelves.DeleteShelf("Trees"));
    EXPECT_TRUE(fs::exists(program / "Trees" / "Oak.puz"));
    EXPECT_TRUE(fs::exists(program / "Trees" / "scores" / "Oak.0"));
    EXPECT_FALSE(fs::exists(program / "Trees" / "qvshelf.dat"));
    EXPECT_EQ(shelves.CountShelves(), 1);
}

TEST_F(ShelvesFixture, NamesThatCannotBeASubFolderAreRefused)
{
    for (const char* bad : {"", ".", "..", "a/b", "a\\b", "QUORVANE"}) {
        EXPECT_FALSE(shelves.CreateShelf(bad)) << bad;
        EXPECT_FALSE(shelves.DeleteShelf(bad)) << bad;
    }
    EXPECT_TRUE(fs::exists(program.path()));
}

TEST_F(ShelvesFixture, AVanishedCurrentShelfFallsBackToTheMainShelf)
{
    ASSERT_TRUE(shelves.CreateShelf("Trees"));
    ASSERT_TRUE(shelves.SelectShelf("Trees"));
    fs::remove_all(program / "Trees");
    EXPECT_EQ(shelves.CurrentShelf(), "Quorvane");
    EXPECT_EQ(shelves.CurrentDirectory(), program.path());
}

}  // namespace
