#pragma once

#include "mentarium/host.h"

// What the game tells its host and asks of it. The game owns this interface;
// the host layer implements it and installs its implementation at start, so
// the game never calls up into the host. With none installed, notifications
// go nowhere and the answers are "no".
class HostNotifier {
public:
    virtual ~HostNotifier() = default;

    // Sends a notification (the codes of mentarium/host.h); text only for the best score.
    virtual void notify(int code, const char* text) = 0;
    // The host wants the download button shown.
    virtual bool showDownload() const = 0;
    // Every game opens in the practice area for this run.
    virtual bool unlockAll() const = 0;

    // The installed notifier (borrowed; it outlives the game), or null to install none.
    static void install(HostNotifier* notifier);

    static void send(int code, const char* text = nullptr);
    static bool downloadShown();
    static bool allUnlocked();
};
