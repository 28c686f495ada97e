#pragma once

#include <string>
#include <vector>

namespace launcher {

// One timed step of an input script.
struct ScriptStep {
    enum class Kind { Click, Move, Key, Shot, Quit, Blur, Focus, Describe };
    long atMs = 0;
    Kind kind = Kind::Quit;
    int x = 0, y = 0;      // scene coordinates (click, move)
    std::string argument;  // key name or screenshot file
    int line = 0;
};

// Reads a script: "at MS click X Y", "at MS move X Y", "at MS key NAME",
// "at MS shot FILE.png", "at MS quit"; '#' starts a comment. Steps come back in time
// order (stable for equal times). False with a message naming the line on error.
bool loadScript(const std::string& path, std::vector<ScriptStep>& steps, std::string& error);
bool parseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error);

}  // namespace launcher
