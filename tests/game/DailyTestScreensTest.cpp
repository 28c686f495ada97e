// The daily test's four screens in the loaded game: the menu with rank,
// marks and history, the rest screen between games, the result (celebration
// or bad news) and the summary.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "ProbeGame.h"
#include "game/DailyTestCompleteScreen.h"
#include "game/DailyTestMenu.h"
#include "game/DailyTestPayoffScreen.h"
#include "game/DailyTestRestScreen.h"
#include "game/DailyTestRun.h"
#include "game/ProgressRecord.h"
#include "game/RazozSprite.h"
#include "sprite/AnimateSprite.h"
#include "sprite/ButtonSprite.h"
#include "sprite/NewFontSprite.h"
#include "sprite/NumberSprite.h"
#include "sprite/ScalerSprite.h"
#include "window/Graphics.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

namespace game_test {
namespace {

std::string str(const lang::String& s) { return s.c_str(); }

// The game with every minigame a test can pick in its scene.
class DailyTestScreensGame : public GameFixture {
protected:
    std::string archivePath() override { return fullGameArchive(); }

    void SetUp() override {
        GameFixture::SetUp();
        loadGame("+fulldat");
        record = canvas->getProgress();
        run = canvas->getDailyTest();
        ASSERT_NE(record, nullptr);
        ASSERT_NE(run, nullptr);
        menu = dynamic_cast<DailyTestMenu*>(canvas->screen(MentariumCanvas::ScreenDailyTestMenu));
        rest = dynamic_cast<DailyTestRestScreen*>(canvas->screen(MentariumCanvas::ScreenDailyTestRest));
        payoff = dynamic_cast<DailyTestPayoffScreen*>(canvas->screen(MentariumCanvas::ScreenDailyTestPayoff));
        complete = dynamic_cast<DailyTestCompleteScreen*>(canvas->screen(MentariumCanvas::ScreenDailyTestComplete));
        ASSERT_NE(menu, nullptr);
        ASSERT_NE(rest, nullptr);
        ASSERT_NE(payoff, nullptr);
        ASSERT_NE(complete, nullptr);
        // In from the main menu, as the player comes.
        sprite::Sprite* main = canvas->screen(MentariumCanvas::ScreenMainMenu);
        clickAfterFrame(main, "bStartDailyTest");
        ASSERT_FALSE(main->isVisible());
        ASSERT_TRUE(menu->isVisible());
        tick();
    }

    // A test started from the menu's button, each game ending with these
    // points and stars, as the canvas hears of them.
    void playTest(const std::vector<int>& points, int stars = 2) {
        ASSERT_TRUE(menu->isVisible());
        clickAfterFrame(menu, "bStartTest");
        ASSERT_TRUE(canvas->isDailyTestMode());
        for (int k = 0; k < 6; ++k) playGame(points[k], stars);
    }
    // The next game, started from the rest screen and ended with these points.
    void playGame(int points, int stars) {
        ASSERT_TRUE(rest->isVisible());
        clickAfterFrame(rest, run->gamesPlayed() == 0 ? "ButtonStart" : "bContinue");
        ASSERT_FALSE(rest->isVisible());
        ASSERT_EQ(canvas->getCurrentGame(), run->currentGame());
        untilPlay(canvas->gameAt(run->currentGame()));  // the start signs give way to play
        canvas->addGameStars(stars);
        canvas->gameFinished(run->currentGame(), points);
        canvas->setState(MentariumCanvas::StateResults);
    }
    // From the scores through the rank they earned back to the test's menu.
    void leaveResult() {
        ASSERT_TRUE(complete->isVisible());
        clickAfterFrame(complete, "bOk");
        ASSERT_TRUE(payoff->isVisible());
        ASSERT_GT(tickUntil([&] { return shown(payoff, "bOk"); }, 1000), 0);
        clickAfterFrame(payoff, "bOk");
        ASSERT_TRUE(menu->isVisible());
        tick();
    }
    // The sixth game's scores lead on to the rank screen.
    void toPayoff() {
        ASSERT_TRUE(complete->isVisible());
        clickAfterFrame(complete, "bOk");
        ASSERT_TRUE(payoff->isVisible());
    }

