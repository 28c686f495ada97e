#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

#include "ReferencePictures.h"
#include "window/PictureDecoder.h"

using window::DecodedPicture;
using window::PictureDecoder;

namespace {

struct Decoded {
    bool ok = false;
    int width = 0, height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> pixels;
};

Decoded decode(const std::vector<uint8_t>& bytes, bool pixelsWanted = true) {
    DecodedPicture picture;
    Decoded d;
    d.ok = PictureDecoder::decode(bytes.data(), bytes.size(), pixelsWanted, picture);
    d.width = picture.width;
    d.height = picture.height;
    d.hasAlpha = picture.hasAlpha;
    if (picture.pixels) d.pixels.assign(picture.pixels, picture.pixels + size_t(d.width) * d.height);
    return d;
}

// Largest per-channel difference between two pictures.
int largestDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    int worst = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        for (int shift = 0; shift < 32; shift += 8)
            worst = std::max(worst, std::abs(int((a[i] >> shift) & 0xFF) - int((b[i] >> shift) & 0xFF)));
    return worst;
}

struct RealCase {
    const char* options;
    const char* output;
    bool alpha;
    int tolerance;
};

// Shown in test listings instead of the raw bytes of the case.
void PrintTo(const RealCase& c, std::ostream* os) { *os << c.output; }

void expectMatchesConvert(ReferencePictures& pictures, const RealCase& c) {
    auto file = pictures.make(pictures.card() + " " + c.options, c.output);
    std::vector<uint32_t> expected = pictures.reference(file);
    Decoded d = decode(pictures.bytes(file));
    ASSERT_TRUE(d.ok) << c.output;
    EXPECT_EQ(d.width, 37);
    EXPECT_EQ(d.height, 23);
    EXPECT_EQ(d.hasAlpha, c.alpha) << c.output;
    ASSERT_EQ(d.pixels.size(), expected.size()) << c.output;
    EXPECT_LE(largestDifference(d.pixels, expected), c.tolerance) << c.output;
    if (!c.alpha) {
        for (uint32_t p : d.pixels) ASSERT_EQ(p >> 24, 0xFFu) << c.output;
    }
}

}  // namespace

