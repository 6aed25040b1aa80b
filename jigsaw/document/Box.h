#pragma once
#include <cstdint>
#include <string>

#include "jigsaw/document/Rect16.h"

namespace qv {

// A box into which the player sorts pieces. Its window comes with the play
// window; the document keeps only what is saved.
struct Box {
    static constexpr uint32_t NoColour = 0xFFFFFFFF;
    static constexpr size_t StoredNameBytes = 13;  // zero-padded on disk

    std::string name;
    uint32_t colour = NoColour;  // 0x00BBGGRR
    uint8_t flags = 0;           // saved as "BoxFlags:" (0 or 1)
    int pieceCount = 0;          // pieces whose box number is this box
};

// Where a box's window lies on the play window, open (rectangle) and closed
// (icon). Kept in the saved game's header under a key of our own; w = 0:
// never placed, the window chooses.
struct BoxPlace {
    Rect16 window;
    Point16 icon;
};

}  // namespace qv
