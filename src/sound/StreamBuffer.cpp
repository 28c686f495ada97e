#include "sound/StreamBuffer.h"

#include <algorithm>
#include <cstring>

namespace sound {

StreamBuffer::StreamBuffer(int capacityFrames)
    : capacity_(capacityFrames), data_(static_cast<size_t>(capacityFrames) * 2, 0.0f) {}

int StreamBuffer::available() const {
    return static_cast<int>(writeCount_.load(std::memory_order_acquire) - readCount_.load(std::memory_order_acquire));
}

int StreamBuffer::space() const { return capacity_ - available(); }

int StreamBuffer::write(const float* stereo, int frames) {
    const long long w = writeCount_.load(std::memory_order_relaxed);
    const int n = std::min(frames, space());
    int at = static_cast<int>(w % capacity_);
    int first = std::min(n, capacity_ - at);
    std::memcpy(&data_[static_cast<size_t>(at) * 2], stereo, sizeof(float) * 2 * first);
    std::memcpy(&data_[0], stereo + 2 * first, sizeof(float) * 2 * (n - first));
    writeCount_.store(w + n, std::memory_order_release);
    return n;
}

int StreamBuffer::peek(float* stereo, int frames) const {
    const long long r = readCount_.load(std::memory_order_relaxed);
    const int n = std::min(frames, available());
    int at = static_cast<int>(r % capacity_);
    int first = std::min(n, capacity_ - at);
    std::memcpy(stereo, &data_[static_cast<size_t>(at) * 2], sizeof(float) * 2 * first);
    std::memcpy(stereo + 2 * first, &data_[0], sizeof(float) * 2 * (n - first));
    return n;
}

void StreamBuffer::consume(int frames) {
    const int n = std::min(frames, available());
    readCount_.fetch_add(n, std::memory_order_release);
}

void StreamBuffer::reset() {
    readCount_.store(0, std::memory_order_relaxed);
    writeCount_.store(0, std::memory_order_release);
}

}  // namespace sound
