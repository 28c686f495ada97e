#pragma once

#include "lang/Object.h"

namespace platform {
class DeviceContext;
}

namespace window {

// Owns or borrows one device context. With an owner window the context goes
// back to that window on destruction; without one it is a memory context and is
// deleted. A font selected through it is replaced by the system font first.
class CDC : public lang::Object {
public:
    CDC(platform::DeviceContext* context, void* ownerWindow);
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    ~CDC() override;
    MENTARIUM_CLASS(CDC, lang::Object)

    // A context on a window's client area (null: the whole screen), handed back
    // to the window, which then shows what was drawn, on destruction.
    static CDC* onWindow(void* window);

    platform::DeviceContext* getHandle() const { return context_; }
    void* getOwnerWindow() const { return owner_; }
    bool isFontSelected() const { return fontSelected_; }
    void setFontSelected(bool selected) { fontSelected_ = selected; }

protected:
    // Selects the system font back when a font was selected; then the subclass
    // hands the context back its own way and clears it.
    void restoreSystemFont();

    platform::DeviceContext* context_;
    void* owner_;
    bool fontSelected_ = false;
};

}  // namespace window
