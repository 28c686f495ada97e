#include "sprite/TextSprite.h"

#include "lang/IntArray.h"
#include "lang/Ref.h"
#include "window/Color.h"
#include "window/Font.h"
#include "window/FontMetrics.h"
#include "window/Graphics.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(TextSprite)

namespace {
constexpr int BlinkFrames = 20;
}

TextSprite::TextSprite() : font(new window::Font("Arial", DefaultSize)) { measure(); }

TextSprite::~TextSprite() {
    if (font) font->release();
}

bool TextSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    int n = numbers ? numbers->length() : 0;
    setLocation(n > 0 ? (*numbers)[0] : x, n > 1 ? (*numbers)[1] : y);
    if (n > 2) setAlignment((*numbers)[2]);
    return true;
}

void TextSprite::measure() {
    lang::Ref<window::FontMetrics> metrics(font ? font->getFontMetrics() : nullptr);
    int w = 0, h = 0;
    if (metrics) {
        ascent = metrics->getAscent();
        // One pixel each side for the outline and the (1, 1) offset of the text.
        w = metrics->stringWidth(text) + 2;
        h = metrics->getHeight() + 2;
        caretOffset = metrics->stringWidth(text) + 1;
    }
    setSize(w, h);
}

void TextSprite::setText(const lang::String& t) {
    repaint();
    text = t;
    measure();
    repaint();
}

void TextSprite::setFont(window::Font* f) {
    if (f) f->addRef();
    if (font) font->release();
    font = f;
    repaint();
    measure();
    repaint();
}

void TextSprite::setColors(uint32_t textRgb, uint32_t secondRgb) {
    textColor = textRgb | 0xFF000000u;
    secondColor = secondRgb | 0xFF000000u;
    repaint();
}

void TextSprite::setOutline(bool flag) {
    outline = flag;
    repaint();
}

void TextSprite::setFillBackground(bool flag) {
    fillBackground = flag;
    repaint();
}

void TextSprite::setAlignment(int a) {
    if (a == alignment) return;
    repaint();
    alignment = a;
    repaint();
}

void TextSprite::setCaret(bool on) {
    caretOn = on;
    caretBlink = true;
    repaint();
    requestLook();  // the blink runs hidden too
}

util::RectangleNM* TextSprite::getBounds() {
    bounds.set(leftEdge(), y, width, height);
    if (clip) bounds.intersect(*clip);
    return &bounds;
}

void TextSprite::paint(window::Graphics* g) {
    if (!shown || font == nullptr) return;
    int left = leftEdge(), baseline = y + ascent;
    window::Graphics* target = g;
    if (clip) {
        target = g->create();
        target->clipRect(clip->x, clip->y, clip->width, clip->height);
    }
    target->setFont(font);
    window::Color second(secondColor), main(textColor);
    if (outline) {
        target->setColor(&second);
        const int offsets[4][2] = {{2, 2}, {0, 2}, {2, 0}, {0, 0}};
        for (const auto& o : offsets) target->drawString(&text, left + o[0], baseline + o[1]);
    } else if (fillBackground) {
        target->fillRectColor(left, y, width, height, secondColor);
    }
    target->setColor(&main);
    target->drawString(&text, left + 1, baseline + 1);
    if (caretOn && caretBlink) {
        lang::String bar("|");
        target->drawString(&bar, left + caretOffset, baseline + 1);
    }
    if (target != g) {
        target->dispose();
        target->release();
    }
}

bool TextSprite::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (caretOn && tick % BlinkFrames == 0) {
        caretBlink = !caretBlink;
        repaint();
    }
    if (caretOn) requestLook();
    return Sprite::collectDirty(tick, total, region);
}

Sprite* TextSprite::clone() {
    auto* copy = new TextSprite();
    copy->setFont(font);
    copy->text = text;
    copy->textColor = textColor;
    copy->secondColor = secondColor;
    copy->outline = outline;
    copy->fillBackground = fillBackground;
    copy->alignment = alignment;
    copy->x = x;
    copy->y = y;
    copy->visible = visible;
    copy->shown = shown;
    copy->measure();
    return copy;
}

}  // namespace sprite
