#include <gtest/gtest.h>

#include "lang/Class.h"
#include "lang/IntArray.h"
#include "sprite/FancyContainer.h"
#include "sprite/SpriteFixtures.h"
#include "util/Region.h"
#include "window/Graphics.h"
#include "window/GraphicsI.h"

using sprite::FancyContainer;
using sprite::Sprite;
using sprite_test::Held;
using sprite_test::solidSprite;

namespace {

// A container at (100, 50) of 40 x 30 with nothing left to collect.
FancyContainer* placedContainer() {
    auto* c = new FancyContainer(40, 30);
    c->setLocationQuiet(100, 50);
    c->collectDirty(0, nullptr, nullptr);
    return c;
}

void collect(Sprite* s, util::RectangleNM& total) {
    util::Region region;
    s->collectDirty(0, &total, &region);
}

// Adds child, collects what that marked, then moves the child and collects again.
bool moveChildAndCollect(FancyContainer* c, Sprite* child, int x, int y, util::RectangleNM& total,
                         util::Region& region) {
    c->add(child);
    util::RectangleNM ignored;
    collect(c, ignored);
    child->setLocation(x, y);
    return c->collectDirty(1, &total, &region);
}

}  // namespace

TEST(ContainerChildren, AddingAVisibleChildMarksItsPlaceInCanvasCoordinates) {
    Held<FancyContainer> c(placedContainer());
    Held<Sprite> child(solidSprite(10, 10, 5, 5));
    EXPECT_TRUE(c->add(child.get()));
    EXPECT_EQ(child->refCount(), 2);
    util::RectangleNM area = c->dirtyArea();
    EXPECT_EQ(area.x, 110);
    EXPECT_EQ(area.y, 60);
    EXPECT_EQ(area.width, 5);
    EXPECT_EQ(area.height, 5);
}

TEST(ContainerChildren, NonSpritesAreRefused) {
    Held<FancyContainer> c(placedContainer());
    EXPECT_FALSE(c->add(nullptr));
    EXPECT_EQ(c->childCount(), 0);
}

TEST(ContainerChildren, RemovedChildLeavesAtTheNextPassAndItsPlaceIsRepainted) {
    Held<FancyContainer> c(placedContainer());
    Held<Sprite> child(solidSprite(10, 10, 5, 5));
    c->add(child.get());
    util::RectangleNM ignored;
    collect(c.get(), ignored);

    c->remove(child.get());
    EXPECT_FALSE(child->isVisible());
    EXPECT_EQ(c->childCount(), 1);  // still listed until the pass
    util::RectangleNM total;
    collect(c.get(), total);
    EXPECT_EQ(c->childCount(), 0);
    EXPECT_EQ(c->pendingRemovals(), 0);
    EXPECT_EQ(total.x, 110);
    EXPECT_EQ(total.width, 5);
    EXPECT_EQ(child->refCount(), 1);
}

TEST(ContainerChildren, RemovingANonChildDoesNothingAndReAddingKeepsTheChild) {
    Held<FancyContainer> c(placedContainer());
    Held<Sprite> stranger(solidSprite(0, 0, 5, 5));
    c->remove(stranger.get());
    EXPECT_TRUE(stranger->isVisible());
    EXPECT_EQ(c->pendingRemovals(), 0);

    Held<Sprite> child(solidSprite(0, 0, 5, 5));
    c->add(child.get());
    c->remove(child.get());
    child->setVisible(true);
    c->add(child.get());
    EXPECT_EQ(c->pendingRemovals(), 0);
    util::RectangleNM total;
    collect(c.get(), total);
    ASSERT_EQ(c->childCount(), 1);
    EXPECT_EQ(c->childAt(0), child.get());
}

TEST(ContainerChildren, AddAfterPlacesRightAboveTheReferenceOrAtTheBottom) {
    Held<FancyContainer> c(placedContainer());
    Held<Sprite> a(solidSprite(0, 0, 1, 1)), b(solidSprite(0, 0, 1, 1)), d(solidSprite(0, 0, 1, 1));
    Held<Sprite> stranger(solidSprite(0, 0, 1, 1));
    c->add(a.get());
    c->add(b.get());
    c->addAfter(d.get(), a.get());
    EXPECT_EQ(c->childAt(1), d.get());
    c->addAfter(a.get(), b.get());  // moving a child up past its reference
    EXPECT_EQ(c->childAt(0), d.get());
    EXPECT_EQ(c->childAt(1), b.get());
    EXPECT_EQ(c->childAt(2), a.get());
    c->addAfter(b.get(), stranger.get());
    EXPECT_EQ(c->childAt(0), b.get());
    EXPECT_EQ(c->childCount(), 3);

    c->insertBefore(a.get(), d.get());
    EXPECT_EQ(c->childAt(1), a.get());
    EXPECT_EQ(c->childAt(2), d.get());
}

TEST(ContainerDirty, ChildChangesReachTheCallerMovedAndCutToTheContainer) {
    Held<FancyContainer> c(placedContainer());
    Held<Sprite> child(solidSprite(30, 20, 20, 20));  // hangs over the right and bottom edges
    util::RectangleNM total;
    util::Region region;
    EXPECT_TRUE(moveChildAndCollect(c.get(), child.get(), 32, 20, total, region));
    EXPECT_EQ(total.x, 130);
    EXPECT_EQ(total.y, 70);
    EXPECT_EQ(total.width, 10);
    EXPECT_EQ(total.height, 10);
    EXPECT_TRUE(region.intersects(util::RectangleNM(139, 79, 1, 1)));
    EXPECT_FALSE(region.intersects(util::RectangleNM(140, 70, 5, 5)));
}

