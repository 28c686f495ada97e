// mkarchive: packs files into a resource archive (plain, or compressed when the
// output name ends in ".zin"), lists one, or extracts one item.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lang/Exception.h"
#include "lang/FileItem.h"
#include "lang/ResourceArchiveWriter.h"
#include "lang/ResourceFileHeader.h"
#include "lang/ResourceItem.h"
#include "util/Hashtable.h"

namespace fs = std::filesystem;

namespace {

int usage() {
    std::fputs(
        "usage: mkarchive pack OUTPUT INPUT...   INPUT is NAME=FILE, a FILE (named by its file name)\n"
        "                                       or a DIRECTORY (every file, named by its path inside)\n"
        "       mkarchive list ARCHIVE           one line per item: name, offset, length\n"
        "       mkarchive extract ARCHIVE NAME [OUTPUT]   the item's bytes to OUTPUT or stdout\n",
        stderr);
    return 2;
}

std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw new lang::Exception(lang::String("Error Opening ") + lang::String(path.c_str()));
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void addInput(lang::ResourceArchiveWriter& writer, const std::string& input) {
    size_t equals = input.find('=');
    if (equals != std::string::npos) {
        writer.add(input.substr(0, equals), readFile(input.substr(equals + 1)));
    } else if (fs::is_directory(input)) {
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(input))
            if (entry.is_regular_file()) files.push_back(entry.path());
        for (const fs::path& file : files) writer.add(fs::relative(file, input).generic_string(), readFile(file));
    } else {
        writer.add(fs::path(input).filename().string(), readFile(input));
    }
}

int pack(int argc, char** argv) {
    lang::ResourceArchiveWriter writer;
    for (int i = 3; i < argc; ++i) addInput(writer, argv[i]);
    writer.write(argv[2]);
    return 0;
}

std::vector<lang::String> sortedNames(const lang::ResourceFileHeader& header) {
    std::vector<lang::String> names;
    util::Hashtable::HTEnum* keys = header.getItemTable()->keys();
    while (keys->hasMoreElements()) names.push_back(*static_cast<lang::String*>(keys->nextElement()));
    keys->release();
    std::sort(names.begin(), names.end(),
              [](const lang::String& a, const lang::String& b) { return std::strcmp(a.c_str(), b.c_str()) < 0; });
    return names;
}

int list(const char* archive) {
    lang::ResourceFileHeader* header = new lang::ResourceFileHeader(lang::String(archive));
    for (const lang::String& name : sortedNames(*header)) {
        auto* item = static_cast<lang::FileItem*>(header->getItemTable()->get(&name));
        std::printf("%s\t%u\t%d\n", name.c_str(), item->getOffset(), item->getLength());
    }
    if (!header->getDamage().isEmpty())
        std::fprintf(stderr, "mkarchive: %s: %s\n", archive, header->getDamage().c_str());
    header->release();
    return 0;
}

int extract(const char* archive, const char* name, const char* output) {
    lang::ResourceFileHeader* header = new lang::ResourceFileHeader(lang::String(archive));
    lang::ResourceItem* item = header->getItem(lang::String(name), false);
    header->release();
    if (!item) {
        std::fprintf(stderr, "mkarchive: %s: no item %s\n", archive, name);
        return 1;
    }
    std::FILE* out = output ? std::fopen(output, "wb") : stdout;
    bool written = out && std::fwrite(item->getData(), 1, static_cast<size_t>(item->getLength()), out) ==
                              static_cast<size_t>(item->getLength());
    if (out && out != stdout && std::fclose(out) != 0) written = false;
    item->release();
    if (!written) {
        std::fprintf(stderr, "mkarchive: cannot write %s\n", output ? output : "stdout");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    try {
        if (std::strcmp(argv[1], "pack") == 0) return pack(argc, argv);
        if (std::strcmp(argv[1], "list") == 0 && argc == 3) return list(argv[2]);
        if (std::strcmp(argv[1], "extract") == 0 && (argc == 4 || argc == 5))
            return extract(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    } catch (lang::Exception* e) {
        std::fprintf(stderr, "mkarchive: %s\n", e->getMessage().c_str());
        e->release();
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkarchive: %s\n", e.what());
        return 1;
    }
    return usage();
}
