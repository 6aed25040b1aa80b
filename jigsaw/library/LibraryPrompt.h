#pragma once
#include <string>

namespace qv {

// The questions the library asks while it moves a puzzle. The library window
// answers them with message boxes; tests answer them with a fake.
class LibraryPrompt {
public:
    virtual ~LibraryPrompt() = default;
    // Warning 525 (OK, Cancel): the target shelf already holds a puzzle file
    // of that name. True = replace it.
    virtual bool confirmReplacePuzzle(const std::string& fileName) = 0;
    // Question 986 (OK, Cancel) with the check box "do not ask again"
    // ("{LIN}{+12,+0}{check:" + text + "/INI:0}"). True = move; set
    // dontAskAgain when the box was ticked.
    virtual bool confirmMove(const std::string& fileName, bool& dontAskAgain) = 0;
};

}  // namespace qv
