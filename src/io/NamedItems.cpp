#include "io/NamedItems.h"

#include <atomic>

namespace io {
namespace {

std::atomic<NamedItems::Find> installed{nullptr};

}  // namespace

void NamedItems::install(Find find) { installed.store(find); }

lang::ResourceItem* NamedItems::find(const lang::String& name, bool cache) {
    Find find = installed.load();
    return find ? find(name, cache) : nullptr;
}

}  // namespace io
