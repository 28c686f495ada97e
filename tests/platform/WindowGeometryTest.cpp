// Pure helpers of the window system: scaling to fit and key tables.

#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/KeyMap.h"
#include "platform/Letterbox.h"

namespace {

using platform::fitInside;
using platform::mapToSource;

TEST(LetterboxTest, AWiderScreenGetsBarsLeftAndRight) {
    platform::FitRect fit = fitInside(500, 375, 1920, 1080);
    EXPECT_EQ(fit.height, 1080);
    EXPECT_EQ(fit.width, 1440);
    EXPECT_EQ(fit.x, 240);
    EXPECT_EQ(fit.y, 0);
}

TEST(LetterboxTest, ATallerScreenGetsBarsAboveAndBelow) {
    platform::FitRect fit = fitInside(500, 375, 1000, 1000);
    EXPECT_EQ(fit.width, 1000);
    EXPECT_EQ(fit.height, 750);
    EXPECT_EQ(fit.x, 0);
    EXPECT_EQ(fit.y, 125);
}

TEST(LetterboxTest, AnEmptySideFitsNothing) {
    platform::FitRect fit = fitInside(0, 375, 800, 600);
    EXPECT_EQ(fit.width, 0);
    EXPECT_EQ(fit.height, 0);
}

TEST(LetterboxTest, PointsMapBackToTheScenesPixels) {
    platform::FitRect fit = fitInside(500, 375, 1920, 1080);
    EXPECT_EQ(mapToSource(fit, 500, 375, 240, 0).x, 0);
    EXPECT_EQ(mapToSource(fit, 500, 375, 240 + 1439, 1079).x, 499);
    EXPECT_EQ(mapToSource(fit, 500, 375, 240 + 1439, 1079).y, 374);
    platform::PointI centre = mapToSource(fit, 500, 375, 960, 540);
    EXPECT_EQ(centre.x, 250);
    EXPECT_EQ(centre.y, 187);
    // On the left bar a point lies left of the scene, not on its first column.
    EXPECT_LT(mapToSource(fit, 500, 375, 239, 10).x, 0);
    EXPECT_GE(mapToSource(fit, 500, 375, 1920 - 1, 10).x, 500);
}

TEST(KeyMapTest, SdlKeysBecomeVirtualKeys) {
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_a), 'A');
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_z), 'Z');
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_7), '7');
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_LEFT), 0x25);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_DOWN), 0x28);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_DELETE), 0x2E);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_F1), 0x70);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_F12), 0x7B);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_F13), 0x7C);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_F15), 0x7E);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_RCTRL), 0x11);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_KP_5), 0x65);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_SEMICOLON), 0xBA);
    EXPECT_EQ(platform::virtualKeyFromSdl(SDLK_APPLICATION), 0);
}

TEST(KeyMapTest, CharactersFollowTheShiftState) {
    EXPECT_EQ(platform::characterOfKey('A', false), 'a');
    EXPECT_EQ(platform::characterOfKey('A', true), 'A');
    EXPECT_EQ(platform::characterOfKey('1', true), '!');
    EXPECT_EQ(platform::characterOfKey('0', true), ')');
    EXPECT_EQ(platform::characterOfKey(platform::vk::Oem2, true), '?');
    EXPECT_EQ(platform::characterOfKey(platform::vk::Escape, false), 27);
    EXPECT_EQ(platform::characterOfKey(platform::vk::Return, false), 13);
    EXPECT_EQ(platform::characterOfKey(platform::vk::Left, false), 0);
    EXPECT_EQ(platform::characterOfKey(platform::vk::Delete, false), 0);
    EXPECT_EQ(platform::characterOfKey(platform::vk::F1, false), 0);
    EXPECT_EQ(platform::characterOfKey(platform::vk::Control, false), 0);
}

}  // namespace
