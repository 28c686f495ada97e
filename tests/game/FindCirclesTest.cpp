// Find the Circles: the table of size combinations, placing, and whole
// turns in the loaded game.

#include <gtest/gtest.h>

#include <set>

#include "GameFixture.h"
#include "game/minigames/FindCircles.h"
#include "sprite/AnimateSprite.h"

namespace game_test {
namespace {

constexpr int kFindCircles = 7;

TEST(FindCirclesGame, TwoAndThreeCirclesGiveTenAndTwentySetsInOrderOfDifficulty) {
    auto table = FindCircles::buildCombos(2, 3);
    ASSERT_EQ(table.size(), 30u);
    int twos = 0, threes = 0;
    std::set<std::vector<int>> seen;
    for (size_t i = 0; i < table.size(); ++i) {
        const auto& c = table[i];
        EXPECT_TRUE(std::is_sorted(c.sizes.begin(), c.sizes.end()));
        EXPECT_TRUE(seen.insert(c.sizes).second) << "twice";
        int sum = 0;
        for (int s : c.sizes) sum += s;
        EXPECT_EQ(c.difficulty, sum + 2 * c.count);
        if (i > 0) {
            EXPECT_LE(table[i - 1].difficulty, c.difficulty);
        }
        (c.count == 2 ? twos : threes) += 1;
    }
    EXPECT_EQ(twos, 10);
    EXPECT_EQ(threes, 20);
    EXPECT_EQ(table.front().difficulty, 6);
    EXPECT_EQ(table.back().difficulty, 18);

    int first = 0, last = 0;
    FindCircles::combosForLevel(table, 0, first, last);  // below the table: two of size 1
    ASSERT_EQ(first, last);
    EXPECT_EQ(table[first].sizes, (std::vector<int>{1, 1}));
    FindCircles::combosForLevel(table, 40, first, last);  // above it: three of size 4
    EXPECT_EQ(table[last].sizes, (std::vector<int>{4, 4, 4}));
    FindCircles::combosForLevel(table, 10, first, last);  // reached by two and by three circles
    std::set<int> counts;
    for (int i = first; i <= last; ++i) {
        EXPECT_EQ(table[i].difficulty, 10);
        counts.insert(table[i].count);
    }
    EXPECT_EQ(counts, (std::set<int>{2, 3}));
}

// A corner on the other's left or top edge lies inside it; one on the right
// or bottom edge does not.
TEST(FindCirclesGame, BoxesOverlapWhenACornerLiesInsideTheOther) {
    sprite::Sprite a, b;
    a.setSize(10, 10);
    b.setSize(10, 10);
    a.setLocation(0, 0);
    b.setLocation(11, 0);  // a pixel apart
    EXPECT_FALSE(FindCircles::overlap(&a, &b));
    b.setLocation(10, 0);  // a's right corners stand on b's left edge
    EXPECT_TRUE(FindCircles::overlap(&a, &b));
    b.setLocation(9, 9);  // one corner inside
    EXPECT_TRUE(FindCircles::overlap(&a, &b));
    b.setSize(30, 30);
    b.setLocation(-10, -10);  // a lies wholly inside b
    EXPECT_TRUE(FindCircles::overlap(&a, &b));
}

}  // namespace

class FindCirclesGameRun : public GameFixture {
protected:
    FindCircles* start(int difficulty = 0) {
        auto* game = dynamic_cast<FindCircles*>(startPractice(kFindCircles, difficulty));
        EXPECT_NE(game, nullptr);
        return game;
    }
    void clickAt(FindCircles* game, int x, int y) {
        pointer(window::Event::MouseDown, game->getX() + x, game->getY() + y);
        pointer(window::Event::MouseUp, game->getX() + x, game->getY() + y);
    }
    void clickCircle(FindCircles* game, int i) {
        sprite::Sprite* s = game->circle(i);
        clickAt(game, s->getX() + s->getWidth() / 2, s->getY() + s->getHeight() / 2);
    }
    void untilAnswer(FindCircles* game) {
        ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhaseAnswer; }, 200), 0);
    }
};

// A turn: the circles stand inside the play area without overlapping, fade
// out, and each one found fades back in and scores; a second click on a
// found circle changes nothing; the last one clears the turn.
TEST_F(FindCirclesGameRun, CirclesFoundScoreAndTheLastClearsTheTurn) {
    loadGame();
    FindCircles* game = start(2);
    ASSERT_NE(game, nullptr);
    ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhasePlay && game->circleCount() > 0; }, 200), 0);
    ticks(2);
    saveScreen("findcircles-shown.png");
    untilAnswer(game);
    const int n = game->circleCount();
    ASSERT_GE(n, 2);
    const util::RectangleNM& area = game->playArea();
    for (int i = 0; i < n; ++i) {
        sprite::Sprite* s = game->circle(i);
        EXPECT_GE(s->getX(), area.x);
        EXPECT_LE(s->getX() + s->getWidth(), area.x + area.width);
        EXPECT_GE(s->getY(), area.y);
        EXPECT_LE(s->getY() + s->getHeight(), area.y + area.height);
        EXPECT_EQ(game->circle(i)->getAlpha(), 0);  // faded out, still in place
        for (int j = 0; j < i; ++j) EXPECT_FALSE(FindCircles::overlap(s, game->circle(j))) << i << " " << j;
    }
    const int level = game->getLevel();
    clickCircle(game, 0);
    EXPECT_TRUE(game->isFound(0));
    const int score = game->getScore();
    EXPECT_GT(score, 0);
    untilAnswer(game);
    canvas->sounds.clear();
    clickCircle(game, 0);  // found already
    EXPECT_EQ(game->getScore(), score);
    EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);
    EXPECT_TRUE(canvas->sounds.empty());
    for (int i = 1; i < n; ++i) {
        untilAnswer(game);
        clickCircle(game, i);
    }
    ASSERT_EQ(tickUntil([game] { return game->getPhase() == GameBase::PhaseNextTurn; }, 3), 1);
    EXPECT_EQ(game->getLevel(), level + 1);
    EXPECT_EQ(game->getWrongAnswers(), 0);
}

// A click in the play area that hits no circle, or only a circle's
// transparent corner, is wrong and shows every circle at once; a click
// outside the area is not taken.
TEST_F(FindCirclesGameRun, AMissShowsEveryCircleAgainAndOutsideClicksDoNotCount) {
    loadGame();
    FindCircles* game = start();
    ASSERT_NE(game, nullptr);
    untilAnswer(game);
    clickAt(game, 5, 370);  // below the play area
    EXPECT_EQ(game->getPhase(), GameBase::PhaseAnswer);
    EXPECT_EQ(game->getWrongAnswers(), 0);

    sprite::AnimateSprite* first = game->circle(0);
    clickAt(game, first->getX() + 1, first->getY() + 1);  // the picture's transparent corner
    EXPECT_EQ(game->getPhase(), GameBase::PhaseWrong);
    EXPECT_EQ(game->getWrongAnswers(), 1);
    ASSERT_EQ(tickUntil([game] { return game->getPhase() == GameBase::PhaseNextTurn; }, 3), 1);
    for (int i = 0; i < game->circleCount(); ++i) EXPECT_EQ(game->circle(i)->getAlpha(), 128) << i;
    // The next turn follows 12 frames after phase 10.
    int frames = tickUntil([game] { return game->getPhase() == GameBase::PhasePlay; }, 30);
    EXPECT_EQ(frames, 12);
}

}  // namespace game_test
