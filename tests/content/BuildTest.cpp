// The content build: every source feeds it, and running its commands a second
// time into a fresh folder gives every item byte for byte again.

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "ContentFiles.h"

namespace contenttest {
namespace {

namespace fs = std::filesystem;

std::string capture(const std::string& command) {
    const std::string dir = makeTempDir("capture");
    const std::string out = dir + "/out.txt";
    const int status = run(command + " > " + out + " 2>&1");
    std::string text = readText(out);
    fs::remove_all(dir);
    if (status != 0) ADD_FAILURE() << command << " failed:\n" << text;
    return text;
}

void replaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) s.replace(at, from.size(), to);
}

TEST(ContentBuild, EverySourceFileFeedsTheBuild) {
    const std::string inputs = capture("ninja -C " + binaryDir() + " -t inputs content");
    std::set<std::string> listed;
    std::istringstream lines(inputs);
    for (std::string line; std::getline(lines, line);) listed.insert(fs::weakly_canonical(fs::path(binaryDir()) / line).string());
    int sources = 0;
    for (const auto& entry : fs::recursive_directory_iterator(sourceDir() + "/content")) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        const std::string ext = entry.path().extension().string();
        // The build script and the style guide are not content; included scene
        // blocks reach the build through the scenes that include them.
        if (name == "CMakeLists.txt" || name == "STYLE.md" || ext == ".inc") continue;
        EXPECT_TRUE(listed.count(fs::weakly_canonical(entry.path()).string())) << entry.path() << " does not reach the build";
        ++sources;
    }
    EXPECT_GT(sources, 15);
}

// Replays the build's own commands with every output redirected into a fresh
// folder and compares each item (and the packed archive, when there is one).
TEST(ContentBuild, RegeneratingGivesByteIdenticalItems) {
    const std::string outDir = binaryDir() + "/content";
    const std::string archive = binaryDir() + "/Cogniquilt.bin";
    const std::string tmp = makeTempDir("regen");
    for (const char* sub : {"svg", "png", "sfx", "music", "scenes", "texts"}) fs::create_directories(tmp + "/content/" + sub);

    std::istringstream commands(capture("ninja -C " + binaryDir() + " -t commands content"));
    int replayed = 0;
    // Generators that read only sources run beside the chain of picture steps.
    std::vector<std::pair<std::string, std::future<int>>> beside;
    for (std::string cmd; std::getline(commands, cmd);) {
        if (cmd.find(outDir + "/") == std::string::npos && cmd.find(archive) == std::string::npos) continue;
        if (cmd.find("content-sheet.png") != std::string::npos) continue;  // a review aid, not an item
        replaceAll(cmd, outDir + "/", tmp + "/content/");
        replaceAll(cmd, outDir + " ", tmp + "/content ");
        replaceAll(cmd, archive, tmp + "/Cogniquilt.bin");
        ++replayed;
        if (cmd.find("/tools/musicgen ") != std::string::npos || cmd.find("/tools/fontgen ") != std::string::npos ||
            cmd.find("/tools/sfxgen ") != std::string::npos) {
            beside.emplace_back(cmd, std::async(std::launch::async, [cmd] { return run(cmd + " > /dev/null 2>&1"); }));
            continue;
        }
        ASSERT_EQ(run(cmd + " > /dev/null 2>&1"), 0) << cmd;
    }
    for (auto& [cmd, status] : beside) ASSERT_EQ(status.get(), 0) << cmd;
    EXPECT_GT(replayed, 20);
    int compared = 0;
    for (const auto& [name, file] : items()) {
        ASSERT_EQ(file.rfind(outDir + "/", 0), 0u) << name << " is not made by the build";
        const std::string again = tmp + "/content/" + file.substr(outDir.size() + 1);
        ASSERT_TRUE(fs::exists(again)) << name;
        EXPECT_TRUE(readBytes(file) == readBytes(again)) << name << " differs when made again";
        ++compared;
    }
    if (fs::exists(archive)) {
        EXPECT_TRUE(readBytes(archive) == readBytes(tmp + "/Cogniquilt.bin")) << "Cogniquilt.bin";
    }
    EXPECT_EQ(compared, static_cast<int>(items().size()));
    fs::remove_all(tmp);
}

}  // namespace
}  // namespace contenttest
