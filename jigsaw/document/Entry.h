#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "framework/Status.h"
#include "framework/Stream.h"

namespace qv {

// Message ids of the document's files.
namespace msg {
constexpr int BadFile = 20;          // not a puzzle/saved game, or damaged (with the path)
constexpr int TooNew = 1000;         // puzzle needs a newer program
constexpr int FrameLarger = 1001;    // question: saved frame larger than the current one
constexpr int ScreenTooSmall = 1002; // screen below "MinRes:" (with the size)
constexpr int PiecesTooSmall = 1003;
constexpr int TooFewPieces = 1004;
constexpr int CannotOpen = 1012;     // puzzle file cannot be opened (with the file name)
constexpr int WritingPuzzle = 801;   // progress text while a puzzle file is written
}  // namespace msg

// Where the blocks after a puzzle file's header lie (21 bytes on disk).
struct PuzzleDirectory {
    static constexpr size_t Bytes = 21;
    static constexpr uint32_t PaletteBlockBytes = 942;  // before the JPEG stream of kind 2

    uint32_t thumbnailOffset = 0;  // 0 = none
    uint32_t pictureOffset = 0;
    uint32_t pictureLength = 0;
    uint8_t pictureKind = 0;       // 0 BMP, 1 JPEG, 2 palette block + JPEG
    uint32_t cacheOffset = 0;      // 0 = none
    uint32_t secondPictureOffset = 0;  // 0 = none; the low-colour picture
};

// The library entry of one puzzle file: what its preamble, header and
// directory say. Filled by read(); the library adds what it needs to list it.
struct Entry {
    static constexpr int16_t WrittenVersion = 200;  // made-by version this program writes
    static constexpr int16_t NewestReadable = 201;  // highest required version we can open
    static constexpr int16_t DefaultRequired = 120;

    std::filesystem::path path;
    int16_t madeByVersion = 0;
    int16_t requiredVersion = 0;
    std::string title;             // stored only from made-by version 199 on
    int16_t sizeCount = 0;         // stock size count as stored in the preamble
    uint8_t reserved = 0;          // carried, not interpreted
    std::string header;            // the header string as stored
    std::array<uint8_t, 32> opaque{};  // written back unchanged
    uint64_t directoryPosition = 0;
    PuzzleDirectory directory;
    int16_t rows[5] = {};          // "Med0:".."Med4:" of the header
    int16_t columns[5] = {};
    bool noCustom = false;
    bool tooNew = false;           // required version above what we read; sizeCount then 1

    void clear() { *this = Entry{}; }

    // Reads preamble, title, "PUZZ", header, reserved and opaque blocks and
    // the directory from the start of the stream. The path is recorded and
    // named in messages. Fails with 20 (not a puzzle, damaged, blocks past
    // the end) or 1000 (too new; the preamble fields are filled).
    fw::Status read(fw::Stream& stream, const std::filesystem::path& file);
    // Opens the file and reads it; 1012 when it cannot be opened.
    fw::Status readFile(const std::filesystem::path& file);

private:
    void readSizes();
    bool blocksInside(uint64_t fileSize) const;
};

}  // namespace qv
