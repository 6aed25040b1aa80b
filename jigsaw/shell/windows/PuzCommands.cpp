#include "jigsaw/shell/windows/PuzCommands.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>

#include "framework/Markup.h"
#include "framework/SoundPlayer.h"
#include "framework/VirtualKey.h"
#include "framework/qt/Clipboard.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/MessageBox.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/MultiSPuzs.h"
#include "jigsaw/play/windows/SurfaceMouse.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/WPuz.h"
#include "framework/Background.h"
#include "framework/qt/WBkgChoose.h"
#include "jigsaw/shell/windows/WAdvanced.h"
#include "jigsaw/shell/windows/WOptions.h"
#include "jigsaw/shell/windows/WOptsBox.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/SavedGameHead.h"
#include "jigsaw/shell/windows/NewPuzzle.h"
#include "jigsaw/shell/windows/WEdPuz.h"
#include "jigsaw/library/windows/WLibrary.h"
#include "jigsaw/library/windows/WMakePuzzke.h"
#include "jigsaw/library/windows/WPassw.h"
#include "jigsaw/library/windows/WSaveAs.h"
#include "jigsaw/print/windows/WPrint.h"
#include "jigsaw/scores/ClipboardImport.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/shell/windows/App.h"
#include "jigsaw/shell/CommandLine.h"
#include "jigsaw/shell/windows/CreditsShow.h"
#include "jigsaw/shell/windows/ShellHelp.h"
#include "jigsaw/shell/windows/ShellScoresHost.h"

