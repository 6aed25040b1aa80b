#include "jigsaw/play/ScoreKeeper.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

constexpr uint16_t kNoRotable = 0x20;
constexpr uint16_t kNoDeform = 0x100;

// Rounds x to the nearest multiple of s, halves away from zero.
int32_t roundTo(int32_t x, int32_t s)
{
    int32_t magnitude = (std::abs(x) + s / 2) / s * s;
    return x < 0 ? -magnitude : magnitude;
}

double roundHalfAway(double x) { return x < 0 ? -std::floor(-x + 0.5) : std::floor(x + 0.5); }

int32_t clamp32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

void ScoreKeeper::Reset()
{
    m_puzzle = {};
    m_base = m_k = 0;
    m_state = NotStarted;
    m_startTick = 0;
    m_carried = 0;
    m_pauseDepth = 0;
    m_pauseStartTick = 0;
    m_pausedTotal = 0;
    m_helps = m_helpSides = m_joinedSides = m_moves = 0;
    m_score = m_projected = 0;
    m_shownSecond = -1;
    if (m_listener)
        m_listener->scoreReset();
}

void ScoreKeeper::Restore(const ScoreCounters& counters)
{
    m_carried = std::max<int32_t>(counters.elapsed, 0);
    m_helps = counters.helps;
    m_helpSides = counters.helpSides;
    m_joinedSides = counters.joinedSides;
    m_moves = counters.moves;
}

void ScoreKeeper::Restore(const PlayCounters& counters)
{
    ScoreCounters c;
    c.elapsed = counters.elapsedMs;
    c.helps = counters.helps;
    c.helpSides = counters.helpSides;
    c.joinedSides = static_cast<uint16_t>(counters.joinedSides);
    c.moves = static_cast<uint16_t>(counters.moves);
    Restore(c);
}

void ScoreKeeper::OpenPuzzle(const Puz& puz)
{
    ScorePuzzle p;
    p.pieces = puz.pieceCount();
    p.columns = puz.gridColumns();
    p.rows = puz.gridRows();
    p.options = puz.options & (Puz::NoRotable | Puz::NoDeform);
    p.complete = (puz.state & Puz::Complete) != 0;
    OpenPuzzle(p);
}

PlayCounters ScoreKeeper::SavedCounters() const
{
    ScoreCounters c = Counters();
    PlayCounters saved;
    saved.elapsedMs = c.elapsed;
    saved.helps = c.helps;
    saved.helpSides = c.helpSides;
    saved.joinedSides = c.joinedSides;
    saved.moves = c.moves;
    return saved;
}

void ScoreKeeper::OpenPuzzle(const ScorePuzzle& puzzle)
{
    m_puzzle = puzzle;
    computeCoefficients();
    if (m_listener)
        m_listener->scoreOpened();
    if (!puzzle.complete) {
        Start();
        return;
    }
    // A finished game shows the time it was finished in, for good.
    m_state = Finished;
    m_pauseDepth = 0;
    m_pausedTotal = 0;
    refresh(AllChanged);
}

void ScoreKeeper::computeCoefficients()
{
    // The factor is a 32-bit float on purpose: the products below must give
    // the same truncated values as stored results were computed with.
    float f = 1.0f;
    if (m_puzzle.options & kNoRotable)
        f = 1.0f / 3.0f;
    if (m_puzzle.options & kNoDeform)
        f = f * 3.0f;
    const int32_t n = m_puzzle.pieces;
    m_base = static_cast<int32_t>(static_cast<float>(500 * n) * f);
    m_k = static_cast<int32_t>(static_cast<float>(roundTo(10 * n, 250) + 1000) * f);
}

void ScoreKeeper::Start()
{
    m_pausedTotal = 0;
    m_pauseDepth = 0;
    m_state = Running;
    m_startTick = m_clock.now() - static_cast<uint32_t>(m_carried);
    m_carried = 0;
    refresh(AllChanged);
}

void ScoreKeeper::Finish()
{
    if (m_state != Running)
        return;
    m_carried = Elapsed();
    m_state = Finished;
    refresh(TimeChanged);
    if (m_listener)
        m_listener->scoreFinished();
}

void ScoreKeeper::Pause(int n)
{
    if (m_state == Finished || n <= 0)
        return;
    if (m_pauseDepth == 0)
        m_pauseStartTick = m_clock.now();
    m_pauseDepth += n;
    refresh(TimeChanged);  // the time turns grey
}

