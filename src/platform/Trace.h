#pragma once

namespace platform {

// Debug traces: written to standard error only when MENTARIUM_TRACE=1.
bool traceEnabled();
void trace(const char* text);

}  // namespace platform
