#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "lang/ResourceFile.h"
#include "sprite/LoadListener.h"
#include "sprite/Sprite.h"
#include "support/TempDir.h"

namespace sprite_test {

// Scene lines joined with the carriage-return line ends the scene format expects.
inline std::string sceneText(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text.append(line).append("\r\n");
    return text;
}

// A temp game directory plus an archive packed from it by our packer.
class SceneFixture : public ::testing::Test {
protected:
    void TearDown() override { lang::ResourceFile::closeChain(); }

    // Packs the named files of the directory (NAME=FILE) into an archive and opens it.
    void packArchive(const std::vector<std::string>& items) {
        std::string archive = dir.file("Cogniquilt.bin");
        std::string command = std::string(MENTARIUM_BINARY_DIR) + "/tools/mkarchive pack " + archive;
        for (const std::string& item : items) command += " " + item + "=" + dir.file(item);
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        ASSERT_NE(lang::ResourceFile::open(archive.c_str()), nullptr);
    }

    // Writes bytes to name inside the game directory; answers the full path.
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::string full = dir.file(name);
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        std::ofstream out(full, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return full;
    }
    std::string write(const std::string& name, const std::string& text) const {
        return write(name, std::vector<uint8_t>(text.begin(), text.end()));
    }

    testsupport::TempDir dir;
};

// Counts progress steps and can hand the loader a sprite of its own.
class CountingListener : public lang::Object, public sprite::LoadListener {
public:
    MENTARIUM_CLASS(CountingListener, lang::Object)
    void itemLoaded() override { ++steps; }
    sprite::SpriteBase* offerSprite(const lang::String& classField, lang::IntArray*, lang::ObjectArray*,
                                    sprite::DataLoader*) override {
        ++offers;
        return classField.equals("Offered") ? new sprite::Sprite() : nullptr;
    }
    int steps = 0;
    int offers = 0;
};

}  // namespace sprite_test
