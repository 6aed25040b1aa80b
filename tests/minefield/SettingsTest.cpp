#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

#include "minefield/BestTimes.h"
#include "minefield/IniFile.h"
#include "minefield/Settings.h"
#include "minefield/SevenSegment.h"

using namespace mf;

TEST(IniFile, ReadsWithoutRegardToCaseAndKeepsForeignLines)
{
    IniFile ini;
    ini.Parse("; kept\r\n[mvro]\r\nLevel3 = 4\r\nTEXTURE=\"C:\\t.bmp\"\r\nodd line\r\n[SQUARE]\r\nT0=12\r\n");
    EXPECT_EQ(ini.GetInt("MVRO", "LEVEL3", 0), 4);
    EXPECT_EQ(ini.GetString("MVRO", "texture", "1", 253), "C:\\t.bmp");
    EXPECT_EQ(ini.GetInt("MVRO", "SHAPE", 6), 6);
    EXPECT_EQ(ini.GetString("Square", "N0", "Anonymous", 29), "Anonymous");

    ini.Set("MVRO", "SHAPE", "3");
    ini.Set("SQUARE", "N0", "Ann");
    ini.Set("HEXAGON", "T1", "7");
    const std::string text = ini.Text();
    EXPECT_NE(text.find("; kept\r\n"), std::string::npos);
    // Lines not set again keep their bytes, quotes and blanks included.
    EXPECT_NE(text.find("Level3 = 4\r\nTEXTURE=\"C:\\t.bmp\"\r\nSHAPE=3\r\nodd line\r\n"), std::string::npos);
    EXPECT_NE(text.find("T0=12\r\nN0=Ann\r\n"), std::string::npos);
    EXPECT_NE(text.find("[HEXAGON]\r\nT1=7\r\n"), std::string::npos);
}

TEST(IniFile, IntegersReadLikeAtol)
{
    struct Case {
        const char* text;
        int32_t value;
    };
    for (const Case& k : {Case{"42", 42}, Case{" -7x", -7}, Case{"abc", 0}, Case{"", 0},
                          Case{"+12", 12}, Case{"4294967295", -1}}) {
        EXPECT_EQ(ParseProfileInt(k.text), k.value) << k.text;
    }
}

namespace {

std::vector<std::string> NamesIn(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A limit on the size of written files: writes past it fail as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

}  // namespace

TEST(IniFile, SaveReplacesTheFileAndAMissingFileReadsEmpty)
{
    const auto dir = std::filesystem::temp_directory_path() / "mf_ini_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto path = dir / "mvro.ini";
    IniFile ini;
    ini.Load(path);
    EXPECT_EQ(ini.GetInt("MVRO", "SOUND", 1), 1);
    ini.Set("MVRO", "SOUND", "0");
    ASSERT_TRUE(ini.Save(path));
    ini.Set("MVRO", "SOUND", "2");
    ASSERT_TRUE(ini.Save(path));
    IniFile again;
    again.Load(path);
    EXPECT_EQ(again.GetInt("MVRO", "SOUND", 1), 2);
    EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"mvro.ini"});
    std::filesystem::remove_all(dir);
}

TEST(IniFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    const auto dir = std::filesystem::temp_directory_path() / ("mf_ini_fail_" + std::to_string(::getpid()));
    struct Case {
        const char* name;
        std::function<void()> fault;  // set up before the save, undone after it
        std::function<void()> undo;
        bool oldFile;  // a version saved before
    };
    std::unique_ptr<FileSizeLimit> limit;
    const Case cases[] = {
        {"disk full after 100 bytes", [&] { limit = std::make_unique<FileSizeLimit>(100); }, [&] { limit.reset(); }, true},
        {"disk full at once", [&] { limit = std::make_unique<FileSizeLimit>(0); }, [&] { limit.reset(); }, true},
        // Renaming onto a folder fails after the new text was written.
        {"rename refused", [&] { std::filesystem::create_directories(dir / "mvro.ini" / "in-the-way"); },
         [] {}, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        const auto path = dir / "mvro.ini";
        IniFile ini;
        ini.Set("MVRO", "SOUND", "1");
        std::string before;
        if (c.oldFile) {
            ASSERT_TRUE(ini.Save(path));
            before = ReadText(path);
        }
        ini.Set("MVRO", "TEXTURE", std::string(400, 'x'));
        c.fault();
        const bool saved = ini.Save(path);
        c.undo();
        EXPECT_FALSE(saved) << c.name;
        EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"mvro.ini"}) << c.name;
        if (c.oldFile) {
            EXPECT_EQ(ReadText(path), before) << c.name;
        }
    }
    std::filesystem::remove_all(dir);
}

