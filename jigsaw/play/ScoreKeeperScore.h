#pragma once
#include "jigsaw/play/PlayPorts.h"
#include "jigsaw/play/ScoreKeeper.h"

namespace qv {

// The play rules reporting to the program's score keeping.
class ScoreKeeperScore : public PlayScore {
public:
    explicit ScoreKeeperScore(ScoreKeeper& keeper) : m_keeper(keeper) {}
    void addJoinedSides(int n) override { m_keeper.AddJoinedSides(n); }
    void addMove() override { m_keeper.AddMove(); }
    void addHelp(int sides) override { m_keeper.AddHelp(sides); }
    void finish() override { m_keeper.Finish(); }

private:
    ScoreKeeper& m_keeper;
};

}  // namespace qv
