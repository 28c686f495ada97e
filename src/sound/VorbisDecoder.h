#pragma once

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "sound/ByteSource.h"
#include "sound/Decoder.h"

namespace sound {

// Ogg Vorbis decoded piece by piece through libvorbisfile. More than two
// channels are folded to the first two; one channel plays on both sides.
class VorbisDecoder : public Decoder {
public:
    // Takes the source; null (and the source deleted) when it holds no usable Vorbis stream.
    static VorbisDecoder* open(ByteSource* source);
    ~VorbisDecoder() override;

    int read(float* stereo, int frames) override;
    bool rewind() override;
    int rate() const override { return rate_; }

private:
    explicit VorbisDecoder(ByteSource* source) : source_(source) {}

    ByteSource* source_;
    OggVorbis_File file_{};
    int rate_ = 0;
};

}  // namespace sound
