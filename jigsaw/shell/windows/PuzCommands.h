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

class QWidget;

namespace qv {

class App;
class Puz;
class ShellHelp;
struct CaptionFacts;
struct OpenChoice;
struct ScoreCounters;

// The document's command and key handler: every numbered command of the
// menus and every key of the play window ends here, and is carried out or
// handed to the part that owns it. It also answers the play windows'
// questions (PlayShell): texts, message boxes, autosave, dropped files.
class PuzCommands : public fw::EventHandler, public PlayShell {
public:
    // Commands of our own: the boxes a game has.
    // Commands of our own: the boxes a game has, the table's background and
    // competition mode on or off for the open game.
    enum : uint32_t { CmdAddBox = 1140, CmdRemoveBox = 1141, CmdBackground = 1142, CmdCompetition = 1143 };
    // Help topics of the play window's own contexts.
    enum : int { BoxesHelpTopic = 110, MakingHelpTopic = 151 };

    explicit PuzCommands(App& app);
    ~PuzCommands() override;

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
    // Ctrl+V: a certificate or ranking text from the clipboard.
    void PasteScores();
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
    // The help at a topic; F1 asks for the topic of where the user is.
    void ShowHelp(int topic);
    int helpContext() const;
    ShellHelp& help() { return *m_help; }

    // --- PlayShell
    std::string text(int id) const override;
    std::string caption(int id, int variant = 0) const override;
    int message(int textId, unsigned style, const std::string& insert = {}) override;
    void autosave(bool joined) override;
    void openDropped(const std::filesystem::path& file) override;
    void documentChanged() override;
    std::string clickHint() override;
    bool keepOpenOnClose() override;

    static constexpr uint32_t AutosaveIntervalMs = 60000;

private:
    bool hasPieces() const;
    bool keyDown(unsigned modifiers, unsigned key);
    bool sendKeyToBox(const fw::KeyEvent& event);
    int boxForKey(unsigned modifiers, unsigned key) const;
    std::optional<OpenChoice> runLibrary();
    // Asked before anything closes or replaces the open game (exit, the
    // library, 1128, a dropped file, a new puzzle): a changed game is saved
    // (autosave), or the user is asked with text 510; false when the user
    // chose to stay with it (or its save failed or was cancelled).
    bool settleChanges();

    class NewPuzzleAnswers;
    App& m_app;
    std::unique_ptr<ShellHelp> m_help;
    bool m_exiting = false;
    bool m_keyInBox = false;  // a key handed to a box, which may pass it back
};

}  // namespace qv
