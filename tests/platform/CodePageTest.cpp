#include <gtest/gtest.h>

#include <cstring>

#include "platform/CodePage.h"

TEST(CodePageTest, Utf8ToWindows1252) {
    const char* text = "Caf\xC3\xA9 \xE2\x82\xAC 5 \xE2\x80\x94 \xE4\xB8\xAD!";  // Café € 5 — 中!
    EXPECT_EQ(platform::utf8ToCp1252(text, std::strlen(text)), "Caf\xE9 \x80 5 \x97 .!");
    const char bad[] = "a\xC3";  // truncated sequence
    EXPECT_EQ(platform::utf8ToCp1252(bad, 2), "a.");
    const char stray[] = "\x80x";
    EXPECT_EQ(platform::utf8ToCp1252(stray, 2), ".x");
}

TEST(CodePageTest, RoundTripAndFolding) {
    std::string all;
    for (int c = 32; c < 256; ++c)
        if (platform::cp1252ToUnicode(static_cast<unsigned char>(c)) != 0) all += static_cast<char>(c);
    std::string utf8 = platform::cp1252ToUtf8(all.data(), all.size());
    EXPECT_EQ(platform::utf8ToCp1252(utf8.data(), utf8.size()), all);
    EXPECT_EQ(platform::cp1252ToLower('Q'), 'q');
    EXPECT_EQ(platform::cp1252ToLower(0xC9), 0xE9);
    EXPECT_EQ(platform::cp1252ToLower(0xD7), 0xD7);  // the multiplication sign has no case
    EXPECT_EQ(platform::cp1252ToLower(0x8A), 0x9A);
}
