#pragma once

#include <cstdint>

#include "lang/Object.h"

namespace lang {

// One named data item of a resource source, holding its bytes in memory.
class ResourceItem : public Object {
public:
    MENTARIUM_CLASS(ResourceItem, Object)

    virtual const uint8_t* getData() const = 0;
    virtual int getLength() const = 0;
};

}  // namespace lang
