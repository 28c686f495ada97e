#include "game/DailyTestRestScreen.h"

#include "game/DailyTestRun.h"
#include "game/InGameInstructDialog.h"
#include "game/MentariumCanvas.h"
#include "game/PauseMenu.h"
#include "game/RazozSprite.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/AnimateSprite.h"
#include "sprite/NewFontSprite.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(DailyTestRestScreen)

void DailyTestRestScreen::onLoaded(sprite::DataLoader* loader) {
    GameScreen::onLoaded(loader);
    readNumbers(loader, {&razozStyle_});
}

lang::String DailyTestRestScreen::hintKey(int game, int variant) {
    lang::String key = numberedName("TXT_HINT_", game + 1);
    key.append("_").append(variant);
    return key;
}

void DailyTestRestScreen::onShow() {
    ObjectLock hold(this, true);
    MentariumCanvas* c = canvas();
    DailyTestRun* run = c ? c->getDailyTest() : nullptr;
    if (run == nullptr) return;
    c->attachRazoz(this);
    const int next = run->currentGame(), played = run->gamesPlayed();
    if (auto* rules = child<sprite::Sprite>("Instructions"); rules && next >= 0) {
        lang::Ref<window::Image> picture(new window::Image(InGameInstructDialog::descriptionPicture(next)));
        rules->setImage(picture.get());
        rules->setVisible(true);
    }
    for (int k = 1; k <= DailyTestRun::GamesPerTest; ++k) {
        const bool listed = k - 1 <= played;
        auto* name = child<sprite::NewFontSprite>(numberedName("Game_", k).c_str());
        if (name) {
            if (listed) name->setText(c->gameName(run->gameAt(k - 1)));
            name->setVisible(listed);
        }
        if (auto* row = child<sprite::AnimateSprite>(numberedName("GameListings", k).c_str()))
            row->setFrame(!listed ? RowLater : k - 1 == played ? RowNext : RowPlayed);
    }
    showButton("ButtonStart", played == 0);
    showButton("bContinue", played > 0);
    if (RazozSprite* r = c->getRazoz(); r && next >= 0) r->say(c->text(hintKey(next, random_.nextInt(1, 2))), 0);
}

void DailyTestRestScreen::onHide() {
    if (MentariumCanvas* c = canvas()) c->detachRazoz(this);
}

lang::String DailyTestRestScreen::onAction(const lang::String& button) {
    MentariumCanvas* c = canvas();
    DailyTestRun* run = c ? c->getDailyTest() : nullptr;
    if (run == nullptr) return button;
    if (button.equals("bContinue") || button.equals("ButtonStart")) {
        clickSound();
        if (run->currentGame() >= 0) c->selectGame(run->currentGame());
        return lang::String();
    }
    if (button.equals("bMenu")) {
        clickSound();
        setVisible(false);
        if (auto* pause = dynamic_cast<PauseMenu*>(c->screen(MentariumCanvas::ScreenPauseMenu)))
            pause->showBetweenGames();
        return lang::String();
    }
    return button;
}
