#include "sprite/NumberSprite.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "platform/LocaleSeparators.h"
#include "sprite/EffectBlit.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(NumberSprite)

namespace {

enum Cell { TimeCell = 0, MinusCell = 1, SymbolCell = 2, CommaCell = 3, StopCell = 4 };

std::atomic<bool> separatorsRead{false};
std::atomic<char> decimalSeparator{'.'};
std::atomic<char> thousandsSeparator{','};

void readSeparators() {
    platform::LocaleSeparators s = platform::localeSeparators("");
    decimalSeparator = s.decimal;
    thousandsSeparator = s.thousands;
    separatorsRead = true;
}

int digitCount(int v) {
    unsigned magnitude = v < 0 ? 0u - static_cast<unsigned>(v) : static_cast<unsigned>(v);
    int n = 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++n;
    }
    return n;
}

}  // namespace

void NumberSprite::reloadLocale() { readSeparators(); }

bool NumberSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    int n = numbers ? numbers->length() : 0;
    setLocation(n > 0 ? (*numbers)[0] : anchorX, n > 1 ? (*numbers)[1] : y);
    if (n > 2) alignment = (*numbers)[2];
    if (n > 4) setFormat((*numbers)[4]);
    if (n > 5) spacing = (*numbers)[5];
    if (n > 6) minDigits = (*numbers)[6];
    if (n > 3) setValue((*numbers)[3]);
    if (pictures && pictures->length() > 0) setImage(static_cast<window::Image*>((*pictures)[0]));
    return true;
}

void NumberSprite::setFormat(int format) {
    digitsOnly = format == DigitsOnly;
    money = format == Money;
    time = format == Time;
    showPlus = format == ShowPlus;
    percent = format == Percent;
    if (image) setImage(image);
    else
        relayout();
}

void NumberSprite::setAlignment(int a) {
    alignment = a;
    relayout();
}

void NumberSprite::setSpacing(int s) {
    spacing = s;
    relayout();
}

void NumberSprite::setMinDigits(int n) {
    minDigits = n;
    relayout();
}

void NumberSprite::setImage(window::Image* picture) {
    // Keep the frame grid at one cell: the strip is addressed by cell, not by frame.
    Sprite::setImage(picture);
    setGrid(1, 1);
    cellWidth = picture ? picture->getWidth() / (digitsOnly ? 10 : 15) : 0;
    relayout();
}

void NumberSprite::setLocation(int nx, int ny) {
    anchorX = nx;
    int w = width;
    AnimateSprite::setLocation(alignment == 1 ? nx - w / 2 : alignment == 2 ? nx - w : nx, ny);
}

void NumberSprite::setLocationQuiet(int nx, int ny) {
    anchorX = nx;
    int w = width;
    AnimateSprite::setLocationQuiet(alignment == 1 ? nx - w / 2 : alignment == 2 ? nx - w : nx, ny);
}

int NumberSprite::computeHalfUnits() const {
    int v = value;
    int units = std::max({2 * digitCount(v), 2, 2 * minDigits});
    if (money) {
        units = units + (units - 6) / 6 + 2;
        if (v % 100 != 0) {
            units += 1;
            if (v < 10) units += 2;
        } else if (v != 0) {
            units -= 4;
        }
    } else if (percent || showPlus) {
        units += 2;
    } else if (time) {
        units += 2 * ((units / 2 - 1) / 2);
    } else if (!digitsOnly) {
        units = units + (units - 2) / 6;
    }
    if (v < 0 && !digitsOnly) units += 2;
    return units;
}

void NumberSprite::relayout() {
    halfUnits = computeHalfUnits();
    int w = (halfUnits * cellWidth + 1) / 2;
    if (halfUnits >= 4) w -= (halfUnits - 2) * spacing / 2;
    int h = image ? image->getHeight() : 0;
    int left = alignment == 1 ? anchorX - w / 2 : alignment == 2 ? anchorX - w : anchorX;
    if (w == width && h == height && left == x) return;
    repaint();
    width = w;
    height = h;
    Sprite::setLocationQuiet(left, y);
    targetX = left;
    repaint();
}

