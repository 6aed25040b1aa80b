#include "jigsaw/scores/MiniScore.h"

#include <cstdio>

#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/ScoreText.h"

namespace qv {

namespace {

std::string rightAligned(const std::string& s, size_t width)
{
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

std::string place(int index, size_t count)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2i/%-2i", index + 1, static_cast<int>(count));
    return buf;
}

uint32_t trendColour(Trend t)
{
    return t == Trend::Up ? MiniScore::Green : t == Trend::Down ? MiniScore::Red : MiniScore::White;
}

}  // namespace

MiniScore MiniScore::Of(const LiveRanking& live, char separator)
{
    const ScoreKeeper& keeper = live.keeper();
    MiniScore m;
    int32_t seconds = keeper.Elapsed() / 1000;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02i:%02i:%02i", seconds / 3600, seconds / 60 % 60, seconds % 60);
    m.time = buf;
    bool running = keeper.state() == ScoreKeeper::Running && !keeper.paused();
    m.timeColour = running ? Green : LightGrey;
    m.score = rightAligned(formatNumber(keeper.Score(), separator), 14);
    m.projected = rightAligned(formatNumber(keeper.ProjectedScore(), separator), 14);
    if (keeper.state() == ScoreKeeper::NotStarted || live.liveIndex() < 0)
        return m;
    const size_t count = live.ranking().records.size();
    m.position = place(live.liveIndex(), count);
    m.positionColour = trendColour(live.liveTrend());
    if (live.projectedIndex() >= 0) {
        m.projectedPosition = place(live.projectedIndex(), count);
        m.projectedPositionColour = trendColour(live.projectedTrend());
    }
    return m;
}

unsigned MiniScore::ChangedFrom(const MiniScore& b) const
{
    unsigned bits = 0;
    if (time != b.time || timeColour != b.timeColour)
        bits |= TimeChanged;
    if (score != b.score || scoreColour != b.scoreColour)
        bits |= ScoreChanged;
    if (projected != b.projected)
        bits |= ProjectedChanged;
    if (position != b.position || positionColour != b.positionColour)
        bits |= PositionChanged;
    if (projectedPosition != b.projectedPosition || projectedPositionColour != b.projectedPositionColour)
        bits |= ProjectedPositionChanged;
    return bits;
}

}  // namespace qv
