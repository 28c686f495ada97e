// Stroop Test: the rules of a turn and whole turns in the loaded game.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "GameFixture.h"
#include "game/minigames/StroopTest.h"
#include "sprite/Sprite.h"
#include "window/FancyHelper.h"
#include "window/Image.h"

namespace game_test {
namespace {

constexpr int kStroop = 4;

// A game outside any scene, with the bucket numbers it reads.
StroopTest* looseGame(int atZero, int largest, int levelPerStep, int perStep) {
    auto* game = new StroopTest();
    lang::IntArray numbers(StroopTest::ParamBuckets + 4);
    numbers[StroopTest::ParamBuckets + StroopTest::RunStart] = atZero;
    numbers[StroopTest::ParamBuckets + StroopTest::RunLargest] = largest;
    numbers[StroopTest::ParamBuckets + StroopTest::RunLevelsPerStep] = levelPerStep;
    numbers[StroopTest::ParamBuckets + StroopTest::RunStep] = perStep;
    game->setParameters(numbers);
    return game;
}

TEST(StroopTestGame, WithTwoBucketsAndInkZeroBeforeTheNextInkIsAlwaysOne) {
    StroopTest* game = looseGame(2, 7, 3, 1);
    std::set<int> words;
    for (int i = 0; i < 200; ++i) {
        int ink = -1, word = -1;
        game->drawWord(2, 0, ink, word);
        EXPECT_EQ(ink, 1);
        words.insert(word);
    }
    EXPECT_EQ(words, (std::set<int>{0, 1}));  // the word is free to name either bucket
    game->release();
}

TEST(StroopTestGame, TheInkNeverRepeatsTheBucketOfThePreviousTurn) {
    StroopTest* game = looseGame(2, 7, 3, 1);
    int previous = 3;
    for (int i = 0; i < 300; ++i) {
        int ink = -1, word = -1;
        game->drawWord(7, previous, ink, word);
        EXPECT_NE(ink, previous);
        EXPECT_GE(ink, 0);
        EXPECT_LT(ink, 7);
        EXPECT_GE(word, 0);
        EXPECT_LT(word, 7);
        previous = ink;
    }
    game->release();
}

TEST(StroopTestGame, BucketCountGrowsByStepsUpToTheLargest) {
    StroopTest* game = looseGame(2, 7, 3, 1);
    EXPECT_EQ(game->bucketCountAt(0), 2);
    EXPECT_EQ(game->bucketCountAt(2), 2);
    EXPECT_EQ(game->bucketCountAt(3), 3);
    EXPECT_EQ(game->bucketCountAt(10), 5);
    EXPECT_EQ(game->bucketCountAt(40), 7);
    game->release();
    game = looseGame(3, 6, 2, 2);
    EXPECT_EQ(game->bucketCountAt(2), 5);
    EXPECT_EQ(game->bucketCountAt(4), 6);  // 7 would pass the largest
    game->release();
}

TEST(StroopTestGame, CountsWithoutPlacesAreKeptToTwoToSeven) {
    StroopTest* game = looseGame(1, 7, 0, 1);  // never steps, one bucket at level 0
    EXPECT_EQ(game->bucketCountAt(50), 2);
    game->release();
    game = looseGame(5, 12, 1, 3);
    EXPECT_EQ(game->bucketCountAt(9), 7);
    game->release();
}

TEST(StroopTestGame, SevenBucketsPutTheMiddleOneAt200And182) {
    int x = 0, y = 0;
    StroopTest::bucketPosition(7, 3, x, y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 182);
    // Every count has a place of its own for each bucket, below the game bar.
    for (int count = 2; count <= 7; ++count) {
        std::set<std::pair<int, int>> places;
        for (int i = 0; i < count; ++i) {
            StroopTest::bucketPosition(count, i, x, y);
            EXPECT_GE(y, 100) << count << "/" << i;
            places.insert({x, y});
        }
        EXPECT_EQ(static_cast<int>(places.size()), count);
    }
}

}  // namespace

class StroopTestGameRun : public GameFixture {
protected:
    StroopTest* start(int difficulty) {
        auto* game = dynamic_cast<StroopTest*>(startPractice(kStroop, difficulty));
        EXPECT_NE(game, nullptr);
        return game;
    }
    // Waits for the answer phase of a turn.
    void untilAnswer(StroopTest* game) {
        ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhaseAnswer; }, 200), 0);
    }
    // A point on the paint of a bucket, in scene coordinates.
    void paintPoint(StroopTest* game, int i, int& x, int& y) {
        sprite::Sprite* b = game->bucket(i);
        ASSERT_NE(b, nullptr);
        x = game->getX() + b->getX() + b->getWidth() / 2;
        y = game->getY() + b->getY() + 30;
    }
    void pressBucket(StroopTest* game, int i) {
        int x = 0, y = 0;
        paintPoint(game, i, x, y);
        press(x, y);
    }
};

