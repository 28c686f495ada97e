#include <gtest/gtest.h>

#include "lang/Class.h"
#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "sprite/Sprite.h"
#include "sprite/SpriteFixtures.h"
#include "util/Region.h"
#include "window/FancyHelper.h"
#include "window/Graphics.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

using sprite::Sprite;
using sprite_test::Held;
using sprite_test::solidImage;
using sprite_test::solidSprite;

namespace {

void expectRect(const util::RectangleNM& r, int x, int y, int w, int h) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, w);
    EXPECT_EQ(r.height, h);
}

lang::IntArray* numbersOf(std::initializer_list<int> values) {
    auto* a = new lang::IntArray(static_cast<int>(values.size()));
    int i = 0;
    for (int v : values) (*a)[i++] = v;
    return a;
}

}  // namespace

TEST(SpriteDirty, HidingRecordsOnlyTheOldAreaAndShowingOnlyTheNew) {
    Held<Sprite> s(solidSprite(5, 5, 10, 10));
    s->setVisible(false);
    expectRect(s->dirtyArea(), 5, 5, 10, 10);
    s->collectDirty(1, nullptr, nullptr);

    s->setLocation(40, 30);  // moving while hidden records nothing
    EXPECT_FALSE(s->isDirty());
    s->setVisible(true);
    expectRect(s->dirtyArea(), 40, 30, 10, 10);
}

TEST(SpriteDirty, SettingTheCurrentVisibilityRecordsNothing) {
    Held<Sprite> s(solidSprite(5, 5, 10, 10));
    s->setVisible(true);
    s->translate(0, 0);
    s->setLocation(5, 5);
    s->setSize(10, 10);
    EXPECT_FALSE(s->isDirty());
}

TEST(SpriteDirty, MoveRecordsTheUnionOfOldAndNewPlace) {
    Held<Sprite> s(solidSprite(0, 0, 10, 10));
    s->translate(20, 5);
    expectRect(s->dirtyArea(), 0, 0, 30, 15);
}

TEST(SpriteDirty, SpritesWhollyLeftOrAboveTheCanvasOrWithoutWidthStayClean) {
    Held<Sprite> s(solidSprite(-30, 0, 10, 10));
    s->setLocation(-25, 0);  // x + width = -15
    s->setLocation(0, -40);  // y + height = -30
    EXPECT_FALSE(s->isDirty());
    s->setLocation(-10, 0);  // x + width = 0 still counts
    EXPECT_TRUE(s->isDirty());

    Held<Sprite> flat(solidSprite(0, 0, 10, 10));
    flat->setSize(0, 10);
    flat->collectDirty(0, nullptr, nullptr);
    flat->setLocation(50, 50);
    EXPECT_FALSE(flat->isDirty());
}

TEST(SpriteDirty, EmptyRectangleIsCopiedIntoAnEmptyAreaButIgnoredByAFullOne) {
    Sprite s;
    s.addDirty(util::RectangleNM(3, 4, 0, 7));
    EXPECT_TRUE(s.isDirty());
    expectRect(s.dirtyArea(), 3, 4, 0, 7);

    Sprite t;
    t.addDirty(util::RectangleNM(10, 10, 5, 5));
    t.addDirty(util::RectangleNM(0, 0, 0, 50));
    expectRect(t.dirtyArea(), 10, 10, 5, 5);
    t.addDirty(util::RectangleNM(0, 0, 2, 2));
    expectRect(t.dirtyArea(), 0, 0, 15, 15);
}

TEST(SpriteDirty, CollectionHandsTheAreaOverOnceAndShownLagsVisible) {
    Held<Sprite> s(solidSprite(5, 5, 10, 10));
    s->setVisible(false);
    EXPECT_TRUE(s->isShown());  // the painter still sees it until the next collection

    util::RectangleNM total(100, 100, 10, 10);
    util::Region region;
    EXPECT_TRUE(s->collectDirty(7, &total, &region));
    EXPECT_FALSE(s->isShown());
    expectRect(total, 5, 5, 105, 105);
    EXPECT_TRUE(region.intersects(util::RectangleNM(14, 14, 1, 1)));
    EXPECT_FALSE(region.intersects(util::RectangleNM(15, 15, 1, 1)));
    expectRect(s->dirtyArea(), 0, 0, 0, 0);
    EXPECT_FALSE(s->collectDirty(8, &total, &region));
}

