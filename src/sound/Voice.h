#pragma once

namespace sound {

class Sample;
class StreamSource;

// What one mixer channel is playing and how. Changed only under the mixer's lock.
struct Voice {
    const Sample* sample = nullptr;  // one of sample and stream is set while active
    StreamSource* stream = nullptr;
    double position = 0.0;  // in source frames; for streams, from the ring's read side
    double step = 1.0;      // source frames per output frame
    int frequency = 0;
    int volume = 255;
    bool paused = false;
    bool active = false;
    unsigned generation = 0;  // bumped at every start, so stale handles miss
};

}  // namespace sound
