#include "jigsaw/shell/CommandTable.h"

#include <array>

#include "framework/Events.h"
#include "framework/VirtualKey.h"
#include "jigsaw/document/SPuz.h"

namespace qv {

namespace {

using C = CommandCalls;
using F = const CommandFacts&;

constexpr int kPreviewHint = 3301;  // the preview entry's keys and click
constexpr int kBoxesTitle = 2600;
constexpr int kBackgroundTitle = 3000;
// Our own texts: the submenus of the edge pieces and of the ghost picture,
// an entry of a box, the names of the ghost's strengths.
constexpr int kEdgesTitle = 4700;
constexpr int kGatherIntoBox = 4701;
constexpr int kGhostTitle = 4702;
constexpr int kGhostNames = 4703;  // 4703 off, then one a strength
constexpr int kGhostStrengths[] = {0, 15, 30, 50};

// Each command: its id, the call it makes, when its menu entry is enabled
// and checked, and the text beside it.
const CommandSpec kCommands[] = {
    {cmd::Minimize, &C::minimize},
    {cmd::Maximize, &C::maximize},
    {cmd::Exit, &C::exit},
    {cmd::Exit2, &C::exit},
    {cmd::Open, &C::open},
    {cmd::Save, &C::save, [](F f) { return f.pieces; }},
    {cmd::SaveAs, &C::saveAs, [](F f) { return f.pieces; }},
    {cmd::ShareCut, &C::shareCut, [](F f) { return f.pieces; }},
    {cmd::Credits, &C::credits},
    {cmd::Pause, &C::pause, [](F f) { return f.pieces; }},
    // Of showing and hiding, only the entry that changes something (hiding
    // with argument 0 shows).
    {cmd::HideBoxes, &C::hideBoxes, [](F f) { return f.pieces && (f.argument != 0) != f.boxesHidden; }},
    {cmd::ShowBoxes, &C::showBoxes, [](F f) { return f.pieces && f.boxesHidden; }},
    {cmd::AutoHelp, &C::autoHelp, [](F f) { return f.pieces && !f.noHelp; }},
    {cmd::Tidy, &C::tidy, [](F f) { return f.pieces; }},
    {cmd::Preview, &C::preview, [](F f) { return f.pieces && !f.noPreview; }, [](F f) { return f.previewShown; },
     kPreviewHint},
    {cmd::PreviewHidden, &C::previewHidden,
     [](F f) { return f.pieces && !f.noPreview && (f.argument != 0) != f.previewHidden; }},
    // The strip belongs to a game keeping scores; each entry where it changes something.
    {cmd::ShowScore, &C::showScore, [](F f) { return f.pieces && f.rankingOpen && f.scoreHidden; }},
    {cmd::HideScore, &C::hideScore, [](F f) { return f.pieces && f.rankingOpen && !f.scoreHidden; }},
    {cmd::Info, &C::info, [](F f) { return f.pieces; }},
    {cmd::Ranking, &C::ranking, [](F f) { return f.pieces && f.rankingOpen; }},
    {cmd::Competition, &C::competition, [](F f) { return f.pieces; }, [](F f) { return f.pieces && f.competition; }},
    {cmd::ReopenLast, &C::reopenLast},
    {cmd::AddBox, &C::addBox, [](F f) { return f.pieces && f.boxes < 9; }},
    {cmd::RemoveBox, &C::removeBox, [](F f) { return f.pieces && f.boxes > 0 && f.lastBoxEmpty; }},
    {cmd::Background, &C::background, [](F f) { return f.pieces; }},
    {cmd::Help, &C::help},
    {cmd::HowToMake, &C::howToMake},
    {cmd::MakePuzzle, &C::makePuzzle},
    {cmd::SelectPicture, &C::makePuzzle},
    {cmd::Options, &C::options},
    {cmd::Advanced, &C::advanced},
    {cmd::BoxOptions, &C::boxOptions},
    {cmd::Print, &C::print, [](F f) { return f.pieces; }},
    {cmd::NoHandler, &C::nothing},
    {cmd::PasteScores, &C::pasteScores},
    {cmd::PostNothing, &C::postNothing},
    {cmd::SendToBox, &C::sendToBox},
    {cmd::WindowMenu, &C::windowMenu},
    {cmd::Uncover, &C::uncover},
    {cmd::MinimiseAnimated, &C::minimiseAnimated},
    {cmd::OpenLoupe, &C::openLoupe},
    {cmd::Undo, &C::undo, [](F f) { return f.pieces && f.canUndo; }},
    {cmd::Redo, &C::redo, [](F f) { return f.pieces && f.canRedo; }},
    {cmd::GatherEdges, &C::gatherEdges,
     [](F f) { return f.pieces && (f.argument != cmd::GatherIntoNewBox ? f.argument < f.boxes : f.boxes < 9); }},
    {cmd::EdgeView, &C::edgeView, [](F f) { return f.pieces; }, [](F f) { return f.edgeView; }},
    // A help a competition game does not offer; each strength checked when chosen.
    {cmd::Ghost, &C::ghost, [](F f) { return f.pieces && !f.competition; },
     [](F f) { return !f.competition && static_cast<int>(f.argument) == f.ghost; }},
};

constexpr unsigned Ctrl = fw::mod::Ctrl, Shift = fw::mod::Shift, Alt = fw::mod::Alt;
constexpr unsigned Any = Ctrl | Shift | Alt;
constexpr KeyBinding::Phase Down = KeyBinding::Down, Up = KeyBinding::Up;
constexpr unsigned Fn(int n) { return static_cast<unsigned>(fw::vk::F1 + n - 1); }
constexpr unsigned Pad(int n) { return static_cast<unsigned>(fw::vk::Numpad0 + n); }
constexpr uint32_t Table = SPuz::OnTable;

// The keys, first match wins. Ctrl alone, Alt with anything, Shift alone,
// then the plain keys.
const KeyBinding kKeys[] = {
    // The help runs on release, so that a held F5 does not repeat it.
    {Up, 0, fw::mod::Repeat, Fn(5), cmd::AutoHelp, 0, true},

    {Down, Ctrl, Shift | Alt, 'O', cmd::Open, 0, true},
    {Down, Ctrl, Shift | Alt, 'S', cmd::Save, 0, true},
    {Down, Ctrl, Shift | Alt, 'A', cmd::SaveAs, 0, true},
    {Down, Ctrl, Shift | Alt, 'B', cmd::Pause, 0, true},
    {Down, Ctrl, Shift | Alt, 'P', cmd::Print, 0, true},
    {Down, Ctrl, Shift | Alt, 'R', cmd::Tidy, 0, true},
    {Down, Ctrl, Shift | Alt, 'C', cmd::MakePuzzle, 0, true},
    {Down, Ctrl, Shift | Alt, 'V', cmd::PasteScores},
    {Down, Ctrl, Shift | Alt, 'T', cmd::PostNothing},
    {Down, Ctrl, Shift | Alt, 'Z', cmd::Undo, 0, true},
    {Down, Ctrl, Shift | Alt, 'Y', cmd::Redo, 0, true},
    {Down, Ctrl | Shift, Alt, 'Z', cmd::Redo},
    {Down, Ctrl, Shift | Alt, 'E', cmd::EdgeView, 0, true},

    {Down, Alt, 0, 'R', cmd::Tidy, 1},
    // Alt and a box's number, on the digits or the keypad (with or without Num Lock).
    {Down, Alt, Ctrl, '1', cmd::SendToBox, 0},
    {Down, Alt, Ctrl, '2', cmd::SendToBox, 1},
    {Down, Alt, Ctrl, '3', cmd::SendToBox, 2},
    {Down, Alt, Ctrl, '4', cmd::SendToBox, 3},
    {Down, Alt, Ctrl, '5', cmd::SendToBox, 4},
    {Down, Alt, Ctrl, '6', cmd::SendToBox, 5},
    {Down, Alt, Ctrl, '7', cmd::SendToBox, 6},
    {Down, Alt, Ctrl, '8', cmd::SendToBox, 7},
    {Down, Alt, Ctrl, '9', cmd::SendToBox, 8},
    {Down, Alt, Ctrl, Pad(1), cmd::SendToBox, 0},
    {Down, Alt, Ctrl, Pad(2), cmd::SendToBox, 1},
    {Down, Alt, Ctrl, Pad(3), cmd::SendToBox, 2},
    {Down, Alt, Ctrl, Pad(4), cmd::SendToBox, 3},
    {Down, Alt, Ctrl, Pad(5), cmd::SendToBox, 4},
    {Down, Alt, Ctrl, Pad(6), cmd::SendToBox, 5},
    {Down, Alt, Ctrl, fw::vk::End, cmd::SendToBox, 0},
    {Down, Alt, Ctrl, fw::vk::Down, cmd::SendToBox, 1},
    {Down, Alt, Ctrl, fw::vk::Next, cmd::SendToBox, 2},
    {Down, Alt, Ctrl, fw::vk::Left, cmd::SendToBox, 3},
    {Down, Alt, Ctrl, fw::vk::Clear, cmd::SendToBox, 4},
    {Down, Alt, Ctrl, fw::vk::Right, cmd::SendToBox, 5},
    {Down, Alt, Ctrl, 'Q', cmd::SendToBox, Table},
    {Down, Alt, Ctrl, fw::vk::Return, cmd::SendToBox, Table},
    {Down, Alt, 0, Fn(10), cmd::WindowMenu},

    {Down, Shift, Ctrl | Alt, fw::vk::Shift, cmd::OpenLoupe},

    {Down, 0, Any, Fn(1), cmd::Help, 0, true},
    {Down, 0, Any, Fn(2), cmd::Info, 0, true},
    {Down, 0, Any, Fn(3), cmd::Options, 0, true},
    {Down, 0, Any, Fn(4), cmd::Ranking, 0, true},
    {Down, 0, Any, Fn(10), cmd::WindowMenu},
    {Down, 0, Any, fw::vk::Insert, cmd::Preview},
    {Down, 0, Any, Pad(0), cmd::Preview},
    {Down, 0, Any, fw::vk::Space, cmd::Uncover},
    {Down, 0, Any, fw::vk::Up, cmd::Uncover},
    {Down, 0, Any, 'Z', cmd::Uncover},
    {Down, 0, Any, fw::vk::Escape, cmd::MinimiseAnimated},
    // Print Screen belongs to the system: taken, so nothing else acts on it.
    {Down, 0, Any, fw::vk::Snapshot, cmd::NoHandler},
};

// The play window's menu: entries by command (with the caption's variant
// and the command's argument), separators, and two entries of their own.
struct MenuLine {
    enum Kind : uint8_t { Entry, Separator, Boxes, Background, EdgePieces, GhostPicture } kind;
    uint32_t id = 0;
    int variant = 0;
    uint32_t argument = 0;
};

const MenuLine kBoxesMenu[] = {
    {MenuLine::Entry, cmd::ShowBoxes},
    {MenuLine::Entry, cmd::HideBoxes, 0, 1},
    {MenuLine::Separator},
    {MenuLine::Entry, cmd::AddBox},
    {MenuLine::Entry, cmd::RemoveBox},
};

const MenuLine kWindowMenu[] = {
    {MenuLine::Entry, cmd::Open},
    {MenuLine::Entry, cmd::Save},
    {MenuLine::Entry, cmd::SaveAs},
    {MenuLine::Entry, cmd::ShareCut},
    {MenuLine::Entry, cmd::ReopenLast},
    {MenuLine::Entry, cmd::MakePuzzle},
    {MenuLine::Separator},
    {MenuLine::Entry, cmd::Undo},
    {MenuLine::Entry, cmd::Redo},
    {MenuLine::Separator},
    {MenuLine::Entry, cmd::AutoHelp},
    {MenuLine::Entry, cmd::Tidy},
    {MenuLine::EdgePieces},
    {MenuLine::Entry, cmd::Preview},
    {MenuLine::Entry, cmd::PreviewHidden, 0, 1},
    {MenuLine::Entry, cmd::PreviewHidden, 1, 0},
    {MenuLine::Entry, cmd::Pause},
    {MenuLine::Boxes},
    {MenuLine::Entry, cmd::Competition},
    {MenuLine::Entry, cmd::ShowScore},
    {MenuLine::Entry, cmd::HideScore, 0, 1},
    {MenuLine::Separator},
    {MenuLine::Entry, cmd::Options},
    {MenuLine::Entry, cmd::Advanced},
    {MenuLine::Background},
    {MenuLine::GhostPicture},
    {MenuLine::Entry, cmd::Credits},
    {MenuLine::Entry, cmd::Help},
    {MenuLine::Entry, cmd::HowToMake},
    {MenuLine::Separator},
    {MenuLine::Entry, cmd::Minimize},
    {MenuLine::Entry, cmd::Exit},
};

const KeyBinding* hintKey(uint32_t id)
{
    for (const KeyBinding& k : kKeys)
        if (k.command == id && k.hint)
            return &k;
    return nullptr;
}

}  // namespace

namespace commands {

std::span<const CommandSpec> table() { return kCommands; }

std::span<const KeyBinding> keys() { return kKeys; }

const CommandSpec* find(uint32_t id)
{
    for (const CommandSpec& c : kCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

const KeyBinding* findKey(KeyBinding::Phase phase, unsigned modifiers, unsigned key)
{
    for (const KeyBinding& k : kKeys) {
        if (k.phase == phase && k.key == key && (modifiers & k.need) == k.need && !(modifiers & k.forbid))
            return &k;
    }
    return nullptr;
}

std::string keyName(const KeyBinding& binding)
{
    std::string name;
    if (binding.need & Ctrl)
        name += "Ctrl+";
    if (binding.need & Shift)
        name += "Shift+";
    if (binding.need & Alt)
        name += "Alt+";
    if (binding.key >= Fn(1) && binding.key <= Fn(24))
        return name + "F" + std::to_string(binding.key - Fn(1) + 1);
    return name + static_cast<char>(binding.key);
}

bool run(CommandCalls& calls, uint32_t id, uint32_t argument)
{
    const CommandSpec* c = find(id);
    return c && (calls.*(c->call))(argument);
}

std::optional<MenuState> menuState(uint32_t id, CommandFacts facts,
                                   const std::function<std::string(int)>& text, uint32_t argument)
{
    facts.argument = argument;
    const CommandSpec* c = find(id);
    const KeyBinding* key = hintKey(id);
    if (!c || (!c->enabled && !c->checked && !c->hintText && !key))
        return std::nullopt;
    MenuState state;
    if (c->hintText)
        state.hint = text(c->hintText);
    else if (key)
        state.hint = keyName(*key);
    if (c->enabled)
        state.enabled = c->enabled(facts);
    if (c->checked)
        state.checked = c->checked(facts);
    return state;
}

namespace {

// The edge pieces: the view, then the boxes they can be gathered into.
fw::Menu edgeMenu(const std::function<std::string(int, int)>& caption, const std::function<std::string(int)>& text,
                  size_t boxes)
{
    fw::Menu menu;
    menu.addText(cmd::EdgeView, caption(static_cast<int>(cmd::EdgeView), 0));
    menu.separator();
    const std::string into = text(kGatherIntoBox);
    for (size_t k = 0; k < boxes; ++k) {
        std::string entry = into;
        const size_t at = entry.find("%i");
        const std::string number = std::to_string(k + 1);
        entry = at == std::string::npos ? entry + " " + number : entry.replace(at, 2, number);
        menu.addText(cmd::GatherEdges, entry, static_cast<uint32_t>(k));
    }
    menu.addText(cmd::GatherEdges, caption(static_cast<int>(cmd::GatherEdges), 0), cmd::GatherIntoNewBox);
    return menu;
}

fw::Menu ghostMenu(const std::function<std::string(int)>& text)
{
    fw::Menu menu;
    for (size_t k = 0; k < std::size(kGhostStrengths); ++k)
        menu.addText(cmd::Ghost, text(kGhostNames + static_cast<int>(k)), static_cast<uint32_t>(kGhostStrengths[k]));
    return menu;
}

fw::Menu build(std::span<const MenuLine> lines, const std::function<std::string(int, int)>& caption,
               const std::function<std::string(int)>& text, size_t boxes = 0)
{
    fw::Menu menu;
    for (const MenuLine& line : lines) {
        switch (line.kind) {
        case MenuLine::Entry: menu.addText(line.id, caption(static_cast<int>(line.id), line.variant), line.argument); break;
        case MenuLine::Separator: menu.separator(); break;
        case MenuLine::Boxes: menu.submenuText(text(kBoxesTitle) + "...", build(kBoxesMenu, caption, text)); break;
        case MenuLine::EdgePieces: menu.submenuText(text(kEdgesTitle), edgeMenu(caption, text, boxes)); break;
        case MenuLine::GhostPicture: menu.submenuText(text(kGhostTitle), ghostMenu(text)); break;
        case MenuLine::Background: {
            const std::string title = text(kBackgroundTitle);
            menu.addText(cmd::Background, (title.empty() ? std::string("Table background") : title) + "...");
            break;
        }
        }
    }
    return menu;
}

}  // namespace

fw::Menu windowMenu(const std::function<std::string(int, int)>& caption, const std::function<std::string(int)>& text,
                    size_t boxes)
{
    return build(kWindowMenu, caption, text, boxes);
}

std::span<const int> ghostStrengths() { return kGhostStrengths; }

}  // namespace commands

}  // namespace qv
