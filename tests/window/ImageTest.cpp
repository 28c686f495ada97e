#include <gtest/gtest.h>

#include <fstream>

#include "GifBuilder.h"
#include "ReferencePictures.h"
#include "window/Image.h"

using window::Image;

namespace {

// Every test starts and ends in the default decoding mode with no archive open.
class ImageTest : public testing::Test {
protected:
    void SetUp() override { restore(); }
    void TearDown() override { restore(); }
    static void restore() {
        Image::setDecodeImmediately(false);
        for (int i = 0; i < 100 && !Image::canDecodeNow(); i++) Image::endSceneLoad();
        Image::setDecodeImmediately(true);
    }

    // Lazy mode: the flag is clear while a scene load is in progress.
    static void enterLazyMode() {
        Image::setDecodeImmediately(false);
        Image::beginSceneLoad();
    }
    static void leaveLazyMode() {
        Image::endSceneLoad();
        Image::setDecodeImmediately(true);
    }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        auto path = pictures.folder() / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }

    // A picture whose pixels are all one colour (0xRRGGBB), as GIF bytes.
    static std::vector<uint8_t> solidGif(int w, int h, uint32_t rgb) {
        GifBuilder gif;
        gif.width = w;
        gif.height = h;
        gif.globalTable = {rgb, 0};
        gif.indices.assign(size_t(w) * h, 0);
        return gif.build();
    }

    // A 2x2 mask: black, white / white, black. Blue channel 0 or 255.
    static std::vector<uint8_t> checkerMask() {
        GifBuilder gif;
        gif.width = 2;
        gif.height = 2;
        gif.globalTable = {0x000000, 0xFFFFFF};
        gif.indices = {0, 1, 1, 0};
        return gif.build();
    }

    ReferencePictures pictures;
};

std::vector<uint32_t> pixelsOf(Image* image) {
    uint32_t* p = image->pixelsNoLoad();
    if (!p) return {};
    return std::vector<uint32_t>(p, p + size_t(image->getWidth()) * image->getHeight());
}

}  // namespace

TEST_F(ImageTest, EmptyImageFilledWithOneIsTransparentBlack) {
    // Dirty the heap first, so that a missing fill would show.
    for (int i = 0; i < 8; i++) {
        Image* dirty = new Image(61, 17, 0, false);
        std::memset(dirty->getPixels(), 0xAB, 61 * 17 * 4);
        dirty->release();
    }
    Image* image = new Image(61, 17, 1, false);
    ASSERT_TRUE(image->hasPixels());
    EXPECT_EQ(image->getWidth(), 61);
    EXPECT_EQ(image->getHeight(), 17);
    EXPECT_EQ(image->getBytesPerRow(), 61 * 4);
    EXPECT_FALSE(image->hasAlpha());
    auto pixels = pixelsOf(image);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0u), long(pixels.size()));
    image->release();
}

TEST_F(ImageTest, HugeOrNegativeSizesMakeNoPixels) {
    for (auto [w, h] :
         {std::pair{20000, 2}, std::pair{2, 20000}, std::pair{16384, 16384}, std::pair{-3, 4}, std::pair{0, 0}}) {
        Image* image = new Image(w, h, 1, false);
        EXPECT_FALSE(image->hasPixels()) << w << "x" << h;
        EXPECT_EQ(image->getWidth(), 0);
        image->release();
    }
    Image* largest = new Image(8192, 8192, 0, false);  // exactly 256 MiB of pixels is allowed
    EXPECT_TRUE(largest->hasPixels());
    largest->release();
}

TEST_F(ImageTest, FewerThanSevenBytesGiveAnEmptyImageWithoutFailure) {
    const uint8_t bytes[] = {'G', 'I', 'F', '8', '9', 'a'};
    Image* image = new Image(bytes, 6);
    EXPECT_FALSE(image->hasPixels());
    EXPECT_FALSE(image->loadFailed());
    EXPECT_EQ(image->getWidth(), 0);
    EXPECT_TRUE(image->getName()->isEmpty());
    image->release();
}

