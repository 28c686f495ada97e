// Spatial Memory: how a level sizes a turn, and whole turns in the loaded game.

#include <cstdlib>
#include <set>
#include <vector>

#include "GameFixture.h"
#include "game/minigames/SpatialMemory.h"
#include "sprite/AnimateSprite.h"
#include "window/FancyHelper.h"

namespace game_test {
namespace {

// The scene parameters the set-ups change. Runs of four are start, largest,
// levels per step and step; the show time's largest is its value at level 0.
using S = SpatialMemory;
constexpr int GridSlot = S::ParamGridSlot, LitSlot = S::ParamLitCountSlot, ShowSlot = S::ParamShowTimeSlot;
constexpr int ShowStart = S::ParamShowTime + S::RunStart, ShowAtLevel0 = S::ParamShowTimeAtStart,
              ShowLevelsPerStep = S::ParamShowTime + S::RunLevelsPerStep, ShowStep = S::ParamShowTime + S::RunStep;
constexpr int GridStart = S::ParamGridIndex + S::RunStart, GridLargest = S::ParamGridIndex + S::RunLargest,
              GridLevelsPerStep = S::ParamGridIndex + S::RunLevelsPerStep, GridStep = S::ParamGridIndex + S::RunStep;
constexpr int LitStart = S::ParamLitCount + S::RunStart, LitLargest = S::ParamLitCount + S::RunLargest,
              LitLevelsPerStep = S::ParamLitCount + S::RunLevelsPerStep, LitStep = S::ParamLitCount + S::RunStep;
constexpr int EasyStartLevel = S::ParamPracticeStartLevelBy;  // the practice plays here are on easy

constexpr int kSpatialMemory = 2;

// A game outside any scene with a parameter list of its own.
class SpatialMemoryRules : public ::testing::Test {
protected:
    void SetUp() override { game = new SpatialMemory(); }
    void TearDown() override { game->release(); }
    void params(std::initializer_list<std::pair<int, int>> changes) {
        lang::IntArray numbers(54);
        for (auto [position, value] : changes) numbers[position] = value;
        game->setParameters(numbers);
    }
    SpatialMemory* game = nullptr;
};

TEST_F(SpatialMemoryRules, GridSizesByIndexAndThreeByThreeBeyond) {
    const int expected[][2] = {{3, 3}, {3, 4}, {4, 4}, {4, 5}, {4, 6}, {5, 6}, {5, 7}, {5, 8}};
    for (int i = 0; i < SpatialMemory::GridSizes; ++i) {
        int rows = 0, columns = 0;
        SpatialMemory::gridSize(i, rows, columns);
        EXPECT_EQ(rows, expected[i][0]) << i;
        EXPECT_EQ(columns, expected[i][1]) << i;
    }
    for (int other : {-1, 8, 40}) {
        int rows = 0, columns = 0;
        SpatialMemory::gridSize(other, rows, columns);
        EXPECT_EQ(rows * columns, 9) << other;
    }
}

// Grid from the whole level, show time also from the whole level, and the
// lit count only from what the show time's steps leave over.
TEST_F(SpatialMemoryRules, TheLitCountGrowsFromWhatTheShowTimeLeaves) {
    params({{GridSlot, 0},
            {ShowSlot, 1},
            {LitSlot, 2},
            {ShowStart, 60},
            {ShowAtLevel0, 60},
            {ShowLevelsPerStep, 5},
            {ShowStep, -10},  // show time: 60, less 10 per 5 levels
            {GridStart, 0},
            {GridLargest, 7},
            {GridLevelsPerStep, 3},
            {GridStep, 1},  // grid: one size up per 3 levels
            {LitStart, 2},
            {LitLargest, 9},
            {LitLevelsPerStep, 2},
            {LitStep, 1}});  // lit: one more per 2 levels
    SpatialMemory::TurnSize at0 = game->turnSizeAt(0);
    EXPECT_EQ(at0.gridIndex, 0);
    EXPECT_EQ(at0.showTime, 60);
    EXPECT_EQ(at0.litCount, 2);
    SpatialMemory::TurnSize at4 = game->turnSizeAt(4);  // no show time step yet: 4 levels for the lights
    EXPECT_EQ(at4.gridIndex, 1);
    EXPECT_EQ(at4.showTime, 60);
    EXPECT_EQ(at4.litCount, 4);
    SpatialMemory::TurnSize at7 = game->turnSizeAt(7);  // one show time step, 7 mod 5 = 2 for the lights
    EXPECT_EQ(at7.gridIndex, 2);
    EXPECT_EQ(at7.showTime, 50);
    EXPECT_EQ(at7.litCount, 3);
    SpatialMemory::TurnSize at10 = game->turnSizeAt(10);  // nothing left for the lights
    EXPECT_EQ(at10.gridIndex, 3);
    EXPECT_EQ(at10.showTime, 40);
    EXPECT_EQ(at10.litCount, 2);
}

// The other order: the lit count takes the whole level and hands its
// remainder to the show time; the grid never consumes the level.
TEST_F(SpatialMemoryRules, SlotsTakeTheirTurnInTheOrderTheParametersGive) {
    params({{GridSlot, 2},
            {LitSlot, 0},
            {ShowSlot, 1},
            {ShowStart, 50},
            {ShowAtLevel0, 50},
            {ShowLevelsPerStep, 1},
            {ShowStep, -10},
            {GridStart, 1},
            {GridLargest, 4},
            {GridLevelsPerStep, 2},
            {GridStep, 1},
            {LitStart, 3},
            {LitLargest, 6},
            {LitLevelsPerStep, 3},
            {LitStep, 1}});
    SpatialMemory::TurnSize at5 = game->turnSizeAt(5);
    EXPECT_EQ(at5.litCount, 4);   // 5 / 3 = 1 step
    EXPECT_EQ(at5.showTime, 30);  // 5 mod 3 = 2 steps of -10
    EXPECT_EQ(at5.gridIndex, 1);  // the remainder after both: 0 steps
    SpatialMemory::TurnSize at30 = game->turnSizeAt(30);
    EXPECT_EQ(at30.litCount, 6);  // at its largest
    EXPECT_EQ(at30.showTime, 50);
}

TEST_F(SpatialMemoryRules, ImpossibleTurnsAreKeptPlayable) {
    // More lights than tiles, a show time that would run below zero, steps of zero levels.
    params({{GridSlot, 0},
            {LitSlot, 1},
            {ShowSlot, 2},
            {ShowStart, 10},
            {ShowAtLevel0, 10},
            {ShowLevelsPerStep, 1},
            {ShowStep, -20},
            {GridLevelsPerStep, 0},
            {LitStart, 12},
            {LitLargest, 20},
            {LitLevelsPerStep, 0}});
    SpatialMemory::TurnSize size = game->turnSizeAt(6);
    EXPECT_EQ(size.gridIndex, 0);
    EXPECT_EQ(size.litCount, 9);  // all nine tiles of the 3 x 3 grid
    EXPECT_EQ(size.showTime, 1);  // the lights still go out
    params({{LitStart, 0}});
    EXPECT_EQ(game->turnSizeAt(0).litCount, 1);
}

}  // namespace

// The loaded game: a practice play at easy with a 4 x 4 grid and 4 lights.
class SpatialMemoryGame : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        loadGame();
        game = dynamic_cast<SpatialMemory*>(canvas->gameAt(kSpatialMemory));
        ASSERT_NE(game, nullptr);
        SpatialMemory::forgetPreviousTargets();
    }

    void start(int lit = 4, int showTime = 20) {
        setParams(game, {{EasyStartLevel, 0},
                         {GridStart, 2},
                         {GridLargest, 2},
                         {GridLevelsPerStep, 100},
                         {LitStart, lit},
                         {LitLevelsPerStep, 100},
                         {ShowAtLevel0, showTime},
                         {ShowLevelsPerStep, 100}});
        startPractice(kSpatialMemory, 0);
        untilPlay(game);
    }
    // Ticks until the player may answer.
    void untilAnswer() {
        ASSERT_GT(tickUntil([this] { return game->getPhase() == GameBase::PhaseAnswer; }, 200), 0);
    }

    std::vector<int> tilesIn(int state) const {
        std::vector<int> found;
        for (int i = 0; i < game->getTileCount(); ++i)
            if (game->tileState(i) == state) found.push_back(i);
        return found;
    }
    void at(int kind, int tile) {
        sprite::AnimateSprite* back = game->background(tile);
        ASSERT_NE(back, nullptr);
        pointer(kind, game->getX() + back->getX() + back->getWidth() / 2,
                game->getY() + back->getY() + back->getHeight() / 2);
    }
    void click(int tile) { at(window::Event::MouseDown, tile); }
    int redOf(int tile) const {
        window::FancyHelper* fancy = game->background(tile)->getFancy();
        return fancy ? fancy->red : 128;
    }

    SpatialMemory* game = nullptr;
};

