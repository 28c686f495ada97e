// Concentration in the loaded game: boards, previews, turning cards and faces.

#include <set>

#include "GameFixture.h"
#include "game/minigames/Concentration.h"
#include "sprite/AnimateSprite.h"
#include "window/FancyHelper.h"

namespace game_test {
namespace {

// The scene parameters the set-ups change: places in the game's runs of four.
using C = Concentration;
constexpr int DealStart = C::ParamDealSize + C::RunStart, DealLargest = C::ParamDealSize + C::RunLargest,
              DealLevelsPerStep = C::ParamDealSize + C::RunLevelsPerStep, DealStep = C::ParamDealSize + C::RunStep;
constexpr int FaceStart = C::ParamFaceMode + C::RunStart, FaceLargest = C::ParamFaceMode + C::RunLargest,
              FaceLevelsPerStep = C::ParamFaceMode + C::RunLevelsPerStep;
constexpr int PreviewStart = C::ParamPreviewMode + C::RunStart, PreviewLargest = C::ParamPreviewMode + C::RunLargest;
constexpr int ShowStart = C::ParamShowTime + C::RunStart, ShowLevelsPerStep = C::ParamShowTime + C::RunLevelsPerStep;
constexpr int NormalStartLevel = C::ParamPracticeStartLevelBy + 1;  // the practice plays here are on normal

class ConcentrationMinigame : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        loadGame();
        game = dynamic_cast<Concentration*>(canvas->gameAt(0));
        ASSERT_NE(game, nullptr);
    }

    // A practice play whose first board is dealt (phase 3 entered).
    void deal(std::initializer_list<std::pair<int, int>> changes) {
        setParams(game, changes);
        startPractice(0, 1);
        untilPlay(game);
    }
    void leave() { canvas->onMessage(nullptr, lang::String("ExitYes")); }

    // A board without preview, ready for the player's turns.
    void readyBoard(int dealIndex) {
        deal({{DealStart, dealIndex}, {DealLevelsPerStep, 100}, {PreviewStart, 5}, {PreviewLargest, 5}});
        ASSERT_GT(tickUntil([this] { return game->getPhase() == GameBase::PhaseAnswer; }, 10), 0);
    }

    void click(int card) {
        sprite::AnimateSprite* back = game->cardBack(card);
        ASSERT_NE(back, nullptr);
        press(game->getX() + back->getX() + back->getWidth() / 2, game->getY() + back->getY() + back->getHeight() / 2);
    }
    int partnerOf(int card) const {
        for (int j = 0; j < game->getCardCount(); ++j)
            if (j != card && game->slot(j).pair == game->slot(card).pair) return j;
        return -1;
    }
    int strangerOf(int card) const {
        for (int j = 0; j < game->getCardCount(); ++j)
            if (game->slot(j).pair != game->slot(card).pair) return j;
        return -1;
    }

    Concentration* game = nullptr;
};

TEST_F(ConcentrationMinigame, BoardsAreLaidOutInTheirGrids) {
    struct Board {
        int index, cards, rows, columns;
    };
    for (Board b : {Board{4, 12, 3, 4}, Board{6, 18, 3, 6}, Board{8, 24, 4, 6}, Board{3, 10, 2, 5}}) {
        deal({{DealStart, b.index}, {DealLargest, 8}, {DealLevelsPerStep, 100}});
        ASSERT_EQ(game->getCardCount(), b.cards);
        EXPECT_EQ(game->getRows(), b.rows);
        EXPECT_EQ(game->getColumns(), b.columns);
        std::set<int> xs, ys;
        for (int i = 0; i < b.cards; ++i) {
            sprite::AnimateSprite* back = game->cardBack(i);
            ASSERT_NE(back, nullptr) << "card " << i;
            EXPECT_TRUE(back->isVisible());
            xs.insert(back->getX());
            ys.insert(back->getY());
            if (i % b.columns > 0) {
                EXPECT_GT(back->getX(), game->cardBack(i - 1)->getX());
            }
            if (i >= b.columns) {
                EXPECT_GT(back->getY(), game->cardBack(i - b.columns)->getY());
            }
        }
        EXPECT_EQ(static_cast<int>(xs.size()), b.columns);
        EXPECT_EQ(static_cast<int>(ys.size()), b.rows);
        EXPECT_EQ(game->cardBack(b.cards), nullptr);
        // Every pair number stands on exactly two cards.
        std::multiset<int> pairs;
        for (int i = 0; i < b.cards; ++i) pairs.insert(game->slot(i).pair);
        for (int p = 0; p < b.cards / 2; ++p) EXPECT_EQ(pairs.count(p), 2u) << "pair " << p;
        leave();
    }
}

