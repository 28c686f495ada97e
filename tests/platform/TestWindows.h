#pragma once

#include <cstdint>

#include "platform/WindowSystem.h"

namespace testsupport {

// Creates a window of a test's own class at (x, y) with the given size and style.
inline platform::WindowHandle makeTestWindow(const char* className, platform::WindowHandle parent, int x, int y, int w,
                                             int h, uint32_t windowStyle) {
    platform::WindowCreate request;
    request.className = className;
    request.style = windowStyle;
    request.x = x;
    request.y = y;
    request.width = w;
    request.height = h;
    request.parent = parent;
    return platform::createWindow(request);
}

}  // namespace testsupport
