#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "WidgetFixtures.h"
#include "platform/PngWriter.h"
#include "sprite/SpriteFixtures.h"

namespace widget_test {

void expectMatchesGolden(window::Image* picture, const std::string& name) {
    ASSERT_NE(picture, nullptr);
    std::string path = std::string(MENTARIUM_SOURCE_DIR) + "/tests/sprite/golden/" + name + ".png";
    int w = picture->getWidth(), h = picture->getHeight();
    const char* regenerate = std::getenv("MENTARIUM_REGENERATE_GOLDEN");
    if (regenerate && std::strcmp(regenerate, "1") == 0) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::string error;
        ASSERT_TRUE(platform::writePng(path, picture->getPixels(), w, h, &error)) << error;
        std::printf("rewrote %s\n", path.c_str());
        return;
    }
    sprite_test::Held<window::Image> golden(loadPicture(path));
    ASSERT_NE(golden.get(), nullptr) << "missing " << path << " (MENTARIUM_REGENERATE_GOLDEN=1 makes it)";
    ASSERT_EQ(golden->getWidth(), w) << name;
    ASSERT_EQ(golden->getHeight(), h) << name;
    int differing = 0, firstX = -1, firstY = -1;
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px)
            if (pixelAt(golden.get(), px, py) != pixelAt(picture, px, py) && differing++ == 0) {
                firstX = px;
                firstY = py;
            }
    EXPECT_EQ(differing, 0) << name << ": first difference at (" << firstX << ", " << firstY << ")";
}

}  // namespace widget_test
