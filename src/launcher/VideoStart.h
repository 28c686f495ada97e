#pragma once

#include <string>

namespace launcher {

// Starts SDL's video (with events and timers). Headless runs use the dummy
// driver. Otherwise a driver named in SDL_VIDEODRIVER is taken as asked; without
// one, only drivers that show a window on a display are tried, so that a machine
// with no display is an error rather than a game running invisibly in SDL's
// offscreen driver. False with SDL's reasons in error when none starts.
bool startVideo(bool headless, std::string& error);

}  // namespace launcher
