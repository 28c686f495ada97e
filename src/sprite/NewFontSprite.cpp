#include "sprite/NewFontSprite.h"

#include <algorithm>

#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "lang/Ref.h"
#include "sprite/EffectBlit.h"
#include "window/Color.h"
#include "window/Event.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(NewFontSprite)

namespace {

void replaceRef(window::Image*& slot, window::Image* value) {
    if (value) value->addRef();
    if (slot) slot->release();
    slot = value;
}

int byteAt(int32_t packed, int shift) { return (static_cast<uint32_t>(packed) >> shift) & 0xFF; }

bool allowedInFilter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '-' ||
           c == '.' || c >= 192;
}

constexpr int KeyBackspace = 8;
constexpr int KeyLeft = 1037;
constexpr int KeyRight = 1039;
constexpr int KeyDelete = 1046;
constexpr int BlinkFrames = 20;

}  // namespace

NewFontSprite::~NewFontSprite() {
    if (metrics) metrics->release();
    if (fixedPicture) fixedPicture->release();
    for (int i = 0; i < 3; ++i) {
        if (altSheets[i]) altSheets[i]->release();
        if (altMetrics[i]) altMetrics[i]->release();
    }
}

bool NewFontSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    int count = pictures ? pictures->length() : 0;
    auto* sheet = count > 0 ? static_cast<window::Image*>((*pictures)[0]) : nullptr;
    auto* table = count > 1 ? static_cast<window::Image*>((*pictures)[1]) : nullptr;
    // Glyph pictures are needed whole at once, to measure.
    if (sheet) sheet->ensureLoaded();
    if (table) table->ensureLoaded();
    if (sheet) Sprite::setImage(sheet);
    replaceRef(metrics, table);
    int n = numbers ? numbers->length() : 0;
    setLocation(n > 0 ? (*numbers)[0] : x, n > 1 ? (*numbers)[1] : y);
    if (n > 2) alignment = (*numbers)[2];
    if (n > 3) {
        int32_t packed = (*numbers)[3];
        setColorFactors(byteAt(packed, 24), byteAt(packed, 16), byteAt(packed, 8), byteAt(packed, 0));
    }
    if (n > 4) lineSpacing = (*numbers)[4];
    if (n > 5) wrapWidth = (*numbers)[5];
    if (n > 6) tracking = (*numbers)[6];
    measure();
    return true;
}

void NewFontSprite::setFont(window::Image* sheet, window::Image* metricsPicture) {
    repaint();
    Sprite::setImage(sheet);
    replaceRef(metrics, metricsPicture);
    measure();
    repaint();
}

void NewFontSprite::setFace(int face, window::Image* sheet, window::Image* metricsPicture) {
    if (face < 1 || face > 3) return;
    replaceRef(altSheets[face - 1], sheet);
    replaceRef(altMetrics[face - 1], metricsPicture);
    measure();
    repaint();
}

int NewFontSprite::faceOf(int i) const {
    if (i < 0 || i >= static_cast<int>(charStyles.size())) return 0;
    int face = charStyles[i] & FaceMask;
    return face != 0 && altMetrics[face - 1] && altSheets[face - 1] ? face : 0;
}

GlyphTable NewFontSprite::tableOf(int face) const { return GlyphTable(face == 0 ? metrics : altMetrics[face - 1]); }

window::Image* NewFontSprite::sheetOf(int face) const { return face == 0 ? image : altSheets[face - 1]; }

int32_t NewFontSprite::factorsOf(int i) const {
    if (i >= 0 && i < static_cast<int>(charColors.size())) return charColors[i];
    return colorFactors;
}

