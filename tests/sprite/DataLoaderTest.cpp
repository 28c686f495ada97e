#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "lang/Class.h"
#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "lang/ResourceFile.h"
#include "lang/ResourceFileHeader.h"
#include "platform/PngWriter.h"
#include "sprite/DataLoader.h"
#include "sprite/DialogSprite.h"
#include "sprite/GameCanvas2.h"
#include "sprite/SceneFixture.h"
#include "sprite/SpriteFixtures.h"
#include "sprite/User.h"
#include "util/Hashtable.h"
#include "util/Vector.h"
#include "window/AudioClip.h"
#include "window/Image.h"

using sprite::DataLoader;
using sprite::DialogSprite;
using sprite::Sprite;
using sprite_test::CountingListener;
using sprite_test::Held;
using sprite_test::SceneFixture;
using sprite_test::sceneText;

namespace {

// A sprite class that keeps what init handed it.
class RecordingSprite : public Sprite {
    MENTARIUM_METACLASS(RecordingSprite)

public:
    MENTARIUM_CLASS(RecordingSprite, Sprite)
    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override {
        pictureCount = pictures ? pictures->length() : -1;
        for (int i = 0; i < pictureCount && i < 4; ++i) slots[i] = (*pictures)[i];
        numberCount = numbers->length();
        return Sprite::init(pictures, numbers);
    }
    int pictureCount = 0;
    lang::Object* slots[4] = {};
    int numberCount = 0;
};
MENTARIUM_DEFINE_METACLASS(RecordingSprite)

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void putInt(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// An image list entry: length, name field with terminator, scrambled bytes.
void putEntry(std::vector<uint8_t>& out, const std::string& name, const std::vector<uint8_t>& bytes) {
    putInt(out, static_cast<uint32_t>(bytes.size()));
    out.push_back(static_cast<uint8_t>(name.size() + 1));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    for (uint8_t b : bytes) out.push_back(b ^ 0xA6);
}

std::vector<uint8_t> imageList(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
    std::vector<uint8_t> body;
    for (const auto& [name, bytes] : entries) putEntry(body, name, bytes);
    std::vector<uint8_t> out;
    putInt(out, static_cast<uint32_t>(entries.size()));
    putInt(out, static_cast<uint32_t>(body.size() + 8));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Sprite* spriteAt(DataLoader& loader, int i) { return static_cast<Sprite*>(loader.getSprites()->elementAt(i)); }

Sprite* named(DataLoader& loader, const char* name) { return static_cast<Sprite*>(loader.getNames()->get(name)); }

int occurrences(const std::string& text, const std::string& needle) {
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
    return n;
}

}  // namespace

class SceneLoad : public SceneFixture {
protected:
    // Writes a small PNG of solid colour into the game directory.
    std::string png(const std::string& name, int w, int h, uint32_t argb) {
        std::vector<uint32_t> pixels(static_cast<size_t>(w * h), argb);
        std::string path = dir.file(name);
        EXPECT_TRUE(platform::writePng(path, pixels.data(), w, h));
        return path;
    }
};

TEST_F(SceneLoad, ExampleSceneBuildsPicturesSoundsTextsNumbersAndSprites) {
    png("logo", 16, 8, 0xFF336699u);
    png("logo_mask", 16, 8, 0xFF000000u);
    std::vector<uint8_t> star = readBytes(png("star.png", 5, 3, 0xFFFFFF00u));
    write("pictures.bin", imageList({{"star", star}}));
    // Every item declares its own pictures; the list is read again for the nested one.
    write("menu.dat",
          sceneText({"<images> pictures.bin", "<sprites>", "play Sprite star 10 20", "quit Sprite star 10 60"}));
    write("Mentarium.dat", sceneText({
                               "; title screen",
                               "<images>",
                               "logo +logo|+logo_mask",
                               "pictures.bin",
                               "<sounds>",
                               "click *theme intro.mod",
                               "<strings>",
                               "Play Quit",
                               "<data>",
                               "3 5 8",
                               "<sprites>",
                               "title Sprite logo 120 40",
                               "menu DialogSprite:menu.dat 0 0",
                               "<end>",
                               "after Sprite logo 1 1",
                           }));
    packArchive({"logo", "logo_mask"});

    Held<CountingListener> listener(new CountingListener());
    DataLoader* loader = new DataLoader(dir.path().c_str(), listener.get(), nullptr);
    int expected = loader->countItems("Mentarium.dat");
    ASSERT_TRUE(loader->load("Mentarium.dat"));
    // 2 picture entries, 3 sounds and 2 sprites here; 1 picture entry and 2 sprites in menu.dat.
    EXPECT_EQ(expected, 10);
    EXPECT_EQ(listener->steps, 10);

    ASSERT_EQ(loader->getSprites()->size(), 2);
    Sprite* title = named(*loader, "title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title, spriteAt(*loader, 0));
    EXPECT_EQ(title->getX(), 120);
    EXPECT_EQ(title->getY(), 40);
    ASSERT_NE(title->getImage(), nullptr);
    EXPECT_STREQ(title->getImage()->getName()->c_str(), "+logo|+logo_mask");
    EXPECT_EQ(title->getWidth(), 16);

    auto* menu = dynamic_cast<DialogSprite*>(named(*loader, "menu"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->childCount(), 2);
    Sprite* play = menu->findChild("play");
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->getY(), 20);
    ASSERT_NE(play->getImage(), nullptr);
    EXPECT_EQ(play->getWidth(), 5);  // the picture from the image list
    EXPECT_EQ(play->getHeight(), 3);
    EXPECT_EQ(named(*loader, "play"), nullptr);  // nested names stay with the container

    ASSERT_EQ(loader->getStrings()->length(), 2);
    EXPECT_STREQ(loader->getStrings()->at(0)->c_str(), "Play");
    EXPECT_STREQ(loader->getStrings()->at(1)->c_str(), "Quit");
    ASSERT_EQ(loader->getData()->length(), 3);
    EXPECT_EQ((*loader->getData())[2], 8);
    ASSERT_EQ(loader->getSounds()->length(), 3);
    auto* click = static_cast<window::AudioClip*>((*loader->getSounds())[0]);
    auto* theme = static_cast<window::AudioClip*>((*loader->getSounds())[1]);
    auto* intro = static_cast<window::AudioClip*>((*loader->getSounds())[2]);
    EXPECT_EQ(std::string(click->getName().c_str()), dir.file("click"));
    EXPECT_EQ(click->getKind(), 0);
    EXPECT_EQ(std::string(theme->getName().c_str()), dir.file("theme"));
    EXPECT_EQ(theme->getKind(), 1);
    EXPECT_EQ(std::string(intro->getName().c_str()), dir.file("intro.mod"));
    EXPECT_EQ(intro->getKind(), 2);

    // The results outlive the loader for holders that took references.
    util::Vector* sprites = loader->getSprites();
    sprites->addRef();
    loader->release();
    EXPECT_EQ(sprites->size(), 2);
    sprites->release();
}

TEST_F(SceneLoad, MarkersAreReadWithoutRegardToCase) {
    write("s.dat", sceneText({"<DATA> 4 -7 2.9 -2.9", "<Sprites>", "a Sprite 1 2", "<END>", "b Sprite 3 4"}));
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    ASSERT_TRUE(loader->load("s.dat"));
    ASSERT_EQ(loader->getData()->length(), 4);
    EXPECT_EQ((*loader->getData())[1], -7);
    EXPECT_EQ((*loader->getData())[2], 2);  // truncated toward zero
    EXPECT_EQ((*loader->getData())[3], -2);
    EXPECT_EQ(loader->getSprites()->size(), 1);
}

TEST_F(SceneLoad, UnregisteredClassDropsTheLineButWasCounted) {
    write("s.dat", sceneText({"<sprites>", "ghost NoSuchClass pic 1 2", "real Sprite 3 4"}));
    Held<CountingListener> listener(new CountingListener());
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), listener.get(), nullptr));
    EXPECT_EQ(loader->countItems("s.dat"), 2);
    ASSERT_TRUE(loader->load("s.dat"));
    EXPECT_EQ(listener->steps, 1);
    EXPECT_EQ(listener->offers, 2);
    ASSERT_EQ(loader->getSprites()->size(), 1);
    EXPECT_EQ(named(*loader, "ghost"), nullptr);
    EXPECT_NE(named(*loader, "real"), nullptr);
}

