#include <gtest/gtest.h>

#include "LibraryFixtures.h"
#include "jigsaw/library/Library.h"

using namespace qv;
using libfix::TempDir;
namespace fs = std::filesystem;

namespace {

// A record as the cache stores it: marker, 0xFE, NAME=, tag and fields.
std::string puzzleRecord(const std::string& upperName, const std::string& title, const std::string& sizeCount = "1")
{
    const std::string ff = "\xFF";
    return "1\xFE" + upperName + "=a1z9" + ff + "200" + ff + "120" + ff + title + ff + sizeCount + ff + "0" + ff + "0" +
           ff + "6" + ff + "4" + ff;
}

struct CacheFixture : ::testing::Test {
    TempDir program;
    fw::Profile settings{program / "QVrk.ini"};
    Library library{settings, program.path()};
    fs::path shelf = program.path();

    std::map<std::string, ShelfEntry> list(const fs::path& dir)
    {
        std::map<std::string, ShelfEntry> out;
        for (ShelfEntry& e : library.ListShelf(dir))
            out[e.fileName] = e;
        return out;
    }
    std::vector<std::string> cachedNames(const fs::path& dir)
    {
        std::vector<std::string> out;
        auto content = DirectoryCache::ReadFile(dir);
        for (const auto& r : DirectoryCache::Records(content.text))
            out.push_back(r.entry.fileName);
        return out;
    }
};

TEST_F(CacheFixture, AListedShelfIsServedFromItsCacheAfterwards)
{
    libfix::writePuzzle(shelf / "Castle.puz", "Castle", "/Med0:4#6/Med1:6#8/NoRotable/NoCustom");
    libfix::writeSaved(shelf / "Game by Ann.sav", shelf / "Castle.puz", libfix::SavedGame().locked("pw"));
    auto first = list(shelf);
    library.CloseCache();

    auto content = DirectoryCache::ReadFile(shelf);
    ASSERT_TRUE(content.found);
    EXPECT_EQ(content.stamp, 1101u);
    EXPECT_TRUE(content.accepted);
    EXPECT_EQ(cachedNames(shelf), (std::vector<std::string>{"CASTLE.PUZ", "GAME BY ANN.SAV"}));

    // Damage the files: what is listed now can only come from the cache.
    { fw::FileStream(shelf / "Castle.puz", fw::FileStream::Mode::Create); }
    { fw::FileStream(shelf / "Game by Ann.sav", fw::FileStream::Mode::Create); }
    auto second = list(shelf);
    const ShelfEntry& p = second.at("Castle.puz");
    EXPECT_TRUE(p.status.ok());
    EXPECT_EQ(p.title, "Castle");
    EXPECT_EQ(p.formatVersion, 200);
    EXPECT_EQ(p.requiredVersion, 120);
    EXPECT_EQ(p.sizeCount, 2);
    EXPECT_EQ(p.rows[0], 4);
    EXPECT_EQ(p.columns[0], 6);
    EXPECT_EQ(p.rows[1], 6);
    EXPECT_EQ(p.columns[1], 8);
    EXPECT_TRUE(p.noCustom);
    EXPECT_EQ(p.optionFlags, ShelfEntry::NoRotable);
    EXPECT_EQ(p.path, shelf / "Castle.puz");
    const ShelfEntry& s = second.at("Game by Ann.sav");
    EXPECT_EQ(s.kind, ShelfEntry::Kind::SavedGame);
    EXPECT_EQ(s.title, "Castle");
    EXPECT_EQ(s.puzzleFile, "Castle.puz");
    EXPECT_EQ(s.sizeIndex, 1);
    EXPECT_EQ(s.savedRows, 6);
    EXPECT_EQ(s.savedColumns, 8);
    EXPECT_EQ(s.savedText, "Ann");
    EXPECT_TRUE(s.savedNumber & ShelfEntry::SavedHasPassword);
    EXPECT_EQ(first.at("Game by Ann.sav").savedNumber, s.savedNumber);
}

// Each case plants a cache whose only record says the puzzle's title is
// "Cached"; the real file says "Castle".
struct PlantedCache {
    const char* what;
    uint32_t stamp;
    std::string text;
    bool abnormalEnd;
    bool trusted;
};

TEST_F(CacheFixture, ACacheIsTrustedOnlyWhenItPassesEveryCheck)
{
    const std::string rec = puzzleRecord("CASTLE.PUZ", "Cached");
    const std::string z(1, '\0');
    const PlantedCache cases[] = {
        {"sound", 1101, rec + z, false, true},
        {"older stamp", 1100, rec + z, false, false},
        {"previous run ended abnormally", 1101, rec + z, true, false},
        {"no final zero", 1101, rec, false, false},
        {"a zero inside", 1101, rec + z + z, false, false},
        {"marker neither 0 nor 1", 1101, "x" + rec.substr(1) + z, false, false},
        {"bytes before the first record", 1101, "junk" + rec + z, false, false},
        {"record of the other kind", 1101, "1\xFE" "CASTLE.PUZ=b2y8\xFF" "Cached\xFF" "a.puz\xFF" "0\xFF" "1\xFF" "1\xFF" "0\xFF\xFF" + z, false, false},
        {"fields cut short", 1101, "1\xFE" "CASTLE.PUZ=a1z9\xFF" "200\xFF" + z, false, false},
        {"size count out of range", 1101, puzzleRecord("CASTLE.PUZ", "Cached", "9") + z, false, false},
    };
    for (const auto& c : cases) {
        TempDir program2;
        fw::Profile settings2(program2 / "QVrk.ini");
        Library lib(settings2, program2.path());
        lib.setAbnormalEnd(c.abnormalEnd);
        libfix::writePuzzle(program2 / "Castle.puz", "Castle");
        libfix::writeCache(program2.path(), c.stamp, c.text);
        auto entries = lib.ListShelf(program2.path());
        ASSERT_EQ(entries.size(), 1u) << c.what;
        EXPECT_EQ(entries[0].title, c.trusted ? "Cached" : "Castle") << c.what;
        lib.CloseCache();
        // Whatever was wrong is written over with a sound cache.
        auto content = DirectoryCache::ReadFile(program2.path());
        EXPECT_EQ(content.stamp, 1101u) << c.what;
        EXPECT_TRUE(content.accepted) << c.what;
        ASSERT_EQ(DirectoryCache::Records(content.text).size(), 1u) << c.what;
    }
}

TEST_F(CacheFixture, AfterAnAbnormalEndEveryFolderIsRebuiltOnceInThisRun)
{
    TempDir other;
    for (const fs::path& dir : {shelf, other.path()}) {
        libfix::writePuzzle(dir / "Castle.puz", "Castle");
        libfix::writeCache(dir, 1101, puzzleRecord("CASTLE.PUZ", "Cached") + std::string(1, '\0'));
    }
    library.setAbnormalEnd(true);
    EXPECT_EQ(library.ListShelf(shelf)[0].title, "Castle");
    EXPECT_EQ(library.ListShelf(other.path())[0].title, "Castle");
    // Switching folders saved the first one's rebuilt cache.
    auto first = DirectoryCache::Records(DirectoryCache::ReadFile(shelf).text);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].entry.title, "Castle");
    library.CloseCache();
    // Rebuilt once: the caches written since are trusted again.
    libfix::writeCache(shelf, 1101, puzzleRecord("CASTLE.PUZ", "Cached") + std::string(1, '\0'));
    EXPECT_EQ(library.ListShelf(shelf)[0].title, "Cached");
}

