#include "jigsaw/scores/windows/ScoreWindows.h"

#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/WCert.h"
#include "jigsaw/scores/windows/WInfo.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"

namespace qv {

ScoreWindows::ScoreWindows(LiveRanking& live, ScoresHost& host, QWidget* playWindow)
    : QObject(playWindow), m_live(live), m_host(host), m_playWindow(playWindow)
{
}

ScoreWindows::~ScoreWindows()
{
    // Windows parented to the play window go with it; these may outlive us otherwise.
    delete m_mini.data();
    delete m_ranking.data();
    delete m_received.data();
    delete m_info.data();
}

WRanking* ScoreWindows::adopt(WRanking* window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &WRanking::helpRequested, this, &ScoreWindows::helpRequested);
    window->show();
    window->raise();
    return window;
}

void ScoreWindows::updateMiniScore(unsigned changes)
{
    if (m_mini)
        m_mini->Update(changes);
    // The live entry may have moved in a ranking that is being shown.
    if (m_ranking && m_ranking->isVisible() && m_ranking->showsCurrent())
        m_ranking->refresh();
}

void ScoreWindows::closeRankingWindow()
{
    if (m_ranking && m_ranking->showsCurrent())
        m_ranking->close();
}

bool ScoreWindows::acceptCertificate(const Certificate& certificate)
{
    return WCert::AskAccept(certificate, m_host, m_playWindow);
}

void ScoreWindows::showRankingRow(const Ranking& ranking, int row)
{
    const bool current = &ranking == &m_live.ranking();
    const bool sameWindow =
        m_ranking && m_ranking->isVisible() &&
        (current ? m_ranking->showsCurrent()
                              : !m_ranking->showsCurrent() &&
                                    m_ranking->ranking().sameAs(ranking.title, ranking.level, ranking.flags));
    if (!sameWindow) {
        if (m_ranking)
            m_ranking->close();
        m_ranking = adopt(current ? new WRanking(m_live, m_host, 0, m_playWindow)
                                  : new WRanking(ranking, m_live, m_host, 0, m_playWindow));
    } else if (!current) {
        m_ranking->setRanking(ranking);
    }
    const int last = static_cast<int>(ranking.records.size()) - 1;
    if (row >= 0)
        m_ranking->HighlightRow(row, last);
    else
        m_ranking->refresh();
}

void ScoreWindows::showReceivedRanking(const ReceivedRanking& received)
{
    if (m_received)
        m_received->close();
    m_received = adopt(new WRanking(received, m_live, m_host, 0, m_playWindow));
}

WRanking* ScoreWindows::ShowRanking()
{
    if (!m_live.isOpen())
        return nullptr;
    if (m_ranking && m_ranking->isVisible() && m_ranking->showsCurrent()) {
        m_ranking->refresh();
        m_ranking->raise();
        return m_ranking;
    }
    if (m_ranking)
        m_ranking->close();
    m_ranking = adopt(new WRanking(m_live, m_host, 0, m_playWindow));
    return m_ranking;
}

void ScoreWindows::showMiniScore(bool on, QPoint at)
{
    if (!on) {
        if (m_mini)
            m_mini->hide();
        return;
    }
    if (!m_mini) {
        m_mini = new WMiniScore(m_live, m_host, m_playWindow);
        m_mini->setCommandTarget(m_commandTarget);
        connect(m_mini.data(), &WMiniScore::moved, this, &ScoreWindows::miniScoreMoved);
    }
    m_mini->Update(0x37);
    m_mini->placeAt(at);
    m_mini->show();
}

WInfo* ScoreWindows::ShowInfo(const Puz& puz)
{
    if (m_info)
        m_info->close();
    m_info = new WInfo(puz, m_live, m_host, m_playWindow);
    m_info->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_info.data(), &WInfo::helpRequested, this, &ScoreWindows::helpRequested);
    m_info->show();
    return m_info;
}

void ScoreWindows::hideAll()
{
    if (m_mini)
        m_mini->hide();
    if (m_ranking)
        m_ranking->close();
    if (m_received)
        m_received->close();
    if (m_info)
        m_info->close();
}

}  // namespace qv
