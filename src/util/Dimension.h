#pragma once

#include "lang/Object.h"

namespace util {

class Dimension : public lang::Object {
public:
    Dimension() = default;
    Dimension(int width, int height) : width(width), height(height) {}
    MENTARIUM_CLASS(Dimension, lang::Object)
    int width = 0, height = 0;
};

}  // namespace util
