// The keys in sight: every key of the key table shows beside the entries of
// its command in the menus as they open (the play window's, a piece's, a
// box's), in the player's language; the piece menu sends where Alt and a
// box's number would; the help's key page is the table's.
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>

#include "Drive.h"
#include "ShellFixture.h"
#include "framework/Events.h"
#include "framework/qt/MenuBuilder.h"
#include "framework/qt/Text.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/shell/CommandTable.h"
#include "jigsaw/shell/windows/PuzCommands.h"
#include "jigsaw/shell/windows/ShellHelp.h"

using namespace shelltest;
namespace fs = std::filesystem;

namespace {

// An entry as shown: its command, argument, caption and hint (after the tab).
struct Shown {
    uint32_t command, argument;
    std::string caption, hint;
    bool enabled;
};

void collect(const QMenu& menu, const std::string& where, std::vector<Shown>& entries,
             std::vector<std::string>& submenus)
{
    for (QAction* a : menu.actions()) {
        if (a->isSeparator())
            continue;
        const std::string label = fw::fromQString(a->text());
        if (a->menu()) {
            submenus.push_back(where + " > " + label);
            collect(*a->menu(), where + " > " + label, entries, submenus);
            continue;
        }
        const auto choice = fw::MenuBuilder::choiceOf(a);
        if (!choice)
            continue;
        const size_t tab = label.find('\t');
        entries.push_back({choice->command, choice->argument, label.substr(0, tab),
                           tab == std::string::npos ? std::string() : label.substr(tab + 1), a->isEnabled()});
    }
}


// A loose piece on the table whose centre hits it (nothing lies over it).
int pieceOnTop(qv::WPuz& w)
{
    qv::Puz& puz = w.context().puz;
    for (const qv::SPuz& p : puz.pieces) {
        if (p.box != qv::SPuz::OnTable || (p.flags & qv::PlayRules::Marked))
            continue;
        const QPoint c = centreInPlay(w, p);
        if (!w.rect().adjusted(40, 40, -300, -300).contains(c))
            continue;
        const QPoint at = w.toSurface(c);
        if (w.rules().HitTest(qv::SPuz::OnTable, {static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y())}) ==
            p.index)
            return p.index;
    }
    return -1;
}

std::vector<Shown> pieceMenuOf(qv::WPuz& w, int piece, std::vector<std::string>& submenus)
{
    std::vector<Shown> entries;
    const QPoint at = centreInPlay(w, w.context().puz.pieces[piece]);
    whileMenuIsOpen([&] { press(w, Qt::RightButton, at); },
                    [&](QMenu& m) { collect(m, "piece", entries, submenus); });
    release(w, Qt::RightButton, at);
    return entries;
}

class Shortcuts : public ::testing::TestWithParam<const char*> {};

TEST_P(Shortcuts, EveryKeyShowsBesideEachEntryOfItsCommandInEveryMenu)
{
    const std::string code = GetParam();
    ProgramFolder folder("[Main]\r\nOptions=4096\r\nlang=" + code + "\r\n");
    const auto puzzle = makePuzzle(folder / "p.puz", 6, 4);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::WPuz& w = s.window();
    qv::PuzCommands& commands = s.app->commands();
    ASSERT_FALSE(w.boxes().empty());

    std::vector<Shown> entries;
    std::vector<std::string> submenus;
    {
        std::unique_ptr<QMenu> menu(fw::MenuBuilder::build(w.windowMenu(), &w, &w));
        collect(*menu, "play window", entries, submenus);
    }
    for (const auto& box : w.boxes()) {
        std::unique_ptr<QMenu> menu(fw::MenuBuilder::build(box->windowMenu(), box.get(), &w));
        collect(*menu, "box", entries, submenus);
    }
    const int piece = pieceOnTop(w);
    ASSERT_GE(piece, 0);
    const std::vector<Shown> ofPiece = pieceMenuOf(w, piece, submenus);
    ASSERT_FALSE(ofPiece.empty());
    entries.insert(entries.end(), ofPiece.begin(), ofPiece.end());
    // A piece offers uncovering only while it lies over another group: the
    // table is asked for that entry's hint as its menu would ask.
    fw::MenuHintEvent uncover(qv::cmd::PieceUncover);
    fw::Dispatch(uncover, w);
    entries.push_back({qv::cmd::PieceUncover, 0, "uncover", uncover.hint, true});

    // Keys whose command has no entry of its own, and why.
    const std::map<uint32_t, const char*> noEntry{
        {qv::cmd::WindowMenu, "F10 opens the menu itself"},
        {qv::cmd::MinimiseAnimated, "Esc minimises only when the options say so; Minimise is a command of its own"},
        {qv::cmd::NoHandler, "Print Screen is taken so that nothing acts on it"},
        {qv::cmd::PostNothing, "Ctrl+T does nothing"},
    };
    // Keys whose entry is another command doing the same for the menu's piece.
    const std::map<uint32_t, uint32_t> entryOf{{qv::cmd::Uncover, qv::cmd::PieceUncover}};

    std::map<std::pair<uint32_t, uint32_t>, std::vector<std::string>> names;  // (entry's command, argument)
    for (const qv::KeyBinding& k : qv::commands::keys()) {
        const auto other = entryOf.find(k.command);
        names[{other == entryOf.end() ? k.command : other->second, k.argument}].push_back(commands.keyName(k));
    }
    std::set<uint32_t> inMenus;
    for (const Shown& e : entries)
        inMenus.insert(e.command);
    for (const auto& [entry, keys] : names) {
        if (noEntry.count(entry.first))
            continue;
        EXPECT_TRUE(inMenus.count(entry.first)) << code << ": no menu offers command " << entry.first << " of key "
                                                 << keys.front();
    }
    for (const Shown& e : entries) {
        const auto keys = names.find({e.command, e.argument});
        if (keys == names.end())
            continue;
        bool shown = false;
        for (const std::string& k : keys->second)
            shown = shown || e.hint.find(k) != std::string::npos;
        EXPECT_TRUE(shown) << code << ": \"" << e.caption << "\" shows \"" << e.hint << "\", not "
                           << ::testing::PrintToString(keys->second);
    }
    for (const std::string& sub : submenus)
        EXPECT_NE(sub.substr(sub.size() - 3), "...") << sub;
    EXPECT_EQ(submenus.size(), 5u) << ::testing::PrintToString(submenus);  // boxes, edges, zoom, ghost; send to box
}

