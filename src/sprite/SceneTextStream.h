#pragma once

#include "io/InputStream.h"

namespace sprite {

// Reads a scene text with every bare line feed turned into carriage return plus
// line feed. The scene tokenizer ends comments at carriage returns only, so a
// file written with Unix line ends would otherwise lose everything after its
// first comment.
class SceneTextStream : public io::InputStream {
public:
    // Takes a reference to the source for its lifetime.
    explicit SceneTextStream(io::InputStream* source);
    SceneTextStream(const SceneTextStream&) = delete;
    SceneTextStream& operator=(const SceneTextStream&) = delete;
    ~SceneTextStream() override;
    MENTARIUM_CLASS(SceneTextStream, io::InputStream)

    int read(void* buffer, int offset, int length) override;
    int read() override;
    void close() override;
    void reset() override;
    int skip(int n) override;
    int seek(int position) override;

private:
    io::InputStream* source_;
    int previous_ = -1;         // the last byte taken from the source
    bool pendingFeed_ = false;  // a line feed is owed after an inserted carriage return
    int position_ = 0;
};

}  // namespace sprite
