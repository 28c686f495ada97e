#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, from a steady clock; wraps like a 32-bit tick count.
uint32_t tickCount();
// Suspends the calling thread.
void sleepMs(int ms);

}  // namespace platform
