#pragma once

namespace sound {

// A source of stereo float frames decoded on demand (a streamed sound or a song).
class Decoder {
public:
    virtual ~Decoder() = default;
    // Decodes up to frames frames into stereo (interleaved L, R); 0 at the end.
    virtual int read(float* stereo, int frames) = 0;
    // Goes back to the first frame; false when the source cannot.
    virtual bool rewind() = 0;
    // Frames per second of what read() delivers.
    virtual int rate() const = 0;
};

}  // namespace sound