TEST_F(ImageTest, UndecodableBytesFailOnlyWhenDecodingIsAllowed) {
    std::vector<uint8_t> junk(40, 0x42);
    Image* now = new Image(junk.data(), int(junk.size()));
    EXPECT_FALSE(now->hasPixels());
    EXPECT_TRUE(now->loadFailed());
    now->release();

    enterLazyMode();
    Image* lazy = new Image(junk.data(), int(junk.size()));
    EXPECT_FALSE(lazy->loadFailed());
    lazy->release();
}

TEST_F(ImageTest, DecodesBytesAndKeepsTransparency) {
    GifBuilder gif;
    gif.width = 3;
    gif.height = 2;
    gif.globalTable = {0x102030, 0x405060};
    gif.indices = {0, 1, 0, 1, 0, 1};
    gif.transparent = 1;
    auto bytes = gif.build();
    Image* image = new Image(bytes.data(), int(bytes.size()));
    ASSERT_TRUE(image->hasPixels());
    EXPECT_TRUE(image->hasAlpha());
    EXPECT_EQ(pixelsOf(image), (std::vector<uint32_t>{0xFF102030, 0, 0xFF102030, 0, 0xFF102030, 0}));
    // Decoding again replaces the picture and its flags.
    auto opaque = solidGif(2, 2, 0xABCDEF);
    image->decode(opaque.data(), int(opaque.size()));
    EXPECT_FALSE(image->hasAlpha());
    EXPECT_EQ(pixelsOf(image), std::vector<uint32_t>(4, 0xFFABCDEF));
    image->release();
}

TEST_F(ImageTest, LoadsDiskFilesAndMatchesTheReference) {
    auto file = pictures.make(pictures.card(), "PNG32:card.png");
    std::vector<uint32_t> expected = pictures.reference(file);
    Image* image = new Image(lang::String(file.string().c_str()));
    ASSERT_TRUE(image->hasPixels());
    EXPECT_TRUE(image->hasAlpha());
    EXPECT_EQ(pixelsOf(image), expected);
    EXPECT_STREQ(image->getName()->c_str(), file.string().c_str());
    image->release();
}

TEST_F(ImageTest, LargeFilesAreReadWhole) {
    // Well past the first 8 KiB read, so the buffer must grow several times.
    auto file = pictures.make("-size 300x200 xc: +noise Random -depth 8", "PNG24:noise.png");
    ASSERT_GT(std::filesystem::file_size(file), 100000u);
    std::vector<uint32_t> expected = pictures.reference(file);
    Image* image = new Image(lang::String(file.string().c_str()));
    EXPECT_EQ(pixelsOf(image), expected);
    image->release();
}

TEST_F(ImageTest, MissingFileFailsOnceAndIsNotTriedAgain) {
    std::string path = (pictures.folder() / "later.gif").string();
    Image* image = new Image(lang::String(path.c_str()));
    EXPECT_FALSE(image->hasPixels());
    EXPECT_TRUE(image->loadFailed());
    write("later.gif", solidGif(2, 2, 0x123456));
    EXPECT_EQ(image->getPixels(), nullptr);
    EXPECT_FALSE(image->loadAndHasPixels());
    image->release();
    // A fresh image of the same name finds it now.
    Image* again = new Image(lang::String(path.c_str()));
    EXPECT_TRUE(again->hasPixels());
    again->release();
}

