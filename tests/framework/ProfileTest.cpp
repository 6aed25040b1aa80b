#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "framework/Profile.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {

struct ProfileTest : ::testing::Test {
    fs::path dir;
    fs::path file;
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("qv-profile-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        file = dir / "QVrk.ini";
    }
    void TearDown() override { fs::remove_all(dir); }
    void put(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string content() const
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

}  // namespace

TEST(ProfileParseTest, IntegersReadLikeTheSystemProfileReader)
{
    struct Case {
        const char* text;
        int32_t value;
    } cases[] = {
        {"12", 12},        {"  -5", -5},    {"+7", 7},           {"0x1F", 31}, {"0XfF", 255},
        {"0b101", 5},      {"0o17", 15},    {"12abc", 12},       {"abc", 0},   {"-", 0},
        {"4294967295", -1}, {"4294967296", 0}, {"0x", 0},        {"09", 9},    {"1 2", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Profile::parseInt(c.text), c.value) << c.text;
}

TEST_F(ProfileTest, LookupIgnoresCaseAndGivesDefaultsForMissingOrEmptyKeys)
{
    put("[Main]\r\nOptions = 72 \r\nlang=cas\r\nEmpty=\r\nWord=text\r\nQuoted=\"  a b \"\r\n"
        "; comment=9\r\n[PicClr]\r\nsx=640\r\n");
    Profile p(file);
    p.setDefaultSection("Main");
    EXPECT_EQ(p.getInt("options"), 72);
    EXPECT_EQ(p.getString("MAIN", "LANG"), "cas");
    EXPECT_EQ(p.getInt("picclr", "SX"), 640);
    EXPECT_EQ(p.getInt("Main", "Empty", 5), 5);
    EXPECT_EQ(p.getString("Main", "Empty", "x"), "x");
    EXPECT_EQ(p.getInt("Word"), 0);
    EXPECT_EQ(p.getInt("Missing"), 0);
    EXPECT_EQ(p.getString("Missing"), "");
    EXPECT_EQ(p.getString("Quoted"), "  a b ");
    EXPECT_EQ(p.getInt("sx"), 0);  // another section's key
    EXPECT_FALSE(p.has({}, "; comment"));
    EXPECT_TRUE(p.has({}, "EMPTY"));
}

TEST_F(ProfileTest, WritingKeepsEverythingElseInPlace)
{
    put("; settings\r\n[Main]\r\nOptions=1\r\nLastPuz=a.puz\r\n\r\n[History]\r\nLastImage=x.jpg\r\n");
    Profile p(file);
    p.setDefaultSection("Main");
    EXPECT_TRUE(p.setInt({}, "options", 8));
    EXPECT_TRUE(p.setString({}, "AbEnd", "1"));
    EXPECT_TRUE(p.setString("DontAsk", "MovePuz", "1"));
    EXPECT_TRUE(p.setString("history", "Other", "y"));
    EXPECT_EQ(content(),
              "; settings\r\n[Main]\r\nOptions=8\r\nLastPuz=a.puz\r\nAbEnd=1\r\n\r\n"
              "[History]\r\nLastImage=x.jpg\r\nOther=y\r\n\r\n[DontAsk]\r\nMovePuz=1\r\n");
    EXPECT_TRUE(p.deleteKey({}, "LASTPUZ"));
    EXPECT_TRUE(p.deleteSection("History"));
    EXPECT_TRUE(p.deleteKey({}, "NotThere"));
    EXPECT_EQ(content(), "; settings\r\n[Main]\r\nOptions=8\r\nAbEnd=1\r\n\r\n[DontAsk]\r\nMovePuz=1\r\n");
    EXPECT_EQ(Profile(file).getString("DontAsk", "movepuz"), "1");
}

TEST_F(ProfileTest, UnixLineEndsStayUnixAndNewFilesGetWindowsOnes)
{
    put("[Main]\nA=1\n");
    Profile(file).setString("Main", "B", "2");
    EXPECT_EQ(content(), "[Main]\nA=1\nB=2\n");
    fs::remove(file);
    Profile(file).setString("Main", "A", "1");
    EXPECT_EQ(content(), "[Main]\r\nA=1\r\n");
}

TEST_F(ProfileTest, TwoObjectsOverOneFileSeeEachOthersWrites)
{
    Profile a(file), b(file);
    EXPECT_TRUE(a.setString("Main", "lang", "cat"));
    EXPECT_EQ(b.getString("Main", "lang"), "cat");
    EXPECT_TRUE(b.setString("Main", "Options", "8"));
    EXPECT_EQ(a.getString("Main", "lang"), "cat");
    EXPECT_EQ(a.getInt("Main", "Options"), 8);
}

TEST_F(ProfileTest, ValuesCannotInjectLinesAndOddKeysAreRefused)
{
    Profile p(file);
    EXPECT_TRUE(p.setString("Main", "LastCert", "line1\r\n[Evil]\r\nx=1"));
    EXPECT_FALSE(p.has("Evil", "x"));
    EXPECT_EQ(p.getString("Main", "LastCert"), "line1  [Evil]  x=1");
    EXPECT_FALSE(p.setString("Main", "a=b", "1"));
    EXPECT_FALSE(p.setString("Main", "", "1"));
    EXPECT_FALSE(p.setString("Ma]in", "k", "1"));
}

TEST_F(ProfileTest, UnwritableFileReportsFailureAndKeepsReading)
{
    Profile p(dir / "no-such-dir" / "QVrk.ini");
    EXPECT_FALSE(p.setString("Main", "Options", "8"));
    EXPECT_EQ(p.getInt("Main", "Options"), 0);
}
