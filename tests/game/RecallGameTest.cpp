// The recall game (Memo Random): showing, the grid of choices and
// whole turns in the loaded game.

#include <gtest/gtest.h>

#include <set>

#include "GameFixture.h"
#include "game/minigames/PictureGrid.h"
#include "game/minigames/RecallGame.h"
#include "sprite/ScalerSprite.h"

namespace game_test {
namespace {

constexpr int kMemoRandom = 11;

TEST(RecallGameGrid, PicturesTakeTheLargestSquareCellsThatFitCentred) {
    PictureGrid g = PictureGrid::fit(12, 20, 166, 460, 200);
    EXPECT_EQ(g.columns, 6);
    EXPECT_EQ(g.rows, 2);
    EXPECT_EQ(g.cell, 76);
    EXPECT_EQ(g.left, 20 + (460 - 6 * 76) / 2);
    EXPECT_EQ(g.top, 166 + (200 - 2 * 76) / 2);
    EXPECT_EQ(g.centreX(7), g.left + 76 + 38);  // second row, second column
    EXPECT_EQ(g.centreY(7), g.top + 76 + 38);
    EXPECT_EQ(g.zoom(), 100);  // a 64-pixel picture fits a 76-pixel cell unzoomed
    g = PictureGrid::fit(3, 0, 0, 460, 200);
    EXPECT_EQ(g.columns * g.rows, 3);
    EXPECT_EQ(g.cell, 153);
    g = PictureGrid::fit(18, 0, 0, 460, 310);  // 6 x 3 cells of 76: a full-size picture fits
    EXPECT_EQ(g.zoom(), 100);
    g = PictureGrid::fit(40, 0, 0, 460, 310);  // 8 x 5 cells of 57: pictures shrink to 47 pixels
    EXPECT_EQ(g.cell, 57);
    EXPECT_EQ(g.zoom(), 47 * 100 / 64);
}

}  // namespace

class RecallGameRun : public GameFixture {
protected:
    RecallGame* start(int game, int difficulty = 0) {
        auto* r = dynamic_cast<RecallGame*>(startPractice(game, difficulty));
        EXPECT_NE(r, nullptr);
        return r;
    }
    void untilAnswer(RecallGame* game) {
        ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhaseAnswer; }, 400), 0);
    }
    void clickChoice(RecallGame* game, int i) {
        sprite::ScalerSprite* s = game->choiceSprite(i);
        pointer(window::Event::MouseDown, game->getX() + s->getCentreX(), game->getY() + s->getCentreY());
        pointer(window::Event::MouseUp, game->getX() + s->getCentreX(), game->getY() + s->getCentreY());
    }
};

// Memo Random: the pictures stand at once, then the grid holds each of them
// once among others; each one picked scores, a second click on it changes
// nothing, and the last one clears the turn.
TEST_F(RecallGameRun, MemoRandomPicksEverySeenPictureToClearATurn) {
    loadGame();
    RecallGame* game = start(kMemoRandom);
    ASSERT_NE(game, nullptr);
    ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhasePlay && game->seenCount() > 0; }, 200), 0);
    const int seen = game->seenCount();
    EXPECT_GE(seen, 3);
    for (int i = 0; i < seen; ++i) EXPECT_TRUE(game->shownSprite(i)->isVisible()) << i;
    EXPECT_EQ(game->showingFrames(), 50);
    saveScreen("memorandom-showing.png");

    untilAnswer(game);
    EXPECT_EQ(game->shownSprite(0), nullptr);  // put away
    const int n = game->choiceCount();
    ASSERT_GT(n, seen);
    std::set<int> pictures;
    int seenChoices = 0;
    for (int i = 0; i < n; ++i) {
        pictures.insert(game->choicePicture(i));
        seenChoices += game->wasSeen(i);
    }
    EXPECT_EQ(static_cast<int>(pictures.size()), n);
    EXPECT_EQ(seenChoices, seen);

    const int level = game->getLevel();
    int picked = 0;
    for (int i = 0; i < n; ++i) {
        if (!game->wasSeen(i)) continue;
        const int score = game->getScore();
        clickChoice(game, i);
        EXPECT_GT(game->getScore(), score);
        ++picked;
        if (picked == 1) {
            ticks(2);
            const int before = game->getScore();
            clickChoice(game, i);  // found already
            EXPECT_EQ(game->getScore(), before);
            EXPECT_EQ(game->getWrongAnswers(), 0);
        }
        if (picked < seen) untilAnswer(game);
    }
    ASSERT_EQ(tickUntil([game] { return game->getPhase() == GameBase::PhaseNextTurn; }, 3), 1);
    EXPECT_EQ(game->getLevel(), level + 1);
    EXPECT_EQ(game->getWrongAnswers(), 0);
}

// A picture that was not shown ends the turn as wrong; the shown ones stand out.
TEST_F(RecallGameRun, APictureNotShownEndsTheTurn) {
    loadGame();
    RecallGame* game = start(kMemoRandom);
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    int other = -1;
    for (int i = 0; i < game->choiceCount() && other < 0; ++i)
        if (!game->wasSeen(i)) other = i;
    ASSERT_GE(other, 0);
    clickChoice(game, other);
    EXPECT_EQ(game->getWrongAnswers(), 1);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    EXPECT_LT(game->choiceSprite(other)->getAlpha(), 128);
    ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhasePlay; }, 20), 0);  // the next turn
}

}  // namespace game_test
