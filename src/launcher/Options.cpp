#include "Options.h"

#include "BotOptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/LanguageChoice.h"

namespace launcher {

namespace {

const char kUsage[] =
    "usage: mentarium [options]\n"
    "Starts Mentarium, the brain-training game, in a window.\n"
    "\n"
    "  --data DIR              directory holding Cogniquilt.bin (default: searched, see below)\n"
    "  --language CODE         the language the game speaks: en, de, fr or es (default: chosen\n"
    "                          from LANGUAGE, LC_ALL, LC_MESSAGES or LANG, else English)\n"
    "  --fullscreen            start in full screen this time (F11 or Alt+Return in the game\n"
    "                          switch it and keep the choice)\n"
    "  --size WxH              initial window size (default 1000x750)\n"
    "  --palette NAME          colours of the colour games: normal or colour-blind (kept, like\n"
    "                          the eye button of the main menu)\n"
    "  --headless              no window on screen (SDL dummy video and audio drivers)\n"
    "  --seed N                fix every random source of the game to N\n"
    "  --stepped               run the game's frames one after another as fast as the machine\n"
    "                          allows instead of by the clock; script and bot times count game\n"
    "                          time, and with --seed a play repeats exactly\n"
    "  --script FILE           play timed input from FILE, one command a line, times in ms\n"
    "                          counted from the moment the scene has loaded,\n"
    "                          coordinates in the 500x375 scene:\n"
    "                            at MS click X Y | at MS move X Y | at MS key NAME\n"
    "                            at MS shot FILE.png | at MS blur | at MS focus\n"
    "                            at MS describe | at MS quit   (blur and focus: the window loses or\n"
    "                            gains the focus; describe prints what the game shows)\n"
    "  --print-notifications   print each notification as 'notify CODE [TEXT]' on stdout\n"
    "  --verbose               log start-up and notifications on stderr\n"
    "%s"
    "  --stats                 print the kept progress (best scores, trophies, plays, rank)\n"
    "  --export-history FILE   write every kept play to FILE as CSV\n"
    "  --reset-progress        keep the current progress as a dated backup and start afresh\n"
    "                          (the settings stay)\n"
    "  --help                  show this text\n"
    "\n"
    "Cogniquilt.bin is taken from --data when given (and must be there); otherwise it is\n"
    "looked for in $MENTARIUM_DATA, the program's directory, the installed data directory\n"
    "(../share/mentarium beside the program), the current directory and the directories\n"
    "on PATH. The program exits with status 1 when the game cannot be loaded.\n"
    "\n"
    "Settings and progress are kept in $MENTARIUM_PROFILE if set, else in\n"
    "$XDG_CONFIG_HOME/mentarium/profile.sqlite (~/.config/mentarium/profile.sqlite).\n";

}  // namespace

[[noreturn]] void bad(const char* what, const char* arg) {
    std::fprintf(stderr, "mentarium: %s: %s\nTry 'mentarium --help'.\n", what, arg);
    std::exit(2);
}

Options parseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) bad("option needs a value", arg);
            return argv[++i];
        };
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
            std::printf(kUsage, kBotUsage);
            std::exit(0);
        } else if (!std::strcmp(arg, "--headless")) {
            o.headless = true;
        } else if (!std::strcmp(arg, "--stepped")) {
            o.stepped = true;
        } else if (!std::strcmp(arg, "--fullscreen")) {
            o.fullscreen = true;
        } else if (!std::strcmp(arg, "--print-notifications")) {
            o.printNotifications = true;
        } else if (!std::strcmp(arg, "--verbose")) {
            o.verbose = true;
        } else if (parseBotOption(argc, argv, i, o)) {
            continue;
        } else if (!std::strcmp(arg, "--stats")) {
            o.progressAction = Options::ProgressAction::Stats;
        } else if (!std::strcmp(arg, "--export-history")) {
            o.progressAction = Options::ProgressAction::ExportHistory;
            o.exportPath = value();
        } else if (!std::strcmp(arg, "--reset-progress")) {
            o.progressAction = Options::ProgressAction::Reset;
        } else if (!std::strcmp(arg, "--seed")) {
            const char* v = value();
            char* end = nullptr;
            o.seed = std::strtol(v, &end, 10);
            if (end == v || *end != 0) bad("--seed wants a whole number", v);
            o.hasSeed = true;
        } else if (!std::strcmp(arg, "--script")) {
            o.script = value();
        } else if (!std::strcmp(arg, "--language")) {
            o.language = value();
            if (!platform::isSupportedLanguage(o.language)) {
                std::string why = std::string("unknown language (known: ") + platform::supportedLanguageList() + ")";
                bad(why.c_str(), o.language.c_str());
            }
        } else if (!std::strcmp(arg, "--palette")) {
            o.palette = value();
            if (o.palette != "normal" && o.palette != "colour-blind" && o.palette != "color-blind")
                bad("--palette wants normal or colour-blind", o.palette.c_str());
        } else if (!std::strcmp(arg, "--data")) {
            o.dataDirectory = value();
        } else if (!std::strcmp(arg, "--size")) {
            const char* v = value();
            if (std::sscanf(v, "%dx%d", &o.width, &o.height) != 2 || o.width < 100 || o.height < 75 ||
                o.width > 10000 || o.height > 10000)
                bad("--size wants WxH, at least 100x75", v);
        } else {
            bad("unknown option", arg);
        }
    }
    return o;
}

}  // namespace launcher