TEST_F(ConcentrationMinigame, HalvesPreviewOnFiveColumnsRunsByColumns) {
    deal({{DealStart, 3},
          {DealLargest, 8},
          {DealLevelsPerStep, 100},
          {PreviewStart, 3},
          {PreviewLargest, 3},
          {ShowStart, 20}});
    ASSERT_EQ(game->getColumns(), 5);
    EXPECT_EQ(game->getPreviewMode(), Concentration::PreviewByColumn);
    for (int i = 0; i < game->getCardCount(); ++i) EXPECT_EQ(game->slot(i).group, i % 5) << "card " << i;
    EXPECT_EQ(game->getPreviewTime(), 20 * 30 * 5 / 100);
    leave();

    deal({{DealStart, 4},
          {DealLargest, 8},
          {DealLevelsPerStep, 100},
          {PreviewStart, 3},
          {PreviewLargest, 3},
          {ShowStart, 20}});
    ASSERT_EQ(game->getColumns(), 4);
    EXPECT_EQ(game->getPreviewMode(), Concentration::PreviewByHalves);
    EXPECT_EQ(game->slot(1).group, 0);
    EXPECT_EQ(game->slot(2).group, 2);
}

TEST_F(ConcentrationMinigame, BelowTheFirstStepTheBoardHasTheStartingDealSize) {
    // The starting index lies above the largest one: the largest applies only from the first step.
    deal({{NormalStartLevel, 4}, {DealStart, 6}, {DealLargest, 2}, {DealLevelsPerStep, 5}, {DealStep, 1}});
    EXPECT_EQ(game->getCardCount(), 18);
    leave();
    deal({{NormalStartLevel, 5}, {DealStart, 6}, {DealLargest, 2}, {DealLevelsPerStep, 5}, {DealStep, 1}});
    EXPECT_EQ(game->getCardCount(), 8);
    leave();
    deal({{NormalStartLevel, 10}, {DealStart, 1}, {DealLargest, 8}, {DealLevelsPerStep, 5}, {DealStep, 2}});
    EXPECT_EQ(game->getCardCount(), 16);  // index 1 + 2 x 2
}

TEST_F(ConcentrationMinigame, ClickingTheFirstCardAgainOrAnOpenCardDoesNothing) {
    readyBoard(1);  // 6 cards
    const int a = 0, b = partnerOf(0);
    ASSERT_GT(b, 0);
    canvas->sounds.clear();
    click(a);
    EXPECT_EQ(game->getFirstCard(), a);
    EXPECT_TRUE(game->slot(a).open);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 1);
    click(a);
    EXPECT_EQ(game->getFirstCard(), a);
    EXPECT_EQ(game->getScheduleDelay(), 0);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 1);

    click(b);
    EXPECT_EQ(game->getFirstCard(), -1);
    EXPECT_TRUE(game->slot(a).matched);
    EXPECT_TRUE(game->slot(b).matched);
    EXPECT_EQ(game->getScheduledPhase(), GameBase::PhaseCorrect);
    EXPECT_EQ(game->getScheduleDelay(), 5);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 2);
    for (int card : {a, b}) {
        click(card);  // open: ignored
        EXPECT_EQ(game->getFirstCard(), -1);
        EXPECT_EQ(game->getScheduleDelay(), 5);
        EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 2);
    }
    // The pair is scored once and taken off the board.
    int score = game->getScore();
    ASSERT_GT(tickUntil([this] { return game->getPhase() == GameBase::PhaseCorrect; }, 10), 0);
    EXPECT_GT(game->getScore(), score);
    EXPECT_EQ(game->slot(a).pair, -1);
    EXPECT_FALSE(game->cardBack(a)->isVisible());
    EXPECT_NE(game->findChild(lang::String("CardExplode_") + lang::String(std::to_string(a).c_str())), nullptr);
}

