#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "framework/EventHandler.h"
#include "framework/Events.h"
#include "framework/Menu.h"
#include "jigsaw/play/windows/PlayContext.h"
#include "jigsaw/shell/CommandTable.h"
#include "jigsaw/shell/SharedCut.h"
#include "jigsaw/shell/windows/ShellParts.h"

class QWidget;

namespace qv {

class GameControl;
class Puz;
class ScoreWindows;
class ShellDialogs;
class ShellHelp;
class WPuz;
struct CaptionFacts;
struct OpenChoice;
struct ScoreCounters;

// The document's command and key handler: every numbered command of the
// menus and every key of the play window ends here, is looked up in the
// command table (CommandTable.cpp) and carried out by its call
// (PuzCommandCalls.cpp), which hands it to the part that owns it. It also answers the play windows'
// questions (PlayShell): texts, message boxes, autosave, dropped files.
class PuzCommands : public fw::EventHandler, public PlayShell, private CommandCalls {
public:
    static constexpr uint32_t CmdAddBox = cmd::AddBox, CmdRemoveBox = cmd::RemoveBox,
                              CmdBackground = cmd::Background, CmdCompetition = cmd::Competition;
    // Help topics of the play window's own contexts.
    enum : int { BoxesHelpTopic = 110, MakingHelpTopic = 151 };

    PuzCommands(const ShellParts& parts, GameControl& game);
    ~PuzCommands() override;
    // The play window and the score windows, made after the commands
    // (the play window asks its questions of them).
    void attach(WPuz& window, ScoreWindows& scoreWindows);

    void OnEvent(fw::Event& event) override;
    bool Command(uint32_t command, uint32_t argument = 0);
    bool Key(const fw::KeyEvent& event);
    bool MenuHint(fw::MenuHintEvent& event);
    // The play window's own menu (F10, a right click on the empty table).
    fw::Menu windowMenu() const;

    // The exit sequence; true when the program is closing.
    bool Exit();
    bool exiting() const { return m_exiting; }
    void Pause();
    void ShowCredits();
    // Ctrl+V: a shared cut, else a certificate or ranking text from the clipboard.
    void PasteScores();
    // The open game's cut on the clipboard, shown to the player.
    void ShareCut();
    // A shared cut's text: found on a shelf, asked about, opened as a new
    // game; a damaged text or a missing puzzle is said, and nothing changes.
    void PasteSharedCut(const std::string& text);
    // Its messages and question: the puzzle to open, or none.
    std::optional<std::filesystem::path> askSharedCut(const SharedCut::Decoded& decoded);
    void ShowOptions();
    // Over the play window, or over the options window whose button opened it.
    void ShowAdvanced(QWidget* over = nullptr);
    // 1116 from a box window's menu; the argument is the box.
    void ShowBoxOptions(int box);
    void Print();
    // What the print caption says of the game.
    static CaptionFacts PrintCaption(const Puz& puz, const ScoreCounters& counters);
    // Ctrl+S: a game saved before is saved again; a game never saved
    // gets the save-as dialog first. False when nothing was saved.
    bool Save();
    // Ctrl+A (saveAsMode) and a first Ctrl+S: the save-as dialog, then the
    // save it decided, the scores and the shelf's cache.
    bool SaveAs(bool saveAsMode = true);
    // The table's background, kept with the game as "BkClr:".
    void ChooseTableBackground();
    // Ctrl+O: the library window, shown again while it answers "again",
    // then what it chose is opened.
    void Open();
    // Ctrl+C: the make-a-puzzle dialog, then the new-puzzle operation.
    // Opened at start-up in place of a last game that could not be opened,
    // its Close forgets that game ("LastPuz") and sends 1128.
    void MakePuzzle(bool atStartUp = false);
    // The new-puzzle operation for a picture (dropped, or named on the
    // command line); the made puzzle is opened by command 1128.
    void MakePuzzleFrom(const std::filesystem::path& picture);
    // A puzzle or saved game from outside the library (dropped, on the
    // command line): a saved game with a password asks for it first.
    bool OpenGuarded(const std::filesystem::path& file);
    // The progress line shown or hidden as the game and the setting want
    // it: a game outside competition, with the setting on (the default).
    void refreshProgressLine();
    bool progressLineWanted() const;
    // The settings key of the progress line (1 on, 0 off; missing: on).
    static constexpr const char* ProgressLineKey = "QvProgressLine";
    // A next step chosen in the finish window (WFinish ids).
    void finishStep(int step, int sizeIndex);

