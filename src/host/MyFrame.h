#pragma once

#include <cstdint>

#include "sprite/LoaderFrame2.h"
#include "util/RectangleNM.h"

namespace host {

// The game's frame: builds the application canvas in its window and starts
// loading the scene "+datfile" of the product "Cogniquilt".
class MyFrame : public sprite::LoaderFrame2 {
public:
    MENTARIUM_CLASS(MyFrame, sprite::LoaderFrame2)

    // The background, with the loading progress as a bar while the scene loads.
    void update(window::Graphics* g) override;
    bool create(window::Component* parent, const util::RectangleNM& bounds) override;
    void onActivate(bool active) override;

    // The loading bar, centred low in the frame: its track and how much of it
    // is filled for the steps done so far.
    static constexpr int kBarWidth = 300;
    static constexpr int kBarHeight = 10;
    static util::RectangleNM loadingBar(int frameWidth, int frameHeight);
    static int loadingBarFill(int done, int total);
    static constexpr uint32_t kBarTrackColor = 0x404040;
    static constexpr uint32_t kBarFillColor = 0xE0E0E0;
};

}  // namespace host
