#include "jigsaw/shell/windows/ShellScoresHost.h"

#include <QLocale>

#include "framework/Markup.h"
#include "framework/Profile.h"
#include "framework/Traductor.h"
#include "framework/qt/Clipboard.h"
#include "framework/qt/MessageBox.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/scores/windows/ScoreWindows.h"

namespace qv {

ShellScoresHost::ShellScoresHost(const fw::Traductor& traductor, fw::Profile& profile, const ShelfLookup& shelf,
                                 std::function<void()> changed)
    : m_traductor(traductor), m_profile(profile), m_shelf(shelf), m_changed(std::move(changed))
{
}

// Missing texts come back empty, so that the windows use their own fallbacks.
std::string ShellScoresHost::text(int id) const { return m_traductor.Lookup(fw::Traductor::Text, id); }

char ShellScoresHost::thousandsSeparator() const
{
    const QString sep = QLocale().groupSeparator();
    if (sep.isEmpty())
        return 0;
    const char16_t c = sep.at(0).unicode();
    // A separator the stored texts cannot hold (a narrow no-break space...)
    // is written as the ordinary no-break space or a blank.
    if (c < 0x100)
        return static_cast<char>(c);
    return c == 0x202F ? static_cast<char>(0xA0) : ' ';
}

std::string ShellScoresHost::lastCertificate() const { return m_profile.getString("LastCert"); }

void ShellScoresHost::storeLastCertificate(const std::string& signature)
{
    m_profile.setString({}, "LastCert", signature);
}

void ShellScoresHost::updateMiniScore(unsigned changes)
{
    if (m_windows)
        m_windows->updateMiniScore(changes);
}

void ShellScoresHost::closeRankingWindow()
{
    if (m_windows)
        m_windows->closeRankingWindow();
}

void ShellScoresHost::gameFinished()
{
    if (m_windows)
        m_windows->gameFinished();
}

void ShellScoresHost::markDocumentChanged()
{
    if (m_changed)
        m_changed();
}

bool ShellScoresHost::acceptCertificate(const Certificate& certificate)
{
    return m_windows && m_windows->acceptCertificate(certificate);
}

void ShellScoresHost::showRankingRow(const Ranking& ranking, int row)
{
    if (m_windows)
        m_windows->showRankingRow(ranking, row);
}

void ShellScoresHost::showReceivedRanking(const ReceivedRanking& received)
{
    if (m_windows)
        m_windows->showReceivedRanking(received);
}

void ShellScoresHost::showMessage(const fw::Status& status, MessageIcon icon)
{
    const unsigned style =
        fw::mb::Ok | (icon == MessageIcon::Warning ? fw::mb::IconExclamation : fw::mb::IconInformation);
    fw::ShowMessageId(m_window, status.id, status.text, "Quorvane", style);
}

void ShellScoresHost::emptyClipboard() { fw::Clipboard::setText({}); }

}  // namespace qv
