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

    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;              // 14
    void paint(window::Graphics* g) override;                                              // 15
    void paintOutline(window::Graphics* g) override;                                       // 16
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;  // 18
    void setLocation(int nx, int ny) override;                                             // 19
    void setLocationQuiet(int nx, int ny) override;                                        // 20
    void translate(int dx, int dy) override;                                               // 21
    void setVisible(bool value) override;                                                  // 22
    bool contains(int px, int py) override;                                                // 23
    util::RectangleNM* getBounds() override;                                               // 24
    bool isVisible() override { return visible; }                                          // 25
    bool isShown() override { return shown; }                                              // 26
    virtual int getX() { return x; }                                                       // 27
    virtual int getY() { return y; }                                                       // 28
    virtual int getWidth() { return width; }                                               // 29
    virtual int getHeight() { return height; }                                             // 30
    virtual Sprite* clone();                                                               // 31
    virtual void setClip(const util::RectangleNM* r);                                      // 32
    virtual util::RectangleNM* getClip();                                                  // 33
    virtual void setExclude(const util::RectangleNM* r);                                   // 34
    virtual bool reservedQuery(lang::Object* argument) { return true; }                    // 35
    virtual void reservedHook(lang::Object* argument) {}                                   // 36
    virtual void setImage(window::Image* picture);                                         // 37
    virtual void setSize(int w, int h);                                                    // 38
    virtual bool findEdge(int& px, int& py, int side, int threshold);                      // 39
    virtual bool hitTest(int px, int py);                                                  // 40
    virtual void setColorFactors(int alpha, int red, int green, int blue);                 // 41
    virtual void setAlpha(int alpha);                                                      // 42
    virtual bool setShadow(int dx, int dy, bool on);                                       // 43
    virtual int getAlpha();                                                                // 44
    virtual void unloadImage();                                                            // 45
    virtual void loadImage();                                                              // 46
    virtual void addDirty(const util::RectangleNM& r);                                     // 47
    virtual void repaint();                                                                // 48

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
