// Where the help opens: the topic index over the pages, and the help the
// game's commands ask for.
#include <QApplication>
#include <QUrl>
#include <gtest/gtest.h>

#include "framework/qt/MUBox.h"
#include "ShellFixture.h"
#include "framework/qt/MUBox.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/shell/HelpIndex.h"
#include "jigsaw/shell/windows/PuzCommands.h"
#include "jigsaw/shell/windows/ShellHelp.h"

using namespace shelltest;
using qv::HelpIndex;
namespace fs = std::filesystem;

namespace {

struct HelpFolder {
    fs::path dir = fs::temp_directory_path() / ("qvhelp-" + std::to_string(::getpid()));
    HelpFolder() { fs::create_directories(dir); }
    ~HelpFolder()
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void write(const std::string& name, const std::string& text) const
    {
        FILE* f = std::fopen((dir / name).c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
};

TEST(HelpIndex, TopicsAreFoundByTheirAnchorsAndTheRestOpenTheContents)
{
    HelpFolder help;
    help.write("index.html", "<h1>Help</h1><a href=\"#t110\">boxes</a>");
    help.write("boxes.html", "<h1 id=\"t110\">Boxes</h1><h2 id=\"t117\">Options</h2>");
    // Not anchors of a topic: no digits, digits running on, a number too large.
    help.write("odd.html", "<p id=\"t\"> <p id=\"t12x\"> <p id=\"t1234567\"> <p id='t5'> <p id=\"t7\">");
    help.write("notes.txt", "<p id=\"t8\">");
    const HelpIndex index(help.dir);
    const struct {
        int topic;
        const char* page;
    } cases[] = {
        {110, "boxes.html#t110"}, {117, "boxes.html#t117"}, {7, "odd.html#t7"},
        {12, "index.html"},       {5, "index.html"},        {8, "index.html"},
        {1234567, "index.html"},  {HelpIndex::Contents, "index.html"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(index.PageOf(c.topic), c.page) << c.topic;
    EXPECT_EQ(index.FileOf(117), help.dir / "boxes.html");
    EXPECT_EQ(index.AnchorOf(12), "");
}

TEST(HelpIndex, TheFirstFolderWithTheContentsPageIsTheHelp)
{
    HelpFolder help;
    fs::create_directories(help.dir / "empty");
    fs::create_directories(help.dir / "second");
    fs::create_directories(help.dir / "third");
    std::fclose(std::fopen((help.dir / "second" / "index.html").c_str(), "wb"));
    std::fclose(std::fopen((help.dir / "third" / "index.html").c_str(), "wb"));
    EXPECT_EQ(HelpIndex::FindFolder({help.dir / "missing", help.dir / "empty", help.dir / "second", help.dir / "third"}),
              help.dir / "second");
    EXPECT_FALSE(HelpIndex::FindFolder({help.dir / "missing", help.dir / "empty", {}}));
}

// The program's own pages, copied beside the program as the build does.
TEST(Help, F1AndTheHelpCommandsOpenTheTopicOfWhereThePlayerIs)
{
    ProgramFolder folder;
    const fs::path bin = QCoreApplication::applicationDirPath().toStdString();
    ASSERT_TRUE(fs::exists(bin / "help" / "index.html")) << "the build copies the help pages beside the program";
    fs::copy(bin / "help", folder / "help", fs::copy_options::recursive);
    const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    std::vector<QUrl> opened;
    s.app->commands().help().setOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    qv::WPuz& w = s.window();
    ASSERT_FALSE(w.boxes().empty());
    qv::WBox& box = *w.boxes()[0];
    const struct {
        const char* where;
        std::function<void()> ask;
        const char* page;
        const char* anchor;
    } cases[] = {
        {"F1 on the table", [&] { QTest::keyClick(&w, Qt::Key_F1); }, "index.html", ""},
        {"F1 in a box",
         [&] {
             box.show();
             box.setFocus();
             QTest::keyClick(&box, Qt::Key_F1);
         },
         "boxes.html", "t110"},
        {"how to make a puzzle", [&] { s.app->commands().Command(1301); }, "making.html", "t151"},
        {"the help button of a message box over a dialog",
         [&] {
             QWidget dialog(&w, Qt::Dialog);
             fw::MUBox b(&dialog, fw::MarkupMessage("Go on?", "Quorvane", fw::mb::OkCancel), 151);
             b.prepare();
             b.command(fw::mubox::Help);
         },
         "making.html", "t151"},
    };
    for (const auto& c : cases) {
        w.setFocus();
        opened.clear();
        c.ask();
        ASSERT_EQ(opened.size(), 1u) << c.where;
        EXPECT_TRUE(opened[0].isLocalFile()) << c.where;
        // Shown from the copy whose key page holds the key table.
        EXPECT_EQ(fs::path(opened[0].toLocalFile().toStdString()), folder / "help-pages" / c.page) << c.where;
        EXPECT_EQ(opened[0].fragment().toStdString(), c.anchor) << c.where;
    }
}

// Help that cannot be shown (no browser starts, or the pages are not
// installed) is not a silent key: a box says why.
TEST(Help, HelpThatCannotBeShownSaysSo)
{
    const fs::path bin = QCoreApplication::applicationDirPath().toStdString();
    for (const bool pages : {true, false}) {
        ProgramFolder folder;
        if (pages)
            fs::copy(bin / "help", folder / "help", fs::copy_options::recursive);
        const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
        Started s(folder, puzzle.string());
        ASSERT_EQ(s.status, 0);
        int asked = 0;
        s.app->commands().help().setOpener([&](const QUrl&) {
            ++asked;
            return false;  // no browser
        });
        std::string told;
        answerModal<fw::MUBox>([&](fw::MUBox& box) {
            for (const fw::MarkupText& t : box.layout().texts())
                told += t.text + "\n";
            box.command(fw::mubox::Ok);
        });
        s.window().setFocus();
        QTest::keyClick(&s.window(), Qt::Key_F1);
        QTest::qWait(100);
        EXPECT_EQ(asked, pages ? 1 : 0);
        // The page it could not show, or the folder where the pages belong.
        const fs::path named = pages ? folder / "help-pages" / "index.html" : folder / "help";
        EXPECT_NE(told.find(named.string()), std::string::npos) << told;
    }
}

// Right after start-up the keyboard is at the table, not at a box: F1 there
// (delivered where the keyboard is, as the window system does) opens the
// contents, not the boxes' topic.
TEST(Help, F1RightAfterStartUpOpensTheContents)
{
    ProgramFolder folder;
    const fs::path bin = QCoreApplication::applicationDirPath().toStdString();
    fs::copy(bin / "help", folder / "help", fs::copy_options::recursive);
    const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    std::vector<QUrl> opened;
    s.app->commands().help().setOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    QWidget* keyboard = QApplication::focusWidget();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard, &s.window()) << keyboard->metaObject()->className();
    QTest::keyClick(keyboard, Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(fs::path(opened[0].toLocalFile().toStdString()), folder / "help-pages" / "index.html");
    EXPECT_EQ(opened[0].fragment().toStdString(), "");
}

}  // namespace
