#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTimer>

#include "FakeLibraryUser.h"
#include "WindowsFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/SavedGameFile.h"
#include "jigsaw/library/windows/CustomSizePrompt.h"
#include "jigsaw/shell/windows/WEdPuz.h"
#include "jigsaw/library/windows/WLibrary.h"

using namespace qv;
namespace fs = std::filesystem;

namespace {

struct WLibraryTest : ::testing::Test {
    winfix::LibrarySetup lib;
    winfix::FakeLibraryUser user;

    void SetUp() override { winfix::useEnglishTexts(); }
    void TearDown() override { fw::UiText::setSource(nullptr); }

    // A puzzle made by the editor from a picture: sizes by piece count.
    fs::path makePuzzle(const std::string& title, std::vector<std::string> sizes, bool offerCustom = true,
                        int w = 320, int h = 240)
    {
        const fs::path picture = lib.dir / (title + ".jpg");
        winfix::writeJpeg(picture, w, h);
        WEdPuz editor(nullptr, *lib.library, winfix::testPicture(w, h), picture);
        for (int k = 0; k < 5; ++k)
            editor.setText(WEdPuz::IdFirstSize + k, k < static_cast<int>(sizes.size()) ? sizes[k] : "");
        editor.setText(WEdPuz::IdTitle, title);
        editor.setChecked(WEdPuz::IdCustom, offerCustom);
        editor.sendCommand(WEdPuz::IdOk);
        EXPECT_TRUE(editor.made()) << title;
        return editor.made().value_or(fs::path());
    }

    void saveGame(const fs::path& puzzle, const std::string& name, const std::string& player,
                  const std::string& password = {}, bool complete = false)
    {
        Puz p;
        ASSERT_TRUE(p.Open(puzzle, 0, 0).ok());
        p.savedName = name;
        p.playerName = player;
        p.password = password;
        p.savedPath = puzzle.parent_path() / (name + " by " + player + ".sav");
        if (complete)
            p.dateEnd = 20250101;
        ASSERT_TRUE(p.Save().ok());
    }

