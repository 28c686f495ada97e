#pragma once

#include <string>

struct SDL_Window;

namespace launcher {

// Saves the scene area of the window's surface as a 500x375 PNG (scaled back when
// the window is larger). False with a message on failure.
bool saveScreenshot(SDL_Window* window, const std::string& path, std::string& error);

}  // namespace launcher
