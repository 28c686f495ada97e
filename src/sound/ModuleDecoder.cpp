#include "sound/ModuleDecoder.h"

#include <libopenmpt/libopenmpt.h>

namespace sound {

ModuleDecoder* ModuleDecoder::open(const void* data, size_t length, int rate) {
    if (!data || length == 0 || rate <= 0) return nullptr;
    int error = 0;
    const char* message = nullptr;
    openmpt_module* module = openmpt_module_create_from_memory2(
        data, length, openmpt_log_func_silent, nullptr, openmpt_error_func_ignore, nullptr, &error, &message, nullptr);
    if (message) openmpt_free_string(message);
    if (!module) return nullptr;
    auto* decoder = new ModuleDecoder(module, rate);
    decoder->setRepeating(true);
    return decoder;
}

ModuleDecoder::~ModuleDecoder() { openmpt_module_destroy(module_); }

int ModuleDecoder::read(float* stereo, int frames) {
    return static_cast<int>(
        openmpt_module_read_interleaved_float_stereo(module_, rate_, static_cast<size_t>(frames), stereo));
}

bool ModuleDecoder::rewind() {
    openmpt_module_set_position_seconds(module_, 0.0);
    return true;
}

void ModuleDecoder::setRepeating(bool repeating) { openmpt_module_set_repeat_count(module_, repeating ? -1 : 0); }

}  // namespace sound
