#include "jigsaw/shell/windows/NewPuzzle.h"

#include <QProgressDialog>

#include "framework/Display.h"
#include "framework/FileStream.h"
#include "framework/Markup.h"
#include "framework/Profile.h"
#include "framework/qt/Cursors.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/MessageBox.h"
#include "framework/qt/Text.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/document/PictureFormats.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/shell/NewPuzzleRules.h"
#include "jigsaw/library/windows/LibraryTexts.h"
#include "jigsaw/shell/windows/WEdPuz.h"
#include "jigsaw/library/windows/WMakePuzzke.h"

namespace fs = std::filesystem;

namespace qv {

namespace {

constexpr int kAskQuestion = 800;
constexpr int kAskAgain = 996;
constexpr int kLoading = 569;

bool g_running = false;

// Marks the operation running for its whole duration.
class RunningMark {
public:
    RunningMark() { g_running = true; }
    ~RunningMark() { g_running = false; }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;
};

bool isJpeg(const fs::path& file)
{
    fw::FileStream f(file, fw::FileStream::Mode::Read);
    uint8_t b[2] = {0, 0};
    return f.isOpen() && f.read(b, 2) == 2 && b[0] == 0xFF && b[1] == 0xD8;
}

fw::Status loadJpeg(QWidget* parent, const fs::path& file, fw::Bitmap& out)
{
    fw::FileStream f(file, fw::FileStream::Mode::Read);
    if (!f.isOpen())
        return fw::Status(msg::PictureUnusable);
    QProgressDialog progress(fw::toQString(libtext::text(kLoading, "Loading the picture...")), QString(), 0, 100,
                             parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    JpegDecodeRequest request;
    request.progress = [&](int percent) { progress.setValue(std::clamp(percent, 0, 100)); };
    JpegPicture picture;
    fw::Status s = decodeJpeg(f, 0, request, picture);
    progress.setValue(100);
    if (s.ok())
        out = std::move(picture.rgb);
    return s;
}

}  // namespace

fw::Status LoadEditorPicture(QWidget* parent, const fs::path& file, fw::Bitmap& out)
{
    fw::Bitmap picture;
    fw::Status s;
    try {
        s = isJpeg(file) ? loadJpeg(parent, file, picture) : readPictureFile(file, picture);
    } catch (const std::bad_alloc&) {
        s = fw::Status(fw::msg::OutOfMemory);
    }
    if (!s.ok() || picture.isNull())
        return fw::Status(msg::PictureUnusable);
    if (fw::Status size = newpuzzle::CheckPictureSize(picture.width(), picture.height()); !size.ok())
        return size;
    out = std::move(picture);
    return {};
}

NewPuzzle::NewPuzzle(QWidget* playWindow, Library& library, NewPuzzleHost& host, fw::Display display)
    : m_window(playWindow), m_library(library), m_host(host), m_display(display)
{
}

bool NewPuzzle::running() { return g_running; }

bool NewPuzzle::refusedOnLowColour()
{
    if (!m_display.isPalette16())
        return false;
    fw::ShowMessage(m_window, newpuzzle::SixteenColourRefusal, "Quorvane", fw::mb::Ok | fw::mb::IconInformation);
    return true;
}

std::optional<fs::path> NewPuzzle::FromPicture(const fs::path& picture)
{
    m_editorShown = false;
    if (refusedOnLowColour() || g_running)
        return std::nullopt;
    RunningMark mark;
    if (!m_host.settlePuzzle())
        return std::nullopt;
    return makeFrom(picture);
}

std::optional<fs::path> NewPuzzle::Ask(bool askFlag, bool* checkState)
{
    m_editorShown = false;
    if (refusedOnLowColour() || g_running)
        return std::nullopt;
    RunningMark mark;
    m_host.bringToFront();
    std::optional<std::string> extra;
    if (askFlag)
        extra = "{LIN}{+12,+0}{check:" + libtext::text(kAskAgain, "Ask me this when the program starts") + "/INI:1}";
    fw::MUBox box(m_window,
                  fw::MarkupMessage(fw::MessageText(kAskQuestion), "Quorvane", fw::mb::YesNo | fw::mb::IconQuestion,
                                    extra));
    const int answer = box.Execute();
    if (askFlag && checkState)
        *checkState = box.isChecked(fw::mubox::FirstField);
    if (answer != fw::mb::IdYes || !m_host.settlePuzzle())
        return std::nullopt;
    m_host.maximise();
    std::optional<fs::path> picture = choosePicture();
    if (!picture)
        return std::nullopt;
    return makeFrom(*picture);
}

std::optional<fs::path> NewPuzzle::choosePicture()
{
    if (m_chooser)
        return m_chooser();
    fw::Profile& settings = m_library.settings();
    const PictureDialogStart start = PictureDialogStartFor(settings.getString("History", "LastImage"), fs::current_path());
    std::optional<fs::path> chosen = ChoosePictureFile(m_window, start);
    if (chosen)
        settings.setString("History", "LastImage", fs::absolute(*chosen).string());
    return chosen;
}

std::optional<fs::path> NewPuzzle::makeFrom(const fs::path& file)
{
    fw::Bitmap picture;
    if (fw::Status s = LoadEditorPicture(m_window, file, picture); !s.ok()) {
        fw::ShowStatus(m_window, s);
        return std::nullopt;
    }
    m_host.setBusy(true);
    WEdPuz editor(m_window, m_library, std::move(picture), file, m_display);
    m_editorShown = true;
    std::optional<fs::path> made = m_run ? m_run(editor) : editor.Exec();
    m_host.setBusy(false);
    return made;
}

}  // namespace qv
