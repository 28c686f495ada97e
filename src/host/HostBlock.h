#pragma once

#include <cstdint>
#include <string>

#include "mentarium/host.h"

namespace host {

// The host information block of the running game and the notifications sent
// through its callback. The block belongs to the host; it stays valid from the
// start call until the stop call returns.
class HostBlock {
public:
    static void set(intptr_t* block);
    static intptr_t* get();
    static intptr_t slot(int index);
    // Sends a notification when the block has a callback; text only for code 12.
    static void notify(int code, const char* text = nullptr);
    static bool showDownload();
    // Every game opens in the practice area for this run; the profile is not told.
    static bool unlockAll();
    // Frames run at the host's request rather than by the clock.
    static bool steppedFrames();
    // The language code the game speaks: the host's choice when it names a
    // supported one, else the environment's.
    static std::string language();
};

}  // namespace host
