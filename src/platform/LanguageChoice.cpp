#include "platform/LanguageChoice.h"

#include <cstdlib>
#include <sstream>

namespace platform {

namespace {

const char* const kLanguages[] = {"en", "de", "fr", "es"};

// "de_DE.UTF-8@euro" -> "de": the language part of a locale name.
std::string languagePart(const std::string& locale) {
    size_t end = locale.find_first_of("_.@");
    std::string part = locale.substr(0, end);
    for (char& c : part)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return part;
}

}  // namespace

bool isSupportedLanguage(const std::string& code) {
    for (const char* known : kLanguages)
        if (code == known) return true;
    return false;
}

const char* supportedLanguageList() { return "en, de, fr, es"; }

std::string chooseLanguage(const EnvironmentReader& read) {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = read(variable);
        if (value == nullptr || *value == 0) continue;
        std::istringstream entries(value);
        for (std::string entry; std::getline(entries, entry, ':');)
            if (std::string code = languagePart(entry); isSupportedLanguage(code)) return code;
        return "en";
    }
    return "en";
}

std::string chooseLanguage() {
    return chooseLanguage([](const char* name) -> const char* { return std::getenv(name); });
}

}  // namespace platform
