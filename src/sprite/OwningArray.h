#pragma once

#include "lang/Object.h"

namespace sprite {

// An array of object pointers (ObjectArray or one of its kinds) that releases
// the elements it was given when it goes, so that results handed to other
// holders live exactly as long as the array.
template <typename Base>
class OwningArray : public Base {
public:
    OwningArray() = default;
    ~OwningArray() override {
        for (int i = 0; i < this->length(); ++i)
            if (lang::Object* element = (*this)[i]) element->release();
    }
    // Appends element, taking over the caller's reference.
    void adopt(lang::Object* element) {
        int n = this->length();
        this->resize(n + 1);
        (*this)[n] = element;
    }
};

}  // namespace sprite
