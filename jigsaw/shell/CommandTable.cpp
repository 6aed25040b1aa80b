#include "jigsaw/shell/CommandTable.h"

#include <array>

#include "framework/Events.h"
#include "framework/TraductorSource.h"
#include "framework/VirtualKey.h"
#include "jigsaw/document/SPuz.h"

namespace qv {

namespace {

using C = CommandCalls;
using F = const CommandFacts&;

constexpr int kDoubleClick = 4739;  // the preview's click, after its key
constexpr int kBoxesTitle = 2600;
constexpr int kBackgroundTitle = 3000;
// Our own texts: the submenus of the edge pieces and of the ghost picture,
// an entry of a box, the names of the ghost's strengths.
constexpr int kEdgesTitle = 4700;
constexpr int kGatherIntoBox = 4701;
constexpr int kGhostTitle = 4702;
constexpr int kGhostNames = 4703;  // 4703 off, then one a strength
constexpr int kGhostStrengths[] = {0, 15, 30, 50};
// The shortcuts in sight: the loupe's and the pasting's entries, and what
// the key list says of the keys without a caption of their own.
constexpr int kLoupeEntry = 4723;
constexpr int kPasteEntry = 4732;
constexpr int kKeyHeads = 4729;  // 4729 "Key", 4730 "Effect"
constexpr int kOpenMenu = 4731;
constexpr int kSendToBoxes = 4733;  // "%s": the boxes' numbers
constexpr int kSendToTable = 4734;
constexpr int kEscMinimises = 4735;
constexpr int kLoupeKey = 4736;
constexpr int kTidyWide = 4737;  // Alt+R: the picture's area may be used too
constexpr int kUncoverKey = 4738;
// The table's zoom: its submenu.
constexpr int kZoomTitle = 4750;
constexpr int NotListed = CommandSpec::NotListed;

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
     kDoubleClick},
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
    {cmd::NoHandler, &C::nothing, nullptr, nullptr, 0, NotListed},
    {cmd::PasteScores, &C::pasteScores, nullptr, nullptr, 0, kPasteEntry},
    {cmd::PostNothing, &C::postNothing, nullptr, nullptr, 0, NotListed},
    // From the piece menu: not the box the piece is in, nor a marked group.
    {cmd::SendToBox, &C::sendToBox,
     [](F f) {
         return f.pieces && f.pieceContainer >= 0 && !f.pieceMarked &&
                static_cast<int>(f.argument) != f.pieceContainer &&
                (f.argument == SPuz::OnTable || f.argument < f.boxes);
     },
     nullptr, 0, kSendToBoxes},
    {cmd::WindowMenu, &C::windowMenu, nullptr, nullptr, 0, kOpenMenu},
    {cmd::Uncover, &C::uncover, nullptr, nullptr, 0, kUncoverKey},
    {cmd::MinimiseAnimated, &C::minimiseAnimated, nullptr, nullptr, 0, kEscMinimises},
    {cmd::OpenLoupe, &C::openLoupe, [](F f) { return f.pieces; }, nullptr, 0, kLoupeKey},
    {cmd::Undo, &C::undo, [](F f) { return f.pieces && f.canUndo; }},
    {cmd::Redo, &C::redo, [](F f) { return f.pieces && f.canRedo; }},
    {cmd::GatherEdges, &C::gatherEdges,
     [](F f) { return f.pieces && (f.argument != cmd::GatherIntoNewBox ? f.argument < f.boxes : f.boxes < 9); }},
    {cmd::EdgeView, &C::edgeView, [](F f) { return f.pieces; }, [](F f) { return f.edgeView; }},
    // A help a competition game does not offer; each strength checked when chosen.
    {cmd::Ghost, &C::ghost, [](F f) { return f.pieces && !f.competition; },
     [](F f) { return !f.competition && static_cast<int>(f.argument) == f.ghost; }},
    // A competition game has the score strip instead.
    {cmd::ProgressLine, &C::progressLine, [](F f) { return f.pieces && !f.competition; },
     [](F f) { return f.progressLine; }},
    {cmd::ZoomIn, &C::zoomIn, [](F f) { return f.pieces; }},
    {cmd::ZoomOut, &C::zoomOut, [](F f) { return f.pieces; }},
    {cmd::ZoomActual, &C::zoomActual, [](F f) { return f.pieces; }},
    {cmd::ZoomWhole, &C::zoomWhole, [](F f) { return f.pieces; }},
};

