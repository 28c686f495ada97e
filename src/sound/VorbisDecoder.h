#pragma once

#include "platform/VorbisFile.h"
#include "sound/ByteSource.h"
#include "sound/Decoder.h"

namespace sound {

// Ogg Vorbis decoded piece by piece through the platform's reader. More than
// two channels are folded to the first two; one channel plays on both sides.
class VorbisDecoder : public Decoder {
public:
    // Takes the source; null (and the source deleted) when it holds no usable Vorbis stream.
    static VorbisDecoder* open(ByteSource* source);
    ~VorbisDecoder() override;

    int read(float* stereo, int frames) override;
    bool rewind() override;
    int rate() const override { return rate_; }

private:
    // The reader takes its bytes from the source.
    class SourceInput : public platform::VorbisFile::Input {
    public:
        explicit SourceInput(ByteSource* source) : source_(source) {}
        SourceInput(const SourceInput&) = delete;
        SourceInput& operator=(const SourceInput&) = delete;
        ~SourceInput() override { delete source_; }
        size_t read(void* out, size_t bytes) override { return source_->read(out, bytes); }
        bool seek(long long offset, int whence) override { return source_->seek(offset, whence); }
        long long tell() const override { return source_->tell(); }

    private:
        ByteSource* source_;
    };

    explicit VorbisDecoder(ByteSource* source) : input_(source) {}

    SourceInput input_;  // declared first: the file reads from it until it goes
    platform::VorbisFile* file_ = nullptr;
    int rate_ = 0;
};

}  // namespace sound
