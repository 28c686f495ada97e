#include <gtest/gtest.h>

#include "GifBuilder.h"
#include "ReferencePictures.h"
#include "window/GifDecoder.h"

using window::DecodedPicture;
using window::GifDecoder;

namespace {

std::vector<uint32_t> decodePixels(const std::vector<uint8_t>& bytes, bool* ok = nullptr,
                                   DecodedPicture* sizeOut = nullptr) {
    GifDecoder decoder;
    DecodedPicture picture;
    bool result = decoder.decode(bytes.data(), bytes.size(), true, picture);
    if (ok) *ok = result;
    if (sizeOut) {
        sizeOut->width = picture.width;
        sizeOut->height = picture.height;
        sizeOut->hasAlpha = picture.hasAlpha;
    }
    if (!picture.pixels) return {};
    return std::vector<uint32_t>(picture.pixels, picture.pixels + size_t(picture.width) * picture.height);
}

// Eight distinct colours, index i -> 0x10 * i in each channel plus a marker.
std::vector<uint32_t> greyRamp(int n) {
    std::vector<uint32_t> table;
    for (int i = 0; i < n; i++) table.push_back(uint32_t(i * 0x10) << 16 | uint32_t(i * 0x11) << 8 | uint32_t(255 - i));
    return table;
}

uint32_t opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

GifBuilder checker(int w, int h) {
    GifBuilder gif;
    gif.width = w;
    gif.height = h;
    gif.globalTable = greyRamp(8);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) gif.indices.push_back(uint8_t((x * 3 + y * 5) % 8));
    return gif;
}

}  // namespace

TEST(GifDecoder, DecodesIndicesThroughTheGlobalTable) {
    GifBuilder gif = checker(5, 3);
    gif.minCodeSize = 3;
    DecodedPicture size;
    bool ok = false;
    auto pixels = decodePixels(gif.build(), &ok, &size);
    ASSERT_TRUE(ok);
    ASSERT_EQ(size.width, 5);
    ASSERT_EQ(size.height, 3);
    EXPECT_FALSE(size.hasAlpha);
    for (size_t i = 0; i < pixels.size(); i++) EXPECT_EQ(pixels[i], opaque(gif.globalTable[gif.indices[i]])) << i;
}

TEST(GifDecoder, TransparentIndexBecomesClearPixelsAndSetsAlpha) {
    GifBuilder gif = checker(7, 6);
    gif.transparent = 5;
    DecodedPicture size;
    auto pixels = decodePixels(gif.build(), nullptr, &size);
    ASSERT_EQ(pixels.size(), 42u);
    EXPECT_TRUE(size.hasAlpha);
    int clear = 0;
    for (size_t i = 0; i < pixels.size(); i++) {
        if (gif.indices[i] == 5) {
            EXPECT_EQ(pixels[i], 0u) << i;
            clear++;
        } else {
            EXPECT_EQ(pixels[i], opaque(gif.globalTable[gif.indices[i]])) << i;
        }
    }
    EXPECT_GT(clear, 0);
}

TEST(GifDecoder, InterlacedFrameEqualsItsSequentialTwin) {
    for (int h : {1, 2, 3, 5, 9, 17}) {
        GifBuilder plain = checker(6, h);
        GifBuilder interlaced = plain;
        interlaced.interlaced = true;
        auto a = decodePixels(plain.build());
        auto b = decodePixels(interlaced.build());
        ASSERT_EQ(a.size(), size_t(6 * h));
        EXPECT_EQ(a, b) << "height " << h;
    }
}

TEST(GifDecoder, LocalTableWinsOverGlobalAndIsReadBeforeTheData) {
    GifBuilder gif = checker(4, 4);
    gif.localTable = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0x010203, 0x040506, 0x070809, 0x0A0B0C};
    auto pixels = decodePixels(gif.build());
    ASSERT_EQ(pixels.size(), 16u);
    for (size_t i = 0; i < 16; i++) EXPECT_EQ(pixels[i], opaque(gif.localTable[gif.indices[i]]));
}

TEST(GifDecoder, WithoutAnyColourTableThereAreNoPixels) {
    GifBuilder gif = checker(4, 4);
    gif.globalTable.clear();
    bool ok = true;
    EXPECT_TRUE(decodePixels(gif.build(), &ok).empty());
    EXPECT_FALSE(ok);
}

