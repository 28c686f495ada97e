#include "game/HostNotifier.h"

#include <atomic>

namespace {
std::atomic<HostNotifier*> installed{nullptr};
}  // namespace

void HostNotifier::install(HostNotifier* notifier) { installed = notifier; }

void HostNotifier::send(int code, const char* text) {
    if (HostNotifier* notifier = installed) notifier->notify(code, text);
}

bool HostNotifier::downloadShown() {
    HostNotifier* notifier = installed;
    return notifier && notifier->showDownload();
}

bool HostNotifier::allUnlocked() {
    HostNotifier* notifier = installed;
    return notifier && notifier->unlockAll();
}
