// Colour Labels: the rules of a turn and whole turns in the loaded game.

#include <gtest/gtest.h>

#include <string>

#include "GameFixture.h"
#include "game/minigames/ColorLabelCell.h"
#include "game/minigames/ColorLabels.h"
#include "sprite/AnimateSprite.h"
#include "sprite/NewFontSprite.h"
#include "sprite/NumberSprite.h"
#include "window/FancyHelper.h"

namespace game_test {
namespace {

// The scene parameters the set-ups change: start and largest of the game's runs of four.
using L = ColorLabels;
constexpr int LabelsStart = L::ParamLabels + L::RunStart, LabelsLargest = L::ParamLabels + L::RunLargest;
constexpr int ColoursStart = L::ParamColours + L::RunStart, ColoursLargest = L::ParamColours + L::RunLargest;
constexpr int MatchesStart = L::ParamMatches + L::RunStart, MatchesLargest = L::ParamMatches + L::RunLargest;

constexpr int kColorLabels = 5;

TEST(ColorLabelsGame, WordsColoursAndMatchesGrowByStepsUpToTheirLargest) {
    ColorLabels* game = looseGame<ColorLabels>({6, 24, 2, 2, 3, 7, 4, 1, 2, 6, 5, 1});
    ColorLabels::TurnShape at0 = game->shapeAt(0), at1 = game->shapeAt(1), at10 = game->shapeAt(10);
    EXPECT_EQ(at0.labels, 6);
    EXPECT_EQ(at0.colours, 3);
    EXPECT_EQ(at0.matches, 2);
    EXPECT_EQ(at1.labels, 6);  // a step needs two levels
    EXPECT_EQ(at10.labels, 16);
    EXPECT_EQ(at10.colours, 5);
    EXPECT_EQ(at10.matches, 4);
    ColorLabels::TurnShape at99 = game->shapeAt(99);
    EXPECT_EQ(at99.labels, 24);
    EXPECT_EQ(at99.colours, 7);
    EXPECT_EQ(at99.matches, 6);
    game->release();
}

TEST(ColorLabelsGame, TheWordCountNeverExceedsTheFortyCards) {
    ColorLabels* game = looseGame<ColorLabels>({30, 500, 1, 10, 3, 7, 4, 1, 2, 6, 5, 1});
    EXPECT_EQ(game->shapeAt(0).labels, 30);
    EXPECT_EQ(game->shapeAt(1).labels, 40);
    EXPECT_EQ(game->shapeAt(100000).labels, 40);
    game->release();
}

// Counts that would keep the drawing loops or the turn from ever ending are kept in bounds.
TEST(ColorLabelsGame, ColoursStayTwoToSevenAndMatchesOneToTheWordCount) {
    ColorLabels* game = looseGame<ColorLabels>({3, 3, 0, 0, 1, 1, 0, 0, 9, 9, 0, 0});
    ColorLabels::TurnShape shape = game->shapeAt(50);
    EXPECT_EQ(shape.colours, 2);
    EXPECT_EQ(shape.matches, 3);
    game->release();
    game = looseGame<ColorLabels>({0, 0, 0, 0, 12, 12, 0, 0, 0, 0, 0, 0});
    shape = game->shapeAt(7);
    EXPECT_EQ(shape.colours, 7);
    EXPECT_EQ(shape.labels, 1);
    EXPECT_EQ(shape.matches, 1);
    game->release();
}

TEST(ColorLabelsGame, TheFirstWordsTakeTheMismatchesAndTheRestTheirOwnInk) {
    ColorLabels* game = looseGame<ColorLabels>({6, 6, 1, 1, 2, 2, 1, 1, 2, 2, 1, 1});
    for (int round = 0; round < 50; ++round) {
        int mismatches = 4;
        for (int n = 0; n < 6; ++n) {
            int word = n % 2;
            int ink = game->drawInk(word, 2, mismatches);
            if (n < 4) EXPECT_EQ(ink, 1 - word) << n;  // with two colours the wrong ink is the other one
            else
                EXPECT_EQ(ink, word) << n;
        }
        EXPECT_EQ(mismatches, 0);
    }
    int mismatches = 100;
    for (int n = 0; n < 100; ++n) {
        int ink = game->drawInk(3, 7, mismatches);
        EXPECT_NE(ink, 3);
        EXPECT_GE(ink, 0);
        EXPECT_LT(ink, 7);
    }
    game->release();
}

}  // namespace

class ColorLabelsGameRun : public GameFixture {
protected:
    ColorLabels* start(int difficulty) {
        auto* game = dynamic_cast<ColorLabels*>(startPractice(kColorLabels, difficulty));
        EXPECT_NE(game, nullptr);
        return game;
    }
    void untilPhase(ColorLabels* game, int phase) {
        ASSERT_GT(tickUntil([game, phase] { return game->getPhase() == phase; }, 300), 0) << phase;
    }
    // The middle of card i, in scene coordinates.
    void cardPoint(ColorLabels* game, int i, int& x, int& y) {
        ColorLabelCell* c = game->cell(i);
        ASSERT_NE(c, nullptr);
        x = game->getX() + c->background->getX() + c->background->getWidth() / 2;
        y = game->getY() + c->background->getY() + c->background->getHeight() / 2;
    }
    void pressCard(ColorLabels* game, int i) {
        int x = 0, y = 0;
        cardPoint(game, i, x, y);
        press(x, y);
    }
    // The first card whose word matches (or, with want false, does not) and is not yet checked.
    static int findWord(ColorLabels* game, bool want) {
        for (int i = 0; i < ColorLabels::Cells; ++i) {
            ColorLabelCell* c = game->cell(i);
            if (c && c->label && c->ink != ColorLabelCell::Checked && c->matches == want) return i;
        }
        return -1;
    }
    static int shown(ColorLabels* game, const char* number) {
        auto* n = dynamic_cast<sprite::NumberSprite*>(game->findChild(lang::String(number)));
        return n ? n->getValue() : -1;
    }
};

// A turn at six words and two matches: the task names the count while the
// cards lie face down; then only the cards with words turn, each word lies on
// its card, inked by the table, four in a wrong ink and two in their own.
// Both moments are photographed for review.
TEST_F(ColorLabelsGameRun, ATurnOfSixWordsHasFourWrongInksAndTwoToFind) {
    loadGame();
    ColorLabels* game = start(0);
    ASSERT_NE(game, nullptr);
    setParams(game, {{LabelsStart, 6}, {LabelsLargest, 6}, {MatchesStart, 2}, {MatchesLargest, 2}});
    untilPhase(game, GameBase::PhasePlay);
    EXPECT_EQ(shown(game, "MatchesToFind"), 2);
    EXPECT_EQ(shown(game, "FoundMatches"), 0);
    auto* task = dynamic_cast<sprite::NewFontSprite*>(game->findChild(lang::String("findTotalText")));
    ASSERT_NE(task, nullptr);
    EXPECT_TRUE(task->isVisible());
    EXPECT_STREQ(task->getText().c_str(), "Find the 2 words in their own colour");
    int words = 0, own = 0;
    for (int i = 0; i < ColorLabels::Cells; ++i) {
        ColorLabelCell* c = game->cell(i);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->index, i);
        if (c->label == nullptr) continue;
        ++words;
        own += c->matches;
        EXPECT_FALSE(c->label->isVisible());
        EXPECT_EQ(c->label->getX(), c->background->getX());
        EXPECT_EQ(c->label->getY(), c->background->getY());
        int r, g, b;
        ColorLabels::inkFactors(c->ink, r, g, b);
        ASSERT_NE(c->label->getFancy(), nullptr);
        EXPECT_EQ(c->label->getFancy()->red, r);
        EXPECT_EQ(c->label->getFancy()->green, g);
        EXPECT_EQ(c->label->getFancy()->blue, b);
    }
    EXPECT_EQ(words, 6);
    EXPECT_EQ(own, 2);
    saveScreen("colorlabels-task.png");