TEST(Settings, DefaultsAndValuesKeptInsideTheGrid)
{
    const Settings d = Settings::Read(IniFile{});
    EXPECT_EQ(d.level, 0);
    EXPECT_EQ(d.width, 8);
    EXPECT_EQ(d.height, 8);
    EXPECT_EQ(d.mines, 16);
    EXPECT_EQ(d.shape, ShapeKind::Square);
    EXPECT_EQ(d.color, 0xC0C0C0u);
    EXPECT_EQ(d.texture, "1");
    EXPECT_TRUE(d.sound);

    IniFile ini;
    ini.Parse("[MVRO]\nLEVEL3=261\nWIDTH=40\nHEIGHT=0\nMINES=999\nSHAPE=9\nCOLOR=255\nTEXTURE=\nSOUND=2\n");
    const Settings s = Settings::Read(ini);
    EXPECT_EQ(s.level, 5);  // kept in one byte
    EXPECT_EQ(s.width, 32);
    EXPECT_EQ(s.height, 1);
    EXPECT_EQ(s.mines, 31);
    EXPECT_EQ(s.shape, ShapeKind::Square);
    EXPECT_EQ(s.color, 255u);
    EXPECT_EQ(s.texture, "");
    EXPECT_FALSE(s.sound);

    IniFile out;
    s.Write(out);
    EXPECT_EQ(out.Text(), "[MVRO]\r\nLEVEL3=5\r\nWIDTH=32\r\nHEIGHT=1\r\nMINES=31\r\nSHAPE=1\r\n"
                          "COLOR=255\r\nTEXTURE=\r\nSOUND=0\r\n");
}

TEST(BestTimes, OnlyAStrictlyFasterTimeReplacesARecord)
{
    BestTimes best(ShapeKind::Diamond);
    EXPECT_TRUE(best.IsBest(2, 100));  // nothing stored yet
    EXPECT_TRUE(best.Store(2, 0, 1, 40, "Ann"));
    EXPECT_FALSE(best.Store(2, 0, 1, 40, "Bob"));  // equal is no best time
    EXPECT_EQ(best.Name(2), "Ann");
    EXPECT_TRUE(best.Store(2, 0, 1, 39, "Bob"));
    EXPECT_EQ(best.Time(2), 99);
    // Under one second stores 0, which then reads as no record.
    EXPECT_TRUE(best.Store(3, 0, 0, 0, "Quick"));
    EXPECT_TRUE(best.IsBest(3, 500));
    EXPECT_FALSE(best.IsBest(7, 1));  // no record exists for a custom level

    IniFile ini;
    best.Save(ini);
    EXPECT_EQ(ini.GetInt("DIAMOND", "T2", 0), 99);
    EXPECT_EQ(ini.GetString("DIAMOND", "N2", "", 29), "Bob");
    BestTimes loaded(ShapeKind::Diamond);
    loaded.Load(ini);
    EXPECT_EQ(loaded.Time(2), 99);
    EXPECT_EQ(loaded.Name(0), "Anonymous");
    loaded.Reset();
    EXPECT_EQ(loaded.Time(2), 0);
    EXPECT_EQ(loaded.Name(2), "Anonymous");
}

