#include "jigsaw/shell/windows/PuzCommands.h"

#include <QApplication>
#include <QTimer>
#include <cassert>

#include "framework/Markup.h"
#include "framework/Profile.h"
#include "framework/SoundPlayer.h"
#include "framework/Traductor.h"
#include "framework/VirtualKey.h"
#include "framework/qt/Clipboard.h"
#include "framework/qt/MessageBox.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/SaveAsRules.h"
#include "jigsaw/library/windows/WLibrary.h"
#include "jigsaw/library/windows/WMakePuzzke.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/windows/MultiSPuzs.h"
#include "jigsaw/play/windows/SurfaceMouse.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/WPuz.h"
#include "jigsaw/print/PrintLayout.h"
#include "jigsaw/scores/ClipboardImport.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/shell/CommandLine.h"
#include "jigsaw/shell/GameControl.h"
#include "jigsaw/shell/ProgramName.h"
#include "jigsaw/shell/SharedCut.h"
#include "jigsaw/shell/windows/LoupeAway.h"
#include "jigsaw/shell/windows/NewPuzzle.h"
#include "jigsaw/shell/windows/ShellDialogs.h"
#include "jigsaw/shell/windows/ShellHelp.h"
#include "jigsaw/shell/windows/ShellScoresHost.h"
#include "jigsaw/shell/windows/WOptsBox.h"