TEST_F(SceneLoad, TheCanvasCountsLoadingAsDoneEvenWhenLinesWereDropped) {
    // The window shows the loading screen until the done steps reach the count;
    // a dropped line must not keep it there for ever.
    write("s.dat", sceneText({"<sprites>", "ghost NoSuchClass pic 1 2", "real Sprite 3 4"}));
    Held<sprite::GameCanvas2> canvas(new sprite::GameCanvas2());
    canvas->initialise(dir.path().c_str(), nullptr, "s.dat", -1);
    ASSERT_TRUE(canvas->loadScene());
    EXPECT_EQ(canvas->getLoadingTotal(), 2);
    EXPECT_EQ(canvas->getLoadingDone(), 2);
    EXPECT_TRUE(canvas->isLoadingComplete());
}

TEST_F(SceneLoad, ListenerMayOfferItsOwnSprite) {
    write("s.dat", sceneText({"<sprites>", "mine Offered 1 2"}));
    Held<CountingListener> listener(new CountingListener());
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), listener.get(), nullptr));
    ASSERT_TRUE(loader->load("s.dat"));
    Sprite* mine = named(*loader, "mine");
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(mine->getX(), 0);  // the listener's sprite is taken as it is
}

TEST_F(SceneLoad, EmptyQuotedPictureLeavesAnEmptySlotAndQuotedNamesMayBeEmpty) {
    write("s.dat", sceneText({"<images> a +a", "<sprites>", "r RecordingSprite a \"\" a 5 6 7", "\"\" Sprite 1 1"}));
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    ASSERT_TRUE(loader->load("s.dat"));
    auto* r = dynamic_cast<RecordingSprite*>(named(*loader, "r"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->pictureCount, 3);
    EXPECT_NE(r->slots[0], nullptr);
    EXPECT_EQ(r->slots[1], nullptr);
    EXPECT_EQ(r->slots[2], r->slots[0]);  // one declared picture, used twice
    EXPECT_EQ(r->numberCount, 3);
    ASSERT_EQ(loader->getSprites()->size(), 2);
    EXPECT_TRUE(spriteAt(*loader, 1)->getName().isEmpty());
    EXPECT_EQ(loader->getNames()->size(), 1);
}

TEST_F(SceneLoad, UndeclaredPicturesComeFromTheArchiveWithTheirAutomask) {
    png("btn", 4, 4, 0xFF00FF00u);
    png("btn_automask", 4, 4, 0xFF000000u);
    write("s.dat", sceneText({"<sprites>", "b Sprite btn 1 1", "c Sprite nothing 2 2"}));
    packArchive({"btn", "btn_automask"});
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    ASSERT_TRUE(loader->load("s.dat"));
    EXPECT_STREQ(named(*loader, "b")->getImage()->getName()->c_str(), "+btn|+btn_automask");
    // Neither declared nor packed: still a picture object, which fails only when decoded.
    ASSERT_NE(named(*loader, "c")->getImage(), nullptr);
    EXPECT_STREQ(named(*loader, "c")->getImage()->getName()->c_str(), "+nothing");
}

TEST_F(SceneLoad, PictureSpecificationsResolveArchiveStoreAndFiles) {
    write("s.dat", sceneText({"<images>", "a +item", "b @stored", "c sub\\pic.png", "d x.png|+m", "<sprites>",
                              "ra Sprite a 0 0", "rb Sprite b 0 0", "rc Sprite c 0 0", "rd Sprite d 0 0"}));
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    ASSERT_TRUE(loader->load("s.dat"));
    EXPECT_STREQ(named(*loader, "ra")->getImage()->getName()->c_str(), "+item");
    EXPECT_STREQ(named(*loader, "rb")->getImage()->getName()->c_str(), "+stored");  // no store: the archive
    EXPECT_EQ(std::string(named(*loader, "rc")->getImage()->getName()->c_str()), dir.path() + "/sub/pic.png");
    EXPECT_EQ(std::string(named(*loader, "rd")->getImage()->getName()->c_str()), dir.path() + "/x.png|+m");
}

TEST_F(SceneLoad, DuplicateNamesGiveOneMessageAndTheLaterSpriteWins) {
    write("dup.dat", sceneText({"<sprites>", "same Sprite 1 1", "same Sprite 2 2", "other Sprite 3 3"}));
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    testing::internal::CaptureStderr();
    ASSERT_TRUE(loader->load("dup.dat"));
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(messages, "Duplicate name in dup.dat"), 1) << messages;
    EXPECT_EQ(loader->getSprites()->size(), 3);
    EXPECT_EQ(named(*loader, "same"), spriteAt(*loader, 1));
    EXPECT_EQ(loader->getNames()->size(), 2);
}

