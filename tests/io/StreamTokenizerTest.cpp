#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "io/ByteArrayInputStream.h"
#include "io/StreamTokenizer.h"
#include "lang/Exception.h"

namespace {

using io::StreamTokenizer;

// Tokens as short texts: "w:abc", "n:12.5", "EOL", "EOF", or "c:=" for an ordinary character.
class Tokens {
public:
    explicit Tokens(const std::string& text, const std::function<void(StreamTokenizer&)>& setup = {})
        : text_(text),
          stream_(new io::ByteArrayInputStream(reinterpret_cast<const uint8_t*>(text_.data()),
                                               static_cast<int>(text_.size()))),
          tokenizer_(new StreamTokenizer(stream_)) {
        if (setup) setup(*tokenizer_);
    }
    ~Tokens() {
        tokenizer_->release();
        stream_->release();
    }

    std::string next() {
        int kind = tokenizer_->nextToken();
        switch (kind) {
        case StreamTokenizer::TT_WORD: return std::string("w:") + tokenizer_->sval.c_str();
        case StreamTokenizer::TT_NUMBER: return "n:" + format(tokenizer_->nval);
        case StreamTokenizer::TT_EOL: return "EOL";
        case StreamTokenizer::TT_EOF: return "EOF";
        default: return "c:" + std::string(1, static_cast<char>(kind));
        }
    }
    // Every token up to and including the end.
    std::vector<std::string> all() {
        std::vector<std::string> out;
        for (int guard = 0; guard < 1000; ++guard) {
            out.push_back(next());
            if (out.back() == "EOF") break;
        }
        return out;
    }
    StreamTokenizer& tokenizer() { return *tokenizer_; }
    io::ByteArrayInputStream& stream() { return *stream_; }

private:
    static std::string format(double value) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%g", value);
        return buffer;
    }

    std::string text_;
    io::ByteArrayInputStream* stream_;
    StreamTokenizer* tokenizer_;
};

// The set-up the scene data uses.
void sceneSetup(StreamTokenizer& t) {
    t.commentChar(';');
    t.quoteChar('"');
    t.parseNumbers();
}

using V = std::vector<std::string>;

TEST(StreamTokenizer, DefaultTableSplitsOnBlanksAndOnlyCarriageReturnsCountLines) {
    Tokens t(
        "ab 12\ncd\r\r e\x01"
        "f");
    EXPECT_EQ(t.all(), (V{"w:ab", "w:12", "w:cd", "w:e", "w:f", "EOF"}));
    EXPECT_EQ(t.tokenizer().lineno, 3);
}

TEST(StreamTokenizer, NumbersFollowTheScanningRules) {
    // The last point wins: 1.2.5 is 125 with one digit after the point.
    Tokens t("12.5 0x1F -3 5-3 - . 1.2.5 0x1f 0xAbz 007", sceneSetup);
    EXPECT_EQ(t.all(),
              (V{"n:12.5", "n:31", "n:-3", "n:-53", "n:0", "n:0", "n:12.5", "n:31", "n:171", "w:z", "n:7", "EOF"}));
}

TEST(StreamTokenizer, LoneSignGivesPlainZero) {
    Tokens t("-", sceneSetup);
    ASSERT_EQ(t.tokenizer().nextToken(), StreamTokenizer::TT_NUMBER);
    EXPECT_EQ(std::string(t.tokenizer().toString().c_str()), "0");
}

TEST(StreamTokenizer, WordsTakeDigitsButNumbersStopAtLetters) {
    Tokens t("abc123.x 1abc +logo Button:menu.dat <sprites>", sceneSetup);
    EXPECT_EQ(t.all(), (V{"w:abc123.x", "n:1", "w:abc", "w:+logo", "w:Button:menu.dat", "w:<sprites>", "EOF"}));
}

TEST(StreamTokenizer, CommentRunsPastLineFeedsToTheNextCarriageReturn) {
    Tokens t("a ;note\nhidden\rb ;x\r;y\r\nc", sceneSetup);
    EXPECT_EQ(t.all(), (V{"w:a", "w:b", "w:c", "EOF"}));
    EXPECT_EQ(t.tokenizer().lineno, 4);
}

TEST(StreamTokenizer, CommentAtTheVeryStartAndAtTheEnd) {
    Tokens t(";first\rword ;last", sceneSetup);
    EXPECT_EQ(t.all(), (V{"w:word", "EOF"}));
    Tokens onlyComment(";nothing else", sceneSetup);
    EXPECT_EQ(onlyComment.all(), (V{"EOF"}));
}

TEST(StreamTokenizer, QuotedTextKeepsBlanksAndLineEndsAndAnyQuoteCloses) {
    Tokens t("\"a b\r\nc\" \"\" \"x'y 'open", [](StreamTokenizer& s) {
        sceneSetup(s);
        s.quoteChar('\'');
    });
    EXPECT_EQ(t.all(), (V{"w:a b\r\nc", "w:", "w:x", "w:y", "w:open", "EOF"}));
}

