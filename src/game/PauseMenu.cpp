#include "game/PauseMenu.h"

#include "game/DailyTestRun.h"
#include "game/MentariumCanvas.h"
#include "sprite/ButtonSprite.h"

MENTARIUM_DEFINE_METACLASS(PauseMenu)

void PauseMenu::onLoaded(sprite::DataLoader* loader) {
    GameScreen::onLoaded(loader);
    setUpSwitches(this);
}

void PauseMenu::showWith(const char* leave, const char* hidden) {
    showChild(hidden, false);
    showButton(leave, true);
    if (MentariumCanvas* c = canvas()) {
        // The game behind the menu is darkened; resuming takes the darkening away.
        if (sprite::Sprite* dim = c->screen(MentariumCanvas::ScreenDim)) dim->setVisible(true);
    }
    setVisible(true);
}

void PauseMenu::showInGame() { showWith("PauseEndGame", "PauseMainMenu"); }

void PauseMenu::showBetweenGames() { showWith("PauseMainMenu", "PauseEndGame"); }

lang::String PauseMenu::onAction(const lang::String& button) {
    MentariumCanvas* c = canvas();
    auto showExitQuestion = [c] {
        if (sprite::Sprite* exit = c ? c->screen(MentariumCanvas::ScreenExitMenu) : nullptr) exit->setVisible(true);
    };
    if (button.equals("PauseEndGame")) {
        clickSound();
        showExitQuestion();
    } else if (button.equals("PauseMainMenu")) {
        clickSound();
        DailyTestRun* run = c ? c->getDailyTest() : nullptr;
        if (run == nullptr || run->gamesPlayed() == 0) return lang::String("ExitYes");  // nothing to lose yet
        showExitQuestion();
    } else if (button.equals("PauseCancel")) {
        clickSound();
        setVisible(false);
    } else if (button.equals("PauseHowToPlay")) {
        clickSound();
    }
    return button;
}
