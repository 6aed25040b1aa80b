// Saving and caching when the disk runs out of room or the program is
// killed mid-write: a file size limit (RLIMIT_FSIZE) in a child process
// stands in for a full disk; with SIGXFSZ left at its default the same
// limit kills the child at a known byte, as a kill in the middle of a write.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CrashSafeFixtures.h"
#include "framework/Profile.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/Puz.h"
#include "minefield/IniFile.h"

namespace fs = std::filesystem;
using namespace crashsafe;

namespace {

enum class AtTheLimit { Fail, Die };

// Runs body in a child whose files cannot grow past `limit` bytes; at the
// limit a write either fails (as on a full disk) or kills the child.
// Returns the child's wait status.
template <typename Body>
int inChildWithFileLimit(rlim_t limit, AtTheLimit mode, Body body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        if (mode == AtTheLimit::Fail)
            std::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

qv::PuzzleDirectory directoryOf(const fs::path& puzzle)
{
    qv::Entry e;
    EXPECT_TRUE(e.readFile(puzzle).ok());
    return e.directory;
}

class StorageFaultTest : public ::testing::Test {
protected:
    TempDir dir;
};

}  // namespace

// --- the picture cache inside the puzzle file

TEST_F(StorageFaultTest, CacheWriteThatRunsOutOfRoomGivesTheFileBackItsLength)
{
    const fs::path puzzle = dir / "Castle.puz";
    ASSERT_TRUE(writePicturePuzzle(puzzle));
    const auto before = readAll(puzzle);

    // Room for a third of the 57 kB cache.
    const int status = inChildWithFileLimit(before.size() + 20000, AtTheLimit::Fail, [&] {
        PixelOpening opening;
        qv::Puz puz;
        opening.attach(puz);
        if (!puz.OpenPuzzle(puzzle, 0, 0).ok() || puz.picture.width() != 160)
            return 1;
        return puz.entry.directory.cacheOffset == 0 ? 0 : 2;
    });
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(fs::file_size(puzzle), before.size());
    EXPECT_TRUE(readAll(puzzle) == before);
}

TEST_F(StorageFaultTest, NextOpenCutsWhatAKilledCacheWriteLeftBehind)
{
    const fs::path puzzle = dir / "Castle.puz", clean = dir / "Clean.puz";
    ASSERT_TRUE(writePicturePuzzle(puzzle));
    ASSERT_TRUE(writePicturePuzzle(clean));
    const auto size = fs::file_size(puzzle);

    const int status = inChildWithFileLimit(size + 20000, AtTheLimit::Die, [&] {
        PixelOpening opening;
        qv::Puz puz;
        opening.attach(puz);
        puz.OpenPuzzle(puzzle, 0, 0);
        return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child was to be killed in the middle of the cache";
    ASSERT_GT(fs::file_size(puzzle), size) << "the kill left part of a cache";
    EXPECT_EQ(directoryOf(puzzle).cacheOffset, 0u);

    // Opening again: the dead bytes go, the cache is written once, where a
    // first open of an untouched copy writes it, and it is used after that.
    PixelOpening opening;
    for (const fs::path& p : {puzzle, clean}) {
        qv::Puz puz;
        opening.attach(puz);
        ASSERT_TRUE(puz.OpenPuzzle(p, 0, 0).ok()) << p;
    }
    EXPECT_EQ(fs::file_size(puzzle), fs::file_size(clean));
    EXPECT_EQ(directoryOf(puzzle).cacheOffset, directoryOf(clean).cacheOffset);
    EXPECT_TRUE(readAll(puzzle) == readAll(clean));
    const auto withCache = fs::file_size(puzzle);
    qv::Puz again;
    opening.attach(again);
    ASSERT_TRUE(again.OpenPuzzle(puzzle, 0, 0).ok());
    EXPECT_EQ(again.picture.width(), 160);
    EXPECT_EQ(fs::file_size(puzzle), withCache);
}

// --- saving a game on a full disk

TEST_F(StorageFaultTest, SaveOnAFullDiskSaysSoAndKeepsTheOldGame)
{
    qv::HeadlessUser user;
    qv::CutRandom rng;
    qv::Puz puz;
    puz.setUser(&user);
    puz.setGenerator(&rng);
    ASSERT_TRUE(writeCastlePuzzle(dir / "Castle.puz", "/Med0:4#6/Tit:Castle/Rndn:9"));
    ASSERT_TRUE(puz.OpenPuzzle(dir / "Castle.puz", 0, 0).ok());
    puz.savedPath = dir / "Game.sav";
    puz.savedName = "Game";
    ASSERT_TRUE(puz.Save().ok());
    const auto saved = readAll(puz.savedPath);

    // 0 when the status names the full disk and the file, 1 for "damaged", 2 otherwise.
    const int status = inChildWithFileLimit(200, AtTheLimit::Fail, [&] {
        puz.playerName = "Ann";
        const fw::Status st = puz.Save();
        if (st.text != puz.savedPath.string())
            return 2;
        return st.id == fw::msg::DiskFull ? 0 : st.id == qv::msg::BadFile ? 1 : 2;
    });
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readAll(puz.savedPath), saved);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
        << "no temporary file is left";
}

// --- the settings files of both games are saved through links, keeping their mode

TEST_F(StorageFaultTest, SettingsSavesKeepALinkAndAPrivateMode)
{
    fs::create_directories(dir / "real");
    writeAll(dir / "real" / "QVrk.ini", "[Main]\r\nLastPuz=old\r\n");
    writeAll(dir / "real" / "mvro.ini", "[MVRO]\nLEVEL=1\n");
    for (const char* name : {"QVrk.ini", "mvro.ini"}) {
        ASSERT_EQ(::chmod((dir / "real" / name).c_str(), 0600), 0);
        fs::create_symlink(fs::path("real") / name, dir / name);
    }

    fw::Profile profile(dir / "QVrk.ini");
    ASSERT_TRUE(profile.setString("Main", "LastPuz", "new"));
    mf::IniFile ini;
    ini.Load(dir / "mvro.ini");
    ini.Set("MVRO", "LEVEL", "3");
    ASSERT_TRUE(ini.Save(dir / "mvro.ini"));

    EXPECT_EQ(fw::Profile(dir / "real" / "QVrk.ini").getString("Main", "LastPuz"), "new");
    mf::IniFile back;
    back.Load(dir / "real" / "mvro.ini");
    EXPECT_EQ(back.GetInt("MVRO", "LEVEL", 0), 3);
    for (const char* name : {"QVrk.ini", "mvro.ini"}) {
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / name))) << name;
        struct stat st {};
        ASSERT_EQ(::stat((dir / "real" / name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}
