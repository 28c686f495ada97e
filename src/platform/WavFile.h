#pragma once

#include <cstddef>
#include <vector>

namespace platform {

// Decodes a RIFF WAV file in memory into interleaved stereo 32-bit float
// frames at its own rate. False (frames empty) when it does not decode, its
// rate lies outside minRate..maxRate or it holds more than maxFrames frames.
bool decodeWavStereo(const void* riff, size_t length, int minRate, int maxRate, int maxFrames,
                     std::vector<float>& frames, int& rate);

}  // namespace platform
