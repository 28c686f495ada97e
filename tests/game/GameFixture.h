#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "game/ColourPalette.h"
#include "game/GameBase.h"
#include "game/MentariumCanvas.h"
#include "host/HostBlock.h"
#include "lang/IntArray.h"
#include "lang/ObjectLock.h"
#include "lang/ResourceFile.h"
#include "platform/PngWriter.h"
#include "sprite/SceneFixture.h"
#include "window/Event.h"
#include "window/Image.h"

namespace game_test {

// The colour-blind palette for one test; the house palette again after it,
// as the choice is process-wide.
struct ColourBlindPalette {
    ColourBlindPalette() { ColourPalette::setCurrent(ColourPalette::ColourBlind); }
    ~ColourBlindPalette() { ColourPalette::setCurrent(ColourPalette::Normal); }
};

// The real canvas, with the sound effects it plays written down instead of
// sent to the sound engine.
class RecordingCanvas : public MentariumCanvas {
public:
    MENTARIUM_CLASS(RecordingCanvas, MentariumCanvas)
    using MentariumCanvas::playSound;
    void playSound(int index) override { sounds.push_back(index); }
    std::vector<int> sounds;
};

// Host notification codes, as the host's callback receives them.
inline std::vector<int>& hostCodes() {
    static std::vector<int> codes;
    return codes;
}

// The texts that came with the codes (empty for none), in the same order.
inline std::vector<std::string>& hostTexts() {
    static std::vector<std::string> texts;
    return texts;
}

inline void recordHostCode(intptr_t, int code, const char* text) {
    hostCodes().push_back(code);
    hostTexts().push_back(text ? text : "");
}

// A minigame outside any scene, with the numbers of its turn rules from
// position first of its parameter list on.
template <typename Game>
Game* looseGame(std::initializer_list<int> turnNumbers, int first = 39) {
    auto* game = new Game();
    lang::IntArray numbers(first + static_cast<int>(turnNumbers.size()));
    int i = first;
    for (int v : turnNumbers) numbers[i++] = v;
    game->setParameters(numbers);
    return game;
}

inline int countOf(const std::vector<int>& list, int value) {
    int n = 0;
    for (int v : list) n += v == value;
    return n;
}

// The whole game as the host starts it: the archive the build packs, a scene
// loaded into a canvas without its threads, and a host block whose callback
// records the codes. tick() runs one frame as the render thread does.
class GameFixture : public sprite_test::SceneFixture {
protected:
    void SetUp() override {
        hostCodes().clear();
        hostTexts().clear();
        block_[MENTARIUM_SLOT_CALLBACK] = reinterpret_cast<intptr_t>(&recordHostCode);
        host::HostBlock::set(block_);
        std::string archive = archivePath();
        ASSERT_FALSE(archive.empty());
        ASSERT_NE(lang::ResourceFile::open(archive.c_str()), nullptr) << archive;
    }

    // The archive of the game; the first archive of the chain answers for all items.
    virtual std::string archivePath() { return std::string(MENTARIUM_BINARY_DIR) + "/Cogniquilt.bin"; }

    // Loads a scene item the way the loader thread does; the canvas ends in the menus.
    void loadGame(const char* item = "+datfile") {
        canvas = new RecordingCanvas();
        canvas->setSize(500, 375);
        canvas->initialise(lang::String(MENTARIUM_BINARY_DIR), nullptr, lang::String(item), -1);
        ASSERT_TRUE(canvas->loadScene());
        ASSERT_EQ(canvas->getState(), MentariumCanvas::StateMenu);
        canvas->sounds.clear();
        hostCodes().clear();
    }

    void TearDown() override {
        if (canvas) canvas->release();
        canvas = nullptr;
        host::HostBlock::set(nullptr);
        SceneFixture::TearDown();
    }

    // One frame: the canvas tick and the collection of every sprite's changes;
    // the dirty region is emptied as the repaint would.
    void tick() {
        canvas->update();
        ObjectLock render(canvas->getDirtyRegion(), true);
        canvas->getDirtyRegion()->clear();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) tick();
    }
    // Ticks until the condition holds, at most limit frames; answers the frames taken or -1.
    template <typename Condition>
    int tickUntil(Condition done, int limit) {
        for (int n = 1; n <= limit; ++n) {
            tick();
            if (done()) return n;
        }
        return -1;
    }

    // A mouse event at scene coordinates, routed as the input thread routes it.
    void pointer(int kind, int x, int y) {
        auto* e = new window::Event(nullptr, kind, nullptr);
        e->x = x;
        e->y = y;
        lang::Object* object = nullptr;
        lang::String message;
        {
            ObjectLock hold(canvas, true);
            bool fire = kind == window::Event::MouseDown ? canvas->onMouseDown(e, object, message)
                        : kind == window::Event::MouseUp ? canvas->onMouseUp(e, object, message)
                                                         : canvas->onMouseMove(e, object, message);
            if (fire) canvas->onMessage(object, message);
        }
        if (object) object->release();
        e->release();
    }
    void press(int x, int y) { pointer(window::Event::MouseDown, x, y); }
    // A press and release on the middle of a sprite that lies in a screen.
    void clickOn(sprite::Sprite* screen, sprite::Sprite* s) {
        int x = screen->getX() + s->getX() + s->getWidth() / 2, y = screen->getY() + s->getY() + s->getHeight() / 2;
        pointer(window::Event::MouseDown, x, y);
        pointer(window::Event::MouseUp, x, y);
    }

    // A practice play of a game at a difficulty, started as the difficulty menu does.
    GameBase* startPractice(int game, int difficulty) {
        canvas->setDailyTestMode(false);
        canvas->selectGame(game);
        canvas->setDifficulty(difficulty);
        canvas->setState(MentariumCanvas::StatePlaying);
        return canvas->gameAt(game);
    }

    // Replaces numbers of a minigame's parameter list (position, value pairs).
    static void setParams(GameBase* game, std::initializer_list<std::pair<int, int>> changes) {
        lang::IntArray numbers(64);
        for (int i = 0; i < 64; ++i) numbers[i] = game->param(i);
        for (auto [position, value] : changes) numbers[position] = value;
        game->setParameters(numbers);
    }

    // The whole scene as the render thread composes it, kept under build/screens for review.
    void saveScreen(const char* name) {
        canvas->repaint(nullptr);
        canvas->update();
        canvas->compose();
        window::Image* frame = canvas->getFrameImage();
        ASSERT_NE(frame, nullptr);
        std::filesystem::path dir = std::filesystem::path(MENTARIUM_BINARY_DIR) / "screens";
        std::filesystem::create_directories(dir);
        EXPECT_TRUE(
            platform::writePng((dir / name).string(), frame->getPixels(), frame->getWidth(), frame->getHeight()));
    }

    // Ticks through the start signs into play.
    void untilPlay(GameBase* game) {
        ASSERT_GT(tickUntil([game] { return game->getPhase() == GameBase::PhasePlay; }, 200), 0);
    }

    RecordingCanvas* canvas = nullptr;

private:
    intptr_t block_[MENTARIUM_BLOCK_SLOTS] = {};
};

}  // namespace game_test