TEST_F(ConcentrationMinigame, AMissClosesTheFirstCardAfterFourFramesAndTheSecondAfterSeven) {
    readyBoard(1);
    const int first = 0, second = strangerOf(0);
    click(first);
    ASSERT_GT(tickUntil([&] { return game->cardBack(first)->getFrame() == 2; }, 10), 0);
    click(second);
    EXPECT_EQ(game->getScheduledPhase(), GameBase::PhaseWrong);
    EXPECT_EQ(game->getScheduleDelay(), 9);
    EXPECT_TRUE(game->slot(first).closePending);
    EXPECT_TRUE(game->slot(second).closePending);

    sprite::AnimateSprite* firstBack = game->cardBack(first);
    sprite::AnimateSprite* secondBack = game->cardBack(second);
    int firstStood = 0, secondStood = 0, firstClosed = -1, secondClosed = -1;
    for (int n = 1; n <= 40 && (firstClosed < 0 || secondClosed < 0); ++n) {
        bool firstUp = firstBack->getFrame() == 2 && !game->slot(first).turningDown;
        bool secondUp = secondBack->getFrame() == 2 && !game->slot(second).turningDown;
        tick();
        if (firstClosed < 0) {
            firstStood += firstUp;
            if (game->slot(first).turningDown) firstClosed = n;
        }
        if (secondClosed < 0) {
            secondStood += secondUp;
            if (game->slot(second).turningDown) secondClosed = n;
        }
    }
    EXPECT_EQ(firstStood, 4);
    EXPECT_EQ(firstClosed, 4);
    EXPECT_EQ(secondStood, 7);
    EXPECT_GT(secondClosed, 7);  // it had to turn up first
    // Both end face down and playable again; the miss was counted once.
    ASSERT_GT(tickUntil(
                  [&] {
                      return game->getPhase() == GameBase::PhaseAnswer && firstBack->getFrame() == 0 &&
                             secondBack->getFrame() == 0;
                  },
                  30),
              0);
    ticks(3);
    EXPECT_FALSE(game->slot(first).open);
    EXPECT_FALSE(game->slot(second).open);
    EXPECT_EQ(game->getWrongAnswers(), 1);
}

TEST_F(ConcentrationMinigame, FacesNeverComeFromTheExcludedGroupOrPair) {
    std::set<window::Image*> excluded;
    for (int i = 8; i < 12; ++i) excluded.insert(GameBase::sharedTile(GameBase::TableA, i));
    for (int i = 6; i < 8; ++i) excluded.insert(GameBase::sharedTile(GameBase::TableB, i));
    ASSERT_EQ(excluded.size(), 6u);
    std::set<int> counts;
    for (int round = 0; round < 40; ++round) {
        for (int mode : {2, 3, 4}) {
            for (int pairs : {2, 5, 12}) {
                game->buildTiles(mode, pairs);
                counts.insert(game->tileCount());
                ASSERT_GE(game->tileCount(), pairs) << "mode " << mode;  // a picture per pair
                for (int i = 0; i < game->tileCount(); ++i)
                    ASSERT_EQ(excluded.count(game->tile(i)), 0u) << "mode " << mode << " entry " << i;
            }
        }
    }
    // Seventeen groups of two, or the four remaining pairs of the two-picture table.
    EXPECT_EQ(counts, (std::set<int>{8, 34}));
}

