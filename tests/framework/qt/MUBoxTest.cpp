#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "framework/Bmp.h"
#include <map>

#include "framework/qt/MUBox.h"
#include "framework/qt/MessageBox.h"
#include "framework/qt/Screenshot.h"
#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"
#include "framework/qt/WBaseInfo.h"
#include "framework/qt/Window.h"

using namespace fw;

namespace {

void ensureApp()
{
    static int argc = 1;
    static char name[] = "mubox-test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

std::string englishTexts(int kind, int id)
{
    static const std::map<std::pair<int, int>, std::string> table = {
        {{4, 1}, "OK"},         {{4, 2}, "Cancel"},      {{4, 3}, "&Yes"},         {{4, 4}, "&No"},
        {{4, 119}, "&Help"},    {{1, 857}, "How many pieces would you like?"},     {{5, 0}, "Quorvane"},
        {{1, 510}, "The game has changed since it was last saved.\nSave it before leaving @IDA?"},
        {{1, 1012}, "The file %s cannot be opened."},
        {{1, 1020}, "The picture cannot be read: %s."},
        {{1, 1021}, "The picture in the file %s cannot be read:"},
    };
    auto it = table.find({kind, id});
    return it == table.end() ? std::string() : it->second;
}

// Runs `step` on the modal box once the modal loop is running.
void whenShown(std::function<void(MUBox&)> step)
{
    QTimer::singleShot(0, [step] {
        auto* box = dynamic_cast<MUBox*>(QApplication::activeModalWidget());
        EXPECT_NE(box, nullptr) << "no modal box is showing";
        if (box)
            step(*box);
        // A box the step left open would block the test for ever.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* open = dynamic_cast<MUBox*>(w); open && open->isVisible() && open == box)
                QTimer::singleShot(2000, open, [open] { open->done(-1); });
    });
}

QPushButton* button(MUBox& box, int id)
{
    return qobject_cast<QPushButton*>(box.control(id));
}

struct MUBoxTest : ::testing::Test {
    static void SetUpTestSuite()
    {
        ensureApp();
        UiText::setSource(&englishTexts);
    }
    static void TearDownTestSuite() { UiText::setSource({}); }
};

struct RecordingOwner : MUBoxOwner {
    int refusals = 0;
    std::vector<int> commands;
    std::vector<std::pair<MarkupFieldKind, int>> changes;
    bool MUBoxCommand(MUBox&, int command) override
    {
        commands.push_back(command);
        if (refusals > 0) {
            --refusals;
            return false;
        }
        return true;
    }
    void MUBoxFieldChanged(MUBox&, MarkupFieldKind kind, int index) override { changes.push_back({kind, index}); }
};

const char* kPrompt = "{TIT:Puzzle: Castle}{+0,6}{IDS(857)}{inp:XXXXXXX/limittext:7/INI:300}{LIN}"
                      "{+12,+0}{check:Ask me again/INI:1}{LIN}{TAB0}{+0,+8}{btns{OK}{CANCEL}{HELP}}";

}  // namespace

TEST_F(MUBoxTest, ControlsStandWhereTheLayoutPutsThem)
{
    MUBox box(nullptr, kPrompt);
    box.prepare();
    const MarkupLayout& L = box.layout();
    EXPECT_EQ(box.windowTitle(), "Puzzle: Castle");
    EXPECT_EQ(box.size(), QSize(L.clientSize().w, L.clientSize().h));
    ASSERT_EQ(L.fields().size(), 2u);
    for (const auto& f : L.fields())
        EXPECT_EQ(box.control(f.id)->geometry(), QRect(f.rect.x, f.rect.y, f.rect.w, f.rect.h)) << f.id;
    ASSERT_EQ(L.buttons().size(), 3u);
    for (const auto& b : L.buttons())
        EXPECT_EQ(box.control(b.id)->geometry(), QRect(b.rect.x, b.rect.y, b.rect.w, b.rect.h)) << b.id;

    auto* edit = qobject_cast<QLineEdit*>(box.control(1000));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->maxLength(), 7);
    EXPECT_EQ(edit->text(), "300");
    auto* check = qobject_cast<QCheckBox*>(box.control(1001));
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(check->text(), "Ask me again");
    EXPECT_EQ(button(box, 1)->text(), "OK");
    EXPECT_TRUE(button(box, 1)->isDefault());
    EXPECT_FALSE(button(box, 2)->isDefault());
    EXPECT_EQ(button(box, 119)->text(), "&Help");
    EXPECT_EQ(L.defaultControl(), 1000);
    // The buttons sit inside the box with the margin on both sides.
    EXPECT_GE(L.buttons().front().rect.x, 12);
    EXPECT_LE(L.buttons().back().rect.right(), L.clientSize().w - 12);
}

