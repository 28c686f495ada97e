// Device contexts on windows: drawing lands at the window's place, inside its
// clip, and painting hands the erase message the paint's context.

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/DeviceContext.h"
#include "platform/TestWindows.h"
#include "platform/WindowDrawing.h"
#include "platform/WindowState.h"
#include "platform/WindowSystem.h"

using namespace platform;

namespace {

WParam erasedWith = 0;

LResult eraseRecordingProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    if (message == msg::EraseBackground) {
        erasedWith = wParam;
        auto* dc = reinterpret_cast<DeviceContext*>(wParam);
        if (dc) dc->fillSolidRect(Rect{0, 0, 1000, 1000}, 0xFF0000);  // red
        return 1;
    }
    return defWindowProc(window, message, wParam, lParam);
}

class WindowDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(initWindowSystem());
        registerClass("DrawingTestClass", &eraseRecordingProc);
        top = make(nullptr, 0, 0, 100, 80, style::Popup | style::Visible);
        child = make(top, 20, 10, 30, 20, style::Child | style::Visible);
        pumpMessages(0);
    }
    void TearDown() override {
        destroyWindow(top);
        pumpMessages(0);
    }
    WindowHandle make(WindowHandle parent, int x, int y, int w, int h, uint32_t windowStyle) {
        return testsupport::makeTestWindow("DrawingTestClass", parent, x, y, w, h, windowStyle);
    }
    uint32_t shownAt(int x, int y) {
        int w = 0, h = 0;
        std::vector<uint32_t> shown = readWindowPixels(top, &w, &h);
        return shown[static_cast<size_t>(y) * w + x];
    }
    WindowHandle top = nullptr;
    WindowHandle child = nullptr;
};

