// What happens to the open game when something else takes the table: the
// windows of the closing puzzle, the question about its changes, the
// save-as onto another saved game, and a last game that cannot be reopened.
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QUrl>
#include <fstream>
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "framework/EventQueue.h"
#include "framework/FileStream.h"
#include "framework/qt/MUBox.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/SavedGameHead.h"
#include "jigsaw/shell/windows/WEdPuz.h"
#include "jigsaw/library/windows/WLibrary.h"
#include "jigsaw/library/windows/WMakePuzzke.h"
#include "jigsaw/library/windows/WSaveAs.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/WMuestra.h"
#include "jigsaw/shell/windows/PuzCommands.h"

using namespace shelltest;
namespace fs = std::filesystem;

namespace {

void writePicture(const fs::path& file)
{
    fw::Bitmap picture(320, 240);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            picture.setPixel(x, y, static_cast<uint32_t>((x * 255 / 320) << 16 | (y * 255 / 240) << 8 | 0x40));
    fw::FileStream f(file, fw::FileStream::Mode::Create);
    ASSERT_TRUE(qv::EncodeJpeg(picture, {}, f, 0, 85, 0).ok());
}

void dropOn(QWidget& target, const fs::path& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

// The editor's answer: twelve pieces and OK, or Cancel confirmed.
void answerEditor(bool ok, bool& shown)
{
    answerModal<qv::WEdPuz>([ok, &shown](qv::WEdPuz& editor) {
        shown = true;
        if (!ok) {
            answerModal<fw::MUBox>([](fw::MUBox& box) { box.command(fw::mubox::Yes); });
            editor.sendCommand(qv::WEdPuz::IdCancel);
            return;
        }
        for (int k = 0; k < 5; ++k)
            editor.setText(qv::WEdPuz::IdFirstSize + k, "");
        editor.setText(qv::WEdPuz::IdFirstSize, "12");
        editor.sendCommand(qv::WEdPuz::IdOk);
    });
}

// Sends a key press as the toolkit delivers it and tells whether the
// window was destroyed before the toolkit was done with the event.
bool destroyedInsideItsKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text)
{
    QObject watcher;
    bool inside = true, destroyedInside = false;
    QObject::connect(target, &QObject::destroyed, &watcher, [&] { destroyedInside = inside; });
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &press);
    inside = false;
    return destroyedInside;
}

class ReplacingTheGame : public ::testing::Test {
public:
    ProgramFolder folder;
    std::unique_ptr<Started> s;

    // The settings are written anew: a game left open by the last case is
    // not reopened.
    void start(const std::string& settings = "[Main]\r\nOptions=4096\r\n")
    {
        folder.writeFile("QVrk.ini", settings);
        s = std::make_unique<Started>(folder, "");
        ASSERT_EQ(s->status, 0);
    }
    fs::path shelf() { return s->app->library().shelves().CurrentDirectory(); }
    qv::WPuz& window() { return s->window(); }
    qv::Puz& puz() { return s->puz(); }
    bool idle() { return !QApplication::activeModalWidget(); }
};

}  // namespace

