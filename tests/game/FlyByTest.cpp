// Fly By, the counting game: the choice of flights and whole turns in the
// loaded game.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "GameFixture.h"
#include "game/minigames/FlyBy.h"
#include "sprite/ButtonSprite.h"
#include "sprite/ScalerSprite.h"

namespace game_test {
namespace {

constexpr int kFlyBy = 14;

}  // namespace

class FlyByRun : public GameFixture {
protected:
    FlyBy* start(int difficulty = 0) {
        auto* game = dynamic_cast<FlyBy*>(startPractice(kFlyBy, difficulty));
        EXPECT_NE(game, nullptr);
        return game;
    }
    void untilAnswer(FlyBy* game) {
        ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhaseAnswer; }, 600), 0);
    }
    sprite::ButtonSprite* countButton(FlyBy* game, int count) {
        return dynamic_cast<sprite::ButtonSprite*>(
            game->findChild(lang::String(("Count_" + std::to_string(count)).c_str())));
    }
    void clickCount(FlyBy* game, int count) {
        sprite::ButtonSprite* button = countButton(game, count);
        ASSERT_NE(button, nullptr);
        clickOn(game, button);
    }
};

// Every kind flies at least once, the asked one 1 to 7 times; the look-alike
// is the asked motif in another colour, the other kinds other motifs.
TEST_F(FlyByRun, FlightsHoldEveryKindAndTheAskedOneUpToSevenTimes) {
    loadGame();
    FlyBy* game = start();
    ASSERT_NE(game, nullptr);
    std::set<int> askedCounts;
    for (int round = 0; round < 60; ++round) {
        const bool alike = round % 2 == 1;
        int asked = -1;
        std::vector<int> flights = game->chooseFlights(12, 4, alike, asked);
        ASSERT_EQ(flights.size(), 12u);
        std::set<int> kinds(flights.begin(), flights.end());
        EXPECT_EQ(kinds.size(), 4u);
        const int count = static_cast<int>(std::count(flights.begin(), flights.end(), asked));
        EXPECT_GE(count, 1);
        EXPECT_LE(count, FlyBy::MaxCount);
        askedCounts.insert(count);
        int sameMotif = 0;
        for (int k : kinds) sameMotif += k != asked && k / 4 == asked / 4;
        EXPECT_EQ(sameMotif, alike ? 1 : 0);
    }
    EXPECT_GE(askedCounts.size(), 4u);  // the count is not always the same
    int asked = -1;
    EXPECT_EQ(game->chooseFlights(40, 9, false, asked).size(), static_cast<size_t>(FlyBy::MaxFlights));
}

// The whole game: the pictures fly in one after another from the right; then
// the question shows the asked picture and the number buttons open. The right
// count scores and raises the level; a wrong one is wrong and lights the right one.
TEST_F(FlyByRun, FlightsPassThenTheRightCountScores) {
    loadGame();
    FlyBy* game = start();
    ASSERT_NE(game, nullptr);
    ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhasePlay && game->flightCount() > 0; }, 200), 0);
    ASSERT_GE(game->flightCount(), std::max(game->param(FlyBy::ParamFlights), 2));  // the fewest at level 0
    EXPECT_EQ(countButton(game, 1)->getState(), sprite::ButtonSprite::Inactive);
    ticks(3);
    sprite::ScalerSprite* first = game->flightSprite(0);
    ASSERT_TRUE(first->isVisible());
    EXPECT_FALSE(game->flightSprite(1)->isVisible());  // waits for its turn
    const int x = first->getCentreX();
    // The next flight sets off while the first is still on its way.
    ASSERT_GT(tickUntil([game] { return game->flightSprite(1) && game->flightSprite(1)->isVisible(); }, 20), 0);
    EXPECT_LT(first->getCentreX(), x);
    saveScreen("flyby-flying.png");

    untilAnswer(game);
    EXPECT_EQ(game->flightSprite(0), nullptr);  // flown and put away
    ASSERT_GE(game->rightCount(), 1);
    const int score = game->getScore(), level = game->getLevel();
    saveScreen("flyby-question.png");
    std::string seen;  // what a player sees, for a bot: the asked picture and the live buttons
    game->describe(seen);
    EXPECT_NE(seen.find(" asked " + std::to_string(game->askedPicture()) + "\n"), std::string::npos) << seen;
    EXPECT_NE(seen.find("count 1 70 318 1\ncount 2 130 318 1\n"), std::string::npos) << seen;
    clickCount(game, game->rightCount());
    EXPECT_GT(game->getScore(), score);
    EXPECT_EQ(game->getLevel(), level + 1);
    EXPECT_EQ(countButton(game, 1)->getState(), sprite::ButtonSprite::Inactive);

    untilAnswer(game);
    const int right = game->rightCount(), wrongCount = right % FlyBy::MaxCount + 1;
    const int before = game->getScore();
    clickCount(game, wrongCount);
    EXPECT_EQ(game->getScore(), before);
    EXPECT_EQ(game->getWrongAnswers(), 1);
    EXPECT_EQ(countButton(game, right)->getState(), sprite::ButtonSprite::Hover);
    ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhasePlay; }, 40), 0);  // the next turn

    // The number keys answer as the buttons of the same count do.
    untilAnswer(game);
    const int scoreBeforeKey = game->getScore();
    auto* key = new window::Event(nullptr, window::Event::KeyPress, nullptr);
    key->key = '0' + game->rightCount();
    game->keyPressed(key);
    key->release();
    EXPECT_GT(game->getScore(), scoreBeforeKey);
}

}  // namespace game_test
