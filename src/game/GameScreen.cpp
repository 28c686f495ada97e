#include "game/GameScreen.h"

#include "game/MentariumCanvas.h"
#include "lang/IntArray.h"
#include "sprite/ButtonSprite.h"
#include "sprite/DataLoader.h"
#include "window/Event.h"
#include "window/KeyCodes.h"

void GameScreen::setVisible(bool value) {
    bool was = isVisible();
    DialogSprite::setVisible(value);
    if (value && !was) onShow();
    else if (!value && was)
        onHide();
}

namespace {

// The buttons that lead back, one screen or another: Escape presses the first shown.
constexpr const char* kWayBackButtons[] = {"PauseCancel", "ExitNo", "bInstructionsClose",
                                           "bBackToMenu", "bMenu",  "bOk"};

}  // namespace

int GameScreen::mousePressed(window::Event* event) {
    int answer = DialogSprite::mousePressed(event);
    if (answer == TAKEN && pressedName.isEmpty()) onBackgroundPress();
    return actOn(answer);
}

int GameScreen::keyPressed(window::Event* event) {
    int answer = DialogSprite::keyPressed(event);
    if (answer == NOT_TAKEN && event && event->key == window::keys::Escape) {
        if (sprite::ButtonSprite* back = escapeButton()) {
            clickedName = back->getName();
            answer = RESULT;
        }
    }
    return actOn(answer);
}

sprite::ButtonSprite* GameScreen::escapeButton() const {
    for (const char* name : kWayBackButtons)
        if (auto* button = child<sprite::ButtonSprite>(name); button && button->isFocusable()) return button;
    return nullptr;
}

int GameScreen::actOn(int answer) {
    if (answer != RESULT) return answer;
    lang::String action = onAction(clickedName);
    if (action.isEmpty()) {
        clickedName = lang::String();
        return TAKEN;
    }
    clickedName = action;
    return RESULT;
}

void GameScreen::showChild(const char* childName, bool visible) const {
    if (sprite::Sprite* s = findChild(lang::String(childName))) s->setVisible(visible);
}

void GameScreen::showButton(const char* childName, bool visible) const {
    auto* button = child<sprite::ButtonSprite>(childName);
    if (button == nullptr) return;
    if (!visible) {
        button->setVisible(false);
        return;
    }
    int state = button->getState();
    if (state != sprite::ButtonSprite::Selected && state != sprite::ButtonSprite::SelectedHover)
        button->setState(sprite::ButtonSprite::Normal);
    button->setVisible(true);
}

void GameScreen::readNumbers(sprite::DataLoader* loader, std::initializer_list<int*> fields) {
    lang::IntArray* data = loader ? loader->getData() : nullptr;
    int i = 0;
    for (int* field : fields) {
        if (data == nullptr || i >= data->length()) return;
        *field = (*data)[i++];
    }
}

MentariumCanvas* GameScreen::canvas() { return MentariumCanvas::current(); }

void GameScreen::clickSound() {
    if (MentariumCanvas* c = canvas()) c->playSound(MentariumCanvas::SoundClick);
}

void GameScreen::setUpSwitches(sprite::DialogSprite* screen) {
    MentariumCanvas* c = canvas();
    setUpToggle(screen, "bMuteVolume", c && c->isMuted());
    setUpToggle(screen, MentariumCanvas::kPaletteButton, c && c->isColourBlind());
}

void GameScreen::setUpToggle(sprite::DialogSprite* screen, const char* name, bool on) {
    auto* button = dynamic_cast<sprite::ButtonSprite*>(screen->findChild(lang::String(name)));
    if (button == nullptr) return;
    // Two frames: 0 off, 1 on; the selected state shows frame 1.
    button->setStateFrames(0, 0, -1, 1, 1, -2, -2);
    button->setState(on ? sprite::ButtonSprite::Selected : sprite::ButtonSprite::Normal);
}