TEST(BestTimes, CongratulationTexts)
{
    struct Case {
        int h, m, s;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, 1, "Congratulations. You solved the game in 1 hour 1 minute 1 second."},
        {0, 2, 0, "Congratulations. You solved the game in 2 minutes "},
        {2, 0, 5, "Congratulations. You solved the game in 2 hours 5 seconds."},
        {0, 0, 59, "Congratulations. You solved the game in 59 seconds."},
        // Not cut after "in".
        {0, 0, 0, "Congratulations. You solved the game in less than a second."},
    };
    for (const Case& k : cases)
        EXPECT_EQ(CongratulationText(k.h, k.m, k.s), k.text);
    // Translated parts: the number goes in where "%d" stands, and nothing in
    // a translation is taken as a format.
    const TextLookup translated = [](int id) -> std::string {
        switch (id) {
        case text::Congratulations:
            return "100% done: ";
        case text::Hours:
            return "%s %d h %n ";
        case text::OneMinute:
            return "%d min ";
        case text::Seconds:
            return "%d s.";
        case text::WonInNoTime:
            return "Fast!";
        default:
            return "?";
        }
    };
    EXPECT_EQ(CongratulationText(3, 1, 5, translated), "100% done: %s 3 h %n 1 min 5 s.");
    EXPECT_EQ(CongratulationText(0, 0, 0, translated), "Fast!");
    EXPECT_EQ(FormatClock(3661), "01:01:01");
    EXPECT_EQ(FormatClock(0), "00:00:00");
}

TEST(SevenSegment, CodesAreRightAlignedWithBlanksAndMinus)
{
    using V = std::vector<int>;
    EXPECT_EQ(SegmentCodes(-5, 3), (V{sevenseg::Blank, sevenseg::Minus, 5}));
    EXPECT_EQ(SegmentCodes(0, 3), (V{sevenseg::Blank, sevenseg::Blank, 0}));
    EXPECT_EQ(SegmentCodes(100, 3), (V{1, 0, 0}));
    EXPECT_EQ(SegmentCodes(1234, 3), (V{2, 3, 4}));
    EXPECT_EQ(SegmentCodes(-100, 3), (V{1, 0, 0}));
    EXPECT_TRUE(SegmentLit(sevenseg::Minus, SegMiddle));
    EXPECT_FALSE(SegmentLit(sevenseg::Minus, SegTop));
    EXPECT_FALSE(SegmentLit(0, SegMiddle));
    EXPECT_FALSE(SegmentLit(7, SegBottom));
}

TEST(SevenSegment, BoxesAndPolygonsOfTheToolBarCounter)
{
    // The tool bar's counter: 56 x 28 with a one-pixel recessed border.
    SevenSegmentLayout layout{3, 1, 4, 2, 3};
    const std::vector<Rect> boxes = DigitBoxes({1, 1, 55, 27}, layout);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], (Rect{3, 3, 17, 25}));
    EXPECT_EQ(boxes[2], (Rect{39, 3, 53, 25}));
    const auto polys = SegmentPolygons(boxes[0], 3, 1);
    EXPECT_EQ(polys[SegTop].points[0], (Point{4, 3}));
    EXPECT_EQ(polys[SegMiddle].count, 6);
    EXPECT_EQ(polys[SegMiddle].points[0], (Point{4, 14}));
    EXPECT_EQ(polys[SegMiddle].points[3], (Point{16, 14}));
}

