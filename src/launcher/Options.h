#pragma once

#include <string>

namespace launcher {

// What the host program was asked to do on its command line.
struct Options {
    bool headless = false;             // SDL dummy drivers, no window on screen
    bool hasSeed = false;
    long seed = 0;                     // fixes every random source of the game
    std::string script;                // timed input file
    bool printNotifications = false;   // each callback as "notify CODE [TEXT]" on stdout
    bool verbose = false;              // log notifications and start-up on stderr
    bool bot = false;                  // the demonstration player of Concentration
    std::string botShots;              // where the bot saves its screenshots
    std::string dataDirectory;         // where Cogniquilt.bin is
    bool fullscreen = false;
    int width = 1000, height = 750;    // initial window size
    // Instead of playing: report or change the kept progress, then exit.
    enum class ProgressAction { None, Stats, ExportHistory, Reset };
    ProgressAction progressAction = ProgressAction::None;
    std::string exportPath;            // --export-history FILE
};

// Parses argv; on --help prints usage and exits 0, on a bad option prints why and exits 2.
Options parseOptions(int argc, char** argv);

}  // namespace launcher