// A key that closes the puzzle can arrive at one of the puzzle's own
// windows (a box, the preview); the window must outlive the key's handling.
TEST_F(ReplacingTheGame, AWindowOfTheClosingPuzzleOutlivesTheKeyThatClosedIt)
{
    const fs::path picture = folder / "Harbour.jpg";
    writePicture(picture);
    const struct {
        const char* route;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* text;  // what the window system types with the key
        bool preview;      // the key goes to the preview, else to box 1
        std::function<void(ReplacingTheGame&, bool&)> arm;
        const char* opened;  // the puzzle open afterwards; null: the same
    } cases[] = {
        {"Ctrl+O on a box, another puzzle chosen", Qt::Key_O, Qt::ControlModifier, "\x0f", false,
         [](ReplacingTheGame&, bool&) {
             answerModal<qv::WLibrary>([](qv::WLibrary& w) {
                 ASSERT_TRUE(w.selectEntry("q.puz"));
                 w.sendCommand(qv::WLibrary::IdOk);
             });
         },
         "q.puz"},
        {"Ctrl+C on a box, a puzzle made", Qt::Key_C, Qt::ControlModifier, "\x03", false,
         [&](ReplacingTheGame&, bool& shown) {
             answerModal<qv::WMakePuzzke>([&](qv::WMakePuzzke& d) {
                 d.setChooser([&](const qv::PictureDialogStart&) { return std::optional<fs::path>(picture); });
                 answerEditor(true, shown);
                 d.sendCommand(qv::WMakePuzzke::IdSelect);
             });
         },
         "Harbour.puz"},
        {"Insert on the preview", Qt::Key_Insert, Qt::NoModifier, "", true, [](ReplacingTheGame&, bool&) {},
         nullptr},
    };
    for (const auto& c : cases) {
        start();
        makePuzzle(shelf() / "p.puz", 4, 3);
        makePuzzle(shelf() / "q.puz", 5, 4);
        ASSERT_TRUE(s->app->OpenFile(shelf() / "p.puz"));
        QWidget* target = nullptr;
        if (c.preview) {
            for (qv::WMuestra* m : window().findChildren<qv::WMuestra*>())
                if (m->isVisible())
                    target = m;
        } else {
            ASSERT_FALSE(window().boxes().empty());
            target = window().boxes()[0].get();
        }
        ASSERT_TRUE(target) << c.route;
        QPointer<QWidget> alive(target);
        bool editorShown = false;
        c.arm(*this, editorShown);
        EXPECT_FALSE(destroyedInsideItsKey(target, c.key, c.mods, QString::fromLatin1(c.text))) << c.route;
        const fs::path expected = c.opened ? shelf() / c.opened : shelf() / "p.puz";
        EXPECT_TRUE(waitFor([&] { return idle() && puz().puzzlePath == expected && !alive; })) << c.route;
        EXPECT_FALSE(alive) << c.route << ": the closed window is deleted once the loop is back";
        if (c.preview) {
            EXPECT_FALSE(window().previewShown()) << c.route;
        }
        s.reset();
        QTest::qWait(20);
    }
}

