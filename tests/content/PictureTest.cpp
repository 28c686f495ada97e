// The built pictures: every one decodes, masks agree with their pictures,
// the cursor has its hot spot, and the contact sheet shows them all.

#include <gtest/gtest.h>

#include <filesystem>

#include "ContentFiles.h"
#include "Png.h"

namespace contenttest {
namespace {

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Pictures, EveryPictureItemDecodes) {
    int pictures = 0;
    for (const auto& [name, file] : items()) {
        if (!endsWith(file, ".png")) continue;
        const Picture p = decodePng(file);
        EXPECT_GT(p.width, 0) << name;
        EXPECT_GT(p.height, 0) << name;
        EXPECT_LE(p.width, 1024) << name;
        ++pictures;
    }
    EXPECT_GT(pictures, 30);
}

TEST(Pictures, BackdropsFillTheScene) {
    for (const char* name : {"iBgMenu", "iBgGame", "iDim"}) {
        const Picture p = decodePng(items().at(name));
        EXPECT_EQ(p.width, 500) << name;
        EXPECT_EQ(p.height, 375) << name;
    }
    // The menu backdrop is opaque everywhere; the dimmer only darkens.
    const Picture bg = decodePng(items().at("iBgMenu"));
    for (int y = 0; y < bg.height; y += 25)
        for (int x = 0; x < bg.width; x += 25) ASSERT_EQ(bg.alpha(x, y), 255) << x << "," << y;
    const Picture dim = decodePng(items().at("iDim"));
    EXPECT_GT(dim.alpha(250, 180), 64);
    EXPECT_LT(dim.alpha(250, 180), 224);
}

// A mask is black where its picture is opaque and white where it is clear,
// because the image layer takes alpha = 255 - the mask's blue channel.
void expectMaskFits(const std::string& maskName, const std::string& pictureName) {
    const Picture mask = decodePng(items().at(maskName));
    const Picture picture = decodePng(items().at(pictureName));
    ASSERT_EQ(mask.width, picture.width) << maskName << " on " << pictureName;
    ASSERT_EQ(mask.height, picture.height) << maskName << " on " << pictureName;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            ASSERT_NEAR(255 - mask.blue(x, y), picture.alpha(x, y), 1)
                << maskName << " on " << pictureName << " at " << x << "," << y;
}

TEST(Pictures, AutomasksFollowTheirPicturesTransparency) {
    int masks = 0;
    for (const auto& [name, file] : items()) {
        if (!endsWith(name, "_automask")) continue;
        const std::string base = name.substr(0, name.size() - 9);
        ASSERT_TRUE(hasItem(base)) << name;
        expectMaskFits(name, base);
        ++masks;
    }
    EXPECT_GE(masks, 3);
}

// Masks the game pairs by name: a description card with its "_mask", and
// every rank medal with the one rating mask.
TEST(Pictures, NamedMasksFitEveryPictureTheyArePairedWith) {
    for (int i = 0; i <= 16; ++i) {
        const std::string card = "iPAGameDescription_" + std::to_string(i);
        ASSERT_TRUE(hasItem(card + "_mask")) << card;
        expectMaskFits(card + "_mask", card);
    }
    for (int r = 0; r < 15; ++r) expectMaskFits("str_DailyTestRating_mask", "iDailyTestTrophy_" + std::to_string(r));
}

TEST(Pictures, HandCursorPointsWithItsFingertip) {
    const Picture p = decodePng(items().at("handCursor"));
    ASSERT_EQ(p.width, 32);
    ASSERT_EQ(p.height, 32);
    EXPECT_EQ(p.alpha(0, 0), 0);
    EXPECT_EQ(p.alpha(31, 0), 0);
    EXPECT_GT(p.alpha(9, 2), 200) << "hot spot (9, 1) must sit on the fingertip";
    EXPECT_LT(p.alpha(9, 0), 64) << "nothing above the fingertip";
}

TEST(Pictures, ContactSheetIsNewerThanEveryPicture) {
    const std::filesystem::path sheet = binaryDir() + "/content-sheet.png";
    ASSERT_TRUE(std::filesystem::exists(sheet));
    const Picture p = decodePng(sheet.string());
    EXPECT_GT(p.width, 500);
    EXPECT_GT(p.height, 300);
    const auto made = std::filesystem::last_write_time(sheet);
    for (const auto& [name, file] : items()) {
        if (endsWith(file, ".png") && name.find("_metrics") == std::string::npos) {
            EXPECT_LE(std::filesystem::last_write_time(file), made) << name << " is missing from the sheet";
        }
    }
}

}  // namespace
}  // namespace contenttest
