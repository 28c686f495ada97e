#include "window/Event.h"

#include "platform/Clock.h"

namespace window {

Event::Event(lang::Object* source, int kind, lang::Object* argument)
    : kind(kind), when(platform::tickCount()), argument_(argument), source_(source) {
    if (argument_) argument_->addRef();
    if (source_) source_->addRef();
}

Event::~Event() {
    if (argument_) argument_->release();
    if (source_) source_->release();
}

}  // namespace window
