// Simon: how a level sizes a turn, the layouts, and whole turns in the loaded game.

#include <cmath>
#include <set>
#include <vector>

#include "GameFixture.h"
#include "game/minigames/Simon.h"
#include "sprite/ScalerSprite.h"
#include "window/FancyHelper.h"

namespace game_test {
namespace {

// The scene parameters the set-ups change. Runs of four are start, largest,
// levels per step and step; the layouts' positions follow as x, y pairs.
using S = Simon;
constexpr int LengthStart = S::ParamSequenceLength + S::RunStart,
              LengthLargest = S::ParamSequenceLength + S::RunLargest,
              LengthLevelsPerStep = S::ParamSequenceLength + S::RunLevelsPerStep,
              LengthStep = S::ParamSequenceLength + S::RunStep;
constexpr int ChoicesStart = S::ParamChoiceCount + S::RunStart, ChoicesLargest = S::ParamChoiceCount + S::RunLargest,
              ChoicesLevelsPerStep = S::ParamChoiceCount + S::RunLevelsPerStep,
              ChoicesStep = S::ParamChoiceCount + S::RunStep;
// How many layouts there are for 3, 4, 5 and 6 buttons.
constexpr int LayoutsOf3 = S::ParamLayoutCounts, LayoutsOf4 = LayoutsOf3 + 1, LayoutsOf5 = LayoutsOf3 + 2,
              LayoutsOf6 = LayoutsOf3 + 3;
constexpr int X0 = S::ParamFirstPosition, Y0 = X0 + 1, X1 = X0 + 2, Y1 = X0 + 3, X2 = X0 + 4, Y2 = X0 + 5, X3 = X0 + 6;
constexpr int EasyStartLevel = S::ParamPracticeStartLevelBy;  // the practice plays here are on easy

constexpr int kSimon = 3;

// A game outside any scene with a parameter list of its own.
class SimonRules : public ::testing::Test {
protected:
    void SetUp() override { game = new Simon(); }
    void TearDown() override { game->release(); }
    void params(std::initializer_list<std::pair<int, int>> changes, int length = S::ParamFirstPosition) {
        lang::IntArray numbers(length);
        for (auto [position, value] : changes) numbers[position] = value;
        game->setParameters(numbers);
        game->readLayouts();
    }
    Simon* game = nullptr;
};

TEST_F(SimonRules, TheSequenceGrowsByWholeSteps) {
    params({{LengthStart, 3},
            {LengthLargest, 20},
            {LengthLevelsPerStep, 4},
            {LengthStep, 2},
            {ChoicesStart, 3},
            {ChoicesLargest, 6},
            {S::ParamShortestShow, 5},
            {S::ParamShowTimeAtStart, 12}});
    for (int level = 0; level <= 3; ++level) EXPECT_EQ(game->turnSizeAt(level).sequenceLength, 3) << level;
    EXPECT_EQ(game->turnSizeAt(4).sequenceLength, 5);
    EXPECT_EQ(game->turnSizeAt(8).sequenceLength, 7);
    EXPECT_EQ(game->turnSizeAt(100).sequenceLength, 20);  // at its longest
}

TEST_F(SimonRules, LightsQuickenWithTheLevelAndOneFrameMoreWithExtraButtons) {
    params({{LengthStart, 3},
            {LengthLargest, 10},
            {ChoicesStart, 3},
            {ChoicesLargest, 6},
            {ChoicesLevelsPerStep, 5},
            {ChoicesStep, 1},
            {S::ParamShortestShow, 6},
            {S::ParamShowTimeAtStart, 12},
            {S::ParamShowLevelsPerStep, 2},
            {S::ParamShowTimeStep, 1}});
    EXPECT_EQ(game->turnSizeAt(0).showTime, 12);
    EXPECT_EQ(game->turnSizeAt(3).showTime, 11);
    EXPECT_EQ(game->turnSizeAt(3).choiceCount, 3);
    // Level 5: two steps of the show time and one more button, which takes a frame more off.
    Simon::TurnSize at5 = game->turnSizeAt(5);
    EXPECT_EQ(at5.choiceCount, 4);
    EXPECT_EQ(at5.showTime, 12 - 2 - 1);
    // Never below the shortest, buttons or not.
    Simon::TurnSize at40 = game->turnSizeAt(40);
    EXPECT_EQ(at40.choiceCount, 6);
    EXPECT_EQ(at40.showTime, 6);
}

TEST_F(SimonRules, TurnsStayWithinTheButtonsAndTheSequenceRoom) {
    params({{LengthStart, 150},
            {LengthLargest, 500},
            {ChoicesStart, 9},
            {ChoicesLargest, 9},
            {S::ParamShowTimeAtStart, -3}});  // zero level steps everywhere
    Simon::TurnSize size = game->turnSizeAt(12);
    EXPECT_EQ(size.sequenceLength, Simon::MaxSequence);
    EXPECT_EQ(size.choiceCount, 6);
    EXPECT_EQ(size.showTime, 1);
    params({{LengthStart, 0}, {ChoicesStart, 1}});
    EXPECT_EQ(game->turnSizeAt(0).choiceCount, 3);
    EXPECT_EQ(game->turnSizeAt(0).sequenceLength, 1);
}

TEST_F(SimonRules, LayoutsAreReadInGroupsAndScaledToTheScene) {
    // One layout of 3, two of 4, none of 5, one of 6: 3 + 8 + 6 = 17 pairs.
    std::vector<std::pair<int, int>> changes = {{LayoutsOf3, 1}, {LayoutsOf4, 2}, {LayoutsOf5, 0}, {LayoutsOf6, 1}};
    for (int j = 0; j < 17; ++j) {
        changes.push_back({X0 + 2 * j, 100 * j + 799});
        changes.push_back({Y0 + 2 * j, 10 * j + 599});
    }
    lang::IntArray numbers(X0 + 34);
    for (auto [position, value] : changes) numbers[position] = value;
    game->setParameters(numbers);
    game->readLayouts();
    ASSERT_EQ(game->positions().size(), 17u);
    EXPECT_EQ(game->positions()[0].x, 799 * 500 / 800);
    EXPECT_EQ(game->positions()[0].y, 599 * 375 / 600);
    EXPECT_EQ(game->positions()[16].x, 2399 * 500 / 800);
    EXPECT_EQ(game->layoutStart(3, 0), 0);
    EXPECT_EQ(game->layoutStart(4, 0), 3);
    EXPECT_EQ(game->layoutStart(4, 1), 7);
    EXPECT_EQ(game->layoutStart(6, 0), 11);
    EXPECT_EQ(game->layoutStart(5, 0), -1);  // no layout for five
    EXPECT_EQ(game->layoutStart(4, 2), -1);
    EXPECT_EQ(game->layoutCount(5), 0);
    EXPECT_EQ(game->layoutCount(6), 1);
}

TEST_F(SimonRules, AListCutShortLosesOnlyTheLayoutsItLacks) {
    params(
        {{LayoutsOf3, 1}, {LayoutsOf4, 1}, {X0, 80}, {Y0, 60}, {X1, 160}, {Y1, 120}, {X2, 240}, {Y2, 180}, {X3, 320}},
        X3 + 1);
    EXPECT_EQ(game->positions().size(), 3u);  // the fourth pair lacks its y
    EXPECT_EQ(game->layoutStart(3, 0), 0);
    EXPECT_EQ(game->layoutStart(4, 0), -1);
}

}  // namespace

// The loaded game: practice at easy with 4 buttons, a sequence of 5 and a show time of 4 frames.
class SimonGame : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        loadGame();
        game = dynamic_cast<Simon*>(canvas->gameAt(kSimon));
        ASSERT_NE(game, nullptr);
    }

    void start(int length = 5, int count = 4) {
        setParams(game, {{EasyStartLevel, 0},
                         {LengthStart, length},
                         {LengthLevelsPerStep, 100},
                         {ChoicesStart, count},
                         {ChoicesLevelsPerStep, 100},
                         {S::ParamShowTimeAtStart, 4},
                         {S::ParamShowLevelsPerStep, 100},
                         {S::ParamLeadFrames, 3}});
        startPractice(kSimon, 0);
        untilPlay(game);
        canvas->sounds.clear();
        ASSERT_GT(tickUntil([this] { return game->getPhase() == Simon::PhaseShowFirst; }, 20), 0);
    }
    // Ticks through the shown sequence, writing down each light as it comes on.
    std::vector<int> watchSequence() {
        std::vector<int> lights;
        int lit = -1;
        for (int n = 0; n < 400 && game->getPhase() != GameBase::PhaseAnswer; ++n) {
            int now = -1;
            for (int i = 0; i < game->getChoiceCount(); ++i)
                if (game->isLit(i)) now = i;
            if (now >= 0 && lit < 0) lights.push_back(now);
            lit = now;
            tick();
        }
        return lights;
    }
    void at(int kind, int i) {
        sprite::ScalerSprite* b = game->choice(i);
        ASSERT_NE(b, nullptr);
        pointer(kind, game->getX() + b->getX() + b->getWidth() / 2, game->getY() + b->getY() + b->getHeight() / 2);
    }
    void click(int i) { at(window::Event::MouseDown, i); }
    // A button of the turn that the sequence entry does not name.
    int otherThan(int i) const { return (i + 1) % game->getChoiceCount(); }

    Simon* game = nullptr;
};

