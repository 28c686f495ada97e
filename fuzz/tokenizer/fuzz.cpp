// The tokenizer over arbitrary bytes: the first byte picks the set-up, the rest
// is the input. Every run must end, within a bound set by the input's length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "io/ByteArrayInputStream.h"
#include "io/StreamTokenizer.h"
#include "lang/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > (1u << 16)) return 0;
    uint8_t setup = data[0];
    auto* stream = new io::ByteArrayInputStream(data + 1, static_cast<int>(size - 1));
    auto* tokenizer = new io::StreamTokenizer(stream);
    stream->release();
    if (setup & 1) tokenizer->parseNumbers();
    if (setup & 2) tokenizer->commentChar(';');
    if (setup & 4) tokenizer->quoteChar('"');
    if (setup & 8) tokenizer->quoteChar('\'');
    if (setup & 16) tokenizer->eolIsSignificant(true);
    if (setup & 32) tokenizer->wordChars('0', '9');
    try {
        // Each token but the end consumes at least one byte.
        for (size_t steps = 0; steps <= size + 1; ++steps) {
            int kind = tokenizer->nextToken();
            (void)tokenizer->toString();
            if (kind == io::StreamTokenizer::TT_EOF) break;
            if (steps == size + 1) std::abort();
            if ((setup & 64) && steps % 7 == 0) {
                tokenizer->pushBack();
                if (tokenizer->nextToken() != kind) std::abort();
            }
        }
    } catch (lang::Exception* e) {
        e->release();
    }
    tokenizer->release();
    return 0;
}
