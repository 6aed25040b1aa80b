#include <gtest/gtest.h>

#include <fstream>

#include "jigsaw/shell/GameFolders.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

struct Installation {
    qvtest::TempDir dir;
    fs::path program = dir / "usr-lib";
    fs::path home = dir / "home";

    Installation()
    {
        fs::create_directories(program);
        for (const char* name : {"sample.puz", "coffee.puz", "QV21eng.dix"})
            std::ofstream(program / name) << name;
        std::ofstream(program / fw::UserFolders::InstalledMarker).put('\n');
        // Installed files are read-only for the player.
        fs::permissions(program / "sample.puz", fs::perms::owner_read | fs::perms::group_read);
    }
    qv::GameFolders folders(bool installed) const
    {
        return qv::GameFolders(program,
                               fw::UserFolders::Decide(program, qv::GameFolders::Name, installed, {home, "", "", ""}));
    }
};

TEST(GameFolders, FirstStartOfAnInstalledCopyGivesThePlayerTheSamples)
{
    Installation inst;
    const qv::GameFolders f = inst.folders(true);
    EXPECT_EQ(f.firstPuzzle(), fs::path());
    EXPECT_EQ(f.Prepare(), 2);
    const fs::path root = inst.home / ".local/share/quorvane";
    EXPECT_EQ(f.puzzlesRoot(), root);
    EXPECT_EQ(f.firstPuzzle(), root / "sample.puz");
    EXPECT_FALSE(fs::exists(root / "QV21eng.dix"));
    EXPECT_TRUE(fs::is_directory(inst.home / ".config/quorvane"));
    EXPECT_TRUE(fs::is_directory(inst.home / ".cache/quorvane"));
    // The copy is the player's to rewrite.
    EXPECT_NE(fs::status(root / "sample.puz").permissions() & fs::perms::owner_write, fs::perms::none);

    // A sample the player removed stays removed on the next start.
    fs::remove(root / "coffee.puz");
    EXPECT_EQ(f.Prepare(), 0);
    EXPECT_FALSE(fs::exists(root / "coffee.puz"));
}

TEST(GameFolders, APortableCopyPlaysItsOwnFolder)
{
    Installation inst;
    const qv::GameFolders f = inst.folders(false);
    EXPECT_EQ(f.Prepare(), 0);
    EXPECT_EQ(f.puzzlesRoot(), inst.program);
    EXPECT_EQ(f.settingsFolder(), inst.program);
    EXPECT_EQ(f.firstPuzzle(), inst.program / "sample.puz");
    EXPECT_FALSE(fs::exists(inst.home));
}

}  // namespace
