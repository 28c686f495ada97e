#include "host/MyFrame.h"

#include "game/MentariumCanvas.h"
#include "host/HostBlock.h"
#include "window/Cursor.h"
#include "window/Graphics.h"

namespace host {

util::RectangleNM MyFrame::loadingBar(int frameWidth, int frameHeight) {
    return util::RectangleNM((frameWidth - kBarWidth) / 2, frameHeight * 3 / 4, kBarWidth, kBarHeight);
}

int MyFrame::loadingBarFill(int done, int total) {
    if (total <= 0 || done <= 0) return 0;
    if (done >= total) return kBarWidth;
    return static_cast<int>(static_cast<long long>(done) * kBarWidth / total);
}

void MyFrame::update(window::Graphics* g) {
    g->setColor(getBackground());
    g->fillRect(0, 0, getWantedWidth(), getWantedHeight());
    MentariumCanvas* canvas = MentariumCanvas::current();
    if (canvas == nullptr || canvas->getLoadingTotal() <= 0) return;  // nothing counted yet
    util::RectangleNM bar = loadingBar(getWantedWidth(), getWantedHeight());
    int filled = loadingBarFill(canvas->getLoadingDone(), canvas->getLoadingTotal());
    g->fillRectColor(bar.x, bar.y, bar.width, bar.height, 0xFF000000u | kBarTrackColor);
    if (filled > 0) g->fillRectColor(bar.x, bar.y, filled, bar.height, 0xFF000000u | kBarFillColor);
}

bool MyFrame::create(window::Component*, const util::RectangleNM&) {
    auto* directory = reinterpret_cast<const char*>(HostBlock::slot(MENTARIUM_SLOT_GAME_DIRECTORY));
    setBaseDirectory(directory ? directory : "");
    auto* canvas = new MentariumCanvas();
    MentariumCanvas::setCurrent(canvas);
    canvas->create(this, util::RectangleNM(0, 0, getWantedWidth(), getWantedHeight()));
    initialise(canvas, "+datfile", "Cogniquilt");
    canvas->release();  // the frame holds it now
    canvas->setCursor(window::Cursor::getWait());
    start();
    return true;
}

void MyFrame::onActivate(bool active) {
    if (MentariumCanvas* canvas = MentariumCanvas::current()) canvas->onActivation(active);
    sprite::LoaderFrame2::onActivate(active);
}

}  // namespace host
