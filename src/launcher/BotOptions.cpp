#include "BotOptions.h"

#include <cstdlib>
#include <cstring>

namespace launcher {

const char kBotUsage[] =
    "  --bot [GAME|daily]      play GAME (its class name, e.g. StroopTest; default Concentration)\n"
    "                          from the main menu through the practice area, or a whole daily\n"
    "                          test; reports as \"bot ...\" lines on stdout, ends with\n"
    "                          \"bot result lastscore N\" and quits; a game it cannot play is\n"
    "                          an error (exit 3)\n"
    "  --difficulty D          easy, normal or hard (default easy)\n"
    "  --bot-skill S           0..1 (default 1): lower answers slower and misses more turns\n"
    "  --unlock-all            every game can be practised in this run (never saved)\n"
    "  --bot-shots DIR         the bot saves screenshots of the board at the start, in the\n"
    "                          middle of a turn, at game over and of the result there\n";

bool parseBotOption(int argc, char** argv, int& i, Options& o) {
    const char* arg = argv[i];
    auto value = [&]() -> const char* {
        if (i + 1 >= argc) bad("option needs a value", arg);
        return argv[++i];
    };
    if (!std::strcmp(arg, "--bot")) {
        o.bot = true;
        if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) o.botGame = argv[++i];
    } else if (!std::strcmp(arg, "--bot-shots")) {
        o.bot = true;
        o.botShots = value();
    } else if (!std::strcmp(arg, "--difficulty")) {
        const char* v = value();
        const char* names[] = {"easy", "normal", "hard"};
        o.botDifficulty = -1;
        for (int d = 0; d < 3; ++d)
            if (!std::strcmp(v, names[d])) o.botDifficulty = d;
        if (o.botDifficulty < 0) bad("--difficulty wants easy, normal or hard", v);
    } else if (!std::strcmp(arg, "--bot-skill")) {
        const char* v = value();
        char* end = nullptr;
        o.botSkill = std::strtod(v, &end);
        if (end == v || *end != 0 || !(o.botSkill >= 0 && o.botSkill <= 1))
            bad("--bot-skill wants a number from 0 to 1", v);
    } else if (!std::strcmp(arg, "--unlock-all")) {
        o.unlockAll = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace launcher
