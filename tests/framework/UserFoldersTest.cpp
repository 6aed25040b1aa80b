#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

#include "framework/UserFolders.h"
#include "tests/support/TempDir.h"

using fw::UserFolders;
namespace fs = std::filesystem;

namespace {

struct FolderCase {
    const char* what;
    bool installed;
    UserFolders::Environment env;
    bool portable;
    const char* settings;
    const char* data;
    const char* cache;
};

const FolderCase kFolderCases[] = {
    {"a writable folder keeps everything beside the program, whatever the variables say", false,
     {"/home/ana", "/x/config", "/x/data", "/x/cache"}, true, "/opt/game", "/opt/game", "/opt/game"},
    {"installed, the variables set", true, {"/home/ana", "/x/config", "/x/data", "/x/cache"}, false,
     "/x/config/quorvane", "/x/data/quorvane", "/x/cache/quorvane"},
    {"installed, the variables unset: the defaults under the home", true, {"/home/ana", "", "", ""}, false,
     "/home/ana/.config/quorvane", "/home/ana/.local/share/quorvane", "/home/ana/.cache/quorvane"},
    {"installed, only the data variable set", true, {"/home/ana", "", "/srv/d", ""}, false,
     "/home/ana/.config/quorvane", "/srv/d/quorvane", "/home/ana/.cache/quorvane"},
    {"relative variables are ignored", true, {"/home/ana", "cfg", "./data", "cache"}, false,
     "/home/ana/.config/quorvane", "/home/ana/.local/share/quorvane", "/home/ana/.cache/quorvane"},
    {"no home but every variable set", true, {"", "/x/config", "/x/data", "/x/cache"}, false, "/x/config/quorvane",
     "/x/data/quorvane", "/x/cache/quorvane"},
    {"no usable home and a variable missing: beside the program", true, {"relative/home", "/x/config", "", ""}, true,
     "/opt/game", "/opt/game", "/opt/game"},
};

TEST(UserFolders, DecidesFromInstallationAndVariables)
{
    for (const FolderCase& c : kFolderCases) {
        SCOPED_TRACE(c.what);
        const UserFolders f = UserFolders::Decide("/opt/game", "quorvane", c.installed, c.env);
        EXPECT_EQ(f.portable(), c.portable);
        EXPECT_EQ(f.settings(), fs::path(c.settings));
        EXPECT_EQ(f.data(), fs::path(c.data));
        EXPECT_EQ(f.cache(), fs::path(c.cache));
    }
}

TEST(UserFolders, InstalledWhenMarkedOrNotWritable)
{
    qvtest::TempDir dir;
    EXPECT_FALSE(UserFolders::IsInstalled(dir.path()));
    std::ofstream(dir / UserFolders::InstalledMarker).put('\n');
    EXPECT_TRUE(UserFolders::IsInstalled(dir.path()));

    const fs::path locked = dir / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    // The superuser may write anywhere: for it only the marker tells.
    if (::geteuid() != 0) {
        EXPECT_TRUE(UserFolders::IsInstalled(locked));
    }
    fs::permissions(locked, fs::perms::owner_all);
}

TEST(UserFolders, CreateMakesTheMissingFoldersAndReportsAFailure)
{
    qvtest::TempDir dir;
    const std::string root = dir.path().string();
    const UserFolders f = UserFolders::Decide("/opt/game", "quorvane", true,
                                              {root, root + "/c", root + "/d/e", root + "/f"});
    ASSERT_TRUE(f.Create());
    EXPECT_TRUE(fs::is_directory(dir / "c/quorvane"));
    EXPECT_TRUE(fs::is_directory(dir / "d/e/quorvane"));
    EXPECT_TRUE(fs::is_directory(dir / "f/quorvane"));

    // A file where a folder should go.
    std::ofstream(dir / "blocked").put('x');
    const UserFolders blocked = UserFolders::Decide("/opt/game", "quorvane", true,
                                                    {root, root + "/blocked", root + "/d", root + "/f"});
    EXPECT_FALSE(blocked.Create());
}

}  // namespace