TEST_F(ImageTest, PlusNamesAreArchiveItemsNotFiles) {
    // A file literally named "+red.gif" next to us must not be picked up.
    write("+red.gif", solidGif(3, 3, 0xFF0000));
    std::filesystem::path cwd = std::filesystem::current_path();
    std::filesystem::current_path(pictures.folder());
    Image* item = new Image(lang::String("+red.gif"));
    Image* file = new Image(lang::String("./+red.gif"));
    std::filesystem::current_path(cwd);
    EXPECT_FALSE(item->hasPixels());
    EXPECT_TRUE(item->loadFailed());
    EXPECT_EQ(pixelsOf(file), std::vector<uint32_t>(9, 0xFFFF0000));
    item->release();
    file->release();
}

TEST_F(ImageTest, WindowsSeparatorsNameDiskFiles) {
    std::filesystem::create_directories(pictures.folder() / "sub");
    write("sub/green.gif", solidGif(1, 2, 0x00FF00));
    std::string path = pictures.folder().string() + "\\sub\\green.gif";
    Image* image = new Image(lang::String(path.c_str()));
    EXPECT_EQ(pixelsOf(image), std::vector<uint32_t>(2, 0xFF00FF00));
    image->release();
    // A directory is not a picture.
    Image* folder = new Image(lang::String((pictures.folder() / "sub").string().c_str()));
    EXPECT_TRUE(folder->loadFailed());
    folder->release();
}

TEST_F(ImageTest, MaskAlphaComesFromTheBlueChannelTiled) {
    // A 5x3 colour picture with distinct pixels, and a 2x2 mask tiled over it.
    GifBuilder colour;
    colour.width = 5;
    colour.height = 3;
    for (int i = 0; i < 15; i++) colour.globalTable.push_back(uint32_t(0x010203 * (i + 1)));
    for (int i = 0; i < 15; i++) colour.indices.push_back(uint8_t(i));
    std::string colourPath = write("colour.gif", colour.build());
    std::string maskPath = write("mask.gif", checkerMask());
    lang::String name((colourPath + "|" + maskPath).c_str());
    Image* image = new Image(name);
    ASSERT_TRUE(image->hasPixels());
    EXPECT_TRUE(image->hasAlpha());
    EXPECT_STREQ(image->getName()->c_str(), name.c_str());
    auto pixels = pixelsOf(image);
    for (int y = 0; y < 3; y++) {
        for (int x = 0; x < 5; x++) {
            uint32_t rgb = 0x010203u * uint32_t(y * 5 + x + 1);
            // Mask black (blue 0) at even x+y: opaque; white: clear.
            uint32_t alpha = (x + y) % 2 == 0 ? 0xFF : 0x00;
            EXPECT_EQ(pixels[size_t(y * 5 + x)], alpha << 24 | rgb) << x << "," << y;
        }
    }
    image->release();
}

TEST_F(ImageTest, MaskBlueChannelSetsIntermediateAlpha) {
    Image* image = new Image(2, 1, 1, false);
    image->getPixels()[0] = 0xFF112233;
    image->getPixels()[1] = 0x00445566;
    GifBuilder mask;
    mask.width = 1;
    mask.height = 1;
    mask.globalTable = {0xFFFF40};  // blue 0x40, red and green ignored
    mask.indices = {0};
    Image* maskImage = new Image(lang::String(write("blue.gif", mask.build()).c_str()));
    image->applyMask(maskImage);
    EXPECT_EQ(pixelsOf(image), (std::vector<uint32_t>{0xBF112233, 0xBF445566}));
    EXPECT_TRUE(image->hasAlpha());
    maskImage->release();
    image->release();
}

TEST_F(ImageTest, ApplyMaskRenamesAndSkipsImagesWithoutPixels) {
    Image* mask = new Image(lang::String(write("m.gif", checkerMask()).c_str()));
    Image* image = new Image(lang::String("nowhere/colour.gif|old.gif"));
    EXPECT_FALSE(image->hasPixels());
    image->applyMask(mask);
    std::string expected = "nowhere/colour.gif|" + std::string(mask->getName()->c_str());
    EXPECT_STREQ(image->getName()->c_str(), expected.c_str());
    EXPECT_FALSE(image->hasAlpha());

    // A mask that failed to load leaves the pixels alone.
    Image* solid = new Image(2, 2, 1, false);
    Image* broken = new Image(lang::String("missing-mask.gif"));
    solid->applyMask(broken);
    EXPECT_EQ(pixelsOf(solid), std::vector<uint32_t>(4, 0u));
    broken->release();
    solid->release();
    image->release();
    mask->release();
}