TEST_F(SpatialMemoryGame, TheTargetsLightUpThenThePicturesFlyOffAndReturn) {
    start(4, 20);
    ASSERT_EQ(game->getPhase(), GameBase::PhasePlay);
    ASSERT_EQ(game->getRows(), 4);
    ASSERT_EQ(game->getColumns(), 4);
    // The grid is centred in the play area with 3 pixels between tiles.
    sprite::Sprite* area = game->findChild(lang::String("GameBounds"));
    sprite::AnimateSprite* first = game->background(0);
    sprite::AnimateSprite* last = game->background(15);
    int w = first->getWidth();
    EXPECT_EQ(game->background(1)->getX() - first->getX(), w + 3);
    EXPECT_LE(std::abs((first->getX() - area->getX()) - (area->getX() + area->getWidth() - last->getX() - w)), 1);
    EXPECT_LE(std::abs((first->getY() - area->getY()) - (area->getY() + area->getHeight() - last->getY() - w)), 1);

    std::vector<int> lit = tilesIn(SpatialMemory::TileLit);
    ASSERT_EQ(lit.size(), 4u);
    for (int i : lit) {
        EXPECT_EQ(game->background(i)->getFrame(), 2);
        EXPECT_FALSE(game->image(i)->isVisible());
    }
    EXPECT_EQ(tilesIn(SpatialMemory::TilePlain).size(), 12u);

    ticks(19);
    EXPECT_EQ(game->getPhase(), GameBase::PhasePlay);  // lit for the show time
    tick();
    ASSERT_EQ(game->getPhase(), GameBase::PhasePreviewOver);
    EXPECT_EQ(tilesIn(SpatialMemory::TileTarget), lit);
    // Every tile shimmers while the pictures are away.
    for (int i = 0; i < game->getTileCount(); ++i) EXPECT_EQ(game->background(i)->getFrameStep(), 1) << i;
    ticks(13);
    // Every picture has left the screen.
    for (int i = 0; i < game->getTileCount(); ++i) {
        sprite::AnimateSprite* picture = game->image(i);
        bool outside = picture->getX() + picture->getWidth() <= 0 || picture->getY() + picture->getHeight() <= 0 ||
                       picture->getX() >= 500 || picture->getY() >= 375;
        EXPECT_TRUE(outside) << i << " at " << picture->getX() << "," << picture->getY();
    }
    tick();
    ASSERT_EQ(game->getPhase(), GameBase::PhaseAnswer);
    for (int i = 0; i < game->getTileCount(); ++i) {
        EXPECT_EQ(game->image(i)->getX(), game->background(i)->getX());
        EXPECT_EQ(game->image(i)->getY(), game->background(i)->getY());
        EXPECT_TRUE(game->image(i)->isVisible());
    }
    // The tiles stay plain while the player answers.
    ticks(10);
    for (int i = 0; i < game->getTileCount(); ++i) EXPECT_EQ(game->background(i)->getFrame(), 0) << i;
}

