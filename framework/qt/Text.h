#pragma once
#include <QString>
#include <string>
#include <string_view>

namespace fw {

// Texts in files and translation files are single bytes in the Windows-1252
// code page; they become QString only at the window boundary, through this
// one pair of conversions.
QString toQString(std::string_view text);
// Characters that the code page cannot hold become '?'.
std::string fromQString(const QString& text);

}  // namespace fw
