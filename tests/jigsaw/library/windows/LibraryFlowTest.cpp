#include <gtest/gtest.h>

#include <QTest>

#include "FakeLibraryUser.h"
#include "WindowsFixture.h"
#include "framework/Options.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/shell/windows/NewPuzzle.h"
#include "jigsaw/shell/windows/WEdPuz.h"
#include "jigsaw/library/windows/WLibrary.h"
#include "jigsaw/library/windows/WSaveAs.h"

using namespace qv;
namespace fs = std::filesystem;

namespace {

struct PieceState {
    int16_t x, y;
    uint8_t rotation;
    bool operator==(const PieceState&) const = default;
};

std::vector<PieceState> piecesOf(const Puz& puz)
{
    std::vector<PieceState> out;
    for (const SPuz& p : puz.pieces)
        out.push_back({p.tableCell.x, p.tableCell.y, p.rotation});
    return out;
}

struct Host : NewPuzzleHost {
    bool settlePuzzle() override { return true; }
};

// A picture becomes a puzzle through the editor, the library finds and
// opens it, the game is saved under a name with a password through the
// save dialog and opened again through the library with that password.
TEST(LibraryFlow, MakeOpenSaveAndReopenWithAPassword)
{
    winfix::useEnglishTexts();
    winfix::LibrarySetup lib;
    winfix::FakeLibraryUser user;
    const fs::path picture = lib.dir / "Lighthouse.jpg";
    winfix::writeJpeg(picture, 400, 300);

    // Make: two stock sizes, through the new-puzzle operation and its editor.
    Host host;
    NewPuzzle making(nullptr, *lib.library, host);
    making.setEditorRun([](WEdPuz& editor) {
        for (int k = 0; k < 5; ++k)
            editor.setText(WEdPuz::IdFirstSize + k, "");
        QTest::keyClicks(editor.control(WEdPuz::IdFirstSize), "12");
        QTest::keyClicks(editor.control(WEdPuz::IdFirstSize + 1), "4x5");
        editor.sendCommand(WEdPuz::IdOk);
        return editor.made();
    });
    const std::optional<fs::path> made = making.FromPicture(picture);
    ASSERT_EQ(made, lib.root / "Lighthouse.puz");

    // Find it on the shelf with its thumbnail and open it at the second size.
    OpenChoice opened;
    {
        WLibrary w(nullptr, *lib.library);
        w.setUser(&user);
        ASSERT_TRUE(w.selectEntry("Lighthouse.puz"));
        EXPECT_EQ(w.selected()->title, "Lighthouse");
        EXPECT_EQ(w.selected()->sizeCount, 2);
        EXPECT_FALSE(w.thumbnail(*w.selected()).isNull());
        w.setSelection(WLibrary::IdSize, 1);
        w.sendCommand(WLibrary::IdOk);
        ASSERT_TRUE(w.choice());
        opened = *w.choice();
    }
    EXPECT_EQ(opened.sizeIndex, 1);
    Puz puz;
    ASSERT_TRUE(puz.Open(opened.path, opened.sizeIndex, opened.options).ok());
    ASSERT_EQ(puz.pieceCount(), 20);
    EXPECT_EQ(puz.gridRows(), 4);
    EXPECT_EQ(puz.gridColumns(), 5);
    // Play a little.
    puz.pieces[3].placeAt(123, 45);
    puz.pieces[7].rotation = 2;
    puz.counters.moves = 9;
    puz.counters.elapsedMs = 65000;
    puz.gameOptions = fw::gameopt::Competition;

    // Save under a name with a password.
    winfix::FakeSaveAsPrompt prompt;
    prompt.repeated = "Beacon";
    {
        WSaveAs save(nullptr, puz, lib.library->shelves().CurrentDirectory(), true);
        save.setPrompt(&prompt);
        EXPECT_EQ(save.text(WSaveAs::IdName), "Lighthouse-20");
        save.setText(WSaveAs::IdName, "Evening");
        save.setText(WSaveAs::IdPlayer, "Ann");
        save.setText(WSaveAs::IdPassword, "Beacon");
        save.setChecked(WSaveAs::IdAutoSave, true);
        save.show();
        QTest::qWait(10);
        fw::saveScreenshot(save, "library-save-as");
        save.sendCommand(saveas::NeverSaved);
        ASSERT_TRUE(save.decision().close);
        EXPECT_EQ(save.decision().command, saveas::Save);
    }
    const fs::path savedFile = lib.root / "Evening by Ann.sav";
    EXPECT_EQ(puz.savedPath, savedFile);
    ASSERT_TRUE(puz.Save().ok());
    lib.library->UpdateCache(puz.savedPath);
    const std::vector<PieceState> before = piecesOf(puz);

    // Reopen through the library with the password.
    OpenChoice again;
    {
        WLibrary w(nullptr, *lib.library);
        w.setUser(&user);
        w.show();
        ASSERT_TRUE(w.selectEntry("Evening by Ann.sav"));
        QTest::qWait(10);
        fw::saveScreenshot(w, "library-window");
        user.typedPassword = "beacon";
        w.sendCommand(WLibrary::IdOk);
        ASSERT_TRUE(w.choice());
        again = *w.choice();
    }
    EXPECT_EQ(user.log, std::vector<std::string>{"password Evening by Ann.sav"});
    EXPECT_EQ(again.kind, ShelfEntry::Kind::SavedGame);
    Puz reopened;
    ASSERT_TRUE(reopened.Open(again.path, again.sizeIndex, again.options).ok());
    EXPECT_TRUE(reopened.state & Puz::FromSaved);
    EXPECT_EQ(reopened.puzzlePath, lib.root / "Lighthouse.puz");
    EXPECT_EQ(reopened.savedName, "Evening");
    EXPECT_EQ(reopened.playerName, "Ann");
    EXPECT_EQ(reopened.password, "Beacon");
    EXPECT_EQ(reopened.sizeIndex, 1);
    EXPECT_EQ(reopened.cuttingSeed, puz.cuttingSeed);
    EXPECT_EQ(reopened.counters.moves, 9u);
    EXPECT_EQ(reopened.counters.elapsedMs, 65000);
    ASSERT_TRUE(reopened.gameOptions);
    EXPECT_EQ(*reopened.gameOptions, fw::gameopt::Competition | fw::gameopt::AutoSave);
    EXPECT_EQ(piecesOf(reopened), before);
    fw::UiText::setSource(nullptr);
}

}  // namespace