TEST(GifDecoder, SmallFrameSitsOnIndexZeroBackground) {
    GifBuilder gif;
    gif.width = 5;
    gif.height = 4;
    gif.globalTable = greyRamp(4);
    gif.left = 2;
    gif.top = 1;
    gif.frameWidth = 2;
    gif.frameHeight = 2;
    gif.indices = {1, 2, 3, 1};
    auto pixels = decodePixels(gif.build());
    ASSERT_EQ(pixels.size(), 20u);
    for (int y = 0; y < 4; y++) {
        for (int x = 0; x < 5; x++) {
            int index = 0;
            if (x >= 2 && x < 4 && y >= 1 && y < 3) index = gif.indices[size_t((y - 1) * 2 + x - 2)];
            EXPECT_EQ(pixels[size_t(y * 5 + x)], opaque(gif.globalTable[size_t(index)])) << x << "," << y;
        }
    }
}

TEST(GifDecoder, FrameReachingPastTheScreenIsClipped) {
    GifBuilder gif;
    gif.width = 4;
    gif.height = 3;
    gif.globalTable = greyRamp(8);
    gif.left = 2;
    gif.top = 1;
    gif.frameWidth = 9;
    gif.frameHeight = 7;
    for (int i = 0; i < 63; i++) gif.indices.push_back(uint8_t(1 + i % 7));
    auto pixels = decodePixels(gif.build());
    ASSERT_EQ(pixels.size(), 12u);
    EXPECT_EQ(pixels[0], opaque(gif.globalTable[0]));
    EXPECT_EQ(pixels[1 * 4 + 2], opaque(gif.globalTable[gif.indices[0]]));
    EXPECT_EQ(pixels[1 * 4 + 3], opaque(gif.globalTable[gif.indices[1]]));
    EXPECT_EQ(pixels[2 * 4 + 2], opaque(gif.globalTable[gif.indices[9]]));

    // Entirely off the screen: only the background shows.
    gif.left = 60000;
    auto off = decodePixels(gif.build());
    ASSERT_EQ(off.size(), 12u);
    for (uint32_t p : off) EXPECT_EQ(p, opaque(gif.globalTable[0]));
}

namespace {

// A 4-colour picture whose image data is replaced by the given codes.
std::vector<uint32_t> decodeCodes(int width, int height, const std::vector<std::pair<int, int>>& codes,
                                  std::vector<uint32_t>* table) {
    GifBuilder gif;
    gif.width = width;
    gif.height = height;
    gif.globalTable = greyRamp(4);
    *table = gif.globalTable;
    std::vector<uint8_t> bytes = gif.build();
    size_t at = 13 + 3 * 4;
    while (bytes[at] != 0x2C) at++;
    bytes.resize(at + 10);
    auto data = GifBuilder::packCodes(2, codes);
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.push_back(0x3B);
    return decodePixels(bytes);
}

void expectIndices(const std::vector<uint32_t>& pixels, const std::vector<uint32_t>& table,
                   const std::vector<int>& indices) {
    ASSERT_EQ(pixels.size(), indices.size());
    for (size_t i = 0; i < indices.size(); i++) {
        uint32_t want = size_t(indices[i]) < table.size() ? opaque(table[size_t(indices[i])]) : 0xFF000000u;
        EXPECT_EQ(pixels[i], want) << i;
    }
}

}  // namespace

// Minimum code size 2: clear 4, end 5, first free entry 6, codes 3 bits wide
// until entry 7 is made, then 4 bits.
TEST(GifDecoder, ExpandsTableEntriesAndTheJustDefinedCode) {
    std::vector<uint32_t> table;
    // 1, 2, 3 make entries 6 = "1 2" and 7 = "2 3"; 7 then reads "2 3" twice.
    auto pixels = decodeCodes(4, 2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {7, 4}, {7, 4}, {2, 4}, {5, 4}}, &table);
    expectIndices(pixels, table, {1, 2, 3, 2, 3, 2, 3, 2});
    // 1, 3 make entry 6; code 7 is the entry being defined: "3" + its own first "3".
    pixels = decodeCodes(4, 2, {{4, 3}, {1, 3}, {3, 3}, {7, 3}, {1, 4}, {5, 4}}, &table);
    expectIndices(pixels, table, {1, 3, 3, 3, 1, 0, 0, 0});
}

