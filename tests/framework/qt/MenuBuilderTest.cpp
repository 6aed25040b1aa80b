#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include "RecordingWindow.h"
#include "framework/qt/MenuBuilder.h"
#include "framework/qt/UiText.h"

using namespace fw;

namespace {

// Answers hints as the document does: a hint and an icon for open, save
// disabled, the preview checked.
struct HintSource : EventHandler {
    void OnEvent(Event& e) override
    {
        if (e.number() != ev::MenuHint)
            return;
        auto& h = static_cast<MenuHintEvent&>(e);
        if (h.command() == 101) {
            h.hint = "Ctrl+O";
            h.icon = 5;
        }
        if (h.command() == 102)
            h.enabled = false;
        if (h.command() == 1104)
            h.checked = true;
        e.setHandled();
    }
};

struct MenuBuilderTest : ::testing::Test {
    Menu menu;
    MenuBuilder::IconSource icons = [](int icon) {
        QPixmap p(16, 16);
        p.fill(icon == 5 ? Qt::red : Qt::blue);
        return QIcon(p);
    };
    void SetUp() override
    {
        UiText::setSource([](int kind, int id) {
            return kind == 4 ? "text " + std::to_string(id) : std::string();
        });
        Menu view;
        view.add(1104, 604).addText(1125, "Ocultar &vista", 1);
        menu.add(101, 600).add(102, 601).separator().submenu(603, view).addText(13, "Sa&lir");
    }
    void TearDown() override
    {
        UiText::setSource(nullptr);
    }
};

}  // namespace

TEST_F(MenuBuilderTest, EntriesCarryTextsHintsStatesAndCommands)
{
    HintSource hints;
    std::unique_ptr<QMenu> m(MenuBuilder::build(menu, &hints, nullptr, icons));
    const QList<QAction*> a = m->actions();
    ASSERT_EQ(a.size(), 5);
    EXPECT_EQ(a[0]->text(), "text 600\tCtrl+O");
    EXPECT_FALSE(a[0]->icon().isNull());
    EXPECT_TRUE(a[0]->isEnabled());
    EXPECT_FALSE(a[1]->isEnabled());
    EXPECT_TRUE(a[2]->isSeparator());
    EXPECT_EQ(a[4]->text(), "Sa&lir");
    EXPECT_EQ(MenuBuilder::choiceOf(a[4])->command, 13u);

    QMenu* sub = a[3]->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(a[3]->text(), "text 603");
    EXPECT_TRUE(sub->actions()[0]->isChecked());
    const auto hide = MenuBuilder::choiceOf(sub->actions()[1]);
    ASSERT_TRUE(hide);
    EXPECT_EQ(hide->command, 1125u);
    EXPECT_EQ(hide->argument, 1u);
    EXPECT_FALSE(MenuBuilder::choiceOf(a[3]));
}

TEST_F(MenuBuilderTest, WindowAsksItsCommandTargetAndPostsTheChoice)
{
    RecordingWindow w;
    HintSource document;
    w.handles = [](Event&) { return false; };  // hints come from the document
    w.setCommandTarget(&document);
    w.resize(300, 200);
    w.show();
    QTimer::singleShot(50, [] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    const uint32_t chosen = w.trackMenu(menu, QPoint(20, 20));
    EXPECT_EQ(chosen, 101u);
    // The window was asked for each entry's hint before the document.
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "event 203"), 5);
    EXPECT_TRUE(w.commands().empty());  // posted, not yet delivered
    EventQueue::main().DeliverDue(false, &w);
    EXPECT_EQ(w.commands(), (std::vector<std::string>{"cmd 101"}));
}
