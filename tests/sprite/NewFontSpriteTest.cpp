#include <gtest/gtest.h>

#include <string>

#include "WidgetFixtures.h"
#include "lang/String.h"
#include "sprite/NewFontSprite.h"
#include "sprite/SpriteFixtures.h"
#include "window/Event.h"

namespace {

using sprite::GlyphTable;
using sprite::NewFontSprite;
using sprite_test::Held;
using widget_test::GeneratedFont;

class NewFontSpriteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GeneratedFont::get().ok()) << "fontgen did not make the test font"; }

    NewFontSprite* textSprite(const char* text, std::initializer_list<int> numbers = {0, 0}) {
        auto* s = new NewFontSprite();
        widget_test::initWith(s, {GeneratedFont::get().sheet, GeneratedFont::get().metrics}, numbers);
        s->setText(text);
        s->collectDirty(0, nullptr, nullptr);
        return s;
    }
    GlyphTable table() { return GlyphTable(GeneratedFont::get().metrics); }
    sprite::GlyphMetrics glyph(char c) { return table().at(GlyphTable::indexOf(c)); }
};

TEST_F(NewFontSpriteTest, OneGlyphMeasuresItsAdvanceWithoutItsBearing) {
    Held<NewFontSprite> s(textSprite("W", {0, 0, 0, static_cast<int>(0x80808080u), 0, 0, 2}));
    sprite::GlyphMetrics w = glyph('W');
    EXPECT_EQ(s->getWidth(), -w.xOffset + w.advance - 2);
    EXPECT_EQ(s->getHeight(), table().lineHeight());
    s->setTracking(0);
    EXPECT_EQ(s->getWidth(), -w.xOffset + w.advance);
    Held<NewFontSprite> two(textSprite("AV"));
    EXPECT_EQ(two->getWidth(), -glyph('A').xOffset + glyph('A').advance + glyph('V').advance);
}

TEST_F(NewFontSpriteTest, LineFeedsAddLinesWithSpacing) {
    Held<NewFontSprite> s(textSprite("ab\n", {0, 0, 0, static_cast<int>(0x80808080u), 3}));
    int lh = table().lineHeight();
    EXPECT_EQ(s->getHeight(), 2 * lh + 3);
    s->setText("ab\ncd\n");
    EXPECT_EQ(s->getHeight(), 3 * lh + 6);
    s->setLineSpacing(0);
    EXPECT_EQ(s->getHeight(), 3 * lh);
}

TEST_F(NewFontSpriteTest, BoundsFollowTheAlignment) {
    Held<NewFontSprite> s(textSprite("Hello", {100, 10, 2}));
    util::RectangleNM* r = s->getBounds();
    int w = s->getWidth() + 2;
    EXPECT_EQ(r->x, 100 - w);
    EXPECT_EQ(r->width, w + s->getOverhang());
    s->setAlignment(1);
    r = s->getBounds();
    EXPECT_EQ(r->x, 100 - w / 2);
    s->setCaret(true, false);
    EXPECT_EQ(s->getBounds()->width, w + s->getOverhang() + 2);
}

TEST_F(NewFontSpriteTest, PaintsAtTheAlignedEdges) {
    Held<NewFontSprite> left(textSprite("Mm", {10, 2, 0}));
    Held<window::Image> a(widget_test::renderSprite(left.get(), 120, 30));
    auto [firstA, lastA] = widget_test::inkColumns(a.get(), 0, 30);
    ASSERT_GE(firstA, 0) << "nothing drawn";
    EXPECT_GE(firstA, 10);
    EXPECT_LE(firstA, 12);

    Held<NewFontSprite> right(textSprite("Mm", {110, 2, 2}));
    Held<window::Image> b(widget_test::renderSprite(right.get(), 120, 30));
    auto [firstB, lastB] = widget_test::inkColumns(b.get(), 0, 30);
    EXPECT_LE(lastB, 109 + right->getOverhang());
    EXPECT_GE(lastB, 105);
    // The same text drawn in both places has the same shape.
    EXPECT_EQ(lastA - firstA, lastB - firstB);
}

