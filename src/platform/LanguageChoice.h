#pragma once

#include <functional>
#include <string>

namespace platform {

// The languages the game speaks, by code; English is the fallback.
bool isSupportedLanguage(const std::string& code);
// "en, de, fr, es", for messages about a code that is not one of them.
const char* supportedLanguageList();

// Reads one environment variable: its value, or null when it is not set.
using EnvironmentReader = std::function<const char*(const char*)>;

// The language as desktop programs choose it: the first of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG that is set and not empty decides; in it (LANGUAGE may
// be a colon list, "fr:de") the first entry that names a supported language
// wins ("de_DE.UTF-8" names "de"). "C", "POSIX" and languages the game does not
// speak leave English.
std::string chooseLanguage(const EnvironmentReader& read);
// The same, from this process's environment.
std::string chooseLanguage();

}  // namespace platform
