#include <gtest/gtest.h>

#include "platform/DeviceContext.h"
#include "platform/WindowDrawing.h"
#include "util/RectangleNM.h"
#include "util/Region.h"
#include "window/CMainDC.h"
#include "window/CPaintDC.h"
#include "window/CTempDC.h"
#include "window/Color.h"
#include "window/Font.h"
#include "window/FontMetrics.h"
#include "window/GraphicsEnvironment.h"
#include "window/GraphicsW.h"
#include "window/Image.h"

using window::GraphicsW;

namespace {

// A window stand-in: its client area is a surface, and the hooks count what
// they hand out and take back.
struct FakeWindow {
    platform::Surface client{10, 10};
    int given = 0, taken = 0, painted = 0;
};
FakeWindow* current = nullptr;

platform::DeviceContext* giveDC(void* window) {
    ++static_cast<FakeWindow*>(window ? window : current)->given;
    return new platform::DeviceContext(&current->client);
}
void takeDC(void* window, platform::DeviceContext* dc) {
    ++static_cast<FakeWindow*>(window ? window : current)->taken;
    delete dc;
}
platform::DeviceContext* beginPaint(void* window, platform::PaintRecord* record) {
    record->paintRect = platform::Rect{0, 0, 5, 5};
    auto* dc = new platform::DeviceContext(&static_cast<FakeWindow*>(window)->client);
    dc->intersectClipRect(record->paintRect);
    return dc;
}
void endPaint(void* window, platform::DeviceContext* dc, const platform::PaintRecord&) {
    ++static_cast<FakeWindow*>(window)->painted;
    delete dc;
}

struct WindowScene : ::testing::Test {
    void SetUp() override {
        current = &window;
        platform::setWindowDrawingHooks(platform::WindowDrawingHooks{giveDC, takeDC, beginPaint, endPaint});
        window::setGameWindow(&window);
    }
    void TearDown() override {
        window::setGameWindow(nullptr);
        platform::setWindowDrawingHooks(platform::WindowDrawingHooks{});
        current = nullptr;
    }
    uint32_t at(int x, int y) const { return window.client.row(y)[x]; }
    FakeWindow window;
};

}  // namespace

TEST_F(WindowScene, WindowGraphicsDrawsOnTheWindowAndGivesTheContextBack) {
    auto* g = new GraphicsW();
    window::Color red(0xFF0000);
    g->setColor(&red);
    g->translate(2, 3);
    g->fillRect(0, 0, 2, 1);
    EXPECT_EQ(at(2, 3), 0xFFFF0000u);
    EXPECT_EQ(at(3, 3), 0xFFFF0000u);
    EXPECT_EQ(at(1, 3), 0u);
    g->fillRectColor(0, 1, 1, 1, 0x00336699);  // made opaque
    EXPECT_EQ(at(2, 4), 0xFF336699u);
    EXPECT_EQ(g->getPixel(2, 3), 0u);
    EXPECT_FALSE(g->drawShadow(nullptr, 0, 0));
    EXPECT_EQ(g->getFancyHelper(), nullptr);
    EXPECT_EQ(window.given, 1);
    g->release();
    EXPECT_EQ(window.taken, 1);
}

TEST_F(WindowScene, ClipChangesAreUndoneByDispose) {
    auto* dc = new platform::DeviceContext(&window.client);
    auto* wrapper = new window::CTempDC(dc);
    auto* g = new GraphicsW(wrapper);
    g->translate(1, 1);
    g->clipRect(0, 0, 4, 4);
    g->excludeRect(0, 0, 1, 4);
    util::RectangleNM* bounds = g->getClipBounds();
    EXPECT_EQ(bounds->x, 2);
    EXPECT_EQ(bounds->width, 3);
    bounds->release();

    // A derived graphics narrows further; its dispose gives the parent's clip back.
    window::Graphics* child = g->create();
    auto* region = new util::Region();
    region->addRect(3, 3, 1, 1);
    child->setClip(region);
    window::Color white(0xFFFFFF);
    child->setColor(&white);
    child->fillRect(-1, -1, 10, 10);
    EXPECT_EQ(at(3, 3), 0xFFFFFFFFu);
    EXPECT_EQ(at(2, 2), 0u);
    child->dispose();
    child->release();
    region->release();
    util::Region* clip = g->getClip();
    EXPECT_TRUE(clip->intersects(util::RectangleNM(4, 4, 1, 1)));
    EXPECT_FALSE(clip->intersects(util::RectangleNM(1, 1, 1, 1)));
    clip->release();

    g->dispose();
    EXPECT_EQ(dc->getClipBox(), (platform::Rect{0, 0, 10, 10}));
    g->fillRect(0, 0, 10, 10);  // after dispose nothing happens
    g->release();
    wrapper->release();
    EXPECT_EQ(dc->getClipBox(), (platform::Rect{0, 0, 10, 10}));  // a temporary wrapper leaves the context alone
    delete dc;
}

