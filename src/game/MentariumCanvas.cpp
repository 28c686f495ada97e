#include "game/MentariumCanvas.h"

#include <atomic>

#include "host/HostBlock.h"
#include "sprite/SpriteBase.h"

namespace {
std::atomic<MentariumCanvas*> currentCanvas{nullptr};
}  // namespace

MentariumCanvas* MentariumCanvas::current() { return currentCanvas; }
void MentariumCanvas::setCurrent(MentariumCanvas* canvas) { currentCanvas = canvas; }

MentariumCanvas::MentariumCanvas() { setCurrent(this); }

MentariumCanvas::~MentariumCanvas() {
    MentariumCanvas* self = this;
    currentCanvas.compare_exchange_strong(self, nullptr);
}

void MentariumCanvas::sceneLoaded(sprite::DataLoader*) {
    // The first screen: the main menu when the scene has one.
    if (sprite::SpriteBase* menu = findSprite("MainMenu")) menu->setVisible(true);
    state_ = StateMenu;
    repaint(nullptr);
    host::HostBlock::notify(MENTARIUM_NOTIFY_LOADED);
}

void MentariumCanvas::onCloseRequest() {}

void MentariumCanvas::onActivation(bool active) {
    if (!active) pauseRequested_ = true;
}
