// Number Order: the rules of a turn and whole turns in the loaded game.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "GameFixture.h"
#include "game/minigames/NumberOrder.h"
#include "sprite/NumberSprite.h"
#include "sprite/ScalerSprite.h"
#include "window/FancyHelper.h"

namespace game_test {
namespace {

// The scene parameters the set-ups change. Runs of four are start, largest,
// levels per step and step; the show time's largest is its value at level 0.
using N = NumberOrder;
constexpr int CountStart = N::ParamCount + N::RunStart, CountLargest = N::ParamCount + N::RunLargest,
              CountLevelsPerStep = N::ParamCount + N::RunLevelsPerStep;
constexpr int ShowStart = N::ParamShowTime + N::RunStart, ShowLevelsPerStep = N::ParamShowTime + N::RunLevelsPerStep,
              ShowStep = N::ParamShowTime + N::RunStep;

constexpr int kNumberOrder = 8;

// A game outside any scene with the turn numbers of the shipped scene,
// changed where a test says so.
NumberOrder* looseGame(std::initializer_list<std::pair<int, int>> changes = {}) {
    auto* game = new NumberOrder();
    lang::IntArray numbers(53);
    const int turn[] = {1, 2, 0, 3, 9, 3, 1, 50, 50, 1, -8, 15, 1, 99};  // positions 39 .. 52
    for (int i = 0; i < 14; ++i) numbers[N::ParamCountSlot + i] = turn[i];
    for (auto [position, value] : changes) numbers[position] = value;
    game->setParameters(numbers);
    return game;
}

TEST(NumberOrderGame, TheCountStepsWithTheLevelAndTheDisplayShortensWithinAStep) {
    NumberOrder* game = looseGame();
    auto shape = game->shapeAt(0);
    EXPECT_EQ(shape.count, 3);
    EXPECT_EQ(shape.showTime, 50);  // the longest display at level 0
    EXPECT_FALSE(shape.wide);
    EXPECT_EQ(shape.low, 1);
    EXPECT_EQ(shape.high, 3);
    shape = game->shapeAt(4);  // one count step, one level left over for the display
    EXPECT_EQ(shape.count, 4);
    EXPECT_EQ(shape.showTime, 42);
    EXPECT_EQ(game->shapeAt(5).showTime, 34);
    EXPECT_EQ(game->shapeAt(3).showTime, 50);  // a new count starts with the long display again
    EXPECT_EQ(game->shapeAt(40).count, 9);
    game->release();
}

TEST(NumberOrderGame, LargePatternsGetTimeForEveryTileAndWideNumbersMore) {
    NumberOrder* game = looseGame();
    auto shape = game->shapeAt(11);  // 6 tiles, remainder 2
    EXPECT_EQ(shape.count, 6);
    EXPECT_EQ(shape.showTime, 4 * 3 + 50);
    game->release();
    game = looseGame({{N::ParamWideFromLevel, 9}});  // wide numbers from level 9: 6 tiles
    shape = game->shapeAt(9);
    EXPECT_TRUE(shape.wide);
    EXPECT_EQ(shape.count, 6);
    EXPECT_GE(shape.showTime, 18 + 50);
    EXPECT_EQ(shape.low, 1);
    EXPECT_EQ(shape.high, 99);
    game->release();
}

TEST(NumberOrderGame, EachGrowthSlotUsesWhatTheSlotsBeforeItLeaveOver) {
    // The display first (slot 0), stepping every 4 levels; the count from the remainder.
    NumberOrder* game = looseGame({{N::ParamCountSlot, 1},
                                   {N::ParamShowTimeSlot, 0},
                                   {N::ParamWideSlot, 2},
                                   {CountLevelsPerStep, 1},
                                   {ShowLevelsPerStep, 4},
                                   {ShowStep, 5},
                                   {ShowStart, 20},
                                   {N::ParamShowTimeAtStart, 40}});
    auto shape = game->shapeAt(9);  // 9 / 4 = 2 display steps, 1 level left for the count
    EXPECT_EQ(shape.showTime, 2 * 5 + 20);
    EXPECT_EQ(shape.count, 4);
    EXPECT_FALSE(shape.wide);  // nothing left over for the wide numbers
    EXPECT_EQ(game->shapeAt(8).count, 3);
    game->release();
}

TEST(NumberOrderGame, CountsWithoutAPatternAreKeptToOneToNine) {
    NumberOrder* game = looseGame({{CountStart, 0}});
    EXPECT_EQ(game->shapeAt(0).count, 1);
    game->release();
    game = looseGame({{CountStart, 12}, {CountLargest, 20}});
    EXPECT_EQ(game->shapeAt(0).count, 9);
    game->release();
    int cells[NumberOrder::MaxCount];
    EXPECT_EQ(NumberOrder::pattern(10, 0, cells), 0);
    EXPECT_EQ(NumberOrder::pattern(0, 1, cells), 0);
}

TEST(NumberOrderGame, PatternsHoldDistinctCellsInTheMiddleOfTheLattice) {
    int cells[NumberOrder::MaxCount];
    ASSERT_EQ(NumberOrder::pattern(4, 0, cells), 4);
    EXPECT_EQ(std::vector<int>(cells, cells + 4), (std::vector<int>{2 * 9 + 4, 3 * 9 + 4, 5 * 9 + 4, 6 * 9 + 4}));
    for (int count = 1; count <= 9; ++count)
        for (int variant = 0; variant < 2; ++variant) {
            ASSERT_EQ(NumberOrder::pattern(count, variant, cells), count);
            std::set<int> distinct(cells, cells + count);
            EXPECT_EQ(static_cast<int>(distinct.size()), count) << count << "/" << variant;
            for (int c : distinct) {
                EXPECT_GE(c / 9, 2);
                EXPECT_LE(c / 9, 6);
                EXPECT_GE(c % 9, 2);
                EXPECT_LE(c % 9, 6);
            }
        }
}

TEST(NumberOrderGame, DrawnNumbersAreDistinctAscendingAndInRange) {
    NumberOrder* game = looseGame();
    int numbers[9];
    for (int round = 0; round < 50; ++round) {
        game->drawNumbers(9, 10, 40, numbers);
        for (int i = 0; i < 9; ++i) {
            EXPECT_GE(numbers[i], 10);
            EXPECT_LE(numbers[i], 40);
            if (i > 0) {
                EXPECT_LT(numbers[i - 1], numbers[i]);
            }
        }
    }
    game->drawNumbers(4, 1, 4, numbers);
    EXPECT_EQ(std::vector<int>(numbers, numbers + 4), (std::vector<int>{1, 2, 3, 4}));
    // A range too narrow for the count is widened instead of drawing for ever.
    game->drawNumbers(4, 5, 6, numbers);
    EXPECT_EQ(std::vector<int>(numbers, numbers + 4), (std::vector<int>{5, 6, 7, 8}));
    game->release();
}

}  // namespace

class NumberOrderGameRun : public GameFixture {
protected:
    NumberOrder* start(int difficulty) {
        auto* game = dynamic_cast<NumberOrder*>(startPractice(kNumberOrder, difficulty));
        EXPECT_NE(game, nullptr);
        return game;
    }
    // Ticks until the game is in a phase.
    void until(NumberOrder* game, int phase) {
        ASSERT_GT(tickUntil([game, phase] { return game->getPhase() == phase; }, 300), 0) << phase;
    }
    // The cells of the turn's tiles, smallest number first.
    std::vector<int> tilesByRank(NumberOrder* game) {
        std::vector<int> cells(game->getCount(), -1);
        for (int i = 0; i < NumberOrder::Cells; ++i) {
            const auto& c = game->cell(i / 9, i % 9);
            if (c.value >= 0 && c.rank >= 1 && c.rank <= game->getCount()) cells[c.rank - 1] = i;
        }
        return cells;
    }
    void pressCell(NumberOrder* game, int i) {
        const auto& c = game->cell(i / 9, i % 9);
        ASSERT_NE(c.tile, nullptr);
        press(game->getX() + c.tile->getCentreX(), game->getY() + c.tile->getCentreY());
    }
};

// The preview: the tiles of the pattern grow in with 1, 2, 3, 4 on them, then
// the numbers hide and the game waits for clicks.
TEST_F(NumberOrderGameRun, FourTilesShowOneToFourInTheirPatternThenHide) {
    loadGame();
    NumberOrder* game = start(1);  // normal starts with four tiles
    ASSERT_NE(game, nullptr);
    until(game, GameBase::PhasePlay);
    ASSERT_EQ(game->getCount(), 4);
    int cells[4];
    NumberOrder::pattern(4, 1 - game->getVariant(), cells);  // the variant has flipped since
    sprite::Sprite* bounds = game->findChild(lang::String("GridBounds"));
    ASSERT_NE(bounds, nullptr);
    int cw = bounds->getWidth() / 9, ch = bounds->getHeight() / 9;
    ticks(6);
    std::set<int> values;
    for (int k = 0; k < 4; ++k) {
        int row = cells[k] / 9, column = cells[k] % 9;
        const auto& c = game->cell(row, column);
        ASSERT_NE(c.tile, nullptr) << k;
        EXPECT_EQ(c.rank, c.value);
        values.insert(c.value);
        lang::String name("gridTile_");
        name.append(row).append("_").append(column);
        EXPECT_EQ(game->findChild(name), c.tile);
        EXPECT_EQ(c.tile->getCentreX(), bounds->getX() + cw * column + cw / 2);
        EXPECT_EQ(c.tile->getCentreY(), bounds->getY() + ch * row + ch / 2);
        EXPECT_EQ(c.tile->getZoom(), 100);
        ASSERT_NE(c.number, nullptr);
        EXPECT_TRUE(c.number->isVisible());
        EXPECT_EQ(c.number->getValue(), c.value);
    }
    EXPECT_EQ(values, (std::set<int>{1, 2, 3, 4}));
    until(game, 5);
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(game->numberShown(cells[k])) << k;
}

TEST_F(NumberOrderGameRun, TwoTurnsOfTheSameCountUseBothVariants) {
    loadGame();
    NumberOrder* game = start(0);
    ASSERT_NE(game, nullptr);
    setParams(game, {{CountLevelsPerStep, 0}});  // the count never steps: three tiles every turn
    std::set<std::vector<int>> seen;
    for (int turn = 0; turn < 2; ++turn) {
        until(game, 5);
        std::vector<int> cells;
        for (int i = 0; i < NumberOrder::Cells; ++i)
            if (game->cell(i / 9, i % 9).value >= 0) cells.push_back(i);
        int expected[3];
        NumberOrder::pattern(3, 1 - game->getVariant(), expected);
        std::sort(expected, expected + 3);
        EXPECT_EQ(cells, std::vector<int>(expected, expected + 3));
        seen.insert(cells);
        pressCell(game, tilesByRank(game)[1]);  // wrong: the turn ends
        EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    }
    EXPECT_EQ(seen.size(), 2u);
}

// A whole turn clicked in order: every tile scores and shows its number, the
// last one finishes the pattern and raises level and multiplier.
TEST_F(NumberOrderGameRun, TilesClickedInOrderScoreAndFinishThePattern) {
    loadGame();
    NumberOrder* game = start(0);
    ASSERT_NE(game, nullptr);
    until(game, 5);
    std::vector<int> order = tilesByRank(game);
    ASSERT_EQ(order.size(), 3u);
    int level = game->getLevel(), multiplier = game->getMultiplier();
    for (size_t k = 0; k < order.size(); ++k) {
        int score = game->getScore();
        canvas->sounds.clear();
        pressCell(game, order[k]);
        EXPECT_EQ(game->getPhase(), GameBase::PhaseCorrect);
        EXPECT_GT(game->getScore(), score);
        EXPECT_EQ(game->getFound(), static_cast<int>(k) + 1);
        EXPECT_TRUE(game->numberShown(order[k]));
        EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 1);
        if (k + 1 < order.size()) ticks(2);  // quick clicks while the last answer shows are taken
    }
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundSuccess), 1);
    EXPECT_EQ(game->getLevel(), level + 1);
    EXPECT_EQ(game->getMultiplier(), multiplier + 1);
    until(game, GameBase::PhasePlay);  // a new pattern
    EXPECT_EQ(game->getFound(), 0);
}

