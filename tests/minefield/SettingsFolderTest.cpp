#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "minefield/SettingsFolder.h"
#include "tests/support/TempDir.h"

using mf::SettingsFolder;
namespace fs = std::filesystem;

namespace {

TEST(SettingsFolder, BesideTheProgramOrInTheUsersConfiguration)
{
    struct Case {
        bool installed;
        const char* configHome;
        const char* home;
        const char* folder;
    } const cases[] = {
        {false, "/x/config", "/home/ana", "/opt/mvro"},
        {true, "/x/config", "/home/ana", "/x/config/minevaro"},
        {true, "", "/home/ana", "/home/ana/.config/minevaro"},
        {true, "relative", "/home/ana", "/home/ana/.config/minevaro"},
        {true, "", "", "/opt/mvro"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.configHome) + " | " + c.home);
        EXPECT_EQ(SettingsFolder::Decide("/opt/mvro", c.installed, c.configHome, c.home), fs::path(c.folder));
    }
}

TEST(SettingsFolder, AnInstalledCopyMakesItsFolderUnderTheConfigurationHome)
{
    qvtest::TempDir dir;
    const fs::path program = dir / "lib";
    fs::create_directories(program);
    EXPECT_EQ(SettingsFolder::SettingsFile(program), program / "mvro.ini");

    std::ofstream(program / SettingsFolder::InstalledMarker).put('\n');
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", (dir / "cfg").c_str(), 1);
    const fs::path file = SettingsFolder::SettingsFile(program);
    old ? ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(file, dir / "cfg/minevaro/mvro.ini");
    EXPECT_TRUE(fs::is_directory(dir / "cfg/minevaro"));
}

}  // namespace