TEST_F(SceneLoad, ExactlyFiveHundredNumbersEndTheLoad) {
    std::string numbers = "<data>";
    for (int i = 0; i < 500; ++i) numbers += " " + std::to_string(i);
    write("full.dat", sceneText({numbers.c_str(), "<sprites>", "late Sprite 1 1"}));
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    ASSERT_TRUE(loader->load("full.dat"));
    ASSERT_EQ(loader->getData()->length(), 500);
    EXPECT_EQ((*loader->getData())[499], 499);
    EXPECT_EQ(loader->getSprites()->size(), 0);

    std::string fewer = "<data>";
    for (int i = 0; i < 499; ++i) fewer += " 1";
    write("less.dat", sceneText({fewer.c_str(), "<sprites>", "late Sprite 1 1"}));
    ASSERT_TRUE(loader->load("less.dat"));
    EXPECT_EQ(loader->getData()->length(), 499);
    EXPECT_EQ(loader->getSprites()->size(), 1);
}

TEST_F(SceneLoad, ThousandsOfNumbersStopAtTheLimit) {
    std::string numbers = "<data>";
    for (int i = 0; i < 5000; ++i) numbers += " 7";
    write("big.dat", numbers);
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    ASSERT_TRUE(loader->load("big.dat"));
    EXPECT_EQ(loader->getData()->length(), 500);
}

