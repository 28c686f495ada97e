#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "HostRun.h"
#include "mentarium/host.h"
#include "platform/ProfileStore.h"

namespace {

constexpr const char* kPractice = "250 116";
constexpr const char* kConcentration = "74 70";
constexpr const char* kStroopTest = "72 116";
constexpr const char* kEasy = "120 106";

bool contains(const std::vector<int>& codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// How often the click sound has played, from a description's "sounds" line.
int clickSounds(const std::vector<std::string>& block) {
    for (const std::string& line : block) {
        if (line.rfind("sounds ", 0) != 0) continue;
        std::istringstream counts(line.substr(7));
        std::vector<int> values;
        for (int v; counts >> v;) values.push_back(v);
        return values.size() > 10 ? values[10] : -1;
    }
    return -1;
}

}  // namespace

// The main menu by keys alone: Tab onto the first button, Return opens the
// practice area, Escape goes back, M mutes.
TEST(KeyboardRunTest, TabReturnEscapeAndMOnTheMenus) {
    std::string script =
        "at 500 key Tab\n"
        "at 600 key Return\n"
        "at 1100 describe\n"
        "at 1200 key Escape\n"
        "at 1700 describe\n"
        "at 1800 key M\n"
        "at 2000 describe\n"
        "at 2100 quit\n";
    int status = 0;
    std::string output = hostrun::runScript("keys-menus", script, "", status);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    auto blocks = hostrun::descriptions(output);
    ASSERT_EQ(blocks.size(), 3u) << output;
    EXPECT_TRUE(hostrun::showsScreen(blocks[0], "PracticeAreaMenu")) << output;
    EXPECT_FALSE(hostrun::showsScreen(blocks[0], "MainMenu")) << output;
    EXPECT_TRUE(hostrun::showsScreen(blocks[1], "MainMenu")) << output;
    EXPECT_FALSE(hostrun::showsScreen(blocks[1], "PracticeAreaMenu")) << output;
    EXPECT_EQ(hostrun::fact(blocks[1], "muted"), 0);
    EXPECT_EQ(hostrun::fact(blocks[2], "muted"), 1);
    EXPECT_TRUE(contains(hostrun::notifications(output), MENTARIUM_NOTIFY_SOUND_OFF)) << output;
}

// Escape in a running play pauses it as a lost focus does; Escape on the
// pause menu resumes.
TEST(KeyboardRunTest, EscapePausesAPlayAndEscapeAgainResumesIt) {
    std::string script = std::string("at 500 click ") + kPractice + "\n" + "at 1200 click " + kConcentration + "\n" +
                         "at 1900 click " + kEasy + "\n" + "at 5000 key Escape\n" + "at 5400 describe\n" +
                         "at 5500 key Escape\n" + "at 5900 describe\n" + "at 6000 quit\n";
    int status = 0;
    std::string output = hostrun::runScript("keys-pause", script, "", status);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_TRUE(contains(hostrun::notifications(output), MENTARIUM_NOTIFY_PAUSED)) << output;
    auto blocks = hostrun::descriptions(output);
    ASSERT_EQ(blocks.size(), 2u) << output;
    EXPECT_EQ(hostrun::fact(blocks[0], "state"), 1);
    EXPECT_TRUE(hostrun::showsScreen(blocks[0], "PauseMenu"));
    EXPECT_EQ(hostrun::fact(blocks[1], "state"), 0);
    EXPECT_FALSE(hostrun::showsScreen(blocks[1], "PauseMenu"));
}

// The number keys answer from a row: 1 picks Stroop's leftmost bucket.
TEST(KeyboardRunTest, ANumberKeyAnswersStroop) {
    std::string script = std::string("at 500 click ") + kPractice + "\n" + "at 1200 click " + kStroopTest + "\n" +
                         "at 1900 click " + kEasy + "\n" + "at 6600 describe\n" + "at 6700 key 1\n" +
                         "at 6900 describe\n" + "at 7000 quit\n";
    int status = 0;
    std::string output = hostrun::runScript("keys-stroop", script, "", status);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    auto blocks = hostrun::descriptions(output);
    ASSERT_EQ(blocks.size(), 2u) << output;
    ASSERT_EQ(hostrun::fact(blocks[0], "phase"), 5) << output;  // waiting for the answer
    EXPECT_NE(hostrun::fact(blocks[1], "phase"), 5) << output;  // answered, right or wrong
    EXPECT_EQ(clickSounds(blocks[1]), clickSounds(blocks[0]) + 1) << output;
}

// F11 switches full screen and the profile keeps the choice as "FULLSCREEN".
TEST(KeyboardRunTest, F11IsKeptInTheProfile) {
    int status = 0;
    std::string output = hostrun::runScript("keys-fullscreen", "at 500 key F11\nat 800 quit\n", "", status);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    auto profile = platform::ProfileStore::open((hostrun::runDirectory("keys-fullscreen") / "profile.sqlite").string());
    ASSERT_TRUE(profile);
    auto product = profile->openKey(profile->root(), "Software\\Quillory\\Cogniquilt", false);
    auto value = profile->getValue(product, "FULLSCREEN");
    ASSERT_TRUE(value);
    ASSERT_EQ(value->data.size(), 4u);
    EXPECT_EQ(value->data[0], 1);
}
