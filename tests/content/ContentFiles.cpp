#include "ContentFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace contenttest {

std::string sourceDir() { return MENTARIUM_SOURCE_DIR; }
std::string binaryDir() { return MENTARIUM_BINARY_DIR; }
std::string toolPath(const std::string& tool) { return binaryDir() + "/tools/" + tool; }

const std::map<std::string, std::string>& items() {
    static const std::map<std::string, std::string> table = [] {
        std::map<std::string, std::string> out;
        std::istringstream in(readText(binaryDir() + "/content/items.list"));
        std::string line;
        while (std::getline(in, line)) {
            const auto tab = line.find('\t');
            if (tab == std::string::npos) continue;
            out[line.substr(0, tab)] = line.substr(tab + 1);
        }
        return out;
    }();
    return table;
}

bool hasItem(const std::string& name) { return items().count(name) != 0; }

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path) {
    const std::vector<uint8_t> bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string makeTempDir(const std::string& tag) {
    std::string templ = (std::filesystem::temp_directory_path() / ("mentarium-" + tag + "-XXXXXX")).string();
    if (!mkdtemp(templ.data())) throw std::runtime_error("cannot make a temporary folder");
    return templ;
}

int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace contenttest
