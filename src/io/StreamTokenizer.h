#pragma once

#include <cstdint>

#include "io/InputStream.h"
#include "lang/String.h"

namespace io {

// A configurable lexical scanner: character classes, numbers, words, quoted
// texts and line comments. Only carriage returns end lines by default.
class StreamTokenizer : public lang::Object {
public:
    // Token kinds; an ordinary character is its own code 0..255.
    static constexpr int TT_EOF = -1;
    static constexpr int TT_EOL = -2;
    static constexpr int TT_NUMBER = -3;
    static constexpr int TT_WORD = -4;  // also quoted texts

    // Character classes.
    static constexpr uint8_t CT_WORD = 0;
    static constexpr uint8_t CT_BLANK = 1;
    static constexpr uint8_t CT_DIGIT = 2;
    static constexpr uint8_t CT_COMMENT = 3;
    static constexpr uint8_t CT_ORDINARY = 4;
    static constexpr uint8_t CT_EOL = 5;
    static constexpr uint8_t CT_QUOTE = 6;

    // Takes a reference to the input for its lifetime.
    explicit StreamTokenizer(InputStream* input);
    StreamTokenizer(const StreamTokenizer&) = delete;
    StreamTokenizer& operator=(const StreamTokenizer&) = delete;
    ~StreamTokenizer() override;
    MENTARIUM_CLASS(StreamTokenizer, lang::Object)

    lang::String toString() const override;

    void commentChar(int ch);
    void quoteChar(int ch);
    void wordChars(int lo, int hi);
    void parseNumbers();
    void eolIsSignificant(bool flag) { eolIsSignificant_ = flag; }
    void pushBack() { pushedBack_ = true; }
    // Reads the next token, sets ttype and sval or nval, answers ttype.
    int nextToken();

    int charType(int ch) const { return ctype_[ch & 0xFF]; }

    int lineno = 1;
    lang::String sval;
    double nval = 0;
    int ttype = TT_WORD;

private:
    int readChar();
    void skipComment();
    void scanWord();
    void scanQuoted();
    void scanNumber();
    void stripByteOrderMark();

    bool eolIsSignificant_ = false;
    bool pushedBack_ = false;
    uint8_t ctype_[256];
    int peekc_ = -1;
    InputStream* input_;
    bool firstWordSeen_ = false;
};

}  // namespace io
