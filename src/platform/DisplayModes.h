#pragma once

#include <vector>

namespace platform {

struct DisplayMode {
    int width = 0, height = 0, bitsPerPixel = 0;
    bool interlaced = false, grayscale = false;
};

// The modes a full-screen switch can use. The screen keeps its desktop mode: a
// full-screen mode shows the windows that cover it scaled to fit the desktop,
// aspect kept, with black bars. So besides the desktop's own modes the classic
// game sizes that fit on the desktop are offered.
std::vector<DisplayMode> enumDisplayModes();
bool testDisplayMode(const DisplayMode& mode);
// Switches to a mode for as long as the program runs or until restoreDisplayMode().
bool changeDisplayMode(const DisplayMode& mode);
void restoreDisplayMode();
bool isDisplayModeChanged();
// Tests replace the list of modes; null restores the real list.
void setDisplayModesForTesting(const std::vector<DisplayMode>* modes);

}  // namespace platform
