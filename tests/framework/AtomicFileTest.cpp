#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>

#include "framework/AtomicFile.h"
#include "framework/ByteIO.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {
std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct AtomicFileTest : ::testing::Test {
    fs::path dir;
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("qv-atomic-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::ofstream(dir / "scores.dat") << "old content";
    }
    void TearDown() override { fs::remove_all(dir); }
    size_t fileCount() const { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); }
};
}  // namespace

TEST_F(AtomicFileTest, CommitReplacesTheWholeFile)
{
    EXPECT_TRUE(replaceFile(dir / "scores.dat", [](Stream& s) {
        ByteWriter(s).bytes("new", 3);
        return true;
    }));
    EXPECT_EQ(slurp(dir / "scores.dat"), "new");
    EXPECT_EQ(fileCount(), 1u);
}

TEST_F(AtomicFileTest, AFailedWriterKeepsTheOldFileAndLeavesNoTemporary)
{
    EXPECT_FALSE(replaceFile(dir / "scores.dat", [](Stream& s) {
        ByteWriter(s).bytes("half", 4);
        return false;
    }));
    EXPECT_EQ(slurp(dir / "scores.dat"), "old content");
    EXPECT_EQ(fileCount(), 1u);
}

TEST_F(AtomicFileTest, AMissingFolderFailsCleanly)
{
    EXPECT_FALSE(replaceFile(dir / "nope" / "x.dat", [](Stream&) { return true; }));
}

// The file keeps what the player made of it: a link stays a link (its file
// gets the content, the temporary file goes beside that file), a private
// mode stays private, and nothing is left over in either folder.
TEST_F(AtomicFileTest, ReplacingKeepsLinksAndModes)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links;  // link name -> what it names
        std::string real;    // the file that must get the content, relative to dir
        mode_t mode;         // its mode before (0 = it does not exist yet)
    };
    const Case cases[] = {
        {"plain", {}, "QVrk.ini", 0644},
        {"mode 600", {}, "QVrk.ini", 0600},
        {"link to another folder", {{"QVrk.ini", "real/QVrk.ini"}}, "real/QVrk.ini", 0600},
        {"chain of relative links", {{"QVrk.ini", "b.ini"}, {"b.ini", "real/c.ini"}}, "real/c.ini", 0640},
        {"dangling link", {{"QVrk.ini", "real/new.ini"}}, "real/new.ini", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir);
        fs::create_directories(dir / "real");
        if (c.mode) {
            std::ofstream(dir / c.real) << "old";
            ASSERT_EQ(::chmod((dir / c.real).c_str(), c.mode), 0);
        }
        for (const auto& [link, to] : c.links)
            fs::create_symlink(to, dir / link);

        int why = -1;
        ASSERT_TRUE(replaceFile(dir / "QVrk.ini", [](Stream& s) {
            ByteWriter(s).bytes("new", 3);
            return true;
        }, &why));
        EXPECT_EQ(why, 0);

        EXPECT_EQ(slurp(dir / "QVrk.ini"), "new");
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / c.real)));
        for (const auto& [link, to] : c.links) {
            ASSERT_TRUE(fs::is_symlink(fs::symlink_status(dir / link))) << link;
            EXPECT_EQ(fs::read_symlink(dir / link), to);
        }
        struct stat st {};
        ASSERT_EQ(::stat((dir / c.real).c_str(), &st), 0);
        if (c.mode) {
            EXPECT_EQ(st.st_mode & 07777, c.mode);
        }
        // Nothing but the links and the file itself, in either folder.
        size_t expected = 2 + c.links.size();  // "real", the file, the links
        if (fs::path(c.real).has_parent_path())
            --expected;
        EXPECT_EQ(fileCount(), expected);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()),
                  fs::path(c.real).has_parent_path() ? 1 : 0);
    }
}
