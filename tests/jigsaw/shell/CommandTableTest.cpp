#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/Events.h"
#include "framework/VirtualKey.h"
#include "jigsaw/shell/CommandTable.h"

using namespace qv;

namespace {

constexpr unsigned Ctrl = fw::mod::Ctrl, Shift = fw::mod::Shift, Alt = fw::mod::Alt;

// Records which call the table made, with its argument.
class RecordingCalls : public CommandCalls {
public:
    std::vector<std::pair<std::string, uint32_t>> calls;
    bool answer = true;

#define QV_RECORD(name)                        \
    bool name(uint32_t argument) override      \
    {                                          \
        calls.emplace_back(#name, argument);   \
        return answer;                         \
    }
    QV_RECORD(minimize)
    QV_RECORD(maximize)
    QV_RECORD(exit)
    QV_RECORD(open)
    QV_RECORD(save)
    QV_RECORD(saveAs)
    QV_RECORD(credits)
    QV_RECORD(pause)
    QV_RECORD(showBoxes)
    QV_RECORD(hideBoxes)
    QV_RECORD(autoHelp)
    QV_RECORD(tidy)
    QV_RECORD(preview)
    QV_RECORD(previewHidden)
    QV_RECORD(showScore)
    QV_RECORD(hideScore)
    QV_RECORD(info)
    QV_RECORD(ranking)
    QV_RECORD(competition)
    QV_RECORD(reopenLast)
    QV_RECORD(addBox)
    QV_RECORD(removeBox)
    QV_RECORD(background)
    QV_RECORD(help)
    QV_RECORD(howToMake)
    QV_RECORD(makePuzzle)
    QV_RECORD(options)
    QV_RECORD(advanced)
    QV_RECORD(boxOptions)
    QV_RECORD(print)
    QV_RECORD(nothing)
    QV_RECORD(pasteScores)
    QV_RECORD(postNothing)
    QV_RECORD(sendToBox)
    QV_RECORD(windowMenu)
    QV_RECORD(uncover)
    QV_RECORD(minimiseAnimated)
    QV_RECORD(openLoupe)
    QV_RECORD(undo)
    QV_RECORD(redo)
    QV_RECORD(gatherEdges)
    QV_RECORD(edgeView)
    QV_RECORD(ghost)
    QV_RECORD(shareCut)
    QV_RECORD(progressLine)
    QV_RECORD(zoomIn)
    QV_RECORD(zoomOut)
    QV_RECORD(zoomActual)
    QV_RECORD(zoomWhole)
#undef QV_RECORD
};

void collectMenuCommands(const fw::Menu& menu, std::vector<uint32_t>& out)
{
    for (const fw::Menu::Item& item : menu.items()) {
        if (item.kind == fw::Menu::Item::Command)
            out.push_back(item.command);
        else if (item.kind == fw::Menu::Item::Submenu && item.submenu)
            collectMenuCommands(*item.submenu, out);
    }
}

}  // namespace

// A command listed twice would never reach its second call, and a key or a
// menu entry without a command would do nothing.
TEST(CommandTable, EveryCommandOnceAndEveryKeyAndMenuEntryReachesOne)
{
    std::set<uint32_t> ids;
    for (const CommandSpec& c : commands::table()) {
        EXPECT_TRUE(ids.insert(c.id).second) << "command " << c.id << " listed twice";
        EXPECT_NE(c.call, nullptr) << c.id;
    }
    for (const KeyBinding& k : commands::keys())
        EXPECT_TRUE(ids.count(k.command)) << "key " << k.key << " sends " << k.command;
    std::vector<uint32_t> entries;
    collectMenuCommands(commands::windowMenu([](int, int) { return "x"; }, [](int) { return "y"; }), entries);
    EXPECT_GT(entries.size(), 20u);
    for (uint32_t id : entries)
        EXPECT_TRUE(ids.count(id)) << "menu entry " << id;
}

TEST(CommandTable, KeysFindTheirCommandWithTheirModifiersOnly)
{
    struct Case {
        KeyBinding::Phase phase;
        unsigned mods;
        unsigned key;
        std::optional<std::pair<uint32_t, uint32_t>> sent;  // command, argument
    };
    const std::pair<uint32_t, uint32_t> table{cmd::SendToBox, 255};
    const Case cases[] = {
        {KeyBinding::Down, Ctrl, 'O', {{cmd::Open, 0}}},
        {KeyBinding::Down, Ctrl | Shift, 'O', std::nullopt},
        {KeyBinding::Down, 0, 'O', std::nullopt},
        {KeyBinding::Down, Ctrl, 'R', {{cmd::Tidy, 0}}},
        {KeyBinding::Down, Alt, 'R', {{cmd::Tidy, 1}}},
        {KeyBinding::Down, Ctrl | Alt, 'R', {{cmd::Tidy, 1}}},
        {KeyBinding::Down, Alt, '3', {{cmd::SendToBox, 2}}},
        {KeyBinding::Down, Alt | Shift, '9', {{cmd::SendToBox, 8}}},
        {KeyBinding::Down, Ctrl | Alt, '3', std::nullopt},
        {KeyBinding::Down, Alt, fw::vk::Numpad0 + 6, {{cmd::SendToBox, 5}}},
        {KeyBinding::Down, Alt, fw::vk::End, {{cmd::SendToBox, 0}}},
        {KeyBinding::Down, Alt, fw::vk::Clear, {{cmd::SendToBox, 4}}},
        {KeyBinding::Down, Alt, 'Q', table},
        {KeyBinding::Down, Alt, fw::vk::Return, table},
        {KeyBinding::Down, Ctrl | Alt, 'Q', std::nullopt},
        {KeyBinding::Down, Alt, fw::vk::F1 + 9, {{cmd::WindowMenu, 0}}},
        {KeyBinding::Down, 0, fw::vk::F1 + 9, {{cmd::WindowMenu, 0}}},
        {KeyBinding::Down, Alt, fw::vk::F1, std::nullopt},
        {KeyBinding::Down, Shift, fw::vk::F1, std::nullopt},
        {KeyBinding::Down, 0, fw::vk::F1 + 3, {{cmd::Ranking, 0}}},
        {KeyBinding::Down, Shift, fw::vk::Shift, {{cmd::OpenLoupe, 0}}},
        {KeyBinding::Down, Ctrl | Shift, fw::vk::Shift, std::nullopt},
        {KeyBinding::Down, 0, fw::vk::Numpad0, {{cmd::Preview, 0}}},
        {KeyBinding::Down, 0, 'Z', {{cmd::Uncover, 0}}},
        {KeyBinding::Down, Ctrl, 'Z', {{cmd::Undo, 0}}},
        {KeyBinding::Down, Ctrl, 'Y', {{cmd::Redo, 0}}},
        {KeyBinding::Down, Ctrl | Shift, 'Z', {{cmd::Redo, 0}}},
        {KeyBinding::Down, Ctrl | Alt, 'Z', std::nullopt},
        {KeyBinding::Down, Ctrl, 'E', {{cmd::EdgeView, 0}}},
        {KeyBinding::Down, 0, fw::vk::Escape, {{cmd::MinimiseAnimated, 0}}},
        // The automatic help runs on release only, and not for a held key.
        {KeyBinding::Down, 0, fw::vk::F1 + 4, std::nullopt},
        {KeyBinding::Up, 0, fw::vk::F1 + 4, {{cmd::AutoHelp, 0}}},
        {KeyBinding::Up, Ctrl, fw::vk::F1 + 4, {{cmd::AutoHelp, 0}}},
        {KeyBinding::Up, fw::mod::Repeat, fw::vk::F1 + 4, std::nullopt},
        {KeyBinding::Up, Ctrl, 'O', std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "phase " << int(c.phase) << " mods " << c.mods << " key " << c.key);
        const KeyBinding* found = commands::findKey(c.phase, c.mods, c.key);
        ASSERT_EQ(found != nullptr, c.sent.has_value());
        if (found) {
            EXPECT_EQ(found->command, c.sent->first);
            EXPECT_EQ(found->argument, c.sent->second);
        }
    }
}

TEST(CommandTable, RunMakesTheCommandsCallWithItsArgument)
{
    RecordingCalls calls;
    EXPECT_TRUE(commands::run(calls, cmd::HideBoxes, 1));
    EXPECT_TRUE(commands::run(calls, cmd::Exit2, 0));
    EXPECT_TRUE(commands::run(calls, cmd::SelectPicture, 0));
    EXPECT_TRUE(commands::run(calls, cmd::BoxOptions, 4));
    EXPECT_FALSE(commands::run(calls, 4242, 0));
    const std::vector<std::pair<std::string, uint32_t>> made{
        {"hideBoxes", 1}, {"exit", 0}, {"makePuzzle", 0}, {"boxOptions", 4}};
    EXPECT_EQ(calls.calls, made);
    // A call that declines (Esc when it does not minimise) leaves the key to others.
    calls.answer = false;
    EXPECT_FALSE(commands::run(calls, cmd::MinimiseAnimated, 0));
}

TEST(CommandTable, MenuEntriesShowTheirKeyAndFollowTheGame)
{
    const auto text = [](int id) { return "text " + std::to_string(id); };
    CommandFacts none;
    CommandFacts game;
    game.pieces = true;
    game.boxes = 6;
    game.lastBoxEmpty = true;
    game.rankingOpen = true;

    const auto save = commands::menuState(cmd::Save, none, text);
    ASSERT_TRUE(save);
    EXPECT_EQ(save->hint, "Ctrl+S");
    EXPECT_EQ(save->enabled, false);
    EXPECT_EQ(commands::menuState(cmd::Save, game, text)->enabled, true);
    EXPECT_EQ(commands::menuState(cmd::Open, none, text)->hint, "Ctrl+O");
    EXPECT_FALSE(commands::menuState(cmd::Open, none, text)->enabled);  // always as the menu has it
    EXPECT_EQ(commands::menuState(cmd::Ranking, game, text)->hint, "F4");

    CommandFacts noHelp = game;
    noHelp.noHelp = true;
    EXPECT_EQ(commands::menuState(cmd::AutoHelp, game, text)->hint, "F5");
    EXPECT_EQ(commands::menuState(cmd::AutoHelp, game, text)->enabled, true);
    EXPECT_EQ(commands::menuState(cmd::AutoHelp, noHelp, text)->enabled, false);

    CommandFacts shown = game;
    shown.previewShown = true;
    const auto preview = commands::menuState(cmd::Preview, shown, text);
    EXPECT_EQ(preview->hint, "Insert, text 4739");  // the key, then the click
    EXPECT_EQ(preview->checked, true);
    EXPECT_FALSE(commands::menuState(cmd::PreviewHidden, game, text)->hint);

    // The boxes: at most nine, and only an empty last one is removed.
    CommandFacts nine = game, full = game;
    nine.boxes = 9;
    full.lastBoxEmpty = false;
    EXPECT_EQ(commands::menuState(cmd::AddBox, game, text)->enabled, true);
    EXPECT_EQ(commands::menuState(cmd::AddBox, nine, text)->enabled, false);
    EXPECT_EQ(commands::menuState(cmd::RemoveBox, game, text)->enabled, true);
    EXPECT_EQ(commands::menuState(cmd::RemoveBox, full, text)->enabled, false);

    // Of showing and hiding the strip, only the entry that changes something.
    CommandFacts hidden = game;
    hidden.scoreHidden = true;
    EXPECT_EQ(commands::menuState(cmd::ShowScore, game, text)->enabled, false);
    EXPECT_EQ(commands::menuState(cmd::HideScore, game, text)->enabled, true);
    EXPECT_EQ(commands::menuState(cmd::ShowScore, hidden, text)->enabled, true);
    EXPECT_EQ(commands::menuState(cmd::HideScore, hidden, text)->enabled, false);

    // The preview and the boxes likewise; hiding with argument 0 shows.
    const struct {
        uint32_t command, argument;
        bool whenShown, whenHidden;
    } toggles[] = {
        {cmd::PreviewHidden, 1, true, false},
        {cmd::PreviewHidden, 0, false, true},
        {cmd::HideBoxes, 1, true, false},
        {cmd::HideBoxes, 0, false, true},
        {cmd::ShowBoxes, 0, false, true},
    };
    for (const auto& t : toggles) {
        SCOPED_TRACE(testing::Message() << t.command << " with " << t.argument);
        CommandFacts off = game, on = game;
        on.previewHidden = on.boxesHidden = true;
        EXPECT_EQ(commands::menuState(t.command, off, text, t.argument)->enabled, t.whenShown);
        EXPECT_EQ(commands::menuState(t.command, on, text, t.argument)->enabled, t.whenHidden);
        EXPECT_EQ(commands::menuState(t.command, none, text, t.argument)->enabled, false);
    }
    CommandFacts forbidden = game;
    forbidden.noPreview = true;
    EXPECT_EQ(commands::menuState(cmd::PreviewHidden, forbidden, text, 1)->enabled, false);

    // Entries that say nothing keep their defaults.
    EXPECT_FALSE(commands::menuState(cmd::Exit, game, text));
    EXPECT_FALSE(commands::menuState(cmd::Credits, game, text));
}

TEST(CommandTable, TheAidsFollowTheHistoryTheBoxesAndCompetition)
{
    const auto text = [](int id) { return "text " + std::to_string(id); };
    CommandFacts game;
    game.pieces = true;
    game.boxes = 2;
    CommandFacts back = game;
    back.canUndo = true;
    EXPECT_EQ(commands::menuState(cmd::Undo, game, text)->hint, "Ctrl+Z");
    EXPECT_EQ(commands::menuState(cmd::Undo, game, text)->enabled, false);
    EXPECT_EQ(commands::menuState(cmd::Undo, back, text)->enabled, true);
    EXPECT_EQ(commands::menuState(cmd::Redo, back, text)->hint, "Ctrl+Y");
    EXPECT_EQ(commands::menuState(cmd::Redo, back, text)->enabled, false);

    // Into each box the game has, or a new one while there is room.
    CommandFacts nine = game;
    nine.boxes = 9;
    EXPECT_EQ(commands::menuState(cmd::GatherEdges, game, text, 1)->enabled, true);
    EXPECT_EQ(commands::menuState(cmd::GatherEdges, game, text, 2)->enabled, false);
    EXPECT_EQ(commands::menuState(cmd::GatherEdges, game, text, cmd::GatherIntoNewBox)->enabled, true);
    EXPECT_EQ(commands::menuState(cmd::GatherEdges, nine, text, cmd::GatherIntoNewBox)->enabled, false);

    // The ghost: the strength chosen is checked; a competition game has none.
    CommandFacts ghost = game, race = game;
    ghost.ghost = 30;
    race.ghost = 30;
    race.competition = true;
    EXPECT_EQ(commands::menuState(cmd::Ghost, ghost, text, 30)->checked, true);
    EXPECT_EQ(commands::menuState(cmd::Ghost, ghost, text, 0)->checked, false);
    EXPECT_EQ(commands::menuState(cmd::Ghost, game, text, 0)->checked, true);
    EXPECT_EQ(commands::menuState(cmd::Ghost, race, text, 30)->enabled, false);
    EXPECT_EQ(commands::menuState(cmd::Ghost, race, text, 30)->checked, false);

    // The menu offers a gathering entry for each box and one for a new box.
    std::vector<uint32_t> entries;
    collectMenuCommands(commands::windowMenu([](int, int) { return "x"; }, [](int) { return "Box %i"; }, 3), entries);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), cmd::GatherEdges), 4);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), cmd::Ghost),
              static_cast<long>(commands::ghostStrengths().size()));
    for (uint32_t id : {cmd::Undo, cmd::Redo, cmd::EdgeView})
        EXPECT_EQ(std::count(entries.begin(), entries.end(), id), 1) << id;
}

