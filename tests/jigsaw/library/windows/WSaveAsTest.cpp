#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "WindowsFixture.h"
#include "framework/Options.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/SavedGameFile.h"
#include "jigsaw/library/windows/WPassw.h"
#include "jigsaw/library/windows/WSaveAs.h"

using namespace qv;
namespace fs = std::filesystem;

namespace {

struct WSaveAsTest : ::testing::Test {
    winfix::TempDir shelf;
    winfix::FakeSaveAsPrompt prompt;
    Puz puz;

    void SetUp() override
    {
        winfix::useEnglishTexts();
        puz.entry.title = "Castle";
        puz.pieces.resize(300);
        puz.options = Puz::NoRotable;
        puz.playerName = "Ann";
    }
    void TearDown() override { fw::UiText::setSource(nullptr); }

    std::unique_ptr<WSaveAs> dialog(bool saveAsMode = false)
    {
        auto w = std::make_unique<WSaveAs>(nullptr, puz, shelf.path(), saveAsMode);
        w->setPrompt(&prompt);
        return w;
    }
    static QLineEdit* edit(WSaveAs& w, int id) { return qobject_cast<QLineEdit*>(w.control(id)); }
};

TEST_F(WSaveAsTest, ANeverSavedGameProposesTitlePiecesAndOptions)
{
    puz.password = "pw";
    puz.gameOptions = fw::gameopt::Competition | fw::gameopt::AutoSave;
    auto w = dialog();
    EXPECT_EQ(w->text(WSaveAs::IdName), "Castle-300R");
    EXPECT_EQ(w->text(WSaveAs::IdPlayer), "Ann");
    EXPECT_EQ(w->text(WSaveAs::IdPassword), "pw");
    EXPECT_TRUE(w->isChecked(WSaveAs::IdAutoSave));
    EXPECT_EQ(edit(*w, WSaveAs::IdName)->maxLength(), 32);
    EXPECT_EQ(edit(*w, WSaveAs::IdPlayer)->maxLength(), 30);
    EXPECT_EQ(edit(*w, WSaveAs::IdPassword)->maxLength(), 12);
    EXPECT_EQ(edit(*w, WSaveAs::IdPassword)->echoMode(), QLineEdit::Password);
    EXPECT_NE(w->control(saveas::NeverSaved), nullptr);
    EXPECT_EQ(w->control(saveas::Save), nullptr);
    EXPECT_EQ(w->control(saveas::SaveOther), nullptr);
    EXPECT_EQ(w->windowTitle(), "Save as...");
    EXPECT_EQ(dialog(true)->windowTitle(), "Save the game as");
}

TEST_F(WSaveAsTest, AGameSavedBeforeOffersSaveAndSaveAsNewOnceEdited)
{
    puz.savedName = "Sunday";
    puz.savedPath = shelf / "Sunday by Ann.sav";
    auto w = dialog();
    EXPECT_EQ(w->text(WSaveAs::IdName), "Sunday");
    EXPECT_FALSE(w->isChecked(WSaveAs::IdAutoSave));
    auto* save = qobject_cast<QPushButton*>(w->control(saveas::Save));
    ASSERT_NE(save, nullptr);
    EXPECT_TRUE(save->isDefault());
    ASSERT_NE(w->control(saveas::SaveOther), nullptr);
    EXPECT_FALSE(w->control(saveas::SaveOther)->isEnabled());
    // A disabled button's command does nothing.
    w->sendCommand(saveas::SaveOther);
    EXPECT_FALSE(w->decision().close);
    QTest::keyClicks(edit(*w, WSaveAs::IdPlayer), "x");
    EXPECT_TRUE(w->control(saveas::SaveOther)->isEnabled());
}

TEST_F(WSaveAsTest, ConfirmingStoresNamesPathPasswordAndTheAutoSaveBit)
{
    puz.gameOptions = fw::gameopt::Competition;
    auto w = dialog();
    w->setText(WSaveAs::IdName, "  A/B:C.D ");
    w->setText(WSaveAs::IdPlayer, "Ann\t");
    w->setText(WSaveAs::IdPassword, "Secret");
    w->setChecked(WSaveAs::IdAutoSave, true);
    prompt.repeated = "Secret";
    w->sendCommand(saveas::NeverSaved);
    ASSERT_TRUE(w->decision().close);
    EXPECT_EQ(w->decision().command, saveas::Save);
    EXPECT_EQ(prompt.log, std::vector<std::string>{"password"});
    EXPECT_EQ(puz.savedName, "A/B:C.D");
    EXPECT_EQ(puz.playerName, "Ann");
    EXPECT_EQ(puz.password, "Secret");
    EXPECT_EQ(puz.savedPath, shelf / "A_B_C_D by Ann.sav");
    EXPECT_EQ(*puz.gameOptions, fw::gameopt::Competition | fw::gameopt::AutoSave);
}

TEST_F(WSaveAsTest, RefusalsKeepTheDialogAndTheDocumentAsTheyWere)
{
    struct Case {
        const char* what;
        const char* name;
        const char* password;
        std::optional<std::string> repeated;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"blank name", " \t ", "", std::nullopt, {"beep"}},
        {"password repeated wrong", "Game", "abc", std::string("abd"), {"password"}},
        {"password prompt cancelled", "Game", "abc", std::nullopt, {"password"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompt = {};
        prompt.repeated = c.repeated;
        auto w = dialog();
        w->setText(WSaveAs::IdName, c.name);
        w->setText(WSaveAs::IdPassword, c.password);
        w->sendCommand(saveas::NeverSaved);
        EXPECT_FALSE(w->decision().close);
        EXPECT_EQ(prompt.log, c.log);
        EXPECT_TRUE(puz.savedName.empty());
        EXPECT_TRUE(puz.savedPath.empty());
    }
}

TEST_F(WSaveAsTest, AnotherGameOfThatNameIsReplacedOnlyAfterTheQuestion)
{
    Puz other;
    other.savedPath = shelf / "Game by Ann.sav";
    other.puzzlePath = shelf / "Castle.puz";
    other.savedName = "Game";
    other.playerName = "Ann";
    {
        fw::FileStream f(other.savedPath, fw::FileStream::Mode::Create);
        ASSERT_TRUE(SavedGameFile::write(other, f));
    }
    puz.savedName = "Sunday";
    puz.savedPath = shelf / "Sunday by Ann.sav";

    auto w = dialog();
    w->setText(WSaveAs::IdName, "Game");
    w->enableControl(saveas::SaveOther, true);
    w->sendCommand(saveas::SaveOther);
    EXPECT_FALSE(w->decision().close);
    EXPECT_EQ(prompt.log.back(), "550 Game by Ann.sav");

    prompt.overwrite = false;
    w->sendCommand(saveas::Save);
    EXPECT_FALSE(w->decision().close);
    EXPECT_EQ(prompt.log.back(), "519 Game by Ann.sav");

    prompt.overwrite = true;
    w->sendCommand(saveas::Save);
    ASSERT_TRUE(w->decision().close);
    EXPECT_EQ(puz.savedPath, other.savedPath);
    EXPECT_EQ(puz.savedName, "Game");
}

TEST_F(WSaveAsTest, CancelAndExitCloseWithoutChanges)
{
    for (int command : {saveas::Cancel, 13}) {
        auto w = dialog();
        w->setText(WSaveAs::IdName, "Other");
        w->sendCommand(static_cast<uint32_t>(command));
        EXPECT_FALSE(w->decision().close);
        EXPECT_TRUE(puz.savedName.empty());
    }
}

TEST_F(WSaveAsTest, HelpTopicDependsOnButton104)
{
    int topic = 0;
    auto w = dialog();
    w->setHelp([&](int t) { topic = t; });
    w->sendCommand(119);
    EXPECT_EQ(topic, 102);
    puz.savedPath = shelf / "x.sav";
    auto saved = dialog();
    saved->setHelp([&](int t) { topic = t; });
    saved->sendCommand(119);
    EXPECT_EQ(topic, 101);
}

TEST(WPassw, HiddenEditOfTwelveCharacters)
{
    winfix::useEnglishTexts();
    WPassw w(nullptr, "Sunday by Ann.sav");
    auto* e = qobject_cast<QLineEdit*>(w.control(WPassw::IdPassword));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->echoMode(), QLineEdit::Password);
    EXPECT_EQ(e->maxLength(), 12);
    EXPECT_EQ(w.windowTitle(), "Sunday by Ann.sav");
    EXPECT_EQ(w.text(WPassw::IdLabel), "Password:");
    fw::UiText::setSource(nullptr);
}

}  // namespace