    std::unique_ptr<WLibrary> window()
    {
        auto w = std::make_unique<WLibrary>(nullptr, *lib.library);
        w->setUser(&user);
        return w;
    }
    static std::vector<std::string> shownNames(const WLibrary& w)
    {
        std::vector<std::string> names;
        for (const ShelfEntry& e : w.shown())
            names.push_back(e.fileName);
        return names;
    }
};

TEST_F(WLibraryTest, ShowsShelvesAndTheCurrentShelfsFilesWithThumbnails)
{
    makePuzzle("Castle", {"12", "48"});
    makePuzzle("Harbour", {"20"});
    ASSERT_TRUE(lib.library->shelves().CreateShelf("Animals"));
    fs::create_directories(lib.root / "NotAShelf");
    auto w = window();
    EXPECT_EQ(w->shelfNames(), (std::vector<std::string>{"Quorvane", "Animals"}));
    EXPECT_EQ(shownNames(*w), (std::vector<std::string>{"Castle.puz", "Harbour.puz"}));
    EXPECT_FALSE(w->control(WLibrary::IdRemoveShelf)->isEnabled()) << "the main shelf stays";
    ASSERT_EQ(w->entryList()->count(), 2);
    EXPECT_FALSE(w->entryList()->item(0)->icon().isNull());
    EXPECT_FALSE(w->thumbnail(w->shown()[0]).isNull());
    EXPECT_EQ(w->entryList()->item(0)->text().toStdString(), "Castle\n12, 48 pieces");
    auto* sizes = qobject_cast<QComboBox*>(w->control(WLibrary::IdSize));
    ASSERT_EQ(sizes->count(), 3);
    EXPECT_EQ(sizes->itemText(2).toStdString(), "Custom size...");

    ASSERT_TRUE(w->selectShelf("Animals"));
    EXPECT_EQ(lib.library->shelves().CurrentShelf(), "Animals");
    EXPECT_TRUE(w->shown().empty());
    EXPECT_TRUE(w->control(WLibrary::IdRemoveShelf)->isEnabled());
    EXPECT_FALSE(w->control(WLibrary::IdOk)->isEnabled());
}

// Sizes read columns first, as the information window and the certificates
// give them: 4 rows of 6 pieces are "6 x 4".
TEST_F(WLibraryTest, SizesAreListedColumnsFirst)
{
    makePuzzle("Wide", {"4x6", "2x3"});
    auto w = window();
    ASSERT_TRUE(w->selectEntry("Wide.puz"));
    auto* sizes = qobject_cast<QComboBox*>(w->control(WLibrary::IdSize));
    ASSERT_GE(sizes->count(), 2);
    EXPECT_EQ(sizes->itemText(0).toStdString(), "6 x 4 (24 pieces)");
    EXPECT_EQ(sizes->itemText(1).toStdString(), "3 x 2 (6 pieces)");
}

TEST_F(WLibraryTest, OpeningAPuzzleGivesSizeAndOptions)
{
    makePuzzle("Castle", {"12", "48"});
    makePuzzle("Fixed", {"12"}, false);
    auto w = window();
    ASSERT_TRUE(w->selectEntry("castle.puz"));
    w->setSelection(WLibrary::IdSize, 1);
    w->setChecked(WLibrary::IdNoRotate, true);
    w->sendCommand(WLibrary::IdOk);
    ASSERT_TRUE(w->choice());
    EXPECT_EQ(w->choice()->path, lib.root / "Castle.puz");
    EXPECT_EQ(w->choice()->kind, ShelfEntry::Kind::Puzzle);
    EXPECT_EQ(w->choice()->sizeIndex, 1);
    EXPECT_EQ(w->choice()->options, unsigned(Puz::NoRotable));

    auto custom = window();
    custom->selectEntry("Castle.puz");
    custom->setSelection(WLibrary::IdSize, 2);
    custom->setChecked(WLibrary::IdMosaic, true);
    custom->sendCommand(WLibrary::IdOk);
    ASSERT_TRUE(custom->choice());
    EXPECT_EQ(custom->choice()->sizeIndex, Puz::CustomSize);
    EXPECT_EQ(custom->choice()->options, unsigned(Puz::NoDeform));

    auto fixed = window();
    fixed->selectEntry("Fixed.puz");
    EXPECT_EQ(qobject_cast<QComboBox*>(fixed->control(WLibrary::IdSize))->count(), 1) << "nocustom: no custom size";
}

TEST_F(WLibraryTest, AGuardedSavedGameOpensOnlyWithItsPassword)
{
    const fs::path puzzle = makePuzzle("Castle", {"12"});
    saveGame(puzzle, "Sunday", "Ann", "Moon");
    auto w = window();
    ASSERT_TRUE(w->selectEntry("Sunday by Ann.sav"));
    EXPECT_EQ(w->entryList()->currentItem()->text().toStdString(), "Sunday by Ann\nCastle, 12 pieces, Ann, In progress");
    const struct {
        std::optional<std::string> typed;
        bool opens;
        const char* last;
    } cases[] = {
        {std::nullopt, false, "password Sunday by Ann.sav"},
        {std::string("Sun"), false, "wrong password"},
        {std::string("mOOn"), true, "password Sunday by Ann.sav"},
    };
    for (const auto& c : cases) {
        user.typedPassword = c.typed;
        w->sendCommand(WLibrary::IdOk);
        EXPECT_EQ(w->choice().has_value(), c.opens);
        EXPECT_EQ(user.log.back(), c.last);
    }
    EXPECT_EQ(w->choice()->kind, ShelfEntry::Kind::SavedGame);
    EXPECT_EQ(w->choice()->path, lib.root / "Sunday by Ann.sav");

    saveGame(puzzle, "Open", "Bob");
    auto free = window();
    user.log.clear();
    free->selectEntry("Open by Bob.sav");
    free->sendCommand(WLibrary::IdOk);
    EXPECT_TRUE(free->choice());
    EXPECT_TRUE(user.log.empty()) << "no password, no prompt";
}

TEST_F(WLibraryTest, TheSavedGamesFilterIsKeptInOptsLoad)
{
    const fs::path puzzle = makePuzzle("Castle", {"12"});
    saveGame(puzzle, "Done", "Ann", {}, true);
    saveGame(puzzle, "Half", "Bob");
    lib.settings.setString("OptsLoad", "Player", "ann");
    auto w = window();
    EXPECT_EQ(shownNames(*w), (std::vector<std::string>{"Castle.puz", "Done by Ann.sav"}));
    w->setText(WLibrary::IdFilterPlayer, "");
    w->setSelection(WLibrary::IdFilterStatus, 1);  // in progress
    EXPECT_EQ(shownNames(*w), (std::vector<std::string>{"Castle.puz", "Half by Bob.sav"}));
    EXPECT_EQ(lib.settings.getString("OptsLoad", "Status"), "0");
    EXPECT_EQ(lib.settings.getString("OptsLoad", "Player"), "*");
    auto again = window();
    EXPECT_EQ(again->selection(WLibrary::IdFilterStatus), 1);
    EXPECT_EQ(shownNames(*again), (std::vector<std::string>{"Castle.puz", "Half by Bob.sav"}));
}

TEST_F(WLibraryTest, ShelfChangesAndMovesAnswerAgain)
{
    const fs::path puzzle = makePuzzle("Castle", {"12"});
    saveGame(puzzle, "Game", "Ann");
    auto w = window();
    user.shelfName = std::nullopt;
    w->sendCommand(WLibrary::IdNewShelf);
    EXPECT_EQ(lib.library->shelves().CountShelves(), 1);
    EXPECT_EQ(w->ended(), 0);
    user.shelfName = "Animals ";
    w->sendCommand(WLibrary::IdNewShelf);
    EXPECT_EQ(lib.library->shelves().CountShelves(), 2);
    EXPECT_EQ(lib.library->shelves().CurrentShelf(), "Animals");
    EXPECT_EQ(w->ended(), WLibrary::IdAgain);

    lib.library->shelves().SelectShelf("Quorvane");
    auto mover = window();
    ASSERT_NE(mover->control(WLibrary::IdMoveTarget), nullptr);
    mover->selectEntry("Castle.puz");
    EXPECT_EQ(mover->text(WLibrary::IdMoveTarget), "Animals");
    user.move = false;
    mover->sendCommand(WLibrary::IdMove);
    EXPECT_TRUE(fs::exists(puzzle)) << "cancelled";
    EXPECT_EQ(mover->ended(), 0);
    user.move = true;
    user.dontAsk = true;
    mover->sendCommand(WLibrary::IdMove);
    EXPECT_FALSE(fs::exists(puzzle));
    EXPECT_TRUE(fs::exists(lib.root / "Animals" / "Castle.puz"));
    EXPECT_TRUE(fs::exists(lib.root / "Animals" / "Game by Ann.sav"));
    EXPECT_EQ(lib.settings.getString("DontAsk", "MovePuz"), "1");
    EXPECT_EQ(mover->ended(), WLibrary::IdAgain);

    lib.library->shelves().SelectShelf("Animals");
    auto remover = window();
    user.removeShelf = false;
    remover->sendCommand(WLibrary::IdRemoveShelf);
    EXPECT_TRUE(lib.library->shelves().IsShelf("Animals"));
    user.removeShelf = true;
    remover->sendCommand(WLibrary::IdRemoveShelf);
    EXPECT_FALSE(lib.library->shelves().IsShelf("Animals"));
    EXPECT_TRUE(fs::exists(lib.root / "Animals" / "Castle.puz")) << "removing a shelf keeps its puzzles";
}

TEST_F(WLibraryTest, RunShowsTheWindowAgainWhileItAnswersAgain)
{
    makePuzzle("Castle", {"12"});
    user.shelfName = "Animals";
    std::vector<std::string> seen;
    std::function<void()> drive = [&] {
        auto* w = qobject_cast<WLibrary*>(QApplication::activeModalWidget());
        if (!w) {
            QTimer::singleShot(5, drive);
            return;
        }
        seen.push_back(lib.library->shelves().CurrentShelf());
        if (seen.size() == 1) {
            w->sendCommand(WLibrary::IdNewShelf);  // ends with "again"
            QTimer::singleShot(5, drive);
        } else if (seen.size() == 2) {
            w->selectShelf("Quorvane");
            w->selectEntry("Castle.puz");
            w->sendCommand(WLibrary::IdOk);
        }
    };
    QTimer::singleShot(5, drive);
    std::optional<OpenChoice> choice = WLibrary::Run(nullptr, *lib.library, &user);
    EXPECT_EQ(seen, (std::vector<std::string>{"Quorvane", "Animals"}));
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->path, lib.root / "Castle.puz");
}

TEST(CustomSizePrompt, TitledWithThePuzzleAndLimitedToSevenCharacters)
{
    winfix::useEnglishTexts();
    const std::string markup = CustomSizeMarkup("Castle {old}");
    EXPECT_NE(markup.find("{TIT:Puzzle: Castle (old)}"), std::string::npos) << markup;
    EXPECT_NE(markup.find("How many pieces would you like?"), std::string::npos);
    EXPECT_NE(markup.find("/limittext:7}"), std::string::npos);
    EXPECT_NE(markup.find("{btns{OK}{CANCEL}{HELP}}"), std::string::npos);
    fw::UiText::setSource(nullptr);
}

}  // namespace
