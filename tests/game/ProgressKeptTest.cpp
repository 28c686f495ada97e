// The player's progress kept between runs: what one loaded game records is
// what the next one, started with the same profile, shows.
#include <algorithm>

#include "game/ColourPalette.h"
#include "game/DailyTestRun.h"
#include "game/GameFixture.h"
#include "game/MainMenu.h"
#include "game/ProgressRecord.h"
#include "platform/ProgressStore.h"
#include "sprite/ButtonSprite.h"
#include "sprite/DialogSprite.h"
#include "sprite/User.h"
#include "support/TempDir.h"

using namespace game_test;

namespace {

class ProgressKept : public GameFixture {
protected:
    // Loads the game as the frame does, with the player's profile.
    void loadWithProfile() {
        if (canvas) canvas->release();
        if (user_) user_->release();
        user_ = new sprite::User();
        user_->open("Cogniquilt");
        canvas = new RecordingCanvas();
        canvas->setSize(500, 375);
        canvas->initialise(lang::String(MENTARIUM_BINARY_DIR), user_, lang::String("+datfile"), -1);
        ASSERT_TRUE(canvas->loadScene());
        ASSERT_EQ(canvas->getState(), MentariumCanvas::StateMenu);
    }
    void TearDown() override {
        GameFixture::TearDown();
        if (user_) user_->release();
    }

    void playTest(int points) {
        ProgressRecord* record = canvas->getProgress();
        DailyTestRun* run = canvas->getDailyTest();
        canvas->setDailyTestMode(true);
        record->setRankAtTestStart(record->currentRank());
        run->pickGames();
        for (int k = 0; k < DailyTestRun::GamesPerTest; ++k) {
            canvas->gameFinished(run->currentGame(), points);
            canvas->setState(MentariumCanvas::StateResults);
        }
        canvas->setState(MentariumCanvas::StateMenu);
    }

    testsupport::TempDir dir_;
    std::string path_ = dir_.file("profile.sqlite");
    testsupport::ScopedEnv env_{"MENTARIUM_PROFILE", path_.c_str()};
    sprite::User* user_ = nullptr;
};

}  // namespace

// A practice score, a daily test that gained a rank, the mute choice, the last
// difficulty and the introduction all come back in the next run; the record's
// rules go on from there (the next test starts from the kept rank and unlocks).
TEST_F(ProgressKept, ANewRunShowsWhatTheLastOneRecorded) {
    loadWithProfile();
    ProgressRecord* record = canvas->getProgress();
    ASSERT_NE(record, nullptr);
    canvas->setDailyTestMode(false);
    canvas->selectGame(0);
    canvas->setDifficulty(0);
    canvas->gameFinished(0, 1870);
    canvas->setStoredValue(0, 4);  // the level a later play of it starts from
    canvas->gameFinished(0, 900);
    playTest(1000);
    ASSERT_EQ(record->currentRank(), 1);
    const int unlocked = record->unlockedGames(), bonus = record->bonusGame(), total = record->testHistory()[0];
    canvas->setDifficulty(2);
    canvas->setMuted(true);
    auto* menu = dynamic_cast<MainMenu*>(canvas->screen(MentariumCanvas::ScreenMainMenu));
    ASSERT_NE(menu, nullptr);
    menu->setHelpStage(4, false);

    loadWithProfile();
    record = canvas->getProgress();
    EXPECT_EQ(record->bestScore(0, 0), 1870);
    const ProgressRecord::GameBlock* block = record->gameBlock(0);
    ASSERT_EQ(block->historyLength[0], 2);
    EXPECT_EQ(block->history[0][0], 900);
    EXPECT_EQ(block->history[0][1], 1870);
    EXPECT_EQ(record->storedLevel(0, 0), 4);
    EXPECT_EQ(record->bestScore(0, 1), 0);
    EXPECT_EQ(record->currentRank(), 1);
    EXPECT_EQ(record->testHistoryLength(), 1);
    EXPECT_EQ(record->bestTestScore(), total);
    EXPECT_EQ(record->scoreAtRankGained(0), total);
    EXPECT_EQ(record->unlockedGames(), unlocked);
    EXPECT_EQ(record->bonusGame(), bonus);
    EXPECT_EQ(canvas->getDailyTest()->unlocked(), unlocked);
    EXPECT_TRUE(canvas->isMuted());
    EXPECT_EQ(canvas->getDifficulty(), 2);
    menu = dynamic_cast<MainMenu*>(canvas->screen(MentariumCanvas::ScreenMainMenu));
    EXPECT_EQ(menu->getHelpStage(), 4);

    playTest(1000);  // the kept rank is where the next test starts
    EXPECT_EQ(canvas->getProgress()->currentRank(), 2);
    loadWithProfile();
    EXPECT_EQ(canvas->getProgress()->currentRank(), 2);
    EXPECT_EQ(canvas->getProgress()->testHistoryLength(), 2);
}

