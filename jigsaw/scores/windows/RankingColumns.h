#pragma once
#include <string>
#include <vector>

#include "jigsaw/scores/Ranking.h"

namespace qv {

class ScoresHost;

// One column of the ranking table: its heading, the sample text its width
// is measured from, and how its cells are aligned.
struct RankingColumn {
    enum Kind { Position, Player, Pieces, Time, Joined, Moves, Helps, Score, Percent };
    Kind kind;
    std::string heading;
    std::string sample;
    bool alignRight = true;
};

// The columns of a ranking: custom sizes (level 5) add the pieces column and
// drop the share of joints.
std::vector<RankingColumn> rankingColumns(const Ranking& ranking, const ScoresHost& host);

// The text of one cell; separator is the thousands separator of scores.
std::string rankingCell(const Ranking& ranking, size_t row, RankingColumn::Kind kind, char separator);

// Joined sides as a whole percentage of all sides of the ranking's grid; 0
// when the grid has no inner edges.
int jointShare(const Ranking& ranking, int solved);

}  // namespace qv
