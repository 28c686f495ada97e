#include <gtest/gtest.h>

#include <string>

#include "sprite/MemoryStream.h"
#include "sprite/SceneTextStream.h"

using sprite::SceneTextStream;
using sprite_test::MemoryStream;

namespace {

std::string readThrough(const std::string& text) {
    auto* source = new MemoryStream(text);
    auto* stream = new SceneTextStream(source);
    source->release();
    std::string out;
    for (int c; (c = stream->read()) >= 0;) out.push_back(static_cast<char>(c));
    stream->release();
    return out;
}

}  // namespace

TEST(SceneText, BareLineFeedsGainACarriageReturn) {
    EXPECT_EQ(readThrough("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(readThrough("\n\n"), "\r\n\r\n");
}

TEST(SceneText, WindowsLineEndsAndLoneCarriageReturnsStayAsTheyAre) {
    EXPECT_EQ(readThrough("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(readThrough("a\rb"), "a\rb");
    EXPECT_EQ(readThrough("a\r\n\nb"), "a\r\n\r\nb");
    EXPECT_EQ(readThrough(""), "");
}

TEST(SceneText, BlockReadsResetAndSeekSeeTheConvertedText) {
    auto* source = new MemoryStream(std::string("x\ny\n"));
    auto* stream = new SceneTextStream(source);
    char buffer[16] = {};
    EXPECT_EQ(stream->read(buffer, 2, 3), 3);
    EXPECT_EQ(std::string(buffer + 2, 3), "x\r\n");
    EXPECT_EQ(stream->read(buffer, 0, 16), 3);
    EXPECT_EQ(std::string(buffer, 3), "y\r\n");
    EXPECT_EQ(stream->read(buffer, 0, 16), 0);

    stream->reset();
    EXPECT_EQ(stream->read(), 'x');
    EXPECT_EQ(stream->seek(3), 2);  // from position 1 to 3, past the inserted return
    EXPECT_EQ(stream->read(), 'y');
    EXPECT_EQ(stream->skip(10), 2);
    stream->close();
    EXPECT_TRUE(source->closed);
    stream->release();
    source->release();
}
