#include "framework/SoundPlayer.h"

#ifdef QV_HAVE_SDL2
#include <SDL.h>

#include <atomic>
#include <map>
#include <vector>

namespace fw {
namespace {

// Keeps the audio device open between sounds (they share one format in
// practice) and the decoded files in memory, so a click starts at once.
class SdlOutput : public SoundOutput {
public:
    ~SdlOutput() override
    {
        if (m_device)
            SDL_CloseAudioDevice(m_device);
        if (m_initialised)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    void play(const std::string& path) override
    {
        m_stop = false;
        if (!ensureInit())
            return;
        const Wave* wave = load(path);
        if (!wave || !ensureDevice(wave->format))
            return;
        SDL_ClearQueuedAudio(m_device);
        SDL_QueueAudio(m_device, wave->data.data(), static_cast<Uint32>(wave->data.size()));
        SDL_PauseAudioDevice(m_device, 0);
        while (!m_stop && SDL_GetQueuedAudioSize(m_device) > 0)
            SDL_Delay(4);
        if (m_stop)
            SDL_ClearQueuedAudio(m_device);
    }

    void stop() override { m_stop = true; }

private:
    struct Wave {
        SDL_AudioSpec format{};
        std::vector<Uint8> data;
    };

    bool ensureInit()
    {
        if (!m_triedInit) {
            m_triedInit = true;
            // The program ends on SIGINT and SIGTERM through handlers of its
            // own; SDL's would swallow them into events nobody reads.
            SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
            m_initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        }
        return m_initialised;
    }

    const Wave* load(const std::string& path)
    {
        auto it = m_waves.find(path);
        if (it != m_waves.end())
            return it->second.data.empty() ? nullptr : &it->second;
        Wave& wave = m_waves[path];
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        if (SDL_LoadWAV(path.c_str(), &wave.format, &buffer, &length)) {
            wave.data.assign(buffer, buffer + length);
            SDL_FreeWAV(buffer);
        }
        return wave.data.empty() ? nullptr : &wave;
    }

    bool ensureDevice(const SDL_AudioSpec& format)
    {
        if (m_device && format.freq == m_spec.freq && format.format == m_spec.format && format.channels == m_spec.channels)
            return true;
        if (m_device)
            SDL_CloseAudioDevice(m_device);
        m_spec = format;
        m_device = SDL_OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
        return m_device != 0;
    }

    std::atomic<bool> m_stop{false};
    bool m_triedInit = false;
    bool m_initialised = false;
    SDL_AudioDeviceID m_device = 0;
    SDL_AudioSpec m_spec{};
    std::map<std::string, Wave> m_waves;
};

}  // namespace

std::unique_ptr<SoundOutput> makeSystemSoundOutput()
{
    return std::make_unique<SdlOutput>();
}

}  // namespace fw

#else

namespace fw {
std::unique_ptr<SoundOutput> makeSystemSoundOutput()
{
    return std::make_unique<SilentOutput>();
}
}  // namespace fw

#endif
