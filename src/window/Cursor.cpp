#include "window/Cursor.h"

#include <map>
#include <mutex>
#include <vector>

#include "lang/ObjectLock.h"
#include "platform/WindowSystem.h"

namespace window {

namespace {

// The hand's built-in picture: '#' outline, '.' fill, the fingertip is the hot spot.
constexpr const char* kHandPicture[] = {
    "     ##         ", "    #..#        ", "    #..#        ", "    #..#        ", "    #..###      ",
    "    #..#..###   ", "    #..#..#..## ", " ## #..#..#..#.#", "#..##........#.#", "#...#..........#",
    " #.............#", "  #............#", "  #...........# ", "   #..........# ", "   #.........#  ",
    "    #........#  ", "    ##########  ",
};
constexpr int kHandHotX = 5;
constexpr int kHandHotY = 0;

platform::CursorHandle makeBuiltInHand() {
    const int height = static_cast<int>(sizeof(kHandPicture) / sizeof(kHandPicture[0]));
    const int width = 16;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char c = kHandPicture[y][x];
            pixels[static_cast<size_t>(y) * width + x] = c == '#' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0u;
        }
    return platform::createCursor(pixels.data(), width, height, kHandHotX, kHandHotY);
}

std::mutex& registryMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

Cursor::~Cursor() {
    if (ownsHandle_) platform::destroyCursor(handle_);
}

platform::CursorHandle Cursor::getHandle() const {
    ObjectLock hold(this, true);
    return handle_;
}

void Cursor::setPicture(const uint32_t* pixels, int width, int height, int hotX, int hotY) {
    platform::CursorHandle made = platform::createCursor(pixels, width, height, hotX, hotY);
    if (!made) return;
    platform::CursorHandle old;
    bool ownedOld;
    {
        ObjectLock hold(this, true);
        old = handle_;
        ownedOld = ownsHandle_;
        handle_ = made;
        ownsHandle_ = true;
    }
    bool shown = platform::getCursor() == old && old != nullptr;
    if (shown && platform::isWindowThread()) platform::setCursor(made);
    if (ownedOld) platform::destroyCursor(old);
}

Cursor* Cursor::get(int id) {
    std::lock_guard<std::mutex> hold(registryMutex());
    // The standard cursors live for the whole process; the table stays reachable
    // until exit so they are never taken for leaks.
    static auto& cursors = *new std::map<int, Cursor*>();
    auto it = cursors.find(id);
    if (it != cursors.end()) return it->second;
    Cursor* cursor = nullptr;
    if (id == Hand) {
        cursor = new Cursor(makeBuiltInHand());
        cursor->ownsHandle_ = true;
    } else if (id == Program105 || id == OpenHand || id == Program107) {
        cursor = new Cursor(nullptr);
    } else if (platform::CursorHandle system = platform::loadSystemCursor(id)) {
        cursor = new Cursor(system);
    }
    if (cursor) cursors.emplace(id, cursor);
    return cursor;
}

}  // namespace window
