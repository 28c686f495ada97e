// The host program facing faults from outside: a damaged archive, a data
// directory without one, no display, no browser opener.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "HostRun.h"
#include "lang/ResourceArchiveWriter.h"
#include "lang/ResourceFileHeader.h"
#include "lang/ResourceItem.h"
#include "launcher/Browser.h"
#include "mentarium/host.h"
#include "support/TempDir.h"
#include "util/Hashtable.h"

namespace {

const std::string kBuiltArchive = std::string(MENTARIUM_BINARY_DIR) + "/Cogniquilt.bin";

// The built archive packed again, each item's bytes passed through change
// (which may clear them to leave the item out).
std::vector<uint8_t> repacked(const std::function<void(const std::string&, std::vector<uint8_t>&)>& change) {
    auto* header = new lang::ResourceFileHeader(lang::String(kBuiltArchive.c_str()));
    lang::ResourceArchiveWriter writer;
    util::Hashtable::HTEnum* names = header->getItemTable()->keys();
    while (names->hasMoreElements()) {
        auto* name = static_cast<lang::String*>(names->nextElement());
        lang::ResourceItem* item = header->getItem(*name, false);
        std::vector<uint8_t> bytes(item->getData(), item->getData() + item->getLength());
        item->release();
        change(name->c_str(), bytes);
        if (!bytes.empty()) writer.add(name->c_str(), std::move(bytes));
    }
    names->release();
    header->release();
    return writer.image();
}

// Runs the program headless on the archive in dir; answers its output.
std::string runOn(const std::string& dir, int& status) {
    std::string command = "timeout -k 5 60 env -u MENTARIUM_DATA '" + std::string(MENTARIUM_BINARY_DIR) +
                          "/mentarium' --headless --print-notifications --data '" + dir + "' 2>&1";
    return hostrun::runAndRead(command, status);
}

int occurrences(const std::string& text, const std::string& needle) {
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
    return n;
}

}  // namespace

// Every kind of damage ends the start with one message naming the archive, the
// "stopped" notification and a failed exit; the game never reports "loaded".
TEST(FaultRun, ADamagedArchiveEndsTheStartWithOneMessageAndAFailedExit) {
    const std::vector<uint8_t> whole = testsupport::TempDir::read(kBuiltArchive);
    ASSERT_GT(whole.size(), 40000u);
    auto cut = [&](size_t n) { return std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(n)); };
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> damages = {
        {"empty", {}},
        {"zeros", std::vector<uint8_t>(whole.size(), 0)},
        {"cut at 4", cut(4)},
        {"cut at 196", cut(196)},
        {"cut at 1960", cut(1960)},
        {"cut at 19602", cut(19602)},
        {"cut at 5%", cut(whole.size() / 20)},
        {"cut at half", cut(whole.size() / 2)},
        {"scene item missing", repacked([](const std::string& name, std::vector<uint8_t>& bytes) {
             if (name == "datfile") bytes.clear();
         })},
        {"picture does not decode", repacked([](const std::string& name, std::vector<uint8_t>& bytes) {
             // The PNG signature stays, its header does not.
             if (name == "iCaptionFound") std::fill(bytes.begin() + 8, bytes.end(), 0);
         })},
    };
    for (const auto& [what, bytes] : damages) {
        testsupport::TempDir dir;
        std::string archive = dir.write("Cogniquilt.bin", bytes);
        int status = 0;
        std::string text = runOn(dir.path(), status);
        ASSERT_TRUE(WIFEXITED(status)) << what << "\n" << text;
        EXPECT_EQ(WEXITSTATUS(status), 1) << what << "\n" << text;  // 124 would be the time limit
        EXPECT_EQ(occurrences(text, "Damaged archive " + archive), 1) << what << "\n" << text;
        std::vector<int> codes = hostrun::notifications(text);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), MENTARIUM_NOTIFY_STOPPED), 1) << what << "\n" << text;
        EXPECT_EQ(std::count(codes.begin(), codes.end(), MENTARIUM_NOTIFY_LOADED), 0) << what << "\n" << text;
    }
}

TEST(FaultRun, ADataDirectoryWithoutTheArchiveIsAnErrorNamingIt) {
    testsupport::TempDir dir;
    int status = 0;
    std::string text = runOn(dir.path(), status);
    ASSERT_TRUE(WIFEXITED(status)) << text;
    EXPECT_EQ(WEXITSTATUS(status), 1) << text;
    EXPECT_NE(text.find("--data " + dir.path() + ": no Cogniquilt.bin there"), std::string::npos) << text;
    EXPECT_TRUE(hostrun::notifications(text).empty()) << text;  // no other copy was started instead
}

// Without a display the program says so instead of running unseen in SDL's
// offscreen driver.
TEST(FaultRun, WithoutADisplayTheProgramSaysItCannotOpenAWindow) {
    std::string command = "timeout -k 5 30 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER '" +
                          std::string(MENTARIUM_BINARY_DIR) + "/mentarium' 2>&1";
    int status = 0;
    std::string text = hostrun::runAndRead(command, status);
    ASSERT_TRUE(WIFEXITED(status)) << text;
    EXPECT_EQ(WEXITSTATUS(status), 1) << text;
    EXPECT_NE(text.find("mentarium: cannot open a window: no display ("), std::string::npos) << text;
}

TEST(FaultRun, ABrowserOpenerThatCannotRunIsReported) {
    testsupport::TempDir empty;
    testsupport::ScopedEnv path("PATH", empty.path().c_str());
    testing::internal::CaptureStderr();
    launcher::openInBrowser("https://example.invalid/");
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot open https://example.invalid/: cannot run xdg-open"), std::string::npos) << said;
}
