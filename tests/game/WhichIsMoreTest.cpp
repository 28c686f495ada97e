// Which Is More: the rules of a turn and whole turns in the loaded game.

#include <gtest/gtest.h>

#include "GameFixture.h"
#include "game/minigames/WhichIsMore.h"
#include "sprite/Sprite.h"

namespace game_test {
namespace {

constexpr int kWhichIsMore = 10;

TEST(WhichIsMoreGame, CountsThatFillAGridDropByOne) {
    for (int full : {6, 9, 12, 16, 20}) EXPECT_EQ(WhichIsMore::adjustMost(full), full - 1) << full;
    for (int other : {3, 5, 7, 8, 11, 13, 19}) EXPECT_EQ(WhichIsMore::adjustMost(other), other) << other;
    int columns = 0, rows = 0;
    WhichIsMore::gridFor(WhichIsMore::adjustMost(12), columns, rows);
    EXPECT_EQ(columns, 4);  // 11 pictures still use the 4 x 3 grid
    EXPECT_EQ(rows, 3);
    WhichIsMore::gridFor(8, columns, rows);
    EXPECT_EQ(columns * rows, 9);
}

TEST(WhichIsMoreGame, PictureSizeShrinksWithMorePanelsAndPictures) {
    EXPECT_EQ(WhichIsMore::pictureSizeFor(2, 6), 75);
    EXPECT_EQ(WhichIsMore::pictureSizeFor(3, 12), 60);
    EXPECT_EQ(WhichIsMore::pictureSizeFor(3, 13), 30);
    EXPECT_EQ(WhichIsMore::pictureSizeFor(4, 6), 60);
    EXPECT_EQ(WhichIsMore::pictureSizeFor(6, 12), 50);
}

TEST(WhichIsMoreGame, TwoPanelsStandSideBySideVerticallyCentred) {
    int xs[6], ys[6];
    WhichIsMore::layOut(2, 20, 56, 460, 312, 144, 200, xs, ys);
    EXPECT_EQ(ys[0], ys[1]);
    EXPECT_EQ(ys[0] - 56, 56 + 312 - (ys[0] + 200));  // as much room above as below
    int gap = xs[0] - 20;
    EXPECT_EQ(xs[1] - (xs[0] + 144), gap);
    EXPECT_LE(20 + 460 - (xs[1] + 144) - gap, 2);  // equal gaps, up to rounding
}

TEST(WhichIsMoreGame, FivePanelsSetTheLowerTwoBetweenTheUpperThree) {
    int xs[6], ys[6];
    WhichIsMore::layOut(5, 20, 56, 460, 312, 140, 148, xs, ys);
    EXPECT_EQ(ys[0], ys[2]);
    EXPECT_EQ(ys[3], ys[4]);
    EXPECT_GT(ys[3], ys[0] + 148);
    EXPECT_EQ(xs[3], (xs[0] + xs[1]) / 2);
    EXPECT_EQ(xs[4], (xs[1] + xs[2]) / 2);
}

TEST(WhichIsMoreGame, ACornerFillFromTheTopLeftPutsTheEighthInTheMiddleOfTheBottomRow) {
    int order[9];
    WhichIsMore::cornerOrder(3, 3, 3, order);
    EXPECT_EQ(order[7], 2 * 3 + 1);
    WhichIsMore::cornerOrder(0, 3, 3, order);  // top rows, right to left
    EXPECT_EQ(order[0], 2);
    WhichIsMore::cornerOrder(1, 3, 3, order);  // bottom rows, right to left
    EXPECT_EQ(order[0], 8);
    WhichIsMore::cornerOrder(2, 3, 3, order);  // bottom rows, left to right
    EXPECT_EQ(order[0], 6);
}

}  // namespace

class WhichIsMoreGameRun : public GameFixture {};

// Turns of the real game: one panel holds the most, the others fewer, each
// with its pictures on screen; a right click scores, a wrong one does not.
TEST_F(WhichIsMoreGameRun, OnePanelHoldsTheMostAndAnswersAreScored) {
    loadGame();
    auto* game = dynamic_cast<WhichIsMore*>(startPractice(kWhichIsMore, 0));
    ASSERT_NE(game, nullptr);
    setParams(game, {{WhichIsMore::ParamMostPictures + WhichIsMore::RunStart, 10},  // most drawn from 8 .. 10
                     {WhichIsMore::ParamMostPictures + WhichIsMore::RunLargest, 10}});
    ticks(120);  // the start signs, then the first turn
    ASSERT_EQ(game->getPhase(), GameBase::PhaseAnswer);
    for (int turn = 0; turn < 6; ++turn) {
        ASSERT_GE(game->getPanelCount(), 2);
        int most = game->getMost();
        EXPECT_GE(most, 8);
        EXPECT_LE(most, 10);
        int shown = 0;
        for (int i = 0; i < game->getPanelCount(); ++i) {
            if (i == game->getCorrectPanel()) {
                EXPECT_EQ(game->picturesIn(i), most);
            } else {
                EXPECT_GE(game->picturesIn(i), most / 4 + 2);
                EXPECT_LT(game->picturesIn(i), most);
            }
            shown += game->picturesIn(i);
        }
        for (int k = 0; k < shown; ++k) {
            lang::String name("PanelImage_");
            name.append(k);
            EXPECT_NE(game->findChild(name), nullptr) << k;
        }
        int score = game->getScore(), wrong = game->getWrongAnswers();
        bool right = turn % 2 == 0;
        int target = right ? game->getCorrectPanel() : (game->getCorrectPanel() + 1) % game->getPanelCount();
        lang::String panelName("Panel_");
        panelName.append(target);
        sprite::Sprite* panel = game->findChild(panelName);
        ASSERT_NE(panel, nullptr);
        press(game->getX() + panel->getX() + panel->getWidth() / 2,
              game->getY() + panel->getY() + panel->getHeight() / 2);
        if (right) {
            EXPECT_GT(game->getScore(), score);
        } else {
            EXPECT_EQ(game->getScore(), score);
            EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
        }
        ticks(20);  // the feedback, then the next turn
        ASSERT_EQ(game->getPhase(), GameBase::PhaseAnswer) << "turn " << turn;
    }
}

// At every panel count and count of pictures, each picture (a 64 x 64 tile
// face at its size) fits its cell, and the cells lie inside the panel's card.
TEST_F(WhichIsMoreGameRun, PicturesStayInsideTheirPanelsAtEverySize) {
    loadGame();
    auto* game = dynamic_cast<WhichIsMore*>(canvas->gameAt(kWhichIsMore));
    ASSERT_NE(game, nullptr);
    constexpr int kTile = 64;
    for (int panels = 2; panels <= 6; ++panels) {
        sprite::Sprite* panel = game->findChild(
            lang::String(panels < 4 ? "PrototypeWhichIsMorePanelBig" : "PrototypeWhichIsMorePanelSmall"));
        ASSERT_NE(panel, nullptr);
        const int w = panel->getWidth(), h = panel->getHeight();
        for (int most = 2; most <= 20; ++most) {
            WhichIsMore::Grid grid;
            WhichIsMore::gridFor(WhichIsMore::adjustMost(most), grid.columns, grid.rows);
            WhichIsMore::cellsOf(panel, grid);
            const int size = WhichIsMore::fittedSize(WhichIsMore::pictureSizeFor(panels, most), grid.cellWidth,
                                                     grid.cellHeight, kTile, kTile);
            const int side = kTile * size / 100;
            EXPECT_LE(side, grid.cellWidth - 2) << panels << " panels, " << most;
            EXPECT_LE(side, grid.cellHeight - 2) << panels << " panels, " << most;
            EXPECT_GE(side, 12) << "still big enough to count";
            const int x = grid.originX - panel->getX(), y = grid.originY - panel->getY();
            EXPECT_GE(x, WhichIsMore::PanelSide);
            EXPECT_GE(y, WhichIsMore::PanelTop);
            EXPECT_LE(x + grid.columns * grid.cellWidth, w - WhichIsMore::PanelSide);
            EXPECT_LE(y + grid.rows * grid.cellHeight, h - WhichIsMore::PanelBottom);
        }
    }
}

}  // namespace game_test
