// The content build: every source feeds it, and running its commands a second
// time into a fresh folder gives every item byte for byte again.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <map>
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
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

TEST(ContentBuild, EverySourceFileFeedsTheBuild) {
    const std::string inputs = capture("ninja -C " + binaryDir() + " -t inputs content");
    std::set<std::string> listed;
    std::istringstream lines(inputs);
    for (std::string line; std::getline(lines, line);)
        listed.insert(fs::weakly_canonical(fs::path(binaryDir()) / line).string());
    int sources = 0;
    for (const auto& entry : fs::recursive_directory_iterator(sourceDir() + "/content")) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        const std::string ext = entry.path().extension().string();
        // The build script and the style guide are not content; included scene
        // blocks reach the build through the scenes that include them.
        if (name == "CMakeLists.txt" || name == "STYLE.md" || ext == ".inc") continue;
        EXPECT_TRUE(listed.count(fs::weakly_canonical(entry.path()).string()))
            << entry.path() << " does not reach the build";
        ++sources;
    }
    EXPECT_GT(sources, 15);
}

std::vector<std::string> words(const std::string& command) {
    std::vector<std::string> out;
    std::istringstream in(command);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// The steps of a build command joined by "&&", without CMake's rewriting of
// depfiles (which would write into the real build's own records).
std::vector<std::string> steps(const std::string& command) {
    std::vector<std::string> out;
    size_t from = 0;
    for (;;) {
        const size_t amp = command.find(" && ", from);
        const std::string step = command.substr(from, amp == std::string::npos ? std::string::npos : amp - from);
        if (step.find("cmake_transform_depfile") == std::string::npos) out.push_back(step);
        if (amp == std::string::npos) return out;
        from = amp + 4;
    }
}

// The program a build command runs: the first word of its first step after "cd".
std::string programOf(const std::string& command) {
    for (const std::string& step : steps(command)) {
        const std::vector<std::string> w = words(step);
        if (!w.empty() && w[0] != "cd") return fs::path(w[0]).filename().string();
    }
    return "";
}

std::string withoutDepfileRewrite(const std::string& command) {
    std::string out;
    for (const std::string& step : steps(command)) out += (out.empty() ? "" : " && ") + step;
    return out;
}

// Makes items a second time with the build's own commands and compares them
// byte for byte: for every program of the content build (svgkit, rsvg-convert,
// convert, fontgen, sfxgen, musicgen, scenepp, the copy, and the packer when
// it is there) the first item it makes is made again into a fresh folder from
// the same inputs. The packer's run is the second packing of the archive.
TEST(ContentBuild, MakingItemsAgainGivesTheSameBytes) {
    const std::string outDir = binaryDir() + "/content";
    const std::string tmp = makeTempDir("regen");
    std::vector<std::string> commands;
    {
        std::istringstream in(capture("ninja -C " + binaryDir() + " -t commands content"));
        for (std::string cmd; std::getline(in, cmd);) commands.push_back(cmd);
    }
    std::map<std::string, std::string> sample;  // program -> a file it makes
    // The first command naming the file, or, for generators that write a
    // whole folder, the first naming its folder.
    const std::string archive = binaryDir() + "/Cogniquilt.bin";
    auto producer = [&](const std::string& file) -> std::string {
        // The packer names every item as an input; it makes only the archive.
        for (const std::string& cmd : commands)
            if (cmd.find(file) != std::string::npos && (file == archive || programOf(cmd) != "mkarchive")) return cmd;
        const std::string folder = fs::path(file).parent_path().string();
        for (const std::string& cmd : commands)
            for (const std::string& w : words(cmd))
                if (w == folder) return cmd;
        return "";
    };
    std::vector<std::string> files;
    for (const auto& [name, file] : items()) files.push_back(file);
    if (fs::exists(archive)) files.push_back(archive);
    for (const std::string& file : files) {
        const std::string cmd = producer(file);
        ASSERT_FALSE(cmd.empty()) << file << " is made by no command of the content build";
        sample.emplace(programOf(cmd), file);
    }
    EXPECT_GE(sample.size(), 7u) << [&] {
        std::string list;
        for (const auto& [program, file] : sample) list += program + " ";
        return list;
    }();

    auto relocate = [&](std::string text) {
        replaceAll(text, binaryDir() + "/Cogniquilt.bin", tmp + "/Cogniquilt.bin");
        replaceAll(text, outDir, tmp + "/content");
        return text;
    };
    // Stages a command's inputs in the fresh folder and starts it there.
    auto makeAgain = [&](const std::string& file) {
        const std::string cmd = withoutDepfileRewrite(producer(file));
        // Every other built file the command names is an input (or a further
        // output): stage the build's copy so that the command finds it.
        for (std::string w : words(cmd)) {
            // The packer names its inputs NAME=PATH.
            if (size_t eq = w.find('='); eq != std::string::npos && w.compare(eq + 1, outDir.size(), outDir) == 0)
                w.erase(0, eq + 1);
            if (w.rfind(outDir, 0) != 0 || w == file) continue;
            const fs::path there = relocate(w);
            if (fs::is_directory(w)) fs::create_directories(there);
            else if (fs::exists(w)) {
                fs::create_directories(there.parent_path());
                fs::copy_file(w, there, fs::copy_options::overwrite_existing);
            }
        }
        fs::create_directories(fs::path(relocate(file)).parent_path());
        const std::string again = relocate(cmd) + " > /dev/null 2>&1";
        return std::async(std::launch::async, [again] { return run(again); });
    };
    std::vector<std::pair<std::string, std::future<int>>> running;
    for (const auto& [program, file] : sample)
        if (program != "mkarchive") running.emplace_back(program, makeAgain(file));
    for (auto& [program, status] : running) ASSERT_EQ(status.get(), 0) << program;
    // The packer reads what the others write: it starts once they are done.
    if (sample.count("mkarchive")) {
        ASSERT_EQ(makeAgain(sample.at("mkarchive")).get(), 0) << "mkarchive";
    }
    for (const auto& [program, file] : sample)
        EXPECT_TRUE(readBytes(file) == readBytes(relocate(file)))
            << file << " differs when " << program << " makes it again";
    fs::remove_all(tmp);
}

}  // namespace
}  // namespace contenttest