TEST(SpriteBounds, NoExtentGivesAnEmptyBoxThatContainsNothing) {
    Held<Sprite> s(solidSprite(5, 5, 10, 10));
    s->setSize(-1, 10);
    expectRect(*s->getBounds(), 5, 5, 0, 0);
    EXPECT_FALSE(s->contains(5, 5));
}

TEST(SpriteBounds, ClipCutsTheBoundsAndContainsUsesTheCachedBox) {
    Held<Sprite> s(solidSprite(0, 0, 20, 20));
    util::RectangleNM clip(5, 5, 100, 5);
    s->setClip(&clip);
    expectRect(*s->getBounds(), 5, 5, 15, 5);
    EXPECT_TRUE(s->contains(6, 6));
    EXPECT_FALSE(s->contains(6, 12));

    s->setLocationQuiet(100, 100);  // the cached box moves only with getBounds
    EXPECT_TRUE(s->contains(6, 6));
}

TEST(SpriteBounds, GetClipGivesTheCallerAReference) {
    Sprite s;
    EXPECT_EQ(s.getClip(), nullptr);
    util::RectangleNM clip(1, 2, 3, 4);
    s.setClip(&clip);
    util::RectangleNM* held = s.getClip();
    ASSERT_NE(held, nullptr);
    EXPECT_NE(held, &clip);  // the sprite keeps its own copy
    EXPECT_EQ(held->refCount(), 2);
    s.setClip(nullptr);
    EXPECT_EQ(held->refCount(), 1);
    expectRect(*held, 1, 2, 3, 4);
    held->release();
}

TEST(SpriteHitTest, TransparentPixelsMissWhereTheBoundsStillContain) {
    Held<window::Image> picture(solidImage(4, 4, 0xFF00FF00u));
    picture->getPixels()[1 * 4 + 2] = 0x00FFFFFFu;  // (2, 1) fully transparent
    picture->getPixels()[2 * 4 + 2] = 0x01000000u;  // (2, 2) barely there
    Sprite s;
    s.setImage(picture.get());
    s.setLocation(10, 20);
    s.getBounds();

    EXPECT_TRUE(s.contains(12, 21));
    EXPECT_FALSE(s.hitTest(12, 21));
    EXPECT_TRUE(s.hitTest(12, 22));
    EXPECT_TRUE(s.hitTest(10, 20));
    EXPECT_FALSE(s.hitTest(14, 20));  // just right of the picture
    EXPECT_FALSE(s.hitTest(9, 20));
}

TEST(SpriteHitTest, WithoutAPictureTheBoundsDecide) {
    Sprite s;
    s.setSize(5, 5);
    s.getBounds();
    EXPECT_TRUE(s.hitTest(4, 4));
    EXPECT_FALSE(s.hitTest(5, 4));
}

