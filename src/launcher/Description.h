#pragma once

#include <map>
#include <string>
#include <vector>

namespace launcher {

// What the game's description query says it shows, read into parts a player
// acts on: single facts ("score 40"), rows of numbers under one key
// ("card 3 10 20 40 40 ..."), the screens showing, the buttons a player could
// press and the games' class names in slot order.
class Description {
public:
    struct Button {
        std::string screen;
        int x = 0, y = 0, w = 0, h = 0;
        int centreX() const { return x + w / 2; }
        int centreY() const { return y + h / 2; }
    };

    explicit Description(const std::string& text);

    // The first number after key, or otherwise when the key is missing.
    int fact(const std::string& key, int otherwise = -1) const;
    bool has(const std::string& key) const { return facts_.count(key) != 0; }
    // The numbers of every line starting with key, in their order.
    const std::vector<std::vector<int>>& rows(const std::string& key) const;
    bool showing(const std::string& screen) const;
    // The screens showing, separated by spaces.
    std::string screens() const;
    // The button of that name on a screen showing, or null.
    const Button* button(const std::string& name) const;
    // Whether the description names the games at all.
    bool namesGames() const { return !games_.empty(); }
    // The slot of the game with that class name, or -1.
    int gameIndex(const std::string& className) const;
    const std::string& gameName(int index) const;

private:
    std::map<std::string, std::vector<int>> facts_;
    std::map<std::string, std::vector<std::vector<int>>> rows_;
    std::vector<std::string> screens_;
    std::map<std::string, Button> buttons_;
    std::vector<std::string> games_;
};

}  // namespace launcher