namespace qv {

namespace {

constexpr int MaxClickHints = 3;
constexpr int kClickHint = 3300;  // the balloon after a plain click on the table
constexpr const char* kLongName = program::LongName;

}  // namespace

PuzCommands::PuzCommands(const ShellParts& parts, GameControl& game)
    : m_parts(parts), m_game(game), m_dialogs(std::make_unique<ShellDialogs>(parts))
{
}

PuzCommands::~PuzCommands() = default;

void PuzCommands::attach(WPuz& window, ScoreWindows& scoreWindows)
{
    m_window = &window;
    m_scoreWindows = &scoreWindows;
    m_dialogs->attach(window);
    QObject::connect(&scoreWindows, &ScoreWindows::finishStepChosen, &window,
                     [this](int step, int sizeIndex) { finishStep(step, sizeIndex); });
}

WPuz& PuzCommands::window() const
{
    assert(m_window);
    return *m_window;
}

ScoreWindows& PuzCommands::scoreWindows() const
{
    assert(m_scoreWindows);
    return *m_scoreWindows;
}

bool PuzCommands::hasPieces() const { return m_parts.puz.pieceCount() > 0; }

void PuzCommands::OnEvent(fw::Event& e)
{
    bool handled = false;
    switch (e.number()) {
    case fw::ev::Command: {
        auto& c = static_cast<fw::CommandEvent&>(e);
        handled = Command(c.command(), c.argument());
        break;
    }
    case fw::ev::Key: handled = Key(static_cast<fw::KeyEvent&>(e)); break;
    case fw::ev::MenuHint: handled = MenuHint(static_cast<fw::MenuHintEvent&>(e)); break;
    default: break;
    }
    if (handled)
        e.setHandled();
}

// --- commands, menus and keys: looked up in the command table

bool PuzCommands::Command(uint32_t command, uint32_t argument) { return commands::run(*this, command, argument); }

CommandFacts PuzCommands::facts() const
{
    const Puz& puz = m_parts.puz;
    const uint32_t game = m_game.gameOptions();
    CommandFacts f;
    f.pieces = hasPieces();
    f.noHelp = (puz.options & Puz::NoHelp) != 0;
    f.noPreview = (puz.options & Puz::NoPreview) != 0;
    f.previewShown = window().previewShown();
    f.rankingOpen = m_parts.live.isOpen();
    f.competition = (game & fw::gameopt::Competition) != 0;
    f.scoreHidden = (game & fw::gameopt::HideScore) != 0;
    f.previewHidden = (game & fw::gameopt::HidePreview) != 0;
    f.boxesHidden = (game & fw::gameopt::HideBoxes) != 0;
    f.boxes = puz.boxes.size();
    f.lastBoxEmpty = !puz.boxes.empty() && puz.boxes.back().pieceCount == 0;
    PlaySession& session = window().session();
    f.canUndo = session.canUndo();
    f.canRedo = session.canRedo();
    f.edgeView = session.edgeView();
    f.ghost = m_parts.options.ghost;
    f.progressLine = progressLineWanted();
    // The piece menu's piece (its entries are the only ones asking).
    const int piece = window().mouse().menuPiece();
    if (piece >= 0 && piece < puz.pieceCount()) {
        f.pieceContainer = puz.pieces[piece].box;
        f.pieceMarked = (puz.pieces[piece].flags & PlayRules::Marked) != 0;
    }
    return f;
}

bool PuzCommands::MenuHint(fw::MenuHintEvent& e)
{
    const std::optional<MenuState> state =
        commands::menuState(e.command(), facts(), [this](int id) { return text(id); }, e.argument(), keyWords());
    if (!state)
        return false;
    if (state->hint)
        e.hint = *state->hint;
    if (state->enabled)
        e.enabled = *state->enabled;
    if (state->checked)
        e.checked = *state->checked;
    return true;
}

fw::Menu PuzCommands::windowMenu() const
{
    return commands::windowMenu([this](int id, int variant) { return caption(id, variant); },
                                [this](int id) { return text(id); }, m_parts.puz.boxes.size());
}

bool PuzCommands::Key(const fw::KeyEvent& e)
{
    WPuz& w = window();
    const unsigned kind = e.kind(), key = e.key();
    if (w.loupe() && w.loupeKey(kind, key))
        return true;
    if (kind == fw::KeyEvent::Up) {
        const KeyBinding* binding = commands::findKey(KeyBinding::Up, e.modifiers(), key);
        if (!binding)
            return false;
        Command(binding->command, binding->argument);
        return true;
    }
    if (kind != fw::KeyEvent::Down)
        return false;
    if ((key == fw::vk::Tab || key == fw::vk::Escape || key == fw::vk::Add) && sendKeyToBox(e))
        return true;
    const unsigned mods = e.modifiers() & (fw::mod::Ctrl | fw::mod::Shift | fw::mod::Alt);
    if (bandKey(mods, key))
        return true;
    const KeyBinding* binding = commands::findKey(KeyBinding::Down, mods, key);
    return binding && Command(binding->command, binding->argument);
}

bool PuzCommands::sendKeyToBox(const fw::KeyEvent& e)
{
    // A box passes back what it does not handle; that key is then the
    // table's, and is not handed to the box again.
    if (m_keyInBox)
        return false;
    WBox* box = window().topmostOpenBox();
    if (!box || window().mouse().band())
        return false;
    fw::KeyEvent copy(e.code());
    m_keyInBox = true;
    const bool handled = fw::Dispatch(copy, *box);
    m_keyInBox = false;
    return handled;
}

bool PuzCommands::bandKey(unsigned mods, unsigned key)
{
    WPuz& w = window();
    MultiSPuzs* band = w.mouse().band();
    if (!band)
        return false;
    if (key == fw::vk::Escape) {
        w.mouse().removeBand();
        return true;
    }
    if (key == 'R' && (mods & (fw::mod::Ctrl | fw::mod::Alt)) && band->surface()) {
        band->surface()->sendCommand(MultiSPuzs::Spread);
        return true;
    }
    return false;
}

// --- exit, pause, open, credits

bool PuzCommands::settleChanges()
{
    WPuz& w = window();
    Puz& puz = m_parts.puz;
    if (!hasPieces() || !(puz.state & Puz::Changed))
        return true;
    if (m_game.gameOptions() & fw::gameopt::AutoSave)
        return m_game.SaveGame(false);
    w.HideLoupeFor(loupe::ExitQuestion, true);
    const int answer = message(510, fw::mb::YesNoCancel | fw::mb::IconQuestion);
    w.ShowLoupeAfter(loupe::ExitQuestion, true);
    if (answer == fw::mb::IdCancel)
        return false;
    // A game never saved gets its name in the save-as dialog; cancelling it stays.
    return answer != fw::mb::IdYes || Save();
}

bool PuzCommands::Exit()
{
    if (m_exiting)
        return true;
    WPuz& w = window();
    if (!settleChanges())
        return false;
    for (const auto& b : w.boxes())
        b->hide();
    w.runExitAnimation();
    m_exiting = true;
    w.close();
    return true;
}


void PuzCommands::Pause()
{
    LoupeAway away(window(), true);
    message(987, fw::mb::Ok | fw::mb::IconInformation);
    window().update();
}

void PuzCommands::Open()
{
    std::optional<OpenChoice> choice;
    {
        LoupeAway away(window(), true);
        choice = m_dialogs->library();
    }
    // A guarded saved game was let through by the library with its password.
    if (choice && settleChanges())
        m_game.OpenFile(choice->path, choice->sizeIndex, choice->options);
}

void PuzCommands::MakePuzzle(bool atStartUp)
{
    WMakePuzzke::Result made;
    {
        LoupeAway away(window(), true);
        made = m_dialogs->makePuzzle(atStartUp);
    }
    if (made.picture)
        MakePuzzleFrom(*made.picture);
    else if (made.reopenLast)
        fw::PostCommand(*this, cmd::ReopenLast);
}

// What the new-puzzle operation asks of the play window and the open game.
class PuzCommands::NewPuzzleAnswers : public NewPuzzleHost {
public:
    explicit NewPuzzleAnswers(PuzCommands& commands) : m_commands(commands) {}
    bool settlePuzzle() override { return m_commands.settleChanges(); }
    void bringToFront() override
    {
        m_commands.window().raise();
        m_commands.window().activateWindow();
    }
    void maximise() override { m_commands.Command(cmd::Maximize); }
    // The editor, a window of its own, stays usable over the disabled play window.
    void setBusy(bool busy) override { m_commands.window().setEnabled(!busy); }

private:
    PuzCommands& m_commands;
};

void PuzCommands::MakePuzzleFrom(const std::filesystem::path& picture)
{
    NewPuzzleAnswers answers(*this);
    // The editor wrote the puzzle and made it the last one. The old game was
    // settled before the editor and is replaced only when the new puzzle
    // opens, once the editor is gone; asking again would ask twice.
    if (const std::optional<std::filesystem::path> made = m_dialogs->newPuzzle(picture, answers)) {
        QTimer::singleShot(0, &window(), [this, file = *made] { m_game.OpenFile(file, 0, 0); });
    }
    window().update();
}

// --- help

ShellHelp& PuzCommands::help() { return m_dialogs->help(); }

int PuzCommands::helpContext() const
{
    QWidget* at = QApplication::focusWidget();
    if (!at)
        at = QApplication::activeWindow();
    for (; at; at = at->parentWidget()) {
        if (dynamic_cast<WBox*>(at))
            return BoxesHelpTopic;
    }
    return HelpIndex::Contents;
}

void PuzCommands::ShowHelp(int topic) { m_dialogs->showHelp(topic); }

void PuzCommands::ShowOptions()
{
    {
        LoupeAway away(window(), false);
        const EdgeStyle edges = m_game.edgeStyle();
        m_dialogs->options();
        // The edges are drawn into the pieces when they are cut.
        if (m_game.edgeStyle() != edges)
            m_game.RebuildPieces();
    }
    window().update();
}

void PuzCommands::ShowAdvanced(QWidget* over)
{
    // Over the options window, that window keeps the loupe hidden.
    if (over) {
        m_dialogs->advanced(over);
        return;
    }
    LoupeAway away(window(), false);
    m_dialogs->advanced(nullptr);
}

namespace {

// The box options window's questions, answered by the play window.
class BoxOptionsAnswers : public BoxOptionsHost {
public:
    BoxOptionsAnswers(PuzCommands& commands, WPuz& play) : m_commands(commands), m_play(play) {}
    void showPause() override { m_commands.Pause(); }
    void boxChanged(int box) override
    {
        if (box >= 0 && box < static_cast<int>(m_play.boxes().size()))
            m_play.boxes()[box]->refreshState();
    }
    void repaintPreview() override { m_play.update(); }

private:
    PuzCommands& m_commands;
    WPuz& m_play;
};

}  // namespace

void PuzCommands::ShowBoxOptions(int box)
{
    WPuz& w = window();
    if (!hasPieces() || box < 0 || box >= static_cast<int>(w.boxes().size()))
        return;
    BoxOptionsAnswers answers(*this, w);
    m_dialogs->boxOptions(box, answers);
}

CaptionFacts PuzCommands::PrintCaption(const Puz& puz, const ScoreCounters& c)
{
    CaptionFacts facts;
    facts.gameName = puz.savedName;  // none: the caption says the game has no name
    facts.playerName = puz.playerName;
    facts.dateStart = puz.dateStart;
    facts.dateEnd = puz.dateEnd;
    facts.elapsedMs = c.elapsed;
    facts.moves = c.moves;
    facts.helps = c.helps;
    return facts;
}

void PuzCommands::Print()
{
    const CaptionFacts facts = PrintCaption(m_parts.puz, m_parts.score.Counters());
    LoupeAway away(window(), true);
    m_dialogs->print(facts);
}

bool PuzCommands::Save()
{
    if (!hasPieces())
        return false;
    if (m_parts.puz.savedPath.empty())
        return SaveAs(false);
    return m_game.SaveGame(false);
}

bool PuzCommands::SaveAs(bool saveAsMode)
{
    if (!hasPieces())
        return false;
    int command = 2;
    {
        LoupeAway away(window(), true);
        command = m_dialogs->saveAs(saveAsMode);
    }
    // The dialog stored the names and the path in the game; 1 (a game never
    // saved, also when it replaces another saved game), 102 and 104 save,
    // 2 saves nothing.
    const bool save = command == saveas::NeverSaved || command == saveas::Save || command == saveas::SaveOther;
    return save && m_game.SaveGame(false);
}

void PuzCommands::ChooseTableBackground()
{
    if (!hasPieces())
        return;
    bool changed = false;
    {
        LoupeAway away(window(), false);
        changed = m_dialogs->background();
    }
    if (!changed)
        return;
    window().backgroundChosen();
}

void PuzCommands::ShowCredits()
{
    LoupeAway away(window(), true);
    m_dialogs->credits();
}

// --- PlayShell

std::string PuzCommands::text(int id) const { return m_parts.traductor.Lookup(fw::Traductor::Text, id); }

std::string PuzCommands::caption(int id, int variant) const { return m_parts.traductor.Lookup(fw::Traductor::Caption, id, variant); }

commands::KeyWords PuzCommands::keyWords() const
{
    // A translation without the words names the keys in English.
    const fw::Traductor& t = m_parts.traductor;
    return [&t](int word) { return t.Lookup(fw::Traductor::VariantText, commands::KeyWordsText, word); };
}

std::string PuzCommands::keyName(const KeyBinding& binding) const { return commands::keyName(binding, keyWords()); }

std::string PuzCommands::modifiers(unsigned modifiers) const { return commands::modifierNames(modifiers, keyWords()); }

std::string PuzCommands::keyHint(uint32_t command, uint32_t argument) const
{
    const KeyBinding* key = commands::hintKey(command, argument);
    return key ? keyName(*key) : std::string();
}

int PuzCommands::message(int textId, unsigned style, const std::string& insert)
{
    return fw::ShowMessageId(&window(), textId, insert, kLongName, style);
}

void PuzCommands::autosave(bool joined)
{
    Puz& puz = m_parts.puz;
    if (!hasPieces() || !(m_game.gameOptions() & fw::gameopt::AutoSave) || !(puz.state & Puz::Changed))
        return;
    if (!joined) {
        if (window().holding())
            return;
        if (fw::tickCount() - m_game.lastSaveTick() < AutosaveIntervalMs)
            return;
    }
    window().repaint();
    m_game.SaveGame(true);
}

void PuzCommands::openDropped(const std::filesystem::path& file)
{
    const CommandLine::Kind kind = CommandLine::KindOfPath(file);
    if (kind == CommandLine::Kind::OtherPath)
        return;
    // Opening may ask (a password, the editor); not inside the drop, which
    // the program the file came from waits for.
    QTimer::singleShot(0, &window(), [this, file, kind] {
        if (kind == CommandLine::Kind::Picture)
            MakePuzzleFrom(file);
        else
            OpenGuarded(file);
    });
}

bool PuzCommands::OpenGuarded(const std::filesystem::path& file)
{
    if (CommandLine::KindOfPath(file) == CommandLine::Kind::SavedGame && !m_dialogs->passwordGiven(file))
        return false;
    return settleChanges() && m_game.OpenFile(file, 0, 0);
}


std::string PuzCommands::clickHint()
{
    fw::Profile& profile = m_parts.profile;
    const int shown = profile.getInt("nSayClick2");
    if (shown >= MaxClickHints || (m_parts.options.word & fw::opt::NoBalloons))
        return {};
    profile.setInt({}, "nSayClick2", shown + 1);
    return text(kClickHint);
}

bool PuzCommands::keepOpenOnClose()
{
    if (m_exiting)
        return false;
    fw::PostCommand(*this, cmd::Exit);
    return true;
}

}  // namespace qv
