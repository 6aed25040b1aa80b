#include "framework/Credits.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace fw {

namespace {

bool startsWith(const std::string& s, size_t at, const char* prefix)
{
    return s.compare(at, std::strlen(prefix), prefix) == 0;
}

// Reads a decimal number at pos (after blanks), moving pos past it.
int readNumber(const std::string& s, size_t& pos)
{
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
        ++pos;
    bool negative = pos < s.size() && s[pos] == '-';
    if (negative)
        ++pos;
    long v = 0;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) {
        v = std::min(v * 10 + (s[pos] - '0'), 1000000L);
        ++pos;
    }
    return static_cast<int>(negative ? -v : v);
}

void skipChar(const std::string& s, size_t& pos, char c)
{
    if (pos < s.size() && s[pos] == c)
        ++pos;
}

size_t findAny(const std::string& s, size_t from, const char* set)
{
    size_t p = s.find_first_of(set, from);
    return p == std::string::npos ? s.size() : p;
}

bool equalsNoCase(const std::string& a, const char* b)
{
    size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

size_t parseDirective(const std::string& s, size_t pos, CreditsDoc& doc)
{
    size_t nameEnd = findAny(s, pos, "=:,");
    std::string name = s.substr(pos, nameEnd - pos);
    if (name.compare(0, 3, "fnt") == 0 && nameEnd < s.size()) {
        size_t p = nameEnd + 1;
        size_t faceEnd = findAny(s, p, ",\\{");
        CreditsFont font;
        font.face = s.substr(p, faceEnd - p);
        p = faceEnd;
        if (p < s.size() && s[p] == ',') {
            ++p;
            font.size = readNumber(s, p);
            if (p < s.size() && s[p] == ',') {
                ++p;
                size_t wordEnd = p;
                while (wordEnd < s.size() && std::isalpha(static_cast<unsigned char>(s[wordEnd])))
                    ++wordEnd;
                if (equalsNoCase(s.substr(p, wordEnd - p), "BOLD")) {
                    font.bold = true;
                    p = wordEnd;
                }
            }
        }
        doc.fonts.push_back(font);
        return p;
    }
    if (name == "snd" && nameEnd < s.size()) {
        size_t p = nameEnd + 1;
        size_t end = findAny(s, p, ",\\{ ");
        doc.sound = s.substr(p, end - p);
        return end;
    }
    if (name == "timerres" && nameEnd < s.size()) {
        size_t p = nameEnd + 1;
        doc.timerRes = readNumber(s, p);
        return p;
    }
    if (name == "bkclr" && nameEnd < s.size()) {
        size_t p = nameEnd + 1;
        int r = readNumber(s, p);
        skipChar(s, p, ',');
        int g = readNumber(s, p);
        skipChar(s, p, ',');
        int b = readNumber(s, p);
        doc.background = static_cast<uint32_t>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
        return p;
    }
    // Unknown directive: its value is skipped like any text between items.
    return nameEnd;
}

size_t parseItem(const std::string& s, size_t pos, CreditsDoc& doc)
{
    CreditsItem item;
    size_t close = s.find('}', pos);
    size_t end = close == std::string::npos ? s.size() : close;
    auto numbered = [&](const char* prefix, CreditsItem::Kind kind) {
        if (!startsWith(s, pos, prefix))
            return false;
        size_t p = pos + std::strlen(prefix);
        item.kind = kind;
        item.number = readNumber(s, p);
        return true;
    };
    if (numbered("@icon2:", CreditsItem::Kind::Icon2) || numbered("@icon:", CreditsItem::Kind::Icon) ||
        numbered("@bmp:", CreditsItem::Kind::Picture)) {
        doc.items.push_back(item);
        return end < s.size() ? end + 1 : end;
    }
    size_t p = pos;
    if (startsWith(s, p, "RGB=")) {
        p += 4;
        int r = readNumber(s, p);
        skipChar(s, p, ',');
        int g = readNumber(s, p);
        skipChar(s, p, ',');
        int b = readNumber(s, p);
        item.colour = static_cast<uint32_t>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
    }
    while (p < end && s[p] == ' ')
        ++p;
    // "fnt=" follows the colour after a blank or after a comma.
    size_t font = p;
    if (font < end && s[font] == ',') {
        ++font;
        while (font < end && s[font] == ' ')
            ++font;
    }
    if (startsWith(s, font, "fnt=")) {
        p = font + 4;
        int n = readNumber(s, p);
        item.font = n >= 1 && n <= static_cast<int>(doc.fonts.size()) ? n - 1 : -1;
        skipChar(s, p, ' ');
    }
    item.text = s.substr(std::min(p, end), end - std::min(p, end));
    // Line breaks may be written "\r\n"; the roll breaks at '\n' only.
    item.text.erase(std::remove(item.text.begin(), item.text.end(), '\r'), item.text.end());
    doc.items.push_back(item);
    return end < s.size() ? end + 1 : end;
}

}  // namespace

CreditsDoc parseCredits(const std::string& text)
{
    CreditsDoc doc;
    size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        if (c == '\\')
            pos = parseDirective(text, pos + 1, doc);
        else if (c == '{')
            pos = parseItem(text, pos + 1, doc);
        else
            ++pos;
    }
    return doc;
}

int layoutCredits(CreditsDoc& doc, const CreditsMeasure& measure)
{
    int widest = 0;
    for (auto& item : doc.items) {
        switch (item.kind) {
        case CreditsItem::Kind::Text: {
            const CreditsFont* font = item.font >= 0 ? &doc.fonts[item.font] : nullptr;
            if (measure.text)
                measure.text(item, font, item.width, item.height);
            widest = std::max(widest, item.width);
            break;
        }
        case CreditsItem::Kind::Icon:
        case CreditsItem::Kind::Icon2:
            item.width = item.height = 32;
            widest = std::max(widest, 96);
            break;
        case CreditsItem::Kind::Picture:
            if (measure.picture)
                measure.picture(item.number, item.width, item.height);
            widest = std::max(widest, item.width + 16);
            break;
        }
    }
    return std::max(widest + 38, 360);
}

int creditsTotalHeight(const CreditsDoc& doc)
{
    int total = 0;
    for (const auto& item : doc.items)
        total += item.height + CreditsItemGap;
    return total;
}

void CreditsScroll::step(int pixels)
{
    m_y -= pixels;
    if (m_y < -m_total) {
        ++m_rounds;
        m_y = static_cast<int>(1.5 * m_windowHeight);
    }
}

}  // namespace fw
