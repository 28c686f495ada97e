#include "game/DifficultyMenu.h"

#include <algorithm>

#include "game/InGameInstructDialog.h"
#include "game/MentariumCanvas.h"
#include "game/ProgressRecord.h"
#include "game/RazozSprite.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/ButtonSprite.h"
#include "sprite/DataLoader.h"
#include "sprite/NewFontSprite.h"
#include "sprite/NumberSprite.h"
#include "window/Event.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(DifficultyMenu)

namespace {
constexpr const char* kButtons[3] = {"bDifficultyEasy", "bDifficultyNormal", "bDifficultyHard"};
constexpr const char* kHighScores[3] = {"HighScoreEasy", "HighScoreNormal", "HighScoreHard"};
constexpr const char* kTrophies[3] = {"TrophiesEasy", "TrophiesNormal", "TrophiesHard"};
constexpr uint32_t kFills[3] = {0xFF93D66D, 0xFF6A74C9, 0xFFD7634D};
constexpr int kNeutral = 128, kHighlight = 140;  // brighter, yet the white label still reads

}  // namespace

uint32_t DifficultyMenu::graphFill(int difficulty) { return kFills[std::clamp(difficulty, 0, 2)]; }

lang::String DifficultyMenu::trophyName(int level) {
    MentariumCanvas* c = canvas();
    const char* key = level <= 0 ? "TXT_BRONZE" : level == 1 ? "TXT_SILVER" : "TXT_GOLD";
    return c ? c->text(key) : lang::String(key);
}

lang::String DifficultyMenu::trophyAdvice(int game, int difficulty) {
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    if (record == nullptr) return lang::String();
    int best = record->bestScore(game, difficulty);
    if (best < 1) return c->text("TXT_PRACTICE_FIRST_PLAY_INTRO");
    int level = record->trophyLevel(difficulty, best);
    if (level == TrophyGold) return c->text("TXT_PRACTICE_GOLD_CONGRATULATIONS");
    int next = level + 1;
    lang::String threshold;
    threshold.append(record->trophyThreshold(difficulty, next));
    lang::String advice = c->text("TXT_YOU_NEED_VURIVU_TO_EARN_TROPHY");
    return lang::String::format(advice.c_str(), "%", threshold.c_str(), trophyName(next).c_str(),
                                static_cast<const char*>(nullptr));
}

void DifficultyMenu::showHistory(GameScreen* screen, const char* area, int game, int difficulty, int xOffset,
                                 int yOffset) {
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    const ProgressRecord::GameBlock* block = record ? record->gameBlock(game) : nullptr;
    if (block == nullptr || difficulty < 0 || difficulty > 2) return;
    c->showHistoryGraph(screen, area, block->history[difficulty], block->historyLength[difficulty],
                        graphFill(difficulty), xOffset, yOffset, "PracticeScoreHighlight");
}

void DifficultyMenu::onLoaded(sprite::DataLoader* loader) {
    GameScreen::onLoaded(loader);
    readNumbers(loader, {&xCaptionOffset_, &yCaptionOffset_, &razozStyle_});
}

sprite::ButtonSprite* DifficultyMenu::difficultyButton(int d) const {
    return d >= 0 && d < 3 ? child<sprite::ButtonSprite>(kButtons[d]) : nullptr;
}

