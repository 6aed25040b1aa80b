#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "framework/Status.h"

namespace qv {

// What the library needs from the front of a saved game without opening
// its puzzle: the names, the password, the puzzle it belongs to, the grid
// and the header. Read through the document's own saved-game reader.
struct SavedGameHead {
    std::string name;
    std::string player;
    std::string password;
    std::string storedPuzzlePath;         // as the file stores it
    std::filesystem::path puzzlePath;     // resolved against the saved game's folder
    int sizeIndex = 0;
    int16_t customRows = 0;               // only for the custom size (index 5)
    int16_t customColumns = 0;
    uint32_t joinedSides = 0;
    std::string header;                   // saved-game form

    // Message 1012 when the file cannot be opened, 20 when it is damaged.
    static fw::Status read(const std::filesystem::path& file, SavedGameHead& out);
    static std::optional<SavedGameHead> read(const std::filesystem::path& file);
};

// A password typed at opening matches the stored one as the save dialog
// compares them: without regard to case.
bool PasswordMatches(const std::string& stored, const std::string& entered);

}  // namespace qv
