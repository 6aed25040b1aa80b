// Faults of the machine around the game: a full disk, a read-only puzzle
// folder, a "scores" folder that cannot be made, a puzzle file that goes
// away under an open saved game, a translation file turned to garbage.
// Each gives a status or the behaviour of an empty file, and nothing that
// was on the disk before is lost.
#include <gtest/gtest.h>

#include <set>

#include "CrashSafeFixtures.h"
#include "FaultyFolders.h"
#include "framework/Bmp.h"
#include "framework/Profile.h"
#include "framework/Traductor.h"
#include "framework/TraductorFile.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/PictureSteps.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/SavedGameFile.h"
#include "jigsaw/library/DirectoryCache.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/Ranking.h"
#include "jigsaw/scores/ScoresHost.h"
#include "minefield/IniFile.h"
#include "minefield/Settings.h"

namespace fs = std::filesystem;
using namespace crashsafe;

namespace {

std::vector<std::string> namesIn(const fs::path& dir)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// An open game of a 4 x 6 puzzle, without pixels, saved as Game.sav beside it.
struct OpenGame {
    qv::HeadlessUser user;
    qv::CutRandom rng;
    qv::Puz puz;
    explicit OpenGame(const fs::path& dir, const fs::path& savedDir)
    {
        puz.setUser(&user);
        puz.setGenerator(&rng);
        EXPECT_TRUE(writeCastlePuzzle(dir / "Castle.puz", "/Med0:4#6/Tit:Castle/Rndn:9"));
        EXPECT_TRUE(puz.OpenPuzzle(dir / "Castle.puz", 0, 0).ok());
        puz.savedPath = savedDir / "Game.sav";
        puz.savedName = "Game";
        puz.playerName = "Ann";
    }
};

class EnvironmentFaultTest : public ::testing::Test {
protected:
    TempDir dir;
};

}  // namespace

// --- a full disk, simulated: every writer reports a write that stops short.

TEST_F(EnvironmentFaultTest, EveryWriterReportsADiskThatFillsUp)
{
    OpenGame game(dir.path(), dir.path());
    fw::MemoryStream whole;
    ASSERT_TRUE(qv::SavedGameFile::write(game.puz, whole));
    std::vector<qv::ScoreRecord> records(3);
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].key = "*R*";
        records[i].player = "P" + std::to_string(i);
    }
    fw::MemoryStream scores;
    ASSERT_TRUE(qv::Ranking::Write(scores, records));
    fw::MemoryStream bmp;
    ASSERT_TRUE(fw::writeBmp(bmp, fw::Bitmap(7, 5, 0x123456)));

    struct Writer {
        const char* name;
        uint64_t size;
        std::function<bool(fw::Stream&)> write;
    };
    const Writer writers[] = {
        {"saved game", whole.size(), [&](fw::Stream& s) { return qv::SavedGameFile::write(game.puz, s); }},
        {"scores file", scores.size(), [&](fw::Stream& s) { return qv::Ranking::Write(s, records); }},
        {"bitmap", bmp.size(), [&](fw::Stream& s) { return fw::writeBmp(s, fw::Bitmap(7, 5, 0x123456)); }},
    };
    for (const Writer& w : writers) {
        for (uint64_t room = 0; room < w.size; ++room) {
            FailingStream full(room);
            EXPECT_FALSE(w.write(full)) << w.name << " reported success with room for " << room << " of "
                                        << w.size << " bytes";
        }
        FailingStream enough(w.size);
        EXPECT_TRUE(w.write(enough)) << w.name;
    }
}

// --- a full disk, for real: a tmpfs of 256 KiB filled up.