TEST_F(NewFontSpriteTest, CentredLinesAreAlignedEachOnItsOwn) {
    Held<NewFontSprite> s(textSprite("i\nMMMM", {60, 0, 1}));
    int lh = table().lineHeight();
    Held<window::Image> out(widget_test::renderSprite(s.get(), 120, 2 * lh));
    auto [shortFirst, shortLast] = widget_test::inkColumns(out.get(), 0, lh);
    auto [longFirst, longLast] = widget_test::inkColumns(out.get(), lh, 2 * lh);
    ASSERT_GE(shortFirst, 0);
    ASSERT_GE(longFirst, 0);
    EXPECT_NEAR((shortFirst + shortLast) / 2.0, (longFirst + longLast) / 2.0, 3.0);
    EXPECT_GT(shortFirst, longFirst + 10);
}

TEST_F(NewFontSpriteTest, TruncateLeavesFittingTextAndEllipsizesLongText) {
    Held<NewFontSprite> s(textSprite("Short"));
    int w = s->getWidth();
    s->truncateToWidth(w);
    EXPECT_STREQ(s->getText().c_str(), "Short");
    s->setText("A rather long sentence that cannot fit");
    s->truncateToWidth(80);
    const lang::String& t = s->getText();
    ASSERT_GT(t.length(), 1);
    EXPECT_EQ(t.charAt(t.length() - 1), NewFontSprite::Ellipsis);
    EXPECT_LE(s->getWidth(), 80);
    EXPECT_TRUE(std::string("A rather long sentence").rfind(std::string(t.c_str(), t.length() - 1), 0) == 0);
}

