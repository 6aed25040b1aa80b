#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "RecordingWindow.h"
#include "framework/qt/UiText.h"
#include "framework/qt/WBaseInfo.h"

using namespace fw;

namespace {

// A prompt laid out in code: a field of at most 5 characters, a check box,
// OK (default) and Cancel. Its first OK is refused, as an owner that finds
// the entry invalid would.
struct Prompt : WBaseInfo {
    int refusals = 1;
    std::vector<int> changes;

    Prompt() : WBaseInfo(nullptr, "Tama\xf1o")
    {
        setClientSize(260, 110);
        addText(0, QRect(10, 10, 80, 24), "Piezas:");
        addEdit(1000, QRect(100, 10, 100, 24), "", 5);
        addCheck(1001, QRect(10, 40, 200, 20), "Recordar");
        addButton(IdOk, QRect(40, 75, 86, 28), {}, true);
        addButton(IdCancel, QRect(140, 75, 86, 28));
    }
    bool CanEnd(int result) override
    {
        if (result == IdOk && refusals > 0) {
            --refusals;
            return false;
        }
        return true;
    }
    bool OnControl(const ControlEvent& e) override
    {
        changes.push_back(e.id());
        return true;
    }
    QLineEdit* edit() { return static_cast<QLineEdit*>(control(1000)); }
    QPushButton* button(int id) { return static_cast<QPushButton*>(control(id)); }
};

struct WBaseInfoTest : ::testing::Test {
    void SetUp() override
    {
        UiText::setSource([](int kind, int id) {
            if (kind == 4 && id == 1)
                return std::string("Aceptar");
            if (kind == 4 && id == 2)
                return std::string("Cancelar");
            return std::string();
        });
    }
    void TearDown() override { UiText::setSource(nullptr); }
};

}  // namespace

TEST_F(WBaseInfoTest, ButtonsFieldsAndTheOwnersRefusal)
{
    Prompt p;
    EXPECT_EQ(p.button(1)->text(), "Aceptar");
    EXPECT_EQ(p.windowTitle(), QString::fromUtf8("Tamaño"));
    QTimer::singleShot(10, [&] {
        QTest::keyClicks(p.edit(), "1234567");
        QTest::mouseClick(p.control(1001), Qt::LeftButton, {}, QPoint(6, 10));  // on the box itself
        QTest::mouseClick(p.button(1), Qt::LeftButton);  // refused
        QTimer::singleShot(10, [&] { QTest::mouseClick(p.button(1), Qt::LeftButton); });
    });
    EXPECT_EQ(p.RunModal(), WBaseInfo::IdOk);
    EXPECT_EQ(p.refusals, 0);
    EXPECT_EQ(p.text(1000), "12345");
    EXPECT_TRUE(p.isChecked(1001));
    EXPECT_EQ(std::count(p.changes.begin(), p.changes.end(), 1000), 5);
    EXPECT_EQ(std::count(p.changes.begin(), p.changes.end(), 1001), 1);
    EXPECT_FALSE(p.isVisible());
}

TEST_F(WBaseInfoTest, KeysOfTheDialog)
{
    struct Case {
        int key;
        int result;
    } cases[] = {{Qt::Key_Escape, WBaseInfo::IdCancel}, {Qt::Key_Return, WBaseInfo::IdOk}};
    for (const Case& c : cases) {
        Prompt p;
        p.refusals = 0;
        QTimer::singleShot(10, [&] {
            p.edit()->setFocus();
            QTest::keyClick(p.edit(), static_cast<Qt::Key>(c.key));
        });
        EXPECT_EQ(p.RunModal(), c.result) << c.key;
    }
}

TEST_F(WBaseInfoTest, HelpGoesToTheCommandTargetAndClosingCancels)
{
    RecordingWindow document;
    Prompt p;
    p.setCommandTarget(&document);
    QTimer::singleShot(10, [&] {
        QTest::keyClick(p.edit(), Qt::Key_F1);
        p.close();
    });
    EXPECT_EQ(p.RunModal(), WBaseInfo::IdCancel);
    EXPECT_EQ(document.work(), (std::vector<std::string>{"cmd 119"}));
}
