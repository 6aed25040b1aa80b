#include "jigsaw/scores/windows/RankingColumns.h"

#include <algorithm>
#include <cstdio>

#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ScoresHost.h"
#include "jigsaw/scores/windows/ScoreWindowText.h"

namespace qv {

namespace {

bool customSize(const Ranking& r) { return r.level == 5; }

std::string percentOfFirst(const Ranking& ranking, size_t row)
{
    // Against a first score of 0 there is no share to show.
    const int32_t first = ranking.records.front().score;
    if (first == 0)
        return {};
    double pct = ranking.records[row].score * 100.0 / first;
    pct = std::max(pct, -99.9);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f%%", pct);
    return buf;
}

}  // namespace

std::vector<RankingColumn> rankingColumns(const Ranking& ranking, const ScoresHost& host)
{
    const bool custom = customSize(ranking);
    std::vector<RankingColumn> c;
    c.push_back({RankingColumn::Position, "#", "16", true});
    c.push_back({RankingColumn::Player, scoreText(host, txt::Player),
                 custom ? "Maximilian Bartholomew" : "Maximilian Bartholomew Doe", false});
    if (custom)
        c.push_back({RankingColumn::Pieces, scoreText(host, txt::PiecesColumn), "Pieces", true});
    c.push_back({RankingColumn::Time, scoreText(host, txt::Time), "00:00:00.0", true});
    c.push_back({RankingColumn::Joined, scoreText(host, txt::Joints), custom ? "1000 -" : "1000 (100%)", true});
    c.push_back({RankingColumn::Moves, scoreText(host, txt::Moves), "123000", true});
    // The only column whose heading may be wider than its sample.
    c.push_back({RankingColumn::Helps, scoreText(host, txt::Helps), "123000", true});
    c.push_back({RankingColumn::Score, scoreText(host, txt::Score), "-11.100.000", true});
    // The sample carries the decimal the cells show, so 100.0% fits.
    c.push_back({RankingColumn::Percent, "%", "100.0%", true});
    return c;
}

int jointShare(const Ranking& ranking, int solved)
{
    const int divisor = (4 * ranking.columns - 2) * ranking.rows - 2 * ranking.columns;
    return divisor == 0 ? 0 : solved * 100 / divisor;
}

std::string rankingCell(const Ranking& ranking, size_t row, RankingColumn::Kind kind, char separator)
{
    const ScoreRecord& r = ranking.records[row];
    switch (kind) {
    case RankingColumn::Position: return std::to_string(row + 1);
    case RankingColumn::Player: return r.player;
    case RankingColumn::Pieces: return r.pieces == 0 ? "?" : std::to_string(r.pieces);
    case RankingColumn::Time: return formatDuration(r.time);
    case RankingColumn::Joined:
        if (customSize(ranking))
            return std::to_string(r.solved / 2);
        return std::to_string(r.solved / 2) + " (" + std::to_string(jointShare(ranking, r.solved)) + "%)";
    case RankingColumn::Moves: return std::to_string(r.moves);
    case RankingColumn::Helps: return std::to_string(r.helps);
    case RankingColumn::Score: return formatNumber(r.score, separator);
    case RankingColumn::Percent: return percentOfFirst(ranking, row);
    }
    return {};
}

}  // namespace qv
