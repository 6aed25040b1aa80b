#include "jigsaw/document/PuzHeader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "jigsaw/document/HeaderString.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

struct FlagKey {
    const char* read;
    const char* written;  // nullptr = read only
    uint16_t bit;
};
// Reading order and writing order are the same.
constexpr FlagKey kFlags[] = {
    {"NoRotable", "/NoRotable", Puz::NoRotable}, {"NoHelp", "/NoHelp", Puz::NoHelp},
    {"NoDeform", "/NoDeform", Puz::NoDeform},     {"NoPreview", "/Nopreview", Puz::NoPreview},
    {"ImgFull", "/ImgFull", Puz::ImgFull},        {"ScatterFull", nullptr, Puz::ScatterFull},
};

constexpr char kBoxNameSeparator = '\x07';

int16_t i16(int64_t v) { return static_cast<int16_t>(v); }

std::string number(int64_t v) { return std::to_string(v); }

bool containsNoCase(const std::string& text, const std::string& word)
{
    auto it = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it != text.end();
}

// A size read in full width: a value past 16 bits must not wrap into a small
// one and pass the check it is read for.
bool readSize(HeaderString& h, const char* key, char joint, int64_t& a, int64_t& b)
{
    auto v = h.take(key);
    return v && HeaderString::parsePair(*v, joint, a, b);
}

int16_t clamped16(int64_t v) { return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX)); }

bool readPoint(HeaderString& h, const char* key, char joint, Point16& p)
{
    auto v = h.take(key);
    int64_t a = 0, b = 0;
    if (!v || !HeaderString::parsePair(*v, joint, a, b))
        return false;
    p = {i16(a), i16(b)};
    return true;
}

std::string point(const Point16& p, char joint) { return number(p.x) + joint + number(p.y); }

