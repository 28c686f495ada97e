// The matching game of Match Maker: the choice of options and whole turns
// in the loaded game.

#include <gtest/gtest.h>

#include <set>

#include "GameFixture.h"
#include "game/minigames/MatchGame.h"
#include "sprite/Sprite.h"
#include "window/Image.h"

namespace game_test {
namespace {

constexpr int kMatchMaker = 12;

}  // namespace

class MatchGameRun : public GameFixture {
protected:
    MatchGame* start(int game, int difficulty = 0) {
        auto* m = dynamic_cast<MatchGame*>(startPractice(game, difficulty));
        EXPECT_NE(m, nullptr);
        return m;
    }
    void untilAnswer(MatchGame* game) { ASSERT_GT(tickUntil([game] { return game->getPhase() == 5; }, 200), 0); }
    void clickOption(MatchGame* game, int i) {
        sprite::Sprite* s = game->option(i);
        const int x = game->getX() + s->getX() + s->getWidth() / 2, y = game->getY() + s->getY() + s->getHeight() / 2;
        pointer(window::Event::MouseDown, x, y);
        pointer(window::Event::MouseUp, x, y);
    }
    // Pixels of the composed scene inside a sprite's box that are nearly black.
    int blackPixelsOver(MatchGame* game, sprite::Sprite* s) {
        canvas->repaint(nullptr);
        canvas->update();
        canvas->compose();
        window::Image* frame = canvas->getFrameImage();
        int black = 0;
        for (int y = s->getY(); y < s->getY() + s->getHeight(); ++y)
            for (int x = s->getX(); x < s->getX() + s->getWidth(); ++x) {
                uint32_t p = frame->getPixels()[(game->getY() + y) * frame->getWidth() + game->getX() + x];
                black += (p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF) < 40;
            }
        return black;
    }
};

// Cards with look-alikes: the target first, its motif in the other three
// colours, then other motifs all in the target's colour; none twice.
TEST_F(MatchGameRun, LookAlikesShareTheTargetsMotifOrItsColour) {
    loadGame();
    MatchGame* game = start(kMatchMaker);
    ASSERT_NE(game, nullptr);
    for (int round = 0; round < 20; ++round) {
        std::vector<int> picks = game->chooseCards(12, 3, true);
        ASSERT_EQ(picks.size(), 12u);
        EXPECT_EQ(std::set<int>(picks.begin(), picks.end()).size(), 12u);
        const int group = picks[0] / 4, colour = picks[0] % 4;
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(picks[i] / 4, group);
        std::set<int> groups;
        for (int i = 4; i < 12; ++i) {
            EXPECT_NE(picks[i] / 4, group);
            EXPECT_EQ(picks[i] % 4, colour);
            groups.insert(picks[i] / 4);
        }
        EXPECT_EQ(groups.size(), 8u);
    }
}

// Turns of Match Maker: exactly one option is the target's picture; it
// scores, another option is wrong, and each answer deals a new turn.
TEST_F(MatchGameRun, OnlyTheTwinScoresAndEachAnswerDealsANewTurn) {
    loadGame();
    MatchGame* game = start(kMatchMaker);
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    for (int turn = 0; turn < 4; ++turn) {
        const int n = game->optionCount();
        ASSERT_GE(n, 3);
        int twins = 0;
        for (int i = 0; i < n; ++i) twins += game->optionShape(i) == game->targetShape();
        EXPECT_EQ(twins, 1);
        EXPECT_EQ(game->optionShape(game->rightOption()), game->targetShape());
        ASSERT_NE(game->target(), nullptr);
        const int score = game->getScore(), wrong = game->getWrongAnswers(), level = game->getLevel();
        if (turn % 2 == 0) {
            clickOption(game, game->rightOption());
            EXPECT_GT(game->getScore(), score);
            EXPECT_EQ(game->getLevel(), level + 1);
        } else {
            clickOption(game, (game->rightOption() + 1) % n);
            EXPECT_EQ(game->getScore(), score);
            EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
        }
        untilAnswer(game);
    }
    // The level brought more options.
    EXPECT_GT(game->optionCount(), 3);
    saveScreen("matchmaker-turn.png");
}

// Match Maker's target shows its colours: card outlines are ink blue, not black.
TEST_F(MatchGameRun, MatchMakersTargetShowsItsColours) {
    loadGame();
    MatchGame* cards = start(kMatchMaker);
    ASSERT_NE(cards, nullptr);
    untilAnswer(cards);
    ASSERT_NE(cards->target(), nullptr);
    EXPECT_LT(blackPixelsOver(cards, cards->target()), 20);
}

}  // namespace game_test
