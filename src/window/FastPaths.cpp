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

std::atomic<bool>& avx2Allowed() {
    static std::atomic<bool> allowed{true};
    return allowed;
}

bool processorHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

}  // namespace

bool FastPaths::on() { return switchState().load(std::memory_order_relaxed); }

void FastPaths::setOn(bool on) { switchState().store(on, std::memory_order_relaxed); }

bool FastPaths::avx2() { return on() && processorHasAvx2() && avx2Allowed().load(std::memory_order_relaxed); }

void FastPaths::setAvx2(bool allowed) { avx2Allowed().store(allowed, std::memory_order_relaxed); }

}  // namespace window::pixels
