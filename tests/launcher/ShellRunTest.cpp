#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "HostRun.h"
#include "mentarium/host.h"
#include "support/TempDir.h"

namespace {

// Scene coordinates of the buttons the runs press.
constexpr const char* kOutsideButtons = "420 190";  // the menu backdrop
constexpr const char* kMute = "472 28";
constexpr const char* kHowToPlay = "250 225";
constexpr const char* kCloseRules = "250 310";
constexpr const char* kDownload = "68 28";
constexpr const char* kPractice = "250 116";
constexpr const char* kConcentration = "74 70";
constexpr const char* kSpatialMemory = "314 77";
constexpr const char* kSimon = "434 77";
constexpr const char* kWhichIsMore = "314 161";
constexpr const char* kStroopTest = "72 116";
constexpr const char* kNumberOrder = "72 158";
constexpr const char* kEasy = "120 106";
constexpr const char* kDailyTest = "250 172";
constexpr const char* kStartTest = "250 218";
constexpr const char* kStartFirstGame = "370 73";
constexpr const char* kEndGame = "250 224";
constexpr const char* kExitYes = "185 222";

size_t countColours(const window::DecodedPicture& picture) {
    std::set<uint32_t> colours(picture.pixels, picture.pixels + picture.width * picture.height);
    return colours.size();
}

void expectScreenshot(const std::filesystem::path& path) {
    window::DecodedPicture picture;
    ASSERT_TRUE(hostrun::readPng(path, picture)) << path;
    EXPECT_EQ(picture.width, MENTARIUM_SCENE_WIDTH);
    EXPECT_GT(countColours(picture), 100u) << path;
}

}  // namespace