TEST_F(WindowDrawingTest, AWindowContextDrawsAtTheChildsPlaceAndNowhereElse) {
    uint32_t before = shownAt(5, 5);
    DeviceContext* dc = getWindowDC(child);
    ASSERT_NE(dc->surface(), nullptr);
    dc->fillSolidRect(Rect{-50, -50, 500, 500}, 0x00FF00);
    releaseWindowDC(child, dc);
    EXPECT_EQ(shownAt(20, 10) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(shownAt(49, 29) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(shownAt(50, 29), before);
    EXPECT_EQ(shownAt(19, 10), before);
    EXPECT_EQ(shownAt(20, 30), before);
    pumpMessages(0);
}

TEST_F(WindowDrawingTest, PaintingErasesAndDrawsOnlyTheInvalidArea) {
    pumpMessages(0);
    uint32_t before = shownAt(5, 5);
    Rect area{2, 3, 6, 7};
    invalidateRect(child, &area, true);
    erasedWith = 0;
    PaintRecord record;
    DeviceContext* dc = beginWindowPaint(child, &record);
    EXPECT_EQ(erasedWith, reinterpret_cast<WParam>(dc));
    EXPECT_EQ(record.paintRect, area);
    EXPECT_FALSE(record.erase);  // the erase message answered that it erased
    endWindowPaint(child, dc, record);
    EXPECT_EQ(shownAt(22, 13) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(shownAt(25, 16) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(shownAt(26, 16), before);
    EXPECT_NE(shownAt(21, 13) & 0xFFFFFF, 0xFF0000u);
    EXPECT_NE(shownAt(22, 20) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(WindowDrawingTest, ContextsOnTheScreenOrAGoneWindowDrawNothing) {
    DeviceContext* screen = getWindowDC(nullptr);
    EXPECT_EQ(screen->surface(), nullptr);
    releaseWindowDC(nullptr, screen);
    WindowHandle gone = make(top, 0, 0, 5, 5, style::Child);
    destroyWindow(gone);
    DeviceContext* dc = getWindowDC(gone);
    EXPECT_EQ(dc->surface(), nullptr);
    releaseWindowDC(gone, dc);
}

TEST_F(WindowDrawingTest, AContextOutlivingAResizeDrawsHarmlesslyIntoTheOldPicture) {
    DeviceContext* dc = getWindowDC(top);
    setWindowPos(top, nullptr, 0, 0, 300, 200, swp::NoMove | swp::NoZOrder);
    dc->fillSolidRect(Rect{0, 0, 100, 80}, 0x123456);
    releaseWindowDC(top, dc);
    EXPECT_NE(shownAt(10, 10) & 0xFFFFFF, 0x123456u);
    pumpMessages(0);
}

TEST_F(WindowDrawingTest, AContextKeptOpenIsShownAgainOnlyAfterItDraws) {
    // A game keeps its window's context for its whole run; while it draws
    // nothing, the window must not be shown again and again.
    auto lastShown = [this] {
        std::lock_guard<std::recursive_mutex> hold(windowState().mutex);
        return findWindow(top)->lastPresent;
    };
    auto pumpAfter = [](int ms) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        pumpMessages(0);
    };
    // Pumps a few milliseconds apart, so that a new showing gets a new time.
    constexpr int kApartMs = 20;
    DeviceContext* dc = getWindowDC(child);
    dc->fillSolidRect(Rect{0, 0, 5, 5}, 0x0000FF);
    pumpAfter(kApartMs);
    uint32_t shown = lastShown();
    for (int i = 0; i < 3; ++i) pumpAfter(kApartMs);
    EXPECT_EQ(lastShown(), shown) << "shown again without drawing";
    dc->fillSolidRect(Rect{0, 0, 5, 5}, 0x00FF00);
    pumpAfter(kApartMs);
    EXPECT_NE(lastShown(), shown) << "what the open context drew was not shown";
    releaseWindowDC(child, dc);
    pumpMessages(0);
}

TEST_F(WindowDrawingTest, AContextDrawingOnAnotherThreadIsShownWhole) {
    // The game's render thread draws through its window context while the
    // window thread copies the same pixels to the screen. Built with
    // ThreadSanitizer (scripts/test --tsan), an unguarded copy is reported.
    auto lastShown = [this] {
        std::lock_guard<std::recursive_mutex> hold(windowState().mutex);
        return findWindow(top)->lastPresent;
    };
    DeviceContext* dc = getWindowDC(top);
    std::atomic<bool> enough{false};
    std::atomic<uint32_t> last{0};
    std::thread render([&] {
        std::vector<uint32_t> frame(100 * 80);
        for (uint32_t colour = 1; !enough; ++colour) {
            std::fill(frame.begin(), frame.end(), 0xFF000000u | (colour & 0xFFFFFF));
            dc->copyPixels(0, 0, frame.data(), 100, 80, 100);
            last = colour & 0xFFFFFF;
            std::this_thread::yield();
        }
    });
    // The window thread shows what the context drew a few times over.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int shows = 0;
    for (uint32_t shown = lastShown(); shows < 3 && std::chrono::steady_clock::now() < deadline;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        pumpMessages(0);
        if (lastShown() != shown) {
            shown = lastShown();
            ++shows;
        }
    }
    enough = true;
    render.join();
    releaseWindowDC(top, dc);
    EXPECT_EQ(shows, 3) << "the window did not show the drawing context's pixels";
    EXPECT_EQ(shownAt(50, 40) & 0xFFFFFF, last.load());
    pumpMessages(0);
}

TEST_F(WindowDrawingTest, DrawingThroughAnOpenContextWakesTheWindowThread) {
    // The window thread waits for events only; a frame drawn on another thread
    // must wake it, or the frame would not be shown until the next input.
    DeviceContext* dc = getWindowDC(child);
    pumpMessages(0);
    ASSERT_EQ(SDL_HasEvent(windowState().wakeEventType), SDL_FALSE);
    std::thread([dc] { dc->fillSolidRect(Rect{0, 0, 5, 5}, 0x00FF00); }).join();
    EXPECT_EQ(SDL_HasEvent(windowState().wakeEventType), SDL_TRUE);
    releaseWindowDC(child, dc);
    pumpMessages(0);
}

}  // namespace
