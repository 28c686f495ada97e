#include "game/GameBase.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "game/ColourPalette.h"
#include "game/DailyTestRun.h"
#include "game/HostNotifier.h"
#include "game/MentariumCanvas.h"
#include "game/ProgressRecord.h"
#include "game/StartGameSwipe.h"
#include "lang/ObjectArray.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/AnimateSprite.h"
#include "sprite/DataLoader.h"
#include "sprite/NumberSprite.h"
#include "util/Vector.h"
#include "window/Image.h"
#include "window/KeyCodes.h"

namespace {

constexpr int kGroups = 18;
constexpr int kPairs = 5;
constexpr int kTableSizes[4] = {GameBase::TableASize, GameBase::PairTableSize, GameBase::PairTableSize,
                                GameBase::PairTableSize};
constexpr int kIndicatorFrames = 8;
constexpr int kIndicatorFadeSteps = 6;
constexpr int kShownAlpha = 128;
constexpr int kTimerShakeFrames = 6;
constexpr int kTimerShakeRange = 3;
constexpr int kShakenTicksBeforeResult = 37;
constexpr int kTickSoundBelow = 11;
constexpr int kStars = 4;

std::mutex sharedTilesLock;
// The four tables, then table A's twin in the colour-blind palette.
constexpr int kSafeTableA = 4;
window::Image* sharedTables[5][GameBase::TableASize] = {};
bool sharedTilesLoaded = false;

window::Image* loadTile(const char* prefix, int a, int b) {
    lang::String name(prefix);
    name.append(a);
    if (b >= 0) name.append("_").append(b);
    return new window::Image(name);
}

}  // namespace

MENTARIUM_DEFINE_METACLASS(GameBase)

GameBase::GameBase() = default;

GameBase::~GameBase() {
    for (window::Image*& t : tiles_)
        if (t) t->release();
}

// --- shared tiles ---

void GameBase::loadSharedTiles() {
    std::lock_guard<std::mutex> hold(sharedTilesLock);
    if (sharedTilesLoaded) return;
    int k = 0;
    for (int i = 1; i <= kGroups; ++i)
        for (int j = 1; j <= 4; ++j) {
            sharedTables[kSafeTableA][k] = loadTile("+iTileFaceFourSafe_", i, j);
            sharedTables[TableA][k++] = loadTile("+iTileFaceFour_", i, j);
        }
    k = 0;
    for (int i = 1; i <= kPairs; ++i)
        for (int j = 1; j <= 2; ++j) {
            sharedTables[TableB][k] = loadTile("+iTileFaceTwoNormal_", i, j);
            sharedTables[TableC][k++] = loadTile("+iTileFaceTwoLetters_", i, j);
        }
    for (int d = 0; d < 10; ++d) sharedTables[TableD][d] = loadTile("+iTileNumber", d, -1);
    sharedTilesLoaded = true;
}

void GameBase::releaseSharedTiles() {
    std::lock_guard<std::mutex> hold(sharedTilesLock);
    for (auto& table : sharedTables)
        for (window::Image*& picture : table) {
            if (picture) picture->release();
            picture = nullptr;
        }
    sharedTilesLoaded = false;
}

window::Image* GameBase::sharedTile(Table table, int index) {
    // Table A's motifs differ by colour within a group: they follow the palette.
    const int source = table == TableA && ColourPalette::current() == ColourPalette::ColourBlind ? kSafeTableA : table;
    return sharedTables[source][std::clamp(index, 0, kTableSizes[table] - 1)];
}

window::Image* GameBase::tile(int index) const { return tiles_[std::clamp(index, 0, TileTableSize - 1)]; }

void GameBase::addTile(window::Image* picture) {
    if (tileCount_ >= TileTableSize) return;
    if (picture) picture->addRef();
    tiles_[tileCount_++] = picture;
}

// --- set-up ---