// A turn as the player sees it: the buckets stand at their places, each paint
// carries the colour of its bucket, all colours differ, and the word shows the
// word bucket's colour name in the ink bucket's colour.
TEST_F(StroopTestGameRun, ATurnShowsTintedBucketsAndAWordInkedByAnotherBucket) {
    loadGame();
    StroopTest* game = start(2);
    ASSERT_NE(game, nullptr);
    game->setLevel(12);  // six buckets
    untilAnswer(game);
    ASSERT_EQ(game->getBucketCount(), 6);
    std::set<int> colours;
    for (int i = 0; i < 6; ++i) {
        int x = 0, y = 0;
        StroopTest::bucketPosition(6, i, x, y);
        ASSERT_NE(game->bucket(i), nullptr);
        EXPECT_EQ(game->bucket(i)->getX(), x);
        EXPECT_EQ(game->bucket(i)->getY(), y);
        EXPECT_TRUE(game->bucket(i)->isVisible());
        sprite::Sprite* p = game->paint(i);
        ASSERT_NE(p, nullptr);
        ASSERT_NE(p->getFancy(), nullptr);
        int r, g, b;
        StroopTest::colourFactors(game->colourOf(i), r, g, b);
        EXPECT_EQ(p->getFancy()->red, r);
        EXPECT_EQ(p->getFancy()->green, g);
        EXPECT_EQ(p->getFancy()->blue, b);
        colours.insert(game->colourOf(i));
    }
    EXPECT_EQ(colours.size(), 6u);
    sprite::Sprite* word = game->findChild(lang::String("TextColorPrototype"));
    ASSERT_NE(word, nullptr);
    EXPECT_TRUE(word->isVisible());
    int r, g, b;
    StroopTest::colourFactors(game->colourOf(game->getInkBucket()), r, g, b);
    ASSERT_NE(word->getFancy(), nullptr);
    EXPECT_EQ(word->getFancy()->red, r);
    EXPECT_EQ(word->getFancy()->green, g);
    EXPECT_EQ(word->getFancy()->blue, b);
    // The word's picture is the one named after the word bucket's colour.
    lang::String expected("+iStroopText_");
    expected.append(game->colourOf(game->getWordBucket()));
    ASSERT_NE(word->getImage(), nullptr);
    ASSERT_NE(word->getImage()->getName(), nullptr);
    EXPECT_STREQ(word->getImage()->getName()->c_str(), expected.c_str());
}

// With the colour-blind palette the paints and the ink take its colours, and
// its fourth colour, a purple, is named by the PURPLE word rather than PINK.
TEST_F(StroopTestGameRun, TheColourBlindPaletteColoursTheTurnAndNamesItsPurple) {
    ColourBlindPalette palette;
    loadGame();
    StroopTest* game = start(2);
    ASSERT_NE(game, nullptr);
    game->setLevel(40);  // seven buckets: every colour takes part
    untilAnswer(game);
    sprite::Sprite* word = game->findChild(lang::String("TextColorPrototype"));
    ASSERT_NE(word, nullptr);
    for (int turn = 0; turn < 50 && game->colourOf(game->getWordBucket()) != 3; ++turn) game->endTurn();
    ASSERT_EQ(game->colourOf(game->getWordBucket()), 3);
    ASSERT_NE(word->getImage(), nullptr);
    ASSERT_NE(word->getImage()->getName(), nullptr);
    EXPECT_STREQ(word->getImage()->getName()->c_str(), "+iStroopText_7");
    const ColourPalette::Factors ink =
        ColourPalette::paint(ColourPalette::ColourBlind, game->colourOf(game->getInkBucket()));
    ASSERT_NE(word->getFancy(), nullptr);
    EXPECT_EQ(word->getFancy()->red, ink.red);
    EXPECT_EQ(word->getFancy()->green, ink.green);
    EXPECT_EQ(word->getFancy()->blue, ink.blue);
    for (int i = 0; i < game->getBucketCount(); ++i) {
        const ColourPalette::Factors paint = ColourPalette::paint(ColourPalette::ColourBlind, game->colourOf(i));
        ASSERT_NE(game->paint(i)->getFancy(), nullptr);
        EXPECT_EQ(game->paint(i)->getFancy()->red, paint.red) << i;
        EXPECT_EQ(game->paint(i)->getFancy()->green, paint.green) << i;
        EXPECT_EQ(game->paint(i)->getFancy()->blue, paint.blue) << i;
    }
    saveScreen("strooptest-colour-blind.png");
}

