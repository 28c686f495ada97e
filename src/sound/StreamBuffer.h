#pragma once

#include <atomic>
#include <vector>

namespace sound {

// Single-producer, single-consumer ring of stereo float frames. The decoding
// side writes, the mixing side reads; neither ever blocks or allocates after
// construction, so the audio callback can read it without a lock.
class StreamBuffer {
public:
    explicit StreamBuffer(int capacityFrames);

    int capacity() const { return capacity_; }
    int available() const;  // frames ready to read
    int space() const;      // frames that can be written

    // Writes up to frames frames; returns how many fitted.
    int write(const float* stereo, int frames);
    // Copies up to frames frames from the read side without consuming them.
    int peek(float* stereo, int frames) const;
    void consume(int frames);
    // Empties the ring; only while neither side is working on it.
    void reset();

private:
    int capacity_;
    std::vector<float> data_;
    std::atomic<long long> readCount_{0};
    std::atomic<long long> writeCount_{0};
};

}  // namespace sound
