#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The sound output: one SDL audio device playing 16-bit stereo, fed by a
// callback on SDL's audio thread.
class AudioDevice {
public:
    using Callback = void (*)(void* user, int16_t* out, int frames);

    AudioDevice() = default;
    ~AudioDevice() { close(); }
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens and starts the device. driver: an SDL audio driver name, or null for
    // SDL's own choice; an SDL_AUDIODRIVER setting in the environment always wins.
    // bufferFrames: the device buffer in frames. False when no device opens.
    bool open(const char* driver, int rate, int bufferFrames, Callback callback, void* user);
    // Stops the callback for good and closes the device.
    void close();
    bool isOpen() const { return device_ != 0; }
    const std::string& driverName() const { return driverName_; }
    int bufferFrames() const { return bufferFrames_; }

    // The driver that stands in for a plain wave output, bypassing the desktop sound server.
    static const char* plainOutputDriver() { return "alsa"; }

private:
    static void onAudio(void* self, uint8_t* stream, int bytes);

    uint32_t device_ = 0;
    Callback callback_ = nullptr;
    void* user_ = nullptr;
    std::string driverName_;
    int bufferFrames_ = 0;
};

}  // namespace platform