// Every way of putting another game on the table first settles the
// changes of the open one: Yes saves, No drops them, Cancel keeps the game.
TEST_F(ReplacingTheGame, EveryWayOfReplacingAChangedGameAsksFirst)
{
    const fs::path picture = folder / "Harbour.jpg";
    writePicture(picture);
    enum Answer { Cancel, No, Yes };
    using Route = std::function<void(ReplacingTheGame&)>;
    const Route library = [](ReplacingTheGame& t) {
        answerModal<qv::WLibrary>([](qv::WLibrary& w) {
            ASSERT_TRUE(w.selectEntry("q.puz"));
            w.sendCommand(qv::WLibrary::IdOk);
        });
        QTest::keyClick(&t.window(), Qt::Key_O, Qt::ControlModifier);
    };
    const Route reopenLast = [](ReplacingTheGame& t) {
        t.s->app->profile().setString({}, "LastPuz", (t.shelf() / "q.puz").string());
        t.s->app->commands().Command(1128);
    };
    const Route droppedPuzzle = [](ReplacingTheGame& t) { dropOn(t.window(), t.shelf() / "q.puz"); };
    const Route droppedPicture = [&](ReplacingTheGame& t) { dropOn(t.window(), picture); };
    const Route ctrlC = [&](ReplacingTheGame& t) {
        answerModal<qv::WMakePuzzke>([&](qv::WMakePuzzke& d) {
            d.setChooser([&](const qv::PictureDialogStart&) { return std::optional<fs::path>(picture); });
            d.sendCommand(qv::WMakePuzzke::IdSelect);
        });
        QTest::keyClick(&t.window(), Qt::Key_C, Qt::ControlModifier);
    };
    const struct {
        const char* name;
        Route route;
        Answer answer;
        std::optional<bool> editorOk;  // the editor's answer, when it shows
        const char* opened;            // null: the old game stays open
    } cases[] = {
        {"library, Cancel", library, Cancel, std::nullopt, nullptr},
        {"library, No", library, No, std::nullopt, "q.puz"},
        {"library, Yes", library, Yes, std::nullopt, "q.puz"},
        {"reopen the last, Cancel", reopenLast, Cancel, std::nullopt, nullptr},
        {"reopen the last, No", reopenLast, No, std::nullopt, "q.puz"},
        {"dropped puzzle, Cancel", droppedPuzzle, Cancel, std::nullopt, nullptr},
        {"dropped puzzle, Yes", droppedPuzzle, Yes, std::nullopt, "q.puz"},
        {"dropped picture, No, editor cancelled", droppedPicture, No, false, nullptr},
        {"dropped picture, No, puzzle made", droppedPicture, No, true, "Harbour.puz"},
        {"Ctrl+C, Cancel", ctrlC, Cancel, std::nullopt, nullptr},
        {"Ctrl+C, Yes, puzzle made", ctrlC, Yes, true, "Harbour.puz"},
    };
    for (const auto& c : cases) {
        start();
        makePuzzle(shelf() / "p.puz", 4, 3);
        makePuzzle(shelf() / "q.puz", 5, 4);
        ASSERT_TRUE(s->app->OpenFile(shelf() / "p.puz"));
        puz().savedName = "Morning";
        puz().playerName = "Ann";
        puz().savedPath = shelf() / "Morning by Ann.sav";
        ASSERT_TRUE(s->app->SaveGame(false));
        // The change: the game's name, which shows in the saved file's head.
        puz().savedName = "Evening";
        puz().state |= qv::Puz::Changed;

        int asked = 0;
        answerModal<fw::MUBox>([&](fw::MUBox& box) {
            ++asked;
            box.command(c.answer == Yes ? fw::mubox::Yes : c.answer == No ? fw::mubox::No : fw::mubox::Cancel);
        });
        bool editorShown = false;
        if (c.editorOk)
            answerEditor(*c.editorOk, editorShown);
        c.route(*this);
        const fs::path expected = c.opened ? shelf() / c.opened : shelf() / "p.puz";
        waitFor([&] { return asked > 0 && idle() && puz().puzzlePath == expected && (!c.editorOk || editorShown); });
        QTest::qWait(150);
        fw::DeliverDue();

        EXPECT_EQ(asked, 1) << c.name;
        EXPECT_EQ(editorShown, c.editorOk.has_value()) << c.name;
        EXPECT_EQ(puz().puzzlePath, expected) << c.name;
        EXPECT_GT(puz().pieceCount(), 0) << c.name << ": never an empty table";
        if (!c.opened) {
            EXPECT_EQ(puz().savedName, "Evening") << c.name << ": the changed game is still there";
            EXPECT_TRUE(puz().state & qv::Puz::Changed) << c.name;
        }
        qv::SavedGameHead head;
        ASSERT_TRUE(qv::SavedGameHead::read(shelf() / "Morning by Ann.sav", head).ok()) << c.name;
        EXPECT_EQ(head.name, c.answer == Yes ? "Evening" : "Morning") << c.name;
        s->puz().state &= ~qv::Puz::Changed;
        fs::remove(shelf() / "Harbour.puz");
        s.reset();
        QTest::qWait(20);
    }
}

// A game never saved, saved under the name of another saved game: the
// other game is replaced after question 519, by this game.
TEST_F(ReplacingTheGame, SavingOverAnotherSavedGameWritesThisGame)
{
    start();
    makePuzzle(shelf() / "p.puz", 4, 3);
    makePuzzle(shelf() / "q.puz", 5, 4);
    const fs::path other = shelf() / "Evening by Ann.sav";
    ASSERT_TRUE(s->app->OpenFile(shelf() / "q.puz"));
    puz().savedName = "Evening";
    puz().playerName = "Ann";
    puz().savedPath = other;
    ASSERT_TRUE(s->app->SaveGame(false));
    s->app->ClosePuzzle();

    ASSERT_TRUE(s->app->OpenFile(shelf() / "p.puz"));
    puz().state |= qv::Puz::Changed;
    int overwriteAsked = 0;
    answerModal<qv::WSaveAs>([&](qv::WSaveAs& d) {
        d.setText(qv::WSaveAs::IdName, "Evening");
        d.setText(qv::WSaveAs::IdPlayer, "Ann");
        answerModal<fw::MUBox>([&](fw::MUBox& box) {
            ++overwriteAsked;
            box.command(fw::mubox::Ok);
        });
        d.sendCommand(qv::saveas::NeverSaved);
    });
    QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(overwriteAsked, 1);
    EXPECT_EQ(puz().savedPath, other);
    EXPECT_FALSE(puz().state & qv::Puz::Changed) << "saved";
    qv::SavedGameHead head;
    ASSERT_TRUE(qv::SavedGameHead::read(other, head).ok());
    EXPECT_EQ(head.puzzlePath, shelf() / "p.puz") << "the file holds this game now";
}

