#include "window/GraphicsEnvironment.h"

#include <atomic>

namespace window {

namespace {

std::atomic<void*> gameWindow{nullptr};

}  // namespace

lang::Object& drawingLock() {
    static lang::Object lock;
    return lock;
}

void setGameWindow(void* window) { gameWindow.store(window); }

void* getGameWindow() { return gameWindow.load(); }

bool isFontSmoothingOn() { return true; }

int getScreenDepth() { return 32; }

}  // namespace window
