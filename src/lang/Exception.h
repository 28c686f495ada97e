#pragma once

#include "lang/Object.h"
#include "lang/String.h"

namespace lang {

// Thrown by pointer (`throw new lang::Exception("...")`); the catcher owns the
// one reference and releases it when done.
class Exception : public Object {
public:
    explicit Exception(const char* message);
    explicit Exception(const String& message);
    MENTARIUM_CLASS(Exception, Object)

    String toString() const override;
    const String& getMessage() const { return message_; }

private:
    String message_;
};

}  // namespace lang