namespace qv {

namespace {

enum : uint32_t {
    CmdMinimize = 10,
    CmdMaximize = 11,
    CmdExit = 13,
    CmdOpen = 101,
    CmdSave = 102,
    CmdSaveAs = 103,
    CmdExit2 = 111,
    CmdCredits = 114,
    CmdHelp = 119,
    CmdSelectPicture = 120,
    CmdPause = 170,
    CmdNoHandler = 1001,
    CmdHideBoxes = 1006,
    CmdShowBoxes = 1007,
    CmdOptions = 1008,
    CmdPrint = 1009,
    CmdAutoHelp = 1102,
    CmdTidy = 1103,
    CmdPreview = 1104,
    CmdInfo = 1106,
    CmdShowScore = 1107,
    CmdHideScore = 1108,
    CmdAdvanced = 1112,
    CmdBoxOptions = 1116,
    CmdPreviewHidden = 1125,
    CmdReopenLast = 1128,
    CmdMakePuzzle = 1300,
    CmdHowToMake = 1301,
    CmdRanking = 3020,
};

constexpr int MaxClickHints = 3;
constexpr int kClickHint = 3300;    // the balloon after a plain click on the table
constexpr int kPreviewHint = 3301;  // the preview entry's keys and click
constexpr int kWrongPassword = 4610;

}  // namespace

PuzCommands::PuzCommands(App& app) : m_app(app), m_help(std::make_unique<ShellHelp>(app.programDir()))
{
    // The help buttons of message boxes (the custom-size prompt...).
    fw::MUBox::setHelpHandler([this](int topic) { ShowHelp(topic); });
}

PuzCommands::~PuzCommands() { fw::MUBox::setHelpHandler(nullptr); }

bool PuzCommands::hasPieces() const { return m_app.puz().pieceCount() > 0; }

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

// --- commands

bool PuzCommands::Command(uint32_t command, uint32_t argument)
{
    WPuz& w = m_app.playWindow();
    Puz& puz = m_app.puz();
    switch (command) {
    case CmdMinimize: w.showMinimized(); return true;
    case CmdMaximize: w.showOnScreen(); return true;
    case CmdExit:
    case CmdExit2: Exit(); return true;
    case CmdOpen: Open(); return true;
    case CmdSave:
        if (hasPieces())
            Save();
        return true;
    case CmdSaveAs:
        if (hasPieces())
            SaveAs();
        return true;
    case CmdCredits: ShowCredits(); return true;
    case CmdPause: Pause(); return true;
    case CmdHideBoxes:
    case CmdShowBoxes: {
        const bool hide = command == CmdHideBoxes && argument != 0;
        m_app.setGameOption(fw::gameopt::HideBoxes, hide);
        w.setBoxesHidden(hide);
        return true;
    }
    case CmdAutoHelp:
        if (hasPieces() && !w.holding() && !(puz.options & Puz::NoHelp)) {
            w.rules().AutoHelp();
            autosave(true);
        }
        return true;
    case CmdTidy:
        if (hasPieces() && !w.holding())
            w.rules().Tidy(SPuz::OnTable, argument != 0);
        return true;
    case CmdPreview:
        if (hasPieces())
            w.TogglePreview();
        return true;
    case CmdPreviewHidden:
        if (hasPieces() && !(puz.options & Puz::NoPreview)) {
            w.SetPreviewHidden(argument != 0);
            m_app.setGameOption(fw::gameopt::HidePreview, argument != 0);
        }
        return true;
    case CmdShowScore:
    case CmdHideScore: {
        const bool hide = command == CmdHideScore && argument != 0;
        m_app.setGameOption(fw::gameopt::HideScore, hide);
        // Only a game keeping scores has a strip to show.
        m_app.scoreWindows().showMiniScore(!hide && hasPieces() && m_app.liveRanking().isOpen(),
                                           QPoint(puz.scorePos.x, puz.scorePos.y));
        return true;
    }
    case CmdInfo:
        if (hasPieces())
            m_app.scoreWindows().ShowInfo(puz);
        return true;
    case CmdRanking:
        // Only a game in competition mode has a ranking.
        if (hasPieces() && (m_app.gameOptions() & fw::gameopt::Competition))
            m_app.scoreWindows().ShowRanking();
        return true;
    case CmdCompetition:
        if (hasPieces())
            m_app.setCompetition(!(m_app.gameOptions() & fw::gameopt::Competition));
        return true;
    case CmdReopenLast: {
        const std::string last = m_app.profile().getString("LastPuz");
        if (!last.empty() && settleChanges())
            m_app.OpenFile(last);
        return true;
    }
    case CmdAddBox: w.addBox(); return true;
    case CmdBackground: ChooseTableBackground(); return true;
    case CmdRemoveBox: w.removeBox(); return true;
    case CmdHelp: ShowHelp(helpContext()); return true;
    case CmdHowToMake: ShowHelp(MakingHelpTopic); return true;
    case CmdMakePuzzle:
    case CmdSelectPicture: MakePuzzle(); return true;
    case CmdOptions: ShowOptions(); return true;
    case CmdAdvanced: ShowAdvanced(); return true;
    case CmdBoxOptions: ShowBoxOptions(static_cast<int>(argument)); return true;
    case CmdPrint:
        if (hasPieces())
            Print();
        return true;
    case CmdNoHandler: return true;
    default: return false;
    }
}

bool PuzCommands::MenuHint(fw::MenuHintEvent& e)
{
    const Puz& puz = m_app.puz();
    const bool pieces = hasPieces();
    switch (e.command()) {
    case CmdOpen: e.hint = "Ctrl+O"; break;
    case CmdSave: e.hint = "Ctrl+S"; e.enabled = pieces; break;
    case CmdSaveAs: e.hint = "Ctrl+A"; e.enabled = pieces; break;
    case CmdHelp: e.hint = "F1"; break;
    case CmdPause: e.hint = "Ctrl+B"; e.enabled = pieces; break;
    case CmdOptions: e.hint = "F3"; break;
    case CmdPrint: e.hint = "Ctrl+P"; e.enabled = pieces; break;
    case CmdAutoHelp: e.hint = "F5"; e.enabled = pieces && !(puz.options & Puz::NoHelp); break;
    case CmdTidy: e.hint = "Ctrl+R"; e.enabled = pieces; break;
    case CmdPreview:
        e.hint = text(kPreviewHint);
        e.enabled = pieces && !(puz.options & Puz::NoPreview);
        e.checked = m_app.playWindow().previewShown();
        break;
    case CmdPreviewHidden: e.enabled = pieces && !(puz.options & Puz::NoPreview); break;
    case CmdShowScore:
    case CmdHideScore: {
        // The strip belongs to a game keeping scores; each entry where it changes something.
        const bool hidden = (m_app.gameOptions() & fw::gameopt::HideScore) != 0;
        e.enabled = pieces && m_app.liveRanking().isOpen() && (e.command() == CmdShowScore) == hidden;
        break;
    }
    case CmdInfo: e.hint = "F2"; e.enabled = pieces; break;
    case CmdMakePuzzle: e.hint = "Ctrl+C"; break;
    case CmdRanking: e.hint = "F4"; e.enabled = pieces && m_app.liveRanking().isOpen(); break;
    case CmdCompetition:
        e.enabled = pieces;
        e.checked = pieces && (m_app.gameOptions() & fw::gameopt::Competition);
        break;
    case CmdAddBox: e.enabled = pieces && puz.boxes.size() < 9; break;
    case CmdBackground: e.enabled = pieces; break;
    case CmdRemoveBox: e.enabled = pieces && !puz.boxes.empty() && puz.boxes.back().pieceCount == 0; break;
    case CmdHideBoxes: e.enabled = pieces; break;
    case CmdShowBoxes: e.enabled = pieces; break;
    default: return false;
    }
    return true;
}

fw::Menu PuzCommands::windowMenu() const
{
    fw::Menu boxes;
    boxes.addText(CmdShowBoxes, caption(CmdShowBoxes))
        .addText(CmdHideBoxes, caption(CmdHideBoxes), 1)
        .separator()
        .addText(CmdAddBox, caption(CmdAddBox))
        .addText(CmdRemoveBox, caption(CmdRemoveBox));
    fw::Menu m;
    m.addText(CmdOpen, caption(CmdOpen))
        .addText(CmdSave, caption(CmdSave))
        .addText(CmdSaveAs, caption(CmdSaveAs))
        .addText(CmdReopenLast, caption(CmdReopenLast))
        .addText(CmdMakePuzzle, caption(CmdMakePuzzle))
        .separator()
        .addText(CmdAutoHelp, caption(CmdAutoHelp))
        .addText(CmdTidy, caption(CmdTidy))
        .addText(CmdPreview, caption(CmdPreview))
        .addText(CmdPreviewHidden, caption(CmdPreviewHidden), 1)
        .addText(CmdPreviewHidden, caption(CmdPreviewHidden, 1), 0)
        .addText(CmdPause, caption(CmdPause))
        .submenuText(text(2600) + "...", boxes)
        .addText(CmdCompetition, caption(CmdCompetition))
        .addText(CmdShowScore, caption(CmdShowScore))
        .addText(CmdHideScore, caption(CmdHideScore), 1)
        .separator()
        .addText(CmdOptions, caption(CmdOptions))
        .addText(CmdAdvanced, caption(CmdAdvanced))
        .addText(CmdBackground, (text(3000).empty() ? std::string("Table background") : text(3000)) + "...")
        .addText(CmdCredits, caption(CmdCredits))
        .addText(CmdHelp, caption(CmdHelp))
        .addText(CmdHowToMake, caption(CmdHowToMake))
        .separator()
        .addText(CmdMinimize, caption(CmdMinimize))
        .addText(CmdExit, caption(CmdExit));
    return m;
}

// --- keys

bool PuzCommands::Key(const fw::KeyEvent& e)
{
    WPuz& w = m_app.playWindow();
    const unsigned kind = e.kind(), key = e.key();
    if (w.loupe() && w.loupeKey(kind, key))
        return true;
    if (kind == fw::KeyEvent::Up) {
        // The help runs on release, so that a held F5 does not repeat it.
        if (key == fw::vk::F1 + 4 && !(e.modifiers() & fw::mod::Repeat)) {
            Command(CmdAutoHelp);
            return true;
        }
        return false;
    }
    if (kind != fw::KeyEvent::Down)
        return false;
    if ((key == fw::vk::Tab || key == fw::vk::Escape || key == fw::vk::Add) && sendKeyToBox(e))
        return true;
    return keyDown(e.modifiers() & (fw::mod::Ctrl | fw::mod::Shift | fw::mod::Alt), key);
}

bool PuzCommands::sendKeyToBox(const fw::KeyEvent& e)
{
    // A box passes back what it does not handle; that key is then the
    // table's, and is not handed to the box again.
    if (m_keyInBox)
        return false;
    WBox* box = m_app.playWindow().topmostOpenBox();
    if (!box || m_app.playWindow().mouse().band())
        return false;
    fw::KeyEvent copy(e.code());
    m_keyInBox = true;
    const bool handled = fw::Dispatch(copy, *box);
    m_keyInBox = false;
    return handled;
}

int PuzCommands::boxForKey(unsigned mods, unsigned key) const
{
    if (!(mods & fw::mod::Alt) || (mods & fw::mod::Ctrl))
        return -1;
    if (key >= '1' && key <= '9')
        return static_cast<int>(key - '1');
    if (key >= fw::vk::Numpad0 + 1 && key <= fw::vk::Numpad0 + 6)
        return static_cast<int>(key - fw::vk::Numpad0 - 1);
    static const unsigned kNoNumLock[6] = {fw::vk::End, fw::vk::Down, fw::vk::Next,
                                           fw::vk::Left, fw::vk::Clear, fw::vk::Right};
    for (int k = 0; k < 6; ++k)
        if (key == kNoNumLock[k])
            return k;
    return -1;
}

bool PuzCommands::keyDown(unsigned mods, unsigned key)
{
    WPuz& w = m_app.playWindow();
    const bool ctrl = mods == fw::mod::Ctrl, alt = (mods & fw::mod::Alt) != 0, none = mods == 0;
    if (MultiSPuzs* band = w.mouse().band()) {
        if (key == fw::vk::Escape) {
            w.mouse().removeBand();
            return true;
        }
        if (key == 'R' && (mods & (fw::mod::Ctrl | fw::mod::Alt)) && band->surface()) {
            band->surface()->sendCommand(MultiSPuzs::Spread);
            return true;
        }
    }
    if (ctrl) {
        switch (key) {
        case 'O': return Command(CmdOpen);
        case 'S': return Command(CmdSave);
        case 'A': return Command(CmdSaveAs);
        case 'B': return Command(CmdPause);
        case 'P': return Command(CmdPrint);
        case 'R': return Command(CmdTidy);
        case 'C': return Command(CmdMakePuzzle);
        case 'V': PasteScores(); return true;
        case 'T': fw::PostCommand(*this, CmdNoHandler); return true;
        default: break;
        }
    }
    if (alt) {
        if (key == 'R')
            return Command(CmdTidy, 1);
        if (const int box = boxForKey(mods, key); box >= 0) {
            w.sendToBox(static_cast<uint8_t>(box));
            return true;
        }
        if (!(mods & fw::mod::Ctrl) && (key == 'Q' || key == fw::vk::Return)) {
            w.sendToBox(SPuz::OnTable);
            return true;
        }
        if (key == fw::vk::F1 + 9) {
            w.trackMenu(windowMenu(), w.pointer());
            return true;
        }
        return false;
    }
    if (mods == fw::mod::Shift && key == fw::vk::Shift) {
        if (!w.holding() && !w.mouse().band() && w.mouse().buttonsHeld() == 0)
            w.OpenLoupe();
        return true;
    }
    if (!none)
        return false;
    switch (key) {
    case fw::vk::F1: return Command(CmdHelp);
    case fw::vk::F1 + 1: return Command(CmdInfo);
    case fw::vk::F1 + 2: return Command(CmdOptions);
    case fw::vk::F1 + 3: return Command(CmdRanking);
    case fw::vk::F1 + 9: w.trackMenu(windowMenu(), w.pointer()); return true;
    case fw::vk::Insert:
    case fw::vk::Numpad0: return Command(CmdPreview);
    case fw::vk::Space:
    case fw::vk::Up:
    case 'Z': w.uncoverAtPointer(); return true;
    case fw::vk::Escape:
        if (!(m_app.options().word & fw::opt::EscMinimizes))
            return false;
        w.MinimiseAnimated();
        return true;
    case fw::vk::Snapshot: return true;
    default: return false;
    }
}

// --- exit, pause, open, credits

bool PuzCommands::settleChanges()
{
    WPuz& w = m_app.playWindow();
    Puz& puz = m_app.puz();
    if (!hasPieces() || !(puz.state & Puz::Changed))
        return true;
    if (m_app.gameOptions() & fw::gameopt::AutoSave)
        return m_app.SaveGame(false);
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
    WPuz& w = m_app.playWindow();
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
    WPuz& w = m_app.playWindow();
    w.HideLoupeFor(loupe::Pause, true);
    message(987, fw::mb::Ok | fw::mb::IconInformation);
    w.update();
    w.ShowLoupeAfter(loupe::Pause, true);
}

void PuzCommands::Open()
{
    WPuz& w = m_app.playWindow();
    w.HideLoupeFor(loupe::Pause, true);
    const std::optional<OpenChoice> choice = runLibrary();
    w.ShowLoupeAfter(loupe::Pause, true);
    // A guarded saved game was let through by the library with its password.
    if (choice && settleChanges())
        m_app.OpenFile(choice->path, choice->sizeIndex, choice->options);
}

std::optional<OpenChoice> PuzCommands::runLibrary()
{
    // New and removed shelves and moved puzzles answer "again": the window
    // is shown anew over the changed shelves.
    for (;;) {
        WLibrary library(&m_app.playWindow(), m_app.library());
        library.setHelp([this](int topic) { ShowHelp(topic); });
        const int result = library.Exec();
        if (result == WLibrary::IdAgain)
            continue;
        if (result != WLibrary::IdOk)
            return std::nullopt;
        return library.choice();
    }
}

void PuzCommands::MakePuzzle(bool atStartUp)
{
    WPuz& w = m_app.playWindow();
    w.HideLoupeFor(loupe::Pause, true);
    WMakePuzzke::Result made;
    {
        WMakePuzzke dialog(&w, m_app.profile(), atStartUp);
        dialog.setNewPuzzleRunning(&NewPuzzle::running);
        dialog.setHelp([this](int topic) { ShowHelp(topic); });
        made = dialog.Exec();
    }
    w.ShowLoupeAfter(loupe::Pause, true);
    if (made.picture)
        MakePuzzleFrom(*made.picture);
    else if (made.reopenLast)
        fw::PostCommand(*this, CmdReopenLast);
}

// What the new-puzzle operation asks of the play window and the open game.
class PuzCommands::NewPuzzleAnswers : public NewPuzzleHost {
public:
    explicit NewPuzzleAnswers(PuzCommands& commands) : m_commands(commands) {}
    bool settlePuzzle() override { return m_commands.settleChanges(); }
    void bringToFront() override
    {
        m_commands.m_app.playWindow().raise();
        m_commands.m_app.playWindow().activateWindow();
    }
    void maximise() override { m_commands.Command(CmdMaximize); }
    // The editor, a window of its own, stays usable over the disabled play window.
    void setBusy(bool busy) override { m_commands.m_app.playWindow().setEnabled(!busy); }

private:
    PuzCommands& m_commands;
};

void PuzCommands::MakePuzzleFrom(const std::filesystem::path& picture)
{
    NewPuzzleAnswers answers(*this);
    NewPuzzle operation(&m_app.playWindow(), m_app.library(), answers);
    operation.setEditorRun([this](WEdPuz& editor) {
        editor.setHelp([this](int topic) { ShowHelp(topic); });
        return editor.Exec();
    });
    // The editor wrote the puzzle and made it the last one. The old game was
    // settled before the editor and is replaced only when the new puzzle
    // opens, once the editor is gone; asking again would ask twice.
    if (const std::optional<std::filesystem::path> made = operation.FromPicture(picture)) {
        QTimer::singleShot(0, &m_app.playWindow(), [this, file = *made] { m_app.OpenFile(file); });
    }
    m_app.playWindow().update();
}

// --- help

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

void PuzCommands::ShowHelp(int topic)
{
    const fw::Status status = m_help->Show(topic);
    if (!status.ok())
        fw::ShowMessageId(QApplication::activeWindow(), status.id, status.text, "Quorvane",
                          fw::mb::Ok | fw::mb::IconInformation);
}

void PuzCommands::ShowOptions()
{
    WPuz& w = m_app.playWindow();
    w.HideLoupeFor(loupe::Pause, false);
    const EdgeStyle edges = m_app.edgeStyle();
    {
        WOptions dialog(&w, m_app.options(), m_app.profile(), m_app.programDir(), &m_app.traductor());
        dialog.setHelp([this](int topic) { ShowHelp(topic); });
        dialog.setAdvanced([this, &dialog] { ShowAdvanced(&dialog); });
        dialog.RunModal();
    }
    // The edges are drawn into the pieces when they are cut.
    if (m_app.edgeStyle() != edges)
        m_app.RebuildPieces();
    w.ShowLoupeAfter(loupe::Pause, false);
    w.update();
}

void PuzCommands::ShowAdvanced(QWidget* over)
{
    WPuz& w = m_app.playWindow();
    // Over the options window, that window keeps the loupe hidden.
    if (!over)
        w.HideLoupeFor(loupe::Pause, false);
    {
        WAdvanced dialog(over ? over : &w, m_app.profile(), m_app.options(), hasPieces() ? &m_app.puz() : nullptr,
                         m_app.programDir() / "qvrk32", std::string(App::LongName) + " 2.00");
        dialog.RunModal();
    }
    if (!over)
        w.ShowLoupeAfter(loupe::Pause, false);
}

namespace {

// The box options window's questions, answered by the play window.
class BoxOptionsAnswers : public BoxOptionsHost {
public:
    BoxOptionsAnswers(PuzCommands& commands, WPuz& play) : m_commands(commands), m_play(play) {}
    void showPause() override { m_commands.Pause(); }
    void boxChanged(int box) override
    {
        m_commands.documentChanged();
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
    WPuz& w = m_app.playWindow();
    if (!hasPieces() || box < 0 || box >= static_cast<int>(w.boxes().size()))
        return;
    BoxOptionsAnswers answers(*this, w);
    WOptsBox dialog(w.boxes()[box].get(), m_app.puz(), box, m_app.options(), answers, m_app.programDir(), true);
    dialog.setHelp([this](int topic) { ShowHelp(topic); });
    dialog.RunModal();
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
    WPuz& w = m_app.playWindow();
    const Puz& puz = m_app.puz();
    const CaptionFacts facts = PrintCaption(puz, m_app.score().Counters());
    // The table as the player chose it, texture and all; white paper when
    // the game never chose one.
    fw::Background paper;
    const fw::Background* background = puz.background.empty() ? &paper : &w.tableBackground();
    w.HideLoupeFor(loupe::Pause, true);
    PrintDialog(&w, puz, background, facts);
    w.ShowLoupeAfter(loupe::Pause, true);
}

bool PuzCommands::Save()
{
    if (!hasPieces())
        return false;
    if (m_app.puz().savedPath.empty())
        return SaveAs(false);
    return m_app.SaveGame(false);
}

bool PuzCommands::SaveAs(bool saveAsMode)
{
    if (!hasPieces())
        return false;
    WPuz& w = m_app.playWindow();
    w.HideLoupeFor(loupe::Pause, true);
    int command = 2;
    {
        WSaveAs dialog(&w, m_app.puz(), m_app.library().shelves().CurrentDirectory(), saveAsMode);
        dialog.setHelp([this](int topic) { ShowHelp(topic); });
        command = dialog.Exec();
    }
    w.ShowLoupeAfter(loupe::Pause, true);
    // The dialog stored the names and the path in the game; 1 (a game never
    // saved, also when it replaces another saved game), 102 and 104 save,
    // 2 saves nothing.
    const bool save = command == saveas::NeverSaved || command == saveas::Save || command == saveas::SaveOther;
    return save && m_app.SaveGame(false);
}

void PuzCommands::ChooseTableBackground()
{
    if (!hasPieces())
        return;
    WPuz& w = m_app.playWindow();
    // The table's own background: what the window picks shows on the table.
    fw::Background& background = w.tableBackground();
    fw::WBkg::Places places;
    places.puzzlesRoot = m_app.folders().cacheFolder();
    places.texturesDir = WPuz::texturesFolder();
    w.HideLoupeFor(loupe::Pause, false);
    const bool changed = fw::ChooseBackground(&w, background, m_app.profile(), places);
    w.ShowLoupeAfter(loupe::Pause, false);
    if (!changed)
        return;
    w.backgroundChosen();
    documentChanged();
}

void PuzCommands::PasteScores()
{
    // A certificate or a ranking text; any other text is left alone.
    ClipboardImport(fw::Clipboard::text(), m_app.liveRanking(), m_app.scoresHost());
}

void PuzCommands::ShowCredits()
{
    WPuz& w = m_app.playWindow();
    w.HideLoupeFor(loupe::Pause, true);
    CreditsShow::run(m_app);
    w.ShowLoupeAfter(loupe::Pause, true);
}

// --- PlayShell

std::string PuzCommands::text(int id) const { return m_app.text(id); }

std::string PuzCommands::caption(int id, int variant) const { return m_app.caption(id, variant); }

int PuzCommands::message(int textId, unsigned style, const std::string& insert)
{
    return fw::ShowMessageId(&m_app.playWindow(), textId, insert, App::LongName, style);
}

void PuzCommands::autosave(bool joined)
{
    Puz& puz = m_app.puz();
    if (!hasPieces() || !(m_app.gameOptions() & fw::gameopt::AutoSave) || !(puz.state & Puz::Changed))
        return;
    if (!joined) {
        if (m_app.playWindow().holding())
            return;
        if (fw::tickCount() - m_app.lastSaveTick() < AutosaveIntervalMs)
            return;
    }
    m_app.playWindow().repaint();
    m_app.SaveGame(true);
}

void PuzCommands::openDropped(const std::filesystem::path& file)
{
    const CommandLine::Kind kind = CommandLine::KindOfPath(file);
    if (kind == CommandLine::Kind::OtherPath)
        return;
    // Opening may ask (a password, the editor); not inside the drop, which
    // the program the file came from waits for.
    QTimer::singleShot(0, &m_app.playWindow(), [this, file, kind] {
        if (kind == CommandLine::Kind::Picture)
            MakePuzzleFrom(file);
        else
            OpenGuarded(file);
    });
}

bool PuzCommands::OpenGuarded(const std::filesystem::path& file)
{
    if (CommandLine::KindOfPath(file) == CommandLine::Kind::SavedGame) {
        SavedGameHead head;
        // An unreadable head is reported by the opening itself.
        if (SavedGameHead::read(file, head).ok() && !head.password.empty()) {
            WPuz& w = m_app.playWindow();
            const std::optional<std::string> typed = PasswordPrompt(&w, file.filename().string());
            if (!typed)
                return false;
            if (!PasswordMatches(head.password, *typed)) {
                fw::ShowMessage(&w, m_app.text(kWrongPassword), App::LongName, fw::mb::Ok | fw::mb::IconStop);
                return false;
            }
        }
    }
    return settleChanges() && m_app.OpenFile(file);
}

void PuzCommands::documentChanged() { m_app.puz().state |= Puz::Changed; }

std::string PuzCommands::clickHint()
{
    fw::Profile& profile = m_app.profile();
    const int shown = profile.getInt("nSayClick2");
    if (shown >= MaxClickHints || (m_app.options().word & fw::opt::NoBalloons))
        return {};
    profile.setInt({}, "nSayClick2", shown + 1);
    return text(kClickHint);
}

bool PuzCommands::keepOpenOnClose()
{
    if (m_exiting)
        return false;
    fw::PostCommand(*this, CmdExit);
    return true;
}

}  // namespace qv
