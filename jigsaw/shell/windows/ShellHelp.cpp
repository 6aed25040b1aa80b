#include "jigsaw/shell/windows/ShellHelp.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>

namespace fs = std::filesystem;

namespace qv {

namespace {

constexpr const char* kDataFolder = "quorvane/help";

}  // namespace

ShellHelp::ShellHelp(fs::path programDir) : m_programDir(std::move(programDir))
{
    m_open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

std::vector<fs::path> ShellHelp::candidates() const
{
    std::vector<fs::path> dirs = {m_programDir / "help", m_programDir.parent_path() / "share" / kDataFolder};
    for (const QString& d : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, kDataFolder,
                                                      QStandardPaths::LocateDirectory))
        dirs.emplace_back(d.toStdU16String());
    return dirs;
}

std::optional<fs::path> ShellHelp::folder()
{
    // Looked for on first use, so that starting the program reads no pages.
    if (!m_index) {
        if (std::optional<fs::path> dir = HelpIndex::FindFolder(candidates()))
            m_index.emplace(*dir);
    }
    if (!m_index)
        return std::nullopt;
    return m_index->folder();
}

fw::Status ShellHelp::Show(int topic)
{
    if (!folder())
        return fw::Status(NoHelpPages, (m_programDir / "help").string());
    const fs::path page = m_index->FileOf(topic);
    QUrl url = QUrl::fromLocalFile(QString::fromStdU16String(page.u16string()));
    const std::string anchor = m_index->AnchorOf(topic);
    if (!anchor.empty())
        url.setFragment(QString::fromStdString(anchor));
    if (!m_open || !m_open(url))
        return fw::Status(NoHelpViewer, page.string());
    return {};
}

}  // namespace qv
