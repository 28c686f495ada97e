// Shadow Shift: figures and their mirror images, the choices of a turn, the
// painted pictures and whole turns in the loaded game.

#include <gtest/gtest.h>

#include "ChoiceGameFixture.h"
#include "game/minigames/FigureCanvas.h"
#include "game/minigames/Polyomino.h"
#include "game/minigames/ShadowShift.h"
#include "util/Random.h"

namespace game_test {
namespace {

constexpr int kShadowShift = 9;
const Polyomino kL({{0, 0}, {0, 1}, {0, 2}, {1, 2}});
const Polyomino kT({{0, 0}, {1, 0}, {2, 0}, {1, 1}});

TEST(Polyomino, TurnsKeepTheShapeAndOnlyChiralFiguresDifferFromTheirMirror) {
    EXPECT_EQ(kL.turned().turned().turned().turned(), kL);
    EXPECT_NE(kL.turned(), kL);
    EXPECT_TRUE(kL.sameShape(kL.turned().turned()));
    EXPECT_TRUE(kL.isChiral());
    EXPECT_FALSE(kL.sameShape(kL.mirrored()));
    EXPECT_FALSE(kT.isChiral());  // a T turned is its own mirror image
    EXPECT_EQ(kL.width(), 2);
    EXPECT_EQ(kL.height(), 3);
    EXPECT_EQ(kL.outline().size(), 10u);  // the L's perimeter in cell sides
}

TEST(Polyomino, GrownFiguresAreConnected) {
    util::Random random(7);
    for (int round = 0; round < 50; ++round) {
        Polyomino f = Polyomino::grow(random, 7);
        ASSERT_EQ(f.size(), 7);
        EXPECT_TRUE(f.isConnected());
    }
    EXPECT_FALSE(Polyomino({{0, 0}, {2, 0}}).isConnected());
}

// Exactly one choice is the target's figure at any turn; every mirror image
// differs from it however it is turned, and other figures are neither.
TEST(ShadowShiftRules, OneChoiceIsTheFigureAndNoMirrorPassesForIt) {
    util::Random random(11);
    for (int round = 0; round < 40; ++round) {
        const int cells = 4 + round % 4;
        Polyomino figure = ShadowShift::chiralFigure(random, cells);
        ASSERT_EQ(figure.size(), cells);
        ASSERT_TRUE(figure.isChiral());
        std::vector<ShadowShift::Choice> choices = ShadowShift::dealChoices(random, figure, 6, round % 6, 45);
        ASSERT_EQ(choices.size(), 6u);
        int same = 0, mirrors = 0;
        for (const ShadowShift::Choice& c : choices) {
            same += c.figure.sameShape(figure);
            mirrors += c.shape == 1;
            EXPECT_EQ(c.shape == 0, c.figure.sameShape(figure));
            EXPECT_EQ(c.degrees % 45, 0);
        }
        EXPECT_EQ(same, 1);
        EXPECT_GE(mirrors, std::min(round % 6, 5));
    }
}

// A painted figure: its cells in the colour, its edge in ink, around it clear;
// its mirror image covers other pixels; a half turn stands it on its head.
TEST(FigureCanvasPaint, FigureCellsEdgeAndMirror) {
    FigureCanvas canvas(60, 60), mirror(60, 60), turned(60, 60);
    canvas.figure(kL, {30, 30, 10, 0}, 0xD7634D, false);
    mirror.figure(kL.mirrored(), {30, 30, 10, 0}, 0xD7634D, false);
    turned.figure(kL, {30, 30, 10, 180}, 0xD7634D, false);
    // The L spans x 20..40, y 15..45; its foot is the cell at x 30..40, y 35..45.
    EXPECT_EQ(canvas.pixel(25, 25), 0xFFD7634Du);
    EXPECT_EQ(canvas.pixel(35, 40), 0xFFD7634Du);
    EXPECT_EQ(canvas.pixel(35, 20) >> 24, 0u);  // beside the stem: clear
    EXPECT_EQ(canvas.pixel(20, 30), 0xFF000000u | FigureCanvas::Ink);
    EXPECT_EQ(canvas.pixel(5, 5), 0u);
    EXPECT_EQ(mirror.pixel(25, 40), 0xFFD7634Du);  // the mirrored foot points left
    EXPECT_EQ(mirror.pixel(25, 25) >> 24, 0u);
    EXPECT_EQ(turned.pixel(25, 20), 0xFFD7634Du);  // the foot now at the top left
    EXPECT_EQ(turned.pixel(25, 40) >> 24, 0u);
    window::Image* picture = canvas.picture();
    ASSERT_NE(picture->getPixels(), nullptr);
    EXPECT_EQ(picture->getPixels()[25 * 60 + 25], 0xFFD7634Du);
    picture->release();
}

}  // namespace

class ShadowShiftRun : public ChoiceGameFixture {};

// Whole turns: the right choice scores and raises the level, a mirror image
// counts wrong; each answer deals a new figure whose shadow stands turned.
TEST_F(ShadowShiftRun, TheFigureScoresAndItsMirrorImageIsWrong) {
    loadGame();
    auto* game = start<ShadowShift>(kShadowShift, 0);
    ASSERT_NE(game, nullptr);
    playTurns(game, 4, [](ChoiceGame* g) {
        for (int i = 0; i < g->optionCount(); ++i)
            if (g->optionShape(i) == 1) return i;
        ADD_FAILURE() << "every turn offers the mirror image";
        return -1;
    });
    std::string text;
    game->describe(text);
    EXPECT_NE(text.find("options " + std::to_string(game->optionCount()) + " " + std::to_string(game->rightOption()) +
                        " target 0\n"),
              std::string::npos);
    EXPECT_NE(text.find("\noption 0 "), std::string::npos);
    saveScreen("shadowshift-turn.png");
}

// The hard start deals larger figures at finer turns among more choices.
TEST_F(ShadowShiftRun, HigherLevelsTurnFinerWithLargerFiguresAndMoreMirrors) {
    loadGame();
    auto* game = start<ShadowShift>(kShadowShift, 2);
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    EXPECT_GE(game->getLevel(), 6);
    EXPECT_GT(game->figure().size(), 4);
    EXPECT_LT(game->turnStep(game->getLevel()), 90);
    EXPECT_GT(game->optionCount(), 3);
    int mirrors = 0;
    for (int i = 0; i < game->optionCount(); ++i) mirrors += game->optionShape(i) == 1;
    EXPECT_GE(mirrors, 3);
    ASSERT_NE(game->target(), nullptr);
    saveScreen("shadowshift-hard.png");
}

}  // namespace game_test
