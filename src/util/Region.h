#pragma once

#include "lang/Object.h"

namespace platform {
class RectRegion;
}

namespace util {

class RectangleNM;

// An area made of rectangles; null handle means the empty region.
class Region : public lang::Object {
public:
    Region() = default;
    explicit Region(platform::RectRegion* adopted) : handle_(adopted) {}
    Region(const Region&) = delete;
    Region& operator=(const Region&) = delete;
    ~Region() override;
    MENTARIUM_CLASS(Region, lang::Object)

    virtual void addRect(int x, int y, int width, int height);
    virtual void addRect(const RectangleNM& rect);
    virtual void translate(int dx, int dy);
    virtual void clear();
    virtual bool intersects(const RectangleNM& rect) const;
    virtual platform::RectRegion* getHandle() const { return handle_; }

    bool isEmpty() const;
    void addRegion(const Region& other);
    void intersectRect(int x, int y, int width, int height);

private:
    platform::RectRegion* handle_ = nullptr;
};

}  // namespace util
