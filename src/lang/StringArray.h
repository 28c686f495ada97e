#pragma once

#include "lang/ObjectArray.h"
#include "lang/String.h"

namespace lang {

// An ObjectArray of String pointers (no references held).
class StringArray : public ObjectArray {
public:
    using ObjectArray::ObjectArray;
    MENTARIUM_CLASS(StringArray, ObjectArray)

    String* at(int i) const { return static_cast<String*>((*this)[i]); }
    void set(int i, String* s) { (*this)[i] = s; }
};

}  // namespace lang
