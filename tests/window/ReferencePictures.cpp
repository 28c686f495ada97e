#include "ReferencePictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

ReferencePictures::ReferencePictures() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mentarium-pictures-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
    folder_ = pattern;
}

ReferencePictures::~ReferencePictures() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path ReferencePictures::make(const std::string& arguments, const std::string& output) {
    std::filesystem::path target = folder_ / output;
    std::string format;
    std::string name = output;
    // "PNG8:x.png" keeps its format prefix in front of the folder.
    if (auto colon = output.find(':'); colon != std::string::npos) {
        format = output.substr(0, colon + 1);
        name = output.substr(colon + 1);
        target = folder_ / name;
    }
    std::string command = "convert " + arguments + " '" + format + target.string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return target;
}

std::vector<uint8_t> ReferencePictures::bytes(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint32_t> ReferencePictures::reference(const std::filesystem::path& file) {
    std::filesystem::path raw = file;
    raw += ".rgba";
    std::string command = "convert '" + file.string() + "[0]' -depth 8 'RGBA:" + raw.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<uint8_t> rgba = bytes(raw);
    std::vector<uint32_t> words(rgba.size() / 4);
    for (size_t i = 0; i < words.size(); i++) {
        const uint8_t* p = &rgba[4 * i];
        words[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    return words;
}

std::string ReferencePictures::card() {
    if (card_.empty()) {
        card_ = make(
            "-size 37x23 xc: -sparse-color Bilinear '0,0 red 36,0 lime 0,22 blue 36,22 white' "
            "-alpha set -channel A -fx 'i/w' +channel",
            "PNG32:card.png");
    }
    return "'" + card_.string() + "'";
}