INSTANTIATE_TEST_SUITE_P(Languages, Shortcuts, ::testing::Values("eng", "deu"));

// The piece menu sends the piece's group as Alt and the box's number would
// send the group under the pointer: whole, not into the box it is in, not
// when marked, and back to the table from a box.
TEST(ShortcutsMenu, ThePieceMenuSendsItsGroupWhereTheKeyWould)
{
    ProgramFolder folder;
    const auto puzzle = makePuzzle(folder / "p.puz", 6, 4);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::WPuz& w = s.window();
    qv::Puz& puz = s.puz();
    ASSERT_GE(w.boxes().size(), 2u);
    const auto plan = findJoin(w);
    ASSERT_TRUE(plan);
    carryAndDrop(w, *plan);
    const std::vector<int> group = w.rules().group(plan->piece).pieces();
    ASSERT_GE(group.size(), 2u) << "the fixture's join";
    const auto where = [&] {
        std::set<uint8_t> boxes;
        for (int p : group)
            boxes.insert(puz.pieces[p].box);
        return boxes;
    };

    std::vector<std::string> submenus;
    const QPoint at = centreInPlay(w, puz.pieces[plan->piece]);
    whileMenuIsOpen([&] { press(w, Qt::RightButton, at); }, [](QMenu&) {}, qv::cmd::SendToBox, 1);
    release(w, Qt::RightButton, at);
    waitFor([&] { return where() == std::set<uint8_t>{1}; }, 2000);
    EXPECT_EQ(where(), std::set<uint8_t>{1}) << "the whole group into box 2";

    // In its box: that box's entry is off, the table's sends it back.
    qv::WBox& box = *w.box(1);
    box.setClosed(false);
    box.show();
    box.raise();
    QApplication::processEvents();
    const QPoint inBox = centreInPlay(w, puz.pieces[plan->piece]);
    ASSERT_TRUE(box.geometry().contains(inBox));
    std::vector<Shown> entries;
    whileMenuIsOpen([&] { press(w, Qt::RightButton, inBox); },
                    [&](QMenu& m) { collect(m, "piece", entries, submenus); }, qv::cmd::SendToBox,
                    qv::SPuz::OnTable);
    release(w, Qt::RightButton, inBox);
    std::map<uint32_t, bool> enabled;
    for (const Shown& e : entries)
        if (e.command == qv::cmd::SendToBox)
            enabled[e.argument] = e.enabled;
    EXPECT_EQ(enabled.size(), w.boxes().size() + 1);
    EXPECT_FALSE(enabled[1]) << "the box it lies in";
    EXPECT_TRUE(enabled[0]);
    EXPECT_TRUE(enabled[qv::SPuz::OnTable]);
    waitFor([&] { return where() == std::set<uint8_t>{qv::SPuz::OnTable}; }, 2000);
    EXPECT_EQ(where(), std::set<uint8_t>{qv::SPuz::OnTable}) << "back to the table";

    // A marked group is not sent: its entries are off.
    const int piece = pieceOnTop(w);
    ASSERT_GE(piece, 0);
    w.markGroup(w, piece, true);
    entries.clear();
    pieceMenuOf(w, piece, submenus).swap(entries);
    bool anyOn = false, anySending = false;
    for (const Shown& e : entries)
        if (e.command == qv::cmd::SendToBox) {
            anySending = true;
            anyOn = anyOn || e.enabled;
        }
    EXPECT_TRUE(anySending);
    EXPECT_FALSE(anyOn) << "a marked group stays";
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string listOf(const std::string& page)
{
    const size_t start = page.find(qv::ShellHelp::ListStart), end = page.find(qv::ShellHelp::ListEnd);
    if (start == std::string::npos || end == std::string::npos || end < start)
        return {};
    return page.substr(start, end - start);
}

// The help's key page shows the key table in the player's language; the
// page as shipped holds the English list the program makes, so that it
// cannot drift from the table.
TEST(ShortcutsHelp, TheKeyPageIsTheKeyTableInThePlayersLanguage)
{
    const fs::path bin = QCoreApplication::applicationDirPath().toStdString();
    const std::string shipped = readFile(fs::path(QV_SOURCE_DIR) / "jigsaw/resources/help" / qv::ShellHelp::KeyPage);
    ASSERT_FALSE(listOf(shipped).empty()) << "the page has the marks of its list";
    for (const char* code : {"eng", "deu"}) {
        ProgramFolder folder(std::string("[Main]\r\nOptions=4096\r\nlang=") + code + "\r\n");
        fs::copy(bin / "help", folder / "help", fs::copy_options::recursive);
        const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
        Started s(folder, puzzle.string());
        ASSERT_EQ(s.status, 0);
        std::vector<QUrl> opened;
        s.app->commands().help().setOpener([&](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        s.window().setFocus();
        QTest::keyClick(&s.window(), Qt::Key_F1);
        ASSERT_EQ(opened.size(), 1u);
        const fs::path pages = fs::path(opened[0].toLocalFile().toStdString()).parent_path();
        EXPECT_NE(pages, folder / "help") << "shown from the copy with the list";
        const std::string page = readFile(pages / qv::ShellHelp::KeyPage);
        const std::string list = listOf(page);
        EXPECT_EQ(page.substr(0, page.find(qv::ShellHelp::ListStart)),
                  shipped.substr(0, shipped.find(qv::ShellHelp::ListStart)))
            << "the rest of the page as shipped";
        EXPECT_TRUE(fs::exists(pages / "help.css"));
        if (std::string(code) == "eng") {
            EXPECT_EQ(list, listOf(shipped)) << "the shipped page's list is not the table's:\n" << list;
            EXPECT_NE(list.find("<kbd>Ctrl+O</kbd>"), std::string::npos);
        } else {
            // Umlauts in UTF-8, the page's own code.
            EXPECT_NE(list.find("<kbd>Strg+O</kbd>"), std::string::npos) << list;
            EXPECT_NE(list.find("<kbd>Einfg</kbd>, <kbd>Num 0</kbd>"), std::string::npos) << list;
            EXPECT_NE(list.find("Die Lupe \xc3\xb6" "ffnen oder schlie\xc3\x9f" "en"), std::string::npos) << list;
        }
    }
}

TEST(ShortcutsHelp, TheListReplacesOnlyWhatLiesBetweenItsMarks)
{
    const std::string page = std::string("<h1>Keys</h1>") + qv::ShellHelp::ListStart + "\nold\n" +
                             qv::ShellHelp::ListEnd + "<p>after</p>";
    EXPECT_EQ(qv::ShellHelp::WithKeyList(page, "<table>new</table>\n"),
              std::string("<h1>Keys</h1>") + qv::ShellHelp::ListStart + "\n<table>new</table>\n" +
                  qv::ShellHelp::ListEnd + "<p>after</p>");
    EXPECT_EQ(qv::ShellHelp::WithKeyList("<h1>No marks</h1>", "x"), "<h1>No marks</h1>");
    const std::string reversed = std::string(qv::ShellHelp::ListEnd) + qv::ShellHelp::ListStart;
    EXPECT_EQ(qv::ShellHelp::WithKeyList(reversed, "x"), reversed);
}

}  // namespace

namespace {

// Where the copy cannot be made (its folder would lie below a file), the
// installed pages are shown as they are.
TEST(ShortcutsHelp, WithoutACopyTheInstalledPagesAreShown)
{
    ProgramFolder folder;
    fs::create_directories(folder / "help");
    folder.writeFile("help/index.html", "<h1>Help</h1>");
    folder.writeFile(std::string("help/") + qv::ShellHelp::KeyPage,
                     std::string(qv::ShellHelp::ListStart) + "shipped" + qv::ShellHelp::ListEnd);
    folder.writeFile("blocker", "a file, not a folder");
    const struct {
        fs::path copy;
        fs::path shown;
        const char* list;
    } cases[] = {
        {folder / "pages", folder / "pages", "made"},
        {folder / "blocker" / "pages", folder / "help", "shipped"},
    };
    for (const auto& c : cases) {
        qv::ShellHelp help(folder.path());
        std::vector<QUrl> opened;
        help.setOpener([&](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        help.setKeyList(c.copy, [] { return std::string("made"); });
        EXPECT_TRUE(help.Show(0).ok()) << c.copy;
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(fs::path(opened[0].toLocalFile().toStdString()), c.shown / "index.html");
        const std::string page = readFile(c.shown / qv::ShellHelp::KeyPage);
        EXPECT_NE(page.find(c.list), std::string::npos) << page;
    }
}

}  // namespace
