#pragma once
#include <filesystem>
#include <functional>
#include <string>

#include "framework/Traductor.h"

namespace qv {

// The translation at start-up. A chosen language whose file cannot be read
// gives way to English, and the player is told so; when English cannot be
// read either, nothing can be shown in the player's language: a fixed
// English text says so and the result is false. `show` puts up a message
// box (text, caption, style), Windows-1252.
using ShowBox = std::function<void(const std::string& text, const std::string& caption, unsigned style)>;

bool LoadStartTranslation(fw::Traductor& traductor, const std::string& wanted, const std::filesystem::path& dir,
                          const ShowBox& show);

// The fixed text of the program for an unusable English file.
std::string UnreadableEnglishText(const std::filesystem::path& file);

}  // namespace qv