    untilPhase(game, GameBase::PhaseAnswer);
    saveScreen("colorlabels-turn.png");
    EXPECT_FALSE(task->isVisible());
    for (int i = 0; i < ColorLabels::Cells; ++i) {
        ColorLabelCell* c = game->cell(i);
        if (c->label) {
            EXPECT_EQ(c->background->getFrame(), 2) << i;
            EXPECT_TRUE(c->label->isVisible()) << i;
        } else {
            EXPECT_EQ(c->background->getFrame(), 0) << i;  // empty cards stay face down
        }
    }
}

// With the colour-blind palette every word is inked from its set, and a word
// in its own colour names that colour: the purple's word is PURPLE.
TEST_F(ColorLabelsGameRun, TheColourBlindPaletteInksTheWordsAndNamesItsPurple) {
    ColourBlindPalette palette;
    loadGame();
    ColorLabels* game = start(0);
    ASSERT_NE(game, nullptr);
    // Every card carries a word, all seven colours, and every word in its own ink.
    setParams(game, {{LabelsStart, 40},
                     {LabelsLargest, 40},
                     {ColoursStart, 7},
                     {ColoursLargest, 7},
                     {MatchesStart, 40},
                     {MatchesLargest, 40}});
    untilPhase(game, 5);
    sprite::Sprite* purple = game->findChild(lang::String("Label_7"));
    ASSERT_NE(purple, nullptr);
    int purples = 0;
    for (int i = 0; i < ColorLabels::Cells; ++i) {
        ColorLabelCell* c = game->cell(i);
        ASSERT_NE(c->label, nullptr) << i;
        const int word = ColourPalette::word(ColourPalette::ColourBlind, c->ink);
        sprite::Sprite* prototype = game->findChild(lang::String(("Label_" + std::to_string(word)).c_str()));
        ASSERT_NE(prototype, nullptr) << word;
        EXPECT_EQ(c->label->getImage(), prototype->getImage()) << i;
        purples += c->label->getImage() == purple->getImage();
        const ColourPalette::Factors ink = ColourPalette::ink(ColourPalette::ColourBlind, c->ink);
        ASSERT_NE(c->label->getFancy(), nullptr);
        EXPECT_EQ(c->label->getFancy()->red, ink.red) << i;
        EXPECT_EQ(c->label->getFancy()->green, ink.green) << i;
        EXPECT_EQ(c->label->getFancy()->blue, ink.blue) << i;
    }
    EXPECT_GT(purples, 0);
    // A mixed turn for the picture: half the words in a wrong ink.
    setParams(game, {{LabelsStart, 20}, {LabelsLargest, 20}, {MatchesStart, 10}, {MatchesLargest, 10}});
    game->setPhase(10);
    untilPhase(game, 3);
    untilPhase(game, 5);
    saveScreen("colorlabels-colour-blind.png");
}