TEST(SpriteFindEdge, ScansFromEachSideForTheFirstOpaqueEnoughPixel) {
    Held<window::Image> picture(solidImage(5, 4, 0x00000000u));
    uint32_t* p = picture->getPixels();
    p[3 * 5 + 1] = 0xFF000000u;  // column 1: only the last row
    p[2 * 5 + 3] = 0x80000000u;  // row 2, column 3: half alpha
    Sprite s;
    s.setImage(picture.get());
    s.setLocation(100, 200);

    int x = 101, y = 200;
    EXPECT_TRUE(s.findEdge(x, y, 'T', 1));
    EXPECT_EQ(y, 203);
    x = 101, y = 200;
    EXPECT_TRUE(s.findEdge(x, y, 'B', 255));
    EXPECT_EQ(y, 203);

    x = 100, y = 202;
    EXPECT_TRUE(s.findEdge(x, y, 'L', 0x80));
    EXPECT_EQ(x, 103);
    x = 100, y = 202;
    EXPECT_FALSE(s.findEdge(x, y, 'R', 0x81));  // too transparent for that threshold
    EXPECT_EQ(x, 100);

    x = 101, y = 200;
    EXPECT_TRUE(s.findEdge(x, y, 0x100 | 'T', 1));  // only the low byte names the side
    x = 101, y = 200;
    EXPECT_FALSE(s.findEdge(x, y, 'X', 1));
    EXPECT_EQ(x, 101);
    EXPECT_EQ(y, 200);
    x = 500, y = 200;  // a column outside the picture is no line to scan
    EXPECT_FALSE(s.findEdge(x, y, 'T', 1));
}

TEST(SpriteInit, EmptyPictureListKeepsThePictureAndStillMoves) {
    Held<Sprite> s(solidSprite(0, 0, 6, 7));
    window::Image* before = s->getImage();
    Held<lang::ObjectArray> none(new lang::ObjectArray());
    Held<lang::IntArray> numbers(numbersOf({30, 40}));
    EXPECT_TRUE(s->init(none.get(), numbers.get()));
    EXPECT_EQ(s->getImage(), before);
    EXPECT_EQ(s->getX(), 30);
    EXPECT_EQ(s->getY(), 40);
    EXPECT_EQ(s->getWidth(), 6);
}

TEST(SpriteInit, SecondPictureBecomesTheMaskOfACopy) {
    Held<window::Image> picture(solidImage(4, 2, 0xFF123456u));
    Held<window::Image> mask(solidImage(2, 2, 0xFF000000u));
    mask->getPixels()[1] = 0xFFFFFFFFu;  // white: transparent
    Held<lang::ObjectArray> pictures(new lang::ObjectArray(2));
    (*pictures.get())[0] = picture.get();
    (*pictures.get())[1] = mask.get();
    Held<lang::IntArray> numbers(numbersOf({1, 2}));
    Sprite s;
    s.init(pictures.get(), numbers.get());

    ASSERT_NE(s.getImage(), nullptr);
    EXPECT_NE(s.getImage(), picture.get());  // the original stays unmasked
    uint32_t* px = s.getImage()->getPixels();
    EXPECT_EQ(px[0], 0xFF123456u);
    EXPECT_EQ(px[1] >> 24, 0u);
    EXPECT_EQ(px[3] >> 24, 0u);  // the mask tiles across the wider picture
    EXPECT_EQ(picture->getPixels()[1], 0xFF123456u);
    EXPECT_EQ(s.getImage()->refCount(), 1);  // only the sprite holds the copy
}

TEST(SpriteClone, SharesThePictureAndCopiesTheRectangles) {
    Held<Sprite> s(solidSprite(3, 4, 10, 10));
    s->setName("orig");
    util::RectangleNM clip(0, 0, 5, 5);
    s->setClip(&clip);
    s->setAlpha(64);
    Held<Sprite> copy(s->clone());

    EXPECT_EQ(copy->getImage(), s->getImage());
    EXPECT_EQ(s->getImage()->refCount(), 2);
    util::RectangleNM* a = s->getClip();
    util::RectangleNM* b = copy->getClip();
    EXPECT_NE(a, b);
    expectRect(*b, 0, 0, 5, 5);
    a->release();
    b->release();
    EXPECT_TRUE(copy->getName().isEmpty());
    EXPECT_EQ(copy->getAlpha(), 128);
    EXPECT_FALSE(copy->isDirty());
    EXPECT_EQ(copy->getX(), 3);
}

