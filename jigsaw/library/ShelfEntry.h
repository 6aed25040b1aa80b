#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "framework/Status.h"

namespace qv {

// One file listed on a shelf: a puzzle file or a saved game, with the
// header facts the library shows and the directory cache keeps.
struct ShelfEntry {
    enum class Kind : uint8_t { Puzzle, SavedGame };

    // Bits of optionFlags (a puzzle's header options, in one byte).
    enum Option : uint8_t {
        NoRotable = 0x01,
        NoHelp = 0x02,
        Mosaic = 0x04,
        NoPreview = 0x08,
        ImgFull = 0x10,
    };
    // Bits of savedNumber, the saved game's own facts: its play options as
    // the document keeps them, whether a password guards it, whether the
    // puzzle was completed.
    enum SavedFlag : int32_t {
        SavedNoRotable = 0x0020,
        SavedNoHelp = 0x0040,
        SavedMosaic = 0x0100,
        SavedHasPassword = 0x1000,
        SavedComplete = 0x2000,
    };

    Kind kind = Kind::Puzzle;
    std::filesystem::path path;  // not cached: the folder listed + the file name
    std::string fileName;        // name and extension

    // Puzzle files.
    int16_t formatVersion = 0;
    int16_t requiredVersion = 0;
    std::string title;           // a saved game's: the title of its puzzle
    int16_t sizeCount = 0;       // 0..5
    int16_t columns[5] = {};
    int16_t rows[5] = {};
    uint8_t optionFlags = 0;
    bool noCustom = false;

    // Saved games.
    std::string puzzleFile;      // name and extension; it lies beside the saved game
    int16_t sizeIndex = 0;
    int16_t savedColumns = 0;    // the grid of that size
    int16_t savedRows = 0;
    int32_t savedNumber = 0;     // SavedFlag bits
    std::string savedText;       // the player's name

    // Not cached: why the file could not be read (message id and insert).
    // Such an entry is listed with the error and never cached.
    fw::Status status;

    bool tooNew() const;
    std::filesystem::path puzzlePath() const { return path.parent_path() / puzzleFile; }

    // Reads the entry from its file (path and kind decide which reader).
    static ShelfEntry read(const std::filesystem::path& file, Kind kind);
    static ShelfEntry readPuzzle(const std::filesystem::path& file);
    static ShelfEntry readSavedGame(const std::filesystem::path& file);
    // By extension: ".sav" (any case) is a saved game, anything else a puzzle.
    static Kind kindOf(const std::filesystem::path& file);
};

}  // namespace qv
