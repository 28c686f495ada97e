#include "sound/StreamSource.h"

#include <algorithm>

namespace sound {

void StreamSource::restart() {
    bool rewound = decoder_->rewind();
    ring_.reset();
    producedSinceRewind_ = false;
    ended_.store(!rewound, std::memory_order_release);
}

void StreamSource::fill(float* scratch, int scratchFrames) {
    while (!ended_.load(std::memory_order_relaxed) && ring_.space() > 0) {
        int n = decoder_->read(scratch, std::min(scratchFrames, ring_.space()));
        if (n > 0) {
            ring_.write(scratch, n);
            producedSinceRewind_ = true;
            continue;
        }
        // A sound that yields nothing even from its start would loop forever without output.
        if (looping() && producedSinceRewind_ && decoder_->rewind()) {
            producedSinceRewind_ = false;
            continue;
        }
        ended_.store(true, std::memory_order_release);
    }
}

}  // namespace sound
