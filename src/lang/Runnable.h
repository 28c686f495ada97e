#pragma once

#include <cstring>

#include "lang/ObjectI.h"

namespace lang {

// Something a Thread can run: the common slots, then run() as slot 13.
class Runnable : public ObjectI {
public:
    bool isInstanceOf(const char* name) const override { return std::strcmp(name, "Runnable") == 0; }
    const char* getClassName() const override { return "Runnable"; }
    virtual void run() = 0;

protected:
    ~Runnable() = default;
};

}  // namespace lang
