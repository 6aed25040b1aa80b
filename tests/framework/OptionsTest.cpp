#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "framework/Options.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {

struct OptionsTest : ::testing::Test {
    fs::path dir;
    fs::path file;
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("qv-options-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        file = dir / "QVrk.ini";
    }
    void TearDown() override { fs::remove_all(dir); }
    void put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
    std::string content() const
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    Options load()
    {
        Profile p(file);
        p.setDefaultSection("Main");
        Options o;
        o.load(p);
        return o;
    }
};

}  // namespace

TEST_F(OptionsTest, OlderKeysSetOrClearTheirBitsAndAreDeleted)
{
    put(file, "[Main]\r\nOptions=64\r\nMute=1\r\nDefAutoSave=0\r\nDefCompetition=abc\r\nlang=eng\r\n");
    const Options o = load();
    EXPECT_EQ(o.word, opt::Mute);
    EXPECT_EQ(content(), "[Main]\r\nOptions=8\r\nlang=eng\r\n");
    EXPECT_EQ(Profile(file).getInt("Main", "Options"), 8);
}

TEST_F(OptionsTest, MuteKeyAloneAddsTheBitToAMissingOptionsKey)
{
    put(file, "[Main]\r\nMute=1\r\n");
    EXPECT_EQ(load().word, opt::Mute);
    Profile p(file);
    EXPECT_FALSE(p.has("Main", "Mute"));
    EXPECT_EQ(p.getInt("Main", "Options") & opt::Mute, opt::Mute);
}

TEST_F(OptionsTest, TransientBitIsClearedAndSaved)
{
    put(file, "[Main]\r\nOptions=4113\r\n");  // 0x1011
    const Options o = load();
    EXPECT_EQ(o.word, 0x1010u);
    EXPECT_EQ(Profile(file).getInt("Main", "Options"), 0x1010);
}

TEST_F(OptionsTest, NothingToMendLeavesTheFileAlone)
{
    const std::string text = "[Main]\r\nOptions = 0x40\r\n";
    put(file, text);
    EXPECT_EQ(load().word, 0x40u);
    EXPECT_EQ(content(), text);
}

TEST_F(OptionsTest, LoupeDefaultsAndIsWrittenBackAtSave)
{
    put(file, "[Main]\r\nNoSparkle=1\r\nSolidShadow=2\r\n");
    Profile p(file);
    p.setDefaultSection("Main");
    Options o;
    o.load(p);
    EXPECT_EQ(o.loupeSize, 210);
    EXPECT_EQ(o.loupeFactor, 2.0);
    EXPECT_EQ(o.noSparkle, 1);
    EXPECT_EQ(o.noShadow, 0);
    EXPECT_EQ(o.solidShadow, 2);
    EXPECT_TRUE(o.save(p));
    EXPECT_EQ(Profile(file).getString("Main", "Loupe"), "210,2.0");
    o.loupeSize = 90;
    o.loupeFactor = 2.25;
    o.save(p);
    EXPECT_EQ(Profile(file).getString("Main", "Loupe"), "90,2.25");
}

TEST_F(OptionsTest, LoupeValuesAreReadOrReplacedWhenUnusable)
{
    struct Case {
        const char* text;
        int size;
        double factor;
    } cases[] = {
        {"150,3.0", 150, 3.0}, {"290, 5", 290, 5.0}, {"170", 170, 2.0},
        {"abc", 210, 2.0},     {"-5,2.0", 210, 2.0}, {"100000,2.0", 210, 2.0}, {"210,nan", 210, 2.0},
    };
    for (const Case& c : cases) {
        put(file, std::string("[Main]\r\nLoupe=") + c.text + "\r\n");
        const Options o = load();
        EXPECT_EQ(o.loupeSize, c.size) << c.text;
        EXPECT_EQ(o.loupeFactor, c.factor) << c.text;
    }
}

TEST_F(OptionsTest, GameDefaultsComeFromTheOptionsWord)
{
    struct Case {
        uint32_t word;
        uint32_t game;
    } cases[] = {
        {0x0020, gameopt::Competition}, {0x0040, gameopt::AutoSave},   {0x0200, gameopt::HidePreview},
        {0x0080, gameopt::HideBoxes},   {0x0100, gameopt::HideScore},  {0x5C1F, 0x00},
        {0x03E0, 0x1F},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Options::deriveGameDefaults(c.word), c.game) << std::hex << c.word;
    put(file, "[Main]\r\nOptions=96\r\n");
    EXPECT_EQ(load().gameDefaults, gameopt::Competition | gameopt::AutoSave);
}

TEST_F(OptionsTest, FileProfileRedirectsTheSettings)
{
    EXPECT_EQ(Options::settingsPath(dir, "QVrk"), file);
    put(file, "[Main]\r\nFileProfile=other\r\n");
    put(dir / "other.ini", "[Main]\r\nOptions=8\r\n");
    const fs::path used = Options::settingsPath(dir, "QVrk");
    EXPECT_EQ(used, dir / "other.ini");
    EXPECT_EQ(Profile(used).getInt("Main", "Options"), 8);

    EXPECT_EQ(Options::resolveProfileName(dir, "my.cfg"), dir / "my.ini");
    EXPECT_EQ(Options::resolveProfileName(dir, "sub\\x.ini"), dir / "sub" / "x.ini");
    EXPECT_EQ(Options::resolveProfileName(dir, "/etc/qv/set.txt"), fs::path("/etc/qv/set.txt"));
}