// The palette is the player's choice like mute: the menus' eye button
// switches it and shows it, the next run starts with it, and a palette named
// at start (the host's --palette) overrides the kept one and is kept in turn.
TEST_F(ProgressKept, ThePaletteChoiceComesBackAndAStartOptionOverridesIt) {
    ColourPalette::setCurrent(ColourPalette::Normal);
    loadWithProfile();
    EXPECT_FALSE(canvas->isColourBlind());
    canvas->onMessage(nullptr, lang::String(MentariumCanvas::kPaletteButton));
    EXPECT_TRUE(canvas->isColourBlind());
    ColourPalette::setCurrent(ColourPalette::Normal);  // as a new process starts

    loadWithProfile();
    EXPECT_TRUE(canvas->isColourBlind());
    EXPECT_NE(canvas->describe().find("palette colour-blind\n"), std::string::npos);
    // Both menus carry the switch, and its "on" state shows a picture (a state
    // without a frame would hide the button).
    for (auto screen : {MentariumCanvas::ScreenMainMenu, MentariumCanvas::ScreenPauseMenu}) {
        auto* dialog = dynamic_cast<sprite::DialogSprite*>(canvas->screen(screen));
        ASSERT_NE(dialog, nullptr);
        auto* toggle = dynamic_cast<sprite::ButtonSprite*>(dialog->findChild(lang::String(MentariumCanvas::kPaletteButton)));
        ASSERT_NE(toggle, nullptr) << "screen " << screen;
        EXPECT_EQ(toggle->getState(), sprite::ButtonSprite::Selected) << "screen " << screen;
        EXPECT_EQ(toggle->getStateFrame(sprite::ButtonSprite::Selected), 1) << "screen " << screen;
    }
    {
        testsupport::ScopedEnv asked{"MENTARIUM_PALETTE", "normal"};
        loadWithProfile();
        EXPECT_FALSE(canvas->isColourBlind());
    }
    loadWithProfile();
    EXPECT_FALSE(canvas->isColourBlind());
    auto* menu = dynamic_cast<sprite::DialogSprite*>(canvas->screen(MentariumCanvas::ScreenMainMenu));
    auto* button = dynamic_cast<sprite::ButtonSprite*>(menu->findChild(lang::String(MentariumCanvas::kPaletteButton)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getState(), sprite::ButtonSprite::Normal);
}

// Values a hand-edited or damaged record may hold never reach the rules:
// unlocked games stay within 6..16, the bonus game within the games.
TEST_F(ProgressKept, ValuesOutOfRangeAreLeftOut) {
    loadWithProfile();
    {
        platform::ProgressStore store(user_->store());
        ASSERT_TRUE(store.setValue("unlocked", 1000));
        ASSERT_TRUE(store.setValue("bonus_game", 99));
        ASSERT_TRUE(store.setValue("rank", -5));
        ASSERT_TRUE(store.addPractice(40, 7, 500, 1));
    }
    loadWithProfile();
    ProgressRecord* record = canvas->getProgress();
    EXPECT_EQ(record->unlockedGames(), 6);
    EXPECT_EQ(record->bonusGame(), -1);
    EXPECT_EQ(record->currentRank(), 0);
    EXPECT_EQ(canvas->getDailyTest()->unlocked(), 6);
}
