#include <gtest/gtest.h>

#include "lang/String.h"
#include "util/Polygon.h"
#include "util/RectangleNM.h"
#include "util/Region.h"
#include "window/Color.h"
#include "window/FancyHelper.h"
#include "window/Font.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

using window::GraphicsI;
using window::Image;

namespace {

// An image whose pixels are written directly, as tests need them.
Image* filledImage(int w, int h, uint32_t argb, bool alpha, bool bitmap = false) {
    auto* image = new Image(w, h, 1, false);
    std::fill(image->getPixels(), image->getPixels() + w * h, argb);
    if (alpha) image->setHasAlpha(true);
    if (bitmap) image->makeBitmap();
    return image;
}

uint32_t pixel(Image* image, int x, int y) { return image->getPixels()[y * image->getWidth() + x]; }

struct Scene : ::testing::Test {
    void SetUp() override {
        frame = filledImage(8, 8, 0xFF000000, false);
        g = frame->getGraphics();
    }
    void TearDown() override {
        g->release();
        frame->release();
    }
    void setColor(uint32_t rgb) {
        window::Color c(rgb);
        g->setColor(&c);
    }
    Image* frame = nullptr;
    GraphicsI* g = nullptr;
};

}  // namespace

TEST_F(Scene, BlitsAtTheTranslatedPointWithEffects) {
    Image* sprite = filledImage(2, 2, 0xFFFFFFFF, true);
    sprite->getPixels()[1] = 0x00FFFFFF;  // top-right clear
    g->translate(3, 2);
    EXPECT_TRUE(g->drawImage(sprite, 1, 1));
    EXPECT_EQ(pixel(frame, 4, 3), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(frame, 5, 3), 0xFF000000u);
    EXPECT_EQ(pixel(frame, 5, 4), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(frame, 3, 3), 0xFF000000u);

    // Half alpha through the effect settings; a drop shadow first, offset by (1, 1).
    window::FancyHelper* fx = g->getFancyHelper();
    ASSERT_NE(fx, nullptr);
    fx->setFactors(64, 128, 128, 128);
    fx->setShadow(1, 1, true);
    Image* target = filledImage(4, 4, 0xFFC8C8C8, false);
    GraphicsI* tg = target->getGraphics();
    tg->getFancyHelper()->copyFrom(fx);
    EXPECT_TRUE(tg->drawImage(sprite, 0, 0));
    // Shadow s = 255 * 64 >> 8 = 63: 200 - (200 * 63 >> 8) = 151; then white at e = 127 over it.
    EXPECT_EQ(pixel(target, 2, 2), 0xFF979797u);
    EXPECT_EQ(pixel(target, 0, 0), 0xFFE3E3E3u);  // 200 + (55 * 127 >> 8)
    EXPECT_EQ(pixel(target, 1, 1), 0xFFCACACAu);  // shadow 151, then white: 151 + (104 * 127 >> 8) = 202
    EXPECT_EQ(pixel(target, 1, 0), 0xFFC8C8C8u);  // under the clear pixel, out of the shadow
    tg->release();
    target->release();
    sprite->release();
}

TEST_F(Scene, AlphaFactorZeroDrawsNothingShadowIncluded) {
    Image* sprite = filledImage(2, 2, 0xFFFFFFFF, true);
    g->getFancyHelper()->setFactors(0, 128, 128, 128);
    g->getFancyHelper()->setShadow(1, 1, true);
    EXPECT_TRUE(g->drawImage(sprite, 0, 0));
    g->setDrawMode(window::Graphics::DrawAdditive);
    EXPECT_TRUE(g->drawImage(sprite, 0, 0));
    EXPECT_TRUE(g->drawShadow(sprite, 0, 0));
    for (int i = 0; i < 64; ++i) EXPECT_EQ(frame->getPixels()[i], 0xFF000000u);
    sprite->release();
}

TEST_F(Scene, MissingPicturesAreReportedAndOutOfRangePixelsIgnored) {
    auto* empty = new Image();
    EXPECT_FALSE(g->drawImage(empty, 0, 0));
    EXPECT_FALSE(g->drawImage(nullptr, 0, 0));
    empty->release();
    setColor(0x123456);
    g->plot(-1, 0);
    g->plot(8, 3);
    g->setPixel(0, 8, 0xFFFFFFFF);
    EXPECT_EQ(g->getPixel(-1, 0), 0u);
    EXPECT_EQ(g->getPixel(0, 8), 0u);
    g->translate(-2, 0);
    g->plot(2, 0);  // lands on (0, 0)
    EXPECT_EQ(g->getPixel(2, 0), 0xFF123456u);
    EXPECT_EQ(pixel(frame, 0, 0), 0xFF123456u);
}