void GameBase::onLoaded(sprite::DataLoader* loader) {
    DialogSprite::onLoaded(loader);
    loadSharedTiles();
    if (lang::IntArray* numbers = loader ? loader->getData() : nullptr; numbers && numbers->length() > 0)
        setParameters(*numbers);
}

void GameBase::setParameters(const lang::IntArray& numbers) { parameters_.copyFrom(numbers); }

MentariumCanvas* GameBase::canvas() { return MentariumCanvas::current(); }

bool GameBase::inDailyTest() const {
    MentariumCanvas* c = canvas();
    return c && c->isDailyTestMode();
}

bool GameBase::growWithLevel(int& value, int& level, int start, int largest, int levelPerStep, int step) {
    int k = levelPerStep > 0 ? level / levelPerStep : 0;  // a zero step size never grows
    if (k <= 0) return false;
    value = std::min(step * k + start, largest);
    level %= levelPerStep;
    return true;
}

sprite::Sprite* GameBase::spriteOf(util::Vector* sprites, int i) {
    if (sprites == nullptr || i < 0 || i >= sprites->size()) return nullptr;
    return static_cast<sprite::Sprite*>(sprites->elementAt(i));
}

bool GameBase::playingIn(std::initializer_list<int> phases) const {
    MentariumCanvas* c = canvas();
    return c && c->getState() == MentariumCanvas::StatePlaying &&
           std::find(phases.begin(), phases.end(), phase_) != phases.end();
}

int GameBase::testRank() const {
    MentariumCanvas* c = canvas();
    return c && c->getProgress() ? c->getProgress()->currentRank() : 0;
}

int GameBase::difficulty() const {
    MentariumCanvas* c = canvas();
    return c ? std::clamp(c->getDifficulty(), 0, 2) : 1;
}

void GameBase::playSound(int index) {
    if (MentariumCanvas* c = canvas()) c->playSound(index);
}

sprite::Sprite* GameBase::part(const char* childName) const { return findChild(lang::String(childName)); }

sprite::AnimateSprite* GameBase::animated(const char* childName) const {
    return dynamic_cast<sprite::AnimateSprite*>(part(childName));
}

sprite::NumberSprite* GameBase::number(const char* childName) const {
    return dynamic_cast<sprite::NumberSprite*>(part(childName));
}

// --- play ---

int GameBase::startLevelFor(int rank) const {
    int level = param(ParamTestStartLevelBy + rank);
    if (bonusGame_) level = param(ParamBonusGameLevel);
    else if (rank >= HighRank)
        level = param(ParamHighRankStartLevel) + (rank - HighRank) * param(ParamHighRankLevelStep);
    return std::max(level, 1);
}

void GameBase::startGame() {
    ObjectLock hold(this, true);
    HostNotifier::send(MENTARIUM_NOTIFY_PLAY_START);
    clearTiles();
    turnEnded_ = false;
    if (part("star1"))
        for (const char* star : {"star1", "star2", "star3", "star4"}) part(star)->setVisible(false);
    score_ = 0;
    wrongAnswers_ = 0;
    bool test = inDailyTest();
    if (sprite::Sprite* bar = part("STARBAROVERLAY")) bar->setVisible(test);
    if (sprite::Sprite* shown = part("Score")) shown->setVisible(!test);
    MentariumCanvas* c = canvas();
    DailyTestRun* run = c ? c->getDailyTest() : nullptr;
    // The bonus treatment climbs the start levels of ranks 0 .. 11; from rank 12
    // on the bonus game starts like any other.
    bonusGame_ = test && run && run->bonusGame() >= 0 && run->bonusGame() == gameIndex_ && testRank() < BonusRankLimit;
    bonusCounter_ = 0;
    timeLeft_ = PlaySeconds;
    if (sprite::Sprite* timer = part("Timer")) timer->translate(-timerOffsetX_, -timerOffsetY_);
    timerOffsetX_ = timerOffsetY_ = 0;
    showTime(PlaySeconds);
    timerShaking_ = false;
    showAnswerIndicator(FeedbackNone);
    hideSuccessFailure();
    scheduleDelay_ = 0;
    indicatorFrames_ = 0;
    indicatorShown_ = false;
    if (!test) {
        startLevel_ = param(ParamPracticeStartLevelBy + difficulty());
        for (int d = 0; d < 3; ++d) keptLevels_[d] = param(ParamKeptLevelBy + d);
    } else {
        int rank = testRank();
        rankUsed_ = rank;
        startLevel_ = startLevelFor(rank);
        keptLevels_[0] = startLevelFor(rank + 1);
    }
    setLevel(startLevel_);
    multiplier_ = param(ParamStartMultiplier);
    framesPerSecond_ = c ? c->framesPerSecond() : 25;
    // Without a number of level steps the level stays where it started.
    framesPerLevelStep_ =
        param(ParamLevelStepsPerPlay) > 0 ? (PlaySeconds / param(ParamLevelStepsPerPlay)) * framesPerSecond_ : 0;
    levelStepCounter_ = 0;
    if (auto* shown = number("Score")) shown->setValue(score_);
    if (auto* swipe = c ? dynamic_cast<StartGameSwipe*>(c->screen(MentariumCanvas::ScreenStartGameSwipe)) : nullptr)
        swipe->start();
    setPhase(PhaseStarting);
}

