#pragma once

#include "sound/Decoder.h"
#include "sound/SampleData.h"

namespace sound {

// Serves a sound decoded whole (a WAV opened as a stream) through the stream path.
class PcmDecoder : public Decoder {
public:
    explicit PcmDecoder(SampleData&& data) : data_(std::move(data)) {}

    int read(float* stereo, int frames) override;
    bool rewind() override {
        position_ = 0;
        return true;
    }
    int rate() const override { return data_.rate; }

private:
    SampleData data_;
    int position_ = 0;
};

}  // namespace sound