constexpr unsigned Ctrl = fw::mod::Ctrl, Shift = fw::mod::Shift, Alt = fw::mod::Alt;
constexpr unsigned Any = Ctrl | Shift | Alt;
constexpr KeyBinding::Phase Down = KeyBinding::Down, Up = KeyBinding::Up;
constexpr unsigned Fn(int n) { return static_cast<unsigned>(fw::vk::F1 + n - 1); }
constexpr unsigned Pad(int n) { return static_cast<unsigned>(fw::vk::Numpad0 + n); }
constexpr uint32_t Table = SPuz::OnTable;
// The main block's keys of "=" and "+", and of "-" and "_".
constexpr unsigned kPlusKey = 0xBB, kMinusKey = 0xBD;

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
    {Down, Ctrl, Shift | Alt, 'V', cmd::PasteScores, 0, true},
    {Down, Ctrl, Shift | Alt, 'T', cmd::PostNothing},
    {Down, Ctrl, Shift | Alt, 'Z', cmd::Undo, 0, true},
    {Down, Ctrl, Shift | Alt, 'Y', cmd::Redo, 0, true},
    {Down, Ctrl | Shift, Alt, 'Z', cmd::Redo},
    {Down, Ctrl, Shift | Alt, 'E', cmd::EdgeView, 0, true},
    // The zoom: plus and minus of the main block (with or without Shift,
    // whichever of its characters the keyboard puts there) and of the keypad.
    {Down, Ctrl, Alt, kPlusKey, cmd::ZoomIn, 0, true},
    {Down, Ctrl, Alt, fw::vk::Add, cmd::ZoomIn},
    {Down, Ctrl, Alt, kMinusKey, cmd::ZoomOut, 0, true},
    {Down, Ctrl, Alt, fw::vk::Subtract, cmd::ZoomOut},
    {Down, Ctrl, Shift | Alt, '0', cmd::ZoomActual, 0, true},
    {Down, Ctrl, Shift | Alt, '9', cmd::ZoomWhole, 0, true},

    {Down, Alt, 0, 'R', cmd::Tidy, 1},
    // Alt and a box's number, on the digits or the keypad (with or without Num Lock).
    {Down, Alt, Ctrl, '1', cmd::SendToBox, 0, true},
    {Down, Alt, Ctrl, '2', cmd::SendToBox, 1, true},
    {Down, Alt, Ctrl, '3', cmd::SendToBox, 2, true},
    {Down, Alt, Ctrl, '4', cmd::SendToBox, 3, true},
    {Down, Alt, Ctrl, '5', cmd::SendToBox, 4, true},
    {Down, Alt, Ctrl, '6', cmd::SendToBox, 5, true},
    {Down, Alt, Ctrl, '7', cmd::SendToBox, 6, true},
    {Down, Alt, Ctrl, '8', cmd::SendToBox, 7, true},
    {Down, Alt, Ctrl, '9', cmd::SendToBox, 8, true},
    {Down, Alt, Ctrl, Pad(1), cmd::SendToBox, 0},
    {Down, Alt, Ctrl, Pad(2), cmd::SendToBox, 1},
    {Down, Alt, Ctrl, Pad(3), cmd::SendToBox, 2},
    {Down, Alt, Ctrl, Pad(4), cmd::SendToBox, 3},
    {Down, Alt, Ctrl, Pad(5), cmd::SendToBox, 4},
    {Down, Alt, Ctrl, Pad(6), cmd::SendToBox, 5},
    {Down, Alt, Ctrl, fw::vk::End, cmd::SendToBox, 0, false, true},
    {Down, Alt, Ctrl, fw::vk::Down, cmd::SendToBox, 1, false, true},
    {Down, Alt, Ctrl, fw::vk::Next, cmd::SendToBox, 2, false, true},
    {Down, Alt, Ctrl, fw::vk::Left, cmd::SendToBox, 3, false, true},
    {Down, Alt, Ctrl, fw::vk::Clear, cmd::SendToBox, 4, false, true},
    {Down, Alt, Ctrl, fw::vk::Right, cmd::SendToBox, 5, false, true},
    {Down, Alt, Ctrl, 'Q', cmd::SendToBox, Table, true},
    {Down, Alt, Ctrl, fw::vk::Return, cmd::SendToBox, Table},
    {Down, Alt, 0, Fn(10), cmd::WindowMenu},

    {Down, Shift, Ctrl | Alt, fw::vk::Shift, cmd::OpenLoupe, 0, true},

    {Down, 0, Any, Fn(1), cmd::Help, 0, true},
    {Down, 0, Any, Fn(2), cmd::Info, 0, true},
    {Down, 0, Any, Fn(3), cmd::Options, 0, true},
    {Down, 0, Any, Fn(4), cmd::Ranking, 0, true},
    {Down, 0, Any, Fn(10), cmd::WindowMenu},
    {Down, 0, Any, fw::vk::Insert, cmd::Preview, 0, true},
    {Down, 0, Any, Pad(0), cmd::Preview},
    {Down, 0, Any, fw::vk::Space, cmd::Uncover, 0, true},
    {Down, 0, Any, fw::vk::Up, cmd::Uncover},
    {Down, 0, Any, 'Z', cmd::Uncover},
    {Down, 0, Any, fw::vk::Escape, cmd::MinimiseAnimated},
    // Print Screen belongs to the system: taken, so nothing else acts on it.
    {Down, 0, Any, fw::vk::Snapshot, cmd::NoHandler},
};

