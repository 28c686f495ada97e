#pragma once

#include <cstdint>
#include <cstdio>

#include "io/InputStream.h"
#include "lang/String.h"

namespace io {

// A file on disk read in binary mode through the C runtime's buffered functions.
// Opening fails with a lang::Exception "Error Opening " followed by the full path.
class FileInputStream : public InputStream {
public:
    // Opens directory + separator + name; the separator is added only when the
    // directory is not empty and does not already end in one.
    FileInputStream(const lang::String& directory, const lang::String& name);
    explicit FileInputStream(const lang::String& path);
    explicit FileInputStream(const char* path);
    FileInputStream(const FileInputStream&) = delete;
    FileInputStream& operator=(const FileInputStream&) = delete;
    ~FileInputStream() override;
    MENTARIUM_CLASS(FileInputStream, InputStream)

    int read(void* buffer, int offset, int length) override;
    int read() override;  // throws "File error" when the runtime reports a read error
    void close() override;
    void reset() override;
    int skip(int n) override;
    int seek(int position) override;

    bool isOpen() const { return file_ != nullptr; }
    // The file's size in bytes, or -1 once closed.
    int64_t size() const;

private:
    void open(const lang::String& path);

    std::FILE* file_ = nullptr;
};

}  // namespace io
