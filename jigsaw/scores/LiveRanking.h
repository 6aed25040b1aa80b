#pragma once
#include <functional>

#include "jigsaw/play/ScoreKeeper.h"
#include "framework/Status.h"
#include "jigsaw/scores/Ranking.h"
#include "jigsaw/scores/ScoreGame.h"

namespace qv {

class ScoresHost;

// Where a position is heading: up when one more joint would lift it, down
// when twenty idle seconds would drop it.
enum class Trend { Steady, Up, Down };

// The ranking of the open puzzle with the game's own live entry in it, which
// moves up and down as the score keeping reports changes. It listens to the
// ScoreKeeper; the shell calls it when the game is saved or scores are
// switched on or off.
class LiveRanking : public ScoreListener {
public:
    using GameSource = std::function<ScoreGame()>;

    LiveRanking(ScoreKeeper& keeper, GameSource game, ScoresHost& host);
    ~LiveRanking() override;
    LiveRanking(const LiveRanking&) = delete;
    LiveRanking& operator=(const LiveRanking&) = delete;

    // Scores switched on, or a puzzle opened with scores on: load the
    // ranking, find or add the game's entry, put it in place.
    void OpenRanking();
    // After every save except automatic saves, and when scores are switched
    // off. A scores file the disk has no room for comes back as message
    // 1040 naming it, for whoever asked for the save to tell the player.
    fw::Status StoreResult();
    // After the game was saved under a new name.
    void OnSavedAs();
    // After every change of the score; repaints the mini score.
    void Reposition();
    // Scores switched off: the game's entry leaves the file.
    void CloseRanking();

    // Puts a received result into the current ranking and finds the live
    // entry again; the index the result stands at afterwards, or -1.
    int InsertReceived(const ScoreRecord& record);
    // The live entry filled from the game again (before the ranking is shown).
    void RefreshLiveEntry();
    // A record filled from the current game.
    ScoreRecord CurrentRecord() const;

    ScoreGame game() const { return m_game(); }
    const ScoreKeeper& keeper() const { return m_keeper; }
    bool isOpen() const { return m_open; }
    const Ranking& ranking() const { return m_ranking; }
    int liveIndex() const { return m_live; }
    int projectedIndex() const { return m_projected; }
    Trend liveTrend() const { return m_liveTrend; }
    Trend projectedTrend() const { return m_projectedTrend; }
    // Whether a ranking of that title, level and flags is the open one.
    bool isCurrentRanking(const std::string& title, int level, uint16_t flags) const;

    void scoreOpened() override;
    void scoreRefreshed(unsigned changes) override;
    void scoreReset() override;
    void scoreFinished() override;

private:
    void locateLiveEntry(const ScoreGame& game);
    void refreshLiveValues();
    void computeTrends();
    void forget();

    ScoreKeeper& m_keeper;
    GameSource m_game;
    ScoresHost& m_host;
    Ranking m_ranking;
    bool m_open = false;
    int m_live = -1;
    int m_projected = -1;
    Trend m_liveTrend = Trend::Steady;
    Trend m_projectedTrend = Trend::Steady;
};

}  // namespace qv