void GameBase::stopGame() {
    ObjectLock hold(this, true);
    savedPhase_ = 0;
    scheduledPhase_ = 0;
    scheduleDelay_ = 0;
    clearTiles();
    setPhase(PhaseStopped);
}

void GameBase::clearTiles() {
    ObjectLock hold(this, true);
    for (int i = 0; i < tileCount_; ++i)
        if (tiles_[i]) tiles_[i]->release();
    std::fill(std::begin(tiles_), std::end(tiles_), nullptr);
    tileCount_ = 0;
}

void GameBase::endTurn() {
    turnEnded_ = true;
    if (sprite::Sprite* feedback = part("SuccessFailure")) {
        // Held while it moves to the front of the drawing order.
        lang::Ref<sprite::Sprite> held = lang::Ref<sprite::Sprite>::share(feedback);
        add(feedback);
    }
}

bool GameBase::isTimerRunning() {
    switch (phase_) {
    case PhaseDeal:
    case PhasePlay:
    case PhaseAnswer:
    case PhaseCorrect:
    case PhaseWrong:
    case PhaseNextTurn: return true;
    default: return false;
    }
}

void GameBase::setPhase(int phase) {
    int old = phase_;
    phase_ = phase;
    switch (phase) {
    case PhasePlay: hideSuccessFailure(); break;
    case PhasePaused:
        HostNotifier::send(MENTARIUM_NOTIFY_PAUSED);
        savedPhase_ = old;
        break;
    case PhaseResume:
        // Back to the interrupted phase without entering it again: its work
        // (scoring an answer, dealing a board) was done before the pause.
        HostNotifier::send(MENTARIUM_NOTIFY_RESUMED);
        phase_ = savedPhase_;
        break;
    case PhaseCorrect: onCorrect(); break;
    case PhaseWrong: onWrong(); break;
    case PhaseNextTurn: turnEnded_ = false; break;
    case PhaseTimeUp:
        if (MentariumCanvas* c = canvas()) c->setState(MentariumCanvas::StateGameOver);
        break;
    default: break;
    }
}

void GameBase::pause() {
    MentariumCanvas* c = canvas();
    int state = c ? c->getState() : MentariumCanvas::StatePlaying;
    if (isVisible() && (state == MentariumCanvas::StatePlaying || state == MentariumCanvas::StateGameOver))
        setPhase(PhasePaused);
}

void GameBase::resume() {
    MentariumCanvas* c = canvas();
    if (isVisible() && c && c->getState() == MentariumCanvas::StatePaused && phase_ == PhasePaused)
        setPhase(PhaseResume);
}

// --- level and score ---

int GameBase::getLevel() {
    MentariumCanvas* c = canvas();
    return c ? c->getStoredValue(gameIndex_) : 0;
}

