#include "jigsaw/shell/SharedCut.h"

#include <array>
#include <cstdio>
#include <vector>

#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

constexpr size_t kMaxText = 4096;  // far beyond any title; bounds what a paste can make us read
constexpr int kFields = 9;         // title ... id, then the check sum
constexpr uint16_t kNoRotable = 0x0020, kNoDeform = 0x0100;

std::string_view trimmed(std::string_view s)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool keptAsIs(unsigned char c)
{
    return c > ' ' && c < 0x7F && c != '%' && c != ';' && c != '+' && c != '{' && c != '}';
}

constexpr char kHex[] = "0123456789ABCDEF";

std::string escapeTitle(std::string_view title)
{
    std::string out;
    for (char ch : title) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ') {
            out += '+';
        } else if (keptAsIs(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> unescapeTitle(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%') {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int hi = hexDigit(text[i + 1]), lo = hexDigit(text[i + 2]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// Decimal digits only, at most ten of them.
std::optional<uint64_t> number(std::string_view s, uint64_t least, uint64_t most)
{
    if (s.empty() || s.size() > 10)
        return std::nullopt;
    uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v < least || v > most)
        return std::nullopt;
    return v;
}

std::optional<std::pair<uint64_t, uint64_t>> pair(std::string_view s, uint64_t most)
{
    const size_t x = s.find('x');
    if (x == std::string_view::npos)
        return std::nullopt;
    auto a = number(s.substr(0, x), 1, most), b = number(s.substr(x + 1), 1, most);
    if (!a || !b)
        return std::nullopt;
    return std::make_pair(*a, *b);
}

std::optional<PuzzleId> puzzleId(std::string_view s)
{
    PuzzleId id;
    for (int k = 0; k < 4; ++k) {
        const size_t dash = k < 3 ? s.find('-') : s.size();
        if (dash == std::string_view::npos || dash == 0 || dash > 8)
            return std::nullopt;
        uint32_t word = 0;
        for (char c : s.substr(0, dash)) {
            const int d = hexDigit(c);
            if (d < 0)
                return std::nullopt;
            word = word * 16 + static_cast<uint32_t>(d);
        }
        id.words[static_cast<size_t>(k)] = word;
        s.remove_prefix(k < 3 ? dash + 1 : dash);
    }
    if (id.isZero())
        return std::nullopt;
    return id;
}

std::string checkText(uint32_t crc)
{
    char buf[12];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(crc));
    return buf;
}

std::string optionsText(uint16_t options)
{
    std::string s;
    if (options & kNoRotable)
        s += 'R';
    if (options & kNoDeform)
        s += 'M';
    return s.empty() ? "-" : s;
}

std::optional<uint16_t> options(std::string_view s)
{
    if (s == "-")
        return uint16_t{0};
    if (s == "R")
        return kNoRotable;
    if (s == "M")
        return kNoDeform;
    if (s == "RM")
        return static_cast<uint16_t>(kNoRotable | kNoDeform);
    return std::nullopt;
}

std::vector<std::string_view> split(std::string_view s, char by)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = s.find(by);
        parts.push_back(s.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        s.remove_prefix(at + 1);
    }
}

// Everything but the check sum, which follows it after a ';'.
std::string body(const SharedCut& cut)
{
    const CutRecipe& r = cut.recipe;
    std::string s(SharedCut::Prefix);
    s += std::to_string(SharedCut::Format) + ":";
    s += escapeTitle(cut.title) + ";";
    s += std::to_string(r.level) + ";";
    s += std::to_string(r.columns) + "x" + std::to_string(r.rows) + ";";
    s += std::to_string(r.picture.x) + "x" + std::to_string(r.picture.y) + ";";
    s += optionsText(r.options) + ";";
    s += std::to_string(r.version) + ";";
    s += std::to_string(r.seed) + ";";
    s += cut.id.ToText() + ";";
    return s;
}

SharedCut::Decoded fault(SharedCut::Fault f) { return {std::nullopt, f}; }

}  // namespace