void NewFontSprite::measure() {
    if (fixedPicture) {
        setSize(fixedPicture->getWidth(), fixedPicture->getHeight());
        return;
    }
    GlyphTable base(metrics);
    if (!base.loaded()) {
        setSize(0, 0);
        return;
    }
    int lineHeight = base.lineHeight();
    int lines = 1, lineWidth = 0, maxWidth = 0, lastGlyph = -1, lastFace = 0;
    overhang = 0;
    auto closeLine = [&]() {
        if (lastGlyph >= 0) overhang = std::max(overhang, tableOf(lastFace).at(lastGlyph).overhang());
        maxWidth = std::max(maxWidth, lineWidth);
        lineWidth = 0;
        lastGlyph = -1;
    };
    bool ticker = isTickerRunning();
    for (int i = 0; i < text.length(); ++i) {
        char c = text.charAt(i);
        if (c == '\n' && !ticker) {
            closeLine();
            ++lines;
            continue;
        }
        if (c == '\n') c = ' ';
        if (static_cast<unsigned char>(c) < 32) continue;
        int face = faceOf(i);
        GlyphMetrics m = tableOf(face).at(GlyphTable::indexOf(c));
        if (lineWidth == 0) lineWidth = -m.xOffset;
        lineWidth += m.advance - tracking;
        lastGlyph = GlyphTable::indexOf(c);
        lastFace = face;
    }
    closeLine();
    // The ticker shows its text through a window of the wrap width.
    if (ticker && wrapWidth > 0 && maxWidth > 0) maxWidth = wrapWidth;
    setSize(maxWidth, (lines - 1) * lineSpacing + lines * lineHeight);
}

int NewFontSprite::lineWidthFrom(int start) const {
    int lineWidth = 0;
    for (int i = start; i < text.length() && text.charAt(i) != '\n'; ++i) {
        char c = text.charAt(i);
        if (static_cast<unsigned char>(c) < 32) continue;
        GlyphMetrics m = tableOf(faceOf(i)).at(GlyphTable::indexOf(c));
        if (lineWidth == 0) lineWidth = -m.xOffset;
        lineWidth += m.advance - tracking;
    }
    return lineWidth;
}

int NewFontSprite::measureLine(const lang::String& line) const {
    GlyphTable table(metrics);
    int lineWidth = 0;
    for (int i = 0; i < line.length() && line.charAt(i) != '\n'; ++i) {
        char c = line.charAt(i);
        if (static_cast<unsigned char>(c) < 32) continue;
        GlyphMetrics m = table.at(GlyphTable::indexOf(c));
        if (lineWidth == 0) lineWidth = -m.xOffset;
        lineWidth += m.advance - tracking;
    }
    return lineWidth;
}

int NewFontSprite::lineStart(int left, int start) const {
    if (!alignLines || alignment == Left) return left;
    int lineWidth = lineWidthFrom(start);
    return alignment == Centre ? left + (width - lineWidth) / 2 : left + width - lineWidth;
}

util::RectangleNM* NewFontSprite::getBounds() {
    if (!textSet && !name.isEmpty()) setTextFromItem(name);
    if (fixedPicture) {
        bounds.set(x, y, fixedPicture->getWidth(), fixedPicture->getHeight());
    } else {
        int w = width + 2;
        int left = x;
        if (alignment == Centre) {
            if (tracking < 0) w += -2 * tracking;
            left = x - w / 2;
        } else if (alignment == Right) {
            left = x - w;
        }
        int boundsWidth = w + overhang + (caretOn ? 2 + caretMargin : 0);
        bounds.set(left, y, boundsWidth, height);
    }
    if (clip) bounds.intersect(*clip);
    return &bounds;
}

void NewFontSprite::drawGlyph(window::Graphics* g, int face, const GlyphMetrics& m, int penX, int penY, int i) {
    window::Image* sheet = sheetOf(face);
    if (sheet == nullptr) return;
    lang::Ref<window::Graphics> g2(narrowedGraphics(g, penX, penY, m.width, m.height, clip, exclude));
    window::FancyHelper* effects = fancy ? g2->getFancyHelper() : nullptr;
    if (effects) {
        int32_t f = factorsOf(i);
        sheet->setHasAlpha(true);
        effects->copyFrom(fancy);
        effects->setFactors(fancy->alpha, byteAt(f, 16), byteAt(f, 8), byteAt(f, 0));
        g2->drawImage(sheet, penX - m.sheetX, penY - m.sheetY);
        effects->reset();
    } else {
        g2->drawImage(sheet, penX - m.sheetX, penY - m.sheetY);
    }
    g2->dispose();
}