TEST_F(WindowScene, ImagesCopyOpaqueOntoAContext) {
    auto* g = new GraphicsW();
    auto* picture = new window::Image(2, 2, 1, false);
    picture->getPixels()[0] = 0x80FF0000;
    picture->getPixels()[3] = 0x00FFFFFF;
    picture->setHasAlpha(true);
    EXPECT_TRUE(g->drawImage(picture, 4, 4));
    EXPECT_EQ(at(4, 4), 0x80FF0000u);  // alpha is not blended on a context
    EXPECT_EQ(at(5, 5), 0x00FFFFFFu);
    auto* empty = new window::Image();
    EXPECT_FALSE(g->drawImage(empty, 0, 0));
    empty->release();
    picture->release();
    g->release();
}

TEST_F(WindowScene, PaintContextsBeginAndEndPainting) {
    {
        auto* paint = new window::CPaintDC(&window);
        auto* g = new GraphicsW(paint);
        window::Color red(0xFF0000);
        g->setColor(&red);
        g->fillRect(0, 0, 10, 10);
        EXPECT_EQ(at(4, 4), 0xFFFF0000u);
        EXPECT_EQ(at(5, 5), 0u);
        EXPECT_EQ(paint->getPaintRecord().paintRect.right, 5);
        g->release();
        paint->release();
    }
    EXPECT_EQ(window.painted, 1);
    auto* screen = new window::CMainDC();
    EXPECT_EQ(window.given, 1);
    screen->release();
    EXPECT_EQ(window.taken, 1);
    auto* g = new GraphicsW();
    window::CDC* temp = g->getTempDC();
    EXPECT_EQ(g->getTempDC(), temp);  // made once
    EXPECT_EQ(temp->getOwnerWindow(), nullptr);
    g->release();
}

TEST(FontTest, MetricsComeFromTheRealFace) {
    auto* font = new window::Font(lang::String("Arial"), 20);
    ASSERT_NE(font->getHandle(), nullptr);
    window::FontMetrics* metrics = font->getFontMetrics();
    window::FontMetrics* again = font->getFontMetrics();
    EXPECT_EQ(metrics, again);
    EXPECT_EQ(metrics->getAscent(), 18);
    EXPECT_EQ(metrics->getDescent(), 4);
    EXPECT_EQ(metrics->getHeight(), 22);
    EXPECT_GT(metrics->getAverageCharWidth(), 0);
    int wide = metrics->stringWidth(lang::String("WWW"));
    EXPECT_GT(wide, metrics->stringWidth(lang::String("iii")));
    EXPECT_EQ(metrics->charsWidth("WWWiii", 3), wide);
    again->release();
    font->release();
    // Metrics outlive their font, measuring nothing.
    EXPECT_EQ(metrics->stringWidth(lang::String("WWW")), 0);
    metrics->release();
}

TEST(FontTest, SelectedFontsAreReplacedWhenTheContextGoes) {
    platform::Surface surface(40, 30);
    auto* dc = new platform::DeviceContext(&surface);
    auto* wrapper = new window::CTempDC(dc);
    auto* font = new window::Font(lang::String("Arial"), 12);
    auto* g = new GraphicsW(wrapper);
    g->setFont(font);
    EXPECT_TRUE(wrapper->isFontSelected());
    EXPECT_EQ(dc->font(), font->getHandle());
    window::Color white(0xFFFFFF);
    g->setColor(&white);
    lang::String text("Hi");
    g->drawString(&text, 2, 20);
    int inked = 0;
    for (int i = 0; i < 40 * 30; ++i) inked += surface.pixels()[i] != 0;
    EXPECT_GT(inked, 10);
    g->release();
    wrapper->release();
    EXPECT_NE(dc->font(), font->getHandle());  // the system font is back
    font->release();
    delete dc;
}