    // A press and release on a sprite of a screen, a frame after it appeared
    // (buttons are hit where the last frame saw them).
    void clickAfterFrame(sprite::Sprite* screen, const char* name) {
        tick();
        clickOn(screen, static_cast<sprite::DialogSprite*>(screen)->findChild(lang::String(name)));
    }

    template <typename T>
    T* in(sprite::Sprite* screen, const char* name) {
        return dynamic_cast<T*>(static_cast<sprite::DialogSprite*>(screen)->findChild(lang::String(name)));
    }
    bool shown(sprite::Sprite* screen, const char* name) {
        sprite::Sprite* s = in<sprite::Sprite>(screen, name);
        return s && s->isVisible();
    }
    std::string razozText() {
        RazozSprite* r = canvas->getRazoz();
        std::string text = r && r->getTextBox() ? str(r->getTextBox()->getText()) : std::string();
        for (char& ch : text)
            if (ch == '\n') ch = ' ';  // wrapped lines
        return text;
    }

    ProgressRecord* record = nullptr;
    DailyTestRun* run = nullptr;
    DailyTestMenu* menu = nullptr;
    DailyTestRestScreen* rest = nullptr;
    DailyTestPayoffScreen* payoff = nullptr;
    DailyTestCompleteScreen* complete = nullptr;
};

// The menu shows the rank's title and medal, one mark per rank earned, the
// next rank's goal; the pointer over a mark shows when it was earned, over
// the medal the history graph in Razoz's place.
TEST_F(DailyTestScreensGame, MenuShowsTheRankItsMarksAndTheirPopup) {
    playTest({3000, 3000, 3000, 3000, 3000, 3000});
    leaveResult();
    playTest({3000, 3000, 3000, 3000, 3000, 3000});
    leaveResult();
    ASSERT_EQ(record->currentRank(), 2);
    EXPECT_EQ(str(in<sprite::NewFontSprite>(menu, "dailyTestTitle")->getText()), str(record->rankTitle(2)));
    EXPECT_EQ(in<sprite::NumberSprite>(menu, "dailyTestScoreGoal")->getValue(), record->rankThreshold(3));
    EXPECT_TRUE(shown(menu, "iDailyTestTrophyEarned0"));
    EXPECT_TRUE(shown(menu, "iDailyTestTrophyEarned1"));
    EXPECT_FALSE(shown(menu, "iDailyTestTrophyEarned2"));
    EXPECT_GT(in<sprite::Sprite>(menu, "iDailyTestTrophy")->getWidth(), 0);

    sprite::Sprite* mark = in<sprite::Sprite>(menu, "iDailyTestTrophyEarned1");
    pointer(window::Event::MouseMove, mark->getX() + mark->getWidth() / 2, mark->getY() + mark->getHeight() / 2);
    EXPECT_TRUE(menu->isPopupShown());
    EXPECT_TRUE(shown(menu, "rankpopup"));
    EXPECT_EQ(str(in<sprite::NewFontSprite>(menu, "rankpopuptext")->getText()), str(record->rankTitle(1)));
    EXPECT_EQ(in<sprite::NumberSprite>(menu, "rankpopupscore")->getValue(), record->scoreAtRankGained(1));
    sprite::Sprite* popup = in<sprite::Sprite>(menu, "rankpopup");
    EXPECT_LE(popup->getY() + popup->getHeight(), mark->getY());

    sprite::Sprite* medal = in<sprite::Sprite>(menu, "iDailyTestTrophy");
    pointer(window::Event::MouseMove, medal->getX() + medal->getWidth() / 2, medal->getY() + medal->getHeight() / 2);
    EXPECT_FALSE(menu->isPopupShown());
    EXPECT_TRUE(shown(menu, "DailyTestScoreHistory_LineGraph"));
    EXPECT_TRUE(shown(menu, "DailyTestScoreHighlight"));
    EXPECT_FALSE(canvas->getRazoz()->isVisible());
    saveScreen("dailytest-menu-history.png");

    pointer(window::Event::MouseMove, 490, 5);
    EXPECT_FALSE(shown(menu, "DailyTestScoreHistory_LineGraph"));
    EXPECT_TRUE(canvas->getRazoz()->isVisible());
}

// Between games the list marks the played games and the next one, the start
// button gives way to the continue button, and Razoz hints at the next game.
TEST_F(DailyTestScreensGame, RestScreenMarksPlayedAndNextGames) {
    menu->setVisible(true);
    clickAfterFrame(menu, "bStartTest");
    ASSERT_TRUE(rest->isVisible());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(run->gamesPlayed(), 0);
    EXPECT_TRUE(shown(rest, "ButtonStart"));
    EXPECT_FALSE(shown(rest, "bContinue"));
    EXPECT_EQ(in<sprite::AnimateSprite>(rest, "GameListings1")->getFrame(), DailyTestRestScreen::RowNext);
    EXPECT_EQ(in<sprite::AnimateSprite>(rest, "GameListings2")->getFrame(), DailyTestRestScreen::RowLater);
    EXPECT_TRUE(shown(rest, "Game_1"));
    EXPECT_FALSE(shown(rest, "Game_2"));
    EXPECT_EQ(str(in<sprite::NewFontSprite>(rest, "Game_1")->getText()), str(canvas->gameName(run->gameAt(0))));
    const int next = run->currentGame();
    std::string hint = razozText();
    EXPECT_TRUE(hint == str(canvas->text(DailyTestRestScreen::hintKey(next, 1))) ||
                hint == str(canvas->text(DailyTestRestScreen::hintKey(next, 2))))
        << hint;
    ticks(60);
    saveScreen("dailytest-rest.png");

    for (int k = 0; k < 2; ++k) playGame(500, 1);
    ASSERT_TRUE(rest->isVisible());
    EXPECT_FALSE(shown(rest, "ButtonStart"));
    EXPECT_TRUE(shown(rest, "bContinue"));
    const int frames[6] = {DailyTestRestScreen::RowPlayed, DailyTestRestScreen::RowPlayed,
                           DailyTestRestScreen::RowNext,   DailyTestRestScreen::RowLater,
                           DailyTestRestScreen::RowLater,  DailyTestRestScreen::RowLater};
    for (int k = 1; k <= 6; ++k) {
        std::string row = "GameListings" + std::to_string(k), name = "Game_" + std::to_string(k);
        EXPECT_EQ(in<sprite::AnimateSprite>(rest, row.c_str())->getFrame(), frames[k - 1]) << k;
        EXPECT_EQ(shown(rest, name.c_str()), k <= 3) << k;
    }

    // The menu button offers leaving between games; cancelling comes back here.
    clickAfterFrame(rest, "bMenu");
    EXPECT_FALSE(rest->isVisible());
    sprite::Sprite* pause = canvas->screen(MentariumCanvas::ScreenPauseMenu);
    ASSERT_TRUE(pause->isVisible());
    EXPECT_TRUE(shown(pause, "PauseMainMenu"));
    EXPECT_FALSE(shown(pause, "PauseEndGame"));
    canvas->onMessage(nullptr, lang::String("PauseCancel"));
    EXPECT_TRUE(rest->isVisible());
}

// A test short of the next rank: the card with the score and the goal, the
// medal beside it, Razoz's "try again" in the card's text box.
TEST_F(DailyTestScreensGame, PayoffWithoutANewRankShowsScoreAndGoal) {
    playTest({100, 100, 100, 100, 100, 100});
    toPayoff();
    EXPECT_EQ(payoff->step(), DailyTestPayoffScreen::StepBadNews);
    EXPECT_EQ(in<sprite::NumberSprite>(payoff, "yourscore")->getValue(), 600);
    EXPECT_EQ(in<sprite::NumberSprite>(payoff, "goalscore")->getValue(), record->rankThreshold(1));
    EXPECT_EQ(str(in<sprite::NewFontSprite>(payoff, "yourscoretitle")->getText()), "Your Score");
    EXPECT_EQ(str(in<sprite::NewFontSprite>(payoff, "goalscoretitle")->getText()), "Next Rank");
    EXPECT_TRUE(shown(payoff, "bOk"));
    EXPECT_FALSE(shown(payoff, "congratsScaler"));
    EXPECT_EQ(in<sprite::Sprite>(payoff, "iDailyTestTrophy")->getX(), 46);
    EXPECT_EQ(canvas->getRazoz()->getTextBox(), in<sprite::NewFontSprite>(payoff, "RazozDialog_BadNews"));
    EXPECT_EQ(razozText(), str(canvas->text("TXT_TRY_AGAIN")));
    ticks(60);  // the words type out
    saveScreen("dailytest-payoff-badnews.png");

    clickAfterFrame(payoff, "bOk");
    EXPECT_FALSE(payoff->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(canvas->isDailyTestMode());
}

// A new rank: the banner zooms in and glows, the medal twinkles, the title
// and the opened game's name zoom in, and only then the OK button shows. The
// fanfare plays once, with the screen's first paint.
TEST_F(DailyTestScreensGame, PayoffOfANewRankRunsTheCelebrationToTheOkButton) {
    playTest({3000, 3000, 3000, 3000, 3000, 3000});
    toPayoff();
    ASSERT_TRUE(canvas->wasRankImproved());
    EXPECT_EQ(payoff->step(), DailyTestPayoffScreen::StepCongratsScaling);
    EXPECT_FALSE(shown(payoff, "bOk"));
    EXPECT_EQ(in<sprite::Sprite>(payoff, "iDailyTestTrophy")->getX(), 199);
    EXPECT_TRUE(shown(payoff, "iDailyTestTrophy"));  // the medal is there from the first frame
    EXPECT_TRUE(shown(payoff, "congratsScaler"));

    window::Image frame(500, 375, 0, true);
    window::GraphicsI* g = frame.getGraphics();
    payoff->paint(g);
    payoff->paint(g);
    g->dispose();
    g->release();
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundNewRank), 1);
    tick();
    saveScreen("dailytest-payoff-first-frame.png");

