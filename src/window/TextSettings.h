#pragma once

#include <string>

namespace window {

// Process-wide text settings: the player profile may change them at start-up,
// the font and text code reads them whenever it makes a font or measures text.
// Safe to call from any thread.
class TextSettings {
public:
    // The face name fonts are made with when no other is asked for; "Arial" until changed.
    static std::string defaultFontName();
    // An empty name is ignored, so the default always names a face.
    static void setDefaultFontName(const std::string& name);

    // How text height is measured (the profile's "nonAscentDescent"); 2 until changed.
    static int nonAscentDescent();
    static void setNonAscentDescent(int value);

    // Back to "Arial" and 2 (for tests and a fresh start).
    static void reset();
};

}  // namespace window
