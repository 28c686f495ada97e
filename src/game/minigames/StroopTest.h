#pragma once

#include "game/GameBase.h"
#include "lang/Ref.h"
#include "util/RectangleNM.h"

namespace util {
class Vector;
}
namespace window {
class Image;
}

// The colour-word game: paint buckets of different colours stand on the
// screen and a colour word is printed above them in some ink. The player
// clicks the bucket whose paint has the colour the word names, whatever the
// ink. More buckets come with the level.
class StroopTest : public GameBase {
    MENTARIUM_METACLASS(StroopTest)

public:
    static constexpr int Colours = 7;
    static constexpr int Words = 8;  // a word picture per colour of either palette
    static constexpr int MinBuckets = 2;
    static constexpr int MaxBuckets = 7;
    static constexpr int ParamBuckets = 39;  // 39-42: buckets in play, grown with the level

    StroopTest();
    ~StroopTest() override;
    MENTARIUM_CLASS(StroopTest, GameBase)

    void onLoaded(sprite::DataLoader* loader) override;
    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;
    std::vector<sprite::Sprite*> answerRow() override;

    // The rules of a turn, for the game and its tests.
    // Colour factors (red, green, blue) of a paint colour.
    static void colourFactors(int colour, int& red, int& green, int& blue);
    // Where bucket i of a turn of count buckets stands (its top-left corner).
    static void bucketPosition(int count, int i, int& x, int& y);
    // The bucket count at a level, from parameters 39-42.
    int bucketCountAt(int level) const;
    // Draws the ink bucket (never the previous one) and the word bucket of a turn.
    void drawWord(int count, int previousInk, int& ink, int& word);

    int getBucketCount() const { return bucketCount_; }
    int getInkBucket() const { return inkBucket_; }
    int getWordBucket() const { return wordBucket_; }
    int getHighlighted() const { return highlighted_; }
    int colourOf(int bucket) const { return bucket >= 0 && bucket < Colours ? colourOrder_[bucket] : -1; }
    sprite::Sprite* bucket(int i) const;
    sprite::Sprite* paint(int i) const;

private:
    int bucketAt(int lx, int ly) const;
    bool answering() const;
    void highlight(int i);
    // A clone of a prototype at a bucket place, below the highlight in the drawing
    // order; empty when the scene lacks the prototype.
    lang::Ref<sprite::Sprite> placeClone(const char* prototype, int x, int y);
    void showWord(int wordColour, int inkColour);

    int inkBucket_ = -1;
    int wordBucket_ = -1;
    int bucketCount_ = 0;
    int highlighted_ = -1;
    sprite::Sprite* highlight_ = nullptr;  // borrowed: the screen holds it
    util::RectangleNM clip_;
    lang::Ref<util::Vector> buckets_;
    lang::Ref<util::Vector> paints_;
    int colourOrder_[Colours] = {-1, -1, -1, -1, -1, -1, -1};
    lang::Ref<window::Image> words_[Words];  // loaded once
};
