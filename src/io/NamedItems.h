#pragma once

#include "lang/String.h"

namespace lang {
class ResourceItem;
}

namespace io {

// Where a stream finds a resource item by name. The streams sit below the
// resource archive that reads through them, so the archive installs its
// look-up here when it opens, and the streams never call up into it.
class NamedItems {
public:
    // Answers the item of that name with one reference for the caller, or null.
    using Find = lang::ResourceItem* (*)(const lang::String& name, bool cache);

    static void install(Find find);
    // Null when nothing is installed or the item is missing.
    static lang::ResourceItem* find(const lang::String& name, bool cache);
};

}  // namespace io
