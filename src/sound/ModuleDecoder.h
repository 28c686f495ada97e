#pragma once

#include <cstddef>

#include "sound/Decoder.h"

namespace platform {
class ModuleFile;
}

namespace sound {

// A tracker module (.mod, .s3m, .xm and the other formats libopenmpt knows),
// rendered to stereo at a fixed rate. It repeats forever unless told otherwise.
class ModuleDecoder : public Decoder {
public:
    // Copies what it needs from the bytes; null when they are not a module.
    static ModuleDecoder* open(const void* data, size_t length, int rate);
    ~ModuleDecoder() override;

    int read(float* stereo, int frames) override;
    bool rewind() override;
    int rate() const override { return rate_; }
    void setRepeating(bool repeating);

private:
    ModuleDecoder(platform::ModuleFile* module, int rate) : module_(module), rate_(rate) {}

    platform::ModuleFile* module_;
    int rate_;
};

}  // namespace sound
