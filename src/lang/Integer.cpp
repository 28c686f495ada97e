#include "lang/Integer.h"

namespace lang {

bool Integer::equals(const Object* other) const {
    return other != nullptr && other->isInstanceOf("Integer") && static_cast<const Integer*>(other)->value_ == value_;
}

}  // namespace lang
