#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace mf {

// The settings file keeps names as single Windows-1252 bytes, as every build
// of the game reads them; the program itself keeps text as UTF-8.

// Every byte has a character (the five unused ones stand for the control
// characters of the same number), so this never loses anything.
std::string Utf8FromWindows1252(std::string_view bytes);
// Characters Windows-1252 lacks (and broken UTF-8) become '?'; `lossless`
// tells whether that happened.
std::string Windows1252FromUtf8(std::string_view utf8, bool* lossless = nullptr);
bool IsUtf8(std::string_view text);
// The first `characters` characters (code points) of a UTF-8 text.
std::string FirstCharacters(std::string_view utf8, size_t characters);

}  // namespace mf
