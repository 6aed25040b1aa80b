#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/Menu.h"
#include "jigsaw/play/CommandIds.h"

namespace qv {

// What the commands do: one call a command, each given the command's
// argument and answering whether it handled it. PuzCommands carries them out.
class CommandCalls {
public:
    virtual ~CommandCalls() = default;

    virtual bool minimize(uint32_t) = 0;
    virtual bool maximize(uint32_t) = 0;
    virtual bool exit(uint32_t) = 0;
    virtual bool open(uint32_t) = 0;
    virtual bool save(uint32_t) = 0;
    virtual bool saveAs(uint32_t) = 0;
    virtual bool credits(uint32_t) = 0;
    virtual bool pause(uint32_t) = 0;
    virtual bool showBoxes(uint32_t hide) = 0;
    virtual bool hideBoxes(uint32_t hide) = 0;
    virtual bool autoHelp(uint32_t) = 0;
    virtual bool tidy(uint32_t spread) = 0;
    virtual bool preview(uint32_t) = 0;
    virtual bool previewHidden(uint32_t hidden) = 0;
    virtual bool showScore(uint32_t hide) = 0;
    virtual bool hideScore(uint32_t hide) = 0;
    virtual bool info(uint32_t) = 0;
    virtual bool ranking(uint32_t) = 0;
    virtual bool competition(uint32_t) = 0;
    virtual bool reopenLast(uint32_t) = 0;
    virtual bool addBox(uint32_t) = 0;
    virtual bool removeBox(uint32_t) = 0;
    virtual bool background(uint32_t) = 0;
    virtual bool help(uint32_t) = 0;
    virtual bool howToMake(uint32_t) = 0;
    virtual bool makePuzzle(uint32_t) = 0;
    virtual bool options(uint32_t) = 0;
    virtual bool advanced(uint32_t) = 0;
    virtual bool boxOptions(uint32_t box) = 0;
    virtual bool print(uint32_t) = 0;
    virtual bool nothing(uint32_t) = 0;
    virtual bool pasteScores(uint32_t) = 0;
    virtual bool postNothing(uint32_t) = 0;
    virtual bool sendToBox(uint32_t box) = 0;
    virtual bool windowMenu(uint32_t) = 0;
    virtual bool uncover(uint32_t) = 0;
    // False when Esc does not minimise (the option is off): the key is not ours then.
    virtual bool minimiseAnimated(uint32_t) = 0;
    virtual bool openLoupe(uint32_t) = 0;
    virtual bool undo(uint32_t) = 0;
    virtual bool redo(uint32_t) = 0;
    virtual bool gatherEdges(uint32_t box) = 0;
    virtual bool edgeView(uint32_t) = 0;
    virtual bool ghost(uint32_t percent) = 0;
    virtual bool shareCut(uint32_t) = 0;
    virtual bool progressLine(uint32_t) = 0;
    virtual bool zoomIn(uint32_t) = 0;
    virtual bool zoomOut(uint32_t) = 0;
    virtual bool zoomActual(uint32_t) = 0;
    virtual bool zoomWhole(uint32_t) = 0;
};

// What the menu states depend on, gathered when a menu opens.
struct CommandFacts {
    bool pieces = false;          // a game is open
    bool noHelp = false;          // the puzzle forbids the automatic help
    bool noPreview = false;       // the puzzle forbids the preview
    bool previewShown = false;
    bool rankingOpen = false;     // the game keeps scores
    bool competition = false;     // the game's competition option
    bool scoreHidden = false;     // the game's option that hides the score strip
    bool previewHidden = false;   // the game's option that hides the preview
    bool boxesHidden = false;     // the game's option that hides the boxes
    size_t boxes = 0;
    bool lastBoxEmpty = false;
    bool canUndo = false;
    bool canRedo = false;
    bool edgeView = false;        // only the edge pieces are shown
    int ghost = 0;                // the ghost picture's strength in percent
    bool progressLine = false;    // the player's setting: the progress line outside competition
    // The piece whose menu is open: where it lies (a box, or SPuz::OnTable;
    // -1: no piece menu is open) and whether its group is marked. Only its
    // sending entries ask.
    int pieceContainer = -1;
    bool pieceMarked = false;
    // The argument of the entry asked about: the show and hide entries of one
    // command differ only by it.
    uint32_t argument = 0;
};

using FactRule = bool (*)(const CommandFacts&);

struct CommandSpec {
    uint32_t id;
    bool (CommandCalls::*call)(uint32_t argument);
    FactRule enabled = nullptr;  // null: the menu's state is left as it is
    FactRule checked = nullptr;
    int hintText = 0;            // a mouse action shown beside the entry, after its key's name if it shows one
    // What the help's key list says the command does: a text, 0 its menu
    // caption, NotListed for keys that do nothing.
    int keyText = 0;
    static constexpr int NotListed = -1;
};

// A key and the command it sends. Down keys are matched with only Ctrl,
// Shift and Alt of their modifiers; the key matches when it has every
// modifier of need and none of forbid.
struct KeyBinding {
    enum Phase : uint8_t { Down, Up };
    Phase phase;
    unsigned need;
    unsigned forbid;
    unsigned key;
    uint32_t command;
    uint32_t argument = 0;
    bool hint = false;  // its name is the hint of the entry with this command and argument
    // The same key under another name (the keypad without Num Lock): the
    // help's list leaves it out.
    bool alias = false;
};

// The menu state of a command: what MenuHint fills in.
struct MenuState {
    std::optional<std::string> hint;
    std::optional<bool> enabled;
    std::optional<bool> checked;
};

namespace commands {

std::span<const CommandSpec> table();
std::span<const KeyBinding> keys();

const CommandSpec* find(uint32_t id);
// The first binding of the key as pressed (Down) or released (Up).
const KeyBinding* findKey(KeyBinding::Phase phase, unsigned modifiers, unsigned key);
// The words of key names, in the player's language: a translation's text
// by its variant (KeyWord), empty for the English word.
using KeyWords = std::function<std::string(int word)>;
// The translations' text of the words: one text, a variant a word.
constexpr int KeyWordsText = 4728;
enum KeyWord : int {
    WordCtrl, WordShift, WordAlt, WordInsert, WordDelete, WordSpace, WordEsc, WordEnter, WordTab,
    WordUp, WordDown, WordLeft, WordRight, WordHome, WordEnd, WordPageUp, WordPageDown, WordClear,
    WordNum, WordPrintScreen, WordBackspace, WordPause, KeyWordCount
};
// "Ctrl+O", "F5", "Alt+Num 1", "Shift": how a binding is written beside its
// menu entry and in the help.
std::string keyName(const KeyBinding& binding, const KeyWords& words = {});
// "Ctrl+Alt+": the names of the modifiers (fw::mod) as keyName writes them.
std::string modifierNames(unsigned modifiers, const KeyWords& words = {});
// The key shown beside the entry of a command with this argument, or null.
const KeyBinding* hintKey(uint32_t id, uint32_t argument = 0);

// Carries out a command; false when no command has that id, or its call did
// not handle it.
bool run(CommandCalls& calls, uint32_t id, uint32_t argument);
// The hint and states of a command's menu entry; none when the command
// does not say (its entry keeps its defaults).
std::optional<MenuState> menuState(uint32_t id, CommandFacts facts,
                                   const std::function<std::string(int)>& text, uint32_t argument = 0,
                                   const KeyWords& words = {});

// The play window's own menu (F10, a right click on the empty table), its
// entries named by the translation's captions and texts.
// boxes: how many boxes the game has (the edge pieces go into one of them).
fw::Menu windowMenu(const std::function<std::string(int id, int variant)>& caption,
                    const std::function<std::string(int id)>& text, size_t boxes = 0);

// The ghost picture's strengths the menu offers, in percent (0: off).
std::span<const int> ghostStrengths();

// A line of the help's key list: the keys and what they do.
struct KeyLine {
    std::vector<std::string> keys;  // a run: its first and its last key
    bool run = false;
    std::string effect;
    std::string keysText() const;   // "Insert, Num 0", "Alt+1 ... Alt+9"
};
// Every listed key of the key table, in its order; the keys of one command
// and argument share a line, and numbered runs (Alt+1 ... Alt+9) are one
// line too.
std::vector<KeyLine> keyList(const std::function<std::string(int id, int variant)>& caption,
                             const std::function<std::string(int id)>& text, const KeyWords& words = {});
// The list as the rows of an HTML table (the help's key page).
std::string keyListHtml(const std::vector<KeyLine>& lines, const std::function<std::string(int id)>& text);

}  // namespace commands

}  // namespace qv