// The last game named by the settings cannot be opened at start-up: the
// player is told why, and the make-a-puzzle dialog is offered in its place.
// Closing that dialog forgets the last game (the next start does not try
// it again) and leaves the empty table.
TEST_F(ReplacingTheGame, ALastGameThatCannotBeReopenedIsReported)
{
    folder.writeFile("broken.sav", "not a saved game at all");
    const struct {
        const char* name;
        std::string last;
    } cases[] = {
        {"missing", (folder / "gone.puz").string()},
        {"damaged", (folder / "broken.sav").string()},
    };
    for (const auto& c : cases) {
        QString title;
        bool offered = false, atStartUp = false;
        answerModal<fw::MUBox>([&](fw::MUBox& box) {
            title = box.windowTitle();
            box.command(fw::mubox::Ok);
            answerModal<qv::WMakePuzzke>([&](qv::WMakePuzzke& d) {
                offered = true;
                atStartUp = d.startedAtStartUp();
                d.sendCommand(fw::WBaseInfo::IdCancel);
            });
        });
        start("[Main]\r\nOptions=4096\r\nLastPuz=" + c.last + "\r\n");
        waitFor([&] { return offered && idle(); }, 3000);
        fw::DeliverDue();
        EXPECT_EQ(title, "Error") << c.name;
        EXPECT_TRUE(offered) << c.name << ": no make-a-puzzle dialog";
        EXPECT_TRUE(atStartUp) << c.name;
        EXPECT_EQ(s->app->profile().getString("LastPuz"), "") << c.name;
        EXPECT_EQ(puz().pieceCount(), 0) << c.name;
        EXPECT_TRUE(window().isVisible()) << c.name;
        s.reset();
    }
}

namespace {

// Ways a file can fail to open once the old game was settled.
enum class Bad { DamagedPuzzle, PuzzleOfSavedGameGone, PictureDoesNotDecode };

// Makes `name` on the shelf a file of that kind; the library lists it
// while it is sound, so it is spoilt only when `spoil` runs.
std::function<void()> badFile(const fs::path& shelf, const std::string& name, Bad kind)
{
    if (kind == Bad::PuzzleOfSavedGameGone) {
        const fs::path puzzle = makePuzzle(shelf / "r.puz", 3, 3);
        qv::Puz game;
        EXPECT_TRUE(game.Open(puzzle, 0, 0).ok());
        game.savedName = "Gone";
        game.playerName = "Bob";
        game.savedPath = shelf / name;
        EXPECT_TRUE(game.Save().ok());
        return [puzzle] { fs::remove(puzzle); };
    }
    const fs::path file = makePuzzle(shelf / name, 5, 4);
    return [file, kind] {
        std::string bytes;
        {
            std::ifstream in(file, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), {});
        }
        if (kind == Bad::DamagedPuzzle) {
            bytes = "not a puzzle at all";
        } else {
            // The header stays; the picture's data after its first marker is zeros.
            const size_t start = bytes.find("\xFF\xD8\xFF");
            ASSERT_NE(start, std::string::npos);
            std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(start + 2), bytes.end(), '\0');
        }
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    };
}

}  // namespace