// One player's way through the shell: the introduction, mute, the rules, the
// download button, a play paused by a lost focus and left through the exit question.
TEST(ShellRunTest, MenusDialogsPauseAndExitSendTheirNotifications) {
    auto screens = hostrun::screensDirectory();
    std::string s = screens.string() + "/";
    std::string script =
        "at 1500 describe\n"
        "at 1600 shot " +
        s +
        "main-menu.png\n"
        "at 1700 click " +
        kOutsideButtons +
        "\n"
        "at 1900 describe\n"
        "at 2000 click " +
        kOutsideButtons +
        "\n"
        "at 2200 describe\n"
        "at 2300 click " +
        kOutsideButtons +
        "\n"
        "at 2500 describe\n"
        "at 2600 click " +
        kOutsideButtons +
        "\n"
        "at 2800 describe\n"
        "at 2900 click " +
        kOutsideButtons +
        "\n"
        "at 3100 describe\n"
        "at 3200 click " +
        kMute +
        "\n"
        "at 3400 describe\n"
        "at 3500 click " +
        kMute +
        "\n"
        "at 3700 describe\n"
        "at 3800 click " +
        kHowToPlay +
        "\n"
        "at 4300 shot " +
        s +
        "instructions.png\n"
        "at 4400 click " +
        kCloseRules +
        "\n"
        "at 4600 click " +
        kDownload +
        "\n"
        "at 4800 click " +
        kPractice +
        "\n"
        "at 5300 shot " +
        s +
        "practice-area.png\n"
        "at 5400 click " +
        kConcentration +
        "\n"
        "at 5900 shot " +
        s +
        "difficulty-menu.png\n"
        "at 6000 click " +
        kEasy +
        "\n"
        "at 9000 blur\n"
        "at 9300 describe\n"
        "at 9400 shot " +
        s +
        "pause-menu.png\n"
        "at 9500 click " +
        kEndGame +
        "\n"
        "at 9900 shot " +
        s +
        "exit-question.png\n"
        "at 10000 click " +
        kExitYes +
        "\n"
        "at 10400 describe\n"
        "at 10500 quit\n";
    int status = 0;
    std::string output = hostrun::runScript("shell-run", script, "", status);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    ASSERT_EQ(WEXITSTATUS(status), 0) << output;

    std::vector<int> expected = {MENTARIUM_NOTIFY_STARTED,   MENTARIUM_NOTIFY_LOADED,     MENTARIUM_NOTIFY_SOUND_OFF,
                                 MENTARIUM_NOTIFY_SOUND_ON,  MENTARIUM_NOTIFY_RESUMED,    MENTARIUM_NOTIFY_RESUMED,
                                 MENTARIUM_NOTIFY_DOWNLOAD,  MENTARIUM_NOTIFY_PLAY_START, MENTARIUM_NOTIFY_PAUSED,
                                 MENTARIUM_NOTIFY_LEFT_GAME, MENTARIUM_NOTIFY_STOPPED};
    EXPECT_EQ(hostrun::notifications(output), expected) << output;

    auto blocks = hostrun::descriptions(output);
    ASSERT_EQ(blocks.size(), 10u) << output;
    // The introduction: each click beside the buttons while Razoz talks moves it on, up to stage 4.
    EXPECT_TRUE(hostrun::showsScreen(blocks[0], "MainMenu"));
    EXPECT_EQ(hostrun::fact(blocks[0], "state"), 4);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(hostrun::fact(blocks[i], "helpstage"), std::min(i, 4)) << i;
    EXPECT_EQ(hostrun::fact(blocks[5], "helpstage"), 4);
    EXPECT_EQ(hostrun::fact(blocks[6], "muted"), 1);
    EXPECT_EQ(hostrun::fact(blocks[7], "muted"), 0);
    // The lost focus paused the play: state 1 with the pause menu, the game in phase 6.
    EXPECT_EQ(hostrun::fact(blocks[8], "state"), 1);
    EXPECT_TRUE(hostrun::showsScreen(blocks[8], "PauseMenu"));
    EXPECT_EQ(hostrun::fact(blocks[8], "phase"), 6);
    // Leaving returns to the practice area's menu with no game running.
    EXPECT_EQ(hostrun::fact(blocks[9], "state"), 4);
    EXPECT_TRUE(hostrun::showsScreen(blocks[9], "PracticeAreaMenu"));
    EXPECT_EQ(hostrun::fact(blocks[9], "game"), -1);

    for (const char* name : {"main-menu.png", "instructions.png", "practice-area.png", "difficulty-menu.png",
                             "pause-menu.png", "exit-question.png"})
        expectScreenshot(screens / name);
}

