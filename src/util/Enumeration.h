#pragma once

#include "lang/Object.h"

namespace util {

// Walks a sequence of objects once.
class Enumeration : public lang::Object {
public:
    MENTARIUM_CLASS(Enumeration, lang::Object)
    virtual bool hasMoreElements() = 0;
    virtual lang::Object* nextElement() = 0;  // 15: borrowed
};

}  // namespace util
