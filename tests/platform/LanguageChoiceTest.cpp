#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/LanguageChoice.h"

namespace {

std::string chosenFrom(const std::map<std::string, std::string>& environment) {
    return platform::chooseLanguage([&](const char* name) -> const char* {
        auto it = environment.find(name);
        return it == environment.end() ? nullptr : it->second.c_str();
    });
}

TEST(LanguageChoice, LanguageListGivesItsFirstSpokenLanguage) {
    EXPECT_EQ(chosenFrom({{"LANGUAGE", "fr:de"}, {"LANG", "es_ES.UTF-8"}}), "fr");
    EXPECT_EQ(chosenFrom({{"LANGUAGE", "pt_BR:de_AT"}}), "de");
}

TEST(LanguageChoice, FirstSetVariableDecides) {
    EXPECT_EQ(chosenFrom({{"LC_ALL", "es_MX.UTF-8"}, {"LC_MESSAGES", "fr_FR"}, {"LANG", "de_DE.UTF-8"}}), "es");
    EXPECT_EQ(chosenFrom({{"LANGUAGE", ""}, {"LC_MESSAGES", "fr_CA.UTF-8"}, {"LANG", "de_DE.UTF-8"}}), "fr");
    EXPECT_EQ(chosenFrom({{"LANG", "de_DE.UTF-8"}}), "de");
    EXPECT_EQ(chosenFrom({{"LANG", "de_CH@euro"}}), "de");
}

TEST(LanguageChoice, CPosixUnknownAndNothingMeanEnglish) {
    EXPECT_EQ(chosenFrom({{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}), "en");
    EXPECT_EQ(chosenFrom({{"LANG", "POSIX"}}), "en");
    EXPECT_EQ(chosenFrom({{"LANG", "C.UTF-8"}}), "en");
    EXPECT_EQ(chosenFrom({{"LANG", "ja_JP.UTF-8"}}), "en");
    EXPECT_EQ(chosenFrom({}), "en");
}

}  // namespace
