#pragma once

#include "window/Component.h"

namespace window {

// The top-level component: a popup window with a caption that keeps its client
// area at the size the game asks for, and can switch the display into a
// full-screen mode of exactly that size.
class Frame : public Component {
public:
    static constexpr const char* ErrorCaption = "Quillory Error";
    static constexpr const char* FullScreenFailed = "Unable to switch to Fullscreen mode.";

    Frame() = default;
    MENTARIUM_CLASS(Frame, Component)

    void refresh() override { repaint(); }
    void eraseBackground(Graphics* g) override;
    bool create(Component* parent, const util::RectangleNM& bounds) override;
    void onSize(platform::WParam wParam, platform::LParam lParam) override;
    platform::LResult handleMessage(unsigned message, platform::WParam wParam, platform::LParam lParam) override;
    virtual void setFullScreen(bool on, bool force);
    virtual void destroyLater();
    virtual void onDestroy() {}
    virtual void onClose();
    virtual void onActivate(bool active);
    virtual void setLocation(int x, int y);

    int getWantedWidth() const { return wantedWidth_; }
    int getWantedHeight() const { return wantedHeight_; }
    void setWantedSize(int width, int height) {
        wantedWidth_ = width;
        wantedHeight_ = height;
    }
    bool isFullScreen() const { return fullScreen_; }
    bool isFullScreenCapable() const { return fullScreenCapable_; }
    bool isResizable() const { return resizable_; }
    void setResizable(bool value) { resizable_ = value; }
    bool isScreenPopup() const { return screenPopup_; }
    void setScreenPopup(bool value) { screenPopup_ = value; }

    // The window style of a frame that is not a screen popup.
    uint32_t frameStyle() const;

protected:
    int wantedWidth_ = 0;
    int wantedHeight_ = 0;
    bool fullScreen_ = false;
    bool fullScreenCapable_ = true;
    bool resizable_ = false;
    bool screenPopup_ = false;

private:
    void onMinMaxInfo(platform::MinMaxInfo* info);
    void onPositionChanging(platform::WindowPos* pos);
    bool switchDisplayOn();
    void placeWindow();
};

}  // namespace window
