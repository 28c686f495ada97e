#include <gtest/gtest.h>

#include <cstring>

#include "platform/TextLayout.h"

using platform::TextLine;

namespace {

// Every character 10 pixels wide; the ellipsis 30.
std::vector<TextLine> wrap(const char* text, int width) {
    return platform::wrapWords(
        text, static_cast<int>(std::strlen(text)), width, [](const char*, int n) { return n * 10; }, 30);
}

}  // namespace

TEST(TextLayoutTest, BreaksBetweenWords) {
    auto lines = wrap("aaa bbb ccc", 75);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], (TextLine{0, 7, false}));
    EXPECT_EQ(lines[1], (TextLine{8, 11, false}));
    EXPECT_EQ(wrap("aaa bbb ccc", 110).size(), 1u);
}

TEST(TextLayoutTest, LineFeedsAndBlankLines) {
    auto lines = wrap("ab\r\n\ncd", 100);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (TextLine{0, 2, false}));
    EXPECT_EQ(lines[1], (TextLine{4, 4, false}));
    EXPECT_EQ(lines[2], (TextLine{5, 7, false}));
}

TEST(TextLayoutTest, TooWideWordEndsInEllipsis) {
    auto lines = wrap("abcdefghij xy", 50);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], (TextLine{0, 2, true}));  // 2 * 10 + 30 fits in 50
    EXPECT_EQ(lines[1], (TextLine{11, 13, false}));
    // Narrower than the ellipsis: nothing of the word is left.
    auto tiny = wrap("abc", 20);
    ASSERT_EQ(tiny.size(), 1u);
    EXPECT_EQ(tiny[0], (TextLine{0, 0, true}));
    // Spaces alone never loop forever.
    EXPECT_EQ(wrap("     ", 0).size(), 1u);
}
