#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include "LibraryFixtures.h"
#include "jigsaw/library/SaveAsRules.h"
#include "jigsaw/library/SavedGames.h"

using namespace qv;
using libfix::TempDir;
namespace fs = std::filesystem;

namespace {

TEST(SavedGamePath, NameAndPlayerMakeTheFileName)
{
    const struct {
        const char* name;
        const char* player;
        const char* file;
    } cases[] = {
        {"A/B:C.D", "Ann", "A_B_C_D by Ann.sav"},
        {"  Game\t ", "\tBob  ", "Game by Bob.sav"},
        {"x*y?z\"", "<p>|q\\", "x_y_z_ by _p__q_.sav"},
        {"\x01\x1F Lead", "Pat", "Lead by Pat.sav"},
        {"..", "..", "__ by __.sav"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(savedgames::SavedGamePath("/shelf", c.name, c.player), fs::path("/shelf") / c.file) << c.name;
}

// A game nobody gave a player's name is the account's; never "Game by .sav".
TEST(SavedGamePath, NoPlayerNameTakesTheAccountsName)
{
    const passwd* pw = ::getpwuid(::getuid());
    ASSERT_NE(pw, nullptr);
    const std::string account = pw->pw_name;
    ASSERT_FALSE(account.empty());
    for (const char* player : {"", "  ", "\t"})
        EXPECT_EQ(savedgames::SavedGamePath("/shelf", "Game", player), fs::path("/shelf") / ("Game by " + account + ".sav"))
            << "[" << player << "]";
    // No account name known either: the game's name alone.
    EXPECT_EQ(savedgames::BaseName("Game", " ", ""), "Game");
    EXPECT_EQ(savedgames::BaseName("Game", "", "  Pat "), "Game by Pat");
    EXPECT_EQ(savedgames::BaseName("Game", "Ann", "Pat"), "Game by Ann");
}

TEST(ProposedName, TitlePiecesAndOptionsUntilTheGameIsSaved)
{
    EXPECT_EQ(savedgames::ProposedName("Castle", 300, Puz::NoRotable), "Castle-300R");
    EXPECT_EQ(savedgames::ProposedName("Castle", 48, Puz::NoDeform), "Castle-48M");
    EXPECT_EQ(savedgames::ProposedName("Castle", 48, Puz::NoRotable | Puz::NoDeform | Puz::NoHelp), "Castle-48RM");
    Puz puz;
    puz.entry.title = "Castle";
    puz.options = Puz::NoRotable;
    puz.pieces.resize(300);
    EXPECT_EQ(savedgames::ProposedName(puz), "Castle-300R");
    puz.savedPath = "/shelf/Sunday by Ann.sav";
    puz.savedName = "Sunday";
    EXPECT_EQ(savedgames::ProposedName(puz), "Sunday");
}

TEST(FindSavedGame, ByItsFileNameElseByTheNamesItStores)
{
    TempDir dir;
    libfix::writePuzzle(dir / "Castle.puz", "Castle");
    libfix::writeSaved(dir / "renamed.sav", dir / "Castle.puz", libfix::SavedGame().named("Sunday"));
    libfix::writeSaved(dir / "game by ann.sav", dir / "Castle.puz");
    EXPECT_EQ(savedgames::FindSavedGame(dir.path(), "Game", "Ann"), dir / "game by ann.sav");
    EXPECT_EQ(savedgames::FindSavedGame(dir.path(), "SUNDAY", "ann"), dir / "renamed.sav");
    EXPECT_EQ(savedgames::FindSavedGame(dir.path(), "Sunday", "Bob"), std::nullopt);
}

struct FakeSaveAsPrompt : SaveAsPrompt {
    std::optional<std::string> repeated;
    bool overwrite = true;
    std::vector<std::string> log;

    void beep() override { log.push_back("beep"); }
    std::optional<std::string> repeatPassword() override
    {
        log.push_back("password");
        return repeated;
    }
    bool confirmOverwrite(const fs::path& other) override
    {
        log.push_back("519 " + other.filename().string());
        return overwrite;
    }
    void showNameTaken(const fs::path& other) override { log.push_back("550 " + other.filename().string()); }
};

struct SaveAsFixture : ::testing::Test {
    TempDir shelf;
    FakeSaveAsPrompt prompt;
    SaveAsGame game{shelf.path(), {}, {}};

    SaveAsForm form(std::string name, std::string player = "Ann", std::string password = {})
    {
        return SaveAsForm{std::move(name), std::move(player), std::move(password), true};
    }
};

TEST_F(SaveAsFixture, ABlankNameBeepsAndStays)
{
    for (const char* blank : {"", "   ", " \t "}) {
        prompt.log.clear();
        SaveAsDecision d = ConfirmSaveAs(saveas::NeverSaved, form(blank), game, prompt);
        EXPECT_FALSE(d.close) << '"' << blank << '"';
        EXPECT_EQ(prompt.log, (std::vector<std::string>{"beep"}));
    }
}

TEST_F(SaveAsFixture, ANewPasswordMustBeTypedTwice)
{
    game.password = "Secret";
    const struct {
        const char* typed;
        std::optional<std::string> repeated;
        bool asked;
        bool closes;
    } cases[] = {
        {"secret", std::nullopt, false, true},  // the stored one, case aside
        {"", std::nullopt, false, true},         // no password
        {"new", std::string("new"), true, true},
        {"new", std::string("New"), true, false},
        {"new", std::nullopt, true, false},      // cancelled
    };
    for (const auto& c : cases) {
        prompt.log.clear();
        prompt.repeated = c.repeated;
        SaveAsDecision d = ConfirmSaveAs(saveas::NeverSaved, form("Game", "Ann", c.typed), game, prompt);
        EXPECT_EQ(!prompt.log.empty(), c.asked) << c.typed;
        EXPECT_EQ(d.close, c.closes) << c.typed;
        if (d.close) {
            EXPECT_EQ(d.password, c.typed);
        }
    }
}

TEST_F(SaveAsFixture, AFreeNameClosesWithItsPath)
{
    SaveAsDecision d = ConfirmSaveAs(saveas::NeverSaved, form(" A/B:C.D ", " Ann "), game, prompt);
    ASSERT_TRUE(d.close);
    EXPECT_EQ(d.command, saveas::Save);
    EXPECT_EQ(d.name, "A/B:C.D");
    EXPECT_EQ(d.player, "Ann");
    EXPECT_TRUE(d.autoSave);
    EXPECT_EQ(d.savedPath, shelf / "A_B_C_D by Ann.sav");
    EXPECT_TRUE(prompt.log.empty());

    game.savedPath = shelf / "Old by Ann.sav";
    d = ConfirmSaveAs(saveas::SaveOther, form("Fresh"), game, prompt);
    ASSERT_TRUE(d.close);
    EXPECT_EQ(d.command, saveas::SaveOther);
    EXPECT_EQ(d.savedPath, game.savedPath);

    Puz puz;
    prompt.repeated = "pw";
    ApplySaveAs(puz, ConfirmSaveAs(saveas::Save, form("Fresh", "Bob", "pw"), game, prompt));
    EXPECT_EQ(puz.savedName, "Fresh");
    EXPECT_EQ(puz.playerName, "Bob");
    EXPECT_EQ(puz.password, "pw");
    EXPECT_EQ(puz.savedPath, shelf / "Fresh by Bob.sav");
}

TEST_F(SaveAsFixture, AnotherGameOfThatNameIsReplacedOnlyAfterTheQuestion)
{
    libfix::writePuzzle(shelf / "Castle.puz", "Castle");
    libfix::writeSaved(shelf / "elsewhere.sav", shelf / "Castle.puz");  // stores "Game" by "Ann"
    game.savedPath = shelf / "Mine by Ann.sav";

    prompt.overwrite = false;
    SaveAsDecision d = ConfirmSaveAs(saveas::Save, form("game"), game, prompt);
    EXPECT_FALSE(d.close);
    EXPECT_EQ(prompt.log, (std::vector<std::string>{"519 elsewhere.sav"}));

    prompt.log.clear();
    d = ConfirmSaveAs(saveas::SaveOther, form("Game"), game, prompt);
    EXPECT_FALSE(d.close);
    EXPECT_EQ(prompt.log, (std::vector<std::string>{"550 elsewhere.sav"}));

    prompt.overwrite = true;
    d = ConfirmSaveAs(saveas::Save, form("Game"), game, prompt);
    ASSERT_TRUE(d.close);
    EXPECT_EQ(d.command, saveas::Save);
    EXPECT_EQ(d.savedPath, shelf / "elsewhere.sav");
    EXPECT_TRUE(fs::exists(shelf / "elsewhere.sav"));  // replaced by the save itself
}

TEST_F(SaveAsFixture, TheGamesOwnFileIsNoConflict)
{
    libfix::writePuzzle(shelf / "Castle.puz", "Castle");
    libfix::writeSaved(shelf / "Game by Ann.sav", shelf / "Castle.puz");
    game.savedPath = shelf / "Game by Ann.sav";
    for (int command : {saveas::Save, saveas::SaveOther}) {
        SaveAsDecision d = ConfirmSaveAs(command, form("Game"), game, prompt);
        EXPECT_TRUE(d.close);
        EXPECT_EQ(d.command, command);
        EXPECT_EQ(d.savedPath, game.savedPath);
    }
    EXPECT_TRUE(prompt.log.empty());
}

}  // namespace
