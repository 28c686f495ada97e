#pragma once

#include <cstdint>

#include "lang/Object.h"

namespace window {

// An opaque 0xAARRGGBB colour: the alpha byte is forced to 0xFF.
class Color : public lang::Object {
public:
    explicit Color(uint32_t rgb) : value(rgb | 0xFF000000u) {}
    Color(const Color& o) : lang::Object(), value(o.value) {}
    Color& operator=(const Color& o) {
        value = o.value;
        return *this;
    }
    MENTARIUM_CLASS(Color, lang::Object)

    virtual bool sameAs(const lang::Object* other) const;

    uint32_t value;
};

}  // namespace window