TEST_F(SimonGame, TheSequenceLightsEachEntryWithItsToneAndPutsItOut) {
    start(8, 3);  // eight entries of three buttons: some entries repeat
    ASSERT_EQ(game->getChoiceCount(), 3);
    ASSERT_EQ(game->getSequenceLength(), 8);
    std::vector<int> expected;
    for (int e = 0; e < 8; ++e) expected.push_back(game->sequenceAt(e));
    // Tick by tick: each light goes on, stays for the show time, and goes out
    // for the show time before the next, also when the same button repeats.
    std::vector<int> lights = watchSequence();
    EXPECT_EQ(lights, expected);
    std::vector<int> tones;
    for (int i : expected) tones.push_back(game->toneOf(i));
    EXPECT_EQ(canvas->sounds, tones);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(game->isLit(i));
}

TEST_F(SimonGame, EachLightLastsTheShowTime) {
    start(2, 3);
    ASSERT_EQ(game->getShowTime(), 4);
    int first = game->sequenceAt(0);
    EXPECT_TRUE(game->isLit(first));
    ticks(3);
    EXPECT_EQ(game->getPhase(), Simon::PhaseShowFirst);
    tick();
    EXPECT_EQ(game->getPhase(), Simon::PhaseLightOut);
    EXPECT_FALSE(game->isLit(first));
    ticks(4);
    EXPECT_EQ(game->getPhase(), Simon::PhaseShowNext);  // the second entry's light
    EXPECT_EQ(game->getPlayIndex(), 1);
    EXPECT_TRUE(game->isLit(game->sequenceAt(1)));
    ticks(4);
    EXPECT_EQ(game->getPhase(), Simon::PhaseLightOut);
    EXPECT_FALSE(game->isLit(game->sequenceAt(1)));
    ticks(4);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);  // the player's turn
}

