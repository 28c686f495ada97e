#include "InstallLayout.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

#ifndef MENTARIUM_DATA_SUBDIR
#define MENTARIUM_DATA_SUBDIR "share/mentarium"
#endif
#ifndef MENTARIUM_LIB_SUBDIR
#define MENTARIUM_LIB_SUBDIR "lib/mentarium"
#endif

namespace launcher {

namespace {

const char kLibraryName[] = "libmentarium.so";

}  // namespace

std::string installedDataDirectory(const std::string& programDirectory) {
    if (programDirectory.empty()) return "";
    std::filesystem::path dir = std::filesystem::path(programDirectory).parent_path() / MENTARIUM_DATA_SUBDIR;
    return dir.lexically_normal().string();
}

void addInstalledDataDirectory(std::vector<std::string>& directories, const std::string& programDirectory) {
    std::string installed = installedDataDirectory(programDirectory);
    if (installed.empty()) return;
    auto program = std::find(directories.begin(), directories.end(), programDirectory);
    directories.insert(program == directories.end() ? program : program + 1, installed);
}

void* openGameLibrary(const std::string& programDirectory, std::string& path, std::string& error) {
    std::error_code ec;
    // Named by its full path where the layout puts it: a sanitizer's dlopen
    // looks up a bare name from its own runtime, not with the program's RUNPATH.
    path = programDirectory + "/" + kLibraryName;
    if (!std::filesystem::is_regular_file(path, ec) && !programDirectory.empty()) {
        std::filesystem::path installed =
            std::filesystem::path(programDirectory).parent_path() / MENTARIUM_LIB_SUBDIR / kLibraryName;
        path = installed.lexically_normal().string();
    }
    if (!std::filesystem::is_regular_file(path, ec)) path = kLibraryName;  // found through the RUNPATH
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        error = why ? why : "unknown error";
    }
    return library;
}

}  // namespace launcher
