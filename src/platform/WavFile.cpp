#include "platform/WavFile.h"

#include <SDL.h>

#include <cstdint>
#include <cstring>

namespace platform {

bool decodeWavStereo(const void* riff, size_t length, int minRate, int maxRate, int maxFrames,
                     std::vector<float>& frames, int& rate) {
    frames.clear();
    if (length > static_cast<size_t>(INT32_MAX)) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(riff, static_cast<int>(length));
    if (!rw) return false;
    SDL_AudioSpec wav;
    Uint8* pcm = nullptr;
    Uint32 bytes = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &wav, &pcm, &bytes)) return false;
    bool ok = false;
    SDL_AudioCVT cvt;
    if (wav.freq >= minRate && wav.freq <= maxRate && wav.channels >= 1 &&
        SDL_BuildAudioCVT(&cvt, wav.format, wav.channels, wav.freq, AUDIO_F32SYS, 2, wav.freq) >= 0) {
        int frameBytes = SDL_AUDIO_BITSIZE(wav.format) / 8 * wav.channels;
        int inFrames = frameBytes > 0 ? static_cast<int>(bytes / frameBytes) : 0;
        if (inFrames > 0 && inFrames <= maxFrames) {
            cvt.len = inFrames * frameBytes;
            std::vector<Uint8> work(static_cast<size_t>(cvt.len) * (cvt.len_mult > 0 ? cvt.len_mult : 1));
            std::memcpy(work.data(), pcm, static_cast<size_t>(cvt.len));
            cvt.buf = work.data();
            if (cvt.needed == 0 || SDL_ConvertAudio(&cvt) == 0) {
                int outBytes = cvt.needed ? cvt.len_cvt : cvt.len;
                frames.assign(reinterpret_cast<const float*>(work.data()),
                              reinterpret_cast<const float*>(work.data()) + outBytes / sizeof(float) / 2 * 2);
                rate = wav.freq;
                ok = true;
            }
        }
    }
    SDL_FreeWAV(pcm);
    return ok;
}

}  // namespace platform
