#include "jigsaw/scores/windows/ScoreWindows.h"

#include <QTimer>

#include "jigsaw/scores/FinishFacts.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/WFinish.h"
#include "jigsaw/scores/windows/WProgressLine.h"
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
    delete m_finish.data();
    delete m_progress.data();
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
    if (m_progress)
        m_progress->Update();
    // The live entry may have moved in a ranking that is being shown.
    if (m_ranking && m_ranking->isVisible() && m_ranking->showsCurrent())
        m_ranking->refresh();
}

WFinish* ScoreWindows::finishWindow() const { return m_finish; }

WProgressLine* ScoreWindows::progressLine() const { return m_progress; }

void ScoreWindows::gameFinished()
{
    // Told from inside the drop (or help) that completed the game: the
    // window opens once that is over.
    QTimer::singleShot(0, this, &ScoreWindows::gameCompleted);
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
    m_mini->setKeepClear(m_keepClear ? m_keepClear() : QRect());
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

WFinish* ScoreWindows::ShowFinish(const Puz& puz)
{
    if (m_finish)
        m_finish->close();
    m_finish = new WFinish(FinishFacts::Of(puz, m_live), m_host, m_playWindow);
    m_finish->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_finish.data(), &WFinish::stepChosen, this, [this](int step, int sizeIndex) {
        // The window closes after telling; what follows may replace the game.
        QTimer::singleShot(0, this, [this, step, sizeIndex] { emit finishStepChosen(step, sizeIndex); });
    });
    m_finish->show();
    m_finish->raise();
    m_finish->activateWindow();
    return m_finish;
}

void ScoreWindows::showProgress(const Puz& puz, bool on, QPoint at)
{
    if (!on) {
        if (m_progress)
            m_progress->hide();
        return;
    }
    if (!m_progress) {
        const ScoreKeeper& keeper = m_live.keeper();
        m_progress = new WProgressLine([&puz, &keeper] { return ProgressFacts::Of(puz, keeper); }, m_host, m_playWindow);
        m_progress->setCommandTarget(m_commandTarget);
    }
    m_progress->Update();
    m_progress->setKeepClear(m_keepClear ? m_keepClear() : QRect());
    m_progress->placeAt(at);
    m_progress->show();
    m_progress->raise();
}

void ScoreWindows::hideAll()
{
    if (m_mini)
        m_mini->hide();
    if (m_progress)
        m_progress->hide();
    if (m_finish)
        m_finish->close();
    if (m_ranking)
        m_ranking->close();
    if (m_received)
        m_received->close();
    if (m_info)
        m_info->close();
}

}  // namespace qv
