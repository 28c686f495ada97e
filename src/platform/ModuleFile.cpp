#include "platform/ModuleFile.h"

#include <libopenmpt/libopenmpt.h>

namespace platform {

struct ModuleFile::Handle {
    openmpt_module* module;
};

ModuleFile* ModuleFile::open(const void* data, size_t length) {
    if (!data || length == 0) return nullptr;
    int error = 0;
    const char* message = nullptr;
    openmpt_module* module = openmpt_module_create_from_memory2(
        data, length, openmpt_log_func_silent, nullptr, openmpt_error_func_ignore, nullptr, &error, &message, nullptr);
    if (message) openmpt_free_string(message);
    if (!module) return nullptr;
    return new ModuleFile(new Handle{module});
}

ModuleFile::~ModuleFile() {
    openmpt_module_destroy(handle_->module);
    delete handle_;
}

size_t ModuleFile::read(int rate, float* stereo, size_t frames) {
    return openmpt_module_read_interleaved_float_stereo(handle_->module, rate, frames, stereo);
}

void ModuleFile::rewind() { openmpt_module_set_position_seconds(handle_->module, 0.0); }

void ModuleFile::setRepeating(bool repeating) { openmpt_module_set_repeat_count(handle_->module, repeating ? -1 : 0); }

}  // namespace platform
