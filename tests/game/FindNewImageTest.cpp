// Find the New Image: the board, the growth of size and picture set, and
// whole turns in the loaded game.

#include <gtest/gtest.h>

#include <algorithm>

#include "GameFixture.h"
#include "game/minigames/FindNewImage.h"
#include "sprite/ScalerSprite.h"

namespace game_test {
namespace {

using F = FindNewImage;

constexpr int kFindNewImage = 1;

TEST(FindNewImageGame, FullSizeCellsMakeEightByFourWithTheRestSplitOnBothSides) {
    FindNewImage::Board b = FindNewImage::boardFor(100, 0, 0, 500, 300);
    EXPECT_EQ(b.cell, 62);
    EXPECT_EQ(b.columns, 8);
    EXPECT_EQ(b.rows, 4);
    EXPECT_EQ(b.places(), 32);
    EXPECT_EQ(b.left, 2);  // 4 pixels over
    EXPECT_EQ(b.top, 26);  // 52 pixels over
    FindNewImage::Board small = FindNewImage::boardFor(50, 20, 56, 460, 300);
    EXPECT_EQ(small.cell, 31);
    EXPECT_EQ(small.places(), 14 * 9);
}

}  // namespace

class FindNewImageGameRun : public GameFixture {
protected:
    FindNewImage* start(int difficulty = 0) {
        auto* game = dynamic_cast<FindNewImage*>(startPractice(kFindNewImage, difficulty));
        EXPECT_NE(game, nullptr);
        return game;
    }
    // Clicks the middle of a place's picture.
    void clickPlace(FindNewImage* game, int place) {
        sprite::ScalerSprite* s = game->shape(place);
        pointer(window::Event::MouseDown, game->getX() + s->getCentreX(), game->getY() + s->getCentreY());
        pointer(window::Event::MouseUp, game->getX() + s->getCentreX(), game->getY() + s->getCentreY());
    }
    // Ticks until the pictures of the turn have popped in and wait for a click.
    void untilAnswer(FindNewImage* game) {
        ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhaseAnswer; }, 200), 0);
    }
};

// The size grows first; only the level left over after its steps feeds the
// picture mode.
TEST_F(FindNewImageGameRun, ThePictureModeGrowsOnlyWithTheLevelLeftOverAfterTheSize) {
    loadGame();
    FindNewImage* game = start();
    ASSERT_NE(game, nullptr);
    setParams(game, {{F::ParamSizeSlot, 0},
                     {F::ParamModeSlot, 1},
                     {F::ParamSmallestSize, 40},
                     {F::ParamSizeAtStart, 100},
                     {F::ParamSizeLevelsPerStep, 5},
                     {F::ParamSizeStep, 20},
                     {F::ParamModeAtStart, 1},
                     {F::ParamLargestMode, 5},
                     {F::ParamModeLevelsPerStep, 2},
                     {F::ParamModeStep, 1}});
    int size = 0, mode = 0;
    game->sizeAndModeFor(4, size, mode);  // no size step yet: all 4 feed the mode
    EXPECT_EQ(size, 100);
    EXPECT_EQ(mode, 3);
    game->sizeAndModeFor(11, size, mode);  // two size steps, 1 left: no mode step
    EXPECT_EQ(size, 60);
    EXPECT_EQ(mode, 1);
    game->sizeAndModeFor(13, size, mode);  // 3 left over: one mode step
    EXPECT_EQ(mode, 2);
    game->sizeAndModeFor(100, size, mode);  // both at their limits
    EXPECT_EQ(size, 40);
    game->sizeAndModeFor(4 + 5 * 20, size, mode);
    EXPECT_EQ(mode, 3);
}

// A turn: the first picture is the only one and always right; each right
// click pops every picture in again with one more; the newest is the only
// right answer, even where an older place shows the same picture.
TEST_F(FindNewImageGameRun, OnlyTheNewestPictureIsRightAndAWrongClickBurstsTheBoard) {
    loadGame();
    FindNewImage* game = start();
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    ASSERT_GT(game->placeCount(), 20);
    EXPECT_EQ(game->shownCount(), 1);
    int visible = 0;
    for (int k = 0; k < game->placeCount(); ++k) visible += game->shape(k)->isVisible();
    EXPECT_EQ(visible, 1);

    for (int right = 1; right <= 4; ++right) {
        const int score = game->getScore();
        clickPlace(game, game->newestPlace());
        EXPECT_EQ(game->getPhase(), GameBase::PhaseCorrect);
        EXPECT_GT(game->getScore(), score);
        untilAnswer(game);
        EXPECT_EQ(game->shownCount(), right + 1);
        ticks(6);  // the pop settles back to the turn's zoom
        for (int k = 0; k < game->placeCount(); ++k) {
            sprite::ScalerSprite* s = game->shape(k);
            if (s->isVisible()) {
                EXPECT_FALSE(s->isScaling()) << k;
                EXPECT_EQ(s->getZoom(), std::min(game->getSize(), 100)) << k;
            }
        }
    }
    saveScreen("findnewimage-turn.png");
    // An older place is wrong, whatever it shows.
    int older = -1;
    for (int k = 0; k < game->placeCount() && older < 0; ++k)
        if (game->shape(k)->isVisible() && k != game->newestPlace()) older = k;
    ASSERT_GE(older, 0);
    game->shape(older)->setImage(game->shape(game->newestPlace())->getImage());
    const int score = game->getScore(), wrong = game->getWrongAnswers();
    clickPlace(game, older);
    EXPECT_EQ(game->getScore(), score);
    EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
    ASSERT_GT(tickUntil([game] { return game->hasBurst(); }, 20), 0);
    for (int k = 0; k < game->placeCount(); ++k) EXPECT_FALSE(game->shape(k)->isVisible()) << k;
    EXPECT_TRUE(game->burst(older)->isVisible());
    // A new board follows.
    untilAnswer(game);
    EXPECT_EQ(game->shownCount(), 1);
    EXPECT_FALSE(game->hasBurst());
}

// A right click on the last free place ends the turn as a success.
TEST_F(FindNewImageGameRun, FillingTheLastPlaceEndsTheTurnAsASuccess) {
    loadGame();
    FindNewImage* game = start();
    ASSERT_NE(game, nullptr);
    // two-fold pictures: a board of few places
    setParams(game, {{F::ParamSmallestSize, 200}, {F::ParamSizeAtStart, 200}});
    untilAnswer(game);
    ticks(1);
    game->setPhase(GameBase::PhaseNextTurn);  // a fresh board of the new size
    untilAnswer(game);
    const int places = game->placeCount();
    ASSERT_GT(places, 1);
    ASSERT_LT(places, 10);
    for (int n = 1; n < places; ++n) {
        clickPlace(game, game->newestPlace());
        untilAnswer(game);
    }
    ASSERT_EQ(game->shownCount(), places);
    clickPlace(game, game->newestPlace());
    auto* feedback = dynamic_cast<sprite::AnimateSprite*>(game->findChild(lang::String("SuccessFailure")));
    ASSERT_NE(feedback, nullptr);
    EXPECT_TRUE(feedback->isVisible());
    EXPECT_EQ(feedback->getFrame(), 0);
    ASSERT_GT(tickUntil([game] { return game->hasBurst(); }, 20), 0);
}

}  // namespace game_test
