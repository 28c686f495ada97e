#include "game/ExitMenu.h"

#include "game/MentariumCanvas.h"

MENTARIUM_DEFINE_METACLASS(ExitMenu)

void ExitMenu::onShow() {
    MentariumCanvas* c = canvas();
    bool test = c && c->isDailyTestMode();
    showChild("ExitTitleTest", test);
    showChild("ExitTitlePractice", !test);
}

lang::String ExitMenu::onAction(const lang::String& button) {
    if (button.equals("ExitYes") || button.equals("ExitNo")) {
        clickSound();
        setVisible(false);
    }
    return button;
}
