// Spot the Change: the rules of a turn and whole turns in the loaded game.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "GameFixture.h"
#include "game/minigames/Grid.h"
#include "game/minigames/SpotChanges.h"
#include "sprite/AnimateSprite.h"
#include "sprite/ScalerSprite.h"
#include "window/FancyHelper.h"

namespace game_test {
namespace {

constexpr int kSpotChanges = 6;

// Card count first, then show time, then the picture set.
SpotChanges* cardsFirst(int scatterDivisor = 54) {
    return looseGame<SpotChanges>({0, 1, 2, 1, 8, 3, 1, 20, 60, 1, 10, 1, 5, 50, 1, 0, scatterDivisor});
}

TEST(SpotChangesGame, TheCardCountTakesItsStepsAndLeavesTheRemainderToTheShowTime) {
    SpotChanges* game = cardsFirst();
    SpotChanges::TurnShape at0 = game->shapeAt(0), at6 = game->shapeAt(6), at7 = game->shapeAt(7);
    EXPECT_EQ(at0.cards, 3);
    EXPECT_EQ(at0.showTime, 60);
    EXPECT_EQ(at0.tileMode, 1);
    EXPECT_EQ(at6.cards, 5);      // two steps of three levels
    EXPECT_EQ(at6.showTime, 60);  // nothing left over
    EXPECT_EQ(at7.cards, 5);
    EXPECT_EQ(at7.showTime, 50);  // 7 mod 3 = 1 step of the show time
    EXPECT_EQ(game->shapeAt(200).cards, 12);
    game->release();
}

TEST(SpotChangesGame, ThePictureSetFirstLeavesTheRestToTheCardsAndTheTime) {
    // The scene's order: picture set, cards, show time.
    SpotChanges* game = looseGame<SpotChanges>({1, 2, 0, 1, 8, 2, 1, 30, 60, 1, 15, 1, 5, 18, 2, 0, 54});
    SpotChanges::TurnShape at19 = game->shapeAt(19), at17 = game->shapeAt(17), at40 = game->shapeAt(40);
    EXPECT_EQ(at19.tileMode, 3);
    EXPECT_EQ(at19.cards, 3);  // 19 mod 18 = 1: no card step
    EXPECT_EQ(at19.showTime, 45);
    EXPECT_EQ(at17.tileMode, 1);
    EXPECT_EQ(at17.cards, 12);  // eight index steps, kept to the largest
    EXPECT_EQ(at17.showTime, 45);
    EXPECT_EQ(at40.tileMode, 5);
    EXPECT_EQ(at40.cards, 5);                     // 40 mod 18 = 4: two index steps
    EXPECT_EQ(game->shapeAt(1001).showTime, 45);  // 1001 mod 18 = 11, mod 2 = 1: one step shorter
    EXPECT_EQ(game->shapeAt(1000).showTime, 60);  // 1000 mod 18 = 10, mod 2 = 0
    game->release();
}

TEST(SpotChangesGame, CardsScatterFromLevel54OnceTheLevelReachesTheDivisor) {
    SpotChanges* game = cardsFirst(1);
    EXPECT_FALSE(game->shapeAt(53).scattered);  // a grid below 54, whatever the divisor says
    EXPECT_TRUE(game->shapeAt(54).scattered);
    game->release();
    game = cardsFirst(60);
    EXPECT_FALSE(game->shapeAt(54).scattered);
    EXPECT_FALSE(game->shapeAt(59).scattered);
    EXPECT_TRUE(game->shapeAt(60).scattered);
    game->release();
    game = cardsFirst(0);  // no divisor: never scattered
    EXPECT_FALSE(game->shapeAt(500).scattered);
    game->release();
}

// Numbers that would leave the board without pictures, cards or an end are kept in bounds.
TEST(SpotChangesGame, OutOfRangeNumbersGiveABoardThatCanBePlayed) {
    SpotChanges* game = looseGame<SpotChanges>({0, 1, 2, 20, 30, 1, 1, 0, 0, 1, 10, 0, 0, 0, 0, 0, 0});
    SpotChanges::TurnShape shape = game->shapeAt(3);
    EXPECT_EQ(shape.cards, 12);
    EXPECT_EQ(shape.tileMode, 1);
    EXPECT_GE(shape.showTime, 1);
    game->release();
    game = looseGame<SpotChanges>({0, 1, 2, -4, 8, 1, 1, 20, 60, 1, 10, 9, 9, 0, 0, 0, 0});
    shape = game->shapeAt(0);
    EXPECT_EQ(shape.cards, 2);
    EXPECT_EQ(shape.tileMode, 1);
    game->release();
}

TEST(SpotChangesGame, FourCardsStandInOneRowOrTwoRowsOfTwo) {
    int rows = 0, columns = 0;
    SpotChanges::layoutFor(4, 0, rows, columns);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(columns, 4);
    SpotChanges::layoutFor(4, 1, rows, columns);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(columns, 2);
    const int sizes[] = {2, 3, 5, 6, 8, 9, 10, 12};
    for (int cards : sizes) {
        SpotChanges::layoutFor(cards, 0, rows, columns);
        EXPECT_EQ(rows * columns, cards) << cards;
        EXPECT_LE(rows, 3) << cards;
    }
}

TEST(SpotChangesGame, FewScatteredCardsKeepToTheMiddleOfThePlayArea) {
    util::RectangleNM bounds(20, 56, 460, 312);
    util::RectangleNM few = SpotChanges::scatterArea(bounds, 5);
    EXPECT_EQ(few.x - bounds.x, 93);
    EXPECT_EQ((bounds.x + bounds.width) - (few.x + few.width), 94);
    EXPECT_EQ(few.y - bounds.y, 31);
    EXPECT_EQ((bounds.y + bounds.height) - (few.y + few.height), 31);
    util::RectangleNM many = SpotChanges::scatterArea(bounds, 6);
    EXPECT_EQ(many.x, bounds.x);
    EXPECT_EQ(many.width, bounds.width);
    EXPECT_EQ(many.height, bounds.height);
}

}  // namespace

class SpotChangesGameRun : public GameFixture {
protected:
    SpotChanges* start(int difficulty) {
        auto* game = dynamic_cast<SpotChanges*>(startPractice(kSpotChanges, difficulty));
        EXPECT_NE(game, nullptr);
        return game;
    }
    void untilPhase(SpotChanges* game, int phase) {
        ASSERT_GT(tickUntil([game, phase] { return game->getPhase() == phase; }, 400), 0) << phase;
    }
    void pressCard(SpotChanges* game, int i) {
        sprite::AnimateSprite* c = game->card(i);
        ASSERT_NE(c, nullptr);
        press(game->getX() + c->getX() + c->getWidth() / 2, game->getY() + c->getY() + c->getHeight() / 2);
    }
    static int unchangedCard(SpotChanges* game) { return game->changedCard() == 0 ? 1 : 0; }
};

// A turn as the player sees it: open cards with their pictures, closing
// without the clock running, opening on a board where exactly one card shows
// a picture no card showed before. The first turn is photographed for review.
TEST_F(SpotChangesGameRun, ExactlyOneCardChangesToAPictureNoCardShowedBefore) {
    loadGame();
    SpotChanges* game = start(1);
    ASSERT_NE(game, nullptr);
    for (int turn = 0; turn < 4; ++turn) {
        untilPhase(game, GameBase::PhasePlay);
        int n = game->getCardCount();
        ASSERT_GE(n, 2);
        std::set<int> first;
        int changed = 0;
        for (int i = 0; i < n; ++i) {
            first.insert(game->tileOf(i));
            changed += game->tileOf(i) != game->changedTileOf(i);
            ASSERT_NE(game->card(i), nullptr);
            EXPECT_EQ(game->card(i)->getFrame(), 2);  // open
            EXPECT_TRUE(game->face(i)->isVisible());
            EXPECT_FALSE(game->changedFace(i)->isVisible());
            // Each face sits on the middle of its card.
            EXPECT_EQ(game->face(i)->getCentreX(), game->card(i)->getX() + game->card(i)->getWidth() / 2);
        }
        if (turn == 0) saveScreen("spotchanges-first.png");
        EXPECT_EQ(static_cast<int>(first.size()), n);  // every card a picture of its own
        EXPECT_EQ(changed, 1);
        int j = game->changedCard();
        ASSERT_GE(j, 0);
        EXPECT_EQ(first.count(game->changedTileOf(j)), 0u);
        EXPECT_LT(game->changedTileOf(j), game->tileCount());

        untilPhase(game, GameBase::PhasePreviewOver);
        EXPECT_FALSE(game->isTimerRunning());
        for (int i = 0; i < n; ++i) EXPECT_FALSE(game->face(i)->isVisible());
        untilPhase(game, GameBase::PhaseAnswer);
        if (!game->changedFace(0)->isVisible()) {
            ASSERT_GT(tickUntil([game] { return game->changedFace(0)->isVisible(); }, 10), 0);
        }
        if (turn == 0) saveScreen("spotchanges-changed.png");
        for (int i = 0; i < n; ++i) {
            EXPECT_TRUE(game->changedFace(i)->isVisible()) << i;
            EXPECT_FALSE(game->face(i)->isVisible()) << i;
        }
        pressCard(game, j);
    }
}

// A board of four cards stands in one row or in two rows of two, centred in the play area.
TEST_F(SpotChangesGameRun, FourCardsStandInOneRowOrTwoAtRandom) {
    loadGame();
    SpotChanges* game = start(0);
    ASSERT_NE(game, nullptr);
    setParams(game, {{SpotChanges::ParamCards + SpotChanges::RunStart, 2},
                     {SpotChanges::ParamCards + SpotChanges::RunLevelsPerStep, 0}});  // four cards whatever the level
    sprite::Sprite* bounds = game->findChild(lang::String("GameBounds"));
    ASSERT_NE(bounds, nullptr);
    std::set<int> layouts;
    for (int turn = 0; turn < 12 && layouts.size() < 2; ++turn) {
        untilPhase(game, GameBase::PhasePlay);
        ASSERT_EQ(game->getCardCount(), 4);
        const Grid* grid = game->grid();
        ASSERT_NE(grid, nullptr);
        layouts.insert(grid->rows());
        int w = (grid->columns() - 1) * 10 + grid->columns() * 62, h = (grid->rows() - 1) * 10 + grid->rows() * 62;
        EXPECT_EQ(game->card(0)->getX(), bounds->getX() + bounds->getWidth() / 2 - w / 2);
        EXPECT_EQ(game->card(0)->getY(), bounds->getY() + bounds->getHeight() / 2 - h / 2);
        EXPECT_EQ(game->card(3)->getX() - game->card(0)->getX(), grid->rows() == 1 ? 3 * 72 : 72);
        untilPhase(game, GameBase::PhaseAnswer);
        pressCard(game, game->changedCard());
    }
    EXPECT_EQ(layouts, (std::set<int>{1, 2}));
}

// The changed card scores and fades; a found card takes no second answer.
TEST_F(SpotChangesGameRun, TheChangedCardScoresOnceAndFades) {
    loadGame();
    SpotChanges* game = start(0);
    ASSERT_NE(game, nullptr);
    untilPhase(game, GameBase::PhaseAnswer);
    int j = game->changedCard(), level = game->getLevel(), multiplier = game->getMultiplier();
    canvas->sounds.clear();
    pressCard(game, j);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseCorrect);
    EXPECT_GT(game->getScore(), 0);
    EXPECT_EQ(game->getLevel(), level + game->param(SpotChanges::ParamSuccessStep));
    EXPECT_EQ(game->getMultiplier(), multiplier + game->param(SpotChanges::ParamSuccessStep));
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 1);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundSuccess), 1);
    EXPECT_EQ(game->changedFace(j)->getTargetAlpha(), 40);
    // Even back in the answer phase the faded card is no answer.
    game->setPhase(GameBase::PhaseAnswer);
    int score = game->getScore();
    canvas->sounds.clear();
    pressCard(game, j);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);
    EXPECT_EQ(game->getScore(), score);
    EXPECT_TRUE(canvas->sounds.empty());
}

