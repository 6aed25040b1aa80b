#include "jigsaw/shell/windows/ShellHelp.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>
#include <fstream>
#include <iterator>

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
    if (!m_looked) {
        m_looked = true;
        m_installed = HelpIndex::FindFolder(candidates());
    }
    if (!m_installed)
        return std::nullopt;
    fs::path dir = *m_installed;
    if (std::optional<fs::path> copy = copyWithKeyList())
        dir = *copy;
    if (!m_index || m_index->folder() != dir)
        m_index.emplace(dir);
    return dir;
}

void ShellHelp::setKeyList(fs::path copyFolder, KeyList list)
{
    m_copyFolder = std::move(copyFolder);
    m_keyList = std::move(list);
}

std::string ShellHelp::WithKeyList(const std::string& page, const std::string& list)
{
    const size_t start = page.find(ListStart);
    const size_t end = start == std::string::npos ? start : page.find(ListEnd, start);
    if (end == std::string::npos)
        return page;
    const size_t from = start + std::string(ListStart).size();
    return page.substr(0, from) + "\n" + list + page.substr(end);
}

std::optional<fs::path> ShellHelp::copyWithKeyList() const
{
    if (!m_keyList || m_copyFolder.empty() || !m_installed)
        return std::nullopt;
    std::error_code ec;
    if (fs::equivalent(m_copyFolder, *m_installed, ec))
        return std::nullopt;
    // Made anew each time: the player may have changed the language meanwhile.
    fs::create_directories(m_copyFolder, ec);
    for (const auto& e : fs::directory_iterator(*m_installed, ec)) {
        if (!e.is_regular_file(ec))
            continue;
        fs::copy_file(e.path(), m_copyFolder / e.path().filename(), fs::copy_options::overwrite_existing, ec);
        if (ec)
            return std::nullopt;
    }
    if (ec)
        return std::nullopt;
    std::ifstream in(*m_installed / KeyPage, std::ios::binary);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream out(m_copyFolder / KeyPage, std::ios::binary | std::ios::trunc);
    out << WithKeyList(page, m_keyList());
    out.close();
    if (!in.good() && !in.eof())
        return std::nullopt;
    return out ? std::optional<fs::path>(m_copyFolder) : std::nullopt;
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
