#pragma once

#include "lang/Object.h"

namespace io {

// A source of bytes read front to back, with a movable position.
class InputStream : public lang::Object {
public:
    MENTARIUM_CLASS(InputStream, lang::Object)

    // Stores up to length bytes at buffer + offset; answers how many (0 at the end or when closed).
    virtual int read(void* buffer, int offset, int length) = 0;
    // The next byte 0..255, or -1 at the end.
    virtual int read() = 0;
    virtual void close() = 0;
    // Back to the first byte.
    virtual void reset() = 0;
    // Moves by n; answers how far the position actually moved.
    virtual int skip(int n) = 0;
    // Moves to an absolute position; answers new position minus old.
    virtual int seek(int position) = 0;
};

}  // namespace io
