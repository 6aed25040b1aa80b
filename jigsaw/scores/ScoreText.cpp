#include "jigsaw/scores/ScoreText.h"

#include <cctype>
#include <cstdio>
#include <limits>

namespace qv {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string trimBlanks(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x < 0x80 && y < 0x80 && std::tolower(x) != std::tolower(y))
            return false;
        if ((x >= 0x80 || y >= 0x80) && x != y)
            return false;
    }
    return true;
}

int32_t leadingInt(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && (isBlank(s[i]) || s[i] == '\r' || s[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    int64_t v = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            v = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int32_t>::max())
        v = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

std::string formatDuration(int32_t ms)
{
    if (ms < 0)
        ms = 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02i:%02i:%02i.%i", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms / 100 % 10);
    return buf;
}

std::optional<int32_t> parseDuration(std::string_view text)
{
    std::string t = trimBlanks(text);
    int64_t parts[3] = {};
    size_t i = 0;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            if (i >= t.size() || t[i] != ':')
                return std::nullopt;
            ++i;
        }
        size_t start = i;
        while (i < t.size() && isDigit(t[i]) && i - start < 9)
            parts[k] = parts[k] * 10 + (t[i++] - '0');
        if (i == start)
            return std::nullopt;
    }
    int64_t ms = parts[0] * 3600000 + parts[1] * 60000 + parts[2] * 1000;
    if (i < t.size() && t[i] == '.') {
        ++i;
        int scale = 100;
        for (; i < t.size() && isDigit(t[i]); ++i, scale /= 10)
            ms += (t[i] - '0') * scale;
    }
    if (i != t.size() || ms > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(ms);
}

std::string formatNumber(int64_t value, char separator)
{
    std::string digits = std::to_string(value < 0 ? -static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (separator && i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

std::optional<int64_t> parseNumber(std::string_view text, char* separator)
{
    std::string t = trimBlanks(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        negative = t[i++] == '-';
    // Digits in groups: the first of one to three digits (any length when
    // ungrouped), then groups of exactly three, each after the same separator.
    int64_t v = 0;
    int digitCount = 0, groupDigits = 0;
    char used = 0;
    for (; i < t.size(); ++i) {
        char c = t[i];
        if (isDigit(c)) {
            if (++digitCount > 18)
                return std::nullopt;
            v = v * 10 + (c - '0');
            ++groupDigits;
            continue;
        }
        bool firstSeparator = used == 0 && groupDigits >= 1 && groupDigits <= 3 && digitCount == groupDigits;
        bool laterSeparator = used != 0 && c == used && groupDigits == 3;
        if (!(firstSeparator || laterSeparator) || c == '-' || c == '+')
            return std::nullopt;
        used = c;
        groupDigits = 0;
    }
    if (digitCount == 0 || (used && groupDigits != 3))
        return std::nullopt;
    if (separator && (used || digitCount >= 4))
        *separator = used;
    return negative ? -v : v;
}

}  // namespace qv

namespace qv {

std::string formatGrid(int columns, int rows, const std::string& piecesWord)
{
    return std::to_string(columns) + " x " + std::to_string(rows) + " (" + std::to_string(columns * rows) + " " +
           piecesWord + ")";
}

}  // namespace qv
