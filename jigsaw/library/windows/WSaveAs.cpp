#include "jigsaw/library/windows/WSaveAs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "framework/Options.h"
#include "framework/qt/MessageBox.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/library/windows/LibraryTexts.h"
#include "jigsaw/library/windows/Thumbnails.h"
#include "jigsaw/library/windows/WPassw.h"

namespace fs = std::filesystem;

namespace qv {

namespace {

constexpr int kWidth = 440;
constexpr int kExit = 13;
constexpr int kSavedHelpTopic = 101;  // when button 104 exists
constexpr int kNewHelpTopic = 102;

// The confirm steps' questions as message boxes over the dialog.
class BoxSaveAsPrompt : public SaveAsPrompt {
public:
    explicit BoxSaveAsPrompt(QWidget* owner) : m_owner(owner) {}

    void beep() override { QApplication::beep(); }
    std::optional<std::string> repeatPassword() override
    {
        return PasswordPrompt(m_owner, libtext::text(531, "Password:"));
    }
    bool confirmOverwrite(const fs::path& other) override
    {
        return fw::ShowMessageId(m_owner, msg::OverwriteSavedGame, other.filename().string(), "Quorvane",
                                 fw::mb::OkCancel | fw::mb::IconQuestion) == fw::mb::IdOk;
    }
    void showNameTaken(const fs::path& other) override
    {
        fw::ShowMessageId(m_owner, msg::SavedGameExists, other.filename().string(), "Quorvane",
                          fw::mb::Ok | fw::mb::IconExclamation);
    }

private:
    QWidget* m_owner;
};

bool autoSaveOf(const Puz& puz) { return (puz.gameOptions.value_or(0) & fw::gameopt::AutoSave) != 0; }

}  // namespace

WSaveAs::WSaveAs(QWidget* parent, Puz& puz, fs::path shelfDir, bool saveAsMode, QPixmap thumbnail)
    : WBaseInfo(parent), m_puz(puz), m_shelfDir(std::move(shelfDir)), m_savedBefore(!puz.savedPath.empty()),
      m_boxes(std::make_unique<BoxSaveAsPrompt>(this)), m_prompt(m_boxes.get())
{
    setTitle(saveAsMode ? libtext::text(539, "Save the game as")
                        : libtext::noAmpersand(libtext::text(4, 103, "Save &as...")));
    if (thumbnail.isNull() && !puz.puzzlePath.empty())
        thumbnail = PuzzleThumbnail(puz.puzzlePath);
    layOut(thumbnail);
}

WSaveAs::~WSaveAs() = default;

void WSaveAs::layOut(const QPixmap& thumbnail)
{
    QLabel* picture = addText(IdThumbnail, QRect(12, 12, ThumbnailWidth, ThumbnailHeight), {}, true);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setPixmap(FitInto(thumbnail, ThumbnailWidth - 4, ThumbnailHeight - 4));

    const SaveAsForm initial = InitialSaveAsForm(m_puz, autoSaveOf(m_puz));
    const int labelX = 12 + ThumbnailWidth + 14;
    const int editX = labelX + 92;
    const int editW = kWidth - 12 - editX;
    int y = 14;
    addText(530, QRect(labelX, y, 90, 24), libtext::text(530, "Game name:"));
    addEdit(IdName, QRect(editX, y, editW, 24), initial.name, NameLimit);
    y += 32;
    addText(529, QRect(labelX, y, 90, 24), libtext::text(529, "Player:"));
    addEdit(IdPlayer, QRect(editX, y, editW, 24), initial.player, PlayerLimit);
    y += 32;
    addText(531, QRect(labelX, y, 90, 24), libtext::text(531, "Password:"));
    QLineEdit* password = addEdit(IdPassword, QRect(editX, y, 120, 24), initial.password, PasswordLimit);
    password->setEchoMode(QLineEdit::Password);
    y += 32;
    addCheck(IdAutoSave, QRect(labelX, y, kWidth - 12 - labelX, 24),
             libtext::text(4, IdAutoSave, libtext::text(IdAutoSave, "Save automatically")), initial.autoSave);

    y = 12 + ThumbnailHeight + 16;
    int x = 12;
    if (m_savedBefore) {
        addButton(saveas::Save, QRect(x, y, 86, 28), libtext::plain(libtext::text(4, 102, "&Save")), true);
        x += 94;
        addButton(saveas::SaveOther, QRect(x, y, 150, 28),
                  libtext::plain(libtext::text(4, 104, "Save as &new game")));
        enableControl(saveas::SaveOther, false);
    } else {
        addButton(saveas::NeverSaved, QRect(x, y, 86, 28), {}, true);
    }
    addButton(IdHelp, QRect(kWidth - 2 * 94, y, 86, 28));
    addButton(IdCancel, QRect(kWidth - 94, y, 86, 28));
    setClientSize(kWidth, y + 40);
    setFocusTo(IdName);
}

SaveAsForm WSaveAs::form() const
{
    SaveAsForm f;
    f.name = text(IdName);
    f.player = text(IdPlayer);
    f.password = text(IdPassword);
    f.autoSave = isChecked(IdAutoSave);
    return f;
}

int WSaveAs::Exec()
{
    m_decision = {};
    RunModal();
    return m_decision.close ? m_decision.command : saveas::Cancel;
}

void WSaveAs::confirm(int command)
{
    const SaveAsGame game{m_shelfDir, m_puz.savedPath, m_puz.password};
    SaveAsDecision d = ConfirmSaveAs(command, form(), game, *m_prompt);
    if (!d.close)
        return;
    ApplySaveAs(m_puz, d);
    uint32_t options = m_puz.gameOptions.value_or(0);
    options = d.autoSave ? options | fw::gameopt::AutoSave : options & ~fw::gameopt::AutoSave;
    m_puz.gameOptions = options;
    m_decision = std::move(d);
    EndModal(m_decision.command);
}

bool WSaveAs::OnCommand(const fw::CommandEvent& event)
{
    const int command = static_cast<int>(event.command());
    switch (command) {
    case saveas::NeverSaved:
        // Enter in a dialog of a game saved before means its default, 102.
        confirm(m_savedBefore ? saveas::Save : saveas::NeverSaved);
        return true;
    case saveas::Save:
    case saveas::SaveOther:
        if (QWidget* b = control(command); b && !b->isEnabled())
            return true;
        confirm(command);
        return true;
    case saveas::Cancel:
    case kExit:
        m_decision = {};
        EndModal(saveas::Cancel);
        return true;
    case IdHelp:
        if (m_help)
            m_help(m_savedBefore ? kSavedHelpTopic : kNewHelpTopic);
        return true;
    default:
        return WBaseInfo::OnCommand(event);
    }
}

bool WSaveAs::OnControl(const fw::ControlEvent& event)
{
    if ((event.id() == IdName || event.id() == IdPlayer) && event.change() == fw::ControlEvent::Edited) {
        enableControl(saveas::SaveOther, true);
        return true;
    }
    return false;
}

int SaveAsDialog(QWidget* parent, Puz& puz, const fs::path& shelfDir, bool saveAsMode)
{
    WSaveAs w(parent, puz, shelfDir, saveAsMode);
    return w.Exec();
}

}  // namespace qv