// Every kind of key is written by its name, never as the byte of its code;
// the words come from the player's language where it has them.
TEST(CommandTable, KeyNamesWriteEveryKindOfKey)
{
    const auto bound = [](unsigned need, unsigned key) {
        return KeyBinding{KeyBinding::Down, need, 0, key, cmd::NoHandler};
    };
    const struct {
        unsigned need, key;
        const char* english;
        const char* german;
    } cases[] = {
        {Ctrl, 'O', "Ctrl+O", "Strg+O"},
        {Ctrl | Shift, 'Z', "Ctrl+Shift+Z", "Strg+Umschalt+Z"},
        {0, fw::vk::F1 + 1, "F2", "F2"},
        {Alt, fw::vk::F1 + 9, "Alt+F10", "Alt+F10"},
        {0, fw::vk::F1 + 23, "F24", "F24"},
        {0, fw::vk::Insert, "Insert", "Einfg"},
        {0, fw::vk::Space, "Space", "Leertaste"},
        {0, fw::vk::Escape, "Esc", "Esc"},
        {0, fw::vk::Up, "Up", "Pfeil oben"},
        {Alt, fw::vk::Return, "Alt+Enter", "Alt+Eingabe"},
        {Alt, '1', "Alt+1", "Alt+1"},
        {Alt, fw::vk::Numpad0 + 1, "Alt+Num 1", "Alt+Num 1"},
        {0, fw::vk::Numpad0, "Num 0", "Num 0"},
        {0, fw::vk::Add, "Num +", "Num +"},
        {Alt, fw::vk::Next, "Alt+Page Down", "Alt+Bild ab"},
        {0, fw::vk::Snapshot, "Print Screen", "Druck"},
        // A modifier pressed on its own is named once.
        {Shift, fw::vk::Shift, "Shift", "Umschalt"},
        {0, 0xE5, "0xE5", "0xE5"},
    };
    const std::vector<std::pair<int, std::string>> german{
        {commands::WordCtrl, "Strg"},       {commands::WordShift, "Umschalt"}, {commands::WordInsert, "Einfg"},
        {commands::WordSpace, "Leertaste"}, {commands::WordUp, "Pfeil oben"},  {commands::WordEnter, "Eingabe"},
        {commands::WordPageDown, "Bild ab"}, {commands::WordPrintScreen, "Druck"},
    };
    // Words the translation lacks stay English (Esc, Num).
    const commands::KeyWords words = [&](int w) {
        for (const auto& [id, word] : german)
            if (id == w)
                return word;
        return std::string();
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commands::keyName(bound(c.need, c.key)), c.english);
        EXPECT_EQ(commands::keyName(bound(c.need, c.key), words), c.german);
    }
    EXPECT_EQ(commands::modifierNames(Ctrl | Alt, words), "Strg+Alt+");
}

