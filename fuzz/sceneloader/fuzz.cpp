// Feeds arbitrary bytes to the scene loader as a scene file and as an image
// list file: the first byte says where the scene text ends and the list begins,
// and its lowest bit whether the scene must load whole.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "io/ByteArrayInputStream.h"
#include "lang/String.h"
#include "sprite/DataLoader.h"
#include "sprite/ImageListReader.h"

namespace {

const std::string& gameDirectory() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/mentarium-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    size_t split = 1 + (size - 1) * data[0] / 255;
    const std::string& dir = gameDirectory();
    writeFile(dir + "/scene.dat", data + 1, split - 1);
    writeFile(dir + "/list.bin", data + split, size - split);

    auto* list = new io::ByteArrayInputStream(data + split, static_cast<int>(size - split));
    sprite::ImageListReader::read(list, [](const lang::String&, const uint8_t*, int) {});
    list->release();

    auto* loader = new sprite::DataLoader(dir.c_str(), nullptr, nullptr);
    if (data[0] & 1) loader->requireWholeScene();  // the game's own, strict way
    loader->countItems("scene.dat");
    loader->load("scene.dat");
    loader->release();
    return 0;
}