TEST_F(NewFontSpriteTest, WrapBreaksOnlyAtSpaces) {
    Held<NewFontSprite> s(textSprite("one two three four five six seven"));
    s->wrapToWidth(60);
    std::string wrapped = s->getText().c_str();
    EXPECT_NE(wrapped.find('\n'), std::string::npos);
    // Every word survives whole, and only spaces turned into line feeds.
    std::string rejoined = wrapped;
    for (char& c : rejoined)
        if (c == '\n') c = ' ';
    EXPECT_EQ(rejoined, "one two three four five six seven");
    size_t start = 0;
    while (start <= wrapped.size()) {
        size_t end = wrapped.find('\n', start);
        std::string line = wrapped.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (line.find(' ') != std::string::npos) {
            EXPECT_LE(s->measureLine(line.c_str()), 60) << line;
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    Held<NewFontSprite> word(textSprite("Incomprehensibilities"));
    word->wrapToWidth(30);
    EXPECT_STREQ(word->getText().c_str(), "Incomprehensibilities");
    Held<NewFontSprite> auto_(textSprite(""));
    auto_->setWrapWidth(60);
    auto_->setText("one two three four five six seven");
    EXPECT_STREQ(auto_->getText().c_str(), wrapped.c_str());
}

TEST_F(NewFontSpriteTest, KeysEditAtTheCursorAndTheFilterRejects) {
    Held<NewFontSprite> s(textSprite("ab"));
    auto type = [&](int key, int maxLength = 0, bool filter = true) {
        Held<window::Event> e(new window::Event(nullptr, window::Event::KeyPress, nullptr));
        e->key = key;
        s->keyTyped(e.get(), maxLength, filter);
    };
    type(33);
    EXPECT_STREQ(s->getText().c_str(), "ab");
    type(233);
    EXPECT_STREQ(s->getText().c_str(), "ab\xE9");
    type(1037);
    type(1037);
    type('X');
    EXPECT_STREQ(s->getText().c_str(), "aXb\xE9");
    EXPECT_EQ(s->getCursor(), 2);
    type(1046);
    EXPECT_STREQ(s->getText().c_str(), "aX\xE9");
    type(8);
    EXPECT_STREQ(s->getText().c_str(), "a\xE9");
    type('z', 2);
    EXPECT_STREQ(s->getText().c_str(), "a\xE9");
    type(1040);  // an arrow key is not a character
    EXPECT_STREQ(s->getText().c_str(), "a\xE9");
    type('!', 0, false);
    EXPECT_STREQ(s->getText().c_str(), "a!\xE9");
    int before = s->getWidth();
    type('W', 0, false);
    EXPECT_GT(s->getWidth(), before);
}

TEST_F(NewFontSpriteTest, RevealShowsOneMoreLetterPerFrameAndNotifiesOnce) {
    Held<NewFontSprite> s(textSprite(""));
    widget_test::CountingReceiver receiver;
    s->setNotify(&receiver, nullptr);
    s->revealText("Hello", 10);
    EXPECT_EQ(s->getRevealCount(), 0);
    Held<window::Image> hidden(widget_test::renderSprite(s.get(), 80, 30));
    EXPECT_EQ(widget_test::inkColumns(hidden.get(), 0, 30).first, -1);
    for (int t = 1; t <= 4; ++t) {
        s->collectDirty(t, nullptr, nullptr);
        EXPECT_EQ(s->getRevealCount(), t);
    }
    s->collectDirty(5, nullptr, nullptr);
    EXPECT_FALSE(s->isRevealing());
    for (int t = 6; t < 10; ++t) s->collectDirty(t, nullptr, nullptr);
    EXPECT_EQ(receiver.count, 1);
    EXPECT_EQ(receiver.lastSource, s.get());
}

TEST_F(NewFontSpriteTest, RevealWithoutSpeedShowsEverythingAtOnce) {
    Held<NewFontSprite> s(textSprite(""));
    s->revealText("Hi", 0);
    s->collectDirty(1, nullptr, nullptr);
    EXPECT_FALSE(s->isRevealing());
}

TEST_F(NewFontSpriteTest, TickerScrollsThroughItsWindowAndEndsOnce) {
    Held<NewFontSprite> s(textSprite("AB\nC"));
    widget_test::CountingReceiver receiver;
    s->setNotify(&receiver, nullptr);
    s->setWrapWidth(30);
    s->startTicker(2, 3, false);
    ASSERT_TRUE(s->isTickerRunning());
    EXPECT_EQ(s->getWidth(), 30);
    EXPECT_EQ(s->getHeight(), table().lineHeight());  // the line feed is a space on the ticker line
    int advanceA = glyph('A').advance;
    int passes = 0;
    while (s->getTickerFirst() == 0 && passes < 100) s->collectDirty(++passes, nullptr, nullptr);
    // Two frames per step, three pixels per step: A leaves after ceil(advance / 3) steps.
    EXPECT_EQ(passes, 2 * ((advanceA + 2) / 3));
    EXPECT_EQ(s->getTickerOffset(), (advanceA + 2) / 3 * 3 - advanceA);
    Held<window::Image> out(widget_test::renderSprite(s.get(), 60, 30));
    auto [first, last] = widget_test::inkColumns(out.get());
    EXPECT_GE(first, 0);
    EXPECT_LT(last, 30);
    while (s->isTickerRunning() && passes < 400) s->collectDirty(++passes, nullptr, nullptr);
    EXPECT_FALSE(s->isTickerRunning());
    for (int i = 0; i < 10; ++i) s->collectDirty(++passes, nullptr, nullptr);
    EXPECT_EQ(receiver.count, 1);

    Held<NewFontSprite> looping(textSprite("Hi"));
    looping->setWrapWidth(20);
    looping->startTicker(1, -4, true);
    for (int t = 1; t <= 60; ++t) looping->collectDirty(t, nullptr, nullptr);
    EXPECT_TRUE(looping->isTickerRunning());
    EXPECT_GE(looping->getTickerLoops(), 2);
    EXPECT_GE(looping->getTickerOffset(), 0);
}

}  // namespace
