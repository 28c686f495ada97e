#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

namespace sound {

// Random-access bytes for a decoder: a memory block (borrowed, it must outlive
// the source) or an open file. Reads past the end deliver fewer bytes.
class ByteSource {
public:
    static ByteSource* fromMemory(const void* data, size_t length);
    static ByteSource* fromFile(const char* path);  // null when it cannot be opened
    ~ByteSource();
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    size_t read(void* out, size_t bytes);
    bool seek(long long offset, int whence);  // whence as for fseek
    long long tell() const;
    long long size() const { return size_; }

    // Reads a whole file into memory; false when it cannot be opened or read.
    static bool readFile(const char* path, std::vector<unsigned char>& out);

private:
    ByteSource() = default;
    const unsigned char* data_ = nullptr;
    std::FILE* file_ = nullptr;
    long long size_ = 0;
    long long position_ = 0;
};

}  // namespace sound
