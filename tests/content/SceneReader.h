#pragma once

// An independent reading of the scene data format for the content tests:
// ";" comments, blanks 0-32, double-quoted texts, numbers made of '-', '.'
// and digits, every other byte a word character (digits, '-' and '.'
// continue a word once begun); sections opened by words starting with "<".

#include <string>
#include <vector>

namespace contenttest {

struct Token {
    bool number = false;
    bool quoted = false;
    double value = 0;
    std::string text;
};

std::vector<Token> tokenize(const std::string& source);

struct SpriteLine {
    std::string name;
    std::string className;
    std::string subItem;                // after ":" in the class specification
    std::vector<std::string> pictures;  // "" for an empty slot
    std::vector<int> numbers;
};

struct Scene {
    std::vector<std::pair<std::string, std::string>> images;  // declared name, specification
    std::vector<std::string> sounds;
    std::vector<int> data;
    std::vector<std::string> strings;
    std::vector<SpriteLine> sprites;

    const SpriteLine* sprite(const std::string& name) const;
    // The text stored under a key of the key/text pairs; nullptr when absent.
    const std::string* text(const std::string& key) const;
};

Scene parseScene(const std::string& source);

}  // namespace contenttest
