#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/DrawingTools.h"
#include "platform/RectRegion.h"
#include "platform/Surface.h"

namespace platform {

class FontFace;

// Our device context: draws into whichever Surface is selected (none: draws
// nothing), through a clip region, with a pen, a brush, a font and text
// settings, and a stack of saved states. Coordinates are logical: the viewport
// origin is added to reach surface pixels. Independent of any window system.
class DeviceContext {
public:
    DeviceContext() = default;
    explicit DeviceContext(Surface* surface) { state_.surface = surface; }
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // Selection; each returns what was selected before.
    Surface* selectSurface(Surface* surface);
    Pen selectPen(const Pen& pen);
    Brush selectBrush(const Brush& brush);
    FontFace* selectFont(FontFace* font);  // null: the system font
    Surface* surface() const { return state_.surface; }
    const Pen& pen() const { return state_.pen; }
    const Brush& brush() const { return state_.brush; }
    FontFace* font() const;

    uint32_t setTextColor(uint32_t rgb);
    uint32_t setBackgroundColor(uint32_t rgb);
    bool setTransparentBackground(bool transparent);
    TextAlign setTextAlign(TextAlign align);

    // Saved states: save() answers the new depth; restore(n) returns to the state
    // saved by the save() that answered n (negative: that many back). False when
    // there is no such state.
    int save();
    bool restore(int token);
    int savedDepth() const { return static_cast<int>(saved_.size()); }

    // Clipping, in logical coordinates. Without a clip region the whole surface is drawable.
    void intersectClipRect(const Rect& rect);
    void excludeClipRect(const Rect& rect);
    void selectClipRegion(const RectRegion* region);  // device coordinates; null removes the clip
    void offsetClipRegion(int dx, int dy);
    bool getClipRegion(RectRegion& out) const;  // false when no clip region is set
    const RectRegion* clipRegion() const { return state_.clip ? &*state_.clip : nullptr; }  // no copy
    Rect getClipBox() const;                                                                // logical coordinates
    IntPoint viewportOrigin() const { return origin_; }
    void setViewportOrigin(int x, int y) { origin_ = IntPoint{x, y}; }
    // The drawable rectangles in surface pixels: the clip cut to the surface.
    std::vector<Rect> drawableRects() const;

    // Drawing.
    void fillSolidRect(const Rect& rect, uint32_t rgb);  // opaque, ignores pen and brush
    // Plain copy of w x h pixels to (x, y).
    void copyPixels(int x, int y, const uint32_t* source, int width, int height, int sourceStride);
    void bitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy);
    void setPixel(int x, int y, uint32_t rgb);
    void moveTo(int x, int y);
    IntPoint currentPosition() const { return state_.position; }
    void lineTo(int x, int y);
    void polyline(const IntPoint* points, int count);
    void polygon(const IntPoint* points, int count);  // filled with the brush, outlined with the pen
    void ellipse(const Rect& box);
    void textOut(int x, int y, const char* text, int length);
    // Top-left aligned, word-wrapped, an ellipsis after a word cut short; cut to rect.
    void drawTextWrapped(const Rect& rect, const char* text, int length);
    TextMetrics textMetrics() const;
    int textWidth(const char* text, int length) const;
    void flush() {}

    // Pixels that another thread shows (a window's): every drawing operation
    // holds lock while it writes them and raises drawn when it ends, so the
    // window thread reads them whole and knows when there is something new.
    void setSharedPixels(std::mutex* lock, std::atomic<bool>* drawn) { shared_ = SharedPixels{lock, drawn}; }

private:
    struct State {
        Surface* surface = nullptr;
        std::optional<RectRegion> clip;  // device coordinates
        Pen pen;
        Brush brush;
        FontFace* font = nullptr;
        uint32_t textColor = 0;
        uint32_t backgroundColor = 0xFFFFFF;
        bool transparent = false;
        TextAlign align = TextAlign::TopLeft;
        IntPoint position;
    };

    Rect toDevice(const Rect& r) const;
    RectRegion currentClip() const;
    void strokeSegment(const std::vector<Rect>& clip, int x1, int y1, int x2, int y2);
    void drawTextLine(const std::vector<Rect>& clip, int x, int top, const char* text, int length, bool ellipsis);

    struct SharedPixels {
        std::mutex* lock = nullptr;
        std::atomic<bool>* drawn = nullptr;
    };
    // Holds the shared pixels' lock for one drawing operation and raises the
    // drawn flag when it ends.
    class DrawnMark {
    public:
        explicit DrawnMark(const SharedPixels& shared) : shared_(shared) {
            if (shared_.lock) shared_.lock->lock();
        }
        // Also wakes the window thread to show what was drawn.
        ~DrawnMark();
        DrawnMark(const DrawnMark&) = delete;
        DrawnMark& operator=(const DrawnMark&) = delete;

    private:
        SharedPixels shared_;
    };

    State state_;
    std::vector<State> saved_;
    SharedPixels shared_;
    IntPoint origin_;
};

}  // namespace platform