TEST_F(SceneLoad, FailedNestedItemLeavesTheContainerEmptyAndTheLoadGoesOn) {
    write("outer.dat", sceneText({"<sprites>", "box DialogSprite:missing.dat 0 0 10 10", "next Sprite 5 5"}));
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    testing::internal::CaptureStderr();
    ASSERT_TRUE(loader->load("outer.dat"));
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("Error Opening"), std::string::npos) << messages;
    auto* box = dynamic_cast<DialogSprite*>(named(*loader, "box"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->childCount(), 0);
    EXPECT_EQ(box->getNamedChildren(), nullptr);  // onLoaded was not called
    EXPECT_NE(named(*loader, "next"), nullptr);
}

TEST_F(SceneLoad, AnItemThatLoadsItselfIsRefusedWithAMessage) {
    write("self.dat", sceneText({"<sprites>", "a DialogSprite:self.dat 0 0 5 5", "b DialogSprite:self.dat 0 0 5 5"}));
    Held<CountingListener> listener(new CountingListener());
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), listener.get(), nullptr));
    testing::internal::CaptureStderr();
    int counted = loader->countItems("self.dat");
    ASSERT_TRUE(loader->load("self.dat"));
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(counted, 2);
    EXPECT_NE(messages.find("loads itself"), std::string::npos) << messages;
    EXPECT_EQ(loader->getSprites()->size(), 2);
    EXPECT_EQ(static_cast<DialogSprite*>(named(*loader, "a"))->childCount(), 0);
}

