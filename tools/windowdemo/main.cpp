// windowdemo: opens a 500x375 frame with one component, draws a test picture,
// marks every click and key, and can take a screenshot of itself.
//
//   windowdemo [--quit-after MS] [--screenshot FILE.png] [--click X,Y]... [--fullscreen]

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/PngWriter.h"
#include "platform/WindowState.h"
#include "platform/WindowSystem.h"
#include "window/Component.h"
#include "window/Cursor.h"
#include "window/Event.h"
#include "window/Frame.h"
#include "window/Graphics.h"

using namespace platform;

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 375;

// A component that remembers its marks and draws everything in paint(), through
// the graphics the paint message hands it; a mark only invalidates its own area.
class DemoCanvas : public window::Component {
public:
    DemoCanvas() {
        window::Color background(0x283070u);
        setBackground(&background);
    }

    bool mouseDown(window::Event* e, int x, int y) override {
        uint32_t colour = (e->modifiers & window::Event::ModRightBit) ? 0xFFE04040u
                          : e->count > 1                              ? 0xFFFFD040u
                                                                      : 0xFF40C0FFu;
        addMark(Mark{x, y, 10 + 4 * (e->count > 1 ? 1 : 0), colour, true});
        ++clicks;
        return true;
    }
    bool mouseDrag(window::Event*, int x, int y) override {
        addMark(Mark{x, y, 3, 0xFFFFFFFFu, true});
        return true;
    }
    bool keyDown(window::Event*, int key) override {
        // One small bar per key press along the bottom edge, its shade from the key code.
        int slot = keys++ % 40;
        uint32_t shade = 0xFF000000u | static_cast<uint32_t>((key * 2654435761u) & 0x00FFFFFFu);
        addMark(Mark{10 + slot * 12, kHeight - 22, 0, shade, false});
        return true;
    }

    void paint(window::Graphics* g) override {
        // Bands of a gradient, a white border and a checker board: easy to see
        // scaling and placement errors.
        for (int band = 0; band < kBands; ++band) {
            uint32_t r = static_cast<uint32_t>(40 + band * 120 / kBands);
            int left = band * kWidth / kBands;
            g->fillRectColor(left, 0, (band + 1) * kWidth / kBands - left, kHeight, 0xFF003070u | (r << 16));
        }
        window::Color white(0xFFFFFFu);
        g->setColor(&white);
        g->fillRect(0, 0, kWidth, 4);
        g->fillRect(0, kHeight - 4, kWidth, 4);
        g->fillRect(0, 0, 4, kHeight);
        g->fillRect(kWidth - 4, 0, 4, kHeight);
        for (int cy = 0; cy < 4; ++cy)
            for (int cx = 0; cx < 4; ++cx)
                g->fillRectColor(190 + cx * 30, 120 + cy * 30, 30, 30, ((cx + cy) & 1) ? 0xFF202020u : 0xFFF0F0F0u);
        for (const Mark& m : marks_) {
            window::Color colour(m.colour);
            g->setColor(&colour);
            if (m.disc) g->fillOval(m.x - m.radius, m.y - m.radius, 2 * m.radius + 1, 2 * m.radius + 1);
            else
                g->fillRect(m.x, m.y, 10, 12);
        }
    }

    int clicks = 0;
    int keys = 0;

private:
    struct Mark {
        int x, y, radius;
        uint32_t colour;
        bool disc;  // else a key bar with its top-left at (x, y)
    };
    static constexpr int kBands = 20;

    void addMark(const Mark& m) {
        marks_.push_back(m);
        util::RectangleNM area =
            m.disc ? util::RectangleNM(m.x - m.radius, m.y - m.radius, 2 * m.radius + 1, 2 * m.radius + 1)
                   : util::RectangleNM(m.x, m.y, 10, 12);
        invalidate(&area);
    }

    std::vector<Mark> marks_;
};

void pushClick(WindowHandle top, int x, int y) {
    for (bool down : {true, false}) {
        SDL_Event e;
        SDL_zero(e);
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.windowID = sdlWindowIdOf(top);
        e.button.button = SDL_BUTTON_LEFT;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
    }
}

int usage() {
    std::fprintf(stderr,
                 "usage: windowdemo [--quit-after MS] [--screenshot FILE.png] [--click X,Y]... [--fullscreen]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int quitAfter = -1;
    std::string screenshot;
    std::vector<std::pair<int, int>> clicks;
    bool fullScreen = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--quit-after" && i + 1 < argc) {
            quitAfter = std::atoi(argv[++i]);
        } else if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (arg == "--click" && i + 1 < argc) {
            int x = 0, y = 0;
            if (std::sscanf(argv[++i], "%d,%d", &x, &y) != 2) return usage();
            clicks.emplace_back(x, y);
        } else if (arg == "--fullscreen") {
            fullScreen = true;
        } else {
            return usage();
        }
    }
    if (!initWindowSystem()) {
        std::fprintf(stderr, "windowdemo: no video: %s\n", SDL_GetError());
        return 1;
    }
    auto* frame = new window::Frame();
    frame->setWantedSize(kWidth, kHeight);
    if (!frame->create(nullptr, util::RectangleNM(0, 0, kWidth, kHeight))) {
        std::fprintf(stderr, "windowdemo: cannot create the frame\n");
        return 1;
    }
    auto* canvas = new DemoCanvas();
    canvas->create(frame, util::RectangleNM(0, 0, kWidth, kHeight));
    canvas->setVisible(true);
    canvas->setCursor(window::Cursor::getHand());
    frame->setVisible(true);
    canvas->requestFocus();
    if (fullScreen) frame->setFullScreen(true, false);
    WindowHandle top = frame->getWindow();
    for (auto [x, y] : clicks) pushClick(top, x, y);

    uint32_t start = tickCount();
    while (isWindow(top)) {
        if (!pumpMessages(20)) break;
        if (quitAfter >= 0 && static_cast<int>(tickCount() - start) >= quitAfter) break;
    }
    int status = 0;
    if (!screenshot.empty() && isWindow(canvas->getWindow())) {
        int w = 0, h = 0;
        std::vector<uint32_t> shown = readWindowPixels(canvas->getWindow(), &w, &h);
        std::string error;
        if (!writePng(screenshot, shown.data(), w, h, &error)) {
            std::fprintf(stderr, "windowdemo: %s\n", error.c_str());
            status = 1;
        }
    }
    std::printf("windowdemo: %d click(s), %d key(s)\n", canvas->clicks, canvas->keys);
    if (frame->isFullScreen()) frame->setFullScreen(false, true);
    if (isWindow(top)) destroyWindow(top);
    canvas->release();
    frame->release();
    shutdownWindowSystem();
    return status;
}
