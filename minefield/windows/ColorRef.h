#pragma once
#include <QColor>
#include <cstdint>

namespace mf {

// Colours are kept as 0x00BBGGRR values (settings file, rules); these two
// convert at the window boundary.
inline QColor FromColorRef(uint32_t c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline uint32_t ToColorRef(const QColor& c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

}  // namespace mf
