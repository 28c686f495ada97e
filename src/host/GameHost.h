#pragma once

#include <cstdint>

#include "platform/WindowMessages.h"

namespace host {

// The start and stop routines behind GameDLLNotify, and the game window's
// procedure: the game runs in a child window "Web" of the host's window.
class GameHost {
public:
    // GameDLLNotify: 0 starts (stopping a running game first), 1 stops, 2 lets the
    // game do its window work on the host's thread and answers how long the host
    // may wait for an event before calling again (-1: until one arrives), 3
    // describes the game; answers 0 otherwise.
    static int notify(int code, intptr_t* block);

    static bool isStarted();
    static platform::WindowHandle gameWindow();

private:
    // False when the game cannot be built (its archive is missing or damaged).
    static bool start();
    static void stop();
    // Stops the game and sends the host its "stopped" notification.
    static void stopAndTell();
    static int describe(intptr_t* block);
    static platform::LResult windowProc(platform::WindowHandle window, unsigned message, platform::WParam wParam,
                                        platform::LParam lParam);
    static void paint(platform::WindowHandle window);
    static void awaitLoadingCount();
    static void refreshLoadingDisplay();
    static int service();
    // Runs one frame when the host steps them; answers its length in ms, or 0.
    static int step();
};

}  // namespace host