TEST_F(ConcentrationMinigame, EveryCardOfABoardHasAFace) {
    for (int round = 0; round < 8; ++round) {
        deal({{DealStart, 3},
              {DealLargest, 8},
              {DealLevelsPerStep, 100},
              {FaceStart, 4},
              {FaceLargest, 4},
              {FaceLevelsPerStep, 100}});  // 10 cards, face mode 4
        ASSERT_EQ(game->getCardCount(), 10);
        for (int i = 0; i < 10; ++i) {
            ASSERT_NE(game->tile(game->slot(i).pair), nullptr) << "round " << round << " card " << i;
            auto* face = game->findChild(lang::String("CardFace_") + lang::String(std::to_string(i).c_str()));
            ASSERT_NE(face, nullptr);
        }
        leave();
    }
}

// Picture sets built by the base (1 and 5) clear the tiles first; the board dealt
// with them must stay on the table.
TEST_F(ConcentrationMinigame, EveryPictureSetDealsAWholeBoard) {
    for (int mode = 1; mode <= 5; ++mode) {
        deal({{DealStart, 3},
              {DealLargest, 8},
              {DealLevelsPerStep, 100},
              {FaceStart, mode},
              {FaceLargest, mode},
              {FaceLevelsPerStep, 100}});  // 10 cards
        ASSERT_EQ(game->getCardCount(), 10) << "mode " << mode;
        for (int i = 0; i < 10; ++i) {
            ASSERT_NE(game->cardBack(i), nullptr) << "mode " << mode << " card " << i;
            ASSERT_NE(game->tile(game->slot(i).pair), nullptr) << "mode " << mode << " card " << i;
        }
        leave();
    }
}

TEST_F(ConcentrationMinigame, ClearingTheBoardRaisesLevelAndMultiplierAndDealsTheNext) {
    readyBoard(0);  // 4 cards
    const int level = game->getLevel(), multiplier = game->getMultiplier(), step = game->param(C::ParamSuccessStep);
    ASSERT_GT(step, 0);
    for (int round = 0; round < 2; ++round) {
        int a = -1;
        for (int i = 0; i < 4 && a < 0; ++i)
            if (game->slot(i).pair >= 0) a = i;
        ASSERT_GE(a, 0);
        int b = partnerOf(a);
        click(a);
        click(b);
        ASSERT_GT(tickUntil([this] { return game->getPhase() != GameBase::PhaseAnswer; }, 10), 0);
        EXPECT_EQ(game->getPhase(), GameBase::PhaseCorrect);
        if (round == 0) {
            ASSERT_GT(tickUntil([this] { return game->getPhase() == GameBase::PhaseAnswer; }, 5), 0);
        }
    }
    EXPECT_EQ(game->getLevel(), level + step);
    EXPECT_EQ(game->getMultiplier(), multiplier + step);
    auto* feedback = dynamic_cast<sprite::AnimateSprite*>(game->findChild(lang::String("SuccessFailure")));
    ASSERT_NE(feedback, nullptr);
    EXPECT_TRUE(feedback->isVisible());
    EXPECT_EQ(feedback->getFrame(), 0);
    // Twelve frames after the turn ends a new board is dealt, face down and whole.
    ASSERT_GT(tickUntil([this] { return game->getPhase() == GameBase::PhaseNextTurn; }, 3), 0);
    ASSERT_GT(tickUntil([this] { return game->getPhase() == GameBase::PhasePlay; }, 13), 0);
    EXPECT_FALSE(feedback->isVisible());
    for (int i = 0; i < game->getCardCount(); ++i) {
        EXPECT_GE(game->slot(i).pair, 0);
        EXPECT_TRUE(game->cardBack(i)->isVisible());
        EXPECT_EQ(game->findChild(lang::String("CardExplode_") + lang::String(std::to_string(i).c_str())), nullptr);
    }
    EXPECT_GT(tickUntil([this] { return game->getPhase() == GameBase::PhaseAnswer; }, 5), 0);
}

