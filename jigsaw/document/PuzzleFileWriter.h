#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/Status.h"
#include "framework/Stream.h"

namespace qv {

class Puz;

// Everything a puzzle file holds, already encoded: the picture code makes
// the thumbnail BMP, the JPEG stream and the palette; the document gives
// the preamble and the header.
struct PuzzleFileContent {
    int16_t requiredVersion = 120;
    std::string title;
    int16_t sizeCount = 0;
    std::string header;                  // puzzle form
    std::array<uint8_t, 32> opaque{};    // carried from the old file; zeros for a new one
    std::vector<uint8_t> thumbnailBmp;   // empty = no thumbnail
    std::vector<uint32_t> palette;       // 0x00RRGGBB; at most 235 are stored
    std::vector<uint8_t> jpeg;

    // Preamble, header and opaque block of the open document (header in
    // the puzzle form); the picture blocks stay to be filled.
    static PuzzleFileContent fromDocument(const Puz& puz);
};

// Writes a puzzle file of picture kind 2: preamble, "PUZZ", header, the
// reserved and opaque blocks, the directory, the thumbnail, the palette
// block and the JPEG stream. Returns false on a write error.
bool writePuzzleFile(fw::Stream& out, const PuzzleFileContent& content);
// The same into a file, replacing it as a whole; message 20 when it fails.
fw::Status writePuzzleFile(const std::filesystem::path& path, const PuzzleFileContent& content);

}  // namespace qv
