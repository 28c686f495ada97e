#pragma once

// Runs the host program as a player would and reads what it prints.

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "window/DecodedPicture.h"
#include "window/PngDecoder.h"

namespace hostrun {

inline std::string runAndRead(const std::string& command, int& status) {
    FILE* out = popen(command.c_str(), "r");
    if (!out) return {};
    std::string text;
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, out)) text.append(buffer, n);
    status = pclose(out);
    return text;
}

// Screenshots of the runs are kept under build/screens/ for review.
inline std::filesystem::path screensDirectory() {
    auto screens = std::filesystem::path(MENTARIUM_BINARY_DIR) / "screens";
    std::filesystem::create_directories(screens);
    return screens;
}

// The folder of a named run: its script and its profile. Kept in the build
// folder, so that builds run side by side (another checkout, a sanitized build)
// never share a profile.
inline std::filesystem::path runDirectory(const std::string& name) {
    auto dir = std::filesystem::path(MENTARIUM_BINARY_DIR) / "runs" / name;
    std::filesystem::create_directories(dir);
    return dir;
}

// Runs build/mentarium with options and the named run's profile, which later
// runs of the same name share.
inline std::string runWithProfile(const std::string& name, const std::string& options, int& status) {
    std::string profile = (runDirectory(name) / "profile.sqlite").string();
    std::string command = "MENTARIUM_PROFILE='" + profile + "' '" + std::string(MENTARIUM_BINARY_DIR) + "/mentarium' " +
                          options + " 2>&1";
    return runAndRead(command, status);
}

// Runs build/mentarium headless with a seed, the script text and more options,
// on a new profile: no run sees another's settings or progress (or the player's).
inline std::string runScript(const std::string& name, const std::string& script, const std::string& options,
                             int& status) {
    auto dir = runDirectory(name);
    for (const char* file : {"profile.sqlite", "profile.sqlite-wal", "profile.sqlite-shm"})
        std::filesystem::remove(dir / file);
    auto path = dir / "script.txt";
    std::ofstream(path) << script;
    return runWithProfile(name, "--headless --seed 1 --script '" + path.string() + "' --print-notifications " + options,
                          status);
}

// The notification codes in the order they came.
inline std::vector<int> notifications(const std::string& output) {
    std::vector<int> codes;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("notify ", 0) == 0) codes.push_back(std::stoi(line.substr(7)));
    return codes;
}

// The "describe" blocks of a run, each as its lines without the prefix.
inline std::vector<std::vector<std::string>> descriptions(const std::string& output) {
    std::vector<std::vector<std::string>> blocks;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("describe at ", 0) == 0) blocks.emplace_back();
        else if (line.rfind("describe ", 0) == 0 && !blocks.empty())
            blocks.back().push_back(line.substr(9));
    }
    return blocks;
}

// The value of "key value" in a description, or -1.
inline int fact(const std::vector<std::string>& block, const std::string& key) {
    for (const std::string& line : block)
        if (line.rfind(key + " ", 0) == 0) return std::stoi(line.substr(key.size() + 1));
    return -1;
}

inline bool showsScreen(const std::vector<std::string>& block, const std::string& screen) {
    for (const std::string& line : block)
        if (line == "screen " + screen) return true;
    return false;
}

inline bool readPng(const std::filesystem::path& path, window::DecodedPicture& picture) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return !bytes.empty() &&
           window::PngDecoder::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), true, picture);
}

}  // namespace hostrun
