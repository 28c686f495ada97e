// scenepp: copies a scene data source into the form that goes into the
// archive, replacing every line ";#include NAME" by the lines of the file NAME
// (next to the source). The directive is a comment to the scene loader, so a
// source stays loadable as it is; the expansion lets several screens share one
// block of sprite lines (the game bar of every minigame) without copies.
// With --strings TABLE the texts of the <strings> section are those of TABLE
// (a UTF-8 file of the same "KEY "text"" lines, one language's texts), written
// in the game's code page: the same scene in another language.
// Usage: scenepp SOURCE OUT [DEPFILE] [--strings TABLE]

#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/CodePage.h"

namespace {

const std::string kDirective = ";#include ";

void expand(const std::string& path, std::ostream& out, std::set<std::string>& open, std::set<std::string>& used) {
    if (!open.insert(path).second) throw std::runtime_error("include cycle at " + path);
    used.insert(path);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    const std::string dir = path.substr(0, path.find_last_of('/') + 1);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, kDirective.size(), kDirective) == 0) {
            std::string name = line.substr(kDirective.size());
            while (!name.empty() && (name.back() == '\r' || name.back() == ' ')) name.pop_back();
            expand(dir + name, out, open, used);
        } else {
            out << line << '\n';
        }
    }
    open.erase(path);
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The scene with the lines of its <strings> section, up to the next section,
// replaced by the table's lines.
std::string withStrings(const std::string& scene, const std::string& table) {
    std::istringstream in(scene);
    std::ostringstream out;
    bool inStrings = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("<", 0) == 0) {
            bool opens = line.rfind("<strings>", 0) == 0;
            out << line << '\n';
            if (opens) out << platform::utf8ToCp1252(table.data(), table.size());
            inStrings = opens;
        } else if (!inStrings) {
            out << line << '\n';
        }
    }
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string table;
    if (args.size() >= 2 && args[args.size() - 2] == "--strings") {
        table = args.back();
        args.resize(args.size() - 2);
    }
    if (args.size() != 2 && args.size() != 3) {
        std::cerr << "usage: scenepp SOURCE OUT [DEPFILE] [--strings TABLE]\n";
        return 2;
    }
    try {
        std::ostringstream text;
        std::set<std::string> open, used;
        expand(args[0], text, open, used);
        std::string scene = text.str();
        if (!table.empty()) {
            scene = withStrings(scene, readWhole(table));
            used.insert(table);
        }
        std::ofstream out(args[1], std::ios::binary);
        out << scene;
        if (!out) throw std::runtime_error("cannot write " + args[1]);
        if (args.size() == 3) {
            // A make-style dependency file, so that editing an included block rebuilds the scene.
            std::ofstream dep(args[2]);
            dep << args[1] << ":";
            for (const std::string& f : used) dep << " \\\n  " << f;
            dep << '\n';
        }
    } catch (const std::exception& ex) {
        std::cerr << "scenepp: " << ex.what() << '\n';
        return 1;
    }
    return 0;
}
