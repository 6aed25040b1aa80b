#pragma once
#include <string>
#include <string_view>

namespace qv {

// A translated text (kind 1 texts, kind 4 captions), or the English
// fallback while the translation files lack it.
std::string textOr(int kind, int id, std::string_view fallback);
// The text with its first "%s" replaced by insert.
std::string fillText(std::string text, const std::string& insert);
// A menu caption as a title: no '&' marks, no trailing "...".
std::string plainCaption(std::string caption);

}  // namespace qv
