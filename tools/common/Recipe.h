#pragma once

// Reading of the small text recipes that the content generators take: one
// statement a line, "#" starts a comment, words separated by blanks, settings
// written as key=value. Header-only so that every generator shares it.

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace recipe {

struct Statement {
    int line = 0;
    std::vector<std::string> words;               // the words that are not settings
    std::map<std::string, std::string> settings;  // key=value words

    bool has(const std::string& key) const { return settings.count(key) != 0; }

    double number(const std::string& key, double fallback) const {
        auto it = settings.find(key);
        if (it == settings.end()) return fallback;
        char* end = nullptr;
        double v = std::strtod(it->second.c_str(), &end);
        if (end == it->second.c_str() || *end != '\0')
            throw std::runtime_error("line " + std::to_string(line) + ": " + key + " is not a number");
        return v;
    }

    std::string text(const std::string& key, const std::string& fallback) const {
        auto it = settings.find(key);
        return it == settings.end() ? fallback : it->second;
    }

    // A comma-separated list of numbers ("1,0.5,0.25").
    std::vector<double> numbers(const std::string& key) const {
        std::vector<double> out;
        auto it = settings.find(key);
        if (it == settings.end()) return out;
        std::stringstream in(it->second);
        std::string part;
        while (std::getline(in, part, ',')) {
            char* end = nullptr;
            double v = std::strtod(part.c_str(), &end);
            if (end == part.c_str() || *end != '\0')
                throw std::runtime_error("line " + std::to_string(line) + ": bad list in " + key);
            out.push_back(v);
        }
        return out;
    }
};

inline std::vector<Statement> parseRecipe(std::istream& in) {
    std::vector<Statement> out;
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        auto hash = raw.find('#');
        if (hash != std::string::npos) raw.erase(hash);
        std::istringstream words(raw);
        Statement st;
        st.line = lineNo;
        std::string w;
        while (words >> w) {
            auto eq = w.find('=');
            if (eq != std::string::npos && eq > 0) st.settings[w.substr(0, eq)] = w.substr(eq + 1);
            else
                st.words.push_back(w);
        }
        if (!st.words.empty() || !st.settings.empty()) out.push_back(std::move(st));
    }
    return out;
}

inline std::vector<Statement> readRecipe(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    return parseRecipe(in);
}

}  // namespace recipe
