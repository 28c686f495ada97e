#include "game/PracticeCompleteScreen.h"

#include "game/DifficultyMenu.h"
#include "game/MentariumCanvas.h"
#include "game/ProgressRecord.h"
#include "game/RazozSprite.h"
#include "lang/ObjectLock.h"
#include "sprite/AnimateSprite.h"
#include "sprite/DataLoader.h"
#include "sprite/NewFontSprite.h"
#include "sprite/NumberSprite.h"

MENTARIUM_DEFINE_METACLASS(PracticeCompleteScreen)

void PracticeCompleteScreen::onLoaded(sprite::DataLoader* loader) {
    GameScreen::onLoaded(loader);
    readNumbers(loader, {&xCaptionOffset_, &yCaptionOffset_, &razozStyle_});
}

lang::String PracticeCompleteScreen::resultText(int game, int difficulty, int level, int levelBefore) {
    MentariumCanvas* c = canvas();
    if (c == nullptr) return lang::String();
    lang::String text;
    if (level > levelBefore) {
        lang::String earned = c->text("TXT_CONGRATULATIONS_YOU_EARNED_TROPHY");
        text = lang::String::format(earned.c_str(), "%", DifficultyMenu::trophyName(level).c_str(),
                                    static_cast<const char*>(nullptr));
        if (level != TrophyGold) text.append("\n");
    }
    if (level != TrophyGold) text.append(DifficultyMenu::trophyAdvice(game, difficulty));
    return text;
}

void PracticeCompleteScreen::onShow() {
    ObjectLock hold(this, true);
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    if (record == nullptr) return;
    int game = c->getCurrentGame(), d = c->getDifficulty();
    c->attachRazoz(this);
    if (auto* name = child<sprite::NewFontSprite>("GameName")) name->setText(c->gameName(game));
    const ProgressRecord::GameBlock* block = record->gameBlock(game);
    int newest = block && block->historyLength[d] > 0 ? block->history[d][0] : 0;
    if (auto* score = child<sprite::NumberSprite>("Score")) score->setValue(newest);
    int best = record->bestScore(game, d);
    if (auto* shown = child<sprite::NumberSprite>("HighScore")) shown->setValue(best);
    int level = record->trophyLevel(d, best);
    if (auto* trophy = child<sprite::AnimateSprite>("Trophy")) {
        if (level >= 0) trophy->setFrame(level);
        trophy->setVisible(level != TrophyNone);
    }
    showChild("NoTrophy", level < 0);
    if (RazozSprite* r = c->getRazoz()) r->say(resultText(game, d, level, c->getTrophyBefore()), 0);
    DifficultyMenu::showHistory(this, "PracticeScoreHistory", game, d, xCaptionOffset_, yCaptionOffset_);
}

void PracticeCompleteScreen::onHide() {
    if (MentariumCanvas* c = canvas()) c->detachRazoz(this);
}

lang::String PracticeCompleteScreen::onAction(const lang::String& button) {
    MentariumCanvas* c = canvas();
    if (button.equals("bOk") && c) {
        clickSound();
        setVisible(false);
        c->setState(MentariumCanvas::StateMenu);
        if (sprite::Sprite* next = c->screen(MentariumCanvas::ScreenDifficultyMenu)) next->setVisible(true);
    }
    return button;
}