TEST_F(CacheFixture, ADeletedPuzzleLeavesTheCacheAtItsNextSave)
{
    libfix::writePuzzle(shelf / "Castle.puz", "Castle");
    libfix::writePuzzle(shelf / "Tower.puz", "Tower");
    list(shelf);
    library.CloseCache();
    ASSERT_EQ(cachedNames(shelf).size(), 2u);

    fs::remove(shelf / "Tower.puz");
    auto now = list(shelf);
    EXPECT_EQ(now.size(), 1u);
    EXPECT_EQ(cachedNames(shelf).size(), 2u);  // not saved yet
    library.CloseCache();
    EXPECT_EQ(cachedNames(shelf), (std::vector<std::string>{"CASTLE.PUZ"}));
}

TEST_F(CacheFixture, ATitleHoldingFEOrFFIsNeverCachedButListsCorrectly)
{
    const std::string thorn = "Caf\xFE", yuml = "Tr\xFF" "s";
    libfix::writePuzzle(shelf / "A.puz", thorn);
    libfix::writePuzzle(shelf / "B.puz", yuml);
    libfix::writePuzzle(shelf / "C.puz", "Plain");
    for (int round = 0; round < 2; ++round) {
        auto entries = list(shelf);
        EXPECT_EQ(entries.at("A.puz").title, thorn);
        EXPECT_EQ(entries.at("B.puz").title, yuml);
        EXPECT_EQ(entries.at("C.puz").title, "Plain");
        library.CloseCache();
        EXPECT_EQ(cachedNames(shelf), (std::vector<std::string>{"C.PUZ"}));
        EXPECT_TRUE(DirectoryCache::ReadFile(shelf).accepted);
    }
}