void GameBase::setLevel(int value) {
    if (MentariumCanvas* c = canvas()) c->setStoredValue(gameIndex_, std::max(value, 0));
}

int GameBase::grownParam(int level, int first) const {
    int value = param(first);
    growParam(value, level, first);
    return value;
}

void GameBase::addMultiplier(int delta) { multiplier_ = std::max(multiplier_ + delta, 0); }

void GameBase::stepUpAfterSuccess() {
    if (bonusGame_) {
        setLevel(param(ParamTestStartLevelBy + bonusCounter_));
        ++bonusCounter_;
        if (getLevel() >= param(ParamTestStartLevelBy + testRank())) bonusGame_ = false;
    } else {
        setLevel(getLevel() + param(ParamSuccessStep));
    }
    addMultiplier(param(ParamSuccessStep));
}

void GameBase::stepAfterMiss() {
    setLevel(getLevel() + param(ParamLevelStep));
    addMultiplier(param(ParamLevelStep));
}

void GameBase::finishTurn(bool right, int delay) {
    showSuccessFailure(right ? FeedbackRight : FeedbackWrong);
    if (right) stepUpAfterSuccess();
    else
        stepAfterMiss();
    scheduleNextPhase(PhaseNextTurn, delay);
}

void GameBase::oneAnswerTurn(int phase) {
    constexpr int kNextTurnFrames = 12;
    switch (phase) {
    case PhaseDeal:
        hideSuccessFailure();
        endTurn();
        scheduleNextPhase(PhaseAnswer, 1);
        break;
    case PhasePlay: scheduleNextPhase(PhaseDeal, 1); break;
    case PhaseCorrect: finishTurn(true, 1); break;
    case PhaseWrong: finishTurn(false, 1); break;
    case PhaseNextTurn: scheduleNextPhase(PhaseDeal, kNextTurnFrames); break;
    default: break;
    }
}

void GameBase::scheduleNextPhase(int phase, int delay) {
    MentariumCanvas* c = canvas();
    if (!isVisible() || c == nullptr || c->getState() != MentariumCanvas::StatePlaying || phase_ == PhasePaused) return;
    scheduledPhase_ = phase;
    scheduleDelay_ = delay;
}

void GameBase::onCorrect() {
    showAnswerIndicator(FeedbackRight);
    const int base = param(ParamBasePoints), numerator = param(ParamPointsRatioNumerator),
              denominator = param(ParamPointsRatioDenominator);
    float ratio = denominator != 0 ? static_cast<float>(numerator) / static_cast<float>(denominator) : 0.0f;
    int points = ratio > 0 ? static_cast<int>(multiplier_ * base * ratio) : multiplier_ * base;
    addPoints(std::max(points, 1));
}

void GameBase::onWrong() {
    showAnswerIndicator(FeedbackWrong);
    startTimerShake();
    ++wrongAnswers_;
}

void GameBase::addPoints(int points) {
    score_ += points;
    int rank = testRank();
    if (inDailyTest() && rank > HighRank)
        score_ += static_cast<int>((static_cast<float>(param(ParamHighRankPointsTenths)) / 10.0f) *
                                   param(ParamSuccessStep) * (rank - HighRank));
    if (auto* shown = number("Score")) shown->setValue(scaledScore(shown->getValue() + points));
    if (inDailyTest()) showStars();
}

int GameBase::scaledScore(int value) {
    int tenths;
    if (!inDailyTest()) {
        tenths = param(ParamPracticeResultTenthsBy + difficulty());
    } else {
        int rank = rankUsed_ >= 0 ? rankUsed_ : testRank();
        tenths = rank < HighRank ? param(ParamTestResultTenthsBy + rank) : param(ParamHighRankResultTenths);
    }
    float factor = static_cast<float>(tenths) / 10.0f;
    if (factor > 1.0f) return static_cast<int>(static_cast<float>(score_) * factor);
    return value;
}

