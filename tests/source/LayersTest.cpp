// The layers of src/ hold only if something checks them: this test reads every
// #include under src/ and fails on one that points up a layer, or on a library
// header used outside the files allowed to wrap it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Which part of src/ a file belongs to: the longest matching path prefix wins.
// The resource archive lives in lang's namespace but is built on the streams,
// so its files sit in a layer above io; the item interface both share sits
// with the streams.
struct Unit {
    const char* prefix;
    const char* name;
};
const Unit kUnits[] = {
    {"platform/", "platform"},
    {"lang/", "lang"},
    {"util/", "util"},
    {"io/", "io"},
    {"lang/ResourceItem.h", "io"},
    {"lang/ResourceFile", "resources"},
    {"lang/FileItem", "resources"},
    {"lang/DLLItem", "resources"},
    {"lang/ResourceArchiveWriter", "resources"},
    {"lang/StringLoadText.cpp", "resources"},
    {"sound/", "sound"},
    {"window/", "window"},
    {"sprite/", "sprite"},
    {"game/", "game"},
    {"host/", "host"},
    {"launcher/", "launcher"},
    {"mentarium/", "public"},  // include/mentarium: the host interface, constants only
};

// The allowed directions, bottom to top: each part and the parts it may include.
struct Layer {
    const char* name;
    std::vector<std::string> uses;
};
const Layer kLayers[] = {
    {"platform", {}},
    {"lang", {"platform"}},
    {"util", {"lang", "platform"}},
    {"io", {"util", "lang", "platform"}},
    {"resources", {"io", "util", "lang", "platform"}},
    {"sound", {"platform"}},
    {"window", {"sound", "resources", "io", "util", "lang", "platform"}},
    {"sprite", {"window", "sound", "resources", "io", "util", "lang", "platform"}},
    {"game", {"sprite", "window", "sound", "resources", "io", "util", "lang", "platform", "public"}},
    {"host", {"game", "sprite", "window", "sound", "resources", "io", "util", "lang", "platform", "public"}},
    // The host program loads the game at run time; it links only a few platform
    // files, so what it takes from game/ must be header-only.
    {"launcher", {"game", "platform", "public"}},
};

// Library headers, by the start of their include path, and the only places
// that may include them: the platform layer wraps every library, and the host
// program, which links only a few platform files, uses SDL itself.
struct Library {
    const char* header;
    std::vector<std::string> places;
};
const Library kLibraries[] = {
    {"SDL", {"platform/", "launcher/"}},
    {"sqlite", {"platform/"}},
    {"ft2build", {"platform/"}},
    {"freetype", {"platform/"}},
    {"fontconfig", {"platform/"}},
    {"png.h", {"platform/"}},
    {"jpeglib", {"platform/"}},
    {"zlib", {"platform/"}},
    {"vorbis/", {"platform/"}},
    {"ogg/", {"platform/"}},
    {"libopenmpt/", {"platform/"}},
};

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// The unit of a path relative to src/ (or include/), or "" when none matches.
std::string unitOf(const std::string& path) {
    const Unit* best = nullptr;
    for (const Unit& unit : kUnits)
        if (startsWith(path, unit.prefix) &&
            (!best || std::string(unit.prefix).size() > std::string(best->prefix).size()))
            best = &unit;
    return best ? best->name : "";
}

const Layer* layerNamed(const std::string& name) {
    for (const Layer& layer : kLayers)
        if (name == layer.name) return &layer;
    return nullptr;
}

struct Include {
    bool quoted;
    std::string target;
};

std::vector<Include> includesOf(const fs::path& file) {
    static const std::regex directive(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> found;
    std::ifstream in(file);
    std::string line;
    std::smatch match;
    while (std::getline(in, line))
        if (std::regex_search(line, match, directive)) found.push_back({match[1] == "\"", match[2]});
    return found;
}

// What is wrong with one include of the file at path (relative to src/), or "".
std::string fault(const std::string& path, const Include& include) {
    if (!include.quoted) {
        for (const Library& library : kLibraries) {
            if (!startsWith(include.target, library.header)) continue;
            bool allowed = std::any_of(library.places.begin(), library.places.end(),
                                       [&](const std::string& place) { return startsWith(path, place); });
            if (!allowed) return "the library header <" + include.target + "> belongs in src/platform";
        }
        return "";
    }
    // A bare name is a neighbour in the same folder.
    if (include.target.find('/') == std::string::npos) return "";
    std::string from = unitOf(path);
    std::string to = unitOf(include.target);
    if (to.empty()) return "\"" + include.target + "\" is in no known part of src/";
    if (to == from) return "";
    const Layer* layer = layerNamed(from);
    if (!layer) return path + " is in no layer";
    if (std::find(layer->uses.begin(), layer->uses.end(), to) != layer->uses.end()) return "";
    std::string message = from + " may not include " + to + " (" + from + " uses:";
    for (const std::string& use : layer->uses) message += " " + use;
    return message + ")";
}

std::vector<std::string> faultsUnder(const fs::path& root) {
    std::vector<std::string> faults;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        std::string path = fs::relative(entry.path(), root).generic_string();
        for (const Include& include : includesOf(entry.path())) {
            std::string why = fault(path, include);
            if (!why.empty()) faults.push_back("src/" + path + " includes " + include.target + ": " + why);
        }
    }
    std::sort(faults.begin(), faults.end());
    return faults;
}

TEST(Layers, NoIncludeInSrcPointsUpOrReachesALibraryOutsideItsPlace) {
    std::vector<std::string> faults = faultsUnder(fs::path(MENTARIUM_SOURCE_DIR) / "src");
    std::string report;
    for (const std::string& line : faults) report += line + "\n";
    EXPECT_TRUE(faults.empty()) << report;
}

// The check itself must bite: an upward include, a library header in game code
// and a neighbour include are told apart.
TEST(Layers, TheCheckFindsUpwardIncludesAndStrayLibraryHeaders) {
    EXPECT_NE(fault("game/GameBase.cpp", {true, "host/HostBlock.h"}), "");
    EXPECT_NE(fault("lang/Class.cpp", {true, "util/Hashtable.h"}), "");
    EXPECT_NE(fault("window/Component.cpp", {false, "SDL.h"}), "");
    EXPECT_NE(fault("sound/SampleData.cpp", {false, "vorbis/codec.h"}), "");
    EXPECT_NE(fault("window/PngDecoder.cpp", {false, "png.h"}), "");
    EXPECT_NE(fault("lang/ResourceFileHeader.cpp", {false, "zlib.h"}), "");
    EXPECT_EQ(fault("platform/Deflate.cpp", {false, "zlib.h"}), "");
    EXPECT_EQ(fault("lang/ResourceFileHeader.cpp", {true, "io/FileInputStream.h"}), "");
    EXPECT_NE(fault("io/ByteArrayInputStream.cpp", {true, "lang/ResourceFile.h"}), "");
    EXPECT_NE(fault("util/Vector.cpp", {true, "io/InputStream.h"}), "");
    EXPECT_EQ(fault("game/minigames/Simon.cpp", {true, "game/GameBase.h"}), "");
    EXPECT_EQ(fault("launcher/main.cpp", {false, "SDL.h"}), "");
}

}  // namespace
