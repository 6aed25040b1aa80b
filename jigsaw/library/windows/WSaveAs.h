#pragma once
#include <QPixmap>
#include <filesystem>
#include <functional>
#include <memory>

#include "framework/qt/WBaseInfo.h"
#include "jigsaw/library/SaveAsRules.h"

namespace qv {

class Puz;

// The save-as dialog: the saved game's name (proposed "Castle-300R" until
// the game was saved once), the player, an optional password and the
// automatic-save check box, with the puzzle's thumbnail at the top left.
// A game saved before offers 102 (save, default) and 104 (save as a new
// game, enabled once the name or the player was edited); a game never saved
// offers 1. A confirming command runs ConfirmSaveAs; when the dialog
// closes, the names, the password, the saved-game path (ApplySaveAs) and the
// automatic-save bit of the game's options are stored in the document.
//
//   WSaveAs w(playWindow, puz, library.shelves().CurrentDirectory(), saveAsMode);
//   int command = w.Exec();   // 102 or 104: write the file (puz.Save()),
//                             // then the scores and the directory cache; 2: nothing
class WSaveAs : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int {
        IdName = 3100,
        IdPlayer = 3101,
        IdPassword = 3102,
        IdAutoSave = 1163,
        IdThumbnail = 3103,
        NameLimit = 32,
        PlayerLimit = 30,
        PasswordLimit = 12,
        ThumbnailWidth = 90,
        ThumbnailHeight = 110,
    };

    // The thumbnail is read from the puzzle file when none is given.
    WSaveAs(QWidget* parent, Puz& puz, std::filesystem::path shelfDir, bool saveAsMode, QPixmap thumbnail = {});
    ~WSaveAs() override;

    // The questions of the confirm steps; message boxes unless replaced.
    void setPrompt(SaveAsPrompt* prompt) { m_prompt = prompt; }
    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }

    // Runs modally: the command that closed it (1 and 102 give 102 or
    // 104 as the confirm steps decide; 2 when nothing is to be saved).
    int Exec();
    // The closing decision (close is false after a cancel).
    const SaveAsDecision& decision() const { return m_decision; }
    bool savedBefore() const { return m_savedBefore; }
    // The form as it is now.
    SaveAsForm form() const;

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnControl(const fw::ControlEvent& event) override;

private:
    void layOut(const QPixmap& thumbnail);
    void confirm(int command);

    Puz& m_puz;
    std::filesystem::path m_shelfDir;
    bool m_savedBefore;
    std::unique_ptr<SaveAsPrompt> m_boxes;
    SaveAsPrompt* m_prompt;
    SaveAsDecision m_decision;
    std::function<void(int)> m_help;
};

// Runs the dialog over parent: the command that closed it, as above.
int SaveAsDialog(QWidget* parent, Puz& puz, const std::filesystem::path& shelfDir, bool saveAsMode);

}  // namespace qv