TEST_F(ConcentrationMinigame, EveryPreviewShowsEachCardAndEndsFaceDownInPlay) {
    for (int mode = 0; mode <= 4; ++mode) {
        deal({{DealStart, 4},
              {DealLargest, 8},
              {DealLevelsPerStep, 100},
              {PreviewStart, mode},
              {PreviewLargest, mode},
              {ShowStart, 15},
              {ShowLevelsPerStep, 100}});
        ASSERT_EQ(game->getPreviewMode(), mode);
        const int cards = game->getCardCount();
        std::vector<bool> shown(cards, false);
        std::vector<int> before(cards, -1);
        int left = game->getTimeLeft();
        int frames = tickUntil(
            [&] {
                for (int i = 0; i < cards; ++i) {
                    int frame = game->cardBack(i)->getFrame();
                    // A face follows its back once the back has stood still for a frame.
                    if (frame == before[i]) {
                        auto* face =
                            game->findChild(lang::String("CardFace_") + lang::String(std::to_string(i).c_str()));
                        EXPECT_EQ(face->isVisible(), frame == 2) << "mode " << mode << " card " << i;
                    }
                    before[i] = frame;
                    if (frame == 2) shown[i] = true;
                }
                return game->getPhase() == GameBase::PhaseAnswer;
            },
            600);
        ASSERT_GT(frames, 0) << "mode " << mode << " never reached play";
        for (int i = 0; i < cards; ++i) EXPECT_TRUE(shown[i]) << "mode " << mode << " card " << i;
        ASSERT_GT(tickUntil(
                      [&] {
                          for (int i = 0; i < cards; ++i)
                              if (game->cardBack(i)->getFrame() != 0) return false;
                          return true;
                      },
                      10),
                  0)
            << "mode " << mode;
        for (int i = 0; i < cards; ++i) EXPECT_FALSE(game->slot(i).open) << "mode " << mode << " card " << i;
        EXPECT_LE(game->getTimeLeft(), left);
        leave();
    }
}

TEST_F(ConcentrationMinigame, CardsTakeNoClicksDuringThePreview) {
    deal({{DealStart, 1},
          {DealLargest, 8},
          {DealLevelsPerStep, 100},
          {PreviewStart, 0},
          {PreviewLargest, 0},
          {ShowStart, 30}});
    ASSERT_EQ(game->getPhase(), GameBase::PhasePlay);
    canvas->sounds.clear();
    click(0);
    EXPECT_EQ(game->getFirstCard(), -1);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundClick), 0);
    EXPECT_FALSE(game->slot(0).open);
}

TEST_F(ConcentrationMinigame, TheCardUnderThePointerIsHighlighted) {
    readyBoard(1);
    auto redOf = [this](int i) {
        window::FancyHelper* fancy = game->cardBack(i)->getFancy();
        return fancy ? fancy->red : 128;
    };
    auto moveOver = [this](int i) {
        sprite::AnimateSprite* back = game->cardBack(i);
        pointer(window::Event::MouseMove, back->getX() + back->getWidth() / 2, back->getY() + back->getHeight() / 2);
    };
    moveOver(0);
    EXPECT_EQ(redOf(0), 160);
    moveOver(1);
    EXPECT_EQ(redOf(0), 128);
    EXPECT_EQ(redOf(1), 160);
    pointer(window::Event::MouseMove, 2, 370);  // beside the board
    EXPECT_EQ(redOf(1), 128);
    // An open card is not offered.
    click(2);
    ASSERT_TRUE(game->slot(2).open);
    ticks(3);
    moveOver(2);
    EXPECT_EQ(redOf(2), 128);
}

TEST_F(ConcentrationMinigame, LeavingThePlayClearsTheBoard) {
    readyBoard(4);
    ASSERT_NE(game->findChild(lang::String("CardBack_0")), nullptr);
    leave();
    EXPECT_EQ(game->getPhase(), GameBase::PhaseStopped);
    EXPECT_EQ(game->cardBack(0), nullptr);
    EXPECT_EQ(game->findChild(lang::String("CardBack_0")), nullptr);
    EXPECT_EQ(game->findChild(lang::String("CardFace_11")), nullptr);
    EXPECT_EQ(game->getFirstCard(), -1);
    EXPECT_EQ(game->tileCount(), 0);
    // A new play deals a fresh board.
    readyBoard(4);
    EXPECT_NE(game->cardBack(11), nullptr);
}

}  // namespace
}  // namespace game_test
