#include "jigsaw/scores/FinishFacts.h"

#include "jigsaw/document/Puz.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/scores/LiveRanking.h"

namespace qv {

int placedPieces(const Puz& puz)
{
    if (puz.state & Puz::Complete)
        return puz.pieceCount();
    int placed = 0;
    for (const SPuz& p : puz.pieces)
        placed += (p.joined & 0x0F) != 0;
    return placed;
}

ProgressFacts ProgressFacts::Of(const Puz& puz, const ScoreKeeper& keeper)
{
    ProgressFacts f;
    f.placed = placedPieces(puz);
    f.total = puz.pieceCount();
    f.elapsedMs = keeper.Elapsed();
    f.running = keeper.state() == ScoreKeeper::Running && !keeper.paused();
    return f;
}

FinishFacts FinishFacts::Of(const Puz& puz, const LiveRanking& live)
{
    const ScoreKeeper& keeper = live.keeper();
    const ScoreCounters c = keeper.Counters();
    FinishFacts f;
    f.title = puz.title();
    f.elapsedMs = c.elapsed;
    f.moves = c.moves;
    f.helps = c.helps;
    f.score = keeper.Score();
    if (live.isOpen() && live.liveIndex() >= 0) {
        f.place = live.liveIndex() + 1;
        f.results = static_cast<int>(live.ranking().records.size());
    }
    // Level 5 is the size the player types in: the library asks for it.
    for (int k = 0; k < 5; ++k) {
        if (k != puz.sizeIndex && puz.rows[k] > 0 && puz.columns[k] > 0)
            f.otherSizes.push_back({k, puz.columns[k], puz.rows[k]});
    }
    return f;
}

}  // namespace qv
