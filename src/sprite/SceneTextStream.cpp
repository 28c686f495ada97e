#include "sprite/SceneTextStream.h"

#include <cstdint>

namespace sprite {

SceneTextStream::SceneTextStream(io::InputStream* source) : source_(source) { source_->addRef(); }

SceneTextStream::~SceneTextStream() { source_->release(); }

int SceneTextStream::read() {
    int c;
    if (pendingFeed_) {
        pendingFeed_ = false;
        c = '\n';
    } else {
        c = source_->read();
        if (c < 0) return -1;
        bool bareFeed = c == '\n' && previous_ != '\r';
        previous_ = c;
        if (bareFeed) {
            pendingFeed_ = true;
            c = '\r';
        }
    }
    ++position_;
    return c;
}

int SceneTextStream::read(void* buffer, int offset, int length) {
    auto* out = static_cast<uint8_t*>(buffer) + offset;
    int n = 0;
    for (int c; n < length && (c = read()) >= 0; ++n) out[n] = static_cast<uint8_t>(c);
    return n;
}

void SceneTextStream::close() { source_->close(); }

void SceneTextStream::reset() {
    source_->reset();
    previous_ = -1;
    pendingFeed_ = false;
    position_ = 0;
}

int SceneTextStream::skip(int n) {
    int moved = 0;
    while (moved < n && read() >= 0) ++moved;
    return moved;
}

int SceneTextStream::seek(int position) {
    int old = position_;
    reset();
    skip(position);
    return position_ - old;
}

}  // namespace sprite
