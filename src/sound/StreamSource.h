#pragma once

#include <atomic>
#include <memory>

#include "sound/Decoder.h"
#include "sound/StreamBuffer.h"

namespace sound {

// A decoder with the ring it fills ahead of the mixer. The feeding side
// (the engine's feeder thread, or a caller holding the engine's feed lock)
// decodes; the mixer only reads the ring and the ended flag.
class StreamSource {
public:
    StreamSource(Decoder* decoder, int ringFrames) : decoder_(decoder), ring_(ringFrames) {}

    Decoder& decoder() { return *decoder_; }
    StreamBuffer& ring() { return ring_; }
    int rate() const { return decoder_->rate(); }

    bool looping() const { return loop_.load(std::memory_order_relaxed); }
    void setLooping(bool loop) { loop_.store(loop, std::memory_order_relaxed); }
    // True once the decoder is exhausted and nothing more will be written.
    bool ended() const { return ended_.load(std::memory_order_acquire); }
    bool active() const { return active_.load(std::memory_order_acquire); }
    void setActive(bool active) { active_.store(active, std::memory_order_release); }

    // Back to the first frame with an empty ring; only while no voice reads it.
    void restart();
    // Decodes until the ring is full or the sound ends, through scratch
    // (scratchFrames stereo frames). A looping sound wraps to its start with no gap.
    void fill(float* scratch, int scratchFrames);

private:
    std::unique_ptr<Decoder> decoder_;
    StreamBuffer ring_;
    std::atomic<bool> loop_{false};
    std::atomic<bool> ended_{false};
    std::atomic<bool> active_{false};
    bool producedSinceRewind_ = false;
};

}  // namespace sound