void NewFontSprite::paint(window::Graphics* g) {
    if (!shown) return;
    if (fixedPicture) {
        drawThroughEffects(g, fixedPicture, x, y, fancy);
        return;
    }
    GlyphTable base(metrics);
    if (!base.loaded() || revealCount == 0) return;
    int lineHeight = base.lineHeight();
    int left = alignment == Centre ? x - width / 2 : alignment == Right ? x - width : x;
    if (isTickerRunning()) {
        paintTicker(g, left);
        return;
    }
    int penX = lineStart(left, 0), penY = y;
    bool firstOnLine = true;
    int end = revealCount > 0 ? std::min(text.length(), revealCount - 1) : text.length();
    int caretX = penX, caretY = penY;
    for (int i = 0; i < end; ++i) {
        if (i == cursor) {
            caretX = penX;
            caretY = penY;
        }
        char c = text.charAt(i);
        if (c == '\n') {
            penY += lineSpacing + lineHeight;
            penX = lineStart(left, i + 1);
            firstOnLine = true;
            continue;
        }
        int face = faceOf(i);
        int g0 = GlyphTable::indexOf(c);
        GlyphMetrics m = tableOf(face).at(g0);
        if (!firstOnLine) penX += m.xOffset;
        firstOnLine = false;
        int start = penX;
        if (g0 != 0) drawGlyph(g, face, m, penX, penY, i);
        penX += m.advance - m.xOffset - tracking;
        int style = i < static_cast<int>(charStyles.size()) ? charStyles[i] : 0;
        if (style & (Underline | StrikeThrough)) {
            int32_t f = factorsOf(i);
            // The factors double as the line colour: 128 is full strength.
            auto channel = [&](int shift) { return std::min(255, byteAt(f, shift) * 255 / 128); };
            window::Color pen(static_cast<uint32_t>(channel(16) << 16 | channel(8) << 8 | channel(0)));
            g->setColor(&pen);
            if (style & Underline) g->drawLine(start, penY + m.height - 2, penX, penY + m.height - 2, 1);
            if (style & StrikeThrough) g->drawLine(start, penY + m.height / 2, penX, penY + m.height / 2, 1);
        }
    }
    if (cursor >= end) {
        caretX = penX;
        caretY = penY;
    }
    if (caretOn && caretBlink) {
        if (!caretAtEnd) {
            g->fillRectColor(caretX, caretY, caretWidth, lineHeight, caretColor);
        } else {
            GlyphMetrics m = base.at(GlyphTable::indexOf('_'));
            drawGlyph(g, 0, m, penX + (text.isEmpty() ? 0 : m.xOffset), penY, -1);
        }
    }
}

void NewFontSprite::setText(const lang::String& t) {
    if (fixedPicture) {
        fixedPicture->release();
        fixedPicture = nullptr;
    }
    textSet = true;
    repaint();
    text = t;
    revealCount = revealTicks = -1;
    cursor = text.length();
    measure();
    if (wrapWidth > 0 && !isTickerRunning()) wrapToWidth(wrapWidth);
    tickerCounter = tickerLoops = tickerFirst = tickerOffset = 0;
    repaint();
    requestLook();  // a text under a set-up ticker starts it, hidden too
}

void NewFontSprite::revealText(const lang::String& t, int speed) {
    setText(t);
    if (t.isEmpty()) return;
    revealCount = 0;
    revealTicks = 0;
    revealSpeed = speed;
    revealPaused = false;
    requestLook();
}

void NewFontSprite::setRevealPaused(bool flag) {
    revealPaused = flag;
    requestLook();
}

void NewFontSprite::setTextFromItem(const lang::String& itemName) { setText(lang::String::loadText(itemName.c_str())); }

void NewFontSprite::setMeasured(int& field, int value) {
    if (value == field) return;
    repaint();
    field = value;
    measure();
    repaint();
}

void NewFontSprite::setLineSpacing(int spacing) { setMeasured(lineSpacing, spacing); }

void NewFontSprite::setTracking(int value) { setMeasured(tracking, value); }

void NewFontSprite::setAlignment(int a) {
    if (a == alignment) return;
    repaint();
    alignment = a;
    repaint();
}

void NewFontSprite::setAlignLines(bool flag) {
    alignLines = flag;
    repaint();
}

void NewFontSprite::setCaret(bool on, bool atEnd) {
    repaint();
    caretOn = on;
    caretAtEnd = atEnd;
    caretBlink = true;
    repaint();
    requestLook();  // the blink runs hidden too
}

void NewFontSprite::setCursor(int c) {
    cursor = std::max(0, std::min(c, text.length()));
    repaint();
}

void NewFontSprite::setCharacterColors(const std::vector<int32_t>& colors) {
    charColors = colors;
    repaint();
}

void NewFontSprite::setCharacterStyles(const std::vector<int32_t>& styles) {
    repaint();
    charStyles = styles;
    measure();
    repaint();
}

