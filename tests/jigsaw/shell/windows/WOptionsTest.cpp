#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "OptionsFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/shell/windows/WOptions.h"

using namespace qv;

namespace {

struct WOptionsTest : ::testing::Test {
    testfix::TempDir dir;
    std::filesystem::path ini = dir / "QVrk.ini";
    std::filesystem::file_time_type old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);

    void SetUp() override { testfix::useMarkedTexts(); }
    void TearDown() override { fw::UiText::setSource(nullptr); }

    // A settings file with a comment and odd spacing that a rewrite would tidy.
    fw::Profile settings(uint32_t word)
    {
        testfix::writeText(ini, "; kept\r\n[Main]\r\nOptions=" + std::to_string(word) + "\r\nLoupe=210,2.0\r\n");
        fw::Profile p(ini);
        p.setDefaultSection("Main");
        std::filesystem::last_write_time(ini, old);
        return p;
    }
};

}  // namespace

TEST_F(WOptionsTest, ClosingWithoutChangesDoesNotRewriteTheFile)
{
    fw::Profile profile = settings(0x48);
    const std::string before = testfix::readText(ini);
    for (int command : {WOptions::IdOk, WOptions::IdCancel}) {
        fw::Options options;
        options.load(profile);
        {
            WOptions w(nullptr, options, profile, dir.path());
            if (command == WOptions::IdCancel)
                w.setChecked(2505, false);  // changed, then cancelled
            w.sendCommand(static_cast<uint32_t>(command));
        }
        EXPECT_EQ(options.word, 0x48u);
        EXPECT_EQ(options.changed, 0);
        EXPECT_EQ(testfix::readText(ini), before);
        EXPECT_EQ(std::filesystem::last_write_time(ini), old);
    }
}

TEST_F(WOptionsTest, EachCheckBoxTogglesItsOwnBitAndTheWindowSavesOnDestruction)
{
    for (const WOptions::Check& c : WOptions::kChecks) {
        SCOPED_TRACE(c.control);
        fw::Profile profile = settings(0);
        fw::Options options;
        options.load(profile);
        {
            WOptions w(nullptr, options, profile, dir.path());
            // Word 0: only the inverted box (balloon tips shown) starts checked.
            EXPECT_EQ(w.isChecked(c.control), c.inverted);
            w.setChecked(c.control, !w.isChecked(c.control));
            w.sendCommand(WOptions::IdOk);
            EXPECT_EQ(options.word, c.bit);
            EXPECT_EQ(options.changed, 1);
            EXPECT_EQ(profile.getInt("Options"), 0) << "written only when the window goes";
        }
        EXPECT_EQ(options.changed, 0);
        EXPECT_EQ(static_cast<uint32_t>(profile.getInt("Options")), c.bit);
        EXPECT_NE(testfix::readText(ini).find("; kept"), std::string::npos);
    }
}

TEST_F(WOptionsTest, TitleGroupsAndHintsComeFromTheirTexts)
{
    fw::Profile profile = settings(0xFFFF);
    fw::Options options;
    options.load(profile);
    WOptions w(nullptr, options, profile, dir.path());
    EXPECT_EQ(w.windowTitle(), "T809");
    EXPECT_EQ(w.text(566), "T566 " + dir.path().string());
    for (const WOptions::Check& c : WOptions::kChecks) {
        auto* box = qobject_cast<QCheckBox*>(w.control(c.control));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text().toStdString(), "C" + std::to_string(c.control));
        EXPECT_EQ(box->isChecked(), !c.inverted);
        const bool hinted = c.control >= 2500 && c.control <= 2504;
        EXPECT_EQ(box->toolTip().toStdString(), hinted ? "C" + std::to_string(c.control) + "T571" : "");
    }
    int helped = 0;
    w.setHelp([&](int topic) { helped = topic; });
    w.sendCommand(WOptions::IdHelp);
    EXPECT_EQ(helped, 155);
}

TEST_F(WOptionsTest, ARealRunClickedThroughAndAScreenshot)
{
    fw::Profile profile = settings(fw::opt::DefAutoSave | fw::opt::Mute);
    fw::Options options;
    options.load(profile);
    testfix::useEnglishTexts();
    {
        WOptions w(nullptr, options, profile, "/opt/quorvane");
        QTimer::singleShot(20, [&] {
            fw::saveScreenshot(w, "options-window");
            auto* box = static_cast<QCheckBox*>(w.control(2511));
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            QTest::mouseClick(w.control(WOptions::IdOk), Qt::LeftButton);
        });
        EXPECT_EQ(w.RunModal(), WOptions::IdOk);
    }
    EXPECT_EQ(static_cast<uint32_t>(profile.getInt("Options")),
              fw::opt::DefAutoSave | fw::opt::Mute | fw::opt::EscMinimizes);
}

// The defaults for new games hold for the next game as soon as the window
// closes with OK, not only after the program starts again; the advanced
// options have a button of their own.
TEST_F(WOptionsTest, NewGameDefaultsApplyAtOnceAndTheAdvancedOptionsHaveAButton)
{
    fw::Profile profile = settings(0);
    fw::Options options;
    options.load(profile);
    ASSERT_EQ(options.gameDefaults, 0u);
    {
        WOptions w(nullptr, options, profile, dir.path());
        w.setChecked(2500, true);  // competition
        w.setChecked(2503, true);  // preview hidden
        w.sendCommand(WOptions::IdOk);
    }
    EXPECT_EQ(options.gameDefaults, fw::gameopt::Competition | fw::gameopt::HidePreview);

    WOptions w(nullptr, options, profile, dir.path());
    auto* button = qobject_cast<QPushButton*>(w.control(WOptions::IdAdvanced));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text().toStdString(), "C1112");
    int opened = 0;
    w.setAdvanced([&] { ++opened; });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
}
