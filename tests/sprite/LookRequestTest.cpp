// The render pass walks only what changed or animates: a still tree is left
// alone, a change deep in it is still collected, and an animation stays on the
// walk until it comes to rest.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "sprite/AnimateSprite.h"
#include "sprite/FancyContainer.h"
#include "sprite/GameCanvas2.h"
#include "sprite/SpriteFixtures.h"
#include "util/Region.h"

using sprite::FancyContainer;
using sprite_test::Held;

namespace {

// A sprite that counts the collection's visits.
template <typename Base>
class Counted : public Base {
public:
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override {
        ++visits;
        return Base::collectDirty(tick, total, region);
    }
    int visits = 0;
};

template <typename Base = sprite::Sprite>
Counted<Base>* countedSprite(int x, int y) {
    auto* s = new Counted<Base>();
    window::Image* picture = sprite_test::solidImage(8, 8, 0xFF00FF00u);
    s->setImage(picture);
    picture->release();
    s->setLocation(x, y);
    return s;
}

// A canvas of 200 x 150 holding one root: a container at (20, 10) with a
// counted child and an inner container at (30, 30) holding a counted leaf.
struct StillTree {
    StillTree() {
        canvas->setSize(200, 150);
        outer->setLocation(20, 10);
        inner->setLocation(30, 30);
        outer->add(sibling.get());
        outer->add(inner.get());
        inner->add(leaf.get());
        canvas->addRoot(outer.get());
        canvas->update();  // everything is new: the first pass visits it all
        canvas->getDirtyRegion()->clear();
    }
    int visits() const { return sibling->visits + leaf->visits; }

    Held<sprite::GameCanvas2> canvas{new sprite::GameCanvas2()};
    Held<FancyContainer> outer{new FancyContainer(150, 120)};
    Held<FancyContainer> inner{new FancyContainer(60, 60)};
    Held<Counted<sprite::Sprite>> sibling{countedSprite(5, 5)};
    Held<Counted<sprite::Sprite>> leaf{countedSprite(4, 4)};
};

}  // namespace

TEST(LookRequest, AnUnchangedTreeIsNotWalked) {
    StillTree tree;
    EXPECT_EQ(tree.visits(), 2);
    for (int i = 0; i < 5; ++i) tree.canvas->update();
    EXPECT_EQ(tree.visits(), 2);
    EXPECT_TRUE(tree.canvas->getDirtyRegion()->isEmpty());
}

TEST(LookRequest, AChangeDeepInTheTreeIsCollectedAndOnlyItsBranchWalked) {
    StillTree tree;
    tree.leaf->setLocation(10, 4);
    tree.canvas->update();
    EXPECT_EQ(tree.leaf->visits, 2);
    EXPECT_EQ(tree.sibling->visits, 1);
    // Old place (4, 4) and new (10, 4) in canvas coordinates: moved by 20 + 30, 10 + 30.
    util::Region* region = tree.canvas->getDirtyRegion();
    EXPECT_TRUE(region->intersects(util::RectangleNM(54, 44, 1, 1)));
    EXPECT_TRUE(region->intersects(util::RectangleNM(67, 51, 1, 1)));
    EXPECT_FALSE(region->intersects(util::RectangleNM(25, 15, 8, 8)));  // the sibling
    EXPECT_FALSE(tree.leaf->isDirty());
}

TEST(LookRequest, HidingASpriteThatMarksNothingStillReachesThePainter) {
    StillTree tree;
    // Wholly left of the canvas: hiding it marks no area, yet shown must follow.
    tree.leaf->setLocation(-200, 4);
    tree.canvas->update();
    tree.leaf->setVisible(false);
    tree.canvas->update();
    EXPECT_FALSE(tree.leaf->isShown());
}

TEST(LookRequest, AHiddenChildIsStillTakenOutAtTheNextPass) {
    StillTree tree;
    tree.sibling->setVisible(false);
    tree.canvas->update();
    tree.outer->remove(tree.sibling.get());  // marks nothing: the child is hidden
    tree.canvas->update();
    EXPECT_EQ(tree.outer->childCount(), 1);
    EXPECT_EQ(tree.outer->pendingRemovals(), 0);
}

TEST(LookRequest, AnAnimationStaysOnTheWalkUntilItComesToRest) {
    StillTree tree;
    Held<Counted<sprite::AnimateSprite>> glider(countedSprite<sprite::AnimateSprite>(0, 0));
    tree.inner->add(glider.get());
    tree.canvas->update();
    int settled = glider->visits;
    glider->moveTo(40, 0, 4);
    for (int i = 0; i < 4; ++i) tree.canvas->update();
    EXPECT_EQ(glider->getX(), 40);
    EXPECT_EQ(glider->visits, settled + 4);
    // At rest after one more look; then it is left alone.
    for (int i = 0; i < 6; ++i) tree.canvas->update();
    EXPECT_LE(glider->visits, settled + 5);
    EXPECT_EQ(tree.sibling->visits, 1);
}

TEST(LookRequest, APausedAnimationIsLookedAtOnEveryPass) {
    StillTree tree;
    Held<Counted<sprite::AnimateSprite>> paused(countedSprite<sprite::AnimateSprite>(0, 0));
    tree.outer->add(paused.get());
    tree.canvas->update();
    paused->setPaused(true);
    int before = paused->visits;
    for (int i = 0; i < 5; ++i) tree.canvas->update();
    // Its passes are counted while paused, so the frame timing resumes in step.
    EXPECT_EQ(paused->visits, before + 5);
}

TEST(LookRequest, AChildOutlivingItsContainerChangesSafely) {
    Held<sprite::Sprite> child(sprite_test::solidSprite(0, 0, 4, 4));
    {
        Held<FancyContainer> container(new FancyContainer(40, 40));
        container->add(child.get());
    }
    child->setLocation(5, 5);  // passes nothing up to the container that is gone
    EXPECT_TRUE(child->lookRequest().isRaised());
}

// The game thread moves a leaf while the render thread collects: once both stop,
// one more pass finds every change, however the two met.
TEST(LookRequest, ChangesMadeDuringPassesAreNeverLost) {
    StillTree tree;
    std::atomic<bool> done{false};
    std::thread render([&] {
        while (!done) tree.canvas->update();
    });
    for (int i = 0; i < 2000; ++i) tree.leaf->setLocation(4 + i % 13, 4);
    done = true;
    render.join();
    tree.canvas->update();
    EXPECT_FALSE(tree.leaf->isDirty());
    EXPECT_FALSE(tree.outer->isDirty());
}
