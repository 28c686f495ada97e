#include "util/Region.h"

#include "platform/RectRegion.h"
#include "util/RectangleNM.h"

namespace util {

Region::~Region() { delete handle_; }

void Region::addRect(int x, int y, int width, int height) {
    platform::Rect r{x, y, x + width, y + height};
    if (handle_ == nullptr) handle_ = new platform::RectRegion();
    handle_->addRect(r);
}

void Region::addRect(const RectangleNM& rect) { addRect(rect.x, rect.y, rect.width, rect.height); }

void Region::translate(int dx, int dy) {
    if (handle_) handle_->translate(dx, dy);
}

void Region::clear() {
    delete handle_;
    handle_ = nullptr;
}

bool Region::intersects(const RectangleNM& rect) const {
    if (handle_ == nullptr || rect.width <= 0 || rect.height <= 0) return false;
    return handle_->intersectsRect({rect.x, rect.y, rect.x + rect.width, rect.y + rect.height});
}

bool Region::isEmpty() const { return handle_ == nullptr || handle_->isEmpty(); }

void Region::addRegion(const Region& other) {
    if (other.handle_ == nullptr) return;
    if (handle_ == nullptr) handle_ = new platform::RectRegion();
    handle_->addRegion(*other.handle_);
}

void Region::intersectRect(int x, int y, int width, int height) {
    if (width < 1 || height < 1) {
        clear();
        return;
    }
    if (handle_) handle_->intersectRect({x, y, x + width, y + height});
}

}  // namespace util
