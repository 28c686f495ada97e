// The four device-context wrappers: how each one gets its context and gives it back.
#include "platform/DeviceContext.h"
#include "platform/WindowDrawing.h"
#include "window/CDC.h"
#include "window/CMainDC.h"
#include "window/CPaintDC.h"
#include "window/CTempDC.h"

namespace window {

CDC::CDC(platform::DeviceContext* context, void* ownerWindow) : context_(context), owner_(ownerWindow) {}

CDC::~CDC() {
    restoreSystemFont();
    if (!context_) return;
    if (owner_) {
        platform::releaseWindowDC(owner_, context_);
    } else {
        delete context_;
    }
    context_ = nullptr;
}

CDC* CDC::onWindow(void* window) { return new CDC(platform::getWindowDC(window), window); }

void CDC::restoreSystemFont() {
    if (fontSelected_ && context_) context_->selectFont(nullptr);
    fontSelected_ = false;
}

CMainDC::CMainDC() : CDC(platform::getWindowDC(nullptr), nullptr) {}

CMainDC::~CMainDC() {
    restoreSystemFont();
    platform::releaseWindowDC(nullptr, context_);
    context_ = nullptr;
}

CTempDC::CTempDC(platform::DeviceContext* context) : CDC(context, nullptr) {}

CTempDC::~CTempDC() {
    restoreSystemFont();
    context_ = nullptr;
}

CPaintDC::CPaintDC(void* window) : CDC(nullptr, window) { context_ = platform::beginWindowPaint(window, &record_); }

CPaintDC::~CPaintDC() {
    restoreSystemFont();
    platform::endWindowPaint(owner_, context_, record_);
    context_ = nullptr;
}

}  // namespace window
