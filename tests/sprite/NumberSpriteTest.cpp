#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "WidgetFixtures.h"
#include "sprite/NumberSprite.h"
#include "sprite/SpriteFixtures.h"
#include "support/TempDir.h"

namespace {

using sprite::NumberSprite;
using sprite_test::Held;

constexpr int Cell = 8;

// A strip where every pixel names its cell and its column inside the cell.
window::Image* codedStrip(int cells) {
    return widget_test::pictureOf(cells * Cell, 6, [](int px, int) {
        return 0xFF000000u | static_cast<uint32_t>(px / Cell) << 8 | static_cast<uint32_t>(px % Cell);
    });
}

// Reads back what a number sprite drew: one character per drawn cell, found
// where the column inside the cell starts again or the cell changes.
std::string readCells(NumberSprite* s, bool digitsOnly = false) {
    s->collectDirty(0, nullptr, nullptr);
    Held<window::Image> out(widget_test::renderSprite(s, 200, 10));
    const char* normal = ":-$,.0123456789";
    std::string text;
    int lastCell = -1, lastColumn = 99;
    for (int px = 0; px < 200; ++px) {
        uint32_t p = widget_test::pixelAt(out.get(), px, 3);
        if (p == 0xFFFFFFFFu) {
            lastCell = -1;
            continue;
        }
        int cell = (p >> 8) & 0xFF, column = p & 0xFF;
        if (cell != lastCell || column <= lastColumn) text += digitsOnly ? static_cast<char>('0' + cell) : normal[cell];
        lastCell = cell;
        lastColumn = column;
    }
    return text;
}

NumberSprite* numberSprite(int format, int value, int minDigits = 0) {
    auto* s = new NumberSprite();
    Held<window::Image> strip(codedStrip(format == NumberSprite::DigitsOnly ? 10 : 15));
    widget_test::initWith(s, {strip.get()}, {0, 2, 0, value, format, 0, minDigits});
    return s;
}

// Compiles the English and German locales into the build directory once and
// selects one of them for the number separators.
class NumberLocaleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::filesystem::path(MENTARIUM_BINARY_DIR) / "test-locales";
        std::filesystem::create_directories(dir_);
        for (const char* name : {"en_US", "de_DE"}) {
            if (std::filesystem::exists(dir_ / (std::string(name) + ".UTF-8") / "LC_NUMERIC")) continue;
            std::string cmd = "localedef -i " + std::string(name) + " -f UTF-8 '" + (dir_ / name).string() +
                              ".UTF-8' >/dev/null 2>&1";
            if (std::system(cmd.c_str()) != 0) available_ = false;
        }
    }
    void useLocale(const char* name) {
        path_.emplace("LOCPATH", dir_.c_str());
        all_.emplace("LC_ALL", name);
        NumberSprite::reloadLocale();
    }
    void TearDown() override {
        all_.reset();
        path_.reset();
        NumberSprite::reloadLocale();
    }
    static std::filesystem::path dir_;
    static bool available_;
    std::optional<testsupport::ScopedEnv> path_, all_;
};
std::filesystem::path NumberLocaleTest::dir_;
bool NumberLocaleTest::available_ = true;

TEST_F(NumberLocaleTest, EnglishGroupsWithCommasAndGermanWithStops) {
    ASSERT_TRUE(available_) << "localedef could not build the test locales";
    useLocale("en_US.UTF-8");
    Held<NumberSprite> plain(numberSprite(NumberSprite::Plain, 1234567));
    EXPECT_EQ(readCells(plain.get()), "1,234,567");
    Held<NumberSprite> money(numberSprite(NumberSprite::Money, 12345));
    EXPECT_EQ(readCells(money.get()), "$123.45");

    useLocale("de_DE.UTF-8");
    EXPECT_EQ(readCells(plain.get()), "1.234.567");
    EXPECT_EQ(readCells(money.get()), "$123,45");
}

TEST_F(NumberLocaleTest, FormatsAndWidths) {
    useLocale("C");  // no grouping: the separators keep their gap but draw nothing
    Held<NumberSprite> grouped(numberSprite(NumberSprite::Plain, 1234567));
    EXPECT_EQ(readCells(grouped.get()), "1234567");
    EXPECT_EQ(grouped->getWidth(), 7 * Cell + 2 * Cell / 2);

    Held<NumberSprite> wholeMoney(numberSprite(NumberSprite::Money, 500));
    EXPECT_EQ(readCells(wholeMoney.get()), "$5");
    EXPECT_EQ(wholeMoney->getWidth(), 2 * Cell);
    Held<NumberSprite> cents(numberSprite(NumberSprite::Money, 5));
    EXPECT_EQ(readCells(cents.get()), "$.05");
    EXPECT_EQ(cents->getWidth(), (7 * Cell + 1) / 2);

    Held<NumberSprite> negative(numberSprite(NumberSprite::Plain, -42));
    EXPECT_EQ(readCells(negative.get()), "-42");
    Held<NumberSprite> plus(numberSprite(NumberSprite::ShowPlus, 7));
    EXPECT_EQ(readCells(plus.get()), "$7");
    Held<NumberSprite> percent(numberSprite(NumberSprite::Percent, 50));
    EXPECT_EQ(readCells(percent.get()), "50$");
    Held<NumberSprite> clock(numberSprite(NumberSprite::Time, 3725));
    EXPECT_EQ(clock->getValue(), 10205);
    EXPECT_EQ(readCells(clock.get()), "1:02:05");
    EXPECT_EQ(clock->getWidth(), 7 * Cell);
    Held<NumberSprite> padded(numberSprite(NumberSprite::Time, 5, 3));
    EXPECT_EQ(readCells(padded.get()), "0:05");
    Held<NumberSprite> digits(numberSprite(NumberSprite::DigitsOnly, -305));
    EXPECT_EQ(readCells(digits.get(), true), "305");
    EXPECT_EQ(digits->getWidth(), 3 * Cell);
}

TEST(NumberSpriteTest, AlignmentKeepsTheAnchorAsTheValueGrows) {
    Held<NumberSprite> s(new NumberSprite());
    Held<window::Image> strip(codedStrip(15));
    widget_test::initWith(s.get(), {strip.get()}, {100, 0, 2, 5, 0});
    EXPECT_EQ(s->getX() + s->getWidth(), 100);
    s->setValue(123);
    EXPECT_EQ(s->getWidth(), 3 * Cell);
    EXPECT_EQ(s->getX(), 76);
    s->setAlignment(1);
    EXPECT_EQ(s->getX(), 88);
}

TEST(NumberSpriteTest, CountingReachesTheTargetExactlyAndStops) {
    Held<NumberSprite> s(numberSprite(NumberSprite::Plain, 0));
    s->countTo(100);
    int previous = 0, passes = 0;
    while (s->getValue() != 100 && passes < 100) {
        s->collectDirty(++passes, nullptr, nullptr);
        EXPECT_GT(s->getValue(), previous);
        EXPECT_LE(s->getValue(), 100);
        previous = s->getValue();
    }
    EXPECT_EQ(s->getValue(), 100);
    EXPECT_LT(passes, 30);
    s->collectDirty(++passes, nullptr, nullptr);
    EXPECT_FALSE(s->isCounting());

    s->countTo(-3);
    for (int i = 0; i < 100 && s->isCounting(); ++i) s->collectDirty(++passes, nullptr, nullptr);
    EXPECT_EQ(s->getValue(), -3);
}

}  // namespace
