#pragma once
#include <string>
#include <string_view>

namespace qv {

// The text with its first "%s" replaced by insert.
std::string fillText(std::string text, const std::string& insert);
// A menu caption as a title: no '&' marks, no trailing "...".
std::string plainCaption(std::string caption);

}  // namespace qv