// Concentration from the main menu to its result, played by the bot that reads
// the board and misses some pairs on purpose.
TEST(ShellRunTest, ConcentrationBotPlaysToTheResultScreen) {
    auto screens = hostrun::screensDirectory();
    for (const char* name : {"concentration-start.png", "concentration-midturn.png", "concentration-gameover.png",
                             "concentration-result.png"})
        std::filesystem::remove(screens / name);
    // The bot finds its own way from the main menu; at skill 0.3 it misses about a fifth of its turns.
    int status = 0;
    std::string output = hostrun::runScript(
        "concentration-bot", "at 120000 quit\n",
        "--bot Concentration --bot-skill 0.3 --seed 3 --bot-shots '" + screens.string() + "'", status);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    ASSERT_EQ(WEXITSTATUS(status), 0) << output;

    int right = 0, wrong = 0, gameOverScore = -1, resultScore = -1;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string bot, what, kind, key;
        words >> bot >> what;
        if (bot != "bot") continue;
        if (what == "answer") {
            int before, after, shownBefore, shownAfter, wrongBefore, wrongAfter, indicator, shake;
            words >> kind >> key >> before >> after >> key >> shownBefore >> shownAfter >> key >> wrongBefore >>
                wrongAfter >> key >> indicator >> key >> shake;
            if (kind == "right") {
                ++right;
                EXPECT_GT(after, before) << line;            // a found pair scores
                EXPECT_GT(shownAfter, shownBefore) << line;  // and the score shows it
                EXPECT_EQ(wrongAfter, wrongBefore) << line;
                EXPECT_EQ(indicator, 0) << line;
            } else {
                ++wrong;
                EXPECT_EQ(after, before) << line;  // a miss scores nothing
                EXPECT_EQ(wrongAfter, wrongBefore + 1) << line;
                EXPECT_EQ(indicator, 1) << line;  // the wrong-answer indicator
                EXPECT_EQ(shake, 1) << line;      // and the shaking timer
            }
        } else if (what == "gameover") {
            words >> key >> gameOverScore;
        } else if (what == "result") {
            words >> key >> resultScore;
        }
    }
    EXPECT_GE(right, 5) << output;
    // How many misses a minute holds depends on the machine's pace: a miss
    // planned when only a pair is left on the board cannot be made.
    EXPECT_GE(wrong, 1) << output;
    EXPECT_GT(gameOverScore, 0) << output;
    // Easy counts the score as it is; the result screen shows the play's score.
    EXPECT_EQ(resultScore, gameOverScore) << output;
    // The play is kept: the report of the same profile shows it as the best on easy.
    std::string stats = hostrun::runWithProfile("concentration-bot", "--stats", status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << stats;
    std::istringstream rows(stats);
    std::string row;
    while (std::getline(rows, row) && row.rfind("Concentration ", 0) != 0) {}
    std::istringstream cells(row.substr(std::string("Concentration").size()));
    int easy = -1, normal = -1, hard = -1;
    cells >> easy >> normal >> hard;
    EXPECT_EQ(easy, resultScore) << stats;
    EXPECT_EQ(normal, 0) << stats;

    std::vector<int> codes = hostrun::notifications(output);
    auto start = std::find(codes.begin(), codes.end(), MENTARIUM_NOTIFY_PLAY_START);
    auto over = std::find(codes.begin(), codes.end(), MENTARIUM_NOTIFY_GAME_OVER);
    EXPECT_NE(start, codes.end()) << output;
    ASSERT_NE(over, codes.end()) << output;
    EXPECT_LT(start, over);
    for (const char* name : {"concentration-start.png", "concentration-midturn.png", "concentration-gameover.png",
                             "concentration-result.png"})
        expectScreenshot(screens / name);
}

