#include "jigsaw/library/windows/WMakePuzzke.h"

#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "framework/Profile.h"
#include "framework/qt/Text.h"
#include "jigsaw/library/windows/LibraryTexts.h"

namespace fs = std::filesystem;

namespace qv {

namespace {

constexpr int kWidth = 400;
constexpr int kMargin = 14;
constexpr const char* kHistory = "History";
constexpr const char* kLastImage = "LastImage";
constexpr const char* kReopenLast = "LastPuz";

}  // namespace

PictureDialogStart PictureDialogStartFor(const std::string& lastImage, const fs::path& currentDir)
{
    if (lastImage.empty())
        return {currentDir, "*.jpg"};
    std::string path = lastImage;
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    const fs::path last(path);
    const std::string ext = last.extension().string();
    return {last.parent_path(), ext.empty() ? std::string("*.jpg") : "*" + ext};
}

QStringList PictureFileFilters()
{
    // The formats this build decodes besides JPEG and BMP, each with its
    // own entry; every one is also among "All supported images".
    struct Kind {
        int text;
        const char* name;
        const char* pattern;
    };
    static const Kind kOthers[] = {
#ifdef QV_HAVE_PNG
        {3302, "PNG files", "*.png"},
#endif
#ifdef QV_HAVE_GIF
        {3303, "GIF files", "*.gif"},
#endif
#ifdef QV_HAVE_WEBP
        {3304, "WebP files", "*.webp"},
#endif
    };
    QString supported = "*.jpg *.jpeg *.jpe *.jfif *.fif *.bmp *.dib";
    for (const Kind& k : kOthers)
        supported += QString(" ") + k.pattern;
    QStringList filters = {"All supported images (" + supported + ")", "JPEG files (*.jpg *.jpeg *.jpe *.jfif *.fif)",
                           "BitMap files (*.bmp *.dib)"};
    for (const Kind& k : kOthers)
        filters << fw::toQString(libtext::text(k.text, k.name)) + " (" + k.pattern + ")";
    filters << fw::toQString(libtext::text(3305, "All files")) + " (*)";
    return filters;
}

std::optional<fs::path> ChoosePictureFile(QWidget* parent, const PictureDialogStart& start)
{
    QFileDialog dialog(parent, "Select an image file", fw::toQString(start.directory.string()));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = PictureFileFilters();
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    dialog.selectFile(fw::toQString(start.pattern));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return fs::path(dialog.selectedFiles().front().toStdString());
}

WMakePuzzke::WMakePuzzke(QWidget* parent, fw::Profile& settings, bool startedAtStartUp)
    : WBaseInfo(parent), m_settings(settings), m_startedAtStartUp(startedAtStartUp), m_font("MS Sans Serif", 8)
{
    m_chooser = [this](const PictureDialogStart& start) { return ChoosePictureFile(this, start); };
    setTitle(libtext::text(IdTitle, "Make a puzzle"));
    setFont(m_font);
    setAcceptFiles(true);
    layOut();
}

WMakePuzzke::~WMakePuzzke() = default;

int WMakePuzzke::addLine(int id, int y, const std::string& text, int height)
{
    QLabel* l = addText(id, QRect(kMargin, y, kWidth - 2 * kMargin, height), text);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFixedHeight(std::max(height, l->heightForWidth(kWidth - 2 * kMargin)));
    return y + l->height() + 6;
}

int WMakePuzzke::addRule(int y)
{
    auto* rule = new QFrame(this);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(kMargin, y + 4, kWidth - 2 * kMargin, 2);
    rule->show();
    return y + 14;
}

void WMakePuzzke::layOut()
{
    int y = 12;
    {
        QLabel* title = addText(IdTitle, QRect(kMargin, y, kWidth - 2 * kMargin, 26),
                                libtext::text(IdTitle, "Make a puzzle"));
        QFont big = m_font;
        big.setPointSize(12);
        big.setBold(true);
        title->setFont(big);
        y += 32;
    }
    y = addLine(851, y, libtext::text(851, "Any JPEG or BMP picture can become a puzzle."), 18);
    y = addLine(856, y, libtext::text(856, "You can also drop a picture file onto this window."), 18);
    y = addRule(y);
    y = addLine(852, y, libtext::text(852, "1. Choose a picture file with the button below."), 18);
    y = addRule(y);
    y = addLine(853, y, libtext::text(853, "2. Choose the sizes, the title and the options in the puzzle editor."), 18);
    addButton(IdSelect, QRect((kWidth - 180) / 2, y + 2, 180, 28),
              libtext::text(4, IdSelect, "Select a picture..."));
    y += 38;
    y = addRule(y);
    addButton(IdCancel, QRect(kWidth - kMargin - 2 * 86 - 8, y + 2, 86, 28),
              libtext::text(libtext::Close, "Close"));
    addButton(IdHelp, QRect(kWidth - kMargin - 86, y + 2, 86, 28));
    setClientSize(kWidth, y + 42);
}

WMakePuzzke::Result WMakePuzzke::Exec()
{
    m_result = {};
    RunModal();
    return m_result;
}

void WMakePuzzke::selectPicture()
{
    const PictureDialogStart start =
        PictureDialogStartFor(m_settings.getString(kHistory, kLastImage), fs::current_path());
    std::optional<fs::path> chosen = m_chooser(start);
    if (!chosen)
        return;  // the dialog stays for another try
    const fs::path full = fs::absolute(*chosen);
    m_settings.setString(kHistory, kLastImage, full.string());
    m_result.picture = full;
    EndModal(IdOk);
}

void WMakePuzzke::cancel()
{
    if (m_startedAtStartUp && !(m_running && m_running())) {
        m_settings.setString({}, kReopenLast, "");
        m_result.reopenLast = true;
    }
    EndModal(IdCancel);
}

bool WMakePuzzke::OnCommand(const fw::CommandEvent& event)
{
    switch (static_cast<int>(event.command())) {
    case IdSelect: selectPicture(); return true;
    case IdOk:
    case IdClose: EndModal(IdOk); return true;
    case IdCancel: cancel(); return true;
    case IdHelp:
        if (m_help)
            m_help(HelpTopic);
        return true;
    default: return WBaseInfo::OnCommand(event);
    }
}

bool WMakePuzzke::OnDropFiles(const fw::DropFilesEvent& event)
{
    if (event.files().empty())
        return false;
    m_result.picture = event.files().front();
    EndModal(IdOk);
    return true;
}

}  // namespace qv
