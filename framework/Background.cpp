#include "framework/Background.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace fw {

namespace {
int channel(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }
}  // namespace

void Background::Reset()
{
    m_texture = Bitmap();
    m_textureFile.clear();
    m_tile = Bitmap();
    m_printTile = Bitmap();
    m_second = None;
    m_flags = m_bits < 16 ? LowColour : 0;
}

void Background::Set(uint32_t first, uint32_t second, uint8_t frameOff)
{
    Reset();
    m_first = first;
    if (second != None) {
        m_second = second;
        m_flags |= SecondChosen;
    }
    m_flags |= Stale;
    m_frameOff = frameOff;
}

void Background::SetSecond(uint32_t colour)
{
    m_second = colour;
    m_flags |= SecondChosen | Stale;
}

uint32_t Background::Second() const
{
    if ((m_flags & SecondChosen) && !(m_flags & (LowColour | Disabled)))
        return m_second;
    return None;
}

std::string Background::Text() const
{
    std::string text = std::to_string(m_first);
    if (m_flags & SecondChosen)
        text += "," + std::to_string(m_second);
    return text;
}

bool Background::SetFromText(const std::string& text)
{
    std::string value = text.substr(0, text.find('['));
    if (value.empty())
        return false;
    char* end = nullptr;
    unsigned long first = std::strtoul(value.c_str(), &end, 10);
    if (end == value.c_str())
        return false;
    uint32_t second = None;
    if (*end == ',') {
        const char* start = end + 1;
        unsigned long s = std::strtoul(start, &end, 10);
        if (end != start)
            second = static_cast<uint32_t>(s);
    }
    Set(static_cast<uint32_t>(first), second, m_frameOff);
    return true;
}

void Background::setTexture(Bitmap texture)
{
    m_texture = std::move(texture);
    m_textureFile.clear();
    m_flags |= Stale;
}

void Background::setTexture(Bitmap texture, std::filesystem::path file)
{
    setTexture(std::move(texture));
    if (hasTexture())
        m_textureFile = std::move(file);
}

uint32_t Background::tint(uint32_t pixel, uint32_t first, uint32_t second)
{
    int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    int s = (r + g + b) / 3;
    auto mixChannel = [&](int shift) {
        return static_cast<uint32_t>((channel(first, shift) * s / 256 + channel(second, shift) * (256 - s) / 256) & 0xFF);
    };
    // Colours are 0x00BBGGRR; pixels 0x00RRGGBB.
    return (mixChannel(0) << 16) | (mixChannel(8) << 8) | mixChannel(16);
}

Bitmap Background::buildTile(int height) const
{
    uint32_t second = Second();
    if (second == None)
        second = 0xFFFFFF;
    if (!m_texture.isNull()) {
        Bitmap tile(m_texture.width(), m_texture.height());
        for (int y = 0; y < tile.height(); ++y) {
            const uint32_t* src = m_texture.row(y);
            uint32_t* dst = tile.row(y);
            for (int x = 0; x < tile.width(); ++x)
                dst[x] = tint(src[x], m_first, second);
        }
        return tile;
    }
    if (height <= 0)
        return {};
    const bool fine = m_bits >= 24;
    const int width = fine ? 1 : 8;
    const int step = fine ? 1 : 4;
    Bitmap strip(width, height);
    // Divided by height - 1 so the last row is the second colour itself: a
    // black-to-white blend over 256 rows gives row y the grey y.
    const int span = std::max(height - 1, 1);
    for (int y = 0; y < height; y += step) {
        auto blend = [&](int shift) {
            int a = channel(m_first, shift), b = channel(second, shift);
            return static_cast<uint32_t>(a + (b - a) * y / span);
        };
        uint32_t pixel = (blend(0) << 16) | (blend(8) << 8) | blend(16);
        for (int row = y; row < std::min(height, y + step); ++row)
            std::fill(strip.row(row), strip.row(row) + width, pixel);
    }
    return strip;
}

void Background::Build(int height, bool print)
{
    if (Second() == None) {
        m_flags &= static_cast<uint8_t>(~Stale);
        return;
    }
    if (!hasTexture() && m_bits >= 24)
        m_flags |= FineStrip;
    (print ? m_printTile : m_tile) = buildTile(height);
    if (!print)
        m_flags &= static_cast<uint8_t>(~Stale);
}