TEST_F(SpotChangesGameRun, AnUnchangedCardCountsWrongAndANewBoardFollows) {
    loadGame();
    SpotChanges* game = start(0);
    ASSERT_NE(game, nullptr);
    untilPhase(game, GameBase::PhaseAnswer);
    int wrong = game->getWrongAnswers();
    canvas->sounds.clear();
    pressCard(game, unchangedCard(game));
    EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    EXPECT_EQ(game->getScore(), 0);
    EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundFailure), 1);
    int frames = tickUntil([game] { return game->getPhase() == GameBase::PhasePlay; }, 40);
    EXPECT_EQ(frames, 13);  // one frame to phase 10, twelve to the next board
    EXPECT_TRUE(game->face(0)->isVisible());
}

// From level 54 the cards lie scattered; a few keep to the middle and none overlap.
TEST_F(SpotChangesGameRun, AScatteredBoardKeepsItsCardsApartInsideTheArea) {
    loadGame();
    SpotChanges* game = start(0);
    ASSERT_NE(game, nullptr);
    game->setLevel(54);
    untilPhase(game, GameBase::PhasePlay);
    ASSERT_TRUE(game->isScattered());
    int n = game->getCardCount();
    ASSERT_LT(n, 6);
    saveScreen("spotchanges-scattered.png");
    const util::RectangleNM& area = game->getScatterArea();
    for (int i = 0; i < n; ++i) {
        sprite::AnimateSprite* c = game->card(i);
        EXPECT_GE(c->getX(), area.x);
        EXPECT_LE(c->getX() + c->getWidth(), area.x + area.width);
        EXPECT_GE(c->getY(), area.y);
        EXPECT_LE(c->getY() + c->getHeight(), area.y + area.height);
        EXPECT_FALSE(game->cornerInside(c->getX(), c->getY(), c->getWidth(), c->getHeight(), i)) << i;
    }
}

// The pointer over a card lights it; off the cards the light goes.
TEST_F(SpotChangesGameRun, HoveringACardLightsIt) {
    loadGame();
    SpotChanges* game = start(0);
    ASSERT_NE(game, nullptr);
    untilPhase(game, GameBase::PhaseAnswer);
    sprite::AnimateSprite* c = game->card(1);
    pointer(window::Event::MouseMove, game->getX() + c->getX() + 5, game->getY() + c->getY() + 5);
    EXPECT_EQ(game->getHighlighted(), 1);
    ASSERT_NE(c->getFancy(), nullptr);
    EXPECT_EQ(c->getFancy()->red, 160);
    pointer(window::Event::MouseMove, 5, 370);
    EXPECT_EQ(game->getHighlighted(), -1);
    EXPECT_EQ(c->getFancy()->red, 128);
}

}  // namespace game_test
