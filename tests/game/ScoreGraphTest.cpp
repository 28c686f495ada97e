// The score history graphs as the screens show them: a few round values on
// the axis, the best score marked, and the captions clear of the title and
// the OK button.

#include <gtest/gtest.h>

#include "GameFixture.h"
#include "sprite/DialogSprite.h"
#include "sprite/LineGraphSprite.h"
#include "util/RectangleNM.h"
#include "window/Image.h"

namespace game_test {
namespace {

class ScoreGraphRun : public GameFixture {
protected:
    sprite::DialogSprite* screen(MentariumCanvas::Screen which) {
        return dynamic_cast<sprite::DialogSprite*>(canvas->screen(which));
    }
    // Plays of Concentration on easy, each ending with that score, the last one's result shown.
    void playScores(std::initializer_list<int> scores) {
        for (int score : scores) {
            canvas->setState(MentariumCanvas::StateMenu);  // the result's OK leads back to the menus
            startPractice(0, 0);
            untilPlay(canvas->gameAt(0));
            canvas->gameFinished(0, score);
            canvas->setState(MentariumCanvas::StateResults);
        }
    }
    static bool apart(sprite::Sprite* a, sprite::Sprite* b) {
        util::RectangleNM ra = *a->getBounds(), rb = *b->getBounds();
        return ra.x + ra.width <= rb.x || rb.x + rb.width <= ra.x || ra.y + ra.height <= rb.y ||
               rb.y + rb.height <= ra.y;
    }
};

TEST_F(ScoreGraphRun, TheResultGraphHasRoundValuesAndMarksTheBest) {
    loadGame();
    playScores({1234, 1780, 1500});
    sprite::DialogSprite* result = screen(MentariumCanvas::ScreenPracticeComplete);
    ASSERT_TRUE(result && result->isVisible());
    auto* graph =
        dynamic_cast<sprite::LineGraphSprite*>(result->findChild(lang::String("PracticeScoreHistory_LineGraph")));
    ASSERT_NE(graph, nullptr);
    int bx = 0, by = 0;
    graph->getBestPoint(bx, by);
    const sprite::LineGraphSprite::Layout& layout = graph->lastLayout();
    EXPECT_EQ(layout.minValue, 1200);
    EXPECT_EQ(layout.maxValue, 1800);
    EXPECT_LE(layout.ny, 4);  // at most five values on the axis
    EXPECT_EQ((layout.maxValue - layout.minValue) % layout.ny, 0);
    // The best is the middle play, marked in honey.
    EXPECT_EQ(bx, layout.x0 + (layout.xEnd - layout.x0) / 2);
    window::Image* picture = graph->getImage();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->getPixels()[by * picture->getWidth() + bx] & 0xFFFFFFu, 0xF2C14Eu);

    sprite::Sprite* plays = result->findChild(lang::String("graphXLabel"));
    sprite::Sprite* scoreCaption = result->findChild(lang::String("graphYLabel"));
    ASSERT_TRUE(plays && scoreCaption);
    for (const char* other : {"bOk", "GameName", "title", "bubble"}) {
        sprite::Sprite* s = result->findChild(lang::String(other));
        ASSERT_NE(s, nullptr) << other;
        EXPECT_TRUE(apart(plays, s)) << "Plays over " << other;
        EXPECT_TRUE(apart(scoreCaption, s)) << "Score over " << other;
    }
}

// Scores near zero start the axis at zero in steps of a round size.
TEST_F(ScoreGraphRun, SmallScoresStartTheAxisAtZero) {
    loadGame();
    playScores({40, 90, 370});
    auto* graph = dynamic_cast<sprite::LineGraphSprite*>(
        screen(MentariumCanvas::ScreenPracticeComplete)->findChild(lang::String("PracticeScoreHistory_LineGraph")));
    ASSERT_NE(graph, nullptr);
    int bx = 0, by = 0;
    graph->getBestPoint(bx, by);
    EXPECT_EQ(graph->lastLayout().minValue, 0);
    EXPECT_EQ(graph->lastLayout().maxValue, 400);
    EXPECT_EQ(graph->lastLayout().ny, 4);
}

// A first play that scored nothing still gets a readable axis.
TEST_F(ScoreGraphRun, AZeroScoreAloneShowsZeroToAHundred) {
    loadGame();
    playScores({0});
    auto* graph = dynamic_cast<sprite::LineGraphSprite*>(
        screen(MentariumCanvas::ScreenPracticeComplete)->findChild(lang::String("PracticeScoreHistory_LineGraph")));
    ASSERT_NE(graph, nullptr);
    int bx = 0, by = 0;
    graph->getBestPoint(bx, by);
    EXPECT_EQ(graph->lastLayout().minValue, 0);
    EXPECT_EQ(graph->lastLayout().maxValue, 100);
}

}  // namespace
}  // namespace game_test
