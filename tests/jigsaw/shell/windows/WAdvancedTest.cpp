#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "OptionsFixture.h"
#include "framework/qt/Clipboard.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/shell/SystemReport.h"
#include "jigsaw/shell/windows/WAdvanced.h"

using namespace qv;

namespace {

struct WAdvancedTest : ::testing::Test {
    testfix::TempDir dir;
    std::filesystem::path ini = dir / "QVrk.ini";
    std::filesystem::path program = dir / "qvrk32";
    fw::Options options;
    int boxesShown = 0;

    void SetUp() override
    {
        testfix::writeText(ini, "[Main]\r\nOptions=8\r\nlang=eng\r\n");
        std::string bytes;
        for (int i = 0; i < 1000; ++i)
            bytes += static_cast<char>(i * 7);
        testfix::writeText(program, bytes);
    }

    // Closes every message box that opens while f runs, counting them.
    template <class F>
    void closingBoxes(F f)
    {
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (auto* box = dynamic_cast<fw::MUBox*>(QApplication::activeModalWidget())) {
                ++boxesShown;
                box->command(1);
            }
        });
        watcher.start(10);
        f();
    }
};

}  // namespace

TEST_F(WAdvancedTest, ForceDIRotateIsStoredAtOnceAndOnlySwitchingOnWarns)
{
    fw::Profile profile(ini);
    profile.setDefaultSection("Main");
    std::vector<bool> told;
    WAdvanced w(nullptr, profile, options, nullptr, program, "Quorvane 2.00");
    w.setForceDIRotateHook([&](bool on) { told.push_back(on); });
    EXPECT_FALSE(w.isChecked(WAdvanced::IdForceDIRotate));
    closingBoxes([&] { w.setChecked(WAdvanced::IdForceDIRotate, true); });
    EXPECT_EQ(boxesShown, 1);
    EXPECT_EQ(fw::Profile(ini).getInt("Main", "ForceDIRotate"), 1);
    closingBoxes([&] { w.setChecked(WAdvanced::IdForceDIRotate, false); });
    EXPECT_EQ(boxesShown, 1);
    EXPECT_EQ(fw::Profile(ini).getInt("Main", "ForceDIRotate"), 0);
    EXPECT_EQ(told, (std::vector<bool>{true, false}));

    w.setChecked(WAdvanced::IdCompatible, true);
    EXPECT_EQ(options.word, 0x2000u);
    EXPECT_EQ(options.changed, 1);
    EXPECT_EQ(w.windowTitle(), "Especial options");
}

TEST(SystemReport, ByteSumsAddEachByteToItsPositionInTheBlock)
{
    testfix::TempDir dir;
    // 2 full blocks and 3 bytes more, all 0xFF: the first three counters
    // got three bytes, the others two.
    testfix::writeText(dir / "f", std::string(515, '\xFF'));
    std::array<uint32_t, 256> sums{};
    ASSERT_TRUE(ByteSums(dir / "f", sums));
    EXPECT_EQ(sums[0], 765u);
    EXPECT_EQ(sums[2], 765u);
    EXPECT_EQ(sums[3], 510u);
    EXPECT_EQ(sums[255], 510u);
    const std::string text = FormatByteSums(sums);
    EXPECT_EQ(text.substr(0, 29), "      765      765      765  ");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 26);  // 25 lines of ten and one of six
    EXPECT_EQ(text.size(), 256u * 9 + 26 * 2);
    EXPECT_FALSE(ByteSums(dir / "missing", sums));
    EXPECT_EQ(sums[0], 0u);
}

TEST_F(WAdvancedTest, TheReportIsTheSameOnTwoRunsAndEndsWithTheSettings)
{
    fw::Profile profile(ini);
    WAdvanced w(nullptr, profile, options, nullptr, program, "Quorvane 2.00");
    const std::string first = w.report();
    const std::string second = w.report();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first.rfind("Pgm:Quorvane 2.00\r\nWinVersion:", 0), 0u);
    for (const char* line : {"\r\nSysInfo-Processor:", "\r\nBmpWMain: bitspixel=", "\r\nplanes=1\r\nwidthbytes=",
                             "\r\nHRes:", "\r\nRastercaps:", "\r\nXMaskScreen:16711680,65280,255\r\nLShift:16,8,0"})
        EXPECT_NE(first.find(line), std::string::npos) << line;
    EXPECT_EQ(first.find("BmpMask"), std::string::npos) << "no puzzle is open";
    std::array<uint32_t, 256> sums{};
    ASSERT_TRUE(ByteSums(program, sums));
    const std::string dump = "\r\nProgram dump:\r\n" + std::string(20, '-') + "\r\n" + FormatByteSums(sums) +
                             std::string(30, '-') + "\r\nqvrk.ini \r\n\r\n[Main]\r\nOptions=8\r\nlang=eng\r\n";
    ASSERT_GE(first.size(), dump.size());
    EXPECT_EQ(first.substr(first.size() - dump.size()), dump);

    w.sendCommand(WAdvanced::IdReport);
    EXPECT_EQ(fw::Clipboard::text(), first);
}

TEST_F(WAdvancedTest, Screenshot)
{
    testfix::useEnglishTexts();
    fw::Profile profile(ini);
    WAdvanced w(nullptr, profile, options, nullptr, program, "Quorvane 2.00");
    w.show();
    fw::saveScreenshot(w, "advanced-options-window");
    fw::UiText::setSource(nullptr);
    SUCCEED();
}