// An entry shows the key that sends its own argument: each box its number.
TEST(CommandTable, EntriesShowTheKeyOfTheirArgumentAndSendWhereTheKeyWould)
{
    const auto text = [](int id) { return "text " + std::to_string(id); };
    CommandFacts onTable;
    onTable.pieces = true;
    onTable.boxes = 3;
    onTable.pieceContainer = 255;
    const struct {
        uint32_t command, argument;
        std::optional<std::string> hint;
    } hints[] = {
        {cmd::SendToBox, 0, "Alt+1"},  {cmd::SendToBox, 2, "Alt+3"}, {cmd::SendToBox, 8, "Alt+9"},
        {cmd::SendToBox, 255, "Alt+Q"}, {cmd::Tidy, 0, "Ctrl+R"},    {cmd::Info, 0, "F2"},
        {cmd::OpenLoupe, 0, "Shift"},   {cmd::PasteScores, 0, "Ctrl+V"}, {cmd::EdgeView, 0, "Ctrl+E"},
        // No entry shows Alt+R's wider tidying, nor a box past the keys.
        {cmd::Tidy, 1, std::nullopt},  {cmd::SendToBox, 9, std::nullopt},
    };
    for (const auto& h : hints) {
        const auto state = commands::menuState(h.command, onTable, text, h.argument);
        ASSERT_TRUE(state) << h.command;
        EXPECT_EQ(state->hint, h.hint) << h.command << " with " << h.argument;
    }

    // Not to where the piece lies, not beyond the game's boxes, not a marked
    // group, nothing without a piece menu.
    CommandFacts inBox = onTable, marked = onTable, none, noPiece = onTable;
    noPiece.pieceContainer = -1;
    inBox.pieceContainer = 1;
    marked.pieceMarked = true;
    const struct {
        const CommandFacts& facts;
        uint32_t box;
        bool enabled;
    } sending[] = {
        {onTable, 0, true}, {onTable, 2, true},  {onTable, 3, false}, {onTable, 255, false},
        {inBox, 1, false},  {inBox, 0, true},    {inBox, 255, true},  {marked, 0, false},
        {marked, 255, false}, {none, 0, false},   {noPiece, 0, false}, {noPiece, 255, false},
    };
    for (const auto& s : sending)
        EXPECT_EQ(commands::menuState(cmd::SendToBox, s.facts, text, s.box)->enabled, s.enabled)
            << "box " << s.box << " from " << s.facts.pieceContainer << (s.facts.pieceMarked ? " marked" : "");
}

