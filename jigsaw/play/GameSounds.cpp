#include "jigsaw/play/GameSounds.h"

namespace qv {

namespace {
constexpr uint32_t OptMute = 0x08;
constexpr uint32_t OptNoEffects = 0x1000;
}  // namespace

GameSounds::GameSounds(std::filesystem::path folder, std::function<void(const std::string&)> player)
    : m_folder(std::move(folder)), m_player(std::move(player))
{
}

const char* GameSounds::fileName(int number)
{
    return sound::fileOf(number);
}

void GameSounds::play(int number, uint32_t optionsWord)
{
    const char* name = fileName(number);
    if (!name || (optionsWord & OptMute) || (number == Effect && (optionsWord & OptNoEffects)))
        return;
    auto& slot = m_resolved[number];
    if (!slot) {
        std::filesystem::path path = m_folder / (std::string(name) + ".wav");
        std::error_code ec;
        slot = std::filesystem::is_regular_file(path, ec) ? path.string() : std::string();
    }
    if (!slot->empty() && m_player)
        m_player(*slot);
}

}  // namespace qv
