#include "window/Color.h"

namespace window {

bool Color::sameAs(const lang::Object* other) const {
    return other != nullptr && other->isInstanceOf("Color") && static_cast<const Color*>(other)->value == value;
}

}  // namespace window
