#pragma once
#include <filesystem>
#include <string>

#include "framework/ByteIO.h"
#include "framework/Status.h"

namespace qv {

class Puz;

// The byte layout of a saved game. Reading comes in the three pieces that
// opening needs: the head (names, grid, counters, boxes) before the puzzle
// is opened, the saved header and seed while it is opened, and the piece
// records and order list once it has been cut.
class SavedGameFile {
public:
    // One piece as a saved game stores it.
    struct PieceRecord {
        int16_t x = 0, y = 0;  // table position of the cell's top-left
        uint8_t rotation = 0;
        uint8_t joined = 0;
        uint8_t box = 0;
        uint8_t flags = 0;
    };

    static constexpr size_t PieceRecordBytes = 8;
    static constexpr size_t BoxRecordBytes = 17;
    static constexpr size_t WriteBufferBytes = 4096;

    // Everything a damaged file gets is message 20 naming the saved game.
    static fw::Status readHead(Puz& puz, fw::ByteReader& in, std::string& puzzlePath);
    static fw::Status readHeaderAndSeed(Puz& puz, fw::ByteReader& in);
    // Lays the records over the cut pieces. A short record stops with 20;
    // the pieces read so far keep what they got, and `read` tells how many.
    static fw::Status readPieces(Puz& puz, fw::ByteReader& in, int* read = nullptr);
    // The stacking order; anything but a permutation of the pieces is
    // replaced by 0, 1, 2, ...
    static void readOrder(Puz& puz, fw::ByteReader& in);
    // One record as stored; false when fewer bytes are left.
    static bool readRecord(fw::ByteReader& in, PieceRecord& r);

    // The puzzle path as stored: the bare file name when the puzzle lies
    // beside the saved game, else the full path.
    static std::string storedPuzzlePath(const Puz& puz);
    // A stored puzzle path made usable here: relative paths and paths of
    // another system's drives are taken from the saved game's folder.
    static std::filesystem::path resolvePuzzlePath(const std::string& stored, const std::filesystem::path& savedFile);

    static bool write(const Puz& puz, fw::Stream& out);

private:
    static void writePieces(const Puz& puz, fw::ByteWriter& w);
    static void repairJoins(Puz& puz);
};

}  // namespace qv