// A submenu opens no window: its caption has no dots (an entry opening a
// dialog keeps them).
TEST(CommandTable, SubmenuCaptionsHaveNoDots)
{
    const auto caption = [](int id, int) { return "caption " + std::to_string(id) + "..."; };
    const fw::Menu menu = commands::windowMenu(caption, [](int id) { return "text " + std::to_string(id); }, 2);
    std::vector<std::string> submenus;
    std::function<void(const fw::Menu&)> walk = [&](const fw::Menu& m) {
        for (const fw::Menu::Item& item : m.items())
            if (item.kind == fw::Menu::Item::Submenu) {
                submenus.push_back(item.text);
                walk(*item.submenu);
            }
    };
    walk(menu);
    EXPECT_EQ(submenus.size(), 4u);  // the boxes, the edge pieces, the zoom, the ghost picture
    for (const std::string& s : submenus)
        EXPECT_NE(s.substr(s.size() >= 3 ? s.size() - 3 : 0), "...") << s;
    EXPECT_EQ(menu.items().at(0).text, "caption 101...") << "an entry opening a dialog keeps its dots";
}

// The help's list: one line a command and argument, numbered runs in one
// line, the keypad's second names and the keys that do nothing left out.
TEST(CommandTable, TheKeyListNamesEveryKeyOnceInTheTablesOrder)
{
    const auto caption = [](int id, int) { return id == cmd::Info ? std::string("&Information...") : "c" + std::to_string(id); };
    const auto text = [](int id) { return id == 4733 ? std::string("to box %s") : "t" + std::to_string(id); };
    const std::vector<commands::KeyLine> lines = commands::keyList(caption, text);
    std::vector<std::pair<std::string, std::string>> got;
    for (const commands::KeyLine& l : lines)
        got.emplace_back(l.keysText(), l.effect);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"F5", "c1102"},
        {"Ctrl+O", "c101"},
        {"Ctrl+S", "c102"},
        {"Ctrl+A", "c103"},
        {"Ctrl+B", "c170"},
        {"Ctrl+P", "c1009"},
        {"Ctrl+R", "c1103"},
        {"Ctrl+C", "c1300"},
        {"Ctrl+V", "t4732"},
        {"Ctrl+Z", "c1170"},
        {"Ctrl+Y, Ctrl+Shift+Z", "c1171"},
        {"Ctrl+E", "c1173"},
        {"Ctrl++, Ctrl+Num +", "c1180"},
        {"Ctrl+-, Ctrl+Num -", "c1181"},
        {"Ctrl+0", "c1182"},
        {"Ctrl+9", "c1183"},
        {"Alt+R", "t4737"},
        {"Alt+1 \x85 Alt+9", "to box 1 \x85 9"},
        {"Alt+Num 1 \x85 Alt+Num 6", "to box 1 \x85 6"},
        {"Alt+Q, Alt+Enter", "t4734"},
        {"Alt+F10, F10", "t4731"},
        {"Shift", "t4736"},
        {"F1", "c119"},
        {"F2", "Information"},
        {"F3", "c1008"},
        {"F4", "c3020"},
        {"Insert, Num 0", "c1104"},
        {"Space, Up, Z", "t4738"},
        {"Esc", "t4735"},
    };
    EXPECT_EQ(got, expected);

    const std::string html = commands::keyListHtml(
        {{{"Strg+\xc4", "Num 0"}, false, "a<b & c"}, {{"Alt+1", "Alt+9"}, true, "x"}},
        [](int id) { return id == 4729 ? std::string("Taste") : std::string("Wirkung"); });
    EXPECT_EQ(html,
              "<table>\n<tr><th>Taste</th><th>Wirkung</th></tr>\n"
              "<tr><td><kbd>Strg+\xc3\x84</kbd>, <kbd>Num 0</kbd></td><td>a&lt;b &amp; c</td></tr>\n"
              "<tr><td><kbd>Alt+1</kbd> &hellip; <kbd>Alt+9</kbd></td><td>x</td></tr>\n</table>\n");
}
