// Get in Shape: pieces, the choices of a turn and whole turns in the loaded game.

#include <gtest/gtest.h>

#include <algorithm>

#include "ChoiceGameFixture.h"
#include "game/minigames/GetInShape.h"
#include "util/Random.h"

namespace game_test {
namespace {

constexpr int kGetInShape = 15;

TEST(GetInShapeRules, PiecesAreWholeBlocksThatFitTheirCards) {
    util::Random random(5);
    for (int round = 0; round < 60; ++round) {
        Polyomino p = GetInShape::piece(random, round % 7);
        EXPECT_TRUE(p.isConnected());
        EXPECT_GE(p.size(), 4);
        EXPECT_LE(p.width(), 6);
        EXPECT_LE(p.height(), 5);
    }
}

// Exactly one choice fills the hole as it stands: every other is turned
// (and then not the piece), of another size, or a cell different.
TEST(GetInShapeRules, OnlyOneChoiceFitsTheHole) {
    util::Random random(9);
    for (int round = 0; round < 60; ++round) {
        Polyomino p = GetInShape::piece(random, 1 + round % 5);
        std::vector<GetInShape::Choice> choices = GetInShape::dealChoices(random, p, 6, round % 3, 16);
        ASSERT_EQ(choices.size(), 6u);
        int fits = 0, turned = 0, sized = 0;
        for (size_t i = 0; i < choices.size(); ++i) {
            const GetInShape::Choice& c = choices[i];
            fits += c.piece == p && c.percent == 100;
            EXPECT_EQ(c.kind == GetInShape::Fits, c.piece == p && c.percent == 100);
            if (c.kind == GetInShape::Turn) {
                ++turned;
                EXPECT_TRUE(c.piece.sameShape(p));
            }
            if (c.kind == GetInShape::Size) {
                ++sized;
                EXPECT_EQ(std::abs(c.percent - 100), 16);
            }
            if (c.kind == GetInShape::Notch) {
                EXPECT_EQ(std::abs(c.piece.size() - p.size()), 1);
            }
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(choices[j].piece == c.piece && choices[j].percent == c.percent) << "dealt twice";
        }
        EXPECT_EQ(fits, 1);
        EXPECT_EQ(sized, 1);
        EXPECT_LE(turned, round % 3);
    }
}

}  // namespace

class GetInShapeRun : public ChoiceGameFixture {};

// Whole turns: the piece that fits scores and raises the level, another
// counts wrong; each answer deals a new board.
TEST_F(GetInShapeRun, ThePieceThatFitsScoresAndAnotherIsWrong) {
    loadGame();
    auto* game = start<GetInShape>(kGetInShape, 0);
    ASSERT_NE(game, nullptr);
    playTurns(game, 4, nextAfterRight);
    std::string text;
    game->describe(text);
    EXPECT_NE(text.find("options " + std::to_string(game->optionCount()) + " " + std::to_string(game->rightOption()) +
                        " target 0\n"),
              std::string::npos);
    EXPECT_NE(text.find(" kind 0 percent 100\n"), std::string::npos);
    saveScreen("getinshape-turn.png");
}

// The hard start brings turned pieces, closer sizes and more notches.
TEST_F(GetInShapeRun, HigherLevelsBringTurnedPiecesAndCloserSizes) {
    loadGame();
    auto* game = start<GetInShape>(kGetInShape, 2);
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    EXPECT_GE(game->getLevel(), 6);
    EXPECT_LT(game->sizeDifference(game->getLevel()), GetInShape::SizeDifferences[0]);
    EXPECT_GT(game->optionCount(), 3);
    std::string text;
    game->describe(text);
    // A turned piece, unless every turn of this one is itself.
    if (!(game->hole().turned() == game->hole())) {
        EXPECT_NE(text.find(" kind 3 "), std::string::npos) << text;
    }
    saveScreen("getinshape-hard.png");
}

}  // namespace game_test
