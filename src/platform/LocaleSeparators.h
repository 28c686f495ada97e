#pragma once

namespace platform {

// The number separators of the player's locale (LC_ALL, LC_NUMERIC or LANG), as
// Windows-1252 characters. Any kind of space (no-break and narrow no-break
// included) is reported as 0xA0; a locale without grouping gives 0 for it.
struct LocaleSeparators {
    char decimal = '.';
    char thousands = ',';
};

// Reads the separators of the named locale ("" = the player's environment).
// Unknown locales give the C defaults '.' and ','.
LocaleSeparators localeSeparators(const char* localeName = "");

}  // namespace platform