void NewFontSprite::setFixedPicture(window::Image* picture) {
    repaint();
    replaceRef(fixedPicture, picture);
    measure();
    repaint();
}

void NewFontSprite::setColorFactors(int alpha, int red, int green, int blue) {
    colorFactors =
        static_cast<int32_t>((alpha & 0xFF) << 24 | (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF));
    AnimateSprite::setColorFactors(alpha, red, green, blue);
}

void NewFontSprite::loadImage() {
    AnimateSprite::loadImage();
    if (metrics) metrics->ensureLoaded();
    for (int i = 0; i < 3; ++i) {
        if (altSheets[i]) altSheets[i]->ensureLoaded();
        if (altMetrics[i]) altMetrics[i]->ensureLoaded();
    }
}

void NewFontSprite::unloadImage() {
    // The metrics stay: measuring needs them at any time.
    AnimateSprite::unloadImage();
    for (int i = 0; i < 3; ++i)
        if (altSheets[i]) altSheets[i]->unload();
}

void NewFontSprite::truncateToWidth(int max) {
    GlyphTable table(metrics);
    if (width <= max || !table.loaded()) return;
    repaint();
    text.append(Ellipsis);
    measure();
    while (width > max && text.length() >= 2) {
        int drop = text.length() - 2;
        text = text.substring(0, drop) + text.substring(drop + 1);
        measure();
    }
    cursor = std::min(cursor, text.length());
    repaint();
}

void NewFontSprite::wrapToWidth(int max) {
    if (width < max) return;
    GlyphTable table(metrics);
    if (!table.loaded()) return;
    repaint();
    int lineWidth = 0, breakAt = -1, previous = -1;
    // True when the line so far, with the reach of its last glyph, is too wide
    // and can break at its last space.
    auto breakIfTooWide = [&](int& i) {
        int reach = previous >= 0 ? table.at(previous).overhang() : 0;
        if (lineWidth + reach <= max || breakAt < 0) return false;
        text.setCharAt(breakAt, '\n');
        i = breakAt;  // the line restarts after the new line feed
        lineWidth = 0;
        breakAt = -1;
        previous = -1;
        return true;
    };
    for (int i = 0; i < text.length(); ++i) {
        char c = text.charAt(i);
        if (c == ' ' || c == '\n') {
            if (breakIfTooWide(i)) continue;
            if (c == '\n') {
                lineWidth = 0;
                breakAt = -1;
                previous = -1;
                continue;
            }
            breakAt = i;
        }
        if (static_cast<unsigned char>(c) < 32) continue;
        GlyphMetrics m = table.at(GlyphTable::indexOf(c));
        if (lineWidth == 0) lineWidth = -m.xOffset;
        lineWidth += m.advance - tracking;
        previous = GlyphTable::indexOf(c);
    }
    int end = text.length();
    breakIfTooWide(end);
    measure();
    repaint();
}

void NewFontSprite::keyTyped(window::Event* event, int maxLength, bool filter) {
    int key = event->key;
    int length = text.length();
    repaint();
    if (key == KeyBackspace) {
        if (length > 0 && cursor >= 1) {
            text = text.substring(0, cursor - 1) + text.substring(cursor);
            --cursor;
        }
    } else if (key == KeyLeft || key == KeyRight) {
        if (!caretAtEnd) cursor = std::max(0, std::min(length, cursor + (key == KeyLeft ? -1 : 1)));
    } else if (key == KeyDelete) {
        if (cursor < length) text = text.substring(0, cursor) + text.substring(cursor + 1);
    } else if (key >= 32 && key <= 255) {
        // Other keys (arrows, function keys) are not characters and insert nothing.
        bool full = maxLength != 0 && length >= maxLength;
        if (!full && (!filter || allowedInFilter(static_cast<unsigned char>(key)))) {
            lang::String inserted = text.substring(0, cursor);
            inserted.append(static_cast<char>(key));
            text = inserted + text.substring(cursor);
            ++cursor;
        }
    }
    measure();
    repaint();
}

bool NewFontSprite::isTickerRunning() const { return tickerFrames > 0 && tickerPixels != 0 && !text.isEmpty(); }

void NewFontSprite::startTicker(int framesPerStep, int pixelsPerStep, bool looping) {
    repaint();
    tickerFrames = framesPerStep;
    tickerPixels = pixelsPerStep;
    tickerLoop = looping;
    tickerCounter = tickerLoops = tickerFirst = tickerOffset = 0;
    measure();
    repaint();
    requestLook();
}