TEST_F(ImageTest, LazyModeReadsOnlyTheSizeUntilFirstUse) {
    std::string colourPath = write("lazy.gif", solidGif(40, 30, 0x00FF00));
    std::string maskPath = write("lazy-mask.gif", checkerMask());
    enterLazyMode();
    EXPECT_FALSE(Image::canDecodeNow());
    Image* plain = new Image(lang::String(colourPath.c_str()));
    Image* masked = new Image(lang::String((colourPath + "|" + maskPath).c_str()));
    for (Image* image : {plain, masked}) {
        EXPECT_EQ(image->getWidth(), 40);
        EXPECT_EQ(image->getHeight(), 30);
        EXPECT_FALSE(image->hasPixels());
        EXPECT_FALSE(image->loadFailed());
        // Use during the load still gets no pixels, and no failure either.
        EXPECT_EQ(image->getPixels(), nullptr);
        EXPECT_FALSE(image->loadFailed());
    }
    // A missing file is missing whatever the mode.
    Image* missing = new Image(lang::String("no-such-picture.gif"));
    EXPECT_TRUE(missing->loadFailed());
    missing->release();

    leaveLazyMode();
    EXPECT_TRUE(Image::canDecodeNow());
    ASSERT_NE(plain->getPixels(), nullptr);
    EXPECT_EQ(plain->getPixels()[0], 0xFF00FF00u);
    EXPECT_FALSE(plain->hasAlpha());
    ASSERT_TRUE(masked->loadAndHasPixels());
    EXPECT_TRUE(masked->hasAlpha());
    EXPECT_EQ(masked->getPixels()[0], 0xFF00FF00u);
    EXPECT_EQ(masked->getPixels()[1], 0x0000FF00u);
    plain->release();
    masked->release();
}

TEST_F(ImageTest, DecodeModeFollowsFlagAndSceneLoads) {
    EXPECT_TRUE(Image::canDecodeNow());
    Image::setDecodeImmediately(false);
    EXPECT_TRUE(Image::canDecodeNow());  // no scene load in progress
    Image::beginSceneLoad();
    Image::beginSceneLoad();
    EXPECT_FALSE(Image::canDecodeNow());
    Image::setDecodeImmediately(true);
    EXPECT_TRUE(Image::canDecodeNow());
    Image::setDecodeImmediately(false);
    Image::endSceneLoad();
    EXPECT_FALSE(Image::canDecodeNow());
    Image::endSceneLoad();
    EXPECT_TRUE(Image::canDecodeNow());
    // An extra end does not push the count below zero.
    Image::endSceneLoad();
    Image::beginSceneLoad();
    EXPECT_FALSE(Image::canDecodeNow());
}

TEST_F(ImageTest, CopyIsIndependentAndKeepsNameAndAlpha) {
    GifBuilder gif;
    gif.width = 2;
    gif.height = 2;
    gif.globalTable = {0x111111, 0x222222};
    gif.indices = {0, 1, 1, 0};
    gif.transparent = 0;
    std::string path = write("copy.gif", gif.build());
    Image* original = new Image(lang::String(path.c_str()));
    Image* copy = original->copy();
    EXPECT_EQ(pixelsOf(copy), pixelsOf(original));
    EXPECT_TRUE(copy->hasAlpha());
    EXPECT_STREQ(copy->getName()->c_str(), path.c_str());
    copy->getPixels()[1] = 0xFFFFFFFF;
    EXPECT_EQ(original->getPixels()[1], 0xFF222222u);
    copy->release();
    original->release();
}

