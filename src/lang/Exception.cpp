#include "lang/Exception.h"

namespace lang {

Exception::Exception(const char* message) : message_(message) {}
Exception::Exception(const String& message) : message_(message) {}
String Exception::toString() const { return message_; }

}  // namespace lang