void ScoreKeeper::Resume()
{
    if (m_state == Finished || m_pauseDepth <= 0)
        return;
    if (--m_pauseDepth == 0)
        m_pausedTotal += m_clock.now() - m_pauseStartTick;
    refresh(m_pauseDepth == 0 ? TimeChanged : 0u);
}

void ScoreKeeper::ResumeAll()
{
    while (m_state != Finished && m_pauseDepth > 0)
        Resume();
}

int32_t ScoreKeeper::Elapsed() const
{
    if (m_state == NotStarted)
        return 0;
    if (m_state == Finished)
        return m_carried;
    // Unsigned arithmetic: the tick count wraps at 2^32 and only differences count.
    uint32_t now = m_clock.now();
    uint32_t t = now - m_pausedTotal - m_startTick;
    if (m_pauseDepth > 0)
        t -= now - m_pauseStartTick;
    return static_cast<int32_t>(t);
}

void ScoreKeeper::AddJoinedSides(int n)
{
    m_joinedSides = static_cast<uint16_t>(m_joinedSides + n);
    refresh(0);
}

void ScoreKeeper::AddMove()
{
    ++m_moves;
    refresh(0);
}

void ScoreKeeper::AddHelp(int sides)
{
    ++m_helps;
    m_helpSides = static_cast<uint16_t>(m_helpSides + sides);
    refresh(0);
}

void ScoreKeeper::Refresh() { refresh(0); }

void ScoreKeeper::refresh(unsigned changes)
{
    ScoreCounters c = Counters();
    int32_t score = ScoreFor(c), projected = ProjectedFor(c);
    if (score != m_score)
        changes |= ScoreChanged;
    if (projected != m_projected)
        changes |= ProjectedChanged;
    m_score = score;
    m_projected = projected;
    int32_t second = c.elapsed / 1000;
    if (second != m_shownSecond)
        changes |= TimeChanged;
    m_shownSecond = second;
    if (m_listener)
        m_listener->scoreRefreshed(changes);
}

ScoreCounters ScoreKeeper::Counters() const
{
    ScoreCounters c;
    c.elapsed = m_state == NotStarted ? m_carried : Elapsed();
    c.helps = m_helps;
    c.helpSides = m_helpSides;
    c.joinedSides = m_joinedSides;
    c.moves = m_moves;
    return c;
}

int ScoreKeeper::TotalSides() const
{
    const int c = m_puzzle.columns, r = m_puzzle.rows;
    return 4 * c * r - 2 * c - 2 * r;
}

double ScoreKeeper::Percent() const
{
    int t = TotalSides();
    return t == 0 ? 0.0 : m_joinedSides * 100.0 / t;
}

int32_t ScoreKeeper::ScoreFor(const ScoreCounters& c) const
{
    if (m_state == NotStarted || m_puzzle.pieces == 0)
        return 0;
    const int64_t k = m_k;
    int64_t s = m_base + (c.joinedSides - c.helpSides) * k / 2 - c.elapsed / 100 - 2 * k * c.helps - c.moves;
    return clamp32(s);
}

int32_t ScoreKeeper::ProjectedFor(const ScoreCounters& c) const
{
    const int joined = c.joinedSides - c.helpSides;
    if (m_state == NotStarted || m_puzzle.pieces == 0 || joined <= 0)
        return 0;
    const int64_t total = TotalSides();
    const int64_t k = m_k;
    const int32_t tenths = c.elapsed / 100;

    // The time the rest of the puzzle will take at the pace so far. A long
    // game with few joins projects a time far past 32 bits: it is kept in
    // 64 bits and the score clamped, so the display never shows a wrapped value.
    double u = 3.0 * tenths;
    if (u == 0)
        u = 1e-8;
    double q = joined / u;
    if (q == 0)
        q = 1e-8;
    double projectedTenths = roundHalfAway(static_cast<double>(total - c.helpSides) / q * (1.0 / 3.0));
    int64_t e = static_cast<int64_t>(std::clamp(projectedTenths, -1e15, 1e15));
    if (c.joinedSides == total)
        e = tenths;
    int64_t m = total * c.moves / c.joinedSides;
    int64_t p = m_base + (total - c.helpSides) * k / 2 - e - 2 * k * c.helps - m;
    return clamp32(p);
}

}  // namespace qv