void GameBase::showStars() {
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    if (record == nullptr) return;
    double share = record->rankThreshold(record->rankAtTestStart() + 1) / 6.0;
    double scaled = scaledScore(score_);
    const double bars[kStars] = {share / 6.5, share / 2.3, share, share + share / 3};
    const char* names[kStars] = {"star1", "star2", "star3", "star4"};
    for (int i = 0; i < kStars; ++i)
        if (scaled > bars[i])
            if (sprite::Sprite* star = part(names[i])) star->setVisible(true);
}

// --- feedback ---

void GameBase::showAnswerIndicator(int kind) {
    for (const char* name : {"AnswerIndicator", "AnswerIndicator2"}) {
        sprite::AnimateSprite* indicator = animated(name);
        if (indicator == nullptr) continue;
        if (kind < 0) {
            indicator->setVisible(false);
            continue;
        }
        indicator->setFrame(kind);
        indicator->setVisible(true);
        indicator->fadeTo(kShownAlpha, 1, false);
    }
    if (kind >= 0) {
        indicatorFrames_ = kIndicatorFrames;
        indicatorShown_ = true;
    }
}

void GameBase::showSuccessFailure(int kind) {
    if (sprite::AnimateSprite* feedback = animated("SuccessFailure")) {
        feedback->setFrame(kind);
        feedback->setVisible(true);
    }
    if (kind == FeedbackRight) playSound(MentariumCanvas::SoundSuccess);
    else if (kind == FeedbackWrong)
        playSound(MentariumCanvas::SoundFailure);
}

void GameBase::hideSuccessFailure() {
    if (sprite::Sprite* feedback = part("SuccessFailure")) feedback->setVisible(false);
}

void GameBase::showTime(int seconds) {
    sprite::NumberSprite* timer = number("Timer");
    if (timer == nullptr || timer->getValue() == seconds) return;
    // A new value puts the number back at its anchor; the shake's
    // displacement goes on top again so that it can be undone exactly.
    timer->translate(-timerOffsetX_, -timerOffsetY_);
    timer->setValue(seconds);
    timer->translate(timerOffsetX_, timerOffsetY_);
}

void GameBase::startTimerShake() {
    timerShaking_ = true;
    timerShakeFrames_ = kTimerShakeFrames;
    timerShakeStep();
}

void GameBase::timerShakeStep() {
    sprite::Sprite* timer = part("Timer");
    if (timer == nullptr) return;
    int a = random_.nextInt(kTimerShakeRange), b = random_.nextInt(kTimerShakeRange);
    int dx = -timerOffsetX_ - a, dy = -timerOffsetY_ - b;
    timer->translate(dx, dy);
    timerOffsetX_ += dx;
    timerOffsetY_ += dy;
}

// --- shuffles ---

void GameBase::shuffleTiles() {
    for (int i = 0; i < tileCount_; ++i) std::swap(tiles_[i], tiles_[random_.nextInt(tileCount_ - 1)]);
}

void GameBase::shuffle(int* array, int n) {
    for (int i = 0; i < n; ++i) std::swap(array[i], array[random_.nextInt(n - 1)]);
}

void GameBase::shuffleSprites(util::Vector* sprites) {
    if (sprites == nullptr) return;
    ObjectLock hold(sprites, true);
    int n = sprites->size();
    if (n == 0) return;
    lang::ObjectArray order(n);
    sprites->copyInto(order);  // one reference each: kept alive while the vector is refilled
    for (int i = 0; i < n; ++i) std::swap(order[i], order[random_.nextInt(n - 1)]);
    sprites->removeAllElements();
    for (int i = 0; i < n; ++i) {
        sprites->addElement(order[i]);
        order[i]->release();
    }
}

int GameBase::randomNotIn(int max, const int* list, int n) {
    // Every number may be taken: the caller would wait for ever. Answer -1 instead.
    if (max <= 0 || n >= max) {
        bool full = max <= 0;
        for (int v = 0; !full && v < max; ++v) full = std::find(list, list + n, v) != list + n;
        if (full) return -1;
    }
    for (;;) {
        int v = random_.nextInt(max - 1);
        if (std::find(list, list + n, v) == list + n) return v;
    }
}

