#pragma once
#include <filesystem>

#include "framework/UserFolders.h"

namespace qv {

// The jigsaw game's places for what it writes: the settings file, the
// puzzles root (the main shelf, where new puzzles, saved games and scores
// go) and the cache of the colour field. An installed copy keeps them in
// the user's folders; its own folder is a read-only source of the sample
// puzzles, which are copied into the user's puzzles root on the first start
// so that they can be played, scored and refreshed like any other puzzle.
class GameFolders {
public:
    static constexpr const char* Name = "quorvane";
    static constexpr const char* FirstPuzzle = "sample.puz";
    static constexpr int FirstPuzzleSize = 1;  // index of the size the first start opens

    GameFolders(std::filesystem::path programDir, fw::UserFolders folders);
    static GameFolders ForProgram(const std::filesystem::path& programDir);

    // Makes the folders; the first time an installed copy makes the puzzles
    // root, the program's puzzles are copied into it. Returns how many were.
    int Prepare() const;

    const fw::UserFolders& folders() const { return m_folders; }
    const std::filesystem::path& settingsFolder() const { return m_folders.settings(); }
    const std::filesystem::path& puzzlesRoot() const { return m_folders.data(); }
    const std::filesystem::path& cacheFolder() const { return m_folders.cache(); }
    // The puzzle opened when no file was open at the last exit: the sample in
    // the puzzles root; empty when it is not there.
    std::filesystem::path firstPuzzle() const;

private:
    std::filesystem::path m_programDir;
    fw::UserFolders m_folders;
};

}  // namespace qv