TEST_F(Scene, PlotIgnoresTheClipAndSetPixelBlends) {
    g->clipRect(4, 4, 2, 2);
    setColor(0xFF0000);
    g->plot(0, 0);
    EXPECT_EQ(pixel(frame, 0, 0), 0xFFFF0000u);
    g->setPixel(1, 0, 0x80FFFFFF);  // (0 * 128 + 255 * 128) >> 8 = 127, alpha 255
    EXPECT_EQ(pixel(frame, 1, 0), 0xFF7F7F7Fu);
    g->setPixel(2, 0, 0x40102030);
    g->setPixel(2, 0, 0xFF102030);
    EXPECT_EQ(pixel(frame, 2, 0), 0xFF102030u);
}

TEST_F(Scene, ClipRectanglesAccumulateAndNeverGrow) {
    g->clipRect(1, 1, 6, 6);
    g->clipRect(3, 0, 10, 3);
    const util::RectangleNM& clip = g->getClipRect();
    EXPECT_EQ(clip.x, 3);
    EXPECT_EQ(clip.y, 1);
    EXPECT_EQ(clip.width, 4);
    EXPECT_EQ(clip.height, 2);
    g->clipRect(0, 0, 100, 100);
    EXPECT_EQ(g->getClipRect().width, 4);
    setColor(0xFFFFFF);
    g->fillRect(0, 0, 8, 8);
    int white = 0;
    for (int i = 0; i < 64; ++i) white += frame->getPixels()[i] == 0xFFFFFFFFu;
    EXPECT_EQ(white, 8);
    EXPECT_EQ(pixel(frame, 3, 1), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(frame, 2, 1), 0xFF000000u);
    EXPECT_EQ(pixel(frame, 3, 3), 0xFF000000u);

    // A translated clip lands translated.
    GraphicsI* other = frame->getGraphics();
    other->translate(2, 2);
    other->clipRect(0, 0, 1, 1);
    EXPECT_EQ(other->getClipRect().x, 2);
    EXPECT_EQ(other->getClipRect().y, 2);
    other->release();
}

TEST_F(Scene, FillsTintOrBlendAsAsked) {
    window::Color clear(0);
    clear.value = 0x00FF8040;  // an alpha of 0 still fills opaque
    g->setColor(&clear);
    g->getFancyHelper()->setFactors(128, 256, 128, 64);
    g->fillRect(0, 0, 1, 1);
    EXPECT_EQ(pixel(frame, 0, 0), 0xFFFF8020u);
    g->fillRectColor(1, 0, 1, 1, 0x00FFFFFF);
    EXPECT_EQ(pixel(frame, 1, 0), 0xFF000000u);
    g->fillRectColor(1, 0, 1, 1, 0x80FFFFFF);
    EXPECT_EQ(pixel(frame, 1, 0), 0xFF7F7F7Fu);
}

TEST_F(Scene, ThinLinesWriteExactPixelsInsideTheClip) {
    setColor(0x00FF00);
    g->drawLine(0, 2, 7, 2, 1);
    for (int x = 0; x < 7; ++x) EXPECT_EQ(pixel(frame, x, 2), 0xFF00FF00u) << x;
    EXPECT_EQ(pixel(frame, 7, 2), 0xFF000000u);  // the end point is not drawn
    g->clipRect(0, 0, 3, 8);
    g->drawLine(0, 5, 7, 5, 0);
    EXPECT_EQ(pixel(frame, 2, 5), 0xFF00FF00u);
    EXPECT_EQ(pixel(frame, 3, 5), 0xFF000000u);
}

TEST_F(Scene, WidePensAndShapesGoThroughTheImageContext) {
    setColor(0xFF0000);
    g->drawLine(1, 4, 6, 4, 3);
    EXPECT_EQ(pixel(frame, 3, 3), 0xFFFF0000u);
    EXPECT_EQ(pixel(frame, 3, 5), 0xFFFF0000u);
    EXPECT_EQ(pixel(frame, 3, 0), 0xFF000000u);

    // fillOval ignores the translation; the context keeps the clip rectangle.
    g->translate(4, 4);
    setColor(0x0000FF);
    g->fillOval(0, 0, 4, 4);
    EXPECT_EQ(pixel(frame, 1, 1), 0xFF0000FFu);
    EXPECT_EQ(pixel(frame, 6, 6), 0xFF000000u);

    // Pixel loops afterwards see what the context drew.
    EXPECT_EQ(g->getPixel(-3, -3), 0xFF0000FFu);
}