// --- tiles of a turn ---

void GameBase::addGroupPairs(int excluded, bool drawOrder) {
    int groups[kGroups];
    for (int g = 0; g < kGroups; ++g) groups[g] = g * 4;
    shuffle(groups, kGroups);
    for (int first : groups) {
        if (first == excluded) continue;
        // Two different pictures of the group, in order unless the order is drawn.
        int a = random_.nextInt(3), b = random_.nextInt(2);
        if (b >= a) ++b;
        if (a > b) std::swap(a, b);
        if (drawOrder && random_.nextInt(1) == 0) std::swap(a, b);
        addTile(sharedTile(TableA, first + a));
        addTile(sharedTile(TableA, first + b));
    }
}

void GameBase::addTablePairs(Table table, int excluded) {
    int pairs[kPairs];
    for (int p = 0; p < kPairs; ++p) pairs[p] = p * 2;
    shuffle(pairs, kPairs);
    for (int first : pairs) {
        if (first == excluded) continue;
        addTile(sharedTile(table, first));
        addTile(sharedTile(table, first + 1));
    }
}

void GameBase::buildTiles(int mode, int count) {
    ObjectLock hold(this, true);
    clearTiles();
    switch (mode) {
    case TilesOneOfEachGroup:
        for (int first = 0; first < TableASize; first += 4) addTile(sharedTile(TableA, first + random_.nextInt(3)));
        for (int first = 0; first < PairTableSize; first += 2) addTile(sharedTile(TableB, first + random_.nextInt(1)));
        break;
    case TilesGroupPairsMixed:
    case TilesGroupPairs:
    case TilesGroupPairsToo: addGroupPairs(-1, mode == TilesGroupPairsMixed); break;
    case TilesLetterPairs:
        addTablePairs(TableB, -1);
        addTablePairs(TableC, -1);
        if (count > 4 * kPairs) addGroupPairs(-1, false);
        break;
    default: break;
    }
}

// --- description ---

void GameBase::describe(std::string& text) {
    ObjectLock hold(this, true);
    auto line = [&text](const char* key, int value) { text += std::string(key) + " " + std::to_string(value) + "\n"; };
    line("visible", isVisible() ? 1 : 0);
    line("phase", phase_);
    line("score", score_);
    auto* shown = number("Score");
    line("shownscore", shown ? shown->getValue() : 0);
    line("time", timeLeft_);
    line("level", getLevel());
    line("multiplier", multiplier_);
    line("wrong", wrongAnswers_);
    sprite::AnimateSprite* indicator = animated("AnswerIndicator");
    line("indicator", indicator && indicator->isVisible() ? indicator->getFrame() : -1);
    sprite::AnimateSprite* feedback = animated("SuccessFailure");
    line("feedback", feedback && feedback->isVisible() ? feedback->getFrame() : -1);
    line("timershake", timerShaking_ ? 1 : 0);
}

// --- the frame tick ---

