#include "window/TextSettings.h"

#include <atomic>
#include <mutex>

namespace window {

namespace {

const char* const kInitialFontName = "Arial";
constexpr int kInitialNonAscentDescent = 2;

std::mutex& nameLock() {
    static std::mutex lock;
    return lock;
}

// Built on first use so that static initialisers elsewhere may already read it.
std::string& fontName() {
    static std::string name(kInitialFontName);
    return name;
}

std::atomic<int> measurement{kInitialNonAscentDescent};

}  // namespace

std::string TextSettings::defaultFontName() {
    std::lock_guard<std::mutex> hold(nameLock());
    return fontName();
}

void TextSettings::setDefaultFontName(const std::string& name) {
    if (name.empty()) return;
    std::lock_guard<std::mutex> hold(nameLock());
    fontName() = name;
}

int TextSettings::nonAscentDescent() { return measurement.load(std::memory_order_relaxed); }

void TextSettings::setNonAscentDescent(int value) { measurement.store(value, std::memory_order_relaxed); }

void TextSettings::reset() {
    {
        std::lock_guard<std::mutex> hold(nameLock());
        fontName() = kInitialFontName;
    }
    measurement.store(kInitialNonAscentDescent, std::memory_order_relaxed);
}

}  // namespace window
