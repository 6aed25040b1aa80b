#include "jigsaw/document/HeaderString.h"

#include <charconv>
#include <limits>

namespace qv {

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

HeaderString::HeaderString(std::string text, std::string separators)
    : m_text(std::move(text)), m_separators(std::move(separators))
{
}

bool HeaderString::isDoubled(size_t pos) const
{
    return pos + 1 < m_text.size() && m_text[pos + 1] == m_text[pos];
}

size_t HeaderString::valueEnd(size_t from) const
{
    size_t i = from;
    while (i < m_text.size()) {
        if (isSeparator(m_text[i])) {
            if (!isDoubled(i))
                return i;
            i += 2;
            continue;
        }
        ++i;
    }
    return m_text.size();
}

bool HeaderString::keyMatchesAt(size_t pos, std::string_view key) const
{
    if (pos + key.size() > m_text.size())
        return false;
    for (size_t k = 0; k < key.size(); ++k) {
        if (lowerAscii(m_text[pos + k]) != lowerAscii(key[k]))
            return false;
    }
    return true;
}

std::optional<std::string> HeaderString::take(std::string_view key)
{
    if (!key.empty() && isSeparator(key.front()))
        key.remove_prefix(1);
    // Walk item starts only: a doubled separator belongs to a value and is
    // stepped over as a pair, so "Rock//NoRotable" stays a title.
    size_t i = 0;
    while (i < m_text.size()) {
        if (!isSeparator(m_text[i])) {
            ++i;
            continue;
        }
        if (isDoubled(i)) {
            i += 2;
            continue;
        }
        if (keyMatchesAt(i + 1, key)) {
            size_t from = i + 1 + key.size();
            size_t end = valueEnd(from);
            std::string raw = m_text.substr(from, end - from);
            m_text.erase(i, end - i);
            std::string value;
            for (size_t k = 0; k < raw.size(); ++k) {
                value += raw[k];
                if (isSeparator(raw[k]) && k + 1 < raw.size() && raw[k + 1] == raw[k])
                    ++k;
            }
            while (!value.empty() && isBlank(value.back()))
                value.pop_back();
            return value;
        }
        ++i;
    }
    return std::nullopt;
}

std::string HeaderString::escape(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        out += c;
        if (c == '/')
            out += c;
    }
    return out;
}

int64_t HeaderString::parseNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (isBlank(text[i]) || text[i] == '\n' || text[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    uint64_t v = 0;
    constexpr uint64_t cap = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    for (; i < text.size(); ++i) {
        char c = text[i];
        int d = (c >= '0' && c <= '9') ? c - '0'
              : (base == 16 && c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (base == 16 && c >= 'A' && c <= 'F') ? c - 'A' + 10
              : -1;
        if (d < 0)
            break;
        v = (v > (cap - d) / base) ? cap : v * base + d;
    }
    return negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
}

double HeaderString::parseReal(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double v = 0;
    auto r = std::from_chars(text.data() + i, text.data() + text.size(), v);
    return r.ec == std::errc() ? v : 0.0;
}

bool HeaderString::parsePair(std::string_view text, char joint, int64_t& first, int64_t& second)
{
    size_t at = text.find(joint);
    if (at == std::string_view::npos)
        return false;
    first = parseNumber(text.substr(0, at));
    second = parseNumber(text.substr(at + 1));
    return true;
}

namespace {
std::string formatFixed(double value, int decimals)
{
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return "0";
    std::string s(buf, r.ptr);
    return s == "-0" ? "0" : s;
}
}  // namespace

std::string HeaderString::formatWhole(double value) { return formatFixed(value, 0); }

std::string HeaderString::formatFixed6(double value) { return formatFixed(value, 6); }

}  // namespace qv
