#include "minefield/Windows1252.h"

#include <cstdint>

namespace mf {

namespace {

// 0x80..0x9F; 0 marks the bytes without a character of their own.
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CharacterOf(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0 && kHigh[byte - 0x80] != 0)
        return kHigh[byte - 0x80];
    return byte;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Reads one character at `pos` and moves past it; a broken sequence reads as
// one invalid character (0xFFFFFFFF) one byte long.
char32_t NextCharacter(std::string_view s, size_t& pos)
{
    constexpr char32_t invalid = 0xFFFFFFFF;
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80)
        return lead;
    int more = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        more = 1, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        more = 2, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        more = 3, c = lead & 0x07, least = 0x10000;
    } else {
        return invalid;
    }
    size_t p = pos;
    for (int i = 0; i < more; ++i, ++p) {
        if (p >= s.size() || (static_cast<unsigned char>(s[p]) & 0xC0) != 0x80)
            return invalid;
        c = (c << 6) | (static_cast<unsigned char>(s[p]) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
        return invalid;
    pos = p;
    return c;
}

int ByteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c < 0x100))
        return int(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c || (kHigh[i] == 0 && c == char32_t(0x80 + i)))
            return 0x80 + i;
    return -1;
}

}  // namespace

std::string Utf8FromWindows1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes)
        AppendUtf8(out, CharacterOf(static_cast<unsigned char>(b)));
    return out;
}

std::string Windows1252FromUtf8(std::string_view utf8, bool* lossless)
{
    std::string out;
    bool whole = true;
    for (size_t pos = 0; pos < utf8.size();) {
        const int byte = ByteOf(NextCharacter(utf8, pos));
        whole = whole && byte >= 0;
        out += byte >= 0 ? char(byte) : '?';
    }
    if (lossless)
        *lossless = whole;
    return out;
}

bool IsUtf8(std::string_view text)
{
    for (size_t pos = 0; pos < text.size();)
        if (NextCharacter(text, pos) == 0xFFFFFFFF)
            return false;
    return true;
}

std::string FirstCharacters(std::string_view utf8, size_t characters)
{
    size_t pos = 0;
    for (size_t n = 0; n < characters && pos < utf8.size(); ++n)
        NextCharacter(utf8, pos);
    return std::string(utf8.substr(0, pos));
}

}  // namespace mf
