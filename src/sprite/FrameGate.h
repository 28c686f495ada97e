#pragma once

#include <cstdint>
#include <functional>

namespace sprite {

// Frames on demand. A host that plays by program (a bot, a tuning run) can have
// the render thread run one frame each time it asks instead of one per tick of
// the clock: a play then runs as fast as the machine allows and repeats
// exactly, since input given between two steps is handled before the next
// frame and the game's message clock counts the frames stepped, not real time.
class FrameGate {
public:
    // Set by the host before the canvas starts; the render thread reads it once.
    static void setStepped(bool on);
    static bool isStepped();
    // Game time stepped so far, in milliseconds: a frame period per step.
    static uint32_t elapsedMs();

    // The host's side. Runs one frame and waits for it, calling whileWaiting
    // every millisecond or so (the frame may need the window thread). False
    // when no render thread takes steps, or it stopped or hung meanwhile.
    static bool step(const std::function<void()>& whileWaiting);

    // The render thread's side. attach() answers whether frames are stepped;
    // then the thread waits for requests and reports each frame done.
    static bool attach();
    static void detach();
    static bool awaitRequest(int timeoutMs);
    static void finishFrame(int periodMs);
};

}  // namespace sprite
