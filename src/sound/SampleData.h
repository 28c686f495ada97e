#pragma once

#include <cstddef>
#include <vector>

namespace sound {

// A whole decoded sound: interleaved stereo float frames at their own rate.
struct SampleData {
    std::vector<float> frames;  // L, R, L, R, ...
    int rate = 0;

    int frameCount() const { return static_cast<int>(frames.size() / 2); }

    // Decodes a WAV (RIFF) or Ogg Vorbis file image; false, leaving the data
    // empty, when the bytes are neither or are damaged beyond use.
    bool decode(const void* data, size_t length);

private:
    bool decodeWav(const void* data, size_t length);
    bool decodeVorbis(const void* data, size_t length);
};

}  // namespace sound