TEST_F(SpatialMemoryGame, FindingEveryTargetScoresEachAndSolvesTheTurn) {
    start(3);
    std::vector<int> targets = tilesIn(SpatialMemory::TileLit);
    ASSERT_EQ(targets.size(), 3u);
    untilAnswer();
    int level = game->getLevel(), multiplier = game->getMultiplier();
    int score = game->getScore();
    for (size_t n = 0; n < targets.size(); ++n) {
        canvas->sounds.clear();
        click(targets[n]);
        EXPECT_GT(game->getScore(), score) << n;
        score = game->getScore();
        EXPECT_EQ(game->getFound(), static_cast<int>(n) + 1);
        EXPECT_EQ(game->tileState(targets[n]), SpatialMemory::TileLit);
        EXPECT_EQ(game->background(targets[n])->getFrame(), 2);
        EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 1);
        if (n == 0) {
            // A found tile clicked again neither scores nor ends the turn.
            click(targets[0]);
            EXPECT_EQ(game->getScore(), score);
            EXPECT_EQ(game->getFound(), 1);
            EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);
        }
    }
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundSuccess), 1);
    EXPECT_EQ(game->getLevel(), level + game->param(S::ParamSuccessStep));
    EXPECT_EQ(game->getMultiplier(), multiplier + game->param(S::ParamSuccessStep));
    // A late click on a plain tile cannot spoil the solved turn.
    click(tilesIn(SpatialMemory::TilePlain).front());
    EXPECT_EQ(game->getWrongAnswers(), 0);
    tick();
    EXPECT_EQ(game->getPhase(), GameBase::PhaseNextTurn);
    untilAnswer();
    EXPECT_EQ(game->getFound(), 0);
}