TEST_F(EnvironmentFaultTest, FullDiskKeepsEveryOldFile)
{
    TinyDisk disk(dir / "disk", 256 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here (needs root); the simulated full disk is tested above";
    const fs::path d = disk.path();

    // The old versions of every kind of file, written while there is room.
    OpenGame game(d, d);
    ASSERT_TRUE(game.puz.Save().ok());
    qv::Ranking ranking;
    ranking.placeAsCurrent(d / "Castle.puz", d);
    ranking.title = "Castle";
    qv::ScoreRecord r;
    r.key = "Game";
    r.player = "Ann";
    ranking.records = {r};
    ASSERT_TRUE(ranking.Save());
    fw::Profile profile(d / "QVrk.ini");
    ASSERT_TRUE(profile.setString("Main", "LastPuz", "old"));
    qv::DirectoryCache cache;
    cache.Open(d, false);
    qv::ShelfEntry e;
    e.fileName = "Castle.puz";
    e.title = "Castle";
    ASSERT_TRUE(cache.Store(e));
    ASSERT_TRUE(cache.Save());
    mf::IniFile ini;
    mf::Settings{}.Write(ini);
    ASSERT_TRUE(ini.Save(d / "mvro.ini"));

    const fs::path files[] = {game.puz.savedPath, ranking.ScoresPath(), d / "QVrk.ini",
                              d / qv::DirectoryCache::FileName, d / "mvro.ini", d / "Castle.puz"};
    std::vector<std::vector<uint8_t>> before;
    for (const fs::path& f : files)
        before.push_back(readAll(f));
    const fs::path filler = disk.fill();

    // Each save of a new version fails, says so, and leaves the old file.
    game.puz.playerName = std::string(3000, 'N');
    fw::Status st = game.puz.Save();
    EXPECT_EQ(st.id, fw::msg::DiskFull);
    EXPECT_EQ(st.text, game.puz.savedPath.string());
    ranking.records[0].player = std::string(3000, 'N');
    EXPECT_FALSE(ranking.Save());
    EXPECT_FALSE(profile.setString("Main", "LastPuz", std::string(3000, 'N')));
    EXPECT_EQ(profile.getString("Main", "LastPuz"), "old");
    e.title = std::string(3000, 'N');
    cache.Store(e);
    EXPECT_FALSE(cache.Save());
    ini.Set("MVRO", "TEXTURE", std::string(3000, 'N'));
    EXPECT_FALSE(ini.Save(d / "mvro.ini"));
    for (size_t i = 0; i < std::size(files); ++i)
        EXPECT_EQ(readAll(files[i]), before[i]) << files[i];

    // No writer leaves a half-written temporary file to take the room the
    // player needs to free.
    const std::set<std::string> expected = {"Castle.puz", "Game.sav", "scores", "QVrk.ini", "dircache.tmp",
                                            "mvro.ini", "filler"};
    for (const std::string& name : namesIn(d))
        EXPECT_TRUE(expected.count(name)) << name;
    EXPECT_EQ(namesIn(d / "scores"), std::vector<std::string>{"Castle.0"});

    // With room again, the same saves go through.
    fs::remove(filler);
    EXPECT_TRUE(game.puz.Save().ok());
    EXPECT_TRUE(ranking.Save());
    EXPECT_TRUE(cache.Save());
    EXPECT_TRUE(ini.Save(d / "mvro.ini"));
}

TEST_F(EnvironmentFaultTest, FullDiskLeavesThePuzzleFileReadableWhenItsPictureCacheCannotBeWritten)
{
    TinyDisk disk(dir / "disk", 64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here (needs root)";
    const fs::path puzzle = disk.path() / "Castle.puz";
    ASSERT_TRUE(writePicturePuzzle(puzzle));
    const auto before = readAll(puzzle);
    const fs::path filler = disk.fill();

    // A 160 x 120 picture needs a 57 kB cache, more than is left.
    PixelOpening opening;
    qv::Puz puz;
    opening.attach(puz);
    ASSERT_TRUE(puz.OpenPuzzle(puzzle, 0, 0).ok());
    EXPECT_EQ(puz.picture.width(), 160);
    EXPECT_EQ(puz.entry.directory.cacheOffset, 0u);

    // The file opens again, from its picture, and still has its picture bytes.
    fs::remove(filler);
    qv::Entry entry;
    ASSERT_TRUE(entry.readFile(puzzle).ok());
    EXPECT_EQ(entry.directory.cacheOffset, 0u);
    const auto after = readAll(puzzle);
    ASSERT_GE(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
    qv::Puz again;
    opening.attach(again);
    EXPECT_TRUE(again.OpenPuzzle(puzzle, 0, 0).ok());
    EXPECT_EQ(again.picture.width(), 160);
}

// --- a read-only puzzle folder.

TEST_F(EnvironmentFaultTest, ReadOnlyPuzzleFolderOpensButRefusesToSave)
{
    ReadOnlyFolder folder(dir / "ro");
    if (!folder.usable())
        GTEST_SKIP() << "running as root without mounting: no folder is read-only for root";
    const fs::path d = folder.path();
    ASSERT_TRUE(writePicturePuzzle(d / "Castle.puz"));
    ASSERT_TRUE(folder.makeReadOnly());
    const auto before = readAll(d / "Castle.puz");

    // The puzzle opens from its picture; the cache is simply not written.
    PixelOpening opening;
    qv::Puz puz;
    opening.attach(puz);
    ASSERT_TRUE(puz.OpenPuzzle(d / "Castle.puz", 0, 0).ok());
    EXPECT_EQ(puz.pieceCount(), 24);
    EXPECT_EQ(readAll(d / "Castle.puz"), before);

    // A game saved there fails with a message naming the file.
    puz.savedPath = d / "Game.sav";
    puz.savedName = "Game";
    const fw::Status st = puz.Save();
    EXPECT_EQ(st.id, qv::msg::BadFile);
    EXPECT_EQ(st.text, (d / "Game.sav").string());
    EXPECT_FALSE(fs::exists(d / "Game.sav"));

    // Scores cannot get their folder: nothing is loaded or written, and a
    // game elsewhere still saves.
    qv::Ranking ranking;
    ranking.placeAsCurrent(d / "Castle.puz", d);
    EXPECT_TRUE(ranking.ScoresPath().empty());
    EXPECT_FALSE(ranking.Load());
    EXPECT_FALSE(ranking.Save());

    qv::DirectoryCache cache;
    cache.Open(d, false);
    qv::ShelfEntry e;
    e.fileName = "Castle.puz";
    e.title = "Castle";
    cache.Store(e);
    EXPECT_FALSE(cache.Save());
    cache.Close();
    EXPECT_EQ(namesIn(d), std::vector<std::string>{"Castle.puz"});

    puz.savedPath = dir / "Game.sav";
    EXPECT_TRUE(puz.Save().ok());
}

// --- a "scores" folder that cannot be created.

TEST_F(EnvironmentFaultTest, ScoresFolderThatCannotBeCreatedLeavesScoresOff)
{
    // A file named "scores" stands where the folder would go; no user,
    // root included, can make the folder there.
    writeAll(dir / "scores", "not a folder");
    OpenGame game(dir.path(), dir.path());

    struct Clock : qv::TickClock {
        uint32_t now() const override { return 1000; }
    } clock;
    struct Host : qv::ScoresHost {
        fs::path d;
        fs::path shelfDirectory() const override { return d; }
        std::optional<qv::ShelfPuzzle> FindPuzzleByTitle(const std::string&) const override { return {}; }
    } host;
    host.d = dir.path();
    qv::ScoreKeeper keeper(clock);
    qv::ScoreGame sg = qv::ScoreGame::FromPuz(game.puz, true);
    qv::LiveRanking live(keeper, [&] { return sg; }, host);
    keeper.Reset();
    keeper.OpenPuzzle(game.puz);
    live.OpenRanking();
    EXPECT_TRUE(live.ranking().ScoresPath().empty());
    ASSERT_TRUE(game.puz.Save().ok());
    sg.savedGamePath = game.puz.savedPath;
    live.StoreResult();
    live.CloseRanking();

    EXPECT_EQ(readAll(dir / "scores").size(), std::string("not a folder").size());
    EXPECT_TRUE(fs::is_regular_file(dir / "scores"));
    qv::Puz back;
    back.setUser(&game.user);
    EXPECT_TRUE(back.OpenSaved(game.puz.savedPath).ok());
}

// --- the puzzle file deleted while its saved game is open.

TEST_F(EnvironmentFaultTest, PuzzleDeletedWhileItsSavedGameOpensGivesCannotOpen)
{
    ASSERT_TRUE(writePicturePuzzle(dir / "Castle.puz"));
    PixelOpening opening;
    {
        qv::Puz puz;
        opening.attach(puz);
        ASSERT_TRUE(puz.OpenPuzzle(dir / "Castle.puz", 0, 0).ok());
        puz.savedPath = dir / "Game.sav";
        puz.savedName = "Game";
        ASSERT_TRUE(puz.Save().ok());
    }
    const auto saved = readAll(dir / "Game.sav");

    // The puzzle goes away after the saved game's head named it and before
    // the picture is read from it.
    struct DeletingSteps : qv::PictureSteps {
        fs::path victim;
        fw::Status loadPicture(qv::Puz& puz) override
        {
            fs::remove(victim);
            return qv::PictureSteps::loadPicture(puz);
        }
    } steps;
    steps.picture = opening.steps.picture;
    steps.victim = dir / "Castle.puz";
    qv::Puz puz;
    puz.setUser(&opening.user);
    puz.setSteps(&steps);
    const fw::Status st = puz.OpenSaved(dir / "Game.sav");
    EXPECT_EQ(st.id, qv::msg::CannotOpen);
    EXPECT_EQ(st.text, "Castle.puz");
    EXPECT_EQ(puz.pieceCount(), 0);
    EXPECT_EQ(readAll(dir / "Game.sav"), saved);
}

TEST_F(EnvironmentFaultTest, PuzzleDeletedUnderAnOpenGameLosesNoMove)
{
    OpenGame game(dir.path(), dir.path());
    ASSERT_TRUE(game.puz.Save().ok());
    const auto puzzleBytes = readAll(dir / "Castle.puz");
    qv::Puz puz;
    puz.setUser(&game.user);
    puz.setGenerator(&game.rng);
    ASSERT_TRUE(puz.OpenSaved(game.puz.savedPath).ok());

    fs::remove(dir / "Castle.puz");
    puz.pieces[3].placeAt(123, 45);
    puz.counters.moves = 17;
    ASSERT_TRUE(puz.Save().ok());

    // Without its puzzle the game cannot open, says which file is missing,
    // and the saved game stays as it was saved.
    const auto saved = readAll(game.puz.savedPath);
    qv::Puz lost;
    lost.setUser(&game.user);
    const fw::Status st = lost.OpenSaved(game.puz.savedPath);
    EXPECT_EQ(st.id, qv::msg::CannotOpen);
    EXPECT_EQ(st.text, "Castle.puz");
    EXPECT_EQ(readAll(game.puz.savedPath), saved);

    // With the puzzle back, the move is there.
    writeAll(dir / "Castle.puz", std::string(puzzleBytes.begin(), puzzleBytes.end()));
    qv::Puz back;
    back.setUser(&game.user);
    ASSERT_TRUE(back.OpenSaved(game.puz.savedPath).ok());
    EXPECT_EQ(back.pieces[3].tableCell.x, 123);
    EXPECT_EQ(back.pieces[3].tableCell.y, 45);
    EXPECT_EQ(back.counters.moves, 17u);
}

// --- a translation file replaced by garbage.

TEST_F(EnvironmentFaultTest, TranslationFileOfGarbageIsRefusedWithAReason)
{
    fw::MemoryStream flag;
    fw::writeBmp(flag, fw::Bitmap(4, 3, 0xFF0000));
    const std::vector<fw::DixEntry> entries = {{1, 500, 0, 0, "piece"}, {4, 1, 0, 0, "OK"}};
    const auto plain = fw::buildDix(entries, flag.bytes(), 120);
    ASSERT_TRUE(fw::writeDix(dir / "QV21eng.dix", plain));
    ASSERT_TRUE(fw::writeDix(dir / "QV21cas.dix", plain));

    fw::Traductor t;
    ASSERT_TRUE(t.Create("eng", dir.path(), "QV21", 0, "eng,cas").ok());

    // The other language's file turns to garbage: switching to it fails and
    // the loaded language keeps answering.
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 7919) >> 3);
    writeAll(dir / "QV21cas.dix", garbage);
    EXPECT_FALSE(t.SetLanguage("cas").ok());
    EXPECT_EQ(t.currentLanguage(), "eng");
    EXPECT_EQ(t.GetText(500), "piece");

    // At start-up, a garbage file (or one cut short) is refused with a
    // status naming it and a reason for the log; the program then ends.
    const std::string cases[] = {garbage, std::string(plain.begin(), plain.begin() + plain.size() / 2), ""};
    for (const std::string& bytes : cases) {
        writeAll(dir / "QV21eng.dix", bytes);
        fs::remove(dir / "QV21cas.dix");
        fw::Traductor fresh;
        const fw::Status st = fresh.Create("eng", dir.path(), "QV21", 0, "eng");
        EXPECT_FALSE(st.ok()) << bytes.size();
        EXPECT_EQ(st.text, (dir / "QV21eng.dix").string());
        EXPECT_FALSE(fresh.lastError().empty());
        EXPECT_FALSE(fresh.loaded());
        EXPECT_EQ(fresh.GetText(500), "");
    }
}
