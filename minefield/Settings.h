#pragma once
#include <cstdint>
#include <string>

#include "minefield/IniFile.h"
#include "minefield/ShapeKind.h"

namespace mf {

// The section "MVRO" of mvro.ini: what the program starts with and writes
// back when it ends.
struct Settings {
    static constexpr const char* Section = "MVRO";

    uint8_t level = 0;  // preset 0..4; any other value uses the size below
    int32_t width = 8;
    int32_t height = 8;
    int32_t mines = 16;
    ShapeKind shape = ShapeKind::Square;
    uint32_t color = 12632256;  // 0x00BBGGRR, light grey
    std::string texture = "1";
    bool sound = true;
    // Rules of our own, in keys other builds skip; written only while on, so
    // that a file of a player who never turned them on keeps its bytes.
    bool leftChord = false;
    bool marks = false;
    bool safeStart = false;
    bool noGuess = false;
    // The board's zoom in percent, one of ZoomSteps; a key of our own written
    // only when the board is not at its own size.
    int zoom = 100;
    // The language chosen in the menu ("de"), a key of our own; empty: none
    // chosen, the session's language is shown. Kept as read when it is none
    // of ours.
    std::string language;

    // Missing keys take their defaults. Width, height and mines are kept
    // inside the grid, an unknown shape gives the square board.
    static Settings Read(const IniFile& ini);
    void Write(IniFile& ini) const;
};

}  // namespace mf