TEST_F(SceneLoad, DeepChainsOfItemsStopAtTheNestingLimit) {
    for (int i = 0; i < 20; ++i) {
        std::string line = "c DialogSprite:n" + std::to_string(i + 1) + ".dat 0 0 5 5";
        write("n" + std::to_string(i) + ".dat", sceneText({"<sprites>", line.c_str()}));
    }
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    testing::internal::CaptureStderr();
    ASSERT_TRUE(loader->load("n0.dat"));
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("nested too deeply"), std::string::npos) << messages;
    int depth = 0;
    for (auto* c = static_cast<DialogSprite*>(named(*loader, "c")); c && c->childCount() > 0;
         c = static_cast<DialogSprite*>(c->childAt(0)))
        ++depth;
    EXPECT_EQ(depth, DataLoader::MAX_NESTING);
}

TEST_F(SceneLoad, MissingItemAndGarbageEndCleanly) {
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loader->load("absent.dat"));
    EXPECT_EQ(loader->countItems("absent.dat"), 0);
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("Error: Error Opening"), std::string::npos) << messages;

    std::vector<uint8_t> garbage;
    for (int i = 0; i < 4000; ++i) garbage.push_back(static_cast<uint8_t>((i * 7919) >> 3));
    write("garbage.dat", garbage);
    testing::internal::CaptureStderr();
    loader->load("garbage.dat");
    testing::internal::GetCapturedStderr();

    write("quote.dat", "<sprites> a Sprite \"never closed 1 2");
    EXPECT_TRUE(loader->load("quote.dat"));
    EXPECT_EQ(loader->getSprites()->size(), 0);
}

TEST_F(SceneLoad, SoundWordsOfTwoCharactersAreSkippedAndNotCounted) {
    write("s.dat", sceneText({"<sounds> ab +beep *long.ogg x.xm"}));
    Held<CountingListener> listener(new CountingListener());
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), listener.get(), nullptr));
    EXPECT_EQ(loader->countItems("s.dat"), 3);
    ASSERT_TRUE(loader->load("s.dat"));
    ASSERT_EQ(loader->getSounds()->length(), 3);
    EXPECT_EQ(listener->steps, 3);
    auto* beep = static_cast<window::AudioClip*>((*loader->getSounds())[0]);
    auto* stream = static_cast<window::AudioClip*>((*loader->getSounds())[1]);
    auto* song = static_cast<window::AudioClip*>((*loader->getSounds())[2]);
    EXPECT_STREQ(beep->getName().c_str(), "+beep");  // archive items keep their name
    EXPECT_EQ(beep->getKind(), 0);
    EXPECT_EQ(std::string(stream->getName().c_str()), dir.file("long.ogg"));
    EXPECT_EQ(stream->getKind(), 1);
    EXPECT_EQ(song->getKind(), 2);
}

TEST_F(SceneLoad, CountingThenLoadingReadsTheSameItemTwice) {
    write("s.dat", sceneText({"<sprites>", "a Sprite 1 1", "b Sprite 2 2"}));
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    EXPECT_EQ(loader->countItems("s.dat"), 2);
    ASSERT_TRUE(loader->load("s.dat"));
    EXPECT_EQ(loader->getSprites()->size(), 2);
    ASSERT_TRUE(loader->load("s.dat"));  // a second load starts afresh
    EXPECT_EQ(loader->getSprites()->size(), 2);
}

TEST_F(SceneLoad, StoredValuesRedirectPicturesAndBadFilesFallBackToTheArchive) {
    testsupport::ScopedEnv profile("MENTARIUM_PROFILE", dir.file("profile.sqlite").c_str());
    Held<sprite::User> user(new sprite::User());
    user->open("Cogniquilt");
    user->setString("face", "+other");
    user->setString("photo", "nothere.png");
    write("s.dat", sceneText({"<images> a @face b @photo c @plain", "<sprites>", "ra Sprite a 0 0", "rb Sprite b 0 0",
                              "rc Sprite c 0 0"}));
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, user.get()));
    ASSERT_TRUE(loader->load("s.dat"));
    EXPECT_STREQ(named(*loader, "ra")->getImage()->getName()->c_str(), "+other");
    EXPECT_STREQ(named(*loader, "rb")->getImage()->getName()->c_str(), "+photo");
    EXPECT_STREQ(named(*loader, "rc")->getImage()->getName()->c_str(), "+plain");
}

