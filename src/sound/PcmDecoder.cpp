#include "sound/PcmDecoder.h"

#include <algorithm>
#include <cstring>

namespace sound {

int PcmDecoder::read(float* stereo, int frames) {
    int n = std::min(frames, data_.frameCount() - position_);
    if (n <= 0) return 0;
    std::memcpy(stereo, data_.frames.data() + 2 * static_cast<size_t>(position_), sizeof(float) * 2 * n);
    position_ += n;
    return n;
}

}  // namespace sound