void Background::Paint(Bitmap& surface, int x, int y, int w, int h, int surfaceHeight, bool print, int originX,
                       int originY)
{
    if (m_flags & Stale) {
        m_printTile = Bitmap();  // made from the old colours or texture too
        Build(surfaceHeight);
    }
    if (print && m_printTile.isNull() && Second() != None)
        Build(surfaceHeight, true);
    if (x < 0) {
        w += x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        y = 0;
    }
    w = std::min(w, surface.width() - x);
    h = std::min(h, surface.height() - y);
    if (w <= 0 || h <= 0)
        return;
    const Bitmap& tile = print ? m_printTile : m_tile;
    if (tile.isNull() || Second() == None) {
        uint32_t pixel = pixelFromColorRef(m_first);
        for (int row = y; row < y + h; ++row)
            std::fill(surface.row(row) + x, surface.row(row) + x + w, pixel);
        return;
    }
    // Whole runs of tile rows are copied: the table repaints large areas
    // while a group is dragged, so this must not go pixel by pixel.
    auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    const int tw = tile.width(), th = tile.height();
    const int firstCol = wrap(x + originX, tw);
    for (int row = y; row < y + h; ++row) {
        const uint32_t* src = tile.row(wrap(row + originY, th));
        uint32_t* dst = surface.row(row) + x;
        if (tw == 1) {
            std::fill(dst, dst + w, src[0]);
            continue;
        }
        int col = firstCol;
        for (int left = w; left > 0;) {
            const int n = std::min(left, tw - col);
            std::copy(src + col, src + col + n, dst);
            dst += n;
            left -= n;
            col = 0;
        }
    }
}

void Background::PaintOutline(Bitmap& surface, int x, int y, int w, int h) const
{
    if (m_frameOff || w <= 0 || h <= 0)
        return;
    // On white a soft grey line; on mid grey a sunken edge (dark above and
    // left, light below and right); on any other colour a dark and a light
    // line side by side, so the outline shows on the colour itself.
    uint32_t outer, inner, lower;
    if (m_first == 0xFFFFFF) {
        outer = inner = lower = 0xA0A0A0;
    } else if (m_first == 0x808080) {
        outer = inner = 0x404040;
        lower = 0xE0E0E0;
    } else {
        outer = inner = lower = 0x202020;
    }
    const uint32_t light = 0xF0F0F0;
    auto put = [&](int px, int py, uint32_t c) {
        if (surface.contains(px, py))
            surface.setPixel(px, py, c);
    };
    // Only the part of the outline that lies on the surface is walked: the
    // table paints small areas while pieces are dragged.
    const int iFrom = std::max(-1, -x), iTo = std::min(w, surface.width() - 1 - x);
    const int jFrom = std::max(-1, -y), jTo = std::min(h, surface.height() - 1 - y);
    for (int i = iFrom; i <= iTo; ++i) {
        put(x + i, y - 1, outer);
        put(x + i, y + h, lower);
        if (m_first != 0xFFFFFF && m_first != 0x808080) {
            put(x + i, y - 2, light);
            put(x + i, y + h + 1, light);
        }
    }
    for (int j = jFrom; j <= jTo; ++j) {
        put(x - 1, y + j, inner);
        put(x + w, y + j, lower);
        if (m_first != 0xFFFFFF && m_first != 0x808080) {
            put(x - 2, y + j, light);
            put(x + w + 1, y + j, light);
        }
    }
}

uint32_t Background::FieldColour(int width, int height, int x, int y)
{
    int seg = width / 7;
    if (seg <= 0)
        seg = 1;
    int sector = x / seg, f = x % seg;
    int t = f * 255 / seg, u = (seg - f) * 255 / seg;
    int r, g, b;
    switch (sector) {
    case 0: r = 255; g = t; b = 0; break;
    case 1: r = u; g = 255; b = 0; break;
    case 2: r = 0; g = 255; b = t; break;
    case 3: r = 0; g = u; b = 255; break;
    case 4: r = t; g = 0; b = 255; break;
    case 5: r = 255; g = 0; b = u; break;
    default: r = g = b = 128; break;
    }
    int m = height / 2;
    auto shade = [&](int c) {
        if (m <= 0)
            return c;
        return y >= m ? c - (y - m) * c / m : c + (m - y) * (255 - c) / m;
    };
    r = shade(r);
    g = shade(g);
    b = shade(b);
    return static_cast<uint32_t>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

std::vector<uint32_t> Background::customColours(const std::string& text)
{
    static const char* const builtIn =
        "6831809,4629945,11909956,11032448,6790243,10179390,12894372,6513611,2155905152,2155905152,2155905152,"
        "2155905152,2155905152,2155905152,2155905152,2155905152";
    std::vector<uint32_t> colours(16, 0x80808080u);
    std::istringstream in(text.empty() ? std::string(builtIn) : text);
    std::string item;
    for (size_t i = 0; i < colours.size() && std::getline(in, item, ','); ++i)
        colours[i] = static_cast<uint32_t>(std::strtoul(item.c_str(), nullptr, 10));
    return colours;
}

std::string Background::customColoursText(const std::vector<uint32_t>& colours)
{
    std::string text;
    for (size_t i = 0; i < colours.size(); ++i)
        text += (i ? "," : "") + std::to_string(colours[i]);
    return text;
}

}  // namespace fw
