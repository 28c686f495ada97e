#include "game/minigames/StroopTest.h"

#include <algorithm>
#include <string>

#include "game/ColourPalette.h"
#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "util/Vector.h"
#include "window/Event.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(StroopTest)

namespace {

constexpr int kPhaseShowWord = 2;  // timer runs: leads into answering
constexpr int kPhaseHideWord = 4;
constexpr int kNeutral = 128;

// Bucket places by bucket count (2 .. 7): the back row first, so that the
// buckets in front are drawn over those behind them.
struct Place {
    int x, y;
};
constexpr Place kPlaces[6][StroopTest::MaxBuckets] = {
    {{138, 165}, {257, 165}},
    {{81, 161}, {198, 161}, {315, 161}},
    {{110, 147}, {290, 147}, {146, 224}, {264, 224}},
    {{85, 133}, {306, 133}, {196, 155}, {130, 210}, {273, 210}},
    {{143, 120}, {260, 120}, {75, 183}, {321, 183}, {139, 243}, {259, 243}},
    {{143, 120}, {260, 120}, {75, 183}, {200, 182}, {321, 183}, {139, 243}, {259, 243}},
};

}  // namespace

StroopTest::StroopTest() = default;

StroopTest::~StroopTest() = default;

// --- the rules of a turn ---

void StroopTest::colourFactors(int colour, int& red, int& green, int& blue) {
    const ColourPalette::Factors f = ColourPalette::paint(ColourPalette::current(), colour);
    red = f.red;
    green = f.green;
    blue = f.blue;
}

void StroopTest::bucketPosition(int count, int i, int& x, int& y) {
    count = std::clamp(count, MinBuckets, MaxBuckets);
    const Place& p = kPlaces[count - MinBuckets][std::clamp(i, 0, count - 1)];
    x = p.x;
    y = p.y;
}

int StroopTest::bucketCountAt(int level) const {
    int count = grownParam(level, ParamBuckets);
    // Only 2 .. 7 buckets have places; one bucket could never take a new ink.
    return std::clamp(count, MinBuckets, MaxBuckets);
}

void StroopTest::drawWord(int count, int previousInk, int& ink, int& word) {
    ink = word = 0;
    if (count < MinBuckets) return;  // a single bucket has no other ink to draw
    do {
        ink = random_.nextInt(count - 1);
    } while (ink == previousInk);
    word = random_.nextInt(count - 1);
}

// --- set-up ---

void StroopTest::onLoaded(sprite::DataLoader* loader) {
    GameBase::onLoaded(loader);
    highlight_ = part("BucketHighlight");
    if (highlight_) highlight_->setVisible(false);
    if (sprite::Sprite* bounds = part("ClipBounds")) {
        bounds->setVisible(false);
        clip_.set(bounds->getX(), bounds->getY(), bounds->getWidth(), bounds->getHeight());
    }
    for (int w = 0; w < Words; ++w)
        if (!words_[w]) words_[w].reset(new window::Image(numberedName("+iStroopText_", w)));
}

sprite::Sprite* StroopTest::bucket(int i) const { return spriteOf(buckets_.get(), i); }

sprite::Sprite* StroopTest::paint(int i) const { return spriteOf(paints_.get(), i); }

// --- a turn ---

void StroopTest::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    if (highlight_) highlight_->setVisible(false);
    highlighted_ = -1;
    for (util::Vector* sprites : {buckets_.get(), paints_.get()})
        for (int i = 0; sprites && i < sprites->size(); ++i)
            remove(static_cast<sprite::Sprite*>(sprites->elementAt(i)));
    buckets_.reset();
    paints_.reset();
    bucketCount_ = 0;
    std::fill(std::begin(colourOrder_), std::end(colourOrder_), -1);
}

lang::Ref<sprite::Sprite> StroopTest::placeClone(const char* prototype, int x, int y) {
    sprite::Sprite* source = part(prototype);
    if (source == nullptr) return {};
    lang::Ref<sprite::Sprite> copy(source->clone());
    copy->setLocation(x, y);
    if (clip_.width > 0 && clip_.height > 0) copy->setClip(&clip_);
    copy->setVisible(true);
    if (highlight_) insertBefore(copy.get(), highlight_);
    else
        add(copy.get());
    return copy;
}

void StroopTest::showWord(int wordColour, int inkColour) {
    sprite::Sprite* text = part("TextColorPrototype");
    if (text == nullptr) return;
    text->setImage(words_[ColourPalette::word(ColourPalette::current(), wordColour)].get());
    int r, g, b;
    colourFactors(inkColour, r, g, b);
    text->setColorFactors(kNeutral, r, g, b);
}

