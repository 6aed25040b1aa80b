#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <functional>

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
class WFinish;
class WInfo;
class WMiniScore;
class WProgressLine;
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
    // The game was just completed: gameCompleted is emitted on the event
    // loop, once the drop or help that completed it is over.
    void gameFinished();

    // --- commands
    // F4: the current ranking.
    WRanking* ShowRanking();
    // 1107 / 1108: the strip shown at a screen point, or hidden.
    void showMiniScore(bool on, QPoint at = {});
    // 1106: the facts of the open puzzle.
    WInfo* ShowInfo(const Puz& puz);
    // The window at the end of the game, over the play window.
    WFinish* ShowFinish(const Puz& puz);
    // The progress line of a game outside competition, at a screen point,
    // or hidden.
    void showProgress(const Puz& puz, bool on, QPoint at = {});
    // Where on the screen the strip and the progress line must not be put
    // (the picture's area), asked each time they are placed.
    void setKeepClear(std::function<QRect()> area) { m_keepClear = std::move(area); }
    // Hides every score window (exit, closing the puzzle).
    void hideAll();

    // Where the strip hands the keys and commands it does not use (the
    // document, as the play window does).
    void setCommandTarget(fw::EventHandler* target) { m_commandTarget = target; }

    WMiniScore* miniScore() const { return m_mini; }
    WRanking* rankingWindow() const { return m_ranking; }
    WRanking* receivedWindow() const { return m_received; }
    WFinish* finishWindow() const;
    WProgressLine* progressLine() const;

signals:
    void helpRequested(int topic);
    // The strip was dragged to a new place (kept as "ScorePos:").
    void miniScoreMoved(QPoint topLeft);
    // See gameFinished.
    void gameCompleted();
    // A next step chosen in the finish window (WFinish ids), once it is closed.
    void finishStepChosen(int step, int sizeIndex);

private:
    WRanking* adopt(WRanking* window);

    LiveRanking& m_live;
    ScoresHost& m_host;
    QWidget* m_playWindow;
    QPointer<WMiniScore> m_mini;
    QPointer<WRanking> m_ranking;   // the current ranking, or a local one results were placed in
    QPointer<WRanking> m_received;  // a received ranking with its merge button
    QPointer<WInfo> m_info;
    QPointer<WFinish> m_finish;
    QPointer<WProgressLine> m_progress;
    std::function<QRect()> m_keepClear;
    fw::EventHandler* m_commandTarget = nullptr;
};

}  // namespace qv
