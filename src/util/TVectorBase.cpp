#include "util/TVectorBase.h"

#include "lang/Exception.h"

namespace util {

void TVectorBase::throwOutOfRange() { throw new lang::Exception("Index out of range"); }
void TVectorBase::throwOutOfBounds() { throw new lang::Exception("Index out of bounds"); }

}  // namespace util