TEST_F(MUBoxTest, ButtonsAndDialogKeysGiveTheResults)
{
    struct Case {
        unsigned style;
        std::function<void(MUBox&)> act;
        int result;
    } cases[] = {
        {mb::YesNoCancel, [](MUBox& b) { button(b, 3)->click(); }, mb::IdYes},
        {mb::YesNoCancel, [](MUBox& b) { button(b, 4)->click(); }, mb::IdNo},
        {mb::YesNoCancel, [](MUBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }, mb::IdCancel},
        {mb::YesNo, [](MUBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }, mb::IdNo},  // Cancel → No
        {mb::YesNo, [](MUBox& b) { b.command(1); }, mb::IdYes},                       // OK → Yes
        {mb::YesNo, [](MUBox& b) { QTest::keyClick(&b, Qt::Key_Return); }, mb::IdYes},
        {mb::OkCancel, [](MUBox& b) { QTest::keyClick(&b, Qt::Key_Return); }, mb::IdOk},
        {mb::OkCancel, [](MUBox& b) { b.close(); }, mb::IdCancel},
    };
    for (auto& c : cases) {
        whenShown(c.act);
        EXPECT_EQ(ShowMessage(nullptr, "Save the game?", "Quorvane", c.style | mb::IconQuestion), c.result)
            << c.style;
    }
}

TEST_F(MUBoxTest, EnterInAFieldPressesTheOkButtonAndTheFieldsCanBeReadAfterwards)
{
    MUBox box(nullptr, kPrompt);
    whenShown([](MUBox& b) {
        auto* edit = qobject_cast<QLineEdit*>(b.control(1000));
        EXPECT_EQ(b.focusWidget(), edit);  // the first field comes before the OK button
        edit->selectAll();
        QTest::keyClicks(edit, "123456789");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(box.Execute(), mb::IdOk);
    EXPECT_EQ(box.fieldText(1000), "1234567");  // limittext:7
    EXPECT_TRUE(box.isChecked(1001));
}

TEST_F(MUBoxTest, TheOwnerMayKeepTheBoxOpenAndHearsEveryFieldChange)
{
    MUBox box(nullptr, kPrompt);
    RecordingOwner owner;
    owner.refusals = 1;
    box.setOwner(&owner);
    whenShown([](MUBox& b) {
        QTest::keyClicks(b.control(1000), "7");
        QTest::mouseClick(b.control(1001), Qt::LeftButton, {}, QPoint(5, 5));  // a check box does not end the run
        button(b, 2)->click();                                                  // refused by the owner
        EXPECT_TRUE(b.isVisible());
        button(b, 2)->click();
    });
    EXPECT_EQ(box.Execute(), mb::IdCancel);
    EXPECT_EQ(owner.commands, (std::vector<int>{2, 2}));
    ASSERT_EQ(owner.changes.size(), 2u);
    EXPECT_EQ(owner.changes[0], std::make_pair(MarkupFieldKind::Edit, 0));
    EXPECT_EQ(owner.changes[1], std::make_pair(MarkupFieldKind::Check, 1));
    EXPECT_FALSE(box.isChecked(1001));
}

TEST_F(MUBoxTest, HelpOpensTheBoxTopicAndKeepsTheBoxOpen)
{
    std::vector<int> topics;
    // The help belongs to the window the box came from, through a dialog it owns.
    Window owner;
    owner.setHelpListener([&](int topic) { topics.push_back(topic); });
    QWidget dialog(&owner, Qt::Dialog);
    MUBox box(&dialog, MarkupMessage("Move the puzzle?", "Quorvane", mb::OkCancel), 152);
    whenShown([](MUBox& b) {
        ASSERT_NE(button(b, 119), nullptr);  // added because the box has a help topic
        button(b, 119)->click();
        QTest::keyClick(&b, Qt::Key_F1);
        EXPECT_TRUE(b.isVisible());
        button(b, 1)->click();
    });
    EXPECT_EQ(box.Execute(), mb::IdOk);
    EXPECT_EQ(topics, (std::vector<int>{152, 152}));
}

TEST_F(MUBoxTest, MessagesByIdFillTheInsertAndTheProgramName)
{
    EXPECT_EQ(MessageText(1012, "/tmp/a.puz"), "The file /tmp/a.puz cannot be opened.");
    EXPECT_EQ(MessageText(510), "The game has changed since it was last saved.\nSave it before leaving Quorvane?");
    EXPECT_EQ(MessageText(857, "x"), "How many pieces would you like?\nx");
    EXPECT_EQ(MessageText(4711, "x"), "#4711\nx");
    // A damaged picture names its file where the text says, and the reason below.
    const Status picture = pictureFileStatus(Status(msg::BadPicture, "picture too large"), "/tmp/holiday.gif");
    EXPECT_EQ(MessageText(picture.id, picture.text, picture.detail),
              "The picture in the file holiday.gif cannot be read:\npicture too large");
    EXPECT_EQ(MessageText(msg::BadPicture, "picture too large"), "The picture cannot be read: picture too large.");
    whenShown([](MUBox& b) {
        EXPECT_EQ(b.windowTitle(), "Error");
        ASSERT_EQ(b.layout().icons().size(), 1u);
        EXPECT_EQ(b.layout().icons()[0].icon, mubox::IconStop);
        EXPECT_EQ(b.layout().texts().at(0).text, "The file /tmp/a.puz cannot be opened.");
        button(b, 1)->click();
    });
    EXPECT_EQ(ShowStatus(nullptr, Status(1012, "/tmp/a.puz")), mb::IdOk);
}

TEST_F(MUBoxTest, InternalChecksShowAnOkCancelBoxAndGoOn)
{
    InstallUnexpectedBox();
    std::vector<QString> titles;
    for (const char* title : {"Situaci\xF3n imprevista", ""}) {
        whenShown([&titles](MUBox& b) {
            titles.push_back(b.windowTitle());
            EXPECT_TRUE(b.layout().hasButton(1));
            EXPECT_TRUE(b.layout().hasButton(2));
            button(b, 2)->click();
        });
        ReportUnexpected("KXIO:Seek !FileTemp", title);
    }
    SetUnexpectedHandler({});
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], QString::fromUtf8("Situación imprevista"));
    EXPECT_EQ(titles[1], "BreakPoint (Cancel->brk)");
}

