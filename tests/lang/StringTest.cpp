#include <gtest/gtest.h>

#include "lang/Integer.h"
#include "lang/ObjectArray.h"
#include "lang/String.h"

using lang::String;

TEST(StringTest, CapacityRule) {
    EXPECT_EQ(String("123456789012345").capacity(), 16);
    EXPECT_EQ(String("1234567890123456").capacity(), 32);
    String empty;
    EXPECT_EQ(empty.capacity(), 0);
    EXPECT_EQ(String(empty).capacity(), 16);
    EXPECT_EQ(String(String("ab"), 40).capacity(), 48);
    EXPECT_EQ(String::withCapacity(17).capacity(), 32);
}

TEST(StringTest, BorrowedLiteralIsReplacedNotWrittenInto) {
    static const char literal[] = "abc";
    String s(literal, String::Borrow{});
    EXPECT_EQ(s.capacity(), 0);
    EXPECT_EQ(s.c_str(), literal);
    s.assign("a longer text");
    EXPECT_NE(s.c_str(), literal);
    EXPECT_STREQ(literal, "abc");
    EXPECT_EQ(s.capacity(), 16);
}

TEST(StringTest, EqualityAndCaseFolding) {
    String abc("abc");
    EXPECT_FALSE(abc.equals("ABC"));
    EXPECT_TRUE(abc.equalsIgnoreCase("ABC"));
    EXPECT_TRUE(String("\xC9t\xE9").equalsIgnoreCase("\xE9T\xC9"));  // Latin-1 letters fold
    lang::Integer five(5);
    EXPECT_FALSE(String("5").equals(&five));
    String copy("abc");
    EXPECT_TRUE(abc.equals(static_cast<const lang::Object*>(&copy)));
    EXPECT_TRUE(String().equals(""));
}

TEST(StringTest, HashCodeOrsBytesInFourLanes) {
    EXPECT_EQ(String("A").hashCode(), 65);
    EXPECT_EQ(String("AB").hashCode(), 16961);
    EXPECT_EQ(String("").hashCode(), 0);
    EXPECT_EQ(String("ABCDE").hashCode(), (65 | 66 << 8 | 67 << 16 | 68 << 24) | 69);
    EXPECT_EQ(String("\x80").hashCode(), static_cast<int>(0xFFFFFF80u));  // sign extends
}

TEST(StringTest, SearchAndSubstrings) {
    String s("hello world");
    EXPECT_EQ(s.indexOf('o'), 4);
    EXPECT_EQ(s.indexOf('o', 5), 7);
    EXPECT_EQ(s.indexOf('o', 50), -1);
    EXPECT_EQ(s.indexOf("wor"), 6);
    EXPECT_EQ(s.indexOf(""), 0);
    EXPECT_EQ(s.lastIndexOf('l'), 9);
    EXPECT_STREQ(s.substring(6).c_str(), "world");
    EXPECT_STREQ(s.substring(60).c_str(), "");
    EXPECT_STREQ(s.substring(0, 5).c_str(), "hello");
    EXPECT_TRUE(s.startsWith("hell"));
    EXPECT_TRUE(s.endsWith("world"));
    EXPECT_FALSE(s.endsWith("a longer suffix than s"));
    EXPECT_TRUE(String().startsWith(""));
    EXPECT_FALSE(String().startsWith("a"));
}

TEST(StringTest, AppendGrowsAndHandlesSelfAppend) {
    String s("0123456789abcde");  // 15 chars, capacity 16
    s.append("f");
    EXPECT_EQ(s.length(), 16);
    EXPECT_EQ(s.capacity(), 32);
    s.append(s);
    EXPECT_STREQ(s.c_str(), "0123456789abcdef0123456789abcdef");
    s.setLength(3);
    s.append(-42).append('!');
    EXPECT_STREQ(s.c_str(), "012-42!");
    EXPECT_STREQ((String("n=") + 7).c_str(), "n=7");
    EXPECT_STREQ((String("ab") + String("cd")).c_str(), "abcd");
    s.setCharAt(0, 'X');
    s.setCharAt(99, 'Y');
    EXPECT_STREQ(s.c_str(), "X12-42!");
}

TEST(StringTest, NumbersToText) {
    EXPECT_STREQ(String(0).c_str(), "0");
    EXPECT_STREQ(String(-2147483647 - 1).c_str(), "-2147483648");
    EXPECT_STREQ(String(0.1).c_str(), "0.1");
    EXPECT_STREQ(String(1.0 / 3).c_str(), "0.333333333");
}

TEST(StringTest, FormatAndReplaceAll) {
    EXPECT_STREQ(String::format("%1 scored %2 (%1)", "%", "Ann", "42", nullptr).c_str(), "Ann scored 42 (Ann)");
    EXPECT_STREQ(String::format("no markers", "%", "x", nullptr).c_str(), "no markers");
    String s("a-b-c");
    s.replaceAll("-", "--");
    EXPECT_STREQ(s.c_str(), "a--b--c");
    s.replaceAll("", "x");
    EXPECT_STREQ(s.c_str(), "a--b--c");
    s.replaceAll("zz", "y");
    EXPECT_STREQ(s.c_str(), "a--b--c");
}

TEST(StringTest, TextCharacters) {
    EXPECT_TRUE(String::isTextChar('a'));
    EXPECT_TRUE(String::isTextChar('-'));
    EXPECT_TRUE(String::isTextChar(0xE9));
    EXPECT_FALSE(String::isTextChar('_'));
    EXPECT_FALSE(String::isTextChar(0xA9));
}

TEST(ArrayTest, ObjectArrayShrinkDropsWithoutReleasing) {
    auto* kept = new String("kept");
    lang::ObjectArray a(3);
    a[2] = kept;
    a.resize(2);
    EXPECT_EQ(a.length(), 2);
    EXPECT_EQ(kept->refCount(), 1);
    a.resize(4);
    EXPECT_EQ(a[3], nullptr);
    kept->release();
}
