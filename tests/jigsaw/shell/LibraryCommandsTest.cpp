// Opening, saving and making puzzles through the game's commands, with the
// library's real windows answered as a player would.
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>
#include <optional>

#include "ShellFixture.h"
#include "framework/EventQueue.h"
#include "framework/FileStream.h"
#include "framework/Options.h"
#include "framework/Profile.h"
#include "framework/qt/MUBox.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/library/DirectoryCache.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/shell/windows/WEdPuz.h"
#include "jigsaw/library/windows/WLibrary.h"
#include "jigsaw/library/windows/WMakePuzzke.h"
#include "jigsaw/library/windows/WPassw.h"
#include "jigsaw/library/windows/WSaveAs.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/shell/windows/PuzCommands.h"

using namespace shelltest;
namespace fs = std::filesystem;

namespace {

class LibraryCommands : public ::testing::Test {
public:
    ProgramFolder folder;
    std::unique_ptr<Started> s;

    // Options 0x20: competition mode, so saves write the scores too.
    void start(const std::string& commandLine = "", const std::string& settings = "[Main]\r\nOptions=4128\r\n")
    {
        folder.writeFile("QVrk.ini", settings);
        s = std::make_unique<Started>(folder, commandLine);
        ASSERT_EQ(s->status, 0);
    }
    fs::path shelf() { return s->app->library().shelves().CurrentDirectory(); }
    qv::WPuz& window() { return s->window(); }
    // A saved game "Evening by Ann.sav" of a 4 x 3 puzzle, guarded by "Beacon"; nothing left open.
    fs::path guardedGame()
    {
        makePuzzle(shelf() / "p.puz", 4, 3);
        EXPECT_TRUE(s->app->OpenFile(shelf() / "p.puz"));
        qv::Puz& puz = s->puz();
        puz.savedName = "Evening";
        puz.playerName = "Ann";
        puz.password = "Beacon";
        puz.savedPath = shelf() / "Evening by Ann.sav";
        EXPECT_TRUE(s->app->SaveGame(false));
        s->app->ClosePuzzle();
        return shelf() / "Evening by Ann.sav";
    }
    void ctrl(Qt::Key key) { QTest::keyClick(&window(), key, Qt::ControlModifier); }
};

// --- Ctrl+O: the library window

TEST_F(LibraryCommands, CtrlOOpensWhatTheLibraryChoseAtItsSizeAndOptions)
{
    start();
    ASSERT_EQ(s->puz().pieceCount(), 0);
    makePuzzle(shelf() / "p.puz", 4, 3);
    const struct {
        const char* name;
        int sizeRow;  // row of the size list: the stock size, then "custom"
        bool noRotate;
        const char* typed;  // answer to the custom-size prompt
        int rows, columns;
    } cases[] = {
        {"stock size, not rotating", 0, true, nullptr, 3, 4},
        {"custom size from the prompt", 1, false, "3x5", 3, 5},
    };
    for (const auto& c : cases) {
        bool libraryShown = false, prompted = false;
        answerModal<qv::WLibrary>([&](qv::WLibrary& w) {
            libraryShown = true;
            ASSERT_TRUE(w.selectEntry("p.puz"));
            w.setSelection(qv::WLibrary::IdSize, c.sizeRow);
            w.setChecked(qv::WLibrary::IdNoRotate, c.noRotate);
            if (c.typed) {
                answerModal<fw::MUBox>([&](fw::MUBox& box) {
                    prompted = true;
                    auto* edit = qobject_cast<QLineEdit*>(box.control(fw::mubox::FirstField));
                    ASSERT_NE(edit, nullptr);
                    edit->setText(c.typed);
                    box.command(fw::mubox::Ok);
                });
            }
            w.sendCommand(qv::WLibrary::IdOk);
        });
        ctrl(Qt::Key_O);
        EXPECT_TRUE(libraryShown) << c.name;
        EXPECT_EQ(prompted, c.typed != nullptr) << c.name;
        ASSERT_EQ(s->puz().pieceCount(), c.rows * c.columns) << c.name;
        EXPECT_EQ(s->puz().gridRows(), c.rows) << c.name;
        EXPECT_EQ(s->puz().gridColumns(), c.columns) << c.name;
        EXPECT_EQ(bool(s->puz().options & qv::Puz::NoRotable), c.noRotate) << c.name;
        EXPECT_EQ(s->puz().puzzlePath, shelf() / "p.puz") << c.name;
    }
}

TEST_F(LibraryCommands, AnotherFileOnTheCommandLineShowsTheLibrary)
{
    folder.writeFile("notes.txt", "not a puzzle");
    bool shown = false;
    answerModal<qv::WLibrary>([&](qv::WLibrary& w) {
        shown = true;
        w.sendCommand(qv::WLibrary::IdCancel);
    });
    start((folder / "notes.txt").string());
    EXPECT_TRUE(waitFor([&] { return shown; }));
    EXPECT_EQ(s->puz().pieceCount(), 0);
}

TEST_F(LibraryCommands, AGuardedSavedGameOpensOnlyWithItsPassword)
{
    start();
    guardedGame();
    qv::Puz& puz = s->puz();

    // Cancelled at the password: the library stays; closed, nothing opens.
    std::vector<std::string> asked;
    answerModal<qv::WLibrary>([&](qv::WLibrary& w) {
        ASSERT_TRUE(w.selectEntry("Evening by Ann.sav"));
        answerModal<qv::WPassw>([&](qv::WPassw& p) {
            asked.push_back("cancelled");
            p.sendCommand(qv::WPassw::IdCancel);
        });
        w.sendCommand(qv::WLibrary::IdOk);
        EXPECT_EQ(w.ended(), 0) << "the library stays after a cancelled password";
        w.sendCommand(qv::WLibrary::IdCancel);
    });
    ctrl(Qt::Key_O);
    EXPECT_EQ(puz.pieceCount(), 0);

    answerModal<qv::WLibrary>([&](qv::WLibrary& w) {
        ASSERT_TRUE(w.selectEntry("Evening by Ann.sav"));
        answerModal<qv::WPassw>([&](qv::WPassw& p) {
            asked.push_back("typed");
            p.setText(qv::WPassw::IdPassword, "beacon");
            p.sendCommand(qv::WPassw::IdOk);
        });
        w.sendCommand(qv::WLibrary::IdOk);
    });
    ctrl(Qt::Key_O);
    EXPECT_EQ(asked, (std::vector<std::string>{"cancelled", "typed"}));
    ASSERT_EQ(puz.pieceCount(), 12);
    EXPECT_TRUE(puz.state & qv::Puz::FromSaved);
    EXPECT_EQ(puz.savedName, "Evening");
    EXPECT_EQ(puz.password, "Beacon");
}

void dropOn(QWidget& target, const fs::path& file);

TEST_F(LibraryCommands, AGuardedSavedGameDroppedOnTheTableAsksItsPasswordToo)
{
    start();
    const fs::path saved = guardedGame();
    const struct {
        std::optional<std::string> typed;  // nullopt: the prompt is cancelled
        bool opens;
    } cases[] = {{std::nullopt, false}, {"Lantern", false}, {"BEACON", true}};
    for (const auto& c : cases) {
        bool prompted = false, refused = false;
        answerModal<qv::WPassw>([&](qv::WPassw& p) {
            prompted = true;
            if (c.typed && !c.opens) {
                answerModal<fw::MUBox>([&](fw::MUBox& box) {
                    refused = true;
                    box.command(fw::mubox::Ok);
                });
            }
            if (c.typed)
                p.setText(qv::WPassw::IdPassword, *c.typed);
            p.sendCommand(c.typed ? qv::WPassw::IdOk : qv::WPassw::IdCancel);
        });
        dropOn(window(), saved);
        waitFor([&] { return prompted && (c.opens ? s->puz().pieceCount() > 0 : !QApplication::activeModalWidget()); });
        QTest::qWait(100);
        const std::string typed = c.typed.value_or("(cancelled)");
        EXPECT_TRUE(prompted) << typed;
        EXPECT_EQ(refused, c.typed && !c.opens) << typed;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << typed;
        EXPECT_EQ(s->puz().pieceCount() > 0, c.opens) << typed;
    }
    EXPECT_EQ(s->puz().savedPath, saved);
}

// --- Ctrl+S and Ctrl+A: the save-as dialog, the scores and the shelf's cache

TEST_F(LibraryCommands, FirstCtrlSNamesTheGameThenSavesStraightAway)
{
    start();
    makePuzzle(shelf() / "p.puz", 4, 3);
    ASSERT_TRUE(s->app->OpenFile(shelf() / "p.puz"));
    qv::Puz& puz = s->puz();

    // Cancelled: nothing is written.
    answerModal<qv::WSaveAs>([](qv::WSaveAs& d) { d.sendCommand(qv::saveas::Cancel); });
    ctrl(Qt::Key_S);
    EXPECT_TRUE(puz.savedPath.empty());

    QString title;
    answerModal<qv::WSaveAs>([&](qv::WSaveAs& d) {
        title = d.windowTitle();
        EXPECT_FALSE(d.savedBefore());
        d.setText(qv::WSaveAs::IdName, "Evening");
        d.setText(qv::WSaveAs::IdPlayer, "Ann");
        d.sendCommand(qv::saveas::NeverSaved);
    });
    ctrl(Qt::Key_S);
    const fs::path saved = shelf() / "Evening by Ann.sav";
    ASSERT_EQ(puz.savedPath, saved);
    EXPECT_TRUE(fs::exists(saved));
    EXPECT_FALSE(title.contains('&')) << "the title is the menu entry without its access key";
    // The scores file holds the game's entry under its saved name.
    qv::Ranking stored = s->app->liveRanking().ranking();
    ASSERT_TRUE(stored.Load());
    ASSERT_EQ(stored.records.size(), 1u);
    EXPECT_EQ(stored.records[0].key, "Evening by Ann");
    // The shelf's cache knows the saved game.
    {
        qv::DirectoryCache cache;
        cache.Open(shelf(), true);
        qv::ShelfEntry entry;
        EXPECT_TRUE(cache.Lookup("Evening by Ann.sav", qv::ShelfEntry::Kind::SavedGame, entry));
    }

    // Saved before: Ctrl+S writes at once, no dialog.
    bool dialogAgain = false;
    answerModal<qv::WSaveAs>([&](qv::WSaveAs& d) {
        dialogAgain = true;
        d.sendCommand(qv::saveas::Cancel);
    }, 10);
    puz.state |= qv::Puz::Changed;
    ctrl(Qt::Key_S);
    QTest::qWait(300);
    EXPECT_FALSE(dialogAgain);
    EXPECT_FALSE(puz.state & qv::Puz::Changed);
}

TEST_F(LibraryCommands, LeavingWithASaveThatIsCancelledStays)
{
    start();
    makePuzzle(shelf() / "p.puz", 4, 3);
    ASSERT_TRUE(s->app->OpenFile(shelf() / "p.puz"));
    s->puz().state |= qv::Puz::Changed;
    // "Save the changes?" Yes; then the save-as dialog is cancelled.
    answerModal<fw::MUBox>([](fw::MUBox& box) {
        answerModal<qv::WSaveAs>([](qv::WSaveAs& d) { d.sendCommand(qv::saveas::Cancel); });
        box.command(fw::mubox::Yes);
    });
    EXPECT_FALSE(s->app->commands().Exit());
    EXPECT_FALSE(s->app->commands().exiting());
    EXPECT_TRUE(s->puz().savedPath.empty());
    EXPECT_GT(s->puz().pieceCount(), 0);
}

// --- making a puzzle: Ctrl+C, a dropped picture, a picture on the command line

void writeJpeg(const fs::path& file)
{
    fw::Bitmap picture(320, 240);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            picture.setPixel(x, y, static_cast<uint32_t>((x * 255 / 320) << 16 | (y * 255 / 240) << 8 | 0x40));
    fw::FileStream f(file, fw::FileStream::Mode::Create);
    ASSERT_TRUE(qv::EncodeJpeg(picture, {}, f, 0, 85, 0).ok());
}

// The puzzle editor's answer: twelve pieces, OK.
void answerEditor(bool& shown)
{
    answerModal<qv::WEdPuz>([&shown](qv::WEdPuz& editor) {
        shown = true;
        EXPECT_TRUE(editor.isEnabled()) << "the player can use the editor";
        for (int k = 0; k < 5; ++k)
            editor.setText(qv::WEdPuz::IdFirstSize + k, "");
        editor.setText(qv::WEdPuz::IdFirstSize, "12");
        editor.sendCommand(qv::WEdPuz::IdOk);
    });
}

void dropOn(QWidget& target, const fs::path& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    // As the window system delivers it: entering first makes the window the drop's target.
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

TEST_F(LibraryCommands, APictureBecomesAPuzzleThatIsThenOpen)
{
    const fs::path picture = folder / "Harbour.jpg";
    writeJpeg(picture);
    const struct {
        const char* route;
        std::string commandLine;
        std::function<void(LibraryCommands&)> begin;
        bool remembered;  // "LastImage" is only kept from the file dialog
    } cases[] = {
        {"Ctrl+C and the file dialog", "",
         [&](LibraryCommands& t) {
             answerModal<qv::WMakePuzzke>([&](qv::WMakePuzzke& d) {
                 answerModal<QFileDialog>([&](QFileDialog& files) {
                     // The name typed into the dialog's own field, and done() rather than
                     // accept(): both selectFile() and accept() go through the dialog's folder
                     // model, which a loaded machine may not have filled yet.
                     const QString name = QString::fromStdString(picture.string());
                     files.selectFile(name);
                     if (auto* edit = files.findChild<QLineEdit*>("fileNameEdit"))
                         edit->setText(name);
                     static_cast<QDialog&>(files).done(QDialog::Accepted);
                 });
                 d.sendCommand(qv::WMakePuzzke::IdSelect);
             });
             t.ctrl(Qt::Key_C);
         },
         true},
        {"dropped on the play window", "", [&](LibraryCommands& t) { dropOn(t.window(), picture); }, false},
        {"named on the command line", picture.string(), [](LibraryCommands&) {}, false},
    };
    for (const auto& c : cases) {
        // Armed first: the command line's picture is taken up as soon as the loop runs.
        bool editorShown = false;
        answerEditor(editorShown);
        start(c.commandLine);
        c.begin(*this);
        ASSERT_TRUE(waitFor([&] { return s->puz().pieceCount() > 0; })) << c.route;
        EXPECT_TRUE(editorShown) << c.route;
        EXPECT_EQ(s->puz().puzzlePath, shelf() / "Harbour.puz") << c.route;
        EXPECT_EQ(s->puz().pieceCount(), 12) << c.route;
        fw::Profile& settings = s->app->profile();
        const std::string lastImage = settings.getString("History", "LastImage");
        EXPECT_EQ(lastImage.empty() ? fs::path() : fs::path(lastImage), c.remembered ? picture : fs::path())
            << c.route;
        settings.setString("History", "LastImage", "");
        s->app->ClosePuzzle();
        fs::remove(shelf() / "Harbour.puz");
        s.reset();
    }
}

}  // namespace
