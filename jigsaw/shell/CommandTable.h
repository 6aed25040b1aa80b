#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

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
    int hintText = 0;            // a text shown beside the entry; 0: its key's name, if it shows one
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
    bool hint = false;  // its name is the menu entry's hint
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
// "Ctrl+O", "F5": how a binding is written beside its menu entry.
std::string keyName(const KeyBinding& binding);

// Carries out a command; false when no command has that id, or its call did
// not handle it.
bool run(CommandCalls& calls, uint32_t id, uint32_t argument);
// The hint and states of a command's menu entry; none when the command
// does not say (its entry keeps its defaults).
std::optional<MenuState> menuState(uint32_t id, CommandFacts facts,
                                   const std::function<std::string(int)>& text, uint32_t argument = 0);

// The play window's own menu (F10, a right click on the empty table), its
// entries named by the translation's captions and texts.
// boxes: how many boxes the game has (the edge pieces go into one of them).
fw::Menu windowMenu(const std::function<std::string(int id, int variant)>& caption,
                    const std::function<std::string(int id)>& text, size_t boxes = 0);

// The ghost picture's strengths the menu offers, in percent (0: off).
std::span<const int> ghostStrengths();

}  // namespace commands

}  // namespace qv