uint32_t Crc32(std::string_view bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (char ch : bytes) {
        crc ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

SharedCut SharedCut::FromGame(const Puz& puz, const PuzzleId& id)
{
    SharedCut cut;
    cut.title = puz.title();
    cut.id = id;
    CutRecipe& r = cut.recipe;
    r.level = puz.sizeIndex;
    r.rows = static_cast<int16_t>(puz.gridRows());
    r.columns = static_cast<int16_t>(puz.gridColumns());
    r.options = puz.options & CutRecipe::CutOptions;
    r.picture = {puz.pictureRect.w, puz.pictureRect.h};
    r.version = puz.cuttingVersion;
    r.seed = puz.cuttingSeed;
    r.mark = checkText(Crc32(body(cut)));
    return cut;
}

std::string SharedCut::Encode() const
{
    std::string s = body(*this);
    return s + checkText(Crc32(s));
}

bool SharedCut::LooksShared(std::string_view text) { return trimmed(text).substr(0, Prefix.size()) == Prefix; }

SharedCut::Decoded SharedCut::Decode(std::string_view raw)
{
    const std::string_view text = trimmed(raw);
    if (text.substr(0, Prefix.size()) != Prefix)
        return fault(Fault::NotShared);
    if (text.size() > kMaxText)
        return fault(Fault::Malformed);
    // The check sum first: a damaged text is told as such, whatever part the
    // damage fell on.
    const size_t last = text.rfind(';');
    if (last == std::string_view::npos || text.size() - last - 1 != 8)
        return fault(Fault::Malformed);
    if (text.substr(last + 1) != checkText(Crc32(text.substr(0, last + 1))))
        return fault(Fault::Checksum);

    const size_t colon = text.find(':');
    const std::optional<uint64_t> format =
        colon == std::string_view::npos ? std::nullopt
                                        : number(text.substr(Prefix.size(), colon - Prefix.size()), 1, 9999999999u);
    if (!format)
        return fault(Fault::Malformed);
    if (*format != static_cast<uint64_t>(Format))
        return fault(Fault::NewerFormat);

    const std::vector<std::string_view> f = split(text.substr(colon + 1), ';');
    if (f.size() != static_cast<size_t>(kFields))
        return fault(Fault::Malformed);
    SharedCut cut;
    const auto title = unescapeTitle(f[0]);
    const auto level = number(f[1], 0, Puz::CustomSize);
    const auto grid = pair(f[2], Puz::MaxPieces);
    const auto picture = pair(f[3], 32767);
    const auto opts = options(f[4]);
    const auto version = number(f[5], 0, 32767);
    const auto seed = number(f[6], 1, 0xFFFFFFFFu);
    const auto id = puzzleId(f[7]);
    if (!title || !level || !grid || !picture || !opts || !version || !seed || !id ||
        grid->first * grid->second > static_cast<uint64_t>(Puz::MaxPieces))
        return fault(Fault::Malformed);
    cut.title = *title;
    cut.id = *id;
    CutRecipe& r = cut.recipe;
    r.level = static_cast<int8_t>(*level);
    r.columns = static_cast<int16_t>(grid->first);
    r.rows = static_cast<int16_t>(grid->second);
    r.picture = {static_cast<int16_t>(picture->first), static_cast<int16_t>(picture->second)};
    r.options = *opts;
    r.version = static_cast<int16_t>(*version);
    r.seed = static_cast<uint32_t>(*seed);
    r.mark = std::string(text.substr(last + 1));
    // One spelling only: leading zeros, lower-case digits or a needless
    // escape would be another text for the same cut.
    if (cut.Encode() != text)
        return fault(Fault::Malformed);
    return {std::move(cut), Fault::None};
}

const char* SharedCut::FaultName(Fault f)
{
    switch (f) {
    case Fault::None: return "none";
    case Fault::NotShared: return "not a shared cut";
    case Fault::NewerFormat: return "a newer format";
    case Fault::Malformed: return "a part is missing or malformed";
    case Fault::Checksum: return "the check sum does not match";
    }
    return "?";
}

}  // namespace qv
