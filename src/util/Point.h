#pragma once

#include "lang/Object.h"

namespace util {

class Point : public lang::Object {
public:
    Point() = default;
    Point(int x, int y) : x(x), y(y) {}
    MENTARIUM_CLASS(Point, lang::Object)
    int x = 0, y = 0;
};

}  // namespace util
