#pragma once

#include <cstddef>

namespace platform {

// A tracker module (.mod, .s3m, .xm and the other formats libopenmpt knows),
// loaded from memory and rendered as interleaved stereo floats.
class ModuleFile {
public:
    // Copies what it needs from the bytes; null when they are not a module.
    static ModuleFile* open(const void* data, size_t length);
    ~ModuleFile();
    ModuleFile(const ModuleFile&) = delete;
    ModuleFile& operator=(const ModuleFile&) = delete;

    // Renders up to frames frames at rate; fewer (0 at the end) when the module stops.
    size_t read(int rate, float* stereo, size_t frames);
    void rewind();
    // Repeats forever, or plays once.
    void setRepeating(bool repeating);

private:
    struct Handle;
    explicit ModuleFile(Handle* handle) : handle_(handle) {}

    Handle* handle_;
};

}  // namespace platform
