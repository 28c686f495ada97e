#pragma once

#include "sound/StreamSource.h"

namespace sound {

// A sound decoded as it plays (Ogg Vorbis, or a WAV served from memory), on at most one channel.
class Stream {
public:
    explicit Stream(Decoder* decoder);

    StreamSource& source() { return source_; }
    const StreamSource& source() const { return source_; }
    int channel() const { return channel_; }
    void setChannel(int channel) { channel_ = channel; }

private:
    StreamSource source_;
    int channel_ = -1;  // handle of the channel it plays on, or -1
};

}  // namespace sound
