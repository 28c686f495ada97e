#include "sprite/SceneTokens.h"

#include <cmath>

#include "io/StreamTokenizer.h"
#include "lang/Ref.h"
#include "sprite/SceneTextStream.h"

namespace sprite {

SceneTokens::SceneTokens(io::InputStream* input) {
    lang::Ref<SceneTextStream> text(new SceneTextStream(input));
    tokenizer_ = new io::StreamTokenizer(text.get());
    // Line ends are plain blanks; every other byte is a word byte unless it
    // starts a comment, a quoted text or a number.
    tokenizer_->eolIsSignificant(false);
    tokenizer_->commentChar(';');
    tokenizer_->quoteChar('"');
    tokenizer_->parseNumbers();
}

SceneTokens::~SceneTokens() { tokenizer_->release(); }

bool SceneTokens::next() {
    for (;;) {
        int kind = tokenizer_->nextToken();
        switch (kind) {
        case io::StreamTokenizer::TT_EOF:
            number_ = false;
            text_ = lang::String();
            return false;
        case io::StreamTokenizer::TT_EOL: continue;
        case io::StreamTokenizer::TT_NUMBER:
            number_ = true;
            value_ = tokenizer_->nval;
            text_ = lang::String(value_);
            return true;
        case io::StreamTokenizer::TT_WORD:
            number_ = false;
            text_ = tokenizer_->sval;
            return true;
        default:  // an ordinary character stands for itself
            number_ = false;
            text_ = lang::String(static_cast<char>(kind));
            return true;
        }
    }
}

void SceneTokens::pushBack() { tokenizer_->pushBack(); }

int SceneTokens::intValue() const {
    if (std::isnan(value_)) return 0;
    if (value_ >= 2147483647.0) return 2147483647;
    if (value_ <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(value_);  // truncates toward zero
}

}  // namespace sprite
