#include "minefield/windows/SdlSound.h"

#include <QFile>
#include <cstring>

#ifdef MF_HAVE_SDL2
#include <SDL.h>
#endif

namespace mf {

#ifdef MF_HAVE_SDL2

namespace {
constexpr int kRate = 22050;
}

SdlSound::SdlSound()
{
    // The program's own signal handling stays as it is.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    m_ownsSubsystem = true;
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 512;
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (m_device == 0)
        return;
    m_click = Load(":/mvro/click.wav");
    m_explosion = Load(":/mvro/explosion.wav");
    m_win = Load(":/mvro/win.wav");
    SDL_PauseAudioDevice(m_device, 0);
}

SdlSound::~SdlSound()
{
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
    if (m_ownsSubsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SdlSound::Clip SdlSound::Load(const char* resource) const
{
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    SDL_AudioSpec source{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.constData(), int(bytes.size())), 1, &source, &buffer,
                        &length))
        return {};
    SDL_AudioCVT cvt;
    Clip clip;
    if (SDL_BuildAudioCVT(&cvt, source.format, source.channels, source.freq, AUDIO_S16SYS, 1, kRate) >= 0) {
        clip.resize(size_t(length) * size_t(cvt.len_mult));
        std::memcpy(clip.data(), buffer, length);
        cvt.buf = clip.data();
        cvt.len = int(length);
        if (cvt.needed && SDL_ConvertAudio(&cvt) != 0)
            clip.clear();
        else
            clip.resize(cvt.needed ? size_t(cvt.len_cvt) : size_t(length));
    }
    SDL_FreeWAV(buffer);
    return clip;
}

void SdlSound::Play(const Clip& clip, bool toTheEnd)
{
    if (m_device == 0 || clip.empty())
        return;
    const bool stillHolding = m_holding && SDL_GetQueuedAudioSize(m_device) > 0;
    if (!stillHolding)
        SDL_ClearQueuedAudio(m_device);
    SDL_QueueAudio(m_device, clip.data(), Uint32(clip.size()));
    m_holding = toTheEnd || stillHolding;
}

#else

SdlSound::SdlSound() = default;
SdlSound::~SdlSound() = default;
SdlSound::Clip SdlSound::Load(const char*) const { return {}; }
void SdlSound::Play(const Clip&, bool) {}

#endif

void SdlSound::PlayClick() { Play(m_click, false); }
void SdlSound::PlayExplosion() { Play(m_explosion, true); }
void SdlSound::PlayWin() { Play(m_win, false); }

}  // namespace mf
