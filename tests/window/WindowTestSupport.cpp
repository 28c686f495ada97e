#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/WindowState.h"
#include "platform/WindowSystem.h"

namespace windowtest {

namespace {
uint32_t manualNow = 0;

SDL_Event blank(uint32_t type) {
    SDL_Event event;
    SDL_zero(event);
    event.type = type;
    return event;
}

void push(SDL_Event& event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
}  // namespace

void startWindowSystem() {
    ASSERT_TRUE(platform::initWindowSystem());
    // Tests with window stand-ins replace the drawing hooks; put the real ones back.
    platform::installWindowDrawing();
}

void pump() { platform::pumpMessages(0); }

void setNow(uint32_t ms) { manualNow = ms; }
void useManualClock() {
    platform::setMessageClock([] { return manualNow; });
}
void useRealClock() { platform::setMessageClock(nullptr); }

void pushMouseMotion(platform::WindowHandle topLevel, int x, int y) {
    SDL_Event event = blank(SDL_MOUSEMOTION);
    event.motion.windowID = platform::sdlWindowIdOf(topLevel);
    event.motion.x = x;
    event.motion.y = y;
    push(event);
}

void pushMouseButton(platform::WindowHandle topLevel, int button, bool down, int x, int y) {
    SDL_Event event = blank(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
    event.button.windowID = platform::sdlWindowIdOf(topLevel);
    event.button.button = static_cast<uint8_t>(button);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    push(event);
}

void pushKey(platform::WindowHandle topLevel, SDL_Keycode key, bool down, uint16_t mod, bool repeat) {
    SDL_Event event = blank(down ? SDL_KEYDOWN : SDL_KEYUP);
    event.key.windowID = platform::sdlWindowIdOf(topLevel);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = mod;
    push(event);
}

void pushText(platform::WindowHandle topLevel, const char* utf8) {
    SDL_Event event = blank(SDL_TEXTINPUT);
    event.text.windowID = platform::sdlWindowIdOf(topLevel);
    std::strncpy(event.text.text, utf8, sizeof(event.text.text) - 1);
    push(event);
}

void pushWindowEvent(platform::WindowHandle topLevel, SDL_WindowEventID id, int data1, int data2) {
    SDL_Event event = blank(SDL_WINDOWEVENT);
    event.window.windowID = platform::sdlWindowIdOf(topLevel);
    event.window.event = static_cast<uint8_t>(id);
    event.window.data1 = data1;
    event.window.data2 = data2;
    push(event);
}

}  // namespace windowtest
