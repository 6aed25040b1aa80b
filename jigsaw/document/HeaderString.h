#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The option header of puzzle and saved-game files: items made of a
// separator, a key and, for valued keys, the value right after the key
// ("/Tit:Castle/Rndn:12/NoRotable"). Inside a value a doubled separator
// stands for one separator character.
//
// Lookups consume: take() removes the item it finds, so a key that occurs
// twice is found twice, in order. Keys match by prefix and without regard
// to the case of ASCII letters ("NoPreview" finds "/Nopreview").
class HeaderString {
public:
    // The document reads with the separator set "/"; the library reader of
    // a puzzle file's entry with "/-".
    explicit HeaderString(std::string text, std::string separators = "/");

    // The value of the first item with this key (trailing blanks trimmed,
    // doubled separators undoubled), removing the item; nullopt when absent.
    std::optional<std::string> take(std::string_view key);
    // Presence of a flag key, removing it.
    bool takeFlag(std::string_view key) { return take(key).has_value(); }

    // What is left after the lookups so far.
    const std::string& text() const { return m_text; }

    // A text value as it must be written: every "/" doubled, so that no text
    // can end its item early or pose as a key.
    static std::string escape(std::string_view value);

    // Header numbers: "0x" starts base 16, anything else is base 10, with an
    // optional sign; reading stops at the first character that is no digit.
    // Values beyond 64 bits saturate.
    static int64_t parseNumber(std::string_view text);
    static double parseReal(std::string_view text);
    // Two numbers joined by a character ("640x480", "12,7", "10#12").
    static bool parsePair(std::string_view text, char joint, int64_t& first, int64_t& second);
    // "%.0f" and "%lf" without depending on the process locale.
    static std::string formatWhole(double value);
    static std::string formatFixed6(double value);

private:
    bool isSeparator(char c) const { return m_separators.find(c) != std::string::npos; }
    bool isDoubled(size_t pos) const;
    size_t valueEnd(size_t from) const;
    bool keyMatchesAt(size_t pos, std::string_view key) const;

    std::string m_text;
    std::string m_separators;
};

}  // namespace qv