// Names are kept as typed (UTF-8). The N keys hold what other builds read,
// Windows-1252 with '?' for what it lacks; a key of our own beside them
// keeps the whole name, and counts only while the N key still matches it.
TEST(BestTimes, NamesOutsideWindows1252AreKeptWhileOtherBuildsReadTheirRendering)
{
    const std::string longName(30 * 2, 'x');
    std::string thirtyL;
    for (int i = 0; i < 30; ++i)
        thirtyL += "\xC5\x81";  // Ł
    struct Case {
        const char* what;
        std::string name, nKey, kept;
        bool ownKey;
    };
    const Case cases[] = {
        {"plain", "Ann", "Ann", "Ann", false},
        {"in Windows-1252 above Latin-1", "\xE2\x82\xAC" "uro \xC5\xA0", "\x80uro \x8A",
         "\xE2\x82\xAC" "uro \xC5\xA0", false},
        {"outside Windows-1252", "Zo\xC3\xAB \xC5\x81ukasz", "Zo\xEB ?ukasz", "Zo\xC3\xAB \xC5\x81ukasz", true},
        {"29 characters, not bytes", thirtyL, std::string(29, '?'), thirtyL.substr(0, 58), true},
        {"cut at 29", longName, longName.substr(0, 29), longName.substr(0, 29), false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        IniFile ini;
        ini.Parse("[HEXAGON]\r\nN1Utf8=stale\r\n");
        BestTimes best(ShapeKind::Hexagon);
        ASSERT_TRUE(best.Store(1, 0, 0, 9, k.name));
        EXPECT_EQ(best.Name(1), k.kept);
        best.Save(ini);
        EXPECT_EQ(ini.GetString("HEXAGON", "N1", "", 29), k.nKey);
        EXPECT_EQ(ini.GetString("HEXAGON", "N1Utf8", "-", 200) != "-", k.ownKey) << ini.Text();
        BestTimes loaded(ShapeKind::Hexagon);
        loaded.Load(ini);
        EXPECT_EQ(loaded.Name(1), k.kept);
    }

    // Another build that writes a new record leaves our key behind: its N key
    // wins; so does it over a damaged key of ours.
    IniFile ini;
    ini.Parse("[SQUARE]\r\nN0=Bob\r\nN0Utf8=Zo\xC3\xAB \xC5\x81ukasz\r\nN2=Jos\xE9\r\n"
              "N3=Zo? ?\r\nN3Utf8=Zo\xC3 \xC5\r\n");
    BestTimes loaded(ShapeKind::Square);
    loaded.Load(ini);
    EXPECT_EQ(loaded.Name(0), "Bob");
    EXPECT_EQ(loaded.Name(2), "Jos\xC3\xA9");  // a file's single bytes read as Windows-1252
    EXPECT_EQ(loaded.Name(3), "Zo? ?");
}

TEST(Settings, PlayOptionsLiveInKeysOfOurOwnWrittenOnlyWhileOn)
{
    const std::string written = "[MVRO]\r\nLEVEL3=2\r\nWIDTH=8\r\nHEIGHT=8\r\nMINES=16\r\nSHAPE=6\r\n"
                                "COLOR=12632256\r\nTEXTURE=1\r\nSOUND=1\r\n[HEXAGON]\r\nT0=5\r\nN0=Ann\r\n";
    IniFile ini;
    ini.Parse(written);
    Settings s = Settings::Read(ini);
    EXPECT_FALSE(s.leftChord || s.marks || s.safeStart || s.noGuess);
    s.Write(ini);
    EXPECT_EQ(ini.Text(), written) << "options off: the file keeps its bytes";

    s.marks = s.safeStart = s.noGuess = true;
    s.Write(ini);
    EXPECT_EQ(ini.GetInt("MVRO", "MvNoGuess", 0), 1);
    const Settings back = Settings::Read(ini);
    EXPECT_TRUE(back.marks && back.safeStart && back.noGuess);
    EXPECT_FALSE(back.leftChord);
    EXPECT_EQ(ini.GetInt("MVRO", "SOUND", -1), 1);
    EXPECT_EQ(ini.GetString("HEXAGON", "N0", "", 29), "Ann");

    s.marks = s.safeStart = s.noGuess = false;
    s.Write(ini);
    EXPECT_EQ(ini.Text(), written) << "options turned off again leave no trace";
}
