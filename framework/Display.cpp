#include "framework/Display.h"

namespace fw {

const std::vector<uint32_t>& Display::defaultPalette()
{
    static const std::vector<uint32_t> palette = [] {
        std::vector<uint32_t> p = {
            0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0xFF0000,
            0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4,
        };
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back(static_cast<uint32_t>((r * 51) << 16 | (g * 51) << 8 | b * 51));
        return p;
    }();
    return palette;
}

}  // namespace fw
