// Every language's scene is the English one with its own string table: each
// English key is there once, with the same placeholders, and no other key;
// the sprites are the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ContentFiles.h"
#include "SceneReader.h"

namespace contenttest {
namespace {

const char* const kLanguages[] = {"de", "fr", "es"};

// The "%n" placeholders of a text, sorted (translations may reorder them).
std::vector<std::string> placeholders(const std::string& text) {
    std::vector<std::string> found;
    for (size_t at = text.find('%'); at != std::string::npos && at + 1 < text.size(); at = text.find('%', at + 1))
        if (text[at + 1] >= '0' && text[at + 1] <= '9') found.push_back(text.substr(at, 2));
    std::sort(found.begin(), found.end());
    return found;
}

std::map<std::string, int> keyCounts(const Scene& scene) {
    std::map<std::string, int> counts;
    for (size_t i = 0; i + 1 < scene.strings.size(); i += 2) ++counts[scene.strings[i]];
    return counts;
}

TEST(Translation, EveryLanguageHasEachEnglishKeyOnceWithItsPlaceholders) {
    const Scene english = parseScene(readText(items().at("datfile")));
    ASSERT_GT(english.strings.size(), 80u);
    for (const char* language : kLanguages) {
        SCOPED_TRACE(language);
        const std::string item = std::string("datfile.") + language;
        ASSERT_TRUE(hasItem(item));
        const Scene translated = parseScene(readText(items().at(item)));
        EXPECT_EQ(translated.strings.size() % 2, 0u) << "a key without its text";
        const std::map<std::string, int> counts = keyCounts(translated);
        for (size_t i = 0; i + 1 < english.strings.size(); i += 2) {
            const std::string& key = english.strings[i];
            auto it = counts.find(key);
            if (it == counts.end()) {
                ADD_FAILURE() << key << " is missing";
                continue;
            }
            EXPECT_EQ(it->second, 1) << key << " appears " << it->second << " times";
            EXPECT_EQ(placeholders(*translated.text(key)), placeholders(english.strings[i + 1])) << key;
        }
        for (const auto& [key, count] : counts)
            EXPECT_NE(english.text(key), nullptr) << key << " is no key of the English table";
        EXPECT_EQ(translated.sprites.size(), english.sprites.size());
    }
}

}  // namespace
}  // namespace contenttest