TEST_F(SpatialMemoryGame, OneWrongTileEndsTheTurnAndTheNextStartsTwelveFramesLater) {
    start(4);
    std::vector<int> targets = tilesIn(SpatialMemory::TileLit);
    untilAnswer();
    click(targets[0]);
    int score = game->getScore(), level = game->getLevel(), multiplier = game->getMultiplier();
    canvas->sounds.clear();
    click(tilesIn(SpatialMemory::TilePlain).front());
    EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    EXPECT_EQ(game->getWrongAnswers(), 1);
    EXPECT_EQ(game->getScore(), score);  // the found tile keeps its points
    EXPECT_EQ(game->getLevel(), std::max(level + game->param(S::ParamLevelStep), 0));
    EXPECT_EQ(game->getMultiplier(), std::max(multiplier + game->param(S::ParamLevelStep), 0));
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundFailure), 1);
    tick();
    ASSERT_EQ(game->getPhase(), GameBase::PhaseNextTurn);
    ticks(11);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseNextTurn);
    tick();
    EXPECT_EQ(game->getPhase(), GameBase::PhasePlay);
    EXPECT_EQ(game->getFound(), 0);
    EXPECT_EQ(tilesIn(SpatialMemory::TileLit).size(), 4u);
}

TEST_F(SpatialMemoryGame, ClicksOutsideTheAnswerAreIgnored) {
    start(4);
    std::vector<int> plain = tilesIn(SpatialMemory::TilePlain);
    click(plain[0]);  // while the targets are lit
    EXPECT_EQ(game->getWrongAnswers(), 0);
    EXPECT_EQ(game->getPhase(), GameBase::PhasePlay);
}

TEST_F(SpatialMemoryGame, ConsecutiveTurnsLightDifferentSets) {
    start(2);
    std::set<int> last;
    for (int turn = 0; turn < 12; ++turn) {
        game->endTurn();
        std::vector<int> now = tilesIn(SpatialMemory::TileTarget);
        ASSERT_EQ(now.size(), 2u);
        std::set<int> current(now.begin(), now.end());
        EXPECT_NE(current, last) << "turn " << turn;
        last = current;
    }
}

TEST_F(SpatialMemoryGame, AGridFullOfLightsRepeatsItsOnlySet) {
    setParams(game, {{GridStart, 0}, {GridLargest, 0}, {LitStart, 9}, {LitLargest, 9}});
    startPractice(kSpatialMemory, 0);
    untilPlay(game);
    EXPECT_EQ(tilesIn(SpatialMemory::TileLit).size(), 9u);
    game->endTurn();  // every shuffle gives the same set: the tenth is taken
    EXPECT_EQ(tilesIn(SpatialMemory::TileTarget).size(), 9u);
}

TEST_F(SpatialMemoryGame, TheTileUnderThePointerIsHighlightedButNotAFoundOne) {
    start(3);
    std::vector<int> targets = tilesIn(SpatialMemory::TileLit);
    std::vector<int> plain = tilesIn(SpatialMemory::TilePlain);
    untilAnswer();
    at(window::Event::MouseMove, plain[0]);
    EXPECT_EQ(redOf(plain[0]), 160);
    at(window::Event::MouseMove, plain[1]);
    EXPECT_EQ(redOf(plain[0]), 128);
    EXPECT_EQ(redOf(plain[1]), 160);
    pointer(window::Event::MouseMove, 2, 370);  // beside the grid
    EXPECT_EQ(redOf(plain[1]), 128);
    EXPECT_EQ(game->getHovered(), -1);
    click(targets[0]);
    at(window::Event::MouseMove, targets[0]);
    EXPECT_EQ(redOf(targets[0]), 128);
    EXPECT_EQ(game->getHovered(), -1);
}

TEST_F(SpatialMemoryGame, LeavingThePlayRemovesTheGrid) {
    start(3);
    ASSERT_NE(game->findChild(lang::String("TileBkgd_0")), nullptr);
    canvas->onMessage(nullptr, lang::String("ExitYes"));
    EXPECT_EQ(game->getPhase(), GameBase::PhaseStopped);
    EXPECT_EQ(game->getTileCount(), 0);
    EXPECT_EQ(game->background(0), nullptr);
    EXPECT_EQ(game->findChild(lang::String("TileBkgd_0")), nullptr);
    EXPECT_EQ(game->findChild(lang::String("TileImage_15")), nullptr);
}

TEST_F(SpatialMemoryGame, TheDescriptionListsTheGridForABot) {
    start(3);
    std::string text;
    game->describe(text);
    EXPECT_NE(text.find("grid 4 4 3 "), std::string::npos) << text;
    int lines = 0;
    for (size_t at = text.find("\ntile "); at != std::string::npos; at = text.find("\ntile ", at + 1)) ++lines;
    EXPECT_EQ(lines, 16) << text;
}

}  // namespace game_test
