#include "DataSearch.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace launcher {

std::vector<std::string> searchDirectories(const std::string& dataOption, const std::string& programDir) {
    std::vector<std::string> dirs;
    if (!dataOption.empty()) dirs.push_back(dataOption);
    if (const char* env = std::getenv("MENTARIUM_DATA"); env && *env) dirs.emplace_back(env);
    if (!programDir.empty()) dirs.push_back(programDir);
    std::error_code ec;
    auto cwd = std::filesystem::current_path(ec);
    if (!ec) dirs.push_back(cwd.string());
    if (const char* path = std::getenv("PATH")) {
        std::stringstream parts(path);
        std::string dir;
        while (std::getline(parts, dir, ':'))
            if (!dir.empty()) dirs.push_back(dir);
    }
    return dirs;
}

std::string findIn(const std::vector<std::string>& directories, const std::string& name) {
    for (const std::string& dir : directories) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(std::filesystem::path(dir) / name, ec)) return dir;
    }
    return "";
}

std::string programDirectory() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace launcher
