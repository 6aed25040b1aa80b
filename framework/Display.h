#pragma once
#include <cstdint>
#include <vector>

namespace fw {

// What the screen can show, measured by the program that runs on it and
// handed to what draws or writes for it. Tests may set the colour depth to
// simulate palette displays, so the 256- and 16-colour paths of picture
// loading run on any machine. A default one is true colour, 1920 x 1080.
struct Display {
    int width = 1920;   // screen size in pixels
    int height = 1080;
    int paletteSize = 0;      // 0 true colour; 16 or 256 for palette displays
    bool lowColour = false;   // planes x bits a pixel <= 4: the 16-colour mode

    bool isPalette256() const { return !lowColour && paletteSize > 16 && paletteSize <= 256; }
    bool isPalette16() const { return lowColour || (paletteSize > 0 && paletteSize <= 16); }

    // The palette a 256-colour display has selected when no picture has
    // chosen one: the 20 fixed colours and a 6 x 6 x 6 colour cube.
    static const std::vector<uint32_t>& defaultPalette();
};

}  // namespace fw
