#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "framework/Stream.h"

namespace qv {

// The checksum that tells whether two players have the same puzzle file:
// the bytes of its picture block summed into four accumulators, byte i into
// accumulator i mod 4, with 32-bit wrap-around.
struct PuzzleId {
    std::array<uint32_t, 4> words{};

    bool isZero() const { return words[0] == 0 && words[1] == 0 && words[2] == 0 && words[3] == 0; }
    bool operator==(const PuzzleId&) const = default;

    // The bytes from offset on, for length bytes (fewer when the stream ends first).
    static PuzzleId FromStream(fw::Stream& stream, uint64_t offset, uint64_t length);
    // Of a puzzle file, from the picture offset and length of its directory;
    // 0-0-0-0 when the file cannot be read or has no picture block.
    static PuzzleId FromFile(const std::filesystem::path& puzzleFile);

    // "%lX-%lX-%lX-%lX".
    std::string ToText() const;
    // Four base-16 words separated by "-", at the start of the text.
    static std::optional<PuzzleId> Parse(std::string_view text);
};

}  // namespace qv
