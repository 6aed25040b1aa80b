#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "jigsaw/play/Sound.h"

namespace qv {

// The game's sounds (jigsaw/play/Sound.h) by number, looked up once in the
// program's folder.
// A missing file plays nothing, then and later.
class GameSounds {
public:
    using enum sound::Number;

    // player receives the full path of a wave file to play.
    GameSounds(std::filesystem::path folder, std::function<void(const std::string&)> player);

    // optionsWord: the game's options; bit 0x08 mutes everything, bit 0x1000
    // silences the effect sound.
    void play(int number, uint32_t optionsWord);

    static const char* fileName(int number);

private:
    std::filesystem::path m_folder;
    std::function<void(const std::string&)> m_player;
    std::array<std::optional<std::string>, sound::count + 1> m_resolved;  // "" = known missing
};

}  // namespace qv
