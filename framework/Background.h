#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/Bitmap.h"

namespace fw {

// The paint of the table: a plain colour, a vertical blend of two colours,
// or a texture tinted with two colours (bright pixels take the first colour,
// dark ones the second). The play window, the boxes and the print preview
// paint with it. Colours are 0x00BBGGRR.
class Background {
public:
    enum Flag : uint8_t {
        SecondChosen = 0x01,
        FineStrip = 0x02,    // one-pixel blend bands (24-bit displays)
        LowColour = 0x04,    // below 16 bits a pixel: plain colour only
        Disabled = 0x08,     // blend and texture switched off
        Stale = 0x80,        // the tiles must be rebuilt
    };
    static constexpr uint32_t None = 0xFFFFFFFF;  // "no second colour"

    // bitsPerPixel: the display's depth (planes x bits a pixel).
    explicit Background(int bitsPerPixel = 32) : m_bits(bitsPerPixel) { Reset(); }
    int bitsPerPixel() const { return m_bits; }

    void Reset();
    void Set(uint32_t first, uint32_t second, uint8_t frameOff);
    void SetSecond(uint32_t colour);
    // The second colour when a blend or texture is in use, else None.
    uint32_t Second() const;
    uint32_t First() const { return m_first; }
    uint8_t frameOff() const { return m_frameOff; }
    uint8_t flags() const { return m_flags; }
    // The header text: first colour, and "," second colour when chosen.
    std::string Text() const;
    // Reads that text back (the part before any "["); false when it is not numbers.
    bool SetFromText(const std::string& text);

    // A decoded texture picture, or a null bitmap for none; file: where it
    // came from, so a window can show and store the choice.
    void setTexture(Bitmap texture);
    void setTexture(Bitmap texture, std::filesystem::path file);
    bool hasTexture() const { return !m_texture.isNull(); }
    const Bitmap& texture() const { return m_texture; }
    const std::filesystem::path& textureFile() const { return m_textureFile; }

    // Builds the screen tile for a window of the given height, or (print)
    // the print tile for that height.
    void Build(int height, bool print = false);
    const Bitmap& tile() const { return m_tile; }
    const Bitmap& printTile() const { return m_printTile; }

    // Paints area (x, y, w, h) of a surface whose pixel (0, 0) is at
    // surface coordinates (originX, originY), so areas painted one after the
    // other join seamlessly, even across bitmaps (the bands of a printed
    // page). print: with the print tile, built for surfaceHeight.
    void Paint(Bitmap& surface, int x, int y, int w, int h, int surfaceHeight, bool print = false, int originX = 0,
               int originY = 0);

    // The outline of the picture area (x, y, w, h: the picture's rectangle
    // on the surface) in the style of the first colour. Nothing when frame
    // off is set.
    void PaintOutline(Bitmap& surface, int x, int y, int w, int h) const;

    // The colour field of the colour window at point (x, y) of a W x H field.
    static uint32_t FieldColour(int width, int height, int x, int y);
    // Tints one pixel (0x00RRGGBB) by its brightness between two colours.
    static uint32_t tint(uint32_t pixel, uint32_t first, uint32_t second);

    // The 16 custom colours of the colour chooser from the settings text
    // ("custcolors"), or the built-in list when the text is empty.
    static std::vector<uint32_t> customColours(const std::string& text);
    static std::string customColoursText(const std::vector<uint32_t>& colours);

private:
    Bitmap buildTile(int height) const;

    int m_bits;
    Bitmap m_texture;
    std::filesystem::path m_textureFile;
    uint32_t m_first = 0xFFFFFF;
    uint32_t m_second = None;
    uint8_t m_frameOff = 0;
    uint8_t m_flags = 0;
    Bitmap m_tile;
    Bitmap m_printTile;
};

}  // namespace fw
