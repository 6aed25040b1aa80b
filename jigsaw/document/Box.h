#pragma once
#include <cstdint>
#include <string>

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

}  // namespace qv