TEST_F(ImageTest, CopyOfAnImageWithoutPixelsIsUnloadedButNamedAndSized) {
    std::string path = write("sized.gif", solidGif(9, 4, 0x0000FF));
    enterLazyMode();
    Image* sized = new Image(lang::String(path.c_str()));
    Image* copy = sized->copy();
    EXPECT_FALSE(copy->hasPixels());
    EXPECT_EQ(copy->getWidth(), 9);
    EXPECT_EQ(copy->getHeight(), 4);
    EXPECT_STREQ(copy->getName()->c_str(), path.c_str());
    leaveLazyMode();
    // The copy loads itself by its name on first use.
    ASSERT_NE(copy->getPixels(), nullptr);
    EXPECT_EQ(copy->getPixels()[0], 0xFF0000FFu);
    copy->release();
    sized->release();
}

TEST_F(ImageTest, UnloadDropsPixelsAndTheNameReloadsThem) {
    std::string path = write("reload.gif", solidGif(3, 1, 0x345678));
    Image* image = new Image(lang::String(path.c_str()));
    image->setHasAlpha(true);
    EXPECT_TRUE(image->hasAlpha());
    image->unload();
    EXPECT_FALSE(image->hasPixels());
    EXPECT_FALSE(image->hasAlpha());
    image->setHasAlpha(true);  // no pixels: ignored
    EXPECT_FALSE(image->hasAlpha());
    EXPECT_EQ(image->getWidth(), 3);
    ASSERT_TRUE(image->loadAndHasPixels());
    EXPECT_EQ(image->getPixels()[2], 0xFF345678u);
    image->release();

    // An image made from bytes has no name to reload from.
    auto bytes = solidGif(1, 1, 0);
    Image* anonymous = new Image(bytes.data(), int(bytes.size()));
    anonymous->unload();
    EXPECT_FALSE(anonymous->loadAndHasPixels());
    anonymous->release();
}

TEST_F(ImageTest, AnswersItsClassNames) {
    Image* image = new Image();
    EXPECT_TRUE(image->isInstanceOf("Image"));
    EXPECT_TRUE(image->isInstanceOf("Object"));
    EXPECT_FALSE(image->isInstanceOf("ImageArray"));
    image->release();
}

TEST_F(ImageTest, BitmapImagesKeepTheirPixelsThroughCopyAndUnload) {
    Image* image = new Image(7, 3, 1, true);
    ASSERT_TRUE(image->hasBitmap());
    ASSERT_TRUE(image->hasPixels());
    auto pixels = pixelsOf(image);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0u), 21);
    image->getPixels()[20] = 0x80FF0000;
    image->setHasAlpha(true);

    Image* copy = image->copy();
    EXPECT_TRUE(copy->hasBitmap());
    EXPECT_TRUE(copy->hasAlpha());
    EXPECT_EQ(pixelsOf(copy), pixelsOf(image));
    EXPECT_NE(copy->pixelsNoLoad(), image->pixelsNoLoad());

    // A heap image turned into a bitmap keeps the same pixels.
    auto bytes = solidGif(2, 2, 0x0A0B0C);
    Image* decoded = new Image(bytes.data(), int(bytes.size()));
    decoded->makeBitmap();
    EXPECT_TRUE(decoded->hasBitmap());
    EXPECT_EQ(pixelsOf(decoded), std::vector<uint32_t>(4, 0xFF0A0B0C));
    // Decoding again drops the bitmap for a fresh heap buffer.
    decoded->decode(bytes.data(), int(bytes.size()));
    EXPECT_FALSE(decoded->hasBitmap());
    EXPECT_TRUE(decoded->hasPixels());
    decoded->release();

    image->unload();
    EXPECT_FALSE(image->hasBitmap());
    EXPECT_FALSE(image->hasPixels());
    image->release();
    copy->release();
}
