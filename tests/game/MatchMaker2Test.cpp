// Match Maker II, the n-back game: the sequence's rules and whole steps in
// the loaded game.

#include <gtest/gtest.h>

#include <algorithm>

#include "GameFixture.h"
#include "game/minigames/MatchMaker2.h"
#include "sprite/ButtonSprite.h"
#include "sprite/ScalerSprite.h"

namespace game_test {
namespace {

constexpr int kMatchMaker2 = 13;

}  // namespace

class MatchMaker2Run : public GameFixture {
protected:
    MatchMaker2* start(int difficulty = 0) {
        auto* game = dynamic_cast<MatchMaker2*>(startPractice(kMatchMaker2, difficulty));
        EXPECT_NE(game, nullptr);
        return game;
    }
    // Ticks until a new step's picture is shown and open to an answer.
    void untilStep(MatchMaker2* game, int step) {
        ASSERT_GT(
            tickUntil([game, step] { return game->getPhase() == GameBase::PhaseAnswer && game->stepCount() > step; },
                      200),
            0);
    }
    void clickMatch(MatchMaker2* game) {
        sprite::Sprite* button = game->findChild(lang::String("MatchButton"));
        ASSERT_NE(button, nullptr);
        clickOn(game, button);
    }
};

// With no chance of a repeat, no step shows the picture N back; with every
// chance, each step after the first N does. Pictures come from the pool, which
// holds each of its motifs in two colours.
TEST_F(MatchMaker2Run, ARepeatIsThePictureNBackAndOnlyByChance) {
    loadGame();
    MatchMaker2* game = start();
    ASSERT_NE(game, nullptr);
    for (int step = 0; step <= 3; ++step) untilStep(game, step);  // three pictures back to compare with
    setParams(game, {{MatchMaker2::ParamMatchChance, 0}});
    for (int i = 0; i < 40; ++i) {
        const int n = 1 + i % 3;
        const int p = game->nextPicture(n);
        if (game->stepCount() >= n) {
            EXPECT_NE(p, game->picture(game->stepCount() - n)) << i;
        }
        EXPECT_NE(std::find(game->pool().begin(), game->pool().end(), p), game->pool().end());
    }
    setParams(game, {{MatchMaker2::ParamMatchChance, 100}});
    for (int i = 0; i < 10; ++i) EXPECT_EQ(game->nextPicture(1), game->picture(game->stepCount() - 1));
    const std::vector<int>& pool = game->pool();
    ASSERT_EQ(pool.size(), 6u);
    for (size_t i = 0; i < pool.size(); i += 2) {
        EXPECT_EQ(pool[i] / 4, pool[i + 1] / 4);  // the same motif
        EXPECT_NE(pool[i], pool[i + 1]);          // in another colour
    }
}

// The whole game: a right "Match" and a right pass score; a false "Match"
// and a missed match are wrong. The first step has nothing to compare with
// and passes unscored. The steps back grow with the level, the pace quickens.
TEST_F(MatchMaker2Run, EveryStepIsScoredRightOrWrong) {
    loadGame();
    MatchMaker2* game = start();
    ASSERT_NE(game, nullptr);
    untilStep(game, 0);
    EXPECT_EQ(game->currentBack(), 1);
    EXPECT_FALSE(game->isScored());
    ASSERT_NE(game->shownPicture(), nullptr);
    EXPECT_TRUE(game->shownPicture()->isVisible());
    ticks(4);  // past the picture's pop
    saveScreen("matchmaker2-step.png");
    // What a player sees, for a bot: the steps back, the picture, the card and the live button.
    std::string seen;
    game->describe(seen);
    EXPECT_NE(seen.find("nback 1 step 0 picture " + std::to_string(game->picture(0)) + " answered 0\n"),
              std::string::npos)
        << seen;
    EXPECT_NE(seen.find("card 250 150\n"), std::string::npos) << seen;
    EXPECT_NE(seen.find("matchbutton 250 262 1\n"), std::string::npos) << seen;
    // Quicker steps, so the whole test fits in the minute.
    setParams(game, {{MatchMaker2::ParamShowFrames, 20},
                     {MatchMaker2::ParamShowFrames + 1, 20},
                     {MatchMaker2::ParamShortestShow, 10},
                     {MatchMaker2::ParamGapFrames, 4}});
    untilStep(game, 1);  // the first step passed by itself
    EXPECT_EQ(game->getScore(), 0);
    EXPECT_EQ(game->getWrongAnswers(), 0);

    bool clickedRight = false, passedRight = false, clickedWrong = false, missed = false;
    for (int step = 1; step < 60 && !(clickedRight && passedRight && clickedWrong && missed); ++step) {
        untilStep(game, step);
        ASSERT_TRUE(game->isScored());
        const int score = game->getScore(), wrong = game->getWrongAnswers();
        const bool match = game->isMatch();
        // Each way of answering once, then right answers.
        const bool click = match ? (!clickedRight || missed) : !clickedWrong;
        if (click) {
            clickMatch(game);
            EXPECT_TRUE(game->isAnswered());
            if (match) {
                EXPECT_GT(game->getScore(), score);
                clickedRight = true;
            } else {
                EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
                clickedWrong = true;
            }
            const int after = game->getScore();
            clickMatch(game);  // one answer a step
            EXPECT_EQ(game->getScore(), after);
        } else {
            untilStep(game, step + 1);
            if (match) {
                EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
                EXPECT_EQ(game->getScore(), score);
                missed = true;
            } else {
                EXPECT_GT(game->getScore(), score);
                passedRight = true;
            }
        }
    }
    EXPECT_TRUE(clickedRight && passedRight && clickedWrong && missed);

    // Higher up, two steps back and a quicker pace.
    EXPECT_LT(game->stepFramesAt(12), game->stepFramesAt(0));
    setParams(game, {{GameBase::ParamLevelStep, 0}});  // a miss in the step under way must not take the level back down
    game->setLevel(12);
    const int now = game->stepCount();
    untilStep(game, now);
    EXPECT_EQ(game->currentBack(), 2);
    EXPECT_EQ(game->isMatch(), game->picture(now) == game->picture(now - 2));
}

}  // namespace game_test
