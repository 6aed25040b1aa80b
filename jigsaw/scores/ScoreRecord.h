#pragma once
#include <cstdint>
#include <string>

#include "framework/ByteIO.h"

namespace qv {

// One result in a ranking.
struct ScoreRecord {
    // The key of a result received from another player; such records are permanent.
    static constexpr const char* Received = "*R*";

    std::string key;     // "*R*", the base name of the game's saved file, or blank (never saved)
    std::string player;
    std::string owner;
    int32_t score = 0;
    int32_t time = 0;     // milliseconds, a multiple of 100
    uint16_t helps = 0;
    uint16_t solved = 0;  // joined sides, 2 per joint
    uint16_t moves = 0;
    int16_t pieces = 0;   // 0 = not recorded
    std::string extra;    // carried through unchanged

    bool isReceived() const { return key == Received; }
    // A game that was never saved: shown, never written.
    bool hasBlankKey() const;

    // The first stored text: the bare key, or, when the piece count is
    // known, key 0x01 "1" 0x01 pieces 0x01 extra.
    std::string storedKey() const;
    void setStoredKey(const std::string& stored);

    void write(fw::ByteWriter& out) const;
    // Reads one record; check the reader's failed() afterwards.
    static ScoreRecord read(fw::ByteReader& in);

    bool operator==(const ScoreRecord&) const = default;
};

// The player name as records carry it: middle dots (0xB7) become blanks so
// ranking lines stay readable, and blanks at both ends go.
std::string cleanPlayerName(const std::string& name);

}  // namespace qv
