#include "sound/SampleData.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/WavFile.h"
#include "sound/VorbisDecoder.h"

namespace sound {
namespace {

// A sample longer than this is refused rather than filling memory.
constexpr int kMaxFrames = 1 << 23;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 192000;

bool startsWith(const void* data, size_t length, const char* magic) {
    size_t n = std::strlen(magic);
    return length >= n && std::memcmp(data, magic, n) == 0;
}

uint32_t readLe32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void writeLe32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// A RIFF image whose chunk sizes claim no more than the bytes present, so that
// a damaged header cannot make the WAV reader allocate gigabytes.
std::vector<unsigned char> clampedRiff(const void* data, size_t length) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::vector<unsigned char> copy(bytes, bytes + length);
    writeLe32(&copy[4], static_cast<uint32_t>(length - 8));
    size_t at = 12;
    while (at + 8 <= length) {
        size_t room = length - at - 8;
        size_t size = readLe32(&copy[at + 4]);
        if (size > room) {
            size = room;
            writeLe32(&copy[at + 4], static_cast<uint32_t>(size));
        }
        at += 8 + size + (size & 1);
    }
    return copy;
}

}  // namespace

bool SampleData::decode(const void* data, size_t length) {
    frames.clear();
    rate = 0;
    bool ok = false;
    if (data && startsWith(data, length, "RIFF")) ok = decodeWav(data, length);
    else if (data && startsWith(data, length, "OggS"))
        ok = decodeVorbis(data, length);
    if (!ok || frames.empty()) {
        frames.clear();
        rate = 0;
        return false;
    }
    return true;
}

bool SampleData::decodeWav(const void* data, size_t length) {
    if (length < 12 || length > static_cast<size_t>(INT32_MAX)) return false;
    std::vector<unsigned char> riff = clampedRiff(data, length);
    return platform::decodeWavStereo(riff.data(), riff.size(), kMinRate, kMaxRate, kMaxFrames, frames, rate);
}

bool SampleData::decodeVorbis(const void* data, size_t length) {
    VorbisDecoder* decoder = VorbisDecoder::open(ByteSource::fromMemory(data, length));
    if (!decoder) return false;
    rate = decoder->rate();
    constexpr int kBlock = 4096;
    float block[kBlock * 2];
    int n;
    while ((n = decoder->read(block, kBlock)) > 0 && frameCount() + n <= kMaxFrames)
        frames.insert(frames.end(), block, block + 2 * n);
    delete decoder;
    return true;
}

}  // namespace sound