TEST(PictureDecoder, ChoosesTheFormatBySignature) {
    auto format = [](std::vector<uint8_t> b) { return PictureDecoder::formatOf(b.data(), b.size()); };
    using F = PictureDecoder::Format;
    EXPECT_EQ(format({'G', 'I', 'F', '8', '9', 'a', 0}), F::Gif);
    EXPECT_EQ(format({'G', 'I', 'F', '8', '7', 'a', 0}), F::Gif);
    EXPECT_EQ(format({'G', 'I', 'F', '8', '8', 'a', 0}), F::Jpeg);
    EXPECT_EQ(format({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), F::Png);
    EXPECT_EQ(format({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}), F::Jpeg);  // 7 bytes: no PNG signature
    EXPECT_EQ(format({'B', 'M', 0, 0, 0, 0, 0, 0}), F::Jpeg);             // no BMP support
    EXPECT_EQ(format({'G', 'I', 'F', '8', '9', 'a'}), F::None);           // under 7 bytes
    Decoded d = decode({'G', 'I', 'F', '8', '9', 'a'});
    EXPECT_FALSE(d.ok);
    EXPECT_TRUE(d.pixels.empty());
}

class FromConvert : public testing::TestWithParam<RealCase> {};

// Test names from the output file: "PNG8:palette-trns.png" -> palette_trns_png.
std::string caseName(const testing::TestParamInfo<RealCase>& info) {
    std::string name = info.param.output;
    name = name.substr(name.find(':') + 1);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

TEST_P(FromConvert, MatchesConvertsDecode) {
    ReferencePictures pictures;
    expectMatchesConvert(pictures, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Png, FromConvert,
    testing::Values(RealCase{"", "PNG32:rgba.png", true, 0},
                    RealCase{"-background '#336699' -flatten", "PNG24:rgb.png", false, 0},
                    RealCase{"-background '#336699' -flatten -colors 40", "PNG8:palette.png", false, 0},
                    RealCase{"-colors 40", "PNG8:palette-trns.png", true, 0},
                    RealCase{"-background white -flatten -colorspace Gray -define png:color-type=0 -depth 8",
                             "grey.png", false, 0},
                    RealCase{"-background white -flatten -colorspace Gray -depth 2 -define png:color-type=0 "
                             "-define png:bit-depth=2",
                             "grey2.png", false, 0},
                    RealCase{"-colorspace Gray -depth 8 -define png:color-type=4", "grey-alpha.png", true, 0},
                    RealCase{"-interlace PNG", "PNG32:interlaced.png", true, 0},
                    // 16-bit samples are stripped to their high byte, which equals convert's
                    // rounding when the samples came from 8-bit values.
                    RealCase{"-depth 8 -depth 16", "PNG64:rgba16.png", true, 0},
                    RealCase{"-background white -flatten -depth 8 -depth 16", "PNG48:rgb16.png", false, 0}),
    caseName);

// Both sides decode through libjpeg-turbo with the same defaults, so they agree exactly.
INSTANTIATE_TEST_SUITE_P(
    Jpeg, FromConvert,
    testing::Values(RealCase{"-background white -flatten -quality 85", "colour.jpg", false, 0},
                    RealCase{"-background white -flatten -colorspace Gray -quality 90", "grey.jpg", false, 0},
                    RealCase{"-background white -flatten -quality 70 -interlace JPEG", "progressive.jpg", false, 0},
                    RealCase{"-background white -flatten -quality 80 -sampling-factor 1x1", "444.jpg", false, 0}),
    caseName);

TEST(PictureDecoder, SizeOnlyReadsEveryFormatsHeader) {
    ReferencePictures pictures;
    for (const char* output : {"size.gif", "size.png", "size.jpg"}) {
        auto file = pictures.make("-size 321x123 xc:orange", output);
        Decoded d = decode(pictures.bytes(file), false);
        EXPECT_TRUE(d.ok) << output;
        EXPECT_EQ(d.width, 321) << output;
        EXPECT_EQ(d.height, 123) << output;
        EXPECT_TRUE(d.pixels.empty()) << output;
    }
}

TEST(PictureDecoder, DamagedPngAndJpegGiveNoPixels) {
    ReferencePictures pictures;
    auto png = pictures.bytes(pictures.make(pictures.card(), "PNG32:card.png"));
    auto jpg = pictures.bytes(pictures.make(pictures.card() + " -background white -flatten", "card.jpg"));
    ASSERT_GT(png.size(), 100u);
    ASSERT_GT(jpg.size(), 100u);

    // A PNG cut short in its image data.
    std::vector<uint8_t> shortPng(png.begin(), png.begin() + long(png.size() / 2));
    Decoded d = decode(shortPng);
    EXPECT_FALSE(d.ok);
    EXPECT_TRUE(d.pixels.empty());
    // A corrupted header CRC.
    auto badCrc = png;
    badCrc[29] ^= 0xFF;
    EXPECT_TRUE(decode(badCrc).pixels.empty());
    // An IHDR claiming 20000 x 20000.
    auto huge = png;
    huge[16] = 0;
    huge[17] = 0;
    huge[18] = 0x4E;
    huge[19] = 0x20;
    huge[20] = 0;
    huge[21] = 0;
    huge[22] = 0x4E;
    huge[23] = 0x20;
    Decoded hugeD = decode(huge, false);
    EXPECT_FALSE(hugeD.ok);

    // Not a JPEG at all.
    std::vector<uint8_t> junk(64, 0x55);
    d = decode(junk);
    EXPECT_FALSE(d.ok);
    EXPECT_TRUE(d.pixels.empty());
    // A JPEG whose start-of-frame is destroyed.
    auto badJpeg = jpg;
    for (size_t i = 0; i + 1 < badJpeg.size(); i++) {
        if (badJpeg[i] == 0xFF && (badJpeg[i + 1] == 0xC0 || badJpeg[i + 1] == 0xC2)) {
            for (size_t k = i + 2; k < i + 12 && k < badJpeg.size(); k++) badJpeg[k] = 0;
            break;
        }
    }
    d = decode(badJpeg);
    EXPECT_FALSE(d.ok);
    EXPECT_TRUE(d.pixels.empty());
}

TEST(PictureDecoder, TruncatedInputNeverCrashes) {
    ReferencePictures pictures;
    for (const char* output : {"t.gif", "t.png", "t.jpg"}) {
        auto bytes = pictures.bytes(pictures.make(pictures.card() + " -colors 20", output));
        for (size_t cut = 0; cut < bytes.size(); cut += 1 + cut / 8) {
            std::vector<uint8_t> part(bytes.begin(), bytes.begin() + long(cut));
            Decoded d = decode(part);
            if (d.ok) {
                EXPECT_EQ(d.pixels.size(), size_t(37 * 23)) << output << " cut " << cut;
            }
        }
    }
}
