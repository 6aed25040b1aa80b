#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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