    std::vector<int> steps;
    int frames = tickUntil(
        [&] {
            if (steps.empty() || steps.back() != payoff->step()) steps.push_back(payoff->step());
            return payoff->step() == DailyTestPayoffScreen::StepDone;
        },
        1000);
    ASSERT_GT(frames, 0);
    const std::vector<int> expected = {DailyTestPayoffScreen::StepCongratsScaling,
                                       DailyTestPayoffScreen::StepGlowUp,
                                       DailyTestPayoffScreen::StepGlowDown,
                                       DailyTestPayoffScreen::StepNewRankText,
                                       DailyTestPayoffScreen::StepTrophyTwinkle,
                                       DailyTestPayoffScreen::StepRankTitle,
                                       DailyTestPayoffScreen::StepLockSparkle,
                                       DailyTestPayoffScreen::StepUnlockTitle,
                                       DailyTestPayoffScreen::StepDone};
    EXPECT_EQ(steps, expected);
    EXPECT_TRUE(shown(payoff, "bOk"));
    EXPECT_TRUE(shown(payoff, "lock"));
    EXPECT_EQ(str(in<sprite::NewFontSprite>(payoff, "ranktitle")->getText()), str(record->rankTitle(1)));
    std::string unlocked = str(in<sprite::NewFontSprite>(payoff, "unlocktitle")->getText());
    std::replace(unlocked.begin(), unlocked.end(), '\n', ' ');  // a long name wraps to fit
    EXPECT_EQ(unlocked, str(canvas->gameName(canvas->gameUnlockedByLastTest())));
    auto* title = in<sprite::ScalerSprite>(payoff, "ranktitle_scaled");
    EXPECT_TRUE(title->isVisible());
    EXPECT_EQ(title->getZoom(), 100);
    EXPECT_EQ(razozText(), str(canvas->text("TXT_YOU_EARNED_NEW_RANK")));
    saveScreen("dailytest-payoff-newrank.png");
}

// A text sprite's picture holds its letters: the zoomed title is not blank.
TEST_F(DailyTestScreensGame, PictureOfATextHoldsItsLetters) {
    auto* words = in<sprite::NewFontSprite>(payoff, "ranktitle");
    words->setText(lang::String("Grand Master"));
    window::Image* picture = DailyTestPayoffScreen::pictureOf(words);
    ASSERT_GT(picture->getWidth(), 40);
    int inked = 0;
    const uint32_t* pixels = picture->getPixels();
    for (int i = 0; i < picture->getWidth() * picture->getHeight(); ++i) inked += (pixels[i] >> 24) != 0;
    EXPECT_GT(inked, 50);
    EXPECT_LT(inked, picture->getWidth() * picture->getHeight());
    picture->release();
}

// The summary: each game's score, stars and panel, the total, and after the
// very first test the first-test words before the closing words.
TEST_F(DailyTestScreensGame, CompleteScreenSumsUpAndSpeaksAfterTheFirstTestText) {
    playTest({100, 900, 100, 100, 100, 100}, 3);
    ASSERT_TRUE(complete->isVisible());  // the scores come first
    EXPECT_FALSE(payoff->isVisible());
    const int share = record->rankThreshold(1) / 6;
    for (int k = 1; k <= 6; ++k) {
        std::string score = "Score_" + std::to_string(k), panel = "GameListPanel" + std::to_string(k);
        EXPECT_EQ(in<sprite::NumberSprite>(complete, score.c_str())->getValue(), run->scoreAt(k - 1));
        EXPECT_EQ(
            in<sprite::AnimateSprite>(complete, panel.c_str())->getFrame(),
            run->scoreAt(k - 1) >= share ? DailyTestCompleteScreen::PanelReached : DailyTestCompleteScreen::PanelShort);
        for (int m = 1; m <= 4; ++m) {
            std::string star = "star" + std::to_string(k) + "_" + std::to_string(m);
            EXPECT_EQ(shown(complete, star.c_str()), m <= 3) << star;
        }
    }
    int total = 0;
    for (int k = 0; k < 6; ++k) total += run->scoreAt(k);
    EXPECT_EQ(total, record->testHistory()[0]);
    EXPECT_EQ(in<sprite::NumberSprite>(complete, "dailyTestScore")->getValue(), total);
    EXPECT_TRUE(shown(complete, "DailyTestScoreHistory_LineGraph"));
    EXPECT_TRUE(complete->isEndTextPending());
    EXPECT_EQ(razozText(), str(canvas->text("TXT_DAILY_TEST_COMPLETED_FIRST")));
    const int frames = tickUntil([&] { return !complete->isEndTextPending(); }, 3000);
    ASSERT_GT(frames, 0);
    EXPECT_GT(frames, 3 * canvas->framesPerSecond());  // the words stay a while after typing out
    std::string words = razozText();
    EXPECT_NE(words.find(str(canvas->gameName(record->strongestGame()))), std::string::npos) << words;
    EXPECT_NE(words.find(str(canvas->gameName(record->weakestGame()))), std::string::npos) << words;
    EXPECT_EQ(words.find('%'), std::string::npos) << words;
    saveScreen("dailytest-complete.png");

    // OK goes on to the rank the test earned.
    clickAfterFrame(complete, "bOk");
    EXPECT_FALSE(complete->isVisible());
    EXPECT_TRUE(payoff->isVisible());
}

// The closing words never repeat the previous pick of their kind, and every
// name is filled in.
TEST_F(DailyTestScreensGame, ClosingWordsChangeFromOneTestToTheNext) {
    playTest({100, 900, 100, 100, 100, 100});
    for (bool improved : {true, false}) {
        std::string previous = str(complete->endText(improved));
        for (int i = 0; i < 12; ++i) {
            std::string words = str(complete->endText(improved));
            EXPECT_NE(words, previous);
            EXPECT_EQ(words.find('%'), std::string::npos) << words;
            previous = words;
        }
    }
}

}  // namespace
}  // namespace game_test
