#pragma once

#include "Options.h"

namespace launcher {

// The lines of --help about the bot.
extern const char kBotUsage[];

// Reads the bot option at argv[i] into o, moving i past its values; false when
// argv[i] is not a bot option. A bad value prints why and exits 2.
bool parseBotOption(int argc, char** argv, int& i, Options& o);

}  // namespace launcher
