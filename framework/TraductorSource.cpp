#include "framework/TraductorSource.h"

#include <cstdlib>
#include <map>

namespace fw {

namespace {

// Code points of the bytes 0x80..0x9F; the five bytes Windows-1252 leaves
// free keep their C1 control code so that every byte survives a round trip.
const char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at i; false on a malformed one.
bool nextCodePoint(std::string_view s, size_t& i, char32_t& c)
{
    const unsigned char b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0))
        return false;
    c = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (t & 0x3F);
    }
    i += extra + 1;
    return true;
}

bool toCp1252(char32_t c, char& out)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        out = static_cast<char>(c);
        return true;
    }
    for (int k = 0; k < 32; ++k)
        if (kHigh[k] == c) {
            out = static_cast<char>(0x80 + k);
            return true;
        }
    return false;
}

struct LineReader {
    std::string_view line;
    size_t pos = 0;

    void skipBlanks()
    {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
    }
    bool number(long& out)
    {
        skipBlanks();
        const size_t start = pos;
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t')
            ++pos;
        const std::string word(line.substr(start, pos - start));
        if (word.empty())
            return false;
        char* end = nullptr;
        out = std::strtol(word.c_str(), &end, 0);
        return *end == '\0' && out >= 0 && out <= 0xFFFF;
    }
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Turns the escapes of a text into bytes; the text is still UTF-8 apart from \x bytes,
// which are kept aside so that they are not converted again.
bool unescape(std::string_view in, std::string& out, std::string& why)
{
    std::string utf8;
    auto flush = [&]() {
        auto converted = utf8ToCp1252(utf8);
        if (!converted) {
            why = "the text holds a character that Windows-1252 does not have, or is not UTF-8";
            return false;
        }
        out += *converted;
        utf8.clear();
        return true;
    };
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\' || i + 1 >= in.size()) {
            utf8 += in[i];
            continue;
        }
        const char e = in[++i];
        switch (e) {
        case 'n': utf8 += '\n'; break;
        case 'r': utf8 += '\r'; break;
        case 't': utf8 += '\t'; break;
        case '\\': utf8 += '\\'; break;
        case '"': utf8 += '"'; break;
        case 'x': {
            const int hi = i + 1 < in.size() ? hexDigit(in[i + 1]) : -1;
            const int lo = i + 2 < in.size() ? hexDigit(in[i + 2]) : -1;
            if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) {
                why = "\\x needs two hexadecimal digits other than 00";
                return false;
            }
            if (!flush())
                return false;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            why = std::string("unknown escape \\") + e;
            return false;
        }
    }
    return flush();
}

bool parseText(std::string_view rest, std::string& text, std::string& why)
{
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r'))
        rest.remove_suffix(1);
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        rest = rest.substr(1, rest.size() - 2);
    if (rest.empty()) {
        why = "the entry has no text";
        return false;
    }
    return unescape(rest, text, why);
}

}  // namespace

std::optional<std::string> utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        char b = 0;
        if (!nextCodePoint(utf8, i, c) || !toCp1252(c, b) || b == '\0')
            return std::nullopt;
        out += b;
    }
    return out;
}

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char32_t(b));
    }
    return out;
}

DixSource parseDixSource(const std::string& text, const std::string& name)
{
    DixSource src;
    std::map<int32_t, int> keyLines;
    int lineNo = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        LineReader r{std::string_view(text).substr(start, end - start)};
        start = end + 1;
        ++lineNo;
        auto error = [&](const std::string& what) {
            src.errors.push_back(name + ":" + std::to_string(lineNo) + ": " + what);
        };
        r.skipBlanks();
        if (r.pos >= r.line.size() || r.line[r.pos] == '#' || r.line[r.pos] == '\r')
            continue;
        long kind = 0, id = 0, variant = 0, context = 0;
        if (!r.number(kind) || !r.number(id) || !r.number(variant) || !r.number(context)) {
            error("expected four numbers 0..65535 (kind, id, variant, context) before the text");
            continue;
        }
        r.skipBlanks();
        DixEntry e{uint16_t(kind), uint16_t(id), uint16_t(variant), uint16_t(context), {}};
        std::string why;
        if (!parseText(r.line.substr(r.pos), e.text, why)) {
            error(why);
            continue;
        }
        const int32_t key = dixKey(e.kind, e.id, e.variant, e.context);
        auto [it, fresh] = keyLines.emplace(key, lineNo);
        if (!fresh) {
            error("the same key as line " + std::to_string(it->second));
            continue;
        }
        src.entries.push_back(std::move(e));
    }
    return src;
}

}  // namespace fw
