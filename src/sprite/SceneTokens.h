#pragma once

#include "lang/Object.h"
#include "lang/String.h"

namespace io {
class InputStream;
class StreamTokenizer;
}  // namespace io

namespace sprite {

// The scene file's lexical view of a stream: ';' comments to the end of the
// line, '"' quoted texts (which may be empty), numbers, and words of every other
// printable byte.
class SceneTokens : public lang::Object {
public:
    explicit SceneTokens(io::InputStream* input);
    SceneTokens(const SceneTokens&) = delete;
    SceneTokens& operator=(const SceneTokens&) = delete;
    ~SceneTokens() override;
    MENTARIUM_CLASS(SceneTokens, lang::Object)

    // Reads the next token; false at the end of the input.
    bool next();
    // The current token again at the next call of next().
    void pushBack();
    bool isNumber() const { return number_; }
    // A number truncated toward zero, clamped to the 32-bit range.
    int intValue() const;
    // The word, or the number's text form.
    const lang::String& text() const { return text_; }
    // A word (not a number) beginning with '<': a section marker.
    bool isMarker() const { return !number_ && text_.startsWith("<"); }

private:
    io::StreamTokenizer* tokenizer_ = nullptr;
    bool number_ = false;
    double value_ = 0;
    lang::String text_;
};

}  // namespace sprite
