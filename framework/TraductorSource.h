#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/TraductorFile.h"

namespace fw {

// The readable source of a translation file, one entry a line:
//
//     kind  id  variant  context  text
//
// Numbers are decimal or 0x-hexadecimal, 0..65535. The text is the rest of
// the line, in UTF-8; blanks at its end are dropped unless it is written in
// double quotes. Escapes: \n \r \t \\ \" and \xHH for one byte. Lines that
// are empty or begin with '#' are comments; a text that begins with '#' is a
// reference ("#1,500": kind 1, id 500).
struct DixSource {
    std::vector<DixEntry> entries;  // texts already in Windows-1252
    std::vector<std::string> errors;  // "name:line: what"
};

DixSource parseDixSource(const std::string& text, const std::string& name);

// Windows-1252 is the single-byte code of the translation files and of the
// texts inside the games' files. Characters it cannot hold make the
// conversion fail.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);
std::string cp1252ToUtf8(std::string_view bytes);

}  // namespace fw