// The cards stand in the 5 x 8 grid of the bounds, in grid order.
TEST_F(ColorLabelsGameRun, FortyCardsStandInTheGridOfTheBounds) {
    loadGame();
    ColorLabels* game = start(1);
    ASSERT_NE(game, nullptr);
    sprite::Sprite* bounds = game->findChild(lang::String("GridBounds"));
    ASSERT_NE(bounds, nullptr);
    EXPECT_FALSE(bounds->isVisible());
    int w = bounds->getWidth() / 5, h = bounds->getHeight() / 8;
    for (int i : {0, 4, 5, 23, 39}) {
        ColorLabelCell* c = game->cell(i);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->background->getX(), (i % 5) * w + bounds->getX()) << i;
        EXPECT_EQ(c->background->getY(), (i / 5) * h + bounds->getY()) << i;
        EXPECT_EQ(game->findChild(lang::String(("textBG_" + std::to_string(i)).c_str())), c->background);
    }
    EXPECT_EQ(game->cell(40), nullptr);
    // Stopping takes every card off the screen.
    game->stopGame();
    EXPECT_EQ(game->findChild(lang::String("textBG_0")), nullptr);
    EXPECT_EQ(game->cell(0), nullptr);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseStopped);
}

// Right words are checked one by one and score; a second click on a checked
// card and a click on an empty card are taken and do nothing; the last right
// word clears the turn, and the cards turn back before the next one.
TEST_F(ColorLabelsGameRun, CheckingEveryRightWordClearsTheTurn) {
    loadGame();
    ColorLabels* game = start(0);
    ASSERT_NE(game, nullptr);
    setParams(game, {{LabelsStart, 6}, {LabelsLargest, 6}, {MatchesStart, 2}, {MatchesLargest, 2}});
    untilPhase(game, GameBase::PhaseAnswer);
    int level = game->getLevel(), multiplier = game->getMultiplier();

    int first = findWord(game, true);
    ASSERT_GE(first, 0);
    canvas->sounds.clear();
    pressCard(game, first);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 1);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseCorrect);
    ColorLabelCell* c = game->cell(first);
    EXPECT_EQ(c->ink, ColorLabelCell::Checked);
    ASSERT_NE(c->label, nullptr);
    EXPECT_EQ(c->label->getImage(), game->findChild(lang::String("CheckMark"))->getImage());
    EXPECT_TRUE(c->label->isVisible());
    EXPECT_EQ(game->getFound(), 1);
    EXPECT_EQ(shown(game, "FoundMatches"), 1);
    int score = game->getScore();
    EXPECT_GT(score, 0);

    untilPhase(game, GameBase::PhaseAnswer);
    canvas->sounds.clear();
    pressCard(game, first);  // checked already
    int empty = -1;
    for (int i = 0; i < ColorLabels::Cells && empty < 0; ++i)
        if (game->cell(i)->label == nullptr) empty = i;
    ASSERT_GE(empty, 0);
    pressCard(game, empty);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);
    EXPECT_EQ(game->getScore(), score);
    EXPECT_TRUE(canvas->sounds.empty());

    int second = findWord(game, true);
    ASSERT_GE(second, 0);
    pressCard(game, second);
    EXPECT_EQ(game->getFound(), 2);
    EXPECT_GT(game->getScore(), score);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundSuccess), 1);
    EXPECT_EQ(game->getLevel(), level + 1);
    EXPECT_EQ(game->getMultiplier(), multiplier + 1);
    untilPhase(game, GameBase::PhaseNextTurn);
    for (int i = 0; i < ColorLabels::Cells; ++i)
        if (game->cell(i)->label) {
            EXPECT_FALSE(game->cell(i)->label->isVisible()) << i;
            EXPECT_EQ(game->cell(i)->background->getFrameStep(), -1) << i;
        }
    untilPhase(game, GameBase::PhasePlay);
    EXPECT_EQ(game->getFound(), 0);
    EXPECT_EQ(shown(game, "FoundMatches"), 0);
    EXPECT_EQ(game->cell(first)->ink == ColorLabelCell::Checked, false);
}

