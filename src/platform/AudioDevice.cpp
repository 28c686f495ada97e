#include "platform/AudioDevice.h"

#include <SDL.h>

#include <cstdlib>

namespace platform {

bool AudioDevice::open(const char* driver, int rate, int bufferFrames, Callback callback, void* user) {
    close();
    const char* override = std::getenv("SDL_AUDIODRIVER");
    if (override && *override) driver = nullptr;  // SDL reads the variable itself
    if (SDL_AudioInit(driver) != 0) return false;
    callback_ = callback;
    user_ = user;
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = static_cast<Uint16>(bufferFrames);
    want.callback = onAudio;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (id == 0) {
        SDL_AudioQuit();
        return false;
    }
    device_ = id;
    bufferFrames_ = have.samples;
    const char* name = SDL_GetCurrentAudioDriver();
    driverName_ = name ? name : "";
    SDL_PauseAudioDevice(id, 0);
    return true;
}

void AudioDevice::close() {
    if (device_ == 0) return;
    // Closing waits for a running callback to return and stops further calls.
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    SDL_AudioQuit();
    driverName_.clear();
}

void AudioDevice::onAudio(void* self, uint8_t* stream, int bytes) {
    auto* device = static_cast<AudioDevice*>(self);
    device->callback_(device->user_, reinterpret_cast<int16_t*>(stream), bytes / 4);
}

}  // namespace platform