void StroopTest::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    bucketCount_ = bucketCountAt(getLevel());
    for (int c = 0; c < Colours; ++c) colourOrder_[c] = c;
    shuffle(colourOrder_, Colours);
    buckets_.reset(new util::Vector(MaxBuckets));
    paints_.reset(new util::Vector(MaxBuckets));
    for (int i = 0; i < bucketCount_; ++i) {
        int x, y;
        bucketPosition(bucketCount_, i, x, y);
        if (lang::Ref<sprite::Sprite> b = placeClone("CenterBucket", x, y)) buckets_->addElement(b.get());
        if (lang::Ref<sprite::Sprite> p = placeClone("CenterPaint", x, y)) {
            int r, g, bl;
            colourFactors(colourOrder_[i], r, g, bl);
            p->setColorFactors(kNeutral, r, g, bl);
            paints_->addElement(p.get());
        }
    }
    int ink = 0, word = 0;
    drawWord(bucketCount_, inkBucket_, ink, word);
    inkBucket_ = ink;
    wordBucket_ = word;
    showWord(colourOrder_[wordBucket_], colourOrder_[inkBucket_]);
    GameBase::endTurn();
}

void StroopTest::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    sprite::Sprite* text = part("TextColorPrototype");
    switch (phase) {
    case PhaseStarting:
        if (text) text->setVisible(false);
        break;
    case kPhaseShowWord: scheduleNextPhase(PhaseAnswer, 1); break;
    case PhasePlay:
        endTurn();
        if (text) text->setVisible(true);
        scheduleNextPhase(kPhaseShowWord, 1);
        break;
    case kPhaseHideWord:
        if (text) text->setVisible(false);
        scheduleNextPhase(kPhaseShowWord, 1);
        break;
    case PhaseCorrect: finishTurn(true, 1); break;
    case PhaseWrong: finishTurn(false, 1); break;
    case PhaseNextTurn: scheduleNextPhase(PhasePlay, 10); break;
    default: break;
    }
}

// --- input ---

int StroopTest::bucketAt(int lx, int ly) const {
    // Clipped-off parts of a bucket are not on screen and do not count.
    if (clip_.width > 0 && clip_.height > 0 && !clip_.contains(lx, ly)) return -1;
    for (int i = bucketCount_ - 1; i >= 0; --i) {
        sprite::Sprite* p = paint(i);
        sprite::Sprite* b = bucket(i);
        if ((p && p->hitTest(lx, ly)) || (b && b->hitTest(lx, ly))) return i;
    }
    return -1;
}

bool StroopTest::answering() const { return playingIn({kPhaseShowWord, PhasePlay, kPhaseHideWord, PhaseAnswer}); }

int StroopTest::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !answering()) return answer;
    int i = bucketAt(event->x - getX(), event->y - getY());
    if (i < 0) return answer;
    playSound(MentariumCanvas::SoundClick);
    setPhase(i == wordBucket_ ? PhaseCorrect : PhaseWrong);
    return TAKEN;
}

void StroopTest::highlight(int i) {
    highlighted_ = i;
    if (highlight_ == nullptr) return;
    sprite::Sprite* b = bucket(i);
    if (b == nullptr) {
        highlight_->setVisible(false);
        return;
    }
    highlight_->setLocation(b->getX(), b->getY());
    highlight_->setVisible(true);
}

bool StroopTest::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({PhaseAnswer, PhaseCorrect, PhaseWrong})) return false;
        int i = bucketAt(lx, ly);
        highlight(i);
        return i >= 0;
    });
}

// --- description: "buckets COUNT WORD INK", then "bucket I X Y W H COLOUR" in scene coordinates ---

void StroopTest::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "buckets " + std::to_string(bucketCount_) + " " + std::to_string(wordBucket_) + " " +
            std::to_string(inkBucket_) + "\n";
    text += "word " + std::to_string(colourOf(wordBucket_)) + " ink " + std::to_string(colourOf(inkBucket_)) + "\n";
    for (int i = 0; i < bucketCount_; ++i)
        if (sprite::Sprite* b = bucket(i))
            text += "bucket " + std::to_string(i) + " " + std::to_string(getX() + b->getX()) + " " +
                    std::to_string(getY() + b->getY()) + " " + std::to_string(b->getWidth()) + " " +
                    std::to_string(b->getHeight()) + " " + std::to_string(colourOrder_[i]) + "\n";
}

std::vector<sprite::Sprite*> StroopTest::answerRow() {
    ObjectLock hold(this, true);
    return shownAnswers(bucketCount_, [this](int i) { return bucket(i); });
}