TEST_F(NumberOrderGameRun, AWrongTileEndsTheTurnAndAShownNumberIsNoAnswer) {
    loadGame();
    NumberOrder* game = start(0);
    ASSERT_NE(game, nullptr);
    until(game, 5);
    std::vector<int> order = tilesByRank(game);
    pressCell(game, order[0]);
    int score = game->getScore(), wrong = game->getWrongAnswers();
    canvas->sounds.clear();
    pressCell(game, order[0]);  // already shown: nothing at all
    EXPECT_EQ(game->getPhase(), GameBase::PhaseCorrect);
    EXPECT_EQ(game->getFound(), 1);
    EXPECT_TRUE(canvas->sounds.empty());
    pressCell(game, order[2]);  // skips the second
    EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    EXPECT_EQ(game->getScore(), score);
    EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundFailure), 1);
    pressCell(game, order[1]);  // the turn is over
    EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    EXPECT_EQ(game->getFound(), 1);
    until(game, 5);
    EXPECT_EQ(game->getFound(), 0);
}

TEST_F(NumberOrderGameRun, ThePointerBrightensTheTileUnderItWhileItsNumberHides) {
    loadGame();
    NumberOrder* game = start(0);
    ASSERT_NE(game, nullptr);
    until(game, 5);
    int i = tilesByRank(game)[0];
    const auto& c = game->cell(i / 9, i % 9);
    pointer(window::Event::MouseMove, game->getX() + c.tile->getCentreX(), game->getY() + c.tile->getCentreY());
    EXPECT_EQ(game->getHovered(), i);
    ASSERT_NE(c.tile->getFancy(), nullptr);
    EXPECT_EQ(c.tile->getFancy()->red, 160);
    pointer(window::Event::MouseMove, 20, 360);  // beside every tile
    EXPECT_EQ(game->getHovered(), -1);
    EXPECT_EQ(c.tile->getFancy()->red, 128);
}

}  // namespace game_test