// The file chosen to replace a changed game cannot be opened: its error is
// shown and the old game is back on the table as it was, whether the
// player saved it (Yes) or not (No), changes and places of pieces kept.
TEST_F(ReplacingTheGame, AFileThatFailsToOpenGivesTheOldGameBack)
{
    enum Answer { No, Yes };
    using Route = std::function<void(ReplacingTheGame&, const std::string&, const std::function<void()>&)>;
    const Route library = [](ReplacingTheGame& t, const std::string& name, const std::function<void()>& spoil) {
        answerModal<qv::WLibrary>([name, spoil](qv::WLibrary& w) {
            ASSERT_TRUE(w.selectEntry(name)) << name;
            spoil();
            w.sendCommand(qv::WLibrary::IdOk);
        });
        QTest::keyClick(&t.window(), Qt::Key_O, Qt::ControlModifier);
    };
    const Route reopenLast = [](ReplacingTheGame& t, const std::string& name, const std::function<void()>& spoil) {
        spoil();
        t.s->app->profile().setString({}, "LastPuz", (t.shelf() / name).string());
        t.s->app->commands().Command(1128);
    };
    const Route dropped = [](ReplacingTheGame& t, const std::string& name, const std::function<void()>& spoil) {
        spoil();
        dropOn(t.window(), t.shelf() / name);
    };
    const struct {
        const char* name;
        Route route;
        Bad bad;
        Answer answer;
        bool neverSaved;  // the old game was never saved
    } cases[] = {
        {"library, damaged puzzle, No", library, Bad::DamagedPuzzle, No, false},
        {"library, saved game without its puzzle, Yes", library, Bad::PuzzleOfSavedGameGone, Yes, false},
        {"library, picture does not decode, No, never saved", library, Bad::PictureDoesNotDecode, No, true},
        {"reopen the last, damaged puzzle, Yes", reopenLast, Bad::DamagedPuzzle, Yes, false},
        {"reopen the last, saved game without its puzzle, No", reopenLast, Bad::PuzzleOfSavedGameGone, No, false},
        {"reopen the last, picture does not decode, No", reopenLast, Bad::PictureDoesNotDecode, No, false},
        {"dropped, damaged puzzle, No, never saved", dropped, Bad::DamagedPuzzle, No, true},
        {"dropped, saved game without its puzzle, No", dropped, Bad::PuzzleOfSavedGameGone, No, false},
        {"dropped, picture does not decode, Yes", dropped, Bad::PictureDoesNotDecode, Yes, false},
    };
    for (const auto& c : cases) {
        start();
        makePuzzle(shelf() / "p.puz", 4, 3);
        const std::string name = c.bad == Bad::PuzzleOfSavedGameGone ? "Gone by Bob.sav" : "q.puz";
        const std::function<void()> spoil = badFile(shelf(), name, c.bad);
        ASSERT_TRUE(s->app->OpenFile(shelf() / "p.puz"));
        const fs::path saved = shelf() / "Morning by Ann.sav";
        if (!c.neverSaved) {
            puz().savedName = "Morning";
            puz().playerName = "Ann";
            puz().savedPath = saved;
            ASSERT_TRUE(s->app->SaveGame(false));
            puz().savedName = "Evening";
        }
        puz().state |= qv::Puz::Changed;
        std::vector<std::pair<int, int>> places;
        for (const qv::SPuz& p : puz().pieces)
            places.emplace_back(p.tableCell.x, p.tableCell.y);

        int asked = 0;
        QString errorTitle;
        answerModal<fw::MUBox>([&](fw::MUBox& box) {
            ++asked;
            box.command(c.answer == Yes ? fw::mubox::Yes : fw::mubox::No);
            answerModal<fw::MUBox>([&](fw::MUBox& error) {
                errorTitle = error.windowTitle();
                error.command(fw::mubox::Ok);
            });
        });
        c.route(*this, name, spoil);
        waitFor([&] { return !errorTitle.isEmpty() && idle(); });
        QTest::qWait(100);
        fw::DeliverDue();

        EXPECT_EQ(asked, 1) << c.name;
        EXPECT_EQ(errorTitle, "Error") << c.name << ": the failed open is reported";
        EXPECT_EQ(puz().puzzlePath, shelf() / "p.puz") << c.name << ": the old game is back";
        std::vector<std::pair<int, int>> placesAfter;
        for (const qv::SPuz& p : puz().pieces)
            placesAfter.emplace_back(p.tableCell.x, p.tableCell.y);
        EXPECT_EQ(placesAfter, places) << c.name << ": its pieces where they were";
        EXPECT_EQ(puz().savedPath, c.neverSaved ? fs::path() : saved) << c.name;
        EXPECT_EQ(puz().savedName, c.neverSaved ? "" : "Evening") << c.name;
        EXPECT_EQ(bool(puz().state & qv::Puz::Changed), c.answer == No) << c.name << ": changed unless saved";
        EXPECT_EQ(bool(puz().state & qv::Puz::FromSaved), !c.neverSaved) << c.name;
        if (!c.neverSaved) {
            qv::SavedGameHead head;
            ASSERT_TRUE(qv::SavedGameHead::read(saved, head).ok()) << c.name;
            EXPECT_EQ(head.name, c.answer == Yes ? "Evening" : "Morning") << c.name << ": the answer was kept";
        }
        puz().state &= ~qv::Puz::Changed;
        const fs::path dir = shelf();
        s.reset();
        for (const char* f : {"q.puz", "r.puz", "Gone by Bob.sav", "Morning by Ann.sav"})
            fs::remove(dir / f);
        QTest::qWait(20);
    }
}
