#include "game/StartGameSwipe.h"

#include "game/MentariumCanvas.h"
#include "lang/ObjectLock.h"
#include "sprite/AnimateSprite.h"

MENTARIUM_DEFINE_METACLASS(StartGameSwipe)

namespace {
// The scene's sounds: "ready" for the first two signs, "go" for the last.
constexpr int kSoundReady = 2;
constexpr int kSoundGo = 3;
}  // namespace

void StartGameSwipe::start() {
    ObjectLock hold(this, true);
    stage_ = -1;
    frameCounter_ = FramesPerSign - 1;
    setVisible(true);
}

void StartGameSwipe::advance() {
    MentariumCanvas* c = canvas();
    if (c == nullptr || c->getState() != MentariumCanvas::StatePlaying || !isVisible()) return;
    ObjectLock hold(this, true);
    if (++frameCounter_ > FramesPerSign - 1) {
        ++stage_;
        frameCounter_ = 0;
        if (stage_ < Signs) {
            if (auto* sign = child<sprite::AnimateSprite>("StartGameAction")) sign->setFrame(stage_);
            c->playSound(stage_ < Signs - 1 ? kSoundReady : kSoundGo);
        } else {
            setVisible(false);
        }
    }
}
