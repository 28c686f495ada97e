#include "sprite/RectSprite.h"

#include "lang/IntArray.h"
#include "window/Color.h"
#include "window/Graphics.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(RectSprite)

bool RectSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    int n = numbers ? numbers->length() : 0;
    auto number = [&](int i, int fallback) { return i < n ? (*numbers)[i] : fallback; };
    setLocation(number(0, x), number(1, y));
    setSize(number(2, width), number(3, height));
    setColor(static_cast<uint32_t>(number(4, static_cast<int>(color))));
    if (n > 5) setVisible((*numbers)[5] != 0);
    if (n > 6) setFilled((*numbers)[6] != 0);
    return true;
}

void RectSprite::setColor(uint32_t argb) {
    if (argb == color) return;
    color = argb;
    repaint();
}

void RectSprite::setFilled(bool flag) {
    if (flag == filled) return;
    filled = flag;
    repaint();
}

void RectSprite::paint(window::Graphics* g) {
    if (!shown || width <= 0 || height <= 0) return;
    window::Graphics* target = g;
    if (clip) {
        target = g->create();
        target->clipRect(clip->x, clip->y, clip->width, clip->height);
    }
    if (filled) {
        target->fillRectColor(x, y, width, height, color);
    } else {
        window::Color pen(color);
        target->setColor(&pen);
        int right = x + width - 1, bottom = y + height - 1;
        target->drawLine(x, y, right, y, 1);
        target->drawLine(right, y, right, bottom, 1);
        target->drawLine(right, bottom, x, bottom, 1);
        target->drawLine(x, bottom, x, y, 1);
    }
    if (target != g) {
        target->dispose();
        target->release();
    }
}

Sprite* RectSprite::clone() {
    auto* copy = new RectSprite();
    copy->setLocationQuiet(x, y);
    copy->width = width;
    copy->height = height;
    copy->visible = visible;
    copy->shown = shown;
    copy->color = color;
    copy->filled = filled;
    return copy;
}

}  // namespace sprite
