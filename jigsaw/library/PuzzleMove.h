#pragma once
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Status.h"

namespace qv {

class Library;
class LibraryPrompt;

// The name a saved game takes when its own is taken: a trailing "(n)"
// counts up, any other name gets "(2)": "Game(2)" -> "Game(3)",
// "Game" -> "Game(2)".
std::string NextSavedGameName(std::string_view base);

// Whether a file of a "scores" folder belongs to the puzzle with this base
// name: base + "." + level digit, then "R" and/or "M" ("Castle.3R").
bool IsScoresFileOf(std::string_view fileName, std::string_view puzzleBase);

// Moving one puzzle file to another shelf folder: every copy is made
// first, and the originals are deleted only when all copies succeeded.
class PuzzleMove {
public:
    PuzzleMove(Library& library, std::filesystem::path puzzle, std::filesystem::path targetDir);
    fw::Status run(LibraryPrompt& prompt);

private:
    struct Moved {
        std::filesystem::path from;
        std::filesystem::path to;
        std::string oldBase;
        std::string newBase;
    };

    bool ask(LibraryPrompt& prompt);
    void planSavedGames();
    bool isTaken(const std::set<std::string>& planned, const std::string& base) const;
    fw::Status copySavedGame(const Moved& game);
    fw::Status copyScores();
    fw::Status copyScoresFile(const std::filesystem::path& from, const std::filesystem::path& to);
    // Removes the files the move made new (never one it replaced).
    void undoCopies();
    fw::Status removeOriginals();
    void updateCaches();
    fw::Status failed(const std::filesystem::path& file);

    Library& m_library;
    std::filesystem::path m_puzzle;
    std::filesystem::path m_sourceDir;
    std::filesystem::path m_targetDir;
    std::filesystem::path m_replaced;  // a puzzle of another spelling it replaces
    std::vector<Moved> m_games;
    std::vector<std::filesystem::path> m_scoresFrom;
    std::vector<std::filesystem::path> m_created;
};

}  // namespace qv