TEST(SpriteEffects, FactorsRepaintOnlyWhenTheyChange) {
    Held<Sprite> s(solidSprite(0, 0, 10, 10));
    EXPECT_EQ(s->getFancy(), nullptr);
    EXPECT_EQ(s->getAlpha(), 128);
    s->setColorFactors(128, 128, 128, 128);
    EXPECT_NE(s->getFancy(), nullptr);
    EXPECT_FALSE(s->isDirty());
    s->setColorFactors(128, 200, 128, 128);
    EXPECT_TRUE(s->isDirty());
    s->collectDirty(0, nullptr, nullptr);
    s->setAlpha(128);
    EXPECT_FALSE(s->isDirty());
    s->setAlpha(40);
    EXPECT_TRUE(s->isDirty());
    EXPECT_EQ(s->getAlpha(), 40);
    s->collectDirty(0, nullptr, nullptr);
    EXPECT_TRUE(s->setShadow(3, 4, true));
    EXPECT_FALSE(s->isDirty());
}

TEST(SpritePaint, DrawsOnlyInsideTheClip) {
    Held<window::Image> frame(new window::Image(20, 20, 1, false));
    Held<Sprite> s(solidSprite(0, 0, 10, 10, 0xFFFF0000u));
    util::RectangleNM clip(0, 0, 6, 10);
    s->setClip(&clip);
    Held<window::Graphics> g(frame->getGraphics());
    s->paint(g.get());
    uint32_t* px = frame->getPixels();
    EXPECT_EQ(px[5 * 20 + 2], 0xFFFF0000u);
    EXPECT_EQ(px[5 * 20 + 7], 0u);

    // The clip stayed local to the sprite: a second sprite draws unclipped.
    Held<Sprite> other(solidSprite(10, 0, 5, 5, 0xFF0000FFu));
    other->paint(g.get());
    EXPECT_EQ(px[2 * 20 + 12], 0xFF0000FFu);
}

TEST(SpritePaint, HiddenSpritesDrawNothingOnceTheHidingIsCollected) {
    Held<window::Image> frame(new window::Image(10, 10, 1, false));
    Held<window::Graphics> g(frame->getGraphics());
    Held<Sprite> s(solidSprite(0, 0, 4, 4));
    s->setVisible(false);
    s->paint(g.get());  // still shown: the hiding is not collected yet
    EXPECT_EQ(frame->getPixels()[0], 0xFFFF0000u);
    frame->getPixels()[0] = 0;
    s->collectDirty(0, nullptr, nullptr);
    s->paint(g.get());
    EXPECT_EQ(frame->getPixels()[0], 0u);
}

TEST(SpritePaint, EffectsApplyForOneDrawAndLeaveTheSurfaceNeutral) {
    Held<window::Image> frame(new window::Image(10, 10, 1, false));
    Held<window::Graphics> g(frame->getGraphics());
    Held<Sprite> s(solidSprite(0, 0, 4, 4));
    s->setAlpha(0);  // alpha factor 0 draws nothing
    s->paint(g.get());
    EXPECT_EQ(frame->getPixels()[0], 0u);
    window::FancyHelper* surfaceEffects = g->getFancyHelper();
    ASSERT_NE(surfaceEffects, nullptr);
    EXPECT_EQ(surfaceEffects->alpha, 128);
    s->setAlpha(128);
    s->paint(g.get());
    EXPECT_EQ(frame->getPixels()[0], 0xFFFF0000u);
}

TEST(SpriteClass, CreatedByNameAnswersItsChainOfNames) {
    lang::Class* type = lang::Class::forName("Sprite");
    ASSERT_NE(type, nullptr);
    lang::Object* made = type->newInstance();
    EXPECT_TRUE(made->isInstanceOf("Sprite"));
    EXPECT_TRUE(made->isInstanceOf("SpriteBase"));
    EXPECT_TRUE(made->isInstanceOf("Object"));
    EXPECT_STREQ(made->getClassName(), "Sprite");
    auto* s = dynamic_cast<Sprite*>(made);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->isVisible());
    EXPECT_FALSE(s->isDirty());
    made->release();
}
