#pragma once
#include <string>
#include <utility>
#include <vector>

#include "framework/qt/WBaseInfo.h"
#include "jigsaw/scores/FinishFacts.h"

namespace qv {

class ScoresHost;

// The window at the end of a game: the time, moves, helps and score, the
// place in the ranking of a competition game, and what to do next: another
// size of this puzzle, another puzzle from the library, the ranking, or
// nothing. It only says what was chosen (stepChosen) and closes; the shell
// does it once the window is gone.
class WFinish : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int {
        IdAnotherSize = 4780,
        IdAnotherPuzzle = 4781,
        IdRanking = 4782,
        IdClose = IdOk,
        IdSizes = 4790,  // the list of the other sizes
        TitleText = 4784,
    };

    WFinish(FinishFacts facts, const ScoresHost& host, QWidget* parent = nullptr);

    const FinishFacts& facts() const { return m_facts; }
    // The lines shown, label and value, top to bottom, after the heading.
    const std::vector<std::pair<std::string, std::string>>& lines() const { return m_lines; }
    const std::string& heading() const { return m_heading; }
    // The size the list offers now (an index into facts().otherSizes), -1 for none.
    int chosenSize() const;

signals:
    // IdAnotherSize (with the size index to open), IdAnotherPuzzle or IdRanking.
    void stepChosen(int step, int sizeIndex);

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    // Closing the window is Close: it asks for nothing.
    bool OnCloseRequest() override { return false; }

private:
    void collect();
    void build();

    FinishFacts m_facts;
    const ScoresHost& m_host;
    std::string m_heading;
    std::vector<std::pair<std::string, std::string>> m_lines;
};

}  // namespace qv
