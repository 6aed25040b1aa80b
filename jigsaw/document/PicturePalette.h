#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/ByteIO.h"
#include "framework/IndexedBitmap.h"

namespace qv {

// The palette block of a puzzle file: u16 count, then min(count, 235)
// entries of blue, green, red, 0; the block is always 942 bytes.
constexpr size_t kPaletteBlockSize = 942;
constexpr int kPaletteBlockEntries = 235;

// Writes exactly kPaletteBlockSize bytes; colours are 0x00RRGGBB.
void writePaletteBlock(fw::ByteWriter& w, const std::vector<uint32_t>& palette);
// Reads the count and the entries it names (at most 235); the reader fails
// when they run past the end of the stream.
std::vector<uint32_t> readPaletteBlock(fw::ByteReader& r);

// The 20 colours a palette display always has, as 0x00RRGGBB.
const std::array<uint32_t, 20>& systemColours();

// Nearest-colour weights for red, green and blue: the library's for big
// palettes, others for small ones, where green would otherwise win too often.
struct ColourWeights {
    int r, g, b;
};
constexpr ColourWeights kWeightsLarge{2, 3, 1};
constexpr ColourWeights kWeightsSmall{12, 2, 9};
inline ColourWeights weightsFor(size_t paletteSize) { return paletteSize <= 20 ? kWeightsSmall : kWeightsLarge; }

// Maps a true-colour picture to a palette, with Floyd-Steinberg dithering or
// plain nearest colours.
fw::IndexedBitmap mapToPalette(const fw::Bitmap& rgb, const std::vector<uint32_t>& palette, bool dither);

// Expands a palette picture to true colour.
fw::Bitmap expandPalette(const fw::IndexedBitmap& indexed);

}  // namespace qv
