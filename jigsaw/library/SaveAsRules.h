#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace qv {

class Puz;

namespace msg {
constexpr int OverwriteSavedGame = 519;  // question: another saved game of that name and player exists
constexpr int SavedGameExists = 550;     // with command 104: another saved game of that name and player exists
}  // namespace msg

// The commands that close the save dialog.
namespace saveas {
constexpr int NeverSaved = 1;  // the button of a game never saved
constexpr int Cancel = 2;
constexpr int Save = 102;      // the default button of a game saved before
constexpr int SaveOther = 104; // enabled once the name or the player was edited
}  // namespace saveas

// What the save dialog holds when a confirming command arrives.
struct SaveAsForm {
    std::string name;      // control 3100, at most 32 characters
    std::string player;    // 3101, at most 30
    std::string password;  // 3102, at most 12
    bool autoSave = false; // check box 1163
};

// The game being saved, as the dialog found it.
struct SaveAsGame {
    std::filesystem::path shelfDir;   // the current shelf's folder
    std::filesystem::path savedPath;  // empty until the game was saved once
    std::string password;             // the stored password
};

// What the confirm steps need from the user; the save dialog implements it.
class SaveAsPrompt {
public:
    virtual ~SaveAsPrompt() = default;
    // The name is blank.
    virtual void beep() = 0;
    // The password prompt (WPassw, label 531): the password a second time;
    // nullopt when cancelled.
    virtual std::optional<std::string> repeatPassword() = 0;
    // Question 519 (OK, Cancel): replace this other saved game? True = OK.
    virtual bool confirmOverwrite(const std::filesystem::path& other) = 0;
    // Message 550 (command 104 found another saved game of that name).
    virtual void showNameTaken(const std::filesystem::path& other) = 0;
};

// The outcome of a confirming command. When close is false the dialog
// stays and nothing may change. When it closes, the caller stores the
// values in the game (ApplySaveAs) and the option bit, then writes the
// file, refreshes the scores and updates the directory cache.
struct SaveAsDecision {
    bool close = false;
    int command = 0;                  // 1, 102 or 104
    std::string name;                 // trimmed of blanks and tabs
    std::string player;
    std::string password;
    bool autoSave = false;
    std::filesystem::path savedPath;  // the file to write (unchanged with 104)
};

// The initial values of the dialog: the proposed name, the player, the
// stored password.
SaveAsForm InitialSaveAsForm(const Puz& puz, bool autoSave);

// The confirm algorithm of commands 1, 102 and 104: a blank name beeps; a
// new password must be typed twice; a different saved game of that name
// and player is replaced only after question 519 (and is never replaced
// with 104: message 550).
SaveAsDecision ConfirmSaveAs(int command, const SaveAsForm& form, const SaveAsGame& game, SaveAsPrompt& prompt);

// Stores a closing decision's names, password and path in the document.
void ApplySaveAs(Puz& puz, const SaveAsDecision& decision);

}  // namespace qv