// Right buckets score and raise the level and multiplier; wrong ones count a
// wrong answer and score nothing; each is followed by a new turn.
TEST_F(StroopTestGameRun, TheWordBucketScoresAndAnyOtherCountsWrong) {
    loadGame();
    StroopTest* game = start(1);
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    for (int turn = 0; turn < 6; ++turn) {
        int score = game->getScore(), wrong = game->getWrongAnswers(), level = game->getLevel();
        int multiplier = game->getMultiplier();
        bool right = turn % 2 == 0;
        int target = right ? game->getWordBucket() : (game->getWordBucket() + 1) % game->getBucketCount();
        canvas->sounds.clear();
        pressBucket(game, target);
        EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 1);
        if (right) {
            EXPECT_EQ(game->getPhase(), GameBase::PhaseCorrect);
            EXPECT_GT(game->getScore(), score);
            EXPECT_EQ(game->getLevel(), level + 1);
            EXPECT_EQ(game->getMultiplier(), multiplier + 1);
            EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundSuccess), 1);
        } else {
            EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
            EXPECT_EQ(game->getScore(), score);
            EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
            EXPECT_EQ(game->getLevel(), level);  // the scene does not step the level on a miss
            EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundFailure), 1);
        }
        untilAnswer(game);
    }
}

// Ink and word may name the same colour; the word's bucket is still the answer.
TEST_F(StroopTestGameRun, AWordInItsOwnInkStillWantsTheWordBucket) {
    loadGame();
    StroopTest* game = start(0);
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    int turns = 0;
    // With two buckets the word names the ink bucket about every second turn.
    while (game->getInkBucket() != game->getWordBucket() && turns++ < 60) {
        pressBucket(game, game->getWordBucket());
        untilAnswer(game);
    }
    ASSERT_EQ(game->getInkBucket(), game->getWordBucket());
    int score = game->getScore();
    pressBucket(game, game->getWordBucket());
    EXPECT_EQ(game->getPhase(), GameBase::PhaseCorrect);
    EXPECT_GT(game->getScore(), score);
}

// Once a bucket is chosen, further clicks wait for the next turn.
TEST_F(StroopTestGameRun, ClicksWhileAnAnswerIsShownAreIgnored) {
    loadGame();
    StroopTest* game = start(1);
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    pressBucket(game, game->getWordBucket());
    int score = game->getScore(), wrong = game->getWrongAnswers();
    canvas->sounds.clear();
    int other = (game->getWordBucket() + 1) % game->getBucketCount();
    for (int phase : {GameBase::PhaseCorrect, GameBase::PhaseNextTurn}) {
        if (game->getPhase() != phase) {
            ASSERT_GT(tickUntil([&] { return game->getPhase() == phase; }, 20), 0);
        }
        pressBucket(game, other);
        pressBucket(game, game->getWordBucket());
        EXPECT_EQ(game->getPhase(), phase);
    }
    EXPECT_EQ(game->getScore(), score);
    EXPECT_EQ(game->getWrongAnswers(), wrong);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 0);
    // A wrong answer's display ignores clicks alike.
    untilAnswer(game);
    pressBucket(game, (game->getWordBucket() + 1) % game->getBucketCount());
    ASSERT_EQ(game->getPhase(), GameBase::PhaseWrong);
    pressBucket(game, game->getWordBucket());
    EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    EXPECT_EQ(game->getScore(), score);
}

// The pointer over a bucket rings it; off the buckets the ring goes.
TEST_F(StroopTestGameRun, HoveringABucketMovesTheHighlightOntoIt) {
    loadGame();
    StroopTest* game = start(2);
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    sprite::Sprite* ring = game->findChild(lang::String("BucketHighlight"));
    ASSERT_NE(ring, nullptr);
    int last = game->getBucketCount() - 1, x = 0, y = 0;
    paintPoint(game, last, x, y);
    pointer(window::Event::MouseMove, x, y);
    EXPECT_EQ(game->getHighlighted(), last);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_EQ(ring->getX(), game->bucket(last)->getX());
    EXPECT_EQ(ring->getY(), game->bucket(last)->getY());
    pointer(window::Event::MouseMove, 10, 200);  // beside every bucket
    EXPECT_EQ(game->getHighlighted(), -1);
    EXPECT_FALSE(ring->isVisible());
    // A press beside the buckets is no answer.
    press(10, 200);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);
}

}  // namespace game_test
