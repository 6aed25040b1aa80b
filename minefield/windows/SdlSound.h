#pragma once
#include <cstdint>
#include <vector>

#include "minefield/BoardPorts.h"

namespace mf {

// The game's sounds through SDL's audio. Without SDL, without an audio
// device or with sound data that cannot be read, it stays silent.
class SdlSound : public BoardSounds {
public:
    SdlSound();
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    bool HasDevice() const { return m_device != 0; }

    void PlayClick() override;
    void PlayExplosion() override;
    void PlayWin() override;

private:
    using Clip = std::vector<uint8_t>;  // samples in the device's format
    Clip Load(const char* resource) const;
    // A new sound replaces the one playing, unless that one is to be heard
    // to its end.
    void Play(const Clip& clip, bool toTheEnd);

    uint32_t m_device = 0;
    bool m_ownsSubsystem = false;
    bool m_holding = false;
    Clip m_click, m_explosion, m_win;
};

}  // namespace mf