// The play window's menu: entries by command (with the caption's variant
// and the command's argument), separators, and two entries of their own.
struct MenuLine {
    enum Kind : uint8_t { Entry, Separator, Boxes, Background, EdgePieces, GhostPicture, Zoom } kind;
    uint32_t id = 0;
    int variant = 0;
    uint32_t argument = 0;
    int textId = 0;  // a text of ours as the caption; 0: the command's caption
};

const MenuLine kBoxesMenu[] = {
    {MenuLine::Entry, cmd::ShowBoxes},
    {MenuLine::Entry, cmd::HideBoxes, 0, 1},
    {MenuLine::Separator},
    {MenuLine::Entry, cmd::AddBox},
    {MenuLine::Entry, cmd::RemoveBox},
};

const MenuLine kZoomMenu[] = {
    {MenuLine::Entry, cmd::ZoomIn},
    {MenuLine::Entry, cmd::ZoomOut},
    {MenuLine::Separator},
    {MenuLine::Entry, cmd::ZoomActual},
    {MenuLine::Entry, cmd::ZoomWhole},
};

const MenuLine kWindowMenu[] = {
    {MenuLine::Entry, cmd::Open},
    {MenuLine::Entry, cmd::Save},
    {MenuLine::Entry, cmd::SaveAs},
    {MenuLine::Entry, cmd::ShareCut},
    {MenuLine::Entry, cmd::Print},
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
    {MenuLine::Entry, cmd::OpenLoupe, 0, 0, kLoupeEntry},
    {MenuLine::Zoom},
    {MenuLine::Entry, cmd::Pause},
    {MenuLine::Boxes},
    {MenuLine::Entry, cmd::Info},
    {MenuLine::Entry, cmd::Competition},
    {MenuLine::Entry, cmd::Ranking},
    {MenuLine::Entry, cmd::ShowScore},
    {MenuLine::Entry, cmd::HideScore, 0, 1},
    {MenuLine::Entry, cmd::ProgressLine},
    {MenuLine::Entry, cmd::PasteScores, 0, 0, kPasteEntry},
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

// The English words of the key names, by KeyWord.
constexpr const char* kEnglishWords[] = {
    "Ctrl", "Shift", "Alt",  "Insert", "Delete", "Space",     "Esc",          "Enter",     "Tab",   "Up",    "Down",
    "Left", "Right", "Home", "End",    "Page Up", "Page Down", "Clear", "Num", "Print Screen", "Backspace", "Pause",
};
static_assert(std::size(kEnglishWords) == commands::KeyWordCount);

std::string word(const commands::KeyWords& words, commands::KeyWord w)
{
    std::string translated = words ? words(w) : std::string();
    return translated.empty() ? kEnglishWords[w] : translated;
}

// The key's own name, without the modifiers.
std::string keyOnly(unsigned key, const commands::KeyWords& words)
{
    using namespace commands;
    namespace vk = fw::vk;
    if (key >= Fn(1) && key <= Fn(24))
        return "F" + std::to_string(key - Fn(1) + 1);
    if (key >= Pad(0) && key <= Pad(9))
        return word(words, WordNum) + " " + std::to_string(key - Pad(0));
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    switch (key) {
    case vk::Shift: return word(words, WordShift);
    case vk::Control: return word(words, WordCtrl);
    case vk::Menu: return word(words, WordAlt);
    case vk::Insert: return word(words, WordInsert);
    case vk::Delete: return word(words, WordDelete);
    case vk::Space: return word(words, WordSpace);
    case vk::Escape: return word(words, WordEsc);
    case vk::Return: return word(words, WordEnter);
    case vk::Tab: return word(words, WordTab);
    case vk::Up: return word(words, WordUp);
    case vk::Down: return word(words, WordDown);
    case vk::Left: return word(words, WordLeft);
    case vk::Right: return word(words, WordRight);
    case vk::Home: return word(words, WordHome);
    case vk::End: return word(words, WordEnd);
    case vk::Prior: return word(words, WordPageUp);
    case vk::Next: return word(words, WordPageDown);
    case vk::Clear: return word(words, WordClear);
    case vk::Snapshot: return word(words, WordPrintScreen);
    case vk::Back: return word(words, WordBackspace);
    case vk::Pause: return word(words, WordPause);
    case vk::Multiply: return word(words, WordNum) + " *";
    case vk::Add: return word(words, WordNum) + " +";
    case vk::Subtract: return word(words, WordNum) + " -";
    case vk::Divide: return word(words, WordNum) + " /";
    case vk::Decimal: return word(words, WordNum) + " .";
    case kPlusKey: return "+";
    case kMinusKey: return "-";
    default: break;
    }
    // A key no table uses yet: its number, so that it is never a stray byte.
    static const char* hex = "0123456789ABCDEF";
    return std::string("0x") + hex[(key >> 4) & 0xF] + hex[key & 0xF];
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

std::string keyName(const KeyBinding& binding, const KeyWords& words)
{
    // A modifier pressed on its own (Shift for the loupe) is named once.
    const unsigned itself = binding.key == fw::vk::Shift     ? Shift
                            : binding.key == fw::vk::Control ? Ctrl
                            : binding.key == fw::vk::Menu    ? Alt
                                                             : 0;
    return modifierNames(binding.need & ~itself, words) + keyOnly(binding.key, words);
}

std::string modifierNames(unsigned modifiers, const KeyWords& words)
{
    std::string name;
    if (modifiers & Ctrl)
        name += word(words, WordCtrl) + "+";
    if (modifiers & Shift)
        name += word(words, WordShift) + "+";
    if (modifiers & Alt)
        name += word(words, WordAlt) + "+";
    return name;
}

const KeyBinding* hintKey(uint32_t id, uint32_t argument)
{
    for (const KeyBinding& k : kKeys)
        if (k.command == id && k.argument == argument && k.hint)
            return &k;
    return nullptr;
}

bool run(CommandCalls& calls, uint32_t id, uint32_t argument)
{
    const CommandSpec* c = find(id);
    return c && (calls.*(c->call))(argument);
}

std::optional<MenuState> menuState(uint32_t id, CommandFacts facts,
                                   const std::function<std::string(int)>& text, uint32_t argument,
                                   const KeyWords& words)
{
    facts.argument = argument;
    const CommandSpec* c = find(id);
    const KeyBinding* key = hintKey(id, argument);
    if (!c || (!c->enabled && !c->checked && !c->hintText && !key))
        return std::nullopt;
    MenuState state;
    if (key)
        state.hint = keyName(*key, words);
    // A mouse action doing the same follows the key.
    if (c->hintText)
        state.hint = (key ? *state.hint + ", " : std::string()) + text(c->hintText);
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
        case MenuLine::Entry:
            menu.addText(line.id, line.textId ? text(line.textId) : caption(static_cast<int>(line.id), line.variant),
                         line.argument);
            break;
        case MenuLine::Separator: menu.separator(); break;
        // A submenu opens no window: its caption has no dots.
        case MenuLine::Boxes: menu.submenuText(text(kBoxesTitle), build(kBoxesMenu, caption, text)); break;
        case MenuLine::EdgePieces: menu.submenuText(text(kEdgesTitle), edgeMenu(caption, text, boxes)); break;
        case MenuLine::GhostPicture: menu.submenuText(text(kGhostTitle), ghostMenu(text)); break;
        case MenuLine::Zoom: menu.submenuText(text(kZoomTitle), build(kZoomMenu, caption, text)); break;
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

namespace {

constexpr const char* kEllipsis = " \x85 ";  // Windows-1252

// A caption as running text: no access key, no dots of a dialog.
std::string plainCaption(std::string c)
{
    std::string out;
    for (size_t i = 0; i < c.size(); ++i) {
        if (c[i] == '&' && i + 1 < c.size())
            ++i;
        out += c[i];
    }
    while (!out.empty() && (out.back() == '.' || out.back() == '\x85'))
        out.pop_back();
    return out;
}

std::string filled(std::string text, const std::string& value)
{
    const size_t at = text.find("%s");
    return at == std::string::npos ? text + " " + value : text.replace(at, 2, value);
}

// Consecutive keys sending consecutive arguments: Alt+1, Alt+2 ...
bool continuesRun(const KeyBinding& a, const KeyBinding& b)
{
    return a.command == b.command && a.need == b.need && a.phase == b.phase && b.key == a.key + 1 &&
           b.argument == a.argument + 1 && !b.alias;
}

bool listed(const KeyBinding& k)
{
    const CommandSpec* c = find(k.command);
    return !k.alias && c && c->keyText != CommandSpec::NotListed;
}

}  // namespace

std::string KeyLine::keysText() const
{
    std::string out;
    for (size_t k = 0; k < keys.size(); ++k)
        out += (k == 0 ? "" : run ? kEllipsis : ", ") + keys[k];
    return out;
}

std::vector<KeyLine> keyList(const std::function<std::string(int, int)>& caption,
                             const std::function<std::string(int)>& text, const KeyWords& words)
{
    const auto effect = [&](const KeyBinding& first, const KeyBinding& last) {
        const CommandSpec& c = *find(first.command);
        if (first.command == cmd::SendToBox) {
            if (first.argument == Table)
                return text(kSendToTable);
            std::string boxes = std::to_string(first.argument + 1);
            if (last.argument != first.argument)
                boxes += kEllipsis + std::to_string(last.argument + 1);
            return filled(text(c.keyText), boxes);
        }
        if (first.command == cmd::Tidy && first.argument != 0)
            return text(kTidyWide);
        return plainCaption(c.keyText > 0 ? text(c.keyText) : caption(static_cast<int>(first.command), 0));
    };
    std::vector<KeyLine> lines;
    std::vector<const KeyBinding*> firstOf;  // the binding each line was started by
    const size_t n = std::size(kKeys);
    for (size_t i = 0; i < n; ++i) {
        const KeyBinding& k = kKeys[i];
        if (!listed(k))
            continue;
        size_t last = i;
        while (last + 1 < n && continuesRun(kKeys[last], kKeys[last + 1]))
            ++last;
        if (last - i >= 2) {
            lines.push_back({{keyName(k, words), keyName(kKeys[last], words)}, true, effect(k, kKeys[last])});
            firstOf.push_back(&k);
            i = last;
            continue;
        }
        size_t line = 0;
        while (line < lines.size() && (lines[line].run || firstOf[line]->command != k.command ||
                                       firstOf[line]->argument != k.argument))
            ++line;
        if (line == lines.size()) {
            lines.push_back({{}, false, effect(k, k)});
            firstOf.push_back(&k);
        }
        lines[line].keys.push_back(keyName(k, words));
    }
    return lines;
}

std::string keyListHtml(const std::vector<KeyLine>& lines, const std::function<std::string(int)>& text)
{
    const auto html = [](const std::string& cp1252) {
        std::string out;
        for (char c : fw::cp1252ToUtf8(cp1252)) {
            switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += c;
            }
        }
        return out;
    };
    std::string out = "<table>\n<tr><th>" + html(text(kKeyHeads)) + "</th><th>" + html(text(kKeyHeads + 1)) +
                      "</th></tr>\n";
    for (const KeyLine& line : lines) {
        out += "<tr><td>";
        for (size_t k = 0; k < line.keys.size(); ++k)
            out += (k == 0 ? "" : line.run ? " &hellip; " : ", ") + ("<kbd>" + html(line.keys[k]) + "</kbd>");
        out += "</td><td>" + html(line.effect) + "</td></tr>\n";
    }
    return out + "</table>\n";
}

}  // namespace commands

}  // namespace qv
