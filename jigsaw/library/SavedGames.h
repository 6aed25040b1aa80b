#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class Puz;

// Saved-game file names: the saved-game name and the player's name joined
// by " by ", with the characters no file name may hold replaced by "_".
namespace savedgames {

// Trimmed as file names want it: characters below 33 at the start, blanks
// and tabs at the end.
std::string TrimForFileName(std::string_view text);
// Trimmed of blanks and tabs at both ends, as names are stored.
std::string TrimBlanks(std::string_view text);
// Nothing but blanks and tabs (or nothing at all).
bool IsBlank(std::string_view text);

// "A/B:C.D" by "Ann" -> "A_B_C_D by Ann". A blank player is the account's
// name; with no account name either the base is the name alone.
std::string BaseName(std::string_view name, std::string_view player);
std::string BaseName(std::string_view name, std::string_view player, std::string_view account);
// shelfDir / (BaseName + ".sav").
std::filesystem::path SavedGamePath(const std::filesystem::path& shelfDir, std::string_view name,
                                    std::string_view player);
// SavedGamePath itself when that file exists (its name matched without
// case); otherwise the first saved game of the folder, in name order, whose
// stored name and player both equal these without regard to case.
std::optional<std::filesystem::path> FindSavedGame(const std::filesystem::path& shelfDir, std::string_view name,
                                                   std::string_view player);

// The name the save dialog proposes: the saved-game name once the game was
// saved; else the title, "-", the number of pieces, "R" when the pieces do
// not rotate and "M" for plain rectangles ("Castle-300R").
std::string ProposedName(const Puz& puz);
std::string ProposedName(std::string_view title, int pieces, uint16_t optionFlags);

}  // namespace savedgames
}  // namespace qv
