#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>

namespace fw {
class EventHandler;
}

namespace qv {

class Certificate;
class LiveRanking;
class Puz;
class Ranking;
class ReceivedRanking;
class ScoresHost;
class WInfo;
class WMiniScore;
class WRanking;

// The score windows of the open game, made on demand over the play window.
// The shell's ScoresHost forwards its window hooks here (updateMiniScore,
// closeRankingWindow, acceptCertificate, showRankingRow,
// showReceivedRanking) and the commands F4, 1106, 1107 and 1108 call the
// Show... operations.
class ScoreWindows : public QObject {
    Q_OBJECT

public:
    ScoreWindows(LiveRanking& live, ScoresHost& host, QWidget* playWindow);
    ~ScoreWindows() override;

    // --- the hooks of ScoresHost
    void updateMiniScore(unsigned changes);
    void closeRankingWindow();
    bool acceptCertificate(const Certificate& certificate);
    void showRankingRow(const Ranking& ranking, int row);
    void showReceivedRanking(const ReceivedRanking& received);

    // --- commands
    // F4: the current ranking.
    WRanking* ShowRanking();
    // 1107 / 1108: the strip shown at a screen point, or hidden.
    void showMiniScore(bool on, QPoint at = {});
    // 1106: the facts of the open puzzle.
    WInfo* ShowInfo(const Puz& puz);
    // Hides every score window (exit, closing the puzzle).
    void hideAll();

    // Where the strip hands the keys and commands it does not use (the
    // document, as the play window does).
    void setCommandTarget(fw::EventHandler* target) { m_commandTarget = target; }

    WMiniScore* miniScore() const { return m_mini; }
    WRanking* rankingWindow() const { return m_ranking; }
    WRanking* receivedWindow() const { return m_received; }

signals:
    void helpRequested(int topic);
    // The strip was dragged to a new place (kept as "ScorePos:").
    void miniScoreMoved(QPoint topLeft);

private:
    WRanking* adopt(WRanking* window);

    LiveRanking& m_live;
    ScoresHost& m_host;
    QWidget* m_playWindow;
    QPointer<WMiniScore> m_mini;
    QPointer<WRanking> m_ranking;   // the current ranking, or a local one results were placed in
    QPointer<WRanking> m_received;  // a received ranking with its merge button
    QPointer<WInfo> m_info;
    fw::EventHandler* m_commandTarget = nullptr;
};

}  // namespace qv
