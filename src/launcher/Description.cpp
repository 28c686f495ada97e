#include "Description.h"

#include <algorithm>
#include <sstream>

namespace launcher {

Description::Description(const std::string& text) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string key;
        if (!(words >> key)) continue;
        if (key == "screen") {
            std::string name;
            if (words >> name) screens_.push_back(name);
        } else if (key == "button") {
            Button b;
            std::string name;
            if (words >> b.screen >> name >> b.x >> b.y >> b.w >> b.h) buttons_.emplace(name, b);
        } else if (key == "games") {
            for (std::string name; words >> name;) games_.push_back(name);
        } else {
            // Words between the numbers (as in "word 3 ink 4") only name them: the numbers are kept in order.
            std::vector<int> numbers;
            for (std::string word; words >> word;) {
                std::istringstream number(word);
                int value = 0;
                if (number >> value && number.eof()) numbers.push_back(value);
            }
            facts_.emplace(key, numbers);
            rows_[key].push_back(std::move(numbers));
        }
    }
}

int Description::fact(const std::string& key, int otherwise) const {
    auto at = facts_.find(key);
    return at == facts_.end() || at->second.empty() ? otherwise : at->second.front();
}

const std::vector<std::vector<int>>& Description::rows(const std::string& key) const {
    static const std::vector<std::vector<int>> none;
    auto at = rows_.find(key);
    return at == rows_.end() ? none : at->second;
}

bool Description::showing(const std::string& screen) const {
    return std::find(screens_.begin(), screens_.end(), screen) != screens_.end();
}

std::string Description::screens() const {
    std::string all;
    for (const std::string& s : screens_) all += (all.empty() ? "" : " ") + s;
    return all;
}

const Description::Button* Description::button(const std::string& name) const {
    auto at = buttons_.find(name);
    return at == buttons_.end() ? nullptr : &at->second;
}

int Description::gameIndex(const std::string& className) const {
    auto at = std::find(games_.begin(), games_.end(), className);
    return at == games_.end() ? -1 : static_cast<int>(at - games_.begin());
}

const std::string& Description::gameName(int index) const {
    static const std::string none;
    return index >= 0 && index < static_cast<int>(games_.size()) ? games_[index] : none;
}

}  // namespace launcher
