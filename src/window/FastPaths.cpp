#include "window/FastPaths.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace window::pixels {

namespace {

std::atomic<bool>& switchState() {
    static std::atomic<bool> state{[] {
        const char* off = std::getenv("MENTARIUM_NO_SIMD");
        return !(off && std::strcmp(off, "1") == 0);
    }()};
    return state;
}

}  // namespace

bool FastPaths::on() { return switchState().load(std::memory_order_relaxed); }

void FastPaths::setOn(bool on) { switchState().store(on, std::memory_order_relaxed); }

}  // namespace window::pixels
