#include "lang/Class.h"

#include <string>
#include <unordered_map>

namespace lang {

namespace {
// The class registry: built by the first metaclass, deleted after the last.
// Constant-initialised, so it is valid before any static constructor runs.
// It keeps its own copy of each name and one reference to each metaclass.
// A plain map rather than a util::Hashtable keeps the object runtime below
// the collections that are built on it.
using Registry = std::unordered_map<std::string, Class*>;
Registry* registry = nullptr;

std::string keyOf(const String& name) { return std::string(name.c_str(), static_cast<size_t>(name.length())); }
}  // namespace

Class::Class(const String& name) : name_(name) {
    if (registry == nullptr) registry = new Registry();
    Class*& slot = (*registry)[keyOf(name_)];
    if (slot) slot->release();
    slot = this;
    addRef();
}

Class::~Class() {
    if (registry == nullptr) return;
    // The registry's reference to this metaclass is given back without deleting
    // it: metaclasses are static objects.
    auto found = registry->find(keyOf(name_));
    if (found != registry->end() && found->second == this) {
        registry->erase(found);
        release();
    }
    if (registry->empty()) {
        delete registry;
        registry = nullptr;
    }
}

Class* Class::forName(const String& name) {
    if (registry == nullptr) return nullptr;
    auto found = registry->find(keyOf(name));
    return found == registry->end() ? nullptr : found->second;
}

Class* Class::forName(const char* name) { return forName(String(name, String::Borrow{})); }

}  // namespace lang
