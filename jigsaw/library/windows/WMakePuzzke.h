#pragma once
#include <QFont>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "framework/qt/WBaseInfo.h"

namespace fw {
class Profile;
}

namespace qv {

// Where the picture file dialog starts: in the folder of the last picture
// chosen, showing files of its extension; without one, in the current
// folder showing JPEG files.
struct PictureDialogStart {
    std::filesystem::path directory;
    std::string pattern;  // "*.jpg", "*.bmp"...
};
PictureDialogStart PictureDialogStartFor(const std::string& lastImage, const std::filesystem::path& currentDir);

// The file kinds the picture dialog offers: every picture this build reads
// (together first, then one kind an entry), then all files.
QStringList PictureFileFilters();

// The system's open-file dialog for pictures, as the make-a-puzzle dialog
// shows it; nullopt when cancelled.
std::optional<std::filesystem::path> ChoosePictureFile(QWidget* parent, const PictureDialogStart& start);

// The make-a-puzzle dialog: explains the steps, lets the user choose a
// picture (command 120, remembered under "History"/"LastImage") or drop one
// onto it, and hands the picture back; it holds no puzzle settings itself.
//
//   WMakePuzzke w(playWindow, settings, startedAtStartUp);
//   w.setNewPuzzleRunning([] { return NewPuzzle::running(); });
//   WMakePuzzke::Result r = w.Exec();
//   if (r.picture) start the new-puzzle operation with *r.picture;
//   else if (r.reopenLast) send command 1128 to the play window.
class WMakePuzzke : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int {
        IdTitle = 850,
        IdSelect = 120,
        IdClose = 1302,
        HelpTopic = 152,
    };
    struct Result {
        std::optional<std::filesystem::path> picture;
        // Closed with Cancel after being opened at start-up: "LastPuz" was
        // cleared and command 1128 is due to the play window.
        bool reopenLast = false;
    };
    using Chooser = std::function<std::optional<std::filesystem::path>(const PictureDialogStart&)>;

    WMakePuzzke(QWidget* parent, fw::Profile& settings, bool startedAtStartUp);
    ~WMakePuzzke() override;

    // The file dialog (tests give their own choice).
    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }
    // Whether the new-puzzle operation runs at this moment (Cancel then
    // keeps "LastPuz").
    void setNewPuzzleRunning(std::function<bool()> running) { m_running = std::move(running); }
    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }

    Result Exec();
    const Result& result() const { return m_result; }
    bool startedAtStartUp() const { return m_startedAtStartUp; }

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnDropFiles(const fw::DropFilesEvent& event) override;

private:
    void layOut();
    int addLine(int id, int y, const std::string& text, int height);
    int addRule(int y);
    void selectPicture();
    void cancel();

    fw::Profile& m_settings;
    bool m_startedAtStartUp;
    QFont m_font;
    Chooser m_chooser;
    std::function<bool()> m_running;
    std::function<void(int)> m_help;
    Result m_result;
};

}  // namespace qv