TEST_F(CacheFixture, TheTitleIsNotCutAtADash)
{
    libfix::writePuzzle(shelf / "New.puz", "Jean-Luc's Castle");
    libfix::writeOldPuzzle(shelf / "Old.puz", "/Med0:3#4-NoHelp/Tit:Saint-Malo/NoRotable");
    for (int round = 0; round < 2; ++round) {  // from the files, then from the cache
        auto entries = list(shelf);
        EXPECT_EQ(entries.at("New.puz").title, "Jean-Luc's Castle");
        const ShelfEntry& old = entries.at("Old.puz");
        EXPECT_EQ(old.title, "Saint-Malo");
        EXPECT_EQ(old.formatVersion, 198);
        EXPECT_EQ(old.rows[0], 3);
        EXPECT_EQ(old.columns[0], 4);
        EXPECT_EQ(old.optionFlags, ShelfEntry::NoRotable);
        library.CloseCache();
    }
}

TEST_F(CacheFixture, UnreadableFilesAreListedWithTheirErrorAndNotCached)
{
    libfix::writePuzzle(shelf / "Good.puz", "Good");
    { fw::FileStream f(shelf / "Bad.puz", fw::FileStream::Mode::Create); f.write("garbage!", 8); }
    { fw::FileStream f(shelf / "Bad.sav", fw::FileStream::Mode::Create); f.write("\xFF\xFF", 2); }
    auto entries = list(shelf);
    EXPECT_EQ(entries.at("Bad.puz").status.id, qv::msg::BadFile);
    EXPECT_EQ(entries.at("Bad.sav").status.id, qv::msg::BadFile);
    EXPECT_TRUE(entries.at("Good.puz").status.ok());
    library.CloseCache();
    EXPECT_EQ(cachedNames(shelf), (std::vector<std::string>{"GOOD.PUZ"}));
}

TEST_F(CacheFixture, NamesDifferingOnlyInCaseAreReadFromTheirFiles)
{
    libfix::writePuzzle(shelf / "castle.puz", "Small");
    libfix::writePuzzle(shelf / "CASTLE.puz", "Big");
    for (int round = 0; round < 2; ++round) {
        auto entries = list(shelf);
        EXPECT_EQ(entries.at("castle.puz").title, "Small");
        EXPECT_EQ(entries.at("CASTLE.puz").title, "Big");
        library.CloseCache();
    }
}

TEST_F(CacheFixture, UpdateCacheRefreshesOneFileAndSaves)
{
    libfix::writePuzzle(shelf / "Castle.puz", "Castle");
    list(shelf);
    library.CloseCache();
    libfix::writeSaved(shelf / "Game by Ann.sav", shelf / "Castle.puz");
    library.UpdateCache(shelf / "Game by Ann.sav");
    EXPECT_EQ(cachedNames(shelf), (std::vector<std::string>{"CASTLE.PUZ", "GAME BY ANN.SAV"}));
    fs::remove(shelf / "Game by Ann.sav");
    library.ForgetFile(shelf / "Game by Ann.sav");
    EXPECT_EQ(cachedNames(shelf), (std::vector<std::string>{"CASTLE.PUZ"}));
}

}  // namespace