TEST_F(SimonGame, TheTimerRunsWhileTheSequenceIsShown) {
    start(12, 3);
    int time = game->getTimeLeft();
    ticks(60);
    EXPECT_NE(game->getPhase(), GameBase::PhaseAnswer);
    EXPECT_LT(game->getTimeLeft(), time);
}

// The colour-blind palette gives the buttons its own faces, each keeping the
// shape of its number, from the next turn on; switching back restores them.
TEST_F(SimonGame, TheColourBlindPaletteGivesEachButtonItsTwinFace) {
    start(3, 6);
    auto expectFaces = [this](const char* face) {
        for (int i = 0; i < game->getChoiceCount(); ++i) {
            lang::String name(face);
            name.append(game->toneOf(i) + 1);
            window::Image* picture = game->choice(i)->getImage();
            ASSERT_NE(picture, nullptr);
            ASSERT_NE(picture->getName(), nullptr);
            EXPECT_STREQ(picture->getName()->c_str(), name.c_str()) << i;
        }
    };
    {
        ColourBlindPalette palette;
        game->endTurn();
        ASSERT_EQ(game->getChoiceCount(), 6);
        expectFaces("+iSimonButtonSafe_");
    }
    game->endTurn();
    expectFaces("+iSimonButton_");
}

TEST_F(SimonGame, TheButtonsOfATurnStandInALayout) {
    start(3, 4);
    std::set<sprite::Sprite*> shown;
    int start = game->layoutStart(4, game->getLayoutIndex());
    ASSERT_GE(start, 0);
    int side = game->choice(otherThan(game->sequenceAt(0)))->getWidth();  // a button not lit
    for (int i = 0; i < 4; ++i) {
        sprite::ScalerSprite* b = game->choice(i);
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->isVisible());
        shown.insert(b);
        // Placed by their top-left corners; the centre stays put when a light turns a button.
        EXPECT_EQ(b->getCentreX(), game->positions()[start + i].x + side / 2) << i;
        EXPECT_EQ(b->getCentreY(), game->positions()[start + i].y + side / 2) << i;
        lang::String name("bChoice");
        name.append(game->toneOf(i) + 1);
        EXPECT_EQ(game->findChild(name), b) << "the tone follows the button's number";
    }
    EXPECT_EQ(shown.size(), 4u);
    int hidden = 0;
    for (int k = 1; k <= 6; ++k) {
        lang::String name("bChoice");
        name.append(k);
        hidden += !game->findChild(name)->isVisible();
    }
    EXPECT_EQ(hidden, 2);
}