TEST_F(SceneLoad, HiddenContainersGetPicturesThatDecodeOnFirstUse) {
    png("btn", 6, 4, 0xFF00FF00u);
    write("inner.dat", sceneText({"<sprites>", "p Sprite btn 1 1"}));
    write("s.dat", sceneText({"<sprites>", "hidden DialogSprite:inner.dat 0 0 10 10 0 0",
                              "shown DialogSprite:inner.dat 0 0 10 10 0 1"}));
    packArchive({"btn"});
    bool wasImmediate = window::Image::decodeImmediately();
    window::Image::setDecodeImmediately(false);
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    bool loaded = loader->load("s.dat");
    bool countBalanced = window::Image::canDecodeNow();  // with the flag off: no load still counted
    window::Image::setDecodeImmediately(wasImmediate);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(countBalanced);

    Sprite* lazy = static_cast<DialogSprite*>(named(*loader, "hidden"))->findChild("p");
    Sprite* eager = static_cast<DialogSprite*>(named(*loader, "shown"))->findChild("p");
    ASSERT_NE(lazy, nullptr);
    ASSERT_NE(eager, nullptr);
    EXPECT_EQ(lazy->getWidth(), 6);  // the size is known at once
    EXPECT_FALSE(lazy->getImage()->hasPixels());
    EXPECT_TRUE(eager->getImage()->hasPixels());
    EXPECT_NE(lazy->getImage()->getPixels(), nullptr);  // decoded on first use
}

TEST_F(SceneLoad, UnixLineEndsEndCommentsAndKeepQuotedLineBreaksWhole) {
    write("unix.dat",
          "; a comment line\n<strings>\n\"two\nlines\" ; trailing comment\nnext\n"
          "<sprites>\n; between lines\na Sprite 1 2\n");
    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    ASSERT_TRUE(loader->load("unix.dat"));
    ASSERT_EQ(loader->getStrings()->length(), 2);
    EXPECT_STREQ(loader->getStrings()->at(0)->c_str(), "two\r\nlines");
    EXPECT_STREQ(loader->getStrings()->at(1)->c_str(), "next");
    EXPECT_EQ(loader->getSprites()->size(), 1);
}

// A game's own scene loads whole or not at all: the first archive item it names
// that is missing or does not decode, nested items included, ends the load with
// one message naming the archive and the item.
TEST_F(SceneLoad, AWholeSceneEndsAtItsFirstBadItemWithOneMessage) {
    png("good", 4, 4, 0xFF00FF00u);
    write("bad", std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0});
    write("inner.dat", sceneText({"<sprites>", "p Sprite bad 1 1", "q Sprite absent 1 1"}));
    write("s.dat", sceneText({"<sounds> +nosound", "<sprites>", "g Sprite good 0 0",
                              "box DialogSprite:inner.dat 0 0 10 10 0 0"}));
    packArchive({"good", "bad"});
    std::string archive = lang::ResourceFile::getChain()->getHeader()->getPath().c_str();

    Held<DataLoader> lenient(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    EXPECT_TRUE(lenient->load("s.dat"));  // other uses keep what loads

    Held<DataLoader> loader(new DataLoader(dir.path().c_str(), nullptr, nullptr));
    loader->requireWholeScene();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loader->load("s.dat"));
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(messages, "Error: "), 1) << messages;
    EXPECT_STREQ(loader->getFault().c_str(),
                 ("Damaged archive " + archive + ": item \"nosound\" named by the scene is missing").c_str());

    write("t.dat", sceneText({"<sprites>", "g Sprite good 0 0", "box DialogSprite:inner.dat 0 0 10 10 0 0"}));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loader->load("t.dat"));
    messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(messages, "Error: "), 1) << messages;
    EXPECT_STREQ(loader->getFault().c_str(),
                 ("Damaged archive " + archive + ": item \"bad\" named by the scene does not decode").c_str());
}