TEST(StreamTokenizer, ClosingQuoteIsConsumedAndTheNextCharacterStarts) {
    Tokens t("\"q\"12", sceneSetup);
    EXPECT_EQ(t.all(), (V{"w:q", "n:12", "EOF"}));
}

TEST(StreamTokenizer, SignificantLineEndsAreTokensAndAreCounted) {
    Tokens t("a\rb\n\r", [](StreamTokenizer& s) { s.eolIsSignificant(true); });
    EXPECT_EQ(t.all(), (V{"w:a", "EOL", "w:b", "EOL", "EOF"}));
    EXPECT_EQ(t.tokenizer().lineno, 3);
}

TEST(StreamTokenizer, CommentEndingAtSignificantLineEndYieldsTheLineEnd) {
    Tokens t("a;c\rb", [](StreamTokenizer& s) {
        s.commentChar(';');
        s.eolIsSignificant(true);
    });
    EXPECT_EQ(t.all(), (V{"w:a", "EOL", "w:b", "EOF"}));
}

TEST(StreamTokenizer, PushBackAnswersTheSameTokenWithoutReading) {
    Tokens t("7.5 word", sceneSetup);
    StreamTokenizer& s = t.tokenizer();
    ASSERT_EQ(s.nextToken(), StreamTokenizer::TT_NUMBER);
    int position = t.stream().getPosition();
    s.pushBack();
    EXPECT_EQ(s.nextToken(), StreamTokenizer::TT_NUMBER);
    EXPECT_EQ(s.nval, 7.5);
    EXPECT_EQ(t.stream().getPosition(), position);
    ASSERT_EQ(s.nextToken(), StreamTokenizer::TT_WORD);
    s.pushBack();
    EXPECT_EQ(s.nextToken(), StreamTokenizer::TT_WORD);
    EXPECT_STREQ(s.sval.c_str(), "word");
    EXPECT_EQ(s.nextToken(), StreamTokenizer::TT_EOF);
}

TEST(StreamTokenizer, ByteOrderMarkIsStrippedFromTheFirstWordOnly) {
    Tokens t("\xEF\xBB\xBFhead \xEF\xBB\xBFtail");
    EXPECT_EQ(t.all(), (V{"w:head", "w:\xEF\xBB\xBFtail", "EOF"}));
    Tokens quoted("\"\xEF\xBB\xBFq\" \xEF\xBB\xBF", sceneSetup);
    EXPECT_EQ(quoted.all(), (V{"w:q", "w:\xEF\xBB\xBF", "EOF"}));
    // The first word is examined even when it is too short to hold a mark.
    Tokens shortFirst(
        "ab \xEF\xBB\xBF"
        "cd");
    EXPECT_EQ(shortFirst.all(), (V{"w:ab",
                                   "w:\xEF\xBB\xBF"
                                   "cd",
                                   "EOF"}));
}

TEST(StreamTokenizer, WordCharsCanTurnBlanksIntoWordCharacters) {
    Tokens t("a b\tc", [](StreamTokenizer& s) {
        s.wordChars(' ', ' ');
        s.wordChars(200, 100);  // nothing when lo > hi
    });
    EXPECT_EQ(t.all(), (V{"w:a b", "w:c", "EOF"}));
}

TEST(StreamTokenizer, ToStringNamesEveryKind) {
    Tokens t("w 2.5\r", [](StreamTokenizer& s) {
        s.parseNumbers();
        s.eolIsSignificant(true);
    });
    std::vector<std::string> texts;
    for (int i = 0; i < 4; ++i) {
        t.tokenizer().nextToken();
        texts.push_back(t.tokenizer().toString().c_str());
    }
    EXPECT_EQ(texts, (V{"w", "2.5", "EOL", "EOF"}));
}

TEST(StreamTokenizer, EndIsStableAndEmptyInputIsEnd) {
    Tokens t("");
    EXPECT_EQ(t.next(), "EOF");
    EXPECT_EQ(t.next(), "EOF");
    Tokens blanks(" \n\t ");
    EXPECT_EQ(blanks.all(), (V{"EOF"}));
}

TEST(StreamTokenizer, HoldsAReferenceToItsInput) {
    static const uint8_t bytes[] = {'x'};
    auto* stream = new io::ByteArrayInputStream(bytes, 1);
    auto* tokenizer = new StreamTokenizer(stream);
    EXPECT_EQ(stream->refCount(), 2);
    stream->release();
    EXPECT_EQ(tokenizer->nextToken(), StreamTokenizer::TT_WORD);
    tokenizer->release();
}

}  // namespace
