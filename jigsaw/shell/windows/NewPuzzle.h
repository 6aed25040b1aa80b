#pragma once
#include <QPointer>
#include <filesystem>
#include <functional>
#include <optional>

#include "framework/Bitmap.h"
#include "framework/Display.h"
#include "framework/Status.h"

class QWidget;

namespace qv {

class Library;
class WEdPuz;

// What making a puzzle asks of the program around it (the play window and
// the open puzzle).
class NewPuzzleHost {
public:
    virtual ~NewPuzzleHost() = default;
    // Settles the open game's changes before a new puzzle is made (saved,
    // or the user chose to drop them); false when the user chose to stay
    // with it. The game stays open: the caller replaces it only once the
    // new puzzle is written, so an editor cancelled leaves it as it was.
    virtual bool settlePuzzle() = 0;
    virtual void bringToFront() {}
    virtual void maximise() {}
    // The play window is busy while the editor runs.
    virtual void setBusy(bool) {}
};

// Loads a picture file to make a puzzle from, with a progress window
// (caption 569) while a JPEG decodes. Message 1008 when it cannot be
// loaded or has fewer than 8 pixels.
fw::Status LoadEditorPicture(QWidget* parent, const std::filesystem::path& file, fw::Bitmap& out);

// The new-puzzle operation: the picture is loaded, the puzzle editor runs
// modally over the play window, and the puzzle file it writes is handed
// back; the caller then closes the old game and sends command 1128, which
// opens the new one. It refuses to
// run on a 16-colour display and never runs twice at the same time.
//
//   NewPuzzle op(playWindow, library, host);
//   if (auto made = op.FromPicture(path)) post command 1128;
//   if (auto made = op.Ask(askFlag, &checkBox)) post command 1128;
class NewPuzzle {
public:
    // display: the screen the program runs on (a 16-colour one cannot make puzzles).
    NewPuzzle(QWidget* playWindow, Library& library, NewPuzzleHost& host, fw::Display display = {});

    // Whether an operation is running now (the make-a-puzzle dialog's
    // Cancel and a second start look at it).
    static bool running();

    // Makes a puzzle from that picture file.
    std::optional<std::filesystem::path> FromPicture(const std::filesystem::path& picture);
    // Without a picture: asks question 800 (with the check box 996 when
    // askFlag; its final state goes to *checkState), then lets the user
    // choose the picture file.
    std::optional<std::filesystem::path> Ask(bool askFlag, bool* checkState = nullptr);
    // The editor was shown by the last call.
    bool editorShown() const { return m_editorShown; }

    // Tests drive the editor themselves instead of its modal run; the
    // function returns what the run would have returned.
    using EditorRun = std::function<std::optional<std::filesystem::path>(WEdPuz&)>;
    void setEditorRun(EditorRun run) { m_run = std::move(run); }
    // Tests answer the picture file dialog of Ask.
    using PictureChooser = std::function<std::optional<std::filesystem::path>()>;
    void setPictureChooser(PictureChooser chooser) { m_chooser = std::move(chooser); }

private:
    bool refusedOnLowColour();
    std::optional<std::filesystem::path> makeFrom(const std::filesystem::path& picture);
    std::optional<std::filesystem::path> choosePicture();

    QPointer<QWidget> m_window;
    Library& m_library;
    NewPuzzleHost& m_host;
    fw::Display m_display;
    EditorRun m_run;
    PictureChooser m_chooser;
    bool m_editorShown = false;
};

}  // namespace qv
