#pragma once

#include "sprite/LoaderFrame2.h"

namespace host {

// The game's frame: builds the application canvas in its window and starts
// loading the scene "+datfile" of the product "Cogniquilt".
class MyFrame : public sprite::LoaderFrame2 {
public:
    MENTARIUM_CLASS(MyFrame, sprite::LoaderFrame2)

    void update(window::Graphics* g) override;
    bool create(window::Component* parent, const util::RectangleNM& bounds) override;
    void onActivate(bool active) override;
};

}  // namespace host
