#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTimer>

#include "OptionsFixture.h"
#include "framework/Background.h"
#include "framework/qt/Screenshot.h"
#include "framework/qt/WBkgField.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/shell/windows/WOptsBox.h"

using namespace qv;

namespace {

struct Host : BoxOptionsHost {
    int pauses = 0, changes = 0, previews = 0, lastBox = -1;
    void showPause() override { ++pauses; }
    void boxChanged(int box) override
    {
        ++changes;
        lastBox = box;
    }
    void repaintPreview() override { ++previews; }
};

struct WOptsBoxTest : ::testing::Test {
    Puz puz;
    fw::Options options;
    Host host;

    void SetUp() override
    {
        testfix::useMarkedTexts();
        puz.boxes.resize(3);
        puz.boxes[1].name = "Sky";
        puz.boxes[1].colour = 0x123456;
        puz.state = 0;
    }
    void TearDown() override { fw::UiText::setSource(nullptr); }
};

}  // namespace

TEST_F(WOptsBoxTest, OkAppliesNameFlagsAndTheSoundBit)
{
    struct Case {
        const char* name;
        bool closed, noSound;
        bool documentChanged;
    };
    const Case cases[] = {
        {"Sky", false, false, false},  // nothing of the box changed
        {"Sea", false, false, true},   // renamed
        {"Sky", true, true, true},     // closed: the record flag changed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        puz.state = 0;
        puz.boxes[1].name = "Sky";
        puz.boxes[1].flags = 0;
        options.word = fw::opt::Mute;
        options.changed = 0;
        host = Host();
        WOptsBox w(nullptr, puz, 1, options, host, "/games", false);
        EXPECT_EQ(w.text(WOptsBox::IdName), "Sky");
        w.setText(WOptsBox::IdName, c.name);
        w.setChecked(WOptsBox::IdClosed, c.closed);
        w.setChecked(WOptsBox::IdNoBoxSound, c.noSound);
        w.sendCommand(WOptsBox::IdOk);
        EXPECT_EQ(puz.boxes[1].name, c.name);
        EXPECT_EQ(puz.boxes[1].flags, c.closed ? 1 : 0);
        EXPECT_EQ((puz.state & Puz::Changed) != 0, c.documentChanged);
        EXPECT_EQ(options.word, fw::opt::Mute | (c.noSound ? fw::opt::NoBoxSound : 0u));
        EXPECT_EQ(options.changed, 1);
        EXPECT_EQ(host.changes, 1);
        EXPECT_EQ(host.lastBox, 1);
        EXPECT_EQ(host.previews, 1);
        EXPECT_EQ(puz.boxes[1].colour, 0x123456u) << "no colour chooser in this mode";
    }
}

TEST_F(WOptsBoxTest, CancelLeavesEverythingAndPauseAsksTheHost)
{
    WOptsBox w(nullptr, puz, 1, options, host, "/games", true);
    w.setText(WOptsBox::IdName, "Other");
    w.setChecked(WOptsBox::IdClosed, true);
    w.colourField()->pick(5, 5, 0);
    w.sendCommand(WOptsBox::IdPause);
    EXPECT_EQ(host.pauses, 1);
    w.sendCommand(WOptsBox::IdCancel);
    EXPECT_EQ(puz.boxes[1].name, "Sky");
    EXPECT_EQ(puz.boxes[1].flags, 0);
    EXPECT_EQ(puz.boxes[1].colour, 0x123456u);
    EXPECT_EQ(puz.state, 0);
    EXPECT_EQ(options.changed, 0);
    EXPECT_EQ(host.changes, 0);
    EXPECT_EQ(w.text(WOptsBox::IdFolder), "T2602");  // the marked text has no "%s"
}

TEST_F(WOptsBoxTest, ColourModePicksFromTheFieldAndTheNameIsLimited)
{
    testfix::useEnglishTexts();
    WOptsBox w(nullptr, puz, 1, options, host, "/games", true);
    w.show();
    fw::WBkgField* field = w.colourField();
    ASSERT_NE(field, nullptr);
    const int fw_ = field->field().width(), fh = field->field().height();
    ASSERT_GT(fw_, 0);
    field->pick(fw_ / 3, fh / 4, 0);
    const uint32_t expected = fw::Background::FieldColour(fw_, fh, fw_ / 3, fh / 4);
    EXPECT_EQ(w.colour(), expected);
    EXPECT_EQ(static_cast<QLineEdit*>(w.control(WOptsBox::IdName))->maxLength(), WOptsBox::NameWidth);
    fw::saveScreenshot(w, "box-options-window");
    w.sendCommand(WOptsBox::IdOk);
    EXPECT_EQ(puz.boxes[1].colour, expected);
    EXPECT_TRUE(puz.state & Puz::Changed);
}
