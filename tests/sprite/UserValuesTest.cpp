#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "lang/ByteArray.h"
#include "lang/StringArray.h"
#include "sprite/ProfileFixture.h"

using platform::ProfileValueKind;
using testsupport::ProfileFixture;

namespace {

std::string asText(const std::optional<platform::ProfileValue>& value) {
    return value ? std::string(value->data.begin(), value->data.end()) : std::string("<missing>");
}

void fill(lang::ByteArray& bytes, int length, int seed) {
    bytes.resize(length);
    for (int i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>((i * 31 + seed) & 0xff);
}

bool sameBytes(const lang::ByteArray& a, const lang::ByteArray& b) {
    return a.length() == b.length() && (a.length() == 0 || std::memcmp(a.data(), b.data(), a.length()) == 0);
}

}  // namespace

using UserValues = ProfileFixture;

TEST_F(UserValues, FirstRunCreatesTheProductKeyAndGivesEveryDefault) {
    ASSERT_FALSE(std::filesystem::exists(path_));
    auto user = openUser();
    EXPECT_TRUE(std::filesystem::exists(path_));
    EXPECT_EQ(user->getCredits(), 0);
    EXPECT_EQ(user->getScore(0), -1);
    EXPECT_EQ(user->storedScoreCount(), 0);
    EXPECT_EQ(window::TextSettings::defaultFontName(), "Arial");
    EXPECT_EQ(window::TextSettings::nonAscentDescent(), 2);
    EXPECT_EQ(user->getInt("FULLSCREEN", 1), 1);
    EXPECT_STREQ(user->getString("Debug", "").c_str(), "");

    auto look = raw();
    auto software = look.store->openKey(look.store->root(), "Software\\Quillory", false);
    EXPECT_EQ(look.store->subkeyNames(software), std::vector<std::string>{"Cogniquilt"});
    user.reset();
    // Nothing to write back: the credit count stayed 0.
    EXPECT_FALSE(look.value("", "CREDITS"));
}

TEST_F(UserValues, OpenTakesTheFontAndMeasurementSettings) {
    {
        auto user = openUser();
        user->setString("fontName", "Liberation Serif");
        user->setInt("nonAscentDescent", 0);
    }
    window::TextSettings::reset();
    auto user = openUser();
    EXPECT_EQ(window::TextSettings::defaultFontName(), "Liberation Serif");
    EXPECT_EQ(window::TextSettings::nonAscentDescent(), 0);

    // An empty face name keeps the one in use; a missing setting is 2 again.
    user->setString("fontName", "");
    user->remove("nonAscentDescent");
    auto again = openUser();
    EXPECT_EQ(window::TextSettings::defaultFontName(), "Liberation Serif");
    EXPECT_EQ(window::TextSettings::nonAscentDescent(), 2);
}

TEST_F(UserValues, APathWithBackslashesNamesAValueInASubkey) {
    auto user = openUser();
    user->setInt("Options\\Audio\\Volume", 7);
    EXPECT_EQ(user->getInt("Options\\Audio\\Volume", -1), 7);
    EXPECT_EQ(user->getInt("Volume", -1), -1);

    auto look = raw();
    EXPECT_EQ(asText(look.value("Options\\Audio", "Volume")), std::string("\x07\0\0\0", 4));
    EXPECT_EQ(look.value("Options\\Audio", "Volume")->kind, ProfileValueKind::Number);

    // Reading a path below a missing subkey gives the default and makes nothing.
    EXPECT_EQ(user->getInt("Nowhere\\Value", 5), 5);
    EXPECT_STREQ(user->getString("Nowhere\\Text", "dflt").c_str(), "dflt");
    EXPECT_FALSE(look.hasSubkey("Nowhere"));
}

TEST_F(UserValues, NumbersAreReadFromNumbersAndLeadingDigitsOfTexts) {
    auto user = openUser();
    user->setInt("negative", -123456);
    user->setString("digitsThenLetters", "12ab");
    user->setString("letters", "ab");
    user->setString("signed", "  -42x");
    user->setString("huge", "99999999999999999");
    user->setString("tooLong", "123456789012345678901");  // 21 characters and a zero
    user->setString("longest", "1234567890123456789");    // 19 characters and a zero
    lang::ByteArray bytes(4);
    bytes[0] = 9;
    user->putBytes("binary", bytes);

    EXPECT_EQ(user->getInt("negative", 0), -123456);
    EXPECT_EQ(user->getInt("digitsThenLetters", -1), 12);
    EXPECT_EQ(user->getInt("letters", -1), 0);
    EXPECT_EQ(user->getInt("signed", 0), -42);
    EXPECT_EQ(user->getInt("huge", 0), INT_MAX);
    EXPECT_EQ(user->getInt("tooLong", -7), -7);
    EXPECT_EQ(user->getInt("longest", -7), INT_MAX);
    EXPECT_EQ(user->getInt("binary", -1), -1);
    EXPECT_EQ(user->getInt("missing", 33), 33);
}

TEST_F(UserValues, TextsAreStoredWithTheirZeroAndOtherKindsReadAsTheDefault) {
    auto user = openUser();
    user->setString("name", "Ren\xe9");
    user->setInt("number", 5);
    EXPECT_STREQ(user->getString("name", "").c_str(), "Ren\xe9");
    EXPECT_STREQ(user->getString("number", "dflt").c_str(), "dflt");
    EXPECT_EQ(asText(raw().value("", "name")), std::string("Ren\xe9\0", 5));

    std::string longest(1022, 'x');
    user->setString("longest", longest.c_str());
    EXPECT_EQ(user->getString("longest", "").length(), 1022);
    user->setString("tooLong", std::string(1023, 'y').c_str());
    EXPECT_STREQ(user->getString("tooLong", "dflt").c_str(), "dflt");

    lang::ByteArray bytes;
    EXPECT_FALSE(user->getBytes("name", bytes)) << "a text is not a byte array";
}

TEST_F(UserValues, LargeByteArraysAreKeptInPiecesOf4096) {
    auto user = openUser();
    lang::ByteArray big;
    fill(big, 10000, 3);
    user->putLargeBytes("Saves\\Blob", big);

    auto look = raw();
    ASSERT_TRUE(look.hasSubkey("Saves\\Blob"));
    EXPECT_EQ(look.value("Saves\\Blob", "0")->data.size(), 4096u);
    EXPECT_EQ(look.value("Saves\\Blob", "1")->data.size(), 4096u);
    EXPECT_EQ(look.value("Saves\\Blob", "2")->data.size(), 1808u);
    EXPECT_FALSE(look.value("Saves\\Blob", "3"));

    lang::ByteArray piece;
    ASSERT_TRUE(user->getBytes("Saves\\Blob\\2", piece));
    EXPECT_EQ(piece.length(), 1808);
    EXPECT_EQ(piece[0], big[8192]);

    lang::ByteArray back;
    ASSERT_TRUE(user->getLargeBytes("Saves\\Blob", back));
    EXPECT_TRUE(sameBytes(back, big));

    // A shorter array replaces the whole of a longer one.
    lang::ByteArray small;
    fill(small, 5000, 8);
    user->putLargeBytes("Saves\\Blob", small);
    EXPECT_FALSE(look.value("Saves\\Blob", "2"));
    ASSERT_TRUE(user->getLargeBytes("Saves\\Blob", back));
    EXPECT_TRUE(sameBytes(back, small));

    // Exactly one piece, then nothing at all.
    lang::ByteArray exact;
    fill(exact, 4096, 1);
    user->putLargeBytes("Saves\\Blob", exact);
    ASSERT_TRUE(user->getLargeBytes("Saves\\Blob", back));
    EXPECT_TRUE(sameBytes(back, exact));
    lang::ByteArray empty;
    user->putLargeBytes("Saves\\Blob", empty);
    EXPECT_FALSE(user->getLargeBytes("Saves\\Blob", back));
    EXPECT_TRUE(sameBytes(back, exact)) << "a failed read leaves the array alone";
}

TEST_F(UserValues, ByteArraysRoundTripAndMissingOnesReportFalse) {
    auto user = openUser();
    lang::ByteArray bytes;
    fill(bytes, 300, 0);
    user->putBytes("Data\\Bytes", bytes);
    lang::ByteArray back(7);
    ASSERT_TRUE(user->getBytes("Data\\Bytes", back));
    EXPECT_TRUE(sameBytes(back, bytes));

    lang::ByteArray none;
    user->putBytes("Empty", none);
    back.resize(3);
    ASSERT_TRUE(user->getBytes("Empty", back));
    EXPECT_EQ(back.length(), 0);

    lang::ByteArray untouched(2);
    untouched[0] = 42;
    EXPECT_FALSE(user->getBytes("Data\\Missing", untouched));
    EXPECT_FALSE(user->getBytes("NoKey\\Bytes", untouched));
    EXPECT_FALSE(user->getLargeBytes("NoKey", untouched));
    EXPECT_EQ(untouched.length(), 2);
    EXPECT_EQ(untouched[0], 42);
}

TEST_F(UserValues, RemoveTakesTheValueFirstAndOtherwiseTheSubkeyTree) {
    auto user = openUser();
    user->setInt("Shared", 1);
    user->setInt("Shared\\Inner\\Deep", 2);
    user->setInt("Keep\\Value", 3);

    user->remove("Shared");
    EXPECT_EQ(user->getInt("Shared", -1), -1);
    EXPECT_EQ(user->getInt("Shared\\Inner\\Deep", -1), 2) << "the subkey of the same name stays";

    user->remove("Shared");
    EXPECT_EQ(user->getInt("Shared\\Inner\\Deep", -1), -1);
    EXPECT_FALSE(raw().hasSubkey("Shared"));
    EXPECT_EQ(user->getInt("Keep\\Value", -1), 3);

    user->remove("Keep\\Missing");  // neither value nor subkey: nothing happens
    user->remove("Absent\\Value");
    EXPECT_EQ(user->getInt("Keep\\Value", -1), 3);
    EXPECT_FALSE(raw().hasSubkey("Absent"));
}

TEST_F(UserValues, ListKeysNamesTheProductKeysSubkeys) {
    auto user = openUser();
    user->setInt("Zed\\v", 1);
    user->setInt("Alpha\\Beta\\v", 1);
    user->setInt("plain", 1);
    lang::StringArray names;
    user->listKeys(names);
    ASSERT_EQ(names.length(), 2);
    EXPECT_STREQ(names.at(0)->c_str(), "Alpha");
    EXPECT_STREQ(names.at(1)->c_str(), "Zed");
    for (int i = 0; i < names.length(); ++i) names.at(i)->release();
}

TEST_F(UserValues, CreditsOrDefaultIsWrittenWhenTheProfileGoes) {
    {
        auto user = openUser();
        EXPECT_EQ(user->getCredits(), 0);
        EXPECT_EQ(user->getCreditsOrDefault(), 500000);
        EXPECT_FALSE(raw().value("", "CREDITS")) << "written at destruction, not before";
    }
    EXPECT_EQ(asText(raw().value("", "CREDITS")), std::string("\x20\xa1\x07\x00", 4));

    auto user = openUser();
    EXPECT_EQ(user->getCredits(), 500000);
    EXPECT_EQ(user->getCreditsOrDefault(), 500000);
    EXPECT_EQ(user->addCredits(25), 500025);
    EXPECT_EQ(user->subtractCredits(600000), -99975);
    user->resetCredits();
    EXPECT_EQ(user->getCredits(), 500000);
    EXPECT_EQ(user->subtractCredits(500000), 0);
    EXPECT_EQ(user->unusedOperation(), 0);
    // The count wraps like a 32-bit register instead of overflowing.
    EXPECT_EQ(user->addCredits(INT_MAX), INT_MAX);
    EXPECT_EQ(user->addCredits(1), INT_MIN);
    EXPECT_EQ(user->subtractCredits(1), INT_MAX);
}

TEST_F(UserValues, WithoutAUsableStoreEverythingFallsBackQuietly) {
    std::filesystem::create_directories(path_);  // a folder where the store should be
    testing::internal::CaptureStderr();
    auto user = openUser();
    EXPECT_NE(testing::internal::GetCapturedStderr().find(path_), std::string::npos);
    user->setInt("x", 1);
    EXPECT_EQ(user->getInt("x", 9), 9);
    EXPECT_STREQ(user->getString("x", "d").c_str(), "d");
    lang::ByteArray bytes(3);
    user->putLargeBytes("b", bytes);
    EXPECT_FALSE(user->getLargeBytes("b", bytes));
    EXPECT_EQ(user->addScore("n", 1, 100, 0), 0) << "the table still works in memory";
    EXPECT_EQ(user->getScore(0), 100);
    EXPECT_EQ(window::TextSettings::nonAscentDescent(), 2);
    user->getCreditsOrDefault();
    user.reset();  // the credit write at the end must not fail either
    EXPECT_TRUE(std::filesystem::is_directory(path_));
}

TEST_F(UserValues, ADamagedStoreStartsWithDefaultsAndIsKept) {
    {
        std::ofstream out(path_, std::ios::binary);
        out << std::string(3000, 'Z');
    }
    testing::internal::CaptureStderr();
    auto user = openUser();
    std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find(".damaged-"), std::string::npos) << told;
    EXPECT_EQ(user->getCredits(), 0);
    EXPECT_EQ(window::TextSettings::nonAscentDescent(), 2);
    user->setInt("NORMALEXIT", 1);
    EXPECT_EQ(user->getInt("NORMALEXIT", 0), 1);
}
