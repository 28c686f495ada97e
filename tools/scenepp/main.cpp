// scenepp: copies a scene data source into the form that goes into the
// archive, replacing every line ";#include NAME" by the lines of the file NAME
// (next to the source). The directive is a comment to the scene loader, so a
// source stays loadable as it is; the expansion lets several screens share one
// block of sprite lines (the game bar of every minigame) without copies.
// Usage: scenepp SOURCE OUT [DEPFILE]

#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: scenepp SOURCE OUT [DEPFILE]\n";
        return 2;
    }
    try {
        std::ostringstream text;
        std::set<std::string> open, used;
        expand(argv[1], text, open, used);
        std::ofstream out(argv[2], std::ios::binary);
        out << text.str();
        if (!out) throw std::runtime_error(std::string("cannot write ") + argv[2]);
        if (argc == 4) {
            // A make-style dependency file, so that editing an included block rebuilds the scene.
            std::ofstream dep(argv[3]);
            dep << argv[2] << ":";
            for (const std::string& f : used) dep << " \\\n  " << f;
            dep << '\n';
        }
    } catch (const std::exception& ex) {
        std::cerr << "scenepp: " << ex.what() << '\n';
        return 1;
    }
    return 0;
}
