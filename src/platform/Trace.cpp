#include "platform/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

bool traceEnabled() {
    const char* value = std::getenv("MENTARIUM_TRACE");
    return value && std::strcmp(value, "1") == 0;
}

void trace(const char* text) {
    if (text && traceEnabled()) std::fputs(text, stderr);
}

}  // namespace platform