// A word in another ink ends the turn as wrong; the points of the words
// checked before it stay.
TEST_F(ColorLabelsGameRun, AWordInAnotherInkEndsTheTurnKeepingEarlierPoints) {
    loadGame();
    ColorLabels* game = start(0);
    ASSERT_NE(game, nullptr);
    setParams(game, {{LabelsStart, 6}, {LabelsLargest, 6}, {MatchesStart, 2}, {MatchesLargest, 2}});
    untilPhase(game, GameBase::PhaseAnswer);
    pressCard(game, findWord(game, true));
    untilPhase(game, GameBase::PhaseAnswer);
    int score = game->getScore(), wrong = game->getWrongAnswers(), level = game->getLevel();
    ASSERT_GT(score, 0);
    canvas->sounds.clear();
    pressCard(game, findWord(game, false));
    EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    EXPECT_EQ(game->getWrongAnswers(), wrong + 1);
    EXPECT_EQ(game->getScore(), score);
    EXPECT_EQ(game->getLevel(), level);  // the scene does not step the level on a miss
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundFailure), 1);
    untilPhase(game, GameBase::PhasePlay);
    EXPECT_EQ(game->getScore(), score);
    for (int i = 0; i < ColorLabels::Cells; ++i) EXPECT_EQ(game->cell(i)->background->getFrame(), 0) << i;
}

// A press beside every card goes to the dialog: no answer, no sound.
TEST_F(ColorLabelsGameRun, APressOutsideTheCardsIsNoAnswer) {
    loadGame();
    ColorLabels* game = start(0);
    ASSERT_NE(game, nullptr);
    untilPhase(game, GameBase::PhaseAnswer);
    canvas->sounds.clear();
    press(game->getX() + 4, game->getY() + 60);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);
    EXPECT_TRUE(canvas->sounds.empty());
}

// The pointer over a word lights its card; off the words the light goes.
TEST_F(ColorLabelsGameRun, HoveringAWordLightsItsCard) {
    loadGame();
    ColorLabels* game = start(0);
    ASSERT_NE(game, nullptr);
    untilPhase(game, GameBase::PhaseAnswer);
    int i = findWord(game, false), x = 0, y = 0;
    ASSERT_GE(i, 0);
    cardPoint(game, i, x, y);
    pointer(window::Event::MouseMove, x, y);
    EXPECT_EQ(game->getHovered(), i);
    sprite::AnimateSprite* card = game->cell(i)->background;
    ASSERT_NE(card->getFancy(), nullptr);
    EXPECT_EQ(card->getFancy()->red, 160);
    pointer(window::Event::MouseMove, game->getX() + 4, game->getY() + 60);
    EXPECT_EQ(game->getHovered(), -1);
    EXPECT_EQ(card->getFancy()->red, 128);
}

// However high the level, no more than the forty cards carry words.
TEST_F(ColorLabelsGameRun, AHighLevelFillsEveryCardAndNoMore) {
    loadGame();
    ColorLabels* game = start(2);
    ASSERT_NE(game, nullptr);
    setParams(game, {{LabelsLargest, 90}});
    game->setLevel(400);
    untilPhase(game, GameBase::PhasePlay);
    EXPECT_EQ(game->getLabelCount(), 40);
    for (int i = 0; i < ColorLabels::Cells; ++i) EXPECT_NE(game->cell(i)->label, nullptr) << i;
}

}  // namespace game_test
