#include <gtest/gtest.h>

#include "sprite/FrameSchedule.h"

using sprite::FrameSchedule;

TEST(FrameScheduleTest, OnTimeRendersAndWaitsForTheNextTick) {
    FrameSchedule s(40);
    s.begin(1000);
    FrameSchedule::Step step = s.afterUpdate(1010, true);
    EXPECT_TRUE(step.render);
    EXPECT_EQ(step.waitMs, 30);
}

TEST(FrameScheduleTest, FiftyBehindSkipsTwoThenRenders) {
    FrameSchedule s(40);
    s.begin(0);
    // Each tick finds the loop 50 ms behind its schedule.
    EXPECT_FALSE(s.afterUpdate(40 + 50, true).render);
    EXPECT_FALSE(s.afterUpdate(80 + 50, true).render);
    EXPECT_TRUE(s.afterUpdate(120 + 50, true).render);
    EXPECT_FALSE(s.afterUpdate(160 + 50, true).render);  // the count starts again
    FrameSchedule noSkip(40);
    noSkip.begin(0);
    EXPECT_TRUE(noSkip.afterUpdate(90, false).render);
}

TEST(FrameScheduleTest, FarBehindRebasesOnThatTick) {
    FrameSchedule s(40);
    s.begin(0);
    FrameSchedule::Step step = s.afterUpdate(40 + 250, true);
    EXPECT_FALSE(step.render);
    EXPECT_EQ(step.waitMs, 0);
    // Re-based: the next tick is due one period after the late one.
    step = s.afterUpdate(290 + 10, true);
    EXPECT_TRUE(step.render);
    EXPECT_EQ(step.waitMs, 30);
}