TEST(GifDecoder, SelfReferencingChainStopsDecoding) {
    std::vector<uint32_t> table;
    // The first code after a clear is not a literal: entry 6 ends up pointing
    // at itself, and walking it would never end.
    auto pixels = decodeCodes(4, 2, {{4, 3}, {6, 3}, {6, 3}, {4, 3}, {6, 3}, {6, 3}, {1, 3}, {1, 3}, {5, 3}}, &table);
    // Decoded before the loop: 0 | 0 0 6 | 0; nothing after it, the 1s included.
    expectIndices(pixels, table, {0, 0, 0, 6, 0, 0, 0, 0});
}

TEST(GifDecoder, FullTableKeepsDecodingWithoutGrowing) {
    // 4091 literals 1, 2, 3, 1, ... make entries 6 to 4095, each "previous, this";
    // then entry 4095 is used 50 times while the table stays full at 12 bits.
    std::vector<std::pair<int, int>> codes{{4, 3}};
    std::vector<int> expected;
    int next = 6, size = 3;
    for (int i = 0; i < 4091; i++) {
        int literal = 1 + i % 3;
        codes.push_back({literal, size});
        expected.push_back(literal);
        if (i == 0) continue;
        next++;
        if ((next & ((1 << size) - 1)) == 0 && next < 4096) size++;
    }
    ASSERT_EQ(next, 4096);
    ASSERT_EQ(size, 12);
    for (int i = 0; i < 50; i++) {
        codes.push_back({4095, 12});
        expected.push_back(expected[4089]);
        expected.push_back(expected[4090]);
    }
    codes.push_back({1, 12});
    expected.push_back(1);
    codes.push_back({5, 12});
    expected.resize(64 * 66, 0);
    std::vector<uint32_t> table;
    auto pixels = decodeCodes(64, 66, codes, &table);
    expectIndices(pixels, table, expected);
}

TEST(GifDecoder, CodeAboveNextStopsDecoding) {
    std::vector<uint32_t> table;
    // clear, 2, then 7 while entry 6 is the next free one: the 3 after it is never used.
    auto pixels = decodeCodes(4, 1, {{4, 3}, {2, 3}, {7, 3}, {3, 3}, {5, 3}}, &table);
    expectIndices(pixels, table, {2, 0, 0, 0});
}

TEST(GifDecoder, ReadsDelayAndLoopingButOnlyTheFirstFrame) {
    GifBuilder gif = checker(3, 3);
    gif.delay = 42;
    gif.looping = true;
    std::vector<uint8_t> bytes = gif.build();
    // Append a second frame of all index 7 before the trailer.
    GifBuilder second = checker(3, 3);
    second.indices.assign(9, 7);
    std::vector<uint8_t> more = second.build();
    size_t frame = 13 + 3 * 8;
    bytes.pop_back();
    bytes.insert(bytes.end(), more.begin() + long(frame), more.end());
    GifDecoder decoder;
    DecodedPicture picture;
    ASSERT_TRUE(decoder.decode(bytes.data(), bytes.size(), true, picture));
    EXPECT_EQ(decoder.frameDelay(), 42);
    EXPECT_TRUE(decoder.looping());
    ASSERT_NE(picture.pixels, nullptr);
    EXPECT_EQ(picture.pixels[0], opaque(gif.globalTable[gif.indices[0]]));
}

TEST(GifDecoder, SizeOnlyModeAllocatesNothing) {
    GifBuilder gif = checker(300, 200);
    std::vector<uint8_t> bytes = gif.build();
    GifDecoder decoder;
    DecodedPicture picture;
    ASSERT_TRUE(decoder.decode(bytes.data(), bytes.size(), false, picture));
    EXPECT_EQ(picture.width, 300);
    EXPECT_EQ(picture.height, 200);
    EXPECT_EQ(picture.pixels, nullptr);
    // The header alone is enough: the frame may be missing entirely.
    bytes.resize(13 + 3 * 8);
    DecodedPicture header;
    EXPECT_TRUE(GifDecoder().decode(bytes.data(), bytes.size(), false, header));
    EXPECT_EQ(header.width, 300);
}