void GameBase::frameTick(int tick) {
    MentariumCanvas* c = canvas();
    int state = c ? c->getState() : -1;
    if (state == MentariumCanvas::StatePlaying) {
        if (scheduleDelay_ > 0 && --scheduleDelay_ == 0) setPhase(scheduledPhase_);
        if (isTimerRunning()) {
            if (framesPerSecond_ > 0 && tick % framesPerSecond_ == 0) {
                --timeLeft_;
                showTime(std::max(timeLeft_, 0));
                if (timeLeft_ < kTickSoundBelow) playSound(MentariumCanvas::SoundTick);
            }
            ++levelStepCounter_;
            if (framesPerLevelStep_ > 0 && levelStepCounter_ % framesPerLevelStep_ == 0)
                setLevel(getLevel() + param(ParamLevelStep));
            if (timeLeft_ <= 0) setPhase(PhaseTimeUp);
        }
        if (phase_ == PhaseStarting)
            if (auto* swipe = dynamic_cast<StartGameSwipe*>(c->screen(MentariumCanvas::ScreenStartGameSwipe));
                swipe == nullptr || swipe->getStage() >= StartGameSwipe::Signs)
                scheduleNextPhase(PhasePlay, 1);
        if (indicatorShown_ && --indicatorFrames_ <= 0) {
            for (const char* name : {"AnswerIndicator", "AnswerIndicator2"})
                if (sprite::AnimateSprite* indicator = animated(name)) indicator->fadeTo(0, kIndicatorFadeSteps, true);
            indicatorShown_ = false;
        }
        update(tick);
    } else if (state == MentariumCanvas::StateGameOver && c->getShakeTicks() > kShakenTicksBeforeResult &&
               phase_ != PhaseStopped) {
        if (inDailyTest()) {
            int stars = 0;
            const char* names[kStars] = {"star1", "star2", "star3", "star4"};
            for (int n = kStars; n >= 1 && stars == 0; --n)
                if (sprite::Sprite* star = part(names[n - 1]); star && star->isVisible()) stars = n;
            c->addGameStars(stars);
        }
        score_ = scaledScore(score_);
        c->gameFinished(gameIndex_, score_);
        stopGame();
        setVisible(false);
        c->setState(MentariumCanvas::StateResults);
    }
    if (timerShaking_) {
        if (--timerShakeFrames_ <= 0) {
            if (sprite::Sprite* timer = part("Timer")) timer->translate(-timerOffsetX_, -timerOffsetY_);
            timerOffsetX_ = timerOffsetY_ = 0;
            timerShaking_ = false;
        } else {
            timerShakeStep();
        }
    }
}

bool GameBase::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (isVisible()) {
        ObjectLock hold(this, true);
        frameTick(tick);
        requestLook();  // the game's clock runs on every pass while it shows
    }
    return DialogSprite::collectDirty(tick, total, region);
}

void GameBase::setVisible(bool value) {
    if (!value) clearTiles();
    DialogSprite::setVisible(value);
}

namespace {

// Left to right; answers laid out on more than one line go line by line from
// the top, a line being the sprites that start less than half a height below
// its first.
void putInReadingOrder(std::vector<sprite::Sprite*>& sprites) {
    auto byY = [](sprite::Sprite* a, sprite::Sprite* b) { return a->getY() < b->getY(); };
    auto byX = [](sprite::Sprite* a, sprite::Sprite* b) { return a->getX() < b->getX(); };
    std::stable_sort(sprites.begin(), sprites.end(), byY);
    for (auto line = sprites.begin(); line != sprites.end();) {
        int limit = (*line)->getY() + std::max(1, (*line)->getHeight() / 2);
        auto end = std::find_if(line, sprites.end(), [limit](sprite::Sprite* s) { return s->getY() >= limit; });
        std::stable_sort(line, end, byX);
        line = end;
    }
}

}  // namespace

int GameBase::keyPressed(window::Event* event) {
    int answer = DialogSprite::keyPressed(event);
    int number = event ? window::keys::answerNumber(event->key) : 0;
    if (answer != NOT_TAKEN || number == 0) return answer;
    std::vector<sprite::Sprite*> row = answerRow();
    if (number > static_cast<int>(row.size())) return NOT_TAKEN;
    putInReadingOrder(row);
    sprite::Sprite* chosen = row[number - 1];
    // The answer is pressed where a player would click it, in the canvas's space.
    lang::Ref<window::Event> click(new window::Event(nullptr, window::Event::MouseDown, nullptr));
    click->x = getX() + chosen->getX() + chosen->getWidth() / 2;
    click->y = getY() + chosen->getY() + chosen->getHeight() / 2;
    click->count = 1;
    answer = mousePressed(click.get());
    click->kind = window::Event::MouseUp;
    int released = mouseReleased(click.get());
    return answer != NOT_TAKEN ? answer : (released != NOT_TAKEN ? released : TAKEN);
}
