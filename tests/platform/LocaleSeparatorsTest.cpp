#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/LocaleSeparators.h"

namespace {

// Compiles the named locales into a directory of the build with localedef (once)
// and points the C library at it, so the test does not depend on what the machine
// generated.
class LocaleSeparatorsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::filesystem::path(MENTARIUM_BINARY_DIR) / "test-locales";
        std::filesystem::create_directories(dir_);
        for (const char* name : {"en_US", "de_DE", "fr_FR"}) {
            if (std::filesystem::exists(dir_ / (std::string(name) + ".UTF-8") / "LC_NUMERIC")) continue;
            std::string cmd = "localedef -i " + std::string(name) + " -f UTF-8 '" + (dir_ / name).string() +
                              ".UTF-8' >/dev/null 2>&1";
            available_ = available_ && std::system(cmd.c_str()) == 0;
        }
        setenv("LOCPATH", dir_.c_str(), 1);
    }
    static void TearDownTestSuite() { unsetenv("LOCPATH"); }
    static std::filesystem::path dir_;
    static bool available_;
};
std::filesystem::path LocaleSeparatorsTest::dir_;
bool LocaleSeparatorsTest::available_ = true;

TEST_F(LocaleSeparatorsTest, EnglishGermanFrenchAndC) {
    if (!available_) GTEST_SKIP() << "localedef could not build the test locales";
    platform::LocaleSeparators en = platform::localeSeparators("en_US.UTF-8");
    EXPECT_EQ(en.decimal, '.');
    EXPECT_EQ(en.thousands, ',');
    platform::LocaleSeparators de = platform::localeSeparators("de_DE.UTF-8");
    EXPECT_EQ(de.decimal, ',');
    EXPECT_EQ(de.thousands, '.');
    platform::LocaleSeparators fr = platform::localeSeparators("fr_FR.UTF-8");
    EXPECT_EQ(fr.decimal, ',');
    EXPECT_EQ(static_cast<unsigned char>(fr.thousands), 0xA0u);
    platform::LocaleSeparators c = platform::localeSeparators("C");
    EXPECT_EQ(c.decimal, '.');
    EXPECT_EQ(c.thousands, 0);  // the C locale groups nothing
    platform::LocaleSeparators unknown = platform::localeSeparators("xx_XX.nothing");
    EXPECT_EQ(unknown.decimal, '.');
    EXPECT_EQ(unknown.thousands, ',');
}

}  // namespace