void NewFontSprite::stopTicker() {
    repaint();
    tickerFrames = tickerPixels = 0;
    tickerCounter = tickerLoops = tickerFirst = tickerOffset = 0;
    measure();
    repaint();
}

int NewFontSprite::tickerAdvance(int i) const {
    char c = text.charAt(i);
    if (c == '\n') c = ' ';
    if (static_cast<unsigned char>(c) < 32) return 0;
    return tableOf(faceOf(i)).at(GlyphTable::indexOf(c)).advance - tracking;
}

void NewFontSprite::stepTicker() {
    if (++tickerCounter < tickerFrames) return;
    tickerCounter = 0;
    tickerOffset += tickerPixels;
    int length = text.length();
    // Whole glyphs that left the window move the first character on.
    for (int guard = 0; guard <= 2 * length; ++guard) {
        int advance = tickerAdvance(tickerFirst);
        if (tickerOffset >= 0 && (tickerOffset < advance || advance <= 0)) break;
        if (tickerOffset >= advance) {
            tickerOffset -= advance;
            if (++tickerFirst < length) continue;
            tickerFirst = 0;
        } else {
            if (--tickerFirst >= 0) {
                tickerOffset += tickerAdvance(tickerFirst);
                continue;
            }
            tickerFirst = length - 1;
            tickerOffset += tickerAdvance(tickerFirst);
        }
        ++tickerLoops;
        if (!tickerLoop) {
            stopTicker();
            sendEndNotification();
            return;
        }
    }
    repaint();
}

void NewFontSprite::paintTicker(window::Graphics* g, int left) {
    lang::Ref<window::Graphics> window(narrowedGraphics(g, left, y, width, height, clip, exclude));
    int penX = left - tickerOffset, length = text.length();
    // Text follows text when looping, so the window never runs empty.
    for (int n = 0, i = tickerFirst; penX < left + width && n < 4 * length + 4; ++n, i = (i + 1) % length) {
        if (i == 0 && n > 0 && !tickerLoop) break;
        char c = text.charAt(i) == '\n' ? ' ' : text.charAt(i);
        GlyphMetrics m = tableOf(faceOf(i)).at(GlyphTable::indexOf(c));
        if (GlyphTable::indexOf(c) != 0 && static_cast<unsigned char>(c) >= 32)
            drawGlyph(window.get(), faceOf(i), m, penX + m.xOffset, y, i);
        penX += tickerAdvance(i);
    }
    window->dispose();
}

bool NewFontSprite::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (isTickerRunning()) stepTicker();
    if (caretOn && tick % BlinkFrames == 0) {
        caretBlink = !caretBlink;
        repaint();
    }
    if (revealTicks >= 0 && !revealPaused) {
        ++revealTicks;
        // A speed of 0 or less shows everything at once.
        int showing = revealSpeed > 0 ? revealTicks * 10 / revealSpeed : text.length();
        if (showing != revealCount) {
            if (showing >= text.length()) {
                revealCount = revealTicks = -1;
                sendEndNotification();
            } else {
                revealCount = showing;
            }
            repaint();
        }
    }
    // A ticker, a blinking caret or a reveal under way steps on every pass.
    if (isTickerRunning() || caretOn || (revealTicks >= 0 && !revealPaused)) requestLook();
    return AnimateSprite::collectDirty(tick, total, region);
}

Sprite* NewFontSprite::clone() {
    auto* copy = new NewFontSprite();
    copyAnimationTo(copy);
    replaceRef(copy->metrics, metrics);
    for (int i = 0; i < 3; ++i) {
        replaceRef(copy->altSheets[i], altSheets[i]);
        replaceRef(copy->altMetrics[i], altMetrics[i]);
    }
    replaceRef(copy->fixedPicture, fixedPicture);
    copy->text = text;
    copy->textSet = textSet;
    copy->alignment = alignment;
    copy->tracking = tracking;
    copy->lineSpacing = lineSpacing;
    copy->wrapWidth = wrapWidth;
    copy->caretColor = caretColor;
    copy->caretWidth = caretWidth;
    copy->alignLines = alignLines;
    copy->charColors = charColors;
    copy->charStyles = charStyles;
    copy->colorFactors = colorFactors;
    copy->cursor = cursor;
    copy->measure();
    return copy;
}

}  // namespace sprite