TEST_F(SimonGame, RepeatingTheWholeSequenceScoresEachClickAndSolvesTheTurn) {
    start(4, 4);
    watchSequence();
    ASSERT_EQ(game->getPhase(), GameBase::PhaseAnswer);
    int level = game->getLevel(), multiplier = game->getMultiplier();
    for (int e = 0; e < 4; ++e) {
        int score = game->getScore();
        canvas->sounds.clear();
        int i = game->sequenceAt(e);
        click(i);
        EXPECT_GT(game->getScore(), score) << e;
        EXPECT_EQ(countOf(canvas->sounds, game->toneOf(i)), 1) << "its tone";
        EXPECT_TRUE(game->isLit(i));
        if (e < 3) {
            EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);
            EXPECT_EQ(game->getInputIndex(), e + 1);
        }
    }
    EXPECT_EQ(game->getPhase(), GameBase::PhaseCorrect);
    EXPECT_EQ(game->getInputIndex(), 0);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundSuccess), 1);
    EXPECT_EQ(game->getLevel(), level + game->param(S::ParamSuccessStep));
    EXPECT_EQ(game->getMultiplier(), multiplier + game->param(S::ParamSuccessStep));
    tick();
    EXPECT_EQ(game->getPhase(), GameBase::PhaseNextTurn);
    ticks(10);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseDeal);  // a new turn, its first light after parameter 51 frames
    ticks(3);
    EXPECT_EQ(game->getPhase(), Simon::PhaseShowFirst);
}

TEST_F(SimonGame, AWrongClickAtTheLastEntryKeepsTheEarlierPoints) {
    start(3, 4);
    watchSequence();
    click(game->sequenceAt(0));
    click(game->sequenceAt(1));
    int score = game->getScore(), level = game->getLevel(), multiplier = game->getMultiplier();
    ASSERT_GT(score, 0);
    canvas->sounds.clear();
    int wrong = otherThan(game->sequenceAt(2));
    click(wrong);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    EXPECT_EQ(game->getScore(), score);
    EXPECT_EQ(game->getWrongAnswers(), 1);
    EXPECT_TRUE(game->isLit(wrong));
    EXPECT_EQ(countOf(canvas->sounds, game->toneOf(wrong)), 0) << "no tone for a wrong button";
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundFailure), 1);
    EXPECT_EQ(game->getLevel(), std::max(level + game->param(S::ParamLevelStep), 0));
    EXPECT_EQ(game->getMultiplier(), std::max(multiplier + game->param(S::ParamLevelStep), 0));
    tick();
    EXPECT_EQ(game->getPhase(), GameBase::PhaseNextTurn);
}

TEST_F(SimonGame, AClickedButtonStaysTurnedUntilThePointerMoves) {
    start(3, 4);
    watchSequence();
    int i = game->sequenceAt(0);
    click(i);
    ASSERT_TRUE(game->isLit(i));
    ticks(5);
    EXPECT_TRUE(game->isLit(i));
    at(window::Event::MouseMove, i);
    EXPECT_FALSE(game->isLit(i));
    window::FancyHelper* fancy = game->choice(i)->getFancy();
    ASSERT_NE(fancy, nullptr);
    EXPECT_EQ(fancy->red, 160);  // under the pointer
    int other = otherThan(i);
    at(window::Event::MouseMove, other);
    EXPECT_EQ(game->choice(i)->getFancy()->red, 128);
    EXPECT_EQ(game->choice(other)->getFancy()->red, 160);
}

