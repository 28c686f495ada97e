#include "host/HostBlock.h"

#include <atomic>

#include "game/HostNotifier.h"
#include "platform/LanguageChoice.h"

namespace host {

namespace {
std::atomic<intptr_t*> current{nullptr};

// The game's view of the host: everything it sends or asks goes through the block.
class BlockNotifier : public HostNotifier {
public:
    void notify(int code, const char* text) override { HostBlock::notify(code, text); }
    bool showDownload() const override { return HostBlock::showDownload(); }
    bool unlockAll() const override { return HostBlock::unlockAll(); }
};

BlockNotifier blockNotifier;
}  // namespace

void HostBlock::set(intptr_t* block) {
    current = block;
    HostNotifier::install(block ? &blockNotifier : nullptr);
}
intptr_t* HostBlock::get() { return current; }

intptr_t HostBlock::slot(int index) {
    intptr_t* block = current;
    return block && index >= 0 && index < MENTARIUM_BLOCK_SLOTS ? block[index] : 0;
}

void HostBlock::notify(int code, const char* text) {
    auto callback = reinterpret_cast<MentariumHostCallback>(slot(MENTARIUM_SLOT_CALLBACK));
    if (callback) callback(slot(MENTARIUM_SLOT_CONTEXT), code, text);
}

bool HostBlock::showDownload() { return slot(MENTARIUM_SLOT_SHOW_DOWNLOAD) != 0; }
bool HostBlock::unlockAll() { return slot(MENTARIUM_SLOT_UNLOCK_ALL) != 0; }
bool HostBlock::steppedFrames() { return slot(MENTARIUM_SLOT_STEPPED_FRAMES) != 0; }

std::string HostBlock::language() {
    auto* chosen = reinterpret_cast<const char*>(slot(MENTARIUM_SLOT_LANGUAGE));
    if (chosen != nullptr && platform::isSupportedLanguage(chosen)) return chosen;
    return platform::chooseLanguage();
}

}  // namespace host
