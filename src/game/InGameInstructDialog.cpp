#include "game/InGameInstructDialog.h"

#include "game/DailyTestRun.h"
#include "game/MentariumCanvas.h"
#include "lang/Ref.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(InGameInstructDialog)

lang::String InGameInstructDialog::descriptionPicture(int game) {
    lang::String name("+iPAGameDescription_");
    name.append(game).append("|+iPAGameDescription_").append(game).append("_mask");
    return name;
}

void InGameInstructDialog::onShow() {
    MentariumCanvas* c = canvas();
    sprite::Sprite* target = child<sprite::Sprite>("Instructions");
    if (c == nullptr || target == nullptr) return;
    int game = c->getCurrentGame();
    if (c->isDailyTestMode() && c->getDailyTest()) game = c->getDailyTest()->currentGame();
    if (game < 0) return;
    lang::Ref<window::Image> picture(new window::Image(descriptionPicture(game)));
    target->setImage(picture.get());
}

lang::String InGameInstructDialog::onAction(const lang::String& button) {
    if (button.equals("ExitNo")) {
        clickSound();
        setVisible(false);
    }
    return button;
}
