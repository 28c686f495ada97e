#include "host/GameHost.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "game/MentariumCanvas.h"
#include "host/HostBlock.h"
#include "host/MyFrame.h"
#include "lang/Exception.h"
#include "lang/ResourceFile.h"
#include "platform/Clock.h"
#include "platform/HostWindow.h"
#include "platform/MessageBox.h"
#include "platform/WindowSystem.h"
#include "sprite/FrameGate.h"
#include "window/CPaintDC.h"
#include "window/Component.h"
#include "window/GraphicsW.h"

namespace host {

namespace {

const char kArchiveName[] = "Cogniquilt.bin";
const char kWindowClass[] = "clsWeb";
// The longest the start call waits for the loader to count the scene.
constexpr uint32_t kCountWaitMs = 500;
// While the loading display shows, the host looks in this often: the loader
// moves the progress without waking the window thread.
constexpr int kLoadingLookMs = 10;

// The state of the running game; zero while none runs. The two flags are set
// once per process and never cleared.
bool started = false;
platform::WindowHandle gameWindowHandle = nullptr;
MyFrame* frame = nullptr;
bool windowCreated = false;
bool frameToldOfDestroy = false;
// The loading step the window last showed; -1 when it last showed the canvas.
int paintedLoadingStep = -1;

}  // namespace

bool GameHost::isStarted() { return started; }
platform::WindowHandle GameHost::gameWindow() { return gameWindowHandle; }

int GameHost::notify(int code, intptr_t* block) {
    switch (code) {
    case MENTARIUM_START:
        stop();
        HostBlock::set(block);
        if (!start()) stopAndTell();
        break;
    case MENTARIUM_STOP:
        if (started) stopAndTell();
        break;
    case MENTARIUM_SERVICE: return service();
    case MENTARIUM_DESCRIBE: return started ? describe(block) : 0;
    case MENTARIUM_STEP: return step();
    default: break;
    }
    return 0;
}

void GameHost::stopAndTell() {
    stop();
    HostBlock::notify(MENTARIUM_NOTIFY_STOPPED);
}

bool GameHost::start() {
    if (started) return true;
    started = true;
    void* parentSdlWindow = reinterpret_cast<void*>(HostBlock::slot(MENTARIUM_SLOT_PARENT_WINDOW));
    platform::WindowHandle parent =
        platform::attachHostWindow(parentSdlWindow, MENTARIUM_SCENE_WIDTH, MENTARIUM_SCENE_HEIGHT);
    platform::registerClass(kWindowClass, &GameHost::windowProc);  // already there on a second start
    platform::setHostActivationHandler([](bool active) {
        if (MentariumCanvas* canvas = MentariumCanvas::current()) canvas->onActivation(active);
    });

    // The archive is looked for in the host's game directory first. One that is
    // missing or damaged ends the start with one message: no game is built.
    auto* directory = reinterpret_cast<const char*>(HostBlock::slot(MENTARIUM_SLOT_GAME_DIRECTORY));
    lang::ResourceFile::setLanguage(lang::String(HostBlock::language().c_str()));
    try {
        lang::ResourceFile::openWhole(kArchiveName, directory ? directory : "");
    } catch (lang::Exception* e) {
        platform::messageBox("Quillory Error", e->getMessage().c_str());
        e->release();
        return false;
    }
    if (HostBlock::steppedFrames()) {
        sprite::FrameGate::setStepped(true);
        platform::setMessageClock([] { return sprite::FrameGate::elapsedMs(); });
    }
    window::Component::setInstance(reinterpret_cast<void*>(HostBlock::slot(MENTARIUM_SLOT_INSTANCE)));
    frame = new MyFrame();
    frame->setWantedSize(MENTARIUM_SCENE_WIDTH, MENTARIUM_SCENE_HEIGHT);
    frame->create(nullptr, util::RectangleNM(0, 0, MENTARIUM_SCENE_WIDTH, MENTARIUM_SCENE_HEIGHT));
    HostBlock::notify(MENTARIUM_NOTIFY_STARTED);

    awaitLoadingCount();
    if (parent == nullptr) return true;  // no window to run in: started, without a window
    platform::Rect client = platform::getClientRect(parent);
    platform::WindowCreate request;
    request.className = kWindowClass;
    request.title = "Web";
    request.style = platform::style::Child | platform::style::Visible;
    request.width = client.width();
    request.height = client.height();
    request.parent = parent;
    gameWindowHandle = platform::createWindow(request);
    return true;
}

int GameHost::describe(intptr_t* block) {
    MentariumCanvas* canvas = MentariumCanvas::current();
    if (canvas == nullptr || block == nullptr) return 0;
    std::string text = canvas->describe();
    auto* buffer = reinterpret_cast<char*>(block[0]);
    auto capacity = static_cast<size_t>(block[1]);
    if (buffer && capacity > 0) {
        size_t n = std::min(text.size(), capacity - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = 0;
    }
    return static_cast<int>(text.size());
}

// The window's first paint should already show the loading bar, so the loader
// gets a head start until it has counted the scene's steps; the host's thread
// is held no longer than that, and half a second at most.
void GameHost::awaitLoadingCount() {
    MentariumCanvas* canvas = MentariumCanvas::current();
    const uint32_t began = platform::tickCount();
    while (canvas && frame && canvas->getLoadingTotal() == 0 && !frame->hasLoadFailed() &&
           platform::tickCount() - began < kCountWaitMs)
        platform::sleepMs(1);
}

// While the scene loads, the window is painted again only when the progress
// moved, and once more when loading has ended so that the canvas takes over.
void GameHost::refreshLoadingDisplay() {
    MentariumCanvas* canvas = MentariumCanvas::current();
    if (gameWindowHandle == nullptr || canvas == nullptr || paintedLoadingStep < 0) return;
    if (canvas->isLoadingComplete() || canvas->getLoadingDone() != paintedLoadingStep)
        platform::invalidateRect(gameWindowHandle, nullptr, false);
}

// Everything else that needs the window thread (a composed frame, a posted
// message, a repaint) wakes it with an SDL event, so once the canvas shows the
// host need not call before its next event.
int GameHost::service() {
    if (!started) return MENTARIUM_SERVICE_WHEN_WOKEN;
    // A scene that failed to load was reported by the loader; the game then
    // ends as if the host had stopped it.
    if (frame && frame->hasLoadFailed()) {
        stopAndTell();
        return MENTARIUM_SERVICE_WHEN_WOKEN;
    }
    refreshLoadingDisplay();
    platform::serviceHostWindow();
    return paintedLoadingStep >= 0 ? kLoadingLookMs : MENTARIUM_SERVICE_WHEN_WOKEN;
}

int GameHost::step() {
    MentariumCanvas* canvas = MentariumCanvas::current();
    if (!started || canvas == nullptr || !sprite::FrameGate::isStepped()) return 0;
    if (!sprite::FrameGate::step([] { platform::serviceHostWindow(); })) return 0;
    return canvas->getFramePeriod();
}

void GameHost::stop() {
    if (!started) return;
    started = false;
    platform::setHostActivationHandler(nullptr);
    paintedLoadingStep = -1;
    if (gameWindowHandle) platform::destroyWindow(gameWindowHandle);
    gameWindowHandle = nullptr;
    window::Component::setGameWindow(nullptr);
    if (frame) {
        // A stop asked for by the host is a normal close, unlike a crash.
        frame->markNormalExit();
        // Destroying the frame's window stops its loader, canvas threads and sound
        // while the frame still exists; the window system must not do it later.
        if (platform::WindowHandle own = frame->getWindow()) platform::destroyWindow(own);
        else
            frame->onDestroy();  // no window to carry the message: stop it directly
        frame->release();
    }
    frame = nullptr;
    if (sprite::FrameGate::isStepped()) {
        sprite::FrameGate::setStepped(false);
        platform::setMessageClock(nullptr);
    }
    lang::ResourceFile::closeChain();
    platform::detachHostWindow();
}

platform::LResult GameHost::windowProc(platform::WindowHandle window, unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) {
    if (windowCreated) {
        // Paint is the one message kept back: the canvas would take the whole
        // invalid area for itself and leave the paint below nothing to draw on,
        // so the loading display would never show. The paint below updates the
        // canvas itself once the scene has loaded.
        MentariumCanvas* canvas = MentariumCanvas::current();
        if (canvas && message != platform::msg::Paint) canvas->handleMessage(message, wParam, lParam);
        if (message == platform::msg::Destroy && frame && !frameToldOfDestroy) {
            frameToldOfDestroy = true;
            frame->handleMessage(message, wParam, lParam);
        }
    }
    switch (message) {
    case platform::msg::Create:
        gameWindowHandle = window;
        window::Component::setGameWindow(window);  // components without a window of their own draw here
        windowCreated = true;
        paint(window);
        return 0;
    case platform::msg::Paint: paint(window); return 0;
    case platform::msg::SetCursor: platform::setFocus(window); return 0;
    case platform::msg::LButtonUp: return platform::defWindowProc(window, message, wParam, lParam);
    case platform::msg::Destroy:
    case platform::msg::Move:
    case platform::msg::Size:
    case platform::msg::Activate:
    case platform::msg::KillFocus:
    case platform::msg::Close:
    case platform::msg::EraseBackground:
    case platform::msg::GetMinMaxInfo:
    case platform::msg::NcDestroy:
    case platform::msg::KeyDown:
    case platform::msg::KeyUp:
    case platform::msg::Char:
    case platform::msg::SysCommand:
    case platform::msg::MouseMove:
    case platform::msg::LButtonDown:
    case platform::msg::RButtonDown:
    case platform::msg::RButtonUp:
    case platform::msg::CaptureChanged: return 0;
    default: return platform::defWindowProc(window, message, wParam, lParam);
    }
}

void GameHost::paint(platform::WindowHandle window) {
    auto* dc = new window::CPaintDC(window);
    auto* g = new window::GraphicsW(dc);
    MentariumCanvas* canvas = MentariumCanvas::current();
    // A scene that failed to load is never shown, not even for the moment until
    // the game stops.
    if (canvas && (!canvas->isLoadingComplete() || (frame && frame->hasLoadFailed()))) {
        // The background and the progress, painted again as loading goes on.
        paintedLoadingStep = canvas->getLoadingDone();
        if (frame) frame->update(g);
    } else {
        // The first canvas paint comes as soon as loading has ended: a frame not
        // yet composed is drawn by the render thread's next step, which repaints
        // what this paint exposed.
        paintedLoadingStep = -1;
        if (canvas) static_cast<window::Component*>(canvas)->update(g);
    }
    g->dispose();
    g->release();
    dc->release();
}

}  // namespace host
