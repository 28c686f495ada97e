#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ModuleResources.h"

namespace platform {

// A loaded shared object and its table of "FILE" resources. Unloaded when the
// last holder lets go.
class Module {
public:
    // Null when the module cannot be loaded. A name without a directory is
    // looked for on the search path first, then left to the dynamic loader.
    static std::shared_ptr<Module> load(const std::string& name);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // The resource of exactly that name, or null.
    const mentarium_file_resource* findFile(const char* name) const;

private:
    explicit Module(void* handle);

    void* handle_;
    const mentarium_file_resource* table_ = nullptr;
    unsigned count_ = 0;
};

}  // namespace platform
