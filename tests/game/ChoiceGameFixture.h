#pragma once

#include "GameFixture.h"
#include "game/minigames/ChoiceGame.h"
#include "sprite/Sprite.h"

namespace game_test {

// A loaded game of one answer a turn, played by clicking its choices.
class ChoiceGameFixture : public GameFixture {
protected:
    template <typename Game>
    Game* start(int game, int difficulty) {
        auto* g = dynamic_cast<Game*>(startPractice(game, difficulty));
        EXPECT_NE(g, nullptr);
        return g;
    }
    void untilAnswer(ChoiceGame* game) {
        ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhaseAnswer; }, 200), 0);
    }
    void clickOption(ChoiceGame* game, int i) {
        sprite::Sprite* s = game->option(i);
        const int x = game->getX() + s->getX() + s->getWidth() / 2, y = game->getY() + s->getY() + s->getHeight() / 2;
        pointer(window::Event::MouseDown, x, y);
        pointer(window::Event::MouseUp, x, y);
    }
    // Whole turns: exactly the right choice carries the target's shape; even
    // turns click it (score and level rise), odd ones click the wrong choice
    // wrongOf names (a wrong answer counts); each answer deals a new turn.
    template <typename Wrong>
    void playTurns(ChoiceGame* game, int turns, Wrong wrongOf) {
        untilAnswer(game);
        for (int turn = 0; turn < turns; ++turn) {
            const int n = game->optionCount();
            ASSERT_GE(n, 3);
            ASSERT_NE(game->target(), nullptr);
            EXPECT_EQ(game->optionShape(game->rightOption()), game->targetShape());
            for (int i = 0; i < n; ++i) {
                if (i != game->rightOption()) {
                    EXPECT_NE(game->optionShape(i), game->targetShape());
                }
            }
            const int score = game->getScore(), wrong = game->getWrongAnswers(), level = game->getLevel();
            if (turn % 2 == 0) {
                clickOption(game, game->rightOption());
                EXPECT_GT(game->getScore(), score);
                EXPECT_EQ(game->getLevel(), level + 1);
            } else {
                const int w = wrongOf(game);
                ASSERT_GE(w, 0);
                ASSERT_NE(w, game->rightOption());
                clickOption(game, w);
                EXPECT_EQ(game->getScore(), score);
                EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
            }
            untilAnswer(game);
        }
    }
    // The choice after the right one.
    static int nextAfterRight(ChoiceGame* game) { return (game->rightOption() + 1) % game->optionCount(); }
};

}  // namespace game_test
