#include "platform/SearchPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

std::string executableDirectory() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string path(buffer, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

std::string currentDirectory() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

bool isRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string joined(const std::string& directory, const std::string& name) {
    if (directory.empty() || directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

}  // namespace

std::vector<std::string> searchDirectories(const std::string& first) {
    std::vector<std::string> places;
    if (!first.empty()) places.push_back(first);
    if (const char* data = std::getenv("MENTARIUM_DATA"); data && *data) places.emplace_back(data);
    if (std::string exe = executableDirectory(); !exe.empty()) places.push_back(exe);
    places.push_back(currentDirectory());
    if (const char* path = std::getenv("PATH")) {
        std::string list(path);
        size_t start = 0;
        while (start <= list.size()) {
            size_t colon = list.find(':', start);
            if (colon == std::string::npos) colon = list.size();
            if (colon > start) places.push_back(list.substr(start, colon - start));
            start = colon + 1;
        }
    }
    return places;
}

std::string findOnSearchPath(const std::string& name, const std::string& first) {
    if (name.empty()) return {};
    std::string native = nativePath(name);
    if (native.find('/') != std::string::npos) return isRegularFile(native) ? native : std::string();
    for (const std::string& directory : searchDirectories(first)) {
        std::string candidate = joined(directory, native);
        if (isRegularFile(candidate)) return candidate;
    }
    return {};
}

std::string nativePath(const std::string& path) {
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

}  // namespace platform
