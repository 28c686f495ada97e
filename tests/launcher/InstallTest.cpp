#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include <unistd.h>

#include "HostRun.h"

namespace fs = std::filesystem;

namespace {

const char kAppId[] = "com.quillory.Mentarium";

// A temporary folder of this test process (tests may run side by side).
fs::path scratch(const std::string& name) {
    return fs::temp_directory_path() / ("mentarium-" + name + "-" + std::to_string(getpid()));
}

// Removes a folder when the test process ends.
struct RemovedAtExit {
    explicit RemovedAtExit(fs::path p) : path(std::move(p)) {}
    ~RemovedAtExit() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

// This build installed once into a fresh temporary prefix, shared by the tests of a process.
const fs::path& installedPrefix() {
    static const fs::path prefix = [] {
        fs::path p = scratch("install");
        fs::remove_all(p);
        int status = 0;
        std::string output = hostrun::runAndRead(std::string("'") + MENTARIUM_CMAKE_COMMAND + "' --install '" +
                                                     MENTARIUM_BINARY_DIR + "' --prefix '" + p.string() + "' 2>&1",
                                                 status);
        EXPECT_EQ(status, 0) << output;
        return p;
    }();
    static const RemovedAtExit cleanup(prefix);
    return prefix;
}

bool toolAvailable(const std::string& tool) {
    int status = 0;
    hostrun::runAndRead("command -v " + tool + " >/dev/null 2>&1", status);
    return status == 0;
}

}  // namespace

TEST(InstallTest, EveryPartLandsWhereTheDesktopLooksForIt) {
    const fs::path& p = installedPrefix();
    for (const char* file : {"bin/mentarium", "lib/mentarium/libmentarium.so", "share/mentarium/Cogniquilt.bin",
                             "share/man/man6/mentarium.6"})
        EXPECT_TRUE(fs::is_regular_file(p / file)) << file;
    EXPECT_TRUE(fs::is_regular_file(p / "share/applications" / (std::string(kAppId) + ".desktop")));
    EXPECT_TRUE(fs::is_regular_file(p / "share/metainfo" / (std::string(kAppId) + ".metainfo.xml")));
    EXPECT_TRUE(fs::is_regular_file(p / "share/icons/hicolor/scalable/apps" / (std::string(kAppId) + ".svg")));
    for (int size : {48, 128, 256}) {
        std::string dir = std::to_string(size) + "x" + std::to_string(size);
        window::DecodedPicture icon;
        ASSERT_TRUE(hostrun::readPng(p / "share/icons/hicolor" / dir / "apps" / (std::string(kAppId) + ".png"), icon))
            << dir;
        EXPECT_EQ(icon.width, size);
        EXPECT_EQ(icon.height, size);
    }
    // The library is found through the program's RUNPATH, not beside it.
    EXPECT_FALSE(fs::exists(p / "bin/libmentarium.so"));
}

// From / with nothing in the environment but a home: the installed program
// finds its library and archive by itself and reaches the main menu.
TEST(InstallTest, InstalledProgramRunsFromTheRootWithABareEnvironment) {
    const fs::path& p = installedPrefix();
    fs::path home = scratch("install-home");
    RemovedAtExit cleanup(home);
    fs::remove_all(home);
    fs::create_directories(home);
    fs::path script = home / "script.txt";
    std::ofstream(script) << "at 300 describe\nat 400 quit\n";
    int status = 0;
    // A sanitized build keeps its leak check off here: the bare environment
    // drops the suppressions of the libraries' own start-up allocations.
    std::string output = hostrun::runAndRead(
        "cd / && env -i HOME='" + home.string() + "' ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" '" +
            (p / "bin/mentarium").string() + "' --headless --script '" + script.string() + "' 2>&1",
        status);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    auto blocks = hostrun::descriptions(output);
    ASSERT_EQ(blocks.size(), 1u) << output;
    EXPECT_TRUE(hostrun::showsScreen(blocks[0], "MainMenu")) << output;
    EXPECT_TRUE(fs::exists(home / ".config/mentarium/profile.sqlite"));
}

TEST(InstallTest, DesktopEntryPassesTheValidator) {
    if (!toolAvailable("desktop-file-validate"))
        GTEST_SKIP() << "desktop-file-validate is not installed (Debian package desktop-file-utils)";
    int status = 0;
    std::string output = hostrun::runAndRead(
        "desktop-file-validate '" + (installedPrefix() / "share/applications" / kAppId).string() + ".desktop' 2>&1",
        status);
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output, "") << "the validator has remarks";
}

TEST(InstallTest, MetainfoPassesAppStreamValidation) {
    if (!toolAvailable("appstreamcli")) GTEST_SKIP() << "appstreamcli is not installed (Debian package appstream)";
    int status = 0;
    std::string output =
        hostrun::runAndRead("appstreamcli validate --no-net '" +
                                (installedPrefix() / "share/metainfo" / kAppId).string() + ".metainfo.xml' 2>&1",
                            status);
    EXPECT_EQ(status, 0) << output;
}
