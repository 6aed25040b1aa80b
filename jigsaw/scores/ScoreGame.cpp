#include "jigsaw/scores/ScoreGame.h"

#include <string_view>

#include "jigsaw/document/Puz.h"

namespace qv {

ScoreGame ScoreGame::FromPuz(const Puz& puz, bool scoresOn, const std::string& owner)
{
    ScoreGame g;
    g.puzzlePath = puz.puzzlePath;
    g.savedGamePath = puz.savedPath;
    g.title = puz.title();
    g.player = puz.playerName;
    g.owner = owner;
    g.level = puz.sizeIndex;
    // Rankings keep the grid in the order the puzzle file stores it: rows first.
    if (puz.sizeIndex >= 0 && puz.sizeIndex < 6) {
        g.columns = puz.rows[puz.sizeIndex];
        g.rows = puz.columns[puz.sizeIndex];
    }
    g.flags = puz.options & (Puz::NoRotable | Puz::NoDeform);
    g.pieces = puz.pieceCount();
    g.scoresOn = scoresOn;
    g.cutMark = puz.sharedCut;
    return g;
}

namespace {
constexpr std::string_view kCutMark = "QvCut:";
}

std::string ScoreGame::extraText() const { return cutMark.empty() ? std::string() : std::string(kCutMark) + cutMark; }

}  // namespace qv