    // The help at a topic; F1 asks for the topic of where the user is.
    void ShowHelp(int topic);
    int helpContext() const;
    ShellHelp& help();

    // --- PlayShell
    std::string text(int id) const override;
    std::string caption(int id, int variant = 0) const override;
    std::string keyHint(uint32_t command, uint32_t argument = 0) const override;
    std::string modifiers(unsigned modifiers) const override;
    // A key's name in the player's language ("Strg+O").
    std::string keyName(const KeyBinding& binding) const;
    // The words of the key names in the player's language.
    commands::KeyWords keyWords() const;
    int message(int textId, unsigned style, const std::string& insert = {}) override;
    void autosave(bool joined) override;
    void openDropped(const std::filesystem::path& file) override;
    std::string clickHint() override;
    bool keepOpenOnClose() override;

    static constexpr uint32_t AutosaveIntervalMs = 60000;

private:
    // --- the calls of the command table
    bool minimize(uint32_t) override;
    bool maximize(uint32_t) override;
    bool exit(uint32_t) override;
    bool open(uint32_t) override;
    bool save(uint32_t) override;
    bool saveAs(uint32_t) override;
    bool credits(uint32_t) override;
    bool pause(uint32_t) override;
    bool showBoxes(uint32_t) override;
    bool hideBoxes(uint32_t hide) override;
    bool autoHelp(uint32_t) override;
    bool tidy(uint32_t spread) override;
    bool preview(uint32_t) override;
    bool previewHidden(uint32_t hidden) override;
    bool showScore(uint32_t) override;
    bool hideScore(uint32_t hide) override;
    bool info(uint32_t) override;
    bool ranking(uint32_t) override;
    bool competition(uint32_t) override;
    bool reopenLast(uint32_t) override;
    bool addBox(uint32_t) override;
    bool removeBox(uint32_t) override;
    bool background(uint32_t) override;
    bool help(uint32_t) override;
    bool howToMake(uint32_t) override;
    bool makePuzzle(uint32_t) override;
    bool options(uint32_t) override;
    bool advanced(uint32_t) override;
    bool boxOptions(uint32_t box) override;
    bool print(uint32_t) override;
    bool nothing(uint32_t) override;
    bool pasteScores(uint32_t) override;
    bool postNothing(uint32_t) override;
    bool sendToBox(uint32_t box) override;
    bool windowMenu(uint32_t) override;
    bool uncover(uint32_t) override;
    bool minimiseAnimated(uint32_t) override;
    bool openLoupe(uint32_t) override;
    bool undo(uint32_t) override;
    bool redo(uint32_t) override;
    bool gatherEdges(uint32_t box) override;
    bool edgeView(uint32_t) override;
    bool ghost(uint32_t percent) override;
    bool shareCut(uint32_t) override;
    bool progressLine(uint32_t) override;
    bool zoomIn(uint32_t) override;
    bool zoomOut(uint32_t) override;
    bool zoomActual(uint32_t) override;
    bool zoomWhole(uint32_t) override;

    WPuz& window() const;
    ScoreWindows& scoreWindows() const;
    bool hasPieces() const;
    CommandFacts facts() const;
    void setBoxesHidden(bool hide);
    void setScoreHidden(bool hide);
    // The rubber band's own keys: Esc drops it, Ctrl+R or Alt+R spreads it.
    bool bandKey(unsigned modifiers, unsigned key);
    bool sendKeyToBox(const fw::KeyEvent& event);
    // Asked before anything closes or replaces the open game (exit, the
    // library, 1128, a dropped file, a new puzzle): a changed game is saved
    // (autosave), or the user is asked with text 510; false when the user
    // chose to stay with it (or its save failed or was cancelled).
    bool settleChanges();

    class NewPuzzleAnswers;
    ShellParts m_parts;
    GameControl& m_game;
    WPuz* m_window = nullptr;
    ScoreWindows* m_scoreWindows = nullptr;
    std::unique_ptr<ShellDialogs> m_dialogs;
    bool m_exiting = false;
    bool m_keyInBox = false;  // a key handed to a box, which may pass it back
};

}  // namespace qv