TEST(GifDecoder, RefusesBadHeadersHugeScreensAndMissingFrames) {
    GifBuilder gif = checker(4, 4);
    std::vector<uint8_t> bytes = gif.build();
    auto fails = [](std::vector<uint8_t> b) {
        GifDecoder decoder;
        DecodedPicture picture;
        bool ok = decoder.decode(b.data(), b.size(), true, picture);
        return !ok && picture.pixels == nullptr;
    };
    auto bad = bytes;
    bad[4] = '8';  // "GIF88a"
    EXPECT_TRUE(fails(bad));
    auto huge = bytes;
    huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;  // 65535 x 65535
    EXPECT_TRUE(fails(huge));
    auto empty = bytes;
    empty[6] = empty[7] = 0;  // width 0
    EXPECT_TRUE(fails(empty));
    auto noFrame = bytes;
    noFrame.resize(13 + 3 * 8);
    noFrame.push_back(0x3B);
    EXPECT_TRUE(fails(noFrame));
    auto truncatedTable = bytes;
    truncatedTable.resize(13 + 5);
    EXPECT_TRUE(fails(truncatedTable));
}

TEST(GifDecoder, TruncatedDataKeepsTheDecodedRows) {
    GifBuilder gif = checker(16, 16);
    gif.minCodeSize = 3;
    std::vector<uint8_t> bytes = gif.build();
    for (size_t cut = 13 + 24 + 10; cut < bytes.size(); cut += 7) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + long(cut));
        auto pixels = decodePixels(part);
        if (pixels.empty()) continue;
        ASSERT_EQ(pixels.size(), 256u);
        // Whatever was decoded matches the picture; the rest is index 0.
        size_t i = 0;
        while (i < 256 && pixels[i] == opaque(gif.globalTable[gif.indices[i]])) i++;
        for (; i < 256; i++) EXPECT_EQ(pixels[i], opaque(gif.globalTable[0])) << "cut " << cut << " at " << i;
    }
}

struct ConvertGif {
    const char* options;
    const char* output;
    bool alpha;
};

void PrintTo(const ConvertGif& c, std::ostream* os) { *os << c.output; }

class GifFromConvert : public testing::TestWithParam<ConvertGif> {};

TEST_P(GifFromConvert, MatchesConvertsDecode) {
    const ConvertGif& c = GetParam();
    ReferencePictures pictures;
    auto file = pictures.make(pictures.card() + " " + c.options, c.output);
    std::vector<uint8_t> bytes = pictures.bytes(file);
    ASSERT_GT(bytes.size(), 13u);
    std::vector<uint32_t> expected = pictures.reference(file);
    DecodedPicture size;
    auto pixels = decodePixels(bytes, nullptr, &size);
    ASSERT_EQ(pixels.size(), expected.size());
    EXPECT_EQ(size.hasAlpha, c.alpha);
    int differing = 0;
    for (size_t i = 0; i < pixels.size(); i++) {
        // convert keeps the palette colour under a clear pixel; ours is 0.
        uint32_t want = (expected[i] >> 24) == 0 ? 0 : expected[i];
        if (pixels[i] != want && differing++ < 5) ADD_FAILURE() << "pixel " << i;
    }
    EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, GifFromConvert,
    testing::Values(ConvertGif{"-background white -flatten -colors 50", "GIF87:plain87.gif", false},
                    ConvertGif{"-background white -flatten -colors 50", "plain89.gif", false},
                    ConvertGif{"-background white -flatten -colors 50 -interlace GIF", "interlaced.gif", false},
                    ConvertGif{"-channel A -threshold 40% +channel -colors 30", "transparent.gif", true},
                    ConvertGif{"-channel A -threshold 40% +channel -colors 30 -interlace GIF", "both.gif", true}),
    [](const testing::TestParamInfo<ConvertGif>& info) {
        std::string name = info.param.output;
        name = name.substr(name.find(':') + 1);
        return name.substr(0, name.find('.'));
    });
