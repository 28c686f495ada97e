#pragma once

#include <atomic>

#include "lang/Class.h"
#include "sprite/SpriteBase.h"
#include "util/RectangleNM.h"

namespace window {
class FancyHelper;
class Image;
}  // namespace window

namespace sprite {

// A positioned picture that records what it changes as a dirty rectangle; the
// render pass collects those rectangles and repaints only what meets them.
class Sprite : public SpriteBase {
    MENTARIUM_METACLASS(Sprite)

public:
    Sprite() = default;
    ~Sprite() override;
    MENTARIUM_CLASS(Sprite, SpriteBase)

    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;
    void paintOutline(window::Graphics* g) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    void setLocation(int nx, int ny) override;
    void setLocationQuiet(int nx, int ny) override;
    void translate(int dx, int dy) override;
    void setVisible(bool value) override;
    bool contains(int px, int py) override;
    util::RectangleNM* getBounds() override;
    bool isVisible() override { return visible; }
    bool isShown() override { return shown; }
    virtual int getX() { return x; }
    virtual int getY() { return y; }
    virtual int getWidth() { return width; }
    virtual int getHeight() { return height; }
    virtual Sprite* clone();
    virtual void setClip(const util::RectangleNM* r);
    virtual util::RectangleNM* getClip();
    virtual void setExclude(const util::RectangleNM* r);
    virtual bool reservedQuery(lang::Object* argument) { return true; }
    virtual void reservedHook(lang::Object* argument) {}
    virtual void setImage(window::Image* picture);
    virtual void setSize(int w, int h);
    virtual bool findEdge(int& px, int& py, int side, int threshold);
    virtual bool hitTest(int px, int py);
    virtual void setColorFactors(int alpha, int red, int green, int blue);
    virtual void setAlpha(int alpha);
    virtual bool setShadow(int dx, int dy, bool on);
    virtual int getAlpha();
    virtual void unloadImage();
    virtual void loadImage();
    virtual void addDirty(const util::RectangleNM& r);
    virtual void repaint();

    window::Image* getImage() const { return image; }        // borrowed
    window::FancyHelper* getFancy() const { return fancy; }  // borrowed, null until an effect is used
    bool isDirty() const { return dirty; }
    // A copy of the area recorded since the last collection, read under its monitor.
    util::RectangleNM dirtyArea() const;

    // Merges src into dst: empty sources are ignored, an empty destination takes src.
    static void unionInto(util::RectangleNM& dst, const util::RectangleNM& src);

protected:
    // The effect settings, made with neutral values on first use.
    window::FancyHelper* ensureFancy();
    // Runs draw on g, or on a derived graphics narrowed to clip and exclude.
    template <typename Draw>
    void withClip(window::Graphics* g, Draw draw);
    void replaceRect(util::RectangleNM*& slot, const util::RectangleNM* r);

    window::Image* image = nullptr;
    util::RectangleNM* clip = nullptr;
    util::RectangleNM* exclude = nullptr;
    int x = 0, y = 0;
    int width = 0, height = 0;
    util::RectangleNM bounds;
    window::FancyHelper* fancy = nullptr;
    bool shown = true;
    bool visible = true;
    std::atomic<bool> dirty{false};  // read without the lock to skip clean sprites quickly
    util::RectangleNM dirtyRect;     // guarded by its own monitor
};

}  // namespace sprite
