#include "sound/VorbisDecoder.h"

#include <algorithm>
#include <cstdio>

namespace sound {
namespace {

size_t readBytes(void* out, size_t size, size_t count, void* source) {
    if (size == 0) return 0;
    return static_cast<ByteSource*>(source)->read(out, size * count) / size;
}

int seekBytes(void* source, ogg_int64_t offset, int whence) {
    return static_cast<ByteSource*>(source)->seek(offset, whence) ? 0 : -1;
}

long tellBytes(void* source) { return static_cast<long>(static_cast<ByteSource*>(source)->tell()); }

// Rates outside this range come only from damaged headers.
constexpr long kMinRate = 1000;
constexpr long kMaxRate = 192000;
// A damaged stream may report holes forever; give up after this many in a row.
constexpr int kMaxHoles = 64;

}  // namespace

VorbisDecoder* VorbisDecoder::open(ByteSource* source) {
    if (!source) return nullptr;
    auto* decoder = new VorbisDecoder(source);
    ov_callbacks callbacks{readBytes, seekBytes, nullptr, tellBytes};
    if (ov_open_callbacks(source, &decoder->file_, nullptr, 0, callbacks) != 0) {
        // vorbisfile leaves nothing to clear when the open fails.
        decoder->file_ = OggVorbis_File{};
        delete decoder;
        return nullptr;
    }
    vorbis_info* info = ov_info(&decoder->file_, -1);
    if (!info || info->channels < 1 || info->rate < kMinRate || info->rate > kMaxRate) {
        delete decoder;
        return nullptr;
    }
    decoder->rate_ = static_cast<int>(info->rate);
    return decoder;
}

VorbisDecoder::~VorbisDecoder() {
    if (file_.datasource) ov_clear(&file_);
    delete source_;
}

int VorbisDecoder::read(float* stereo, int frames) {
    int done = 0;
    int holes = 0;
    while (done < frames) {
        float** pcm = nullptr;
        int link = 0;
        long n = ov_read_float(&file_, &pcm, frames - done, &link);
        if (n == OV_HOLE && ++holes < kMaxHoles) continue;
        if (n <= 0) break;
        holes = 0;
        vorbis_info* info = ov_info(&file_, -1);
        int channels = info ? info->channels : 1;
        const float* left = pcm[0];
        const float* right = channels > 1 ? pcm[1] : pcm[0];
        for (long i = 0; i < n; ++i) {
            stereo[2 * (done + i)] = left[i];
            stereo[2 * (done + i) + 1] = right[i];
        }
        done += static_cast<int>(n);
    }
    return done;
}

bool VorbisDecoder::rewind() { return ov_pcm_seek(&file_, 0) == 0; }

}  // namespace sound