TEST(ContainerDirty, HiddenContainerPassesNothingOnButTheChildIsCollected) {
    Held<FancyContainer> c(placedContainer());
    Held<Sprite> child(solidSprite(0, 0, 5, 5));
    c->setVisible(false);
    util::RectangleNM total;
    util::Region region;
    EXPECT_FALSE(moveChildAndCollect(c.get(), child.get(), 3, 3, total, region));
    EXPECT_EQ(total.width, 0);
    EXPECT_TRUE(region.isEmpty());
    EXPECT_FALSE(child->isDirty());
}

TEST(ContainerFade, HidesOnTheSeventhPassAndIgnoresASecondStart) {
    Held<FancyContainer> c(placedContainer());
    c->fadeOut();
    EXPECT_TRUE(c->isFadingOut());
    const int expected[] = {108, 88, 68, 48, 28, 8};
    for (int alpha : expected) {
        util::RectangleNM total;
        collect(c.get(), total);
        EXPECT_EQ(c->getAlpha(), alpha);
        EXPECT_TRUE(c->isVisible());
        if (alpha == 88) c->fadeOut();  // already running: no restart
    }
    util::RectangleNM total;
    collect(c.get(), total);
    EXPECT_FALSE(c->isVisible());
    EXPECT_FALSE(c->isFadingOut());
    EXPECT_EQ(c->getAlpha(), 8);
}

TEST(ContainerFade, HidingStopsAFade) {
    Held<FancyContainer> c(placedContainer());
    c->fadeOut();
    c->setVisible(false);
    EXPECT_FALSE(c->isFadingOut());
}

TEST(ContainerEffects, ColourFactorsGoToTheChildrenNotTheContainer) {
    Held<FancyContainer> c(placedContainer());
    Held<Sprite> child(solidSprite(0, 0, 5, 5));
    c->add(child.get());
    c->setColorFactors(60, 128, 128, 128);
    EXPECT_EQ(child->getAlpha(), 60);
    EXPECT_EQ(c->getFancy(), nullptr);
}

TEST(ContainerPaint, ChildrenDrawInTheContainerSpaceClippedToIt) {
    Held<window::Image> frame(new window::Image(60, 40, 1, false));
    Held<FancyContainer> c(new FancyContainer(10, 10));
    c->setLocationQuiet(20, 5);
    Held<Sprite> big(solidSprite(0, 0, 30, 30, 0xFF00FF00u));
    Held<Sprite> top(solidSprite(2, 2, 2, 2, 0xFF0000FFu));
    c->add(big.get());
    c->add(top.get());
    util::RectangleNM ignored;
    collect(c.get(), ignored);

    Held<window::Graphics> g(frame->getGraphics());
    c->paint(g.get());
    uint32_t* px = frame->getPixels();
    EXPECT_EQ(px[5 * 60 + 20], 0xFF00FF00u);  // the container's top-left corner
    EXPECT_EQ(px[7 * 60 + 22], 0xFF0000FFu);  // the upper child over the lower one
    EXPECT_EQ(px[5 * 60 + 30], 0u);           // right of the container
    EXPECT_EQ(px[15 * 60 + 25], 0u);          // below it
    EXPECT_EQ(px[4 * 60 + 25], 0u);           // above it
}

TEST(ContainerPaint, AFadingContainerDrawsItsChildrenThroughOneBuffer) {
    Held<window::Image> frame(new window::Image(30, 30, 1, false));
    Held<FancyContainer> c(new FancyContainer(10, 10));
    c->setLocationQuiet(5, 5);
    Held<Sprite> child(solidSprite(0, 0, 4, 4, 0xFF0000FFu));
    c->add(child.get());
    util::RectangleNM ignored;
    collect(c.get(), ignored);
    c->fadeOut();
    collect(c.get(), ignored);

    Held<window::Graphics> g(frame->getGraphics());
    c->paint(g.get());
    ASSERT_NE(c->getImage(), nullptr);  // the buffer now holds the children
    EXPECT_EQ(c->getImage()->getPixels()[0], 0xFF0000FFu);
    EXPECT_EQ(c->getImage()->getPixels()[5 * 10 + 5], 0u);
    EXPECT_NE(frame->getPixels()[5 * 30 + 5], 0u);
    EXPECT_EQ(frame->getPixels()[0], 0u);
}

TEST(ContainerClass, InitTakesPositionAndSizeFromTheNumbers) {
    lang::Object* made = lang::Class::forName("FancyContainer")->newInstance();
    auto* c = dynamic_cast<FancyContainer*>(made);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->getWidth(), 1);
    Held<lang::IntArray> numbers(new lang::IntArray(4));
    int values[] = {7, 8, 90, 60};
    for (int i = 0; i < 4; ++i) (*numbers.get())[i] = values[i];
    EXPECT_TRUE(c->init(nullptr, numbers.get()));
    EXPECT_EQ(c->getX(), 7);
    EXPECT_EQ(c->getY(), 8);
    EXPECT_EQ(c->getWidth(), 90);
    EXPECT_EQ(c->getHeight(), 60);
    made->release();
}
