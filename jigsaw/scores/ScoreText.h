#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Small text helpers shared by records, rankings and certificates. Texts are
// single-byte Windows-1252.

// Spaces and tabs removed at both ends.
std::string trimBlanks(std::string_view s);
// ASCII letters compared without regard to case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// Leading decimal integer as the C library reads it: blanks, sign, digits;
// anything after the digits is ignored and no digits give 0. Saturates at
// the 32-bit range instead of overflowing.
int32_t leadingInt(std::string_view s);

// A duration in milliseconds as hours, minutes, seconds and tenths: "%02i:%02i:%02i.%i".
std::string formatDuration(int32_t ms);
// Reads "h:m:s" with an optional ".fraction" of a second back to milliseconds.
std::optional<int32_t> parseDuration(std::string_view text);

// A grid as every window shows it, columns first: "6 x 4 (24 pieces)".
std::string formatGrid(int columns, int rows, const std::string& piecesWord);

// A number with the locale's thousands separator (0 = no grouping), e.g. "-11.100.000".
std::string formatNumber(int64_t value, char separator);

// A number written with any thousands separator. `separator` receives the one
// the text used: its grouping character, 0 when a number of four or more
// digits had none, and is left alone when the number is too short to show it.
std::optional<int64_t> parseNumber(std::string_view text, char* separator = nullptr);

}  // namespace qv
