// The host program speaks the language asked for, by --language or by the
// environment, and refuses a code it does not know. Each language's main menu,
// How to Play, difficulty menu and Stroop Test are kept under build/screens/
// (language-CODE-*.png) for review.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "HostRun.h"

namespace {

using hostrun::descriptions;
using hostrun::fact;
using hostrun::showsScreen;

// Main menu, How to Play (opened and closed), the practice area's Stroop Test,
// its difficulty menu, a play on easy; a description after each shot.
std::string tourScript(const std::string& shots) {
    return "at 1500 shot " + shots +
           "-main.png\nat 1600 describe\n"
           "at 1700 click 250 226\nat 3000 shot " +
           shots +
           "-howtoplay.png\nat 3100 describe\n"
           "at 3200 click 250 311\nat 4000 click 250 118\nat 5500 click 72 116\n"
           "at 7000 shot " +
           shots +
           "-difficulty.png\nat 7100 describe\n"
           "at 7200 click 95 106\nat 12000 shot " +
           shots + "-strooptest.png\nat 12100 describe\nat 12200 quit\n";
}

// Runs the tour; environment is put before the program (e.g. "LANG=de_DE.UTF-8").
std::string tour(const std::string& language, const std::string& environment, const std::string& options, int& status) {
    auto dir = hostrun::runDirectory("language-" + language);
    for (const char* file : {"profile.sqlite", "profile.sqlite-wal", "profile.sqlite-shm"})
        std::filesystem::remove(dir / file);
    std::ofstream(dir / "script.txt") << tourScript((hostrun::screensDirectory() / ("language-" + language)).string());
    std::string command = "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG " + environment + " MENTARIUM_PROFILE='" +
                          (dir / "profile.sqlite").string() + "' '" + std::string(MENTARIUM_BINARY_DIR) +
                          "/mentarium' --headless --seed 1 --script '" + (dir / "script.txt").string() + "' " +
                          options + " 2>&1";
    return hostrun::runAndRead(command, status);
}

// How many pixels of a rectangle differ between two screenshots of one screen.
int differingPixels(const std::string& a, const std::string& b, int x0, int y0, int x1, int y1) {
    window::DecodedPicture pa, pb;
    if (!hostrun::readPng(a, pa) || !hostrun::readPng(b, pb)) return -1;
    int differing = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) differing += pa.pixels[y * pa.width + x] != pb.pixels[y * pb.width + x];
    return differing;
}

TEST(LanguageRun, UnknownLanguageIsRefusedNamingTheKnownOnes) {
    int status = 0;
    std::string text =
        hostrun::runAndRead("'" + std::string(MENTARIUM_BINARY_DIR) + "/mentarium' --language xx 2>&1", status);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(text.find("unknown language"), std::string::npos) << text;
    EXPECT_NE(text.find("de, fr, es"), std::string::npos) << text;
}

// English and French by the option, German from LANG, Spanish from a
// LANGUAGE list: each tour reaches its four screens, and every screen's words
// differ from the English ones (the title band of the practice button, the
// panel's title, the difficulty title, the game bar's captions).
TEST(LanguageRun, EveryLanguageShowsItsWordsOnTheToursScreens) {
    struct Run {
        const char* language;
        const char* environment;
        const char* options;
    };
    const Run runs[] = {{"en", "LANG=de_DE.UTF-8", "--language en"},
                        {"de", "LANG=de_DE.UTF-8", ""},
                        {"fr", "", "--language fr"},
                        {"es", "LANGUAGE=pt:es LANG=de_DE.UTF-8", ""}};
    for (const Run& run : runs) {
        SCOPED_TRACE(run.language);
        int status = 0;
        std::string text = tour(run.language, run.environment, run.options, status);
        ASSERT_TRUE(WIFEXITED(status)) << text;
        ASSERT_EQ(WEXITSTATUS(status), 0) << text;
        auto blocks = descriptions(text);
        ASSERT_EQ(blocks.size(), 4u) << text;
        EXPECT_TRUE(showsScreen(blocks[0], "MainMenu"));
        EXPECT_TRUE(showsScreen(blocks[1], "Instructions"));
        EXPECT_TRUE(showsScreen(blocks[2], "DifficultyMenu"));
        EXPECT_EQ(fact(blocks[3], "game"), 4);
    }
    auto shot = [](const std::string& language, const char* screen) {
        return (hostrun::screensDirectory() / ("language-" + language + "-" + screen + ".png")).string();
    };
    for (const char* language : {"de", "fr", "es"}) {
        SCOPED_TRACE(language);
        EXPECT_GT(differingPixels(shot("en", "main"), shot(language, "main"), 150, 96, 350, 140), 100);
        EXPECT_GT(differingPixels(shot("en", "howtoplay"), shot(language, "howtoplay"), 60, 30, 440, 70), 100);
        EXPECT_GT(differingPixels(shot("en", "difficulty"), shot(language, "difficulty"), 100, 10, 400, 50), 100);
        EXPECT_GT(differingPixels(shot("en", "strooptest"), shot(language, "strooptest"), 0, 0, 500, 40), 100);
    }
}

}  // namespace
