// Painting a component window for real: paint messages, erasing and window
// graphics, read back from the pixels the window shows (SDL's dummy video driver).

#include <gtest/gtest.h>

#include <vector>

#include "platform/WindowSystem.h"
#include "window/Color.h"
#include "window/Component.h"
#include "window/Frame.h"
#include "window/Graphics.h"
#include "window/GraphicsEnvironment.h"
#include "window/WindowTestSupport.h"

using platform::WindowHandle;

namespace {

constexpr uint32_t FrameColour = 0xFF102030u;
constexpr uint32_t ChildColour = 0xFFC00000u;

// Paints one square through the graphics it is given and counts its paints.
class SquarePainter : public window::Component {
public:
    void paint(window::Graphics* g) override {
        ++paints;
        sawWindowGraphics = g && g->isInstanceOf("GraphicsW");
        g->fillRectColor(5, 5, 10, 10, square);
    }
    uint32_t square = 0xFF00C000u;
    int paints = 0;
    bool sawWindowGraphics = false;
};

// A frame with one painting child at (50, 40), 200 x 100.
class ComponentPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        windowtest::startWindowSystem();
        frame = new window::Frame();
        frame->setWantedSize(500, 375);
        ASSERT_TRUE(frame->create(nullptr, util::RectangleNM(0, 0, 500, 375)));
        window::Color frameColour(FrameColour), childColour(ChildColour);
        frame->setBackground(&frameColour);
        child = new SquarePainter();
        ASSERT_TRUE(child->create(frame, util::RectangleNM(50, 40, 200, 100)));
        child->setBackground(&childColour);
        frame->setVisible(true);
        child->setVisible(true);
        windowtest::pump();
    }
    void TearDown() override {
        window::Component::setGameWindow(nullptr);
        if (frame->getWindow()) platform::destroyWindow(frame->getWindow());
        windowtest::pump();
        child->release();
        frame->release();
    }

    static uint32_t shown(window::Component* c, int x, int y) {
        int w = 0, h = 0;
        std::vector<uint32_t> pixels = platform::readWindowPixels(c->getWindow(), &w, &h);
        if (x < 0 || y < 0 || x >= w || y >= h) return 0;
        return pixels[static_cast<size_t>(y) * w + x];
    }

    window::Frame* frame = nullptr;
    SquarePainter* child = nullptr;
};

TEST_F(ComponentPaintTest, PaintDrawsTheBackgroundAndPaintIntoTheWindow) {
    ASSERT_GE(child->paints, 1);
    EXPECT_TRUE(child->sawWindowGraphics);
    EXPECT_EQ(shown(child, 0, 0), ChildColour);
    EXPECT_EQ(shown(child, 199, 99), ChildColour);
    EXPECT_EQ(shown(child, 5, 5), 0xFF00C000u);
    EXPECT_EQ(shown(child, 14, 14), 0xFF00C000u);
    EXPECT_EQ(shown(child, 15, 15), ChildColour);
    // The child's place in its frame, and the frame around it.
    EXPECT_EQ(shown(frame, 55, 45), 0xFF00C000u);
    EXPECT_EQ(shown(frame, 49, 39), FrameColour);
    EXPECT_EQ(shown(frame, 250, 140), FrameColour);
}

TEST_F(ComponentPaintTest, APaintReachesOnlyTheInvalidArea) {
    child->square = 0xFF0000F0u;
    util::RectangleNM corner(5, 5, 4, 4);
    child->invalidate(&corner);
    int before = child->paints;
    windowtest::pump();
    EXPECT_EQ(child->paints, before + 1);
    EXPECT_EQ(shown(child, 8, 8), 0xFF0000F0u);
    EXPECT_EQ(shown(child, 9, 9), 0xFF00C000u);  // painted again, but outside the invalid area
}

TEST_F(ComponentPaintTest, ErasingTheFrameLeavesItsChildAlone) {
    int before = child->paints;
    frame->repaint();
    windowtest::pump();
    EXPECT_EQ(child->paints, before);
    EXPECT_EQ(shown(frame, 10, 10), FrameColour);
    EXPECT_EQ(shown(child, 5, 5), 0xFF00C000u);
    EXPECT_EQ(shown(child, 0, 0), ChildColour);
}

TEST_F(ComponentPaintTest, WindowGraphicsDrawOnTheClientAreaOnly) {
    window::Graphics* g = child->getGraphics();
    ASSERT_NE(g, nullptr);
    g->fillRectColor(-5, -5, 8, 8, 0x00FF00FFu);  // made opaque; cut at the client edge
    g->release();
    EXPECT_EQ(shown(child, 0, 0), 0xFFFF00FFu);
    EXPECT_EQ(shown(child, 2, 2), 0xFFFF00FFu);
    EXPECT_EQ(shown(child, 3, 3), ChildColour);
    EXPECT_EQ(shown(frame, 50, 40), 0xFFFF00FFu);
    EXPECT_EQ(shown(frame, 49, 39), FrameColour);
}

TEST_F(ComponentPaintTest, AWindowlessComponentDrawsOnTheGameWindow) {
    window::Component::setGameWindow(child->getWindow());
    EXPECT_EQ(window::getGameWindow(), static_cast<void*>(child->getWindow()));
    auto* loose = new window::Component();
    window::Graphics* g = loose->getGraphics();
    g->fillRectColor(190, 90, 10, 10, 0xFF00FFFFu);
    g->release();
    loose->release();
    EXPECT_EQ(shown(child, 195, 95), 0xFF00FFFFu);
    EXPECT_EQ(shown(frame, 245, 135), 0xFF00FFFFu);
    window::setGameWindow(nullptr);
    EXPECT_EQ(window::Component::getGameWindow(), nullptr);
}

}  // namespace