namespace {

// Plays a game from the practice area on easy: at each moment a screenshot
// under build/screens and a description 100 ms later, then the host quits.
// Answers the descriptions; the run's whole output goes to output.
std::vector<std::vector<std::string>> practiceRun(const char* run, const char* gameButton,
                                                  std::initializer_list<std::pair<int, const char*>> shots,
                                                  std::string& output) {
    auto screens = hostrun::screensDirectory();
    std::string script = std::string("at 1500 click ") + kPractice + "\n" + "at 2200 click " + gameButton + "\n" +
                         "at 2900 click " + kEasy + "\n";
    int end = 3000;
    for (auto [at, name] : shots) {
        std::filesystem::remove(screens / name);
        script += "at " + std::to_string(at) + " shot " + (screens / name).string() + "\n";
        script += "at " + std::to_string(at + 100) + " describe\n";
        end = at + 200;
    }
    script += "at " + std::to_string(end) + " quit\n";
    int status = 0;
    output = hostrun::runScript(run, script, "", status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    for (auto [at, name] : shots) expectScreenshot(screens / name);
    return hostrun::descriptions(output);
}

// Opens a game from the practice area on easy, photographs its first turn
// under build/screens and hands back the description taken just after.
void playFirstTurn(const char* run, const char* gameButton, const char* shotName, std::vector<std::string>& block) {
    std::string output;
    auto blocks = practiceRun(run, gameButton, {{7500, shotName}}, output);
    ASSERT_EQ(blocks.size(), 1u) << output;
    block = blocks[0];
}

}  // namespace

// Which Is More from the practice area: a turn of panels on screen, photographed for review.
TEST(ShellRunTest, WhichIsMoreShowsATurnOfPanels) {
    std::vector<std::string> block;
    playFirstTurn("which-is-more", kWhichIsMore, "whichismore-turn.png", block);
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(hostrun::fact(block, "game"), 10);
    EXPECT_EQ(hostrun::fact(block, "phase"), 5);  // waiting for the player's answer
    EXPECT_GE(hostrun::fact(block, "panels"), 2);
}

// Stroop Test from the practice area: buckets and a colour word, photographed for review.
TEST(ShellRunTest, StroopTestShowsBucketsAndAColourWord) {
    std::vector<std::string> block;
    playFirstTurn("stroop-test", kStroopTest, "stroop-turn.png", block);
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(hostrun::fact(block, "game"), 4);
    EXPECT_EQ(hostrun::fact(block, "phase"), 5);    // waiting for the player's answer
    EXPECT_EQ(hostrun::fact(block, "buckets"), 2);  // easy starts with two
}

// Number Order from the practice area: a pattern of tiles, photographed for review.
TEST(ShellRunTest, NumberOrderShowsAPatternOfTiles) {
    std::vector<std::string> block;
    playFirstTurn("number-order", kNumberOrder, "numberorder-turn.png", block);
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(hostrun::fact(block, "game"), 8);
    EXPECT_EQ(hostrun::fact(block, "numbers"), 3);  // easy starts with three tiles
    EXPECT_EQ(std::count_if(block.begin(), block.end(), [](const std::string& l) { return l.rfind("tile ", 0) == 0; }),
              3);
}

// The daily test from the main menu: its menu with the rank, a test picked
// on Start Test, the rest screen, and the first game started from it.
TEST(ShellRunTest, DailyTestStartsItsFirstGameFromTheRestScreen) {
    auto screens = hostrun::screensDirectory();
    auto menuShot = screens / "dailytest-menu.png", restShot = screens / "dailytest-rest-host.png";
    std::filesystem::remove(menuShot);
    std::filesystem::remove(restShot);
    std::string script = std::string("at 1500 click ") + kDailyTest + "\n" + "at 3500 shot " + menuShot.string() +
                         "\n" + "at 3600 describe\n" + "at 3700 click " + kStartTest + "\n" + "at 5200 shot " +
                         restShot.string() + "\n" + "at 5300 describe\n" + "at 5400 click " + kStartFirstGame + "\n" +
                         "at 8500 describe\n" + "at 8600 quit\n";
    int status = 0;
    std::string output = hostrun::runScript("daily-test", script, "", status);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    ASSERT_EQ(WEXITSTATUS(status), 0) << output;
    auto blocks = hostrun::descriptions(output);
    ASSERT_EQ(blocks.size(), 3u) << output;
    EXPECT_TRUE(hostrun::showsScreen(blocks[0], "DailyTestMenu")) << output;
    EXPECT_FALSE(hostrun::showsScreen(blocks[0], "MainMenu")) << output;
    EXPECT_EQ(hostrun::fact(blocks[0], "rank"), 0);

    EXPECT_TRUE(hostrun::showsScreen(blocks[1], "DailyTestRestScreen")) << output;
    // "test <played> <six games>": none played yet, six distinct games picked.
    std::vector<int> test;
    for (const std::string& line : blocks[1])
        if (line.rfind("test ", 0) == 0) {
            std::istringstream in(line.substr(5));
            for (int v; in >> v;) test.push_back(v);
        }
    ASSERT_EQ(test.size(), 7u) << output;
    EXPECT_EQ(test[0], 0);
    EXPECT_EQ(std::set<int>(test.begin() + 1, test.end()).size(), 6u);

    EXPECT_EQ(hostrun::fact(blocks[2], "state"), 0) << output;
    EXPECT_EQ(hostrun::fact(blocks[2], "game"), test[1]) << output;
    EXPECT_EQ(hostrun::fact(blocks[2], "phase") >= 2, true) << output;
    expectScreenshot(menuShot);
    expectScreenshot(restShot);
}

// Spatial Memory from the practice area: the lit pattern, then the grid that
// waits for the answer, photographed for review.
TEST(ShellRunTest, SpatialMemoryLightsAPatternAndWaits) {
    std::string output;
    auto blocks = practiceRun("spatial-memory", kSpatialMemory,
                              {{7000, "spatialmemory-lit.png"}, {9200, "spatialmemory-answer.png"}}, output);
    ASSERT_EQ(blocks.size(), 2u) << output;
    EXPECT_EQ(hostrun::fact(blocks[0], "game"), 2);
    EXPECT_EQ(hostrun::fact(blocks[0], "phase"), 3) << output;  // the targets are lit
    EXPECT_EQ(hostrun::fact(blocks[1], "phase"), 5) << output;  // waiting for the player's clicks
    EXPECT_GE(hostrun::fact(blocks[1], "grid"), 3);
}

// Simon from the practice area: the buttons of a turn while the sequence
// shows, one of them lit and turned, photographed for review.
TEST(ShellRunTest, SimonShowsItsSequence) {
    std::string output;
    auto blocks = practiceRun("simon", kSimon, {{7000, "simon-sequence.png"}}, output);
    ASSERT_EQ(blocks.size(), 1u) << output;
    EXPECT_EQ(hostrun::fact(blocks[0], "game"), 3);
    int phase = hostrun::fact(blocks[0], "phase");
    EXPECT_TRUE(phase >= 13 && phase <= 15) << output;  // the sequence is on show
    EXPECT_EQ(hostrun::fact(blocks[0], "simon"), 3);    // easy starts with three buttons
}

// --unlock-all opens a game that a new profile keeps locked, for that run only:
// the next run on the same profile finds it locked again.
TEST(ShellRunTest, UnlockAllOpensEveryGameForThatRunOnly) {
    testsupport::TempDir home;
    setenv("MENTARIUM_PROFILE", home.file("profile.sqlite").c_str(), 1);
    std::string script = std::string("at 1500 click ") + kPractice + "\n" + "at 2500 describe\n" + "at 2600 quit\n";
    const std::string lastGame = "button PracticeAreaMenu bStart" + std::to_string(15) + " ";
    auto lastGameOffered = [&](const char* options) {
        int status = 0;
        std::string output = hostrun::runScript("unlock-all", script, options, status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
        auto blocks = hostrun::descriptions(output);
        EXPECT_EQ(blocks.size(), 1u) << output;
        for (const auto& block : blocks)
            for (const std::string& line : block)
                if (line.rfind(lastGame, 0) == 0) return true;
        return false;
    };
    EXPECT_FALSE(lastGameOffered(""));
    EXPECT_TRUE(lastGameOffered("--unlock-all"));
    EXPECT_FALSE(lastGameOffered(""));
    unsetenv("MENTARIUM_PROFILE");
}

// Stepped, the frames follow the host rather than the clock. Match Maker II sets
// its own pace, so there a slow player's score turns on which frame a click
// lands in; stepped, the same seed plays the same game to the same score.
TEST(ShellRunTest, ASteppedPlayRepeatsExactly) {
    auto play = [](const char* run) {
        int status = 0;
        std::string output = hostrun::runScript(
            run, "", "--stepped --bot MatchMaker2 --unlock-all --bot-skill 0.3 --seed 4", status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
        std::string botLines;
        std::istringstream in(output);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("bot ", 0) == 0) botLines += line + "\n";
        return botLines;
    };
    std::string first = play("stepped-first");
    EXPECT_NE(first.find("bot result lastscore "), std::string::npos) << first;
    EXPECT_GT(std::count(first.begin(), first.end(), '\n'), 10) << first;
    EXPECT_EQ(play("stepped-second"), first);
}
