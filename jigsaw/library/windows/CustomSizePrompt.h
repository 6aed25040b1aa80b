#pragma once
#include <optional>
#include <string>

class QWidget;

namespace qv {

// The markup of the custom-size prompt: titled "Puzzle:" and the puzzle's
// title, texts 857 and 500 around an entry of at most 7 characters, OK,
// Cancel and Help.
std::string CustomSizeMarkup(const std::string& title);

// Asks for the custom piece count (or "RxC") of a puzzle; nullopt when
// cancelled. The document asks this while it cuts a puzzle opened at the
// custom size, so the shell's PuzzleUser::askCustomSize can call it.
std::optional<std::string> AskCustomSize(QWidget* parent, const std::string& title, int helpTopic = 0);

}  // namespace qv
