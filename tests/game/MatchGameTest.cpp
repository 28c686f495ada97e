// The matching game of Match Maker: the choice of options and whole turns
// in the loaded game.

#include <gtest/gtest.h>

#include <set>

#include "ChoiceGameFixture.h"
#include "game/minigames/MatchGame.h"
#include "sprite/Sprite.h"
#include "window/Image.h"

namespace game_test {
namespace {

constexpr int kMatchMaker = 12;

}  // namespace

class MatchGameRun : public ChoiceGameFixture {
protected:
    MatchGame* start(int game) { return ChoiceGameFixture::start<MatchGame>(game, 0); }
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
    playTurns(game, 4, nextAfterRight);
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
