#pragma once
#include <cstdint>
#include <string>

#include "framework/EventHandler.h"
#include "framework/Events.h"
#include "framework/Menu.h"
#include "jigsaw/play/windows/PlayContext.h"

namespace qv {

class App;

// The document's command and key handler: every numbered command of the
// menus and every key of the play window ends here, and is carried out or
// handed to the part that owns it. It also answers the play windows'
// questions (PlayShell): texts, message boxes, autosave, dropped files.
class PuzCommands : public fw::EventHandler, public PlayShell {
public:
    // Commands of our own: the boxes a game has.
    enum : uint32_t { CmdAddBox = 1140, CmdRemoveBox = 1141, CmdBackground = 1142 };

    explicit PuzCommands(App& app);

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
    void ShowAdvanced();
    // 1116 from a box window's menu; the argument is the box.
    void ShowBoxOptions(int box);
    void Print();
    // Ctrl+A: the save-as dialog, then the save it decided.
    void SaveAs();
    // The table's background, kept with the game as "BkClr:".
    void ChooseTableBackground();
    void Open();

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

    App& m_app;
    bool m_exiting = false;
};

}  // namespace qv
