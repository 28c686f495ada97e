#include "Script.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace launcher {

bool parseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error) {
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        std::string line = raw.substr(0, raw.find('#'));
        std::istringstream words(line);
        std::string at, verb;
        if (!(words >> at)) continue;  // blank or comment
        ScriptStep step;
        step.line = lineNo;
        auto fail = [&](const char* why) {
            error = "line " + std::to_string(lineNo) + ": " + why + ": " + raw;
            return false;
        };
        if (at != "at" || !(words >> step.atMs) || step.atMs < 0 || !(words >> verb))
            return fail("expected 'at MS COMMAND'");
        if (verb == "click" || verb == "move") {
            step.kind = verb == "click" ? ScriptStep::Kind::Click : ScriptStep::Kind::Move;
            if (!(words >> step.x >> step.y)) return fail("expected X Y");
        } else if (verb == "key") {
            step.kind = ScriptStep::Kind::Key;
            if (!(words >> step.argument)) return fail("expected a key name");
        } else if (verb == "shot") {
            step.kind = ScriptStep::Kind::Shot;
            if (!(words >> step.argument)) return fail("expected a file name");
        } else if (verb == "quit") {
            step.kind = ScriptStep::Kind::Quit;
        } else if (verb == "describe") {
            step.kind = ScriptStep::Kind::Describe;
        } else if (verb == "blur" || verb == "focus") {
            step.kind = verb == "blur" ? ScriptStep::Kind::Blur : ScriptStep::Kind::Focus;
        } else {
            return fail("unknown command");
        }
        std::string extra;
        if (words >> extra) return fail("unexpected text after the command");
        steps.push_back(step);
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const ScriptStep& a, const ScriptStep& b) { return a.atMs < b.atMs; });
    return true;
}

bool loadScript(const std::string& path, std::vector<ScriptStep>& steps, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = "cannot read script " + path;
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    if (!parseScript(text.str(), steps, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace launcher
