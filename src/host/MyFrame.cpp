#include "host/MyFrame.h"

#include "game/MentariumCanvas.h"
#include "host/HostBlock.h"
#include "window/Cursor.h"
#include "window/Graphics.h"

namespace host {

void MyFrame::update(window::Graphics* g) {
    g->setColor(getBackground());
    g->fillRect(0, 0, getWantedWidth(), getWantedHeight());
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
