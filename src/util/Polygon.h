#pragma once

#include "lang/IntArray.h"
#include "lang/Object.h"

namespace util {

// A closed polygon with its bounding box.
class Polygon : public lang::Object {
public:
    MENTARIUM_CLASS(Polygon, lang::Object)

    void setPoints(const int* xs, const int* ys, int n);
    const lang::IntArray& xs() const { return xs_; }
    const lang::IntArray& ys() const { return ys_; }
    int count() const { return count_; }

    int minX = 0, minY = 0, width = 0, height = 0;  // bounds

private:
    lang::IntArray xs_, ys_;
    int count_ = 0;
};

}  // namespace util
