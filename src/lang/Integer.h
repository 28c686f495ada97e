#pragma once

#include "lang/Object.h"

namespace lang {

// A boxed signed 32-bit value; equal to another Integer of the same value.
class Integer : public Object {
public:
    explicit Integer(int value) : value_(value) {}
    MENTARIUM_CLASS(Integer, Object)

    int hashCode() const override { return value_; }
    bool equals(const Object* other) const override;
    int intValue() const { return value_; }

private:
    int value_;
};

}  // namespace lang
