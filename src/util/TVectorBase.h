#pragma once

#include "lang/Object.h"

namespace util {

// The untyped root of TVector<T>; answers "TVectorBase".
class TVectorBase : public lang::Object {
public:
    MENTARIUM_CLASS(TVectorBase, lang::Object)
    // Throws the runtime's index exceptions (kept out of the template).
    [[noreturn]] static void throwOutOfRange();
    [[noreturn]] static void throwOutOfBounds();
};

}  // namespace util
