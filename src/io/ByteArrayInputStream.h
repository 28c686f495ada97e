#pragma once

#include <cstdint>

#include "io/InputStream.h"
#include "lang/String.h"

namespace lang {
class ResourceItem;
}

namespace io {

// Bytes in memory: normally the whole of one resource archive item.
class ByteArrayInputStream : public InputStream {
public:
    // Reads the archive item of that name (one leading '+' is dropped). With no
    // archive open, or no such item, the stream is empty.
    explicit ByteArrayInputStream(const lang::String& name);
    // Reads memory that the caller keeps alive.
    ByteArrayInputStream(const uint8_t* data, int length);
    ByteArrayInputStream(const ByteArrayInputStream&) = delete;
    ByteArrayInputStream& operator=(const ByteArrayInputStream&) = delete;
    ~ByteArrayInputStream() override;
    MENTARIUM_CLASS(ByteArrayInputStream, InputStream)

    int read(void* buffer, int offset, int length) override;
    int read() override;
    void close() override {}
    void reset() override { position_ = 0; }
    int skip(int n) override;
    int seek(int position) override;

    const uint8_t* getData() const { return data_; }
    int getLength() const { return length_; }
    int getPosition() const { return position_; }

private:
    const uint8_t* data_ = nullptr;
    int length_ = 0;
    int position_ = 0;
    lang::ResourceItem* item_ = nullptr;  // keeps the item's bytes alive
};

}  // namespace io
