#pragma once
#include <cstdint>

#include "jigsaw/play/TickClock.h"

namespace qv {

class Puz;
struct PlayCounters;

// What the score keeping needs to know of the open puzzle.
struct ScorePuzzle {
    int pieces = 0;
    int columns = 0;  // grid of the current size index
    int rows = 0;
    uint16_t options = 0;  // 0x20 NoRotable, 0x100 NoDeform (mosaic); other bits ignored
    bool complete = false;
};

// The counters of one game: saved with it and restored when it is loaded.
struct ScoreCounters {
    int32_t elapsed = 0;  // milliseconds of play
    uint16_t helps = 0;
    uint16_t helpSides = 0;    // joined sides produced by helps
    uint16_t joinedSides = 0;  // 2 per join
    uint16_t moves = 0;
};

// Which values of the score display changed; the bits are those of the cells
// of the mini score strip.
enum ScoreChange : unsigned {
    TimeChanged = 0x01,
    ScoreChanged = 0x02,
    PositionChanged = 0x04,
    ProjectedChanged = 0x10,
    ProjectedPositionChanged = 0x20,
    AllChanged = 0x37,
};

// Told of what the score keeping does, so that the ranking side can keep the
// game's live entry in place and the display can repaint. The play library
// knows nothing of rankings; the scores library implements this.
class ScoreListener {
public:
    virtual ~ScoreListener() = default;
    // A puzzle is being opened: its ranking is to be loaded now, before the clock starts.
    virtual void scoreOpened() {}
    // Both scores were recomputed; changes holds ScoreChange bits.
    virtual void scoreRefreshed(unsigned changes) { (void)changes; }
    // All counters went back to 0; the live entry is to be forgotten.
    virtual void scoreReset() {}
    // The clock of a running game stopped for good: the puzzle was just
    // completed. Not told for a game opened complete.
    virtual void scoreFinished() {}
};

// Keeps the play time with a clock that pauses for nested reasons, counts
// moves, helps and joined sides, and turns them into the score so far and
// the projected final score.
class ScoreKeeper {
public:
    enum State : uint16_t { NotStarted = 0, Running = 1, Finished = 2 };

    explicit ScoreKeeper(const TickClock& clock) : m_clock(clock) {}

    void setListener(ScoreListener* listener) { m_listener = listener; }

    void Reset();
    // Puts back the counters of a saved game; call after Reset, before OpenPuzzle.
    void Restore(const ScoreCounters& counters);
    void Restore(const PlayCounters& counters);
    void OpenPuzzle(const ScorePuzzle& puzzle);
    // The open document: its piece count, grid, options and complete state.
    void OpenPuzzle(const Puz& puz);
    // The counters as the document saves them.
    PlayCounters SavedCounters() const;
    void Start();
    void Finish();
    void Pause(int n = 1);
    void Resume();
    void ResumeAll();
    int32_t Elapsed() const;

    void AddJoinedSides(int n);
    void AddMove();
    void AddHelp(int sides);
    void Refresh();

    int32_t Score() const { return m_score; }
    int32_t ProjectedScore() const { return m_projected; }
    State state() const { return m_state; }
    bool paused() const { return m_pauseDepth > 0; }
    int pauseDepth() const { return m_pauseDepth; }
    int pieces() const { return m_puzzle.pieces; }
    const ScorePuzzle& puzzle() const { return m_puzzle; }
    // The counters now, with the elapsed time: what a save writes.
    ScoreCounters Counters() const;
    int32_t base() const { return m_base; }
    int32_t K() const { return m_k; }
    int32_t helpCoefficient() const { return -2 * m_k; }
    // Joined sides as a share of all sides of the grid, in percent.
    double Percent() const;
    // Joined sides when every piece is joined: 2 per internal edge.
    int TotalSides() const;

    // The formulas applied to any counters, so the displays can ask how a
    // join or a few more seconds would change the score.
    int32_t ScoreFor(const ScoreCounters& c) const;
    int32_t ProjectedFor(const ScoreCounters& c) const;

private:
    void computeCoefficients();
    void refresh(unsigned forced);

    const TickClock& m_clock;
    ScoreListener* m_listener = nullptr;
    ScorePuzzle m_puzzle;

    int32_t m_base = 0;
    int32_t m_k = 0;

    State m_state = NotStarted;
    uint32_t m_startTick = 0;
    int32_t m_carried = 0;  // before the start: time restored; after the finish: the final time
    int m_pauseDepth = 0;
    uint32_t m_pauseStartTick = 0;
    uint32_t m_pausedTotal = 0;

    uint16_t m_helps = 0;
    uint16_t m_helpSides = 0;
    uint16_t m_joinedSides = 0;
    uint16_t m_moves = 0;

    int32_t m_score = 0;
    int32_t m_projected = 0;
    int32_t m_shownSecond = -1;
};

}  // namespace qv
