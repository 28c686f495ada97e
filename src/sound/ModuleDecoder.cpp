#include "sound/ModuleDecoder.h"

#include "platform/ModuleFile.h"

namespace sound {

ModuleDecoder* ModuleDecoder::open(const void* data, size_t length, int rate) {
    if (rate <= 0) return nullptr;
    platform::ModuleFile* module = platform::ModuleFile::open(data, length);
    if (!module) return nullptr;
    auto* decoder = new ModuleDecoder(module, rate);
    decoder->setRepeating(true);
    return decoder;
}

ModuleDecoder::~ModuleDecoder() { delete module_; }

int ModuleDecoder::read(float* stereo, int frames) {
    return static_cast<int>(module_->read(rate_, stereo, static_cast<size_t>(frames)));
}

bool ModuleDecoder::rewind() {
    module_->rewind();
    return true;
}

void ModuleDecoder::setRepeating(bool repeating) { module_->setRepeating(repeating); }

}  // namespace sound
