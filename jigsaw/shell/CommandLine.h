#pragma once
#include <filesystem>
#include <string>

namespace qv {

// What the text after the program's name asks for.
struct CommandLine {
    enum class Kind {
        None,       // nothing: reopen the last puzzle
        Picture,    // make a new puzzle from a picture
        Puzzle,     // a "puz" file
        SavedGame,  // a "sav" file
        OtherPath,  // any other path: the open dialog, shown for it
        Install,    // an installation switch
    };

    Kind kind = Kind::None;
    std::filesystem::path path;
    std::string installSwitch;  // "@setup", ... as given
    std::string language;       // "/lang:" after "@instalprogman"

    // The whole text after the program's name, as one argument; quotes
    // around a path are dropped.
    static CommandLine parse(std::string text);
    // A path's kind by its extension: Picture, Puzzle, SavedGame or OtherPath.
    static Kind KindOfPath(const std::filesystem::path& path);
};

}  // namespace qv