// Every layout of the scene keeps a lit button, turned by 45 degrees, below
// the game bar and on the screen, and clear of its neighbours.
TEST_F(SimonGame, EveryLayoutLeavesRoomToTurnAButton) {
    start(3, 3);
    const double side = game->choice(otherThan(game->sequenceAt(0)))->getWidth();
    const double reach = side * std::sqrt(2.0) / 2;  // centre to corner of a turned button
    for (int count = 3; count <= 6; ++count) {
        ASSERT_GT(game->layoutCount(count), 0) << count;
        for (int layout = 0; layout < game->layoutCount(count); ++layout) {
            int first = game->layoutStart(count, layout);
            ASSERT_GE(first, 0);
            for (int i = 0; i < count; ++i) {
                double cx = game->positions()[first + i].x + side / 2, cy = game->positions()[first + i].y + side / 2;
                EXPECT_GE(cx - reach, 0) << count << "/" << layout << "/" << i;
                EXPECT_LE(cx + reach, 500) << count << "/" << layout << "/" << i;
                EXPECT_GE(cy - reach, 44) << count << "/" << layout << "/" << i;
                EXPECT_LE(cy + reach, 375) << count << "/" << layout << "/" << i;
                for (int j = 0; j < i; ++j) {
                    double dx = game->positions()[first + j].x + side / 2 - cx;
                    double dy = game->positions()[first + j].y + side / 2 - cy;
                    EXPECT_GE(std::hypot(dx, dy), reach + side / 2) << count << "/" << layout << ": " << i << ", " << j;
                }
            }
        }
    }
}

// With Simon and Spatial Memory in, every game the first daily test can
// pick is in the scene; a test game starts at the level of the player's rank.
TEST_F(SimonGame, TheDailyTestCanPickItAndStartsAtTheRanksLevel) {
    EXPECT_TRUE(canvas->dailyTestPlayable());
    canvas->setDailyTestMode(true);
    canvas->selectGame(kSimon);
    canvas->setState(MentariumCanvas::StatePlaying);
    untilPlay(game);
    EXPECT_EQ(game->getStartLevel(), game->param(S::ParamTestStartLevelBy));  // rank 0
    EXPECT_TRUE(game->findChild(lang::String("STARBAROVERLAY"))->isVisible());
    EXPECT_FALSE(game->findChild(lang::String("Score"))->isVisible());
}

TEST_F(SimonGame, NoDelayBeforeTheSequenceStillShowsIt) {
    setParams(game, {{S::ParamLeadFrames, 0}});
    startPractice(kSimon, 0);
    untilPlay(game);
    EXPECT_GT(tickUntil([this] { return game->getPhase() == GameBase::PhaseAnswer; }, 200), 0);
}

TEST_F(SimonGame, ClicksWhileTheSequenceShowsAreIgnored) {
    start(5, 4);
    click(game->sequenceAt(0));
    EXPECT_EQ(game->getScore(), 0);
    EXPECT_EQ(game->getWrongAnswers(), 0);
    EXPECT_EQ(game->getInputIndex(), 0);
}

TEST_F(SimonGame, LeavingThePlayHidesTheButtons) {
    start(3, 5);
    canvas->onMessage(nullptr, lang::String("ExitYes"));
    EXPECT_EQ(game->getPhase(), GameBase::PhaseStopped);
    EXPECT_EQ(game->getChoiceCount(), 0);
    EXPECT_EQ(game->getSequenceLength(), 0);
    EXPECT_EQ(game->sequenceAt(0), -1);
    for (int k = 1; k <= 6; ++k) {
        lang::String name("bChoice");
        name.append(k);
        EXPECT_FALSE(game->findChild(name)->isVisible()) << k;
    }
}

TEST_F(SimonGame, TheDescriptionGivesTheSequenceAndTheButtons) {
    start(4, 5);
    std::string text;
    game->describe(text);
    EXPECT_NE(text.find("simon 5 4 "), std::string::npos) << text;
    std::string sequence = "sequence";
    for (int e = 0; e < 4; ++e) sequence += " " + std::to_string(game->sequenceAt(e));
    EXPECT_NE(text.find(sequence + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("choice 4 "), std::string::npos) << text;
}

}  // namespace game_test
