#include "platform/Module.h"

#include <dlfcn.h>

#include <cstring>

#include "platform/SearchPath.h"

namespace platform {

std::shared_ptr<Module> Module::load(const std::string& name) {
    std::string found = findOnSearchPath(name);
    // dlopen only looks beside the program when the path has a directory part.
    void* handle = dlopen(found.empty() ? nativePath(name).c_str() : found.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    return std::shared_ptr<Module>(new Module(handle));
}

Module::Module(void* handle) : handle_(handle) {
    auto entry = reinterpret_cast<mentarium_file_resources_fn>(dlsym(handle_, MENTARIUM_FILE_RESOURCES_SYMBOL));
    if (entry) table_ = entry(&count_);
    if (!table_) count_ = 0;
}

Module::~Module() { dlclose(handle_); }

const mentarium_file_resource* Module::findFile(const char* name) const {
    for (unsigned i = 0; i < count_; ++i) {
        const mentarium_file_resource& resource = table_[i];
        if (resource.name && resource.data && std::strcmp(resource.name, name) == 0) return &resource;
    }
    return nullptr;
}

}  // namespace platform
