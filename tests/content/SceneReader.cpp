#include "SceneReader.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace contenttest {

namespace {

bool numberStart(unsigned char c) { return c == '-' || c == '.' || (c >= '0' && c <= '9'); }

}  // namespace

std::vector<Token> tokenize(const std::string& s) {
    std::vector<Token> out;
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c <= 32) {
            ++i;
            continue;
        }
        if (c == ';') {
            while (i < s.size() && s[i] != '\n' && s[i] != '\r') ++i;
            continue;
        }
        Token t;
        if (c == '"') {
            const size_t end = s.find('"', i + 1);
            if (end == std::string::npos) throw std::runtime_error("unterminated quoted text");
            t.quoted = true;
            t.text = s.substr(i + 1, end - i - 1);
            i = end + 1;
        } else if (numberStart(c)) {
            size_t j = i;
            while (j < s.size() && numberStart(static_cast<unsigned char>(s[j]))) ++j;
            t.number = true;
            t.text = s.substr(i, j - i);
            t.value = std::strtod(t.text.c_str(), nullptr);
            i = j;
        } else {
            size_t j = i;
            while (j < s.size()) {
                const unsigned char d = static_cast<unsigned char>(s[j]);
                if (d <= 32 || d == ';' || d == '"') break;
                ++j;
            }
            t.text = s.substr(i, j - i);
            i = j;
        }
        out.push_back(t);
    }
    return out;
}

const SpriteLine* Scene::sprite(const std::string& name) const {
    for (const SpriteLine& line : sprites)
        if (line.name == name) return &line;
    return nullptr;
}

const std::string* Scene::text(const std::string& key) const {
    for (size_t i = 0; i + 1 < strings.size(); i += 2)
        if (strings[i] == key) return &strings[i + 1];
    return nullptr;
}

Scene parseScene(const std::string& source) {
    const std::vector<Token> tokens = tokenize(source);
    Scene scene;
    size_t i = 0;
    auto isMarker = [&](size_t k) {
        return k < tokens.size() && !tokens[k].number && !tokens[k].quoted && tokens[k].text[0] == '<';
    };
    auto lower = [](std::string w) {
        for (char& ch : w) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return w;
    };
    while (i < tokens.size()) {
        if (!isMarker(i)) {
            ++i;
            continue;
        }
        const std::string marker = lower(tokens[i++].text);
        if (marker == "<end>") break;
        if (marker == "<images>") {
            while (i < tokens.size() && !isMarker(i)) {
                const std::string& name = tokens[i].text;
                if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bin") == 0) {
                    ++i;
                    continue;
                }
                if (i + 1 >= tokens.size()) throw std::runtime_error("picture " + name + " without specification");
                scene.images.emplace_back(name, tokens[i + 1].text);
                i += 2;
            }
        } else if (marker == "<sounds>") {
            scene.sounds.clear();
            for (; i < tokens.size() && !isMarker(i); ++i)
                if (tokens[i].text.size() > 2) scene.sounds.push_back(tokens[i].text);
        } else if (marker == "<data>") {
            scene.data.clear();
            for (; i < tokens.size() && tokens[i].number && scene.data.size() < 500; ++i)
                scene.data.push_back(static_cast<int>(std::trunc(tokens[i].value)));
            if (scene.data.size() == 500) break;
        } else if (marker == "<strings>") {
            scene.strings.clear();
            for (; i < tokens.size() && !isMarker(i); ++i) scene.strings.push_back(tokens[i].text);
        } else if (marker == "<sprites>") {
            while (i < tokens.size() && !isMarker(i)) {
                SpriteLine line;
                line.name = tokens[i++].text;
                if (i >= tokens.size()) throw std::runtime_error("sprite " + line.name + " without class");
                const std::string classText = tokens[i++].text;
                const auto colon = classText.find(':');
                line.className = classText.substr(0, colon);
                if (colon != std::string::npos) line.subItem = classText.substr(colon + 1);
                for (; i < tokens.size() && !tokens[i].number; ++i) {
                    if (isMarker(i)) throw std::runtime_error("sprite " + line.name + " has no numbers");
                    line.pictures.push_back(tokens[i].text);
                }
                for (; i < tokens.size() && tokens[i].number; ++i)
                    line.numbers.push_back(static_cast<int>(std::trunc(tokens[i].value)));
                if (line.numbers.empty()) throw std::runtime_error("sprite " + line.name + " has no numbers");
                scene.sprites.push_back(line);
            }
        }
    }
    return scene;
}

}  // namespace contenttest
