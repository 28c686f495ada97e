#pragma once

// The game library as a host sees it: loaded with the dynamic loader, driven
// through its one entry point, its notifications recorded.

#include <SDL.h>
#include <dirent.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "mentarium/host.h"
#include "support/TempDir.h"

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define HOSTTEST_TSAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__) && !defined(HOSTTEST_TSAN)
#define HOSTTEST_TSAN 1
#endif

namespace hosttest {

// How many times longer the game may take to load and stop under
// ThreadSanitizer, which watches every memory access of every thread.
#ifdef HOSTTEST_TSAN
inline constexpr int kSlowdown = 5;
#else
inline constexpr int kSlowdown = 1;
#endif

// Notifications heard through the block's callback, from any of the game's threads.
class Heard {
public:
    static void record(intptr_t, int code, const char*) {
        std::lock_guard<std::mutex> hold(mutex());
        codes().push_back(code);
    }
    static std::vector<int> soFar() {
        std::lock_guard<std::mutex> hold(mutex());
        return codes();
    }
    static bool any(int code) {
        for (int c : soFar())
            if (c == code) return true;
        return false;
    }
    static void clear() {
        std::lock_guard<std::mutex> hold(mutex());
        codes().clear();
    }

private:
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static std::vector<int>& codes() {
        static std::vector<int> c;
        return c;
    }
};

// Runs step until done() holds or the time is up (longer in a slow build); answers done().
inline bool serviceUntil(const std::function<bool()>& done, const std::function<void()>& step,
                         std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit * kSlowdown;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        step();
    }
    return true;
}

// The library stays loaded, as in our host program: unloading it leaves its
// process-wide registries behind (a known gap, see the host program). The game
// keeps its start-up options in a profile store of the test's own.
class LoadedGame {
public:
    const std::string& profilePath() const { return profilePath_; }

    // False (with the loader's message in error) when the library cannot be used.
    bool load(const char** error) {
        setenv("MENTARIUM_DATA", MENTARIUM_BINARY_DIR, 1);
        library_ = dlopen(MENTARIUM_BINARY_DIR "/libmentarium.so", RTLD_NOW | RTLD_LOCAL);
        if (!library_) {
            *error = dlerror();
            return false;
        }
        notify_ = reinterpret_cast<GameDLLNotifyFunction>(dlsym(library_, "GameDLLNotify"));
        *error = "no GameDLLNotify";
        return notify_ != nullptr;
    }

    intptr_t* blockWith(MentariumHostCallback callback, SDL_Window* window) {
        for (intptr_t& slot : block_) slot = 0;
        block_[MENTARIUM_SLOT_CALLBACK] = reinterpret_cast<intptr_t>(callback);
        block_[MENTARIUM_SLOT_PARENT_WINDOW] = reinterpret_cast<intptr_t>(window);
        block_[MENTARIUM_SLOT_GAME_DIRECTORY] = reinterpret_cast<intptr_t>(MENTARIUM_BINARY_DIR);
        return block_;
    }
    intptr_t* block() { return block_; }

    int notify(int code) { return notify_(code, block_); }
    int notify(int code, intptr_t* block) { return notify_(code, block); }

    // Pumps as a host does (its SDL events, then the game's window work) until
    // done() holds or the time is up; answers done().
    bool serviceUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        return hosttest::serviceUntil(
            done, [this] { service(5); }, limit);
    }
    void service(int waitMs) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, waitMs))
            while (SDL_PollEvent(&event)) {}
        notify_(MENTARIUM_SERVICE, block_);
    }

private:
    testsupport::TempDir profileDir_;
    std::string profilePath_ = profileDir_.file("profile.sqlite");
    testsupport::ScopedEnv profileEnv_{"MENTARIUM_PROFILE", profilePath_.c_str()};
    void* library_ = nullptr;
    GameDLLNotifyFunction notify_ = nullptr;
    intptr_t block_[MENTARIUM_BLOCK_SLOTS] = {};
};

// Threads of this process right now.
inline int countThreads() {
    int n = 0;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') ++n;
        closedir(dir);
    }
    return n;
}

}  // namespace hosttest
