#include "lang/Class.h"

#include "util/Hashtable.h"

namespace lang {

namespace {
// The class registry: built by the first metaclass, released after the last.
// Constant-initialised, so it is valid before any static constructor runs.
util::Hashtable* registry = nullptr;
}  // namespace

Class::Class(const String& name) : name_(name) {
    if (registry == nullptr) registry = new util::Hashtable();
    registry->put(name_, this);
}

Class::~Class() {
    if (registry == nullptr) return;
    // The registry's reference to this metaclass is given back without deleting
    // it: metaclasses are static objects.
    registry->remove(&name_);
    if (registry->size() == 0) {
        registry->release();
        registry = nullptr;
    }
}

Class* Class::forName(const String& name) {
    if (registry == nullptr) return nullptr;
    return static_cast<Class*>(registry->get(&name));
}

Class* Class::forName(const char* name) { return forName(String(name, String::Borrow{})); }

}  // namespace lang