TEST_F(Scene, PolygonsAndBeziers) {
    int xs[] = {0, 4, 4, 0}, ys[] = {0, 0, 4, 4};
    auto* square = new util::Polygon();
    square->setPoints(xs, ys, 4);
    setColor(0x00FF00);
    g->fillPolygon(square);
    EXPECT_EQ(pixel(frame, 3, 3), 0xFF00FF00u);
    EXPECT_EQ(pixel(frame, 4, 4), 0xFF000000u);
    setColor(0xFFFFFF);
    g->translate(1, 1);
    g->drawPolygon(square);
    EXPECT_EQ(pixel(frame, 1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(frame, 5, 3), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(frame, 3, 3), 0xFF00FF00u);
    square->release();

    Image* page = filledImage(12, 12, 0xFFFFFFFF, false);
    GraphicsI* pg = page->getGraphics();
    const int line[] = {1, 1, 5, 1};
    pg->drawBezier(line, 2, 0, 4, 2.0);  // (2, 10) to (10, 10) with the context's black pen
    for (int x = 2; x < 10; ++x) EXPECT_EQ(pixel(page, x, 10), 0xFF000000u) << x;
    EXPECT_EQ(pixel(page, 10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(page, 5, 9), 0xFFFFFFFFu);
    pg->release();
    page->release();
}

TEST_F(Scene, OpenContextClipsBlitsAndBlendedFills) {
    g->excludeRect(0, 0, 4, 8);  // opens the context; only the context sees this
    EXPECT_EQ(g->getClipRect().width, 8);
    g->fillRectColor(0, 0, 8, 1, 0xFFFFFFFF);
    EXPECT_EQ(pixel(frame, 3, 0), 0xFF000000u);
    EXPECT_EQ(pixel(frame, 4, 0), 0xFFFEFEFEu);  // 0 + (255 * 255 >> 8)
    Image* sprite = filledImage(8, 1, 0xFF00FF00, true);
    g->drawImage(sprite, 0, 1);
    EXPECT_EQ(pixel(frame, 3, 1), 0xFF000000u);
    EXPECT_EQ(pixel(frame, 4, 1), 0xFF00FF00u);
    util::Region* clip = g->getClip();
    EXPECT_FALSE(clip->isEmpty());
    clip->release();
    util::RectangleNM* bounds = g->getClipBounds();
    EXPECT_EQ(bounds->x, 4);
    EXPECT_EQ(bounds->width, 4);
    bounds->release();
    sprite->release();
}

TEST_F(Scene, DerivedGraphicsKeepTheirOwnClip) {
    g->translate(1, 0);
    g->clipRect(0, 0, 6, 8);
    g->getFancyHelper()->setFactors(64, 128, 128, 128);
    auto* child = static_cast<GraphicsI*>(g->create());
    int tx = 0, ty = 0;
    child->getTranslation(&tx, &ty);
    EXPECT_EQ(tx, 1);
    EXPECT_EQ(child->getClipRect().width, 6);
    EXPECT_EQ(child->getFancyHelper()->alpha, 128);  // effects are not copied
    child->clipRect(0, 0, 2, 2);
    EXPECT_EQ(g->getClipRect().width, 6);
    EXPECT_EQ(child->getImage(), frame);
    EXPECT_TRUE(child->isInstanceOf("GraphicsI"));
    EXPECT_TRUE(child->isInstanceOf("Graphics"));
    child->release();
}

TEST_F(Scene, PicturesWithoutAlphaCopyPlainly) {
    // Clear pixels of a picture without the alpha flag, both sides bitmaps: copied as they are.
    Image* opaque = filledImage(1, 1, 0x00123456, false, true);
    Image* target = filledImage(2, 1, 0xFFFFFFFF, false, true);
    GraphicsI* tg = target->getGraphics();
    EXPECT_TRUE(tg->drawImage(opaque, 0, 0));
    EXPECT_EQ(pixel(target, 0, 0), 0x00123456u);
    // Heap pictures blend with their effects instead (a fade works on them).
    Image* heap = filledImage(1, 1, 0xFFFFFFFF, false);
    tg->getFancyHelper()->setFactors(64, 128, 128, 128);
    tg->drawImage(heap, 1, 0);
    EXPECT_EQ(pixel(target, 1, 0), 0xFFFFFFFFu);  // white over white
    tg->fillRectColor(1, 0, 1, 1, 0xFF000000);
    tg->drawImage(heap, 1, 0);
    EXPECT_EQ(pixel(target, 1, 0), 0xFF7E7E7Eu);  // 0 + (255 * 127 >> 8) = 126
    tg->release();
    heap->release();
    target->release();
    opaque->release();
}

TEST_F(Scene, TextLandsInThePixels) {
    Image* page = filledImage(120, 40, 0xFFFFFFFF, false);
    GraphicsI* pg = page->getGraphics();
    auto* font = new window::Font(lang::String("Arial"), 20);
    pg->setFont(font);
    window::Color black(0);
    pg->setColor(&black);
    lang::String text("Mentarium");
    pg->translate(100, 100);  // drawStringInRect ignores it
    util::RectangleNM box(2, 2, 116, 36);
    pg->drawStringInRect(&text, &box);
    int top = 40, inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (pixel(page, x, y) != 0xFFFFFFFFu) {
                ++inked;
                top = std::min(top, y);
            }
    EXPECT_GT(inked, 50);
    EXPECT_GE(top, 2);
    EXPECT_LE(top, 2 + 6);  // the capital's top is near the box top
    pg->release();
    font->release();
    page->release();
}
