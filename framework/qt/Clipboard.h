#pragma once
#include <string>
#include <string_view>

namespace fw {

// The system clipboard for texts, which the games exchange as Windows-1252
// bytes (certificates and ranking texts).
class Clipboard {
public:
    static void setText(std::string_view text);
    // Characters the code page cannot hold come out as '?'.
    static std::string text();
};

}  // namespace fw
