#include "io/StreamTokenizer.h"

#include <cstring>

#include "lang/Exception.h"

namespace io {

namespace {

constexpr int kNoChar = -1;

bool isCharacter(int c) { return c >= 0 && c <= 255; }

int hexDigitValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

bool isHexLetter(int c) { return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

}  // namespace

StreamTokenizer::StreamTokenizer(InputStream* input) : input_(input) {
    std::memset(ctype_, CT_WORD, sizeof ctype_);
    std::memset(ctype_, CT_BLANK, 33);
    ctype_[int{'\r'}] = CT_EOL;
    input_->addRef();
}

StreamTokenizer::~StreamTokenizer() { input_->release(); }

void StreamTokenizer::commentChar(int ch) { ctype_[ch & 0xFF] = CT_COMMENT; }

void StreamTokenizer::quoteChar(int ch) { ctype_[ch & 0xFF] = CT_QUOTE; }

void StreamTokenizer::wordChars(int lo, int hi) {
    if (lo < 0) lo = 0;
    if (hi > 255) hi = 255;
    for (int c = lo; c <= hi; ++c) ctype_[c] = CT_WORD;
}

void StreamTokenizer::parseNumbers() {
    for (int c = '0'; c <= '9'; ++c) ctype_[c] = CT_DIGIT;
    ctype_[int{'-'}] = CT_DIGIT;
    ctype_[int{'.'}] = CT_DIGIT;
}

int StreamTokenizer::readChar() { return peekc_ = input_->read(); }

// Leaves peekc_ on the next end-of-line character, or none at the end.
void StreamTokenizer::skipComment() {
    while (readChar() >= 0 && ctype_[peekc_] != CT_EOL) {}
}

int StreamTokenizer::nextToken() {
    if (pushedBack_) {
        pushedBack_ = false;
        return ttype;
    }
    if (!isCharacter(peekc_) && readChar() < 0) return ttype = TT_EOF;
    if (ctype_[peekc_] == CT_COMMENT) skipComment();
    while (isCharacter(peekc_) && (ctype_[peekc_] == CT_BLANK || (ctype_[peekc_] == CT_EOL && !eolIsSignificant_))) {
        if (ctype_[peekc_] == CT_EOL) ++lineno;
        if (readChar() < 0) return ttype = TT_EOF;
        if (ctype_[peekc_] == CT_COMMENT) skipComment();
    }
    // A comment that runs to the end of the input leaves nothing to classify.
    if (!isCharacter(peekc_)) return ttype = TT_EOF;

    switch (ctype_[peekc_]) {
    case CT_WORD: scanWord(); break;
    case CT_DIGIT: scanNumber(); break;
    case CT_ORDINARY:
        ttype = peekc_;
        peekc_ = kNoChar;
        break;
    case CT_EOL:
        ++lineno;
        ttype = TT_EOL;
        peekc_ = kNoChar;
        break;
    case CT_QUOTE: scanQuoted(); break;
    default: throw new lang::Exception("Invalid character type");
    }
    return ttype;
}

void StreamTokenizer::scanWord() {
    ttype = TT_WORD;
    sval = lang::String(static_cast<char>(peekc_));
    while (readChar() >= 0 && (ctype_[peekc_] == CT_WORD || ctype_[peekc_] == CT_DIGIT)) {
        sval.append(static_cast<char>(peekc_));
    }
    stripByteOrderMark();
}

void StreamTokenizer::scanQuoted() {
    ttype = TT_WORD;
    sval = lang::String::withCapacity(16);
    while (readChar() >= 0 && ctype_[peekc_] != CT_QUOTE) sval.append(static_cast<char>(peekc_));
    if (peekc_ >= 0) readChar();  // consume the closing quote
    stripByteOrderMark();
}

void StreamTokenizer::scanNumber() {
    double value = 0;
    int digits = 0;
    int point = -1;
    bool negative = false;
    bool hex = false;
    for (;;) {
        int c = peekc_;
        if (c == '-') {
            negative = true;
        } else if (c == '.') {
            point = digits;
        } else if (c == 'x') {
            hex = true;
        } else {
            ++digits;
            value = hex ? value * 16 + hexDigitValue(c) : value * 10 + (c - '0');
        }
        c = readChar();
        if (c < 0) break;
        bool goesOn = ctype_[c] == CT_DIGIT || (c == 'x' && value == 0) || (hex && isHexLetter(c));
        if (!goesOn) break;
    }
    if (point >= 0) {
        for (int i = point; i < digits; ++i) value /= 10;
    }
    // A lone sign gives plain 0 rather than -0, whose text form would be "-0".
    if (negative && value != 0) value = -value;
    nval = value;
    ttype = TT_NUMBER;
}

void StreamTokenizer::stripByteOrderMark() {
    if (firstWordSeen_) return;
    firstWordSeen_ = true;
    if (sval.startsWith("\xEF\xBB\xBF")) sval = sval.substring(3);
}

lang::String StreamTokenizer::toString() const {
    switch (ttype) {
    case TT_WORD: return sval;
    case TT_NUMBER: return lang::String(nval);
    case TT_EOL: return lang::String("EOL");
    case TT_EOF: return lang::String("EOF");
    default: return lang::String(static_cast<char>(ttype));
    }
}

}  // namespace io
