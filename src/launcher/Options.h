#pragma once

#include <string>

namespace launcher {

// What the host program was asked to do on its command line.
struct Options {
    bool headless = false;  // SDL dummy drivers, no window on screen
    bool hasSeed = false;
    long seed = 0;                          // fixes every random source of the game
    bool stepped = false;                   // frames run on the host's request, not by the clock
    std::string script;                     // timed input file
    bool printNotifications = false;        // each callback as "notify CODE [TEXT]" on stdout
    bool verbose = false;                   // log notifications and start-up on stderr
    bool bot = false;                       // the bot plays (see BotOptions.h)
    std::string botGame = "Concentration";  // a game's class name, or "daily" for a daily test
    int botDifficulty = 0;                  // 0 easy, 1 normal, 2 hard
    double botSkill = 1.0;                  // 1 a quick player who is always right; less is slower and misses
    bool unlockAll = false;                 // every game opens for this run only
    std::string botShots;                   // where the bot saves its screenshots
    std::string dataDirectory;              // where Cogniquilt.bin is
    std::string language;                   // --language CODE; empty: the game reads the environment
    bool fullscreen = false;
    std::string palette;             // --palette normal|colour-blind, empty for the kept choice
    int width = 1000, height = 750;  // initial window size
    // Instead of playing: report or change the kept progress, then exit.
    enum class ProgressAction { None, Stats, ExportHistory, Reset };
    ProgressAction progressAction = ProgressAction::None;
    std::string exportPath;  // --export-history FILE
};

// Prints why an option is bad and exits 2.
[[noreturn]] void bad(const char* what, const char* arg);

// Parses argv; on --help prints usage and exits 0, on a bad option prints why and exits 2.
Options parseOptions(int argc, char** argv);

}  // namespace launcher
