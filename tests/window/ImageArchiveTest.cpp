#include <gtest/gtest.h>

#include <vector>

#include "lang/ResourceArchiveWriter.h"
#include "lang/ResourceFile.h"
#include "platform/PngWriter.h"
#include "support/TempDir.h"
#include "window/Image.h"

// Pictures named "+item" come from the open resource archive.
TEST(ImageArchiveTest, ItemNamesDecodeFromTheArchiveAndMissingOnesFail) {
    testsupport::TempDir dir;
    const uint32_t pixels[4] = {0xFFFF0000u, 0x8000FF00u, 0x000000FFu, 0xFF123456u};
    std::string png = dir.file("p.png");
    ASSERT_TRUE(platform::writePng(png, pixels, 2, 2));
    auto* writer = new lang::ResourceArchiveWriter();
    writer->add("tile", testsupport::TempDir::read(png));
    std::string archive = dir.file("pictures.bin");
    writer->write(archive);
    writer->release();

    lang::ResourceFile::closeChain();
    ASSERT_NE(lang::ResourceFile::open(archive.c_str()), nullptr);
    auto* image = new window::Image(lang::String("+tile"));
    ASSERT_TRUE(image->loadAndHasPixels());
    EXPECT_EQ(image->getWidth(), 2);
    EXPECT_EQ(image->getHeight(), 2);
    EXPECT_EQ(image->getPixels()[0], 0xFFFF0000u);
    EXPECT_EQ(image->getPixels()[3], 0xFF123456u);
    image->release();

    auto* missing = new window::Image(lang::String("+nothing"));
    EXPECT_FALSE(missing->loadAndHasPixels());
    EXPECT_TRUE(missing->loadFailed());
    missing->release();
    lang::ResourceFile::closeChain();
}
