#include "sprite/FrameGate.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace sprite {

namespace {

// The longest one frame may take before the host gives up on it: the first
// show of a screen decodes its pictures, which takes a fraction of this.
constexpr auto kLongestFrame = std::chrono::seconds(20);

struct GateState {
    std::mutex mutex;
    std::condition_variable changed;
    bool stepped = false;
    bool attached = false;
    uint64_t requested = 0;  // frames asked for
    uint64_t finished = 0;   // frames run
    uint32_t elapsedMs = 0;
};

GateState& gate() {
    static GateState state;
    return state;
}

}  // namespace

void FrameGate::setStepped(bool on) {
    std::lock_guard<std::mutex> hold(gate().mutex);
    gate().stepped = on;
    gate().elapsedMs = 0;
}

bool FrameGate::isStepped() {
    std::lock_guard<std::mutex> hold(gate().mutex);
    return gate().stepped;
}

uint32_t FrameGate::elapsedMs() {
    std::lock_guard<std::mutex> hold(gate().mutex);
    return gate().elapsedMs;
}

bool FrameGate::step(const std::function<void()>& whileWaiting) {
    GateState& g = gate();
    std::unique_lock<std::mutex> hold(g.mutex);
    if (!g.attached) return false;
    uint64_t wanted = ++g.requested;
    g.changed.notify_all();
    const auto giveUp = std::chrono::steady_clock::now() + kLongestFrame;
    while (g.attached && g.finished < wanted) {
        if (std::chrono::steady_clock::now() >= giveUp) return false;
        if (whileWaiting) {
            hold.unlock();
            whileWaiting();
            hold.lock();
        }
        g.changed.wait_for(hold, std::chrono::milliseconds(1), [&] { return !g.attached || g.finished >= wanted; });
    }
    return g.finished >= wanted;
}

bool FrameGate::attach() {
    std::lock_guard<std::mutex> hold(gate().mutex);
    if (!gate().stepped) return false;
    gate().attached = true;
    gate().finished = gate().requested;  // a request left by an earlier canvas is void
    return true;
}

void FrameGate::detach() {
    std::lock_guard<std::mutex> hold(gate().mutex);
    gate().attached = false;
    gate().changed.notify_all();
}

bool FrameGate::awaitRequest(int timeoutMs) {
    GateState& g = gate();
    std::unique_lock<std::mutex> hold(g.mutex);
    return g.changed.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] { return g.requested > g.finished; });
}

void FrameGate::finishFrame(int periodMs) {
    std::lock_guard<std::mutex> hold(gate().mutex);
    ++gate().finished;
    gate().elapsedMs += static_cast<uint32_t>(periodMs);
    gate().changed.notify_all();
}

}  // namespace sprite
