#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "WidgetFixtures.h"
#include "sprite/ButtonSprite.h"
#include "sprite/LineGraphSprite.h"
#include "sprite/NewFontSprite.h"
#include "sprite/NumberSprite.h"
#include "sprite/SpriteFixtures.h"
#include "support/TempDir.h"

namespace {

using sprite::NewFontSprite;
using sprite_test::Held;
using widget_test::GeneratedFont;

// Reference renders of text, numbers, a graph and a button in every state,
// all drawn with the bitmap font our generator makes from Liberation Sans.
class GoldenTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GeneratedFont::get().ok()) << "fontgen did not make the test font"; }

    static NewFontSprite* label(const char* text, int x, int y, int alignment) {
        auto* s = new NewFontSprite();
        widget_test::initWith(s, {GeneratedFont::get().sheet, GeneratedFont::get().metrics}, {x, y, alignment});
        s->setText(text);
        s->collectDirty(0, nullptr, nullptr);
        return s;
    }

    // Paints text centred into (x, y, w, h) of picture.
    static void drawCentred(window::Image* picture, const char* text, int x, int y, int w) {
        Held<NewFontSprite> s(label(text, x + w / 2, y, NewFontSprite::Centre));
        window::GraphicsI* g = picture->getGraphics();
        s->paint(g);
        g->dispose();
        g->release();
    }
};

TEST_F(GoldenTest, TextBlock) {
    Held<NewFontSprite> s(label("Mentarium\nbrain training, 1234!\n\xC9t\xE9 \x85", 90, 4, NewFontSprite::Centre));
    s->setLineSpacing(2);
    s->collectDirty(1, nullptr, nullptr);
    Held<window::Image> out(widget_test::renderSprite(s.get(), 180, 70));
    widget_test::expectMatchesGolden(out.get(), "text_block");
}

TEST_F(GoldenTest, MoneyNumber) {
    const char* cells = ":-$,.0123456789";
    int lh = sprite::GlyphTable(GeneratedFont::get().metrics).lineHeight();
    int cell = 12;
    Held<window::Image> strip(widget_test::pictureOf(15 * cell, lh, [](int, int) { return 0u; }));
    strip->setHasAlpha(true);
    for (int i = 0; i < 15; ++i) {
        char text[2] = {cells[i], 0};
        drawCentred(strip.get(), text, i * cell, 0, cell);
    }
    testsupport::ScopedEnv locale("LC_ALL", "C");
    sprite::NumberSprite::reloadLocale();
    Held<sprite::NumberSprite> n(new sprite::NumberSprite());
    widget_test::initWith(n.get(), {strip.get()}, {4, 2, 0, 1234567, sprite::NumberSprite::Money, 2});
    n->collectDirty(0, nullptr, nullptr);
    Held<window::Image> out(widget_test::renderSprite(n.get(), 120, lh + 4));
    sprite::NumberSprite::reloadLocale();
    widget_test::expectMatchesGolden(out.get(), "money_number");
}

TEST_F(GoldenTest, LineGraph) {
    Held<sprite::LineGraphSprite> g(widget_test::gameStyleGraph(220, 140, 0xFFD8E4F0u));
    Held<NewFontSprite> labels(label("", 0, 0, 0));
    g->setLabelSprite(labels.get());
    const int values[] = {1234, 1300, 1280, 1410, 1390, 1520, 1495, 1610, 1580, 1700, 1655, 1780};
    for (int v : values) g->addPoint(v);
    g->collectDirty(0, nullptr, nullptr);
    Held<window::Image> out(widget_test::renderSprite(g.get(), 220, 140));
    widget_test::expectMatchesGolden(out.get(), "line_graph");
}

TEST_F(GoldenTest, ButtonInEveryState) {
    // Frames: 0 hover, 1 normal, 2 inactive, 3 selected; each a bordered panel with a caption.
    const uint32_t fills[4] = {0xFFB8DCFFu, 0xFFD0D0D0u, 0xFF808080u, 0xFFFFD070u};
    Held<window::Image> strip(widget_test::pictureOf(4 * 60, 24, [&](int px, int py) {
        int cx = px % 60;
        bool border = cx == 0 || cx == 59 || py == 0 || py == 23;
        return border ? 0xFF202020u : fills[px / 60];
    }));
    for (int f = 0; f < 4; ++f) drawCentred(strip.get(), "OK", f * 60, 3, 60);
    Held<window::Image> out(widget_test::pictureOf(7 * 64, 28, [](int, int) { return 0xFFFFFFFFu; }));
    for (int state = 0; state < 7; ++state) {
        Held<sprite::ButtonSprite> b(new sprite::ButtonSprite());
        widget_test::initWith(b.get(), {strip.get()}, {state * 64 + 2, 2, 4, 1, 0, 1, 2, 1});
        b->setStateFrames(0, 1, 2, 3, -1, -2, -2);
        b->setState(state);
        b->collectDirty(0, nullptr, nullptr);
        window::GraphicsI* g = out->getGraphics();
        b->paint(g);
        g->dispose();
        g->release();
    }
    widget_test::expectMatchesGolden(out.get(), "button_states");
}

}  // namespace