void NumberSprite::setValue(int v) {
    if (time) {
        int seconds = v;
        v = seconds / 3600 * 10000 + seconds / 60 % 60 * 100 + seconds % 60;
    }
    value = v;
    relayout();
    repaint();
}

void NumberSprite::countTo(int t) {
    if (t == value) return;
    target = t;
    counting = true;
    step = 1;
    requestLook();
}

bool NumberSprite::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (counting) {
        if (value < target) {
            while (step > 1 && value + step > target) step /= 2;
            step = std::max(step, 1);
            setValue(value + step);
            step = step + step / 5 + 1;
        } else if (value > target) {
            while (step < -1 && value + step < target) step /= 2;
            if (step >= 0) step = -1;
            setValue(value + step);
            step = step - step / 5 - 1;
        } else {
            counting = false;
        }
        requestLook();  // one more pass ends the count
    }
    return AnimateSprite::collectDirty(tick, total, region);
}

void NumberSprite::drawCell(window::Graphics* g, int cell, bool half, int& pen) {
    int advance = cellWidth - spacing;
    int shown = half ? cellWidth / 2 : cellWidth;
    int left = pen - shown;
    if (cell >= 0) {
        // A half cell shows the middle of the strip's cell.
        int sheetLeft = left - cell * cellWidth - (half ? cellWidth / 4 : 0);
        window::Graphics* g2 = narrowedGraphics(g, left, y, shown, height, clip, exclude);
        drawThroughEffects(g2, image, sheetLeft, y, fancy);
        g2->dispose();
        g2->release();
    }
    pen -= half ? advance / 2 : advance;
}

void NumberSprite::drawSeparator(window::Graphics* g, char separator, bool decimal, int& pen) {
    int cell;
    if (separator == 0 || separator == ' ' || static_cast<unsigned char>(separator) == 0xA0) cell = -1;
    else if (decimal)
        cell = separator == ',' ? CommaCell : StopCell;
    else
        cell = separator == '.' ? StopCell : CommaCell;
    drawCell(g, cell, true, pen);
}

void NumberSprite::paint(window::Graphics* g) {
    if (image == nullptr || !shown || cellWidth <= 0) return;
    if (!separatorsRead) readSeparators();
    char decimal = decimalSeparator, thousands = thousandsSeparator;
    int pen = x + width;
    if (percent && !digitsOnly) drawCell(g, SymbolCell, false, pen);
    long long magnitude = std::llabs(static_cast<long long>(value));
    bool cents = money && magnitude % 100 != 0;
    if (money && !cents) magnitude /= 100;
    if (cents) {
        // Always two cents digits, then the separator; units follow only when there are any.
        drawCell(g, digitCell(static_cast<int>(magnitude % 10)), false, pen);
        drawCell(g, digitCell(static_cast<int>(magnitude / 10 % 10)), false, pen);
        drawSeparator(g, decimal, true, pen);
        magnitude /= 100;
    }
    if (!cents || magnitude > 0) {
        int drawn = 0;
        for (;;) {
            drawCell(g, digitCell(static_cast<int>(magnitude % 10)), false, pen);
            magnitude /= 10;
            ++drawn;
            if (magnitude == 0 && drawn >= minDigits) break;
            if (digitsOnly) continue;
            if (time) {
                if (drawn % 2 == 0) drawCell(g, TimeCell, false, pen);
            } else if (drawn % 3 == 0) {
                drawSeparator(g, thousands, false, pen);
            }
        }
    }
    if (digitsOnly) return;
    if (money || (showPlus && value > 0)) drawCell(g, SymbolCell, false, pen);
    if (value < 0) drawCell(g, MinusCell, false, pen);
}

Sprite* NumberSprite::clone() {
    auto* copy = new NumberSprite();
    copyAnimationTo(copy);
    copy->showPlus = showPlus;
    copy->value = value;
    copy->alignment = alignment;
    copy->money = money;
    copy->percent = percent;
    copy->digitsOnly = digitsOnly;
    copy->spacing = spacing;
    copy->time = time;
    copy->minDigits = minDigits;
    copy->halfUnits = halfUnits;
    copy->cellWidth = cellWidth;
    copy->anchorX = anchorX;
    return copy;
}

}  // namespace sprite