void DifficultyMenu::onShow() {
    ObjectLock hold(this, true);
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    if (record == nullptr) return;
    int game = c->getCurrentGame();
    if (auto* name = child<sprite::NewFontSprite>("GameName")) {
        name->setText(c->gameName(game));
        name->setVisible(false);
    }
    for (int d = 0; d < 3; ++d) {
        if (auto* box = child<sprite::NewFontSprite>(numberedName("RazozDialog_", d).c_str())) {
            box->setText(trophyAdvice(game, d));
            box->setVisible(false);
        }
        lang::String area = numberedName("PracticeScoreHistory_", d);
        showHistory(this, area.c_str(), game, d, xCaptionOffset_, yCaptionOffset_);
        area.append("_LineGraph");
        showChild(area.c_str(), false);
        int best = record->bestScore(game, d);
        if (auto* score = child<sprite::NumberSprite>(kHighScores[d])) score->setValue(std::max(best, 0));
        if (auto* trophy = child<sprite::AnimateSprite>(kTrophies[d])) {
            int level = record->trophyLevel(d, best);
            if (level >= 0) trophy->setFrame(level);
            trophy->setVisible(level != TrophyNone);
        }
    }
    showChild("PracticeScoreHighlight", false);
    showChild("graphXLabel", false);
    showChild("graphYLabel", false);
    showChild("bubble", false);
    if (sprite::Sprite* instructions = child<sprite::Sprite>("Instructions")) {
        lang::Ref<window::Image> picture(new window::Image(InGameInstructDialog::descriptionPicture(game)));
        instructions->setImage(picture.get());
        instructions->setVisible(true);
    }
    hovered_ = -1;
}

void DifficultyMenu::hover(int d) {
    if (d == hovered_) return;
    MentariumCanvas* c = canvas();
    for (int i = 0; i < 3; ++i) {
        lang::String graph = numberedName("PracticeScoreHistory_", i);
        graph.append("_LineGraph");
        showChild(graph.c_str(), false);
        showChild(numberedName("RazozDialog_", i).c_str(), false);
    }
    if (sprite::ButtonSprite* old = difficultyButton(hovered_))
        old->setColorFactors(old->getAlpha(), kNeutral, kNeutral, kNeutral);
    hovered_ = d;
    bool over = d >= 0;
    showChild("GameName", over);
    showChild("Instructions", !over);
    showChild("bubble", over);
    showChild("PracticeScoreHighlight", false);
    showChild("graphXLabel", over);
    showChild("graphYLabel", over);
    if (!over) {
        if (c) c->detachRazoz(this);
        return;
    }
    sprite::ButtonSprite* button = difficultyButton(d);
    if (button) button->setColorFactors(button->getAlpha(), kHighlight, kHighlight, kHighlight);
    auto* box = child<sprite::NewFontSprite>(numberedName("RazozDialog_", d).c_str());
    if (box) box->setVisible(true);
    if (c && c->getRazoz()) {
        c->attachRazoz(this);
        c->getRazoz()->setTextBox(box);
    }
    // Rebuilt so that the captions and the highlight belong to this difficulty's graph.
    lang::String area = numberedName("PracticeScoreHistory_", d);
    showHistory(this, area.c_str(), c ? c->getCurrentGame() : -1, d, xCaptionOffset_, yCaptionOffset_);
    area.append("_LineGraph");
    showChild(area.c_str(), true);
}

bool DifficultyMenu::mouseMoved(window::Event* event) {
    bool answer = GameScreen::mouseMoved(event);
    ObjectLock hold(this, true);
    int lx = event->x - getX(), ly = event->y - getY();
    int over = -1;
    for (int d = 0; d < 3 && over < 0; ++d)
        if (sprite::ButtonSprite* b = difficultyButton(d); b && b->isVisible() && b->contains(lx, ly)) over = d;
    hover(over);
    return answer || over >= 0;
}

lang::String DifficultyMenu::onAction(const lang::String& button) {
    MentariumCanvas* c = canvas();
    if (c == nullptr) return button;
    for (int d = 0; d < 3; ++d)
        if (button.equals(kButtons[d])) {
            clickSound();
            hover(-1);
            setVisible(false);
            c->setDifficulty(d);
            c->setState(MentariumCanvas::StatePlaying);
            return button;
        }
    if (button.equals("bBackToMenu")) {
        clickSound();
        hover(-1);
        setVisible(false);
        if (sprite::Sprite* practice = c->screen(MentariumCanvas::ScreenPracticeAreaMenu)) practice->setVisible(true);
    }
    return button;
}