TEST_F(MUBoxTest, PaintedBoxShowsTextIconAndButtonsOnGrey)
{
    MUBox box(nullptr, MarkupMessage(MessageText(510), "Quorvane", mb::YesNoCancel | mb::IconQuestion));
    box.prepare();
    const QImage shot = box.grab().toImage();
    saveScreenshot(box, "mubox-question");
    MUBox prompt(nullptr, kPrompt);
    prompt.prepare();
    saveScreenshot(prompt, "mubox-prompt");
    const std::string longText = "The picture cannot be loaded, or it is too small to make a puzzle. Choose a JPEG or BMP "
                                 "picture of at least a few pixels, or check that the file is not damaged.";
    MUBox wrapped(nullptr, MarkupMessage(longText, "Error", mb::Ok | mb::IconStop), 152);
    wrapped.prepare();
    saveScreenshot(wrapped, "mubox-wrapped");
    EXPECT_TRUE(wrapped.layout().texts().at(0).wrap);

    ASSERT_EQ(shot.size(), box.size());
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 2, 2)), QColor(0xC0, 0xC0, 0xC0));
    // The icon's square is not plain background.
    const auto& icon = box.layout().icons().at(0);
    bool iconDrawn = false;
    for (int y = icon.y; y < icon.y + 32 && !iconDrawn; ++y)
        for (int x = icon.x; x < icon.x + 32; ++x)
            iconDrawn = iconDrawn || QColor(shot.pixel(x, y)) != QColor(0xC0, 0xC0, 0xC0);
    EXPECT_TRUE(iconDrawn);
    // Some black text pixels inside the text's rectangle.
    const auto& text = box.layout().texts().at(0).rect;
    int dark = 0;
    for (int y = text.y; y < text.bottom(); ++y)
        for (int x = text.x; x < text.right(); ++x)
            dark += qGray(shot.pixel(x, y)) < 80;
    EXPECT_GT(dark, 20);
    // The two lines of the message stay two lines: one line's height and one
    // line step (less than twice the height where the font's leading is
    // negative, as with the default sans-serif face of a bare Debian 12).
    const QFontMetrics fm(QApplication::font());
    EXPECT_GE(text.h, fm.height() + fm.lineSpacing());
    EXPECT_LT(text.h, fm.height() + 2 * fm.lineSpacing());
}

// Message boxes and the small dialogs are dialogs to the window manager:
// owned by the window they belong to (so they stay above it and come back
// with it), of a fixed size, without minimise and maximise buttons.
TEST_F(MUBoxTest, MessageBoxesAndDialogsAreFixedSizeDialogsOfTheirOwner)
{
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    MUBox box(&owner, kPrompt);
    box.prepare();
    WBaseInfo dialog(&owner, "Options");
    dialog.setClientSize(200, 100);
    for (QWidget* w : {static_cast<QWidget*>(&box), static_cast<QWidget*>(&dialog)}) {
        w->show();
        EXPECT_EQ(w->windowType(), Qt::Dialog) << w->metaObject()->className();
        EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
            << w->metaObject()->className();
        EXPECT_EQ(w->minimumSize(), w->maximumSize()) << w->metaObject()->className();
        ASSERT_NE(w->windowHandle(), nullptr);
        EXPECT_EQ(w->windowHandle()->transientParent(), owner.windowHandle()) << w->metaObject()->className();
        w->hide();
    }
}