// The texture reference goes into the header with "%" escapes for "%", the
// separators of both header readers ("/" and the library's "-"), blanks
// (the reader trims them) and control bytes, so no file name can end the item early or pose as another key.
std::string escapeTexture(const std::string& text)
{
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '%' || c == '/' || c == '-' || b <= 0x20) {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        } else {
            out += c;
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
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A "%" not followed by two hex digits stays as it is.
std::string unescapeTexture(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 && hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Longer texture references are not kept: the whole header must stay a
// stored text of at most 65535 bytes.
constexpr size_t kMaxTexture = 1024;

}  // namespace

fw::Status PuzHeader::parse(Puz& puz, const std::string& text, bool saved)
{
    HeaderString h(text);
    parseCommon(puz, h, saved);
    parseSizes(puz, h);
    return saved ? parseSaved(puz, h) : parsePuzzle(puz, h);
}

void PuzHeader::parseCommon(Puz& puz, HeaderString& h, bool saved)
{
    if (auto v = h.take("F:"))
        puz.pictureSource = *v;
    if (auto v = h.take("F16:"))
        puz.picture16Path = *v;
    if (auto v = h.take("FP:"))
        puz.puzzlePath = *v;
    if (auto v = h.take("Tmb:"))
        puz.thumbnailPath = *v;
    if (auto v = h.take("BkClr:")) {
        size_t bracket = v->find('[');
        puz.background = v->substr(0, bracket);
        // Blanks before the colour would end the value once it is written
        // back without one, and be dropped there: drop them here already.
        while (!puz.background.empty() && (puz.background.back() == ' ' || puz.background.back() == '\t'))
            puz.background.pop_back();
        if (bracket != std::string::npos)
            puz.backgroundColour = static_cast<uint32_t>(HeaderString::parseNumber(v->substr(bracket + 1)));
    }
    parseTexture(puz, h);
    if (auto v = h.take("(c):"))
        puz.rights = *v;
    if (auto v = h.take("Rndn:")) {
        // Written with "%li" of a 32-bit long, so large seeds come back negative.
        uint32_t seed = static_cast<uint32_t>(HeaderString::parseNumber(*v));
        (saved ? puz.cuttingSeed : puz.puzzleSeed) = seed;
    }
    for (const auto& f : kFlags) {
        if (h.takeFlag(f.read))
            puz.options |= f.bit;
    }
    h.takeFlag("NoReduceImg");
    if (auto v = h.take("Tit:"); v && !saved)
        puz.entry.title = *v;
}

void PuzHeader::parseSizes(Puz& puz, HeaderString& h)
{
    static const char* const kMed[] = {"Med0:", "Med1:", "Med2:", "Med3:", "Med4:"};
    if (!(puz.edit & (Puz::Making | Puz::Editing))) {
        for (const char* key : kMed)
            h.take(key);
        return;
    }
    for (int k = 0; k < 5; ++k) {
        puz.rows[k] = puz.columns[k] = 0;
        int64_t r = 0, c = 0;
        if (auto v = h.take(kMed[k]); v && HeaderString::parsePair(*v, '#', r, c)) {
            puz.rows[k] = i16(r);
            puz.columns[k] = i16(c);
        }
    }
    if (auto v = h.take("Meds:")) {
        size_t start = 0;
        for (int k = 0; k < 5 && start <= v->size(); ++k) {
            size_t comma = v->find(',', start);
            puz.rows[k] = i16(HeaderString::parseNumber(v->substr(start, comma - start)));
            puz.columns[k] = 1;
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    auto want = h.take("WantPgmVersion:");
    puz.requiredVersion = want ? i16(HeaderString::parseNumber(*want)) : Entry::DefaultRequired;
}

fw::Status PuzHeader::parseSaved(Puz& puz, HeaderString& h)
{
    auto vers = h.take("Vers:");
    puz.programVersion = vers ? i16(HeaderString::parseNumber(*vers)) : Entry::DefaultRequired;
    auto cutVers = h.take("VersMakePieza:");
    puz.cuttingVersion = cutVers ? i16(HeaderString::parseNumber(*cutVers)) : 0;
    int64_t frameW = 0, frameH = 0;
    const bool hasFrame = readSize(h, "SZW:", 'x', frameW, frameH);
    if (hasFrame)
        puz.savedFrame = {clamped16(frameW), clamped16(frameH)};
    if (auto v = h.take("FactorImgSav:"))
        puz.pictureScale = static_cast<float>(HeaderString::parseReal(*v));
    parsePictureSize(puz, h);
    readPoint(h, "ScorePos:", ',', puz.scorePos);
    readPoint(h, "bmphalf:", ',', puz.viewOrigin);
    auto travel = h.take("mmsrun:");
    puz.mouseTravel = travel ? HeaderString::parseReal(*travel) : -1.0;
    parseBoxes(puz, h);
    if (auto v = h.take("dateStart:"))
        puz.dateStart = static_cast<uint32_t>(HeaderString::parseNumber(*v));
    if (auto v = h.take("dateEnd:"))
        puz.dateEnd = static_cast<uint32_t>(HeaderString::parseNumber(*v));
    Point16 preview;
    if (readPoint(h, "wmuestra:", ',', preview))
        puz.previewPos = preview;
    parseGameOptions(puz, h);
    parseBoxWindows(puz, h);
    parseSharedCut(puz, h);
    parseZoom(puz, h);
    if (!hasFrame)
        return {};
    Point16 frame = puz.user().playFrameSize();
    if (frameW > frame.x || frameH > frame.y) {
        if (!puz.user().confirmLargerFrame(puz, puz.savedFrame))
            return fw::Status(fw::msg::Cancelled);
        puz.state |= Puz::BringIntoView;
    }
    return {};
}

void PuzHeader::parseBoxes(Puz& puz, HeaderString& h)
{
    const size_t count = puz.boxes.size();
    if (auto v = h.take("boxnm:")) {
        // index, name, index, name ... separated by 0x07
        std::vector<std::string> parts;
        size_t start = 0;
        for (;;) {
            size_t end = v->find(kBoxNameSeparator, start);
            parts.push_back(v->substr(start, end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        for (size_t k = 0; k + 1 < parts.size(); k += 2) {
            int64_t index = HeaderString::parseNumber(parts[k]);
            if (index >= 0 && static_cast<size_t>(index) < count)
                puz.boxes[index].name = parts[k + 1];
        }
    }
    if (auto v = h.take("clr2box:")) {
        size_t start = 0;
        for (size_t k = 0; k < count && start <= v->size(); ++k) {
            size_t comma = v->find(',', start);
            std::string item = v->substr(start, comma - start);
            puz.boxes[k].colour = item.empty() ? Box::NoColour : static_cast<uint32_t>(HeaderString::parseNumber(item));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    if (auto v = h.take("BoxFlags:")) {
        size_t pairs = v->size() / 2;
        for (size_t k = 0; k < pairs && k < count; ++k)
            puz.boxes[k].flags = static_cast<uint8_t>(HeaderString::parseNumber("0x" + v->substr(2 * k, 2)));
    }
}

fw::Status PuzHeader::parsePuzzle(Puz& puz, HeaderString& h)
{
    int64_t leastW = 0, leastH = 0;
    if (readSize(h, "MinRes:", 'x', leastW, leastH)) {
        Point16 screen = puz.user().screenSize();
        if (screen.x < leastW || screen.y < leastH)
            return fw::Status(msg::ScreenTooSmall, std::to_string(leastW) + "x" + std::to_string(leastH));
    }
    if (h.takeFlag("nocustom"))
        puz.sizeFlags |= Puz::NoCustomSize;
    return {};
}

std::string PuzHeader::build(const Puz& puz, bool saved)
{
    std::string out;
    if (saved) {
        out += "/Rndn:" + number(static_cast<int32_t>(puz.cuttingSeed));
    } else {
        if (puz.edit & (Puz::Making | Puz::Editing)) {
            for (int k = 0; k < 5; ++k) {
                if (puz.rows[k] != 0)
                    out += "/Med" + number(k) + ":" + number(puz.rows[k]) + "#" + number(puz.columns[k]);
            }
        }
        if (!puz.rights.empty())
            out += "/(c):" + HeaderString::escape(puz.rights);
        out += "/Rndn:" + number(static_cast<int32_t>(puz.puzzleSeed));
    }
    buildCommon(puz, out);
    if (saved)
        buildSaved(puz, out);
    else if (puz.sizeFlags & Puz::NoCustomSize)
        out += "/NoCustom";
    return out;
}

void PuzHeader::buildCommon(const Puz& puz, std::string& out)
{
    out += "/BkClr:" + HeaderString::escape(puz.background);
    if (puz.backgroundColour != 0xFFFFFFFF) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "[0x%X", static_cast<unsigned>(puz.backgroundColour));
        out += buf;
    }
    buildTexture(puz, out);
    out += "/Tit:" + HeaderString::escape(puz.entry.title);
    for (const auto& f : kFlags) {
        if (f.written && (puz.options & f.bit))
            out += f.written;
    }
}

void PuzHeader::buildSaved(const Puz& puz, std::string& out)
{
    out += "/Vers:" + number(Puz::SavingVersion);
    out += "/VersMakePieza:" + number(puz.cuttingVersion);
    out += "/SZW:" + point(puz.savedFrame, 'x');
    if (puz.pictureScale != 1.0f)
        out += "/FactorImgSav:" + HeaderString::formatFixed6(puz.pictureScale);
    buildPictureSize(puz, out);
    out += "/ScorePos:" + point(puz.scorePos, ',');
    out += "/bmphalf:" + point(puz.viewOrigin, ',');
    out += "/mmsrun:" + HeaderString::formatWhole(puz.mouseTravel);
    buildBoxes(puz, out);
    if (puz.dateStart)
        out += "/dateStart:" + number(puz.dateStart);
    if (puz.dateEnd)
        out += "/dateEnd:" + number(puz.dateEnd);
    if (puz.previewPos)
        out += "/wmuestra:" + point(*puz.previewPos, ',');
    if (puz.gameOptions)
        out += "/Options:" + number(*puz.gameOptions);
    buildBoxWindows(puz, out);
    if (isCutMark(puz.sharedCut))
        out += "/QvCut:" + puz.sharedCut;
    buildZoom(puz, out);
}

void PuzHeader::buildBoxes(const Puz& puz, std::string& out)
{
    bool anyName = false, anyColour = false;
    for (const auto& b : puz.boxes) {
        anyName = anyName || !b.name.empty();
        anyColour = anyColour || b.colour != Box::NoColour;
    }
    if (anyName) {
        std::string list;
        for (size_t k = 0; k < puz.boxes.size(); ++k) {
            if (puz.boxes[k].name.empty())
                continue;
            std::string name = puz.boxes[k].name;
            for (char& c : name) {
                if (c == kBoxNameSeparator)
                    c = ' ';  // would split the list
            }
            if (!list.empty())
                list += kBoxNameSeparator;
            list += number(static_cast<int64_t>(k)) + kBoxNameSeparator + HeaderString::escape(name);
        }
        out += "/boxnm:" + list;
    }
    if (anyColour) {
        out += "/clr2box:";
        for (size_t k = 0; k < puz.boxes.size(); ++k) {
            if (k)
                out += ',';
            if (puz.boxes[k].colour != Box::NoColour)
                out += number(puz.boxes[k].colour);
        }
    }
    out += "/BoxFlags:";
    for (const auto& b : puz.boxes) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(b.flags));
        out += buf;
    }
}

// "Options:" holds a number or the words of the options.
void PuzHeader::parseGameOptions(Puz& puz, HeaderString& h)
{
    auto v = h.take("Options:");
    if (!v)
        return;
    static const struct {
        const char* word;
        uint32_t bit;
    } kWords[] = {{"Competition", 0x01}, {"AutoSave", 0x02}, {"HideBoxes", 0x08}, {"HideScore", 0x10}};
    if (!v->empty() && (std::isdigit(static_cast<unsigned char>((*v)[0])) || (*v)[0] == '-')) {
        puz.gameOptions = static_cast<uint32_t>(HeaderString::parseNumber(*v));
        return;
    }
    uint32_t bits = 0;
    for (const auto& w : kWords) {
        if (containsNoCase(*v, w.word))
            bits |= w.bit;
    }
    puz.gameOptions = bits;
}

// Our own key: per box "x,y,w,h,ix,iy" of its open window and closed icon,
// boxes separated by ";". Readers that do not know the key skip it.
void PuzHeader::parseBoxWindows(Puz& puz, HeaderString& h)
{
    auto v = h.take("QvBoxWin:");
    if (!v)
        return;
    size_t start = 0;
    for (size_t k = 0; k < puz.boxes.size() && start < v->size(); ++k) {
        size_t end = v->find(';', start);
        std::string item = v->substr(start, end == std::string::npos ? std::string::npos : end - start);
        int64_t n[6] = {};
        int got = 0;
        size_t pos = 0;
        while (got < 6 && pos <= item.size()) {
            size_t comma = item.find(',', pos);
            n[got++] = HeaderString::parseNumber(item.substr(pos, comma == std::string::npos ? std::string::npos
                                                                                                 : comma - pos));
            if (comma == std::string::npos)
                break;
            pos = comma + 1;
        }
        if (got == 6 && n[2] > 0 && n[3] > 0 && n[2] < 32768 && n[3] < 32768) {
            puz.boxPlaces.resize(puz.boxes.size());
            BoxPlace& b = puz.boxPlaces[k];
            b.window = {i16(n[0]), i16(n[1]), i16(n[2]), i16(n[3])};
            b.icon = {i16(n[4]), i16(n[5])};
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

void PuzHeader::buildBoxWindows(const Puz& puz, std::string& out)
{
    bool any = false;
    for (const auto& b : puz.boxPlaces)
        any = any || b.window.w > 0;
    if (!any || puz.boxPlaces.size() != puz.boxes.size())
        return;
    std::string list;
    for (size_t k = 0; k < puz.boxPlaces.size(); ++k) {
        const BoxPlace& b = puz.boxPlaces[k];
        if (k)
            list += ';';
        list += number(b.window.x) + "," + number(b.window.y) + "," + number(b.window.w) + "," +
                number(b.window.h) + "," + number(b.icon.x) + "," + number(b.icon.y);
    }
    out += "/QvBoxWin:" + list;
}

}  // namespace qv

namespace qv {

// Our own key beside "FactorImgSav:": "QvPicSz:" the picture rectangle's
// width "x" height, "," and the full picture's width "x" height. A value
// that no single factor could have given is damaged and not kept.
void PuzHeader::parsePictureSize(Puz& puz, HeaderString& h)
{
    auto v = h.take("QvPicSz:");
    if (!v)
        return;
    const size_t comma = v->find(',');
    int64_t w = 0, hh = 0, fullW = 0, fullH = 0;
    if (comma == std::string::npos || !HeaderString::parsePair(v->substr(0, comma), 'x', w, hh) ||
        !HeaderString::parsePair(v->substr(comma + 1), 'x', fullW, fullH))
        return;
    const bool sizes = w > 0 && hh > 0 && w <= fullW && hh <= fullH && fullW <= 32767 && fullH <= 32767;
    // Some f has trunc(fullW * f) = w and trunc(fullH * f) = hh: the ranges
    // [w / fullW, (w + 1) / fullW) and [hh / fullH, (hh + 1) / fullH) overlap.
    if (!sizes || w * fullH >= (hh + 1) * fullW || hh * fullW >= (w + 1) * fullH)
        return;
    puz.savedPictureSize = {i16(w), i16(hh)};
    puz.savedPictureFull = {i16(fullW), i16(fullH)};
}

void PuzHeader::buildPictureSize(const Puz& puz, std::string& out)
{
    const Rect16& r = puz.pictureRect;
    if (r.w <= 0 || r.h <= 0 || puz.pictureFull.x < r.w || puz.pictureFull.y < r.h)
        return;
    out += "/QvPicSz:" + number(r.w) + "x" + number(r.h) + "," + number(puz.pictureFull.x) + "x" +
           number(puz.pictureFull.y);
}

// Our own key beside "BkClr:": "QvBkTex:" frame off (0 or 1), then "," and
// the texture when there is one. Readers that do not know it skip it, and
// "BkClr:" keeps only the numbers any reader expects.
void PuzHeader::parseTexture(Puz& puz, HeaderString& h)
{
    auto v = h.take("QvBkTex:");
    if (!v)
        return;
    puz.backgroundFrameOff = !v->empty() && (*v)[0] == '1' ? 1 : 0;
    const size_t comma = v->find(',');
    if (comma == std::string::npos)
        return;
    std::string texture = unescapeTexture(v->substr(comma + 1));
    if (texture.size() <= kMaxTexture && texture.find('\0') == std::string::npos)
        puz.backgroundTexture = std::move(texture);
}

void PuzHeader::buildTexture(const Puz& puz, std::string& out)
{
    const bool texture = !puz.backgroundTexture.empty() && puz.backgroundTexture.size() <= kMaxTexture;
    if (!texture && !puz.backgroundFrameOff)
        return;
    out += puz.backgroundFrameOff ? "/QvBkTex:1" : "/QvBkTex:0";
    if (texture)
        out += "," + escapeTexture(puz.backgroundTexture);
}

// Our own key: "QvCut:" and the mark of the shared cut the game was
// started from (letters and digits only, so it can never end its item or
// pose as a key). Readers that do not know it skip it.
bool PuzHeader::isCutMark(const std::string& mark)
{
    if (mark.empty() || mark.size() > 16)
        return false;
    for (char c : mark) {
        const bool letterOrDigit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letterOrDigit)
            return false;
    }
    return true;
}

void PuzHeader::parseSharedCut(Puz& puz, HeaderString& h)
{
    auto v = h.take("QvCut:");
    if (v && isCutMark(*v))
        puz.sharedCut = *v;
}

// Our own key: "QvZoom:" the table's zoom in thousandths, "," and the
// table point in the middle of the view ("x,y"). At 100 % there is none, so
// such games are written as they always were; readers that do not know it
// skip it, and "bmphalf:" still holds the view's top-left.
void PuzHeader::parseZoom(Puz& puz, HeaderString& h)
{
    auto v = h.take("QvZoom:");
    if (!v)
        return;
    const size_t comma = v->find(',');
    int64_t x = 0, y = 0;
    if (comma == std::string::npos || !HeaderString::parsePair(v->substr(comma + 1), ',', x, y))
        return;
    const int64_t zoom = HeaderString::parseNumber(v->substr(0, comma));
    if (zoom < 1 || zoom > 65535)
        return;
    puz.viewZoom = static_cast<uint16_t>(zoom);
    puz.viewCentre = {clamped16(x), clamped16(y)};
}

void PuzHeader::buildZoom(const Puz& puz, std::string& out)
{
    if (puz.viewZoom == 1000 || puz.viewZoom == 0)
        return;
    out += "/QvZoom:" + number(puz.viewZoom) + "," + point(puz.viewCentre, ',');
}

}  // namespace qv
