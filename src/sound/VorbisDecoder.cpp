#include "sound/VorbisDecoder.h"

namespace sound {
namespace {

// Rates outside this range come only from damaged headers.
constexpr long kMinRate = 1000;
constexpr long kMaxRate = 192000;
// A damaged stream may report holes forever; give up after this many in a row.
constexpr int kMaxHoles = 64;

}  // namespace

VorbisDecoder* VorbisDecoder::open(ByteSource* source) {
    if (!source) return nullptr;
    auto* decoder = new VorbisDecoder(source);
    decoder->file_ = platform::VorbisFile::open(decoder->input_);
    if (!decoder->file_ || decoder->file_->channels() < 1 || decoder->file_->rate() < kMinRate ||
        decoder->file_->rate() > kMaxRate) {
        delete decoder;
        return nullptr;
    }
    decoder->rate_ = static_cast<int>(decoder->file_->rate());
    return decoder;
}

VorbisDecoder::~VorbisDecoder() { delete file_; }

int VorbisDecoder::read(float* stereo, int frames) {
    int done = 0;
    int holes = 0;
    while (done < frames) {
        float** pcm = nullptr;
        long n = file_->read(pcm, frames - done);
        if (n == platform::VorbisFile::kHole && ++holes < kMaxHoles) continue;
        if (n <= 0) break;
        holes = 0;
        const float* left = pcm[0];
        const float* right = file_->channels() > 1 ? pcm[1] : pcm[0];
        for (long i = 0; i < n; ++i) {
            stereo[2 * (done + i)] = left[i];
            stereo[2 * (done + i) + 1] = right[i];
        }
        done += static_cast<int>(n);
    }
    return done;
}

bool VorbisDecoder::rewind() { return file_->rewind(); }

}  // namespace sound
