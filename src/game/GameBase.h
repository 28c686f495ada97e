#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "lang/Class.h"
#include "lang/IntArray.h"
#include "lang/ObjectLock.h"
#include "sprite/DialogSprite.h"
#include "sprite/Sprite.h"
#include "util/Random.h"
#include "window/Event.h"

namespace sprite {
class AnimateSprite;
class NumberSprite;
class Sprite;
}  // namespace sprite
namespace util {
class Vector;
}
namespace window {
class Image;
}

class MentariumCanvas;

// What every minigame shares: the 60-second countdown, the phase machine the
// games drive (start signs, play, right and wrong answers, pause, time up),
// the score and its scaling into the reported result, the level that rises
// during play, the daily test's stars, the success and failure feedback, the
// shuffles and the shared tile pictures.
class GameBase : public sprite::DialogSprite {
    // Registered by name like the concrete games, so scene data may name it.
    MENTARIUM_METACLASS(GameBase)

public:
    // Phases. The numbers are the ones the games compare, so they stay fixed.
    static constexpr int PhaseStopped = 0;
    static constexpr int PhaseStarting = 1;
    // 2, 4 and 5 are the concrete games' own steps; most games use them so:
    // 2 deals the next turn, 4 ends a preview (the timer stops), 5 waits for
    // the answer. The timer runs in 2 and 5.
    static constexpr int PhaseDeal = 2;
    static constexpr int PhasePlay = 3;
    static constexpr int PhasePreviewOver = 4;
    static constexpr int PhaseAnswer = 5;
    static constexpr int PhasePaused = 6;
    static constexpr int PhaseResume = 7;
    static constexpr int PhaseCorrect = 8;
    static constexpr int PhaseWrong = 9;
    static constexpr int PhaseNextTurn = 10;
    static constexpr int PhaseTimeUp = 11;

    // Positions in the scene's number list of every minigame; the games' own
    // parameters follow from 39. A name ending in "By" is the first of a run
    // indexed by difficulty (easy, normal, hard) or by test rank (0 to 10).
    static constexpr int ParamPracticeStartLevelBy = 0;  // 0-2
    static constexpr int ParamKeptLevelBy = 3;           // 3-5: read and kept only
    static constexpr int ParamTestStartLevelBy = 6;      // 6-16
    static constexpr int ParamStartMultiplier = 6;
    static constexpr int ParamBonusGameLevel = 6;
    static constexpr int ParamHighRankStartLevel = 16;  // ranks from 11: this ...
    static constexpr int ParamHighRankLevelStep = 17;   // ... plus this per rank above 11
    static constexpr int ParamSuccessStep = 18;         // level and multiplier step of a solved turn
    static constexpr int ParamLevelStep = 19;           // level step of the clock and of a miss
    static constexpr int ParamBasePoints = 20;
    static constexpr int ParamPointsRatioNumerator = 21;
    static constexpr int ParamPointsRatioDenominator = 22;
    static constexpr int ParamPracticeResultTenthsBy = 23;  // 23-25
    static constexpr int ParamTestResultTenthsBy = 26;      // 26-36
    static constexpr int ParamHighRankResultTenths = 36;
    static constexpr int ParamHighRankPointsTenths = 37;  // extra points of ranks above 11
    static constexpr int ParamLevelStepsPerPlay = 38;
    // A quantity that grows with the level reads a run of four parameters;
    // these are their places after the first (see growWithLevel).
    static constexpr int RunStart = 0;
    static constexpr int RunLargest = 1;
    static constexpr int RunLevelsPerStep = 2;
    static constexpr int RunStep = 3;
    static constexpr int HighRank = 11;  // the first test rank whose values are computed, not listed

    static constexpr int PlaySeconds = 60;
    // The bonus game of the daily test is treated as such only below this rank.
    static constexpr int BonusRankLimit = 12;
    static constexpr int TileTableSize = 92;
    static constexpr int TableASize = 72;
    static constexpr int PairTableSize = 10;

    // Shared tile tables.
    enum Table { TableA, TableB, TableC, TableD };
    // The modes of buildTiles, as the scene data numbers them.
    static constexpr int TilesOneOfEachGroup = 1;   // one picture of each group of A, one of each pair of B
    static constexpr int TilesGroupPairsMixed = 2;  // pairs from A's groups, each pair's order drawn
    static constexpr int TilesGroupPairs = 3;       // 3 and 4: pairs from A's groups in order
    static constexpr int TilesGroupPairsToo = 4;
    static constexpr int TilesLetterPairs = 5;  // the pairs of B and C, then A's groups past 20

    GameBase();
    ~GameBase() override;
    MENTARIUM_CLASS(GameBase, sprite::DialogSprite)

    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    void setVisible(bool value) override;
    void onLoaded(sprite::DataLoader* loader) override;
    // The keys 1 to 9 press the answers of a game answered from a row, from the
    // left, as a click on the answer's middle would.
    int keyPressed(window::Event* event) override;

    virtual void startGame();
    virtual void stopGame();
    virtual void clearTiles();
    virtual void endTurn();
    virtual bool isTimerRunning();
    virtual void setPhase(int phase);
    virtual void layoutTurn() {}  // 77: free for the games
    virtual void buildTiles(int mode, int count);
    virtual void onCorrect();
    virtual void onWrong();
    virtual void update(int frame) {}
    // Appends the play's facts as "key value" lines (see MentariumCanvas::describe).
    virtual void describe(std::string& text);
    // The shown sprites a player answers with, when the answers form a row;
    // empty for games answered otherwise (borrowed).
    virtual std::vector<sprite::Sprite*> answerRow() { return {}; }

    void pause();
    void resume();

    int getLevel();
    void setLevel(int value);
    void addMultiplier(int delta);
    // After a solved board or turn: in the daily test's bonus game the level
    // climbs the test's start levels until it reaches the player's rank, else
    // it rises by ParamSuccessStep; so does the multiplier.
    void stepUpAfterSuccess();
    // After a miss: level and multiplier move by ParamLevelStep.
    void stepAfterMiss();
    // Decides a turn: the success or failure feedback, the level and
    // multiplier steps of a right or wrong answer, and the next turn after delay frames.
    void finishTurn(bool right, int delay);
    void scheduleNextPhase(int phase, int delay);
    // The turn cycle of a game decided by one answer, after the base's phase
    // work: PhaseDeal deals (endTurn) and opens PhaseAnswer a frame later; a
    // right or wrong answer decides the turn; the next is dealt 12 frames
    // after PhaseNextTurn.
    void oneAnswerTurn(int phase);
    // Feedback kinds, which are also the frames of the feedback sprites.
    static constexpr int FeedbackNone = -1;  // hides the answer indicators
    static constexpr int FeedbackRight = 0;
    static constexpr int FeedbackWrong = 1;
    void showAnswerIndicator(int kind);
    void showSuccessFailure(int kind);
    void hideSuccessFailure();
    void shuffleTiles();
    void shuffle(int* array, int n);
    void shuffleSprites(util::Vector* sprites);
    int randomNotIn(int max, const int* list, int n);
    // Adds points to the score and shows them.
    void addPoints(int points);
    // The reported result of a raw score: the score times the factor of the
    // difficulty or test rank, when that factor is above 1.
    int scaledScore(int value);

    // Picture lookups; indices are clamped to the table.
    static window::Image* sharedTile(Table table, int index);
    window::Image* tile(int index) const;
    int tileCount() const { return tileCount_; }

    // Loads the four shared tables from the archive once; the canvas releases them.
    static void loadSharedTiles();
    static void releaseSharedTiles();

    // A quantity that grows with the whole level (see growWithLevel), from four
    // parameters at first: its value at level 0, its largest value, the levels
    // per step and the growth per step.
    int grownParam(int level, int first) const;

    // A parameter of the scene's list; 0 beyond its end.
    int param(int i) const { return i >= 0 && i < parameters_.length() ? parameters_[i] : 0; }
    void setParameters(const lang::IntArray& numbers);
    int getGameIndex() const { return gameIndex_; }
    void setGameIndex(int index) { gameIndex_ = index; }
    int getScore() const { return score_; }
    int getMultiplier() const { return multiplier_; }
    int getTimeLeft() const { return timeLeft_; }
    int getWrongAnswers() const { return wrongAnswers_; }
    int getPhase() const { return phase_; }
    int getSavedPhase() const { return savedPhase_; }
    int getScheduledPhase() const { return scheduledPhase_; }
    int getScheduleDelay() const { return scheduleDelay_; }
    bool isTurnEnded() const { return turnEnded_; }
    int getStartLevel() const { return startLevel_; }
    int getFramesPerLevelStep() const { return framesPerLevelStep_; }
    bool isBonusGame() const { return bonusGame_; }
    int getTimerOffsetX() const { return timerOffsetX_; }
    int getTimerOffsetY() const { return timerOffsetY_; }
    util::Random& random() { return random_; }

protected:
    static MentariumCanvas* canvas();
    // The shown ones of count answers that lookup finds by index.
    template <typename Lookup>
    static std::vector<sprite::Sprite*> shownAnswers(int count, Lookup lookup) {
        std::vector<sprite::Sprite*> shown;
        for (int i = 0; i < count; ++i)
            if (sprite::Sprite* s = lookup(i); s && s->isVisible()) shown.push_back(s);
        return shown;
    }
    bool inDailyTest() const;
    // A quantity of a turn that grows with the level: when level holds k > 0
    // whole steps of levelPerStep levels, value becomes start + k x step, at
    // most largest, and the levels of those steps are taken off level (the
    // rest may feed another quantity); otherwise both stay. Answers whether it grew.
    static bool growWithLevel(int& value, int& level, int start, int largest, int levelPerStep, int step);
    // growWithLevel with the four parameters from first: start, largest, levels per step, step.
    bool growParam(int& value, int& level, int first) const {
        return growWithLevel(value, level, param(first + RunStart), param(first + RunLargest),
                             param(first + RunLevelsPerStep), param(first + RunStep));
    }
    // Sprite i of a vector of the turn's sprites; null out of range or without a vector.
    static sprite::Sprite* spriteOf(util::Vector* sprites, int i);
    // Whether the canvas is playing and this game stands in one of the phases.
    bool playingIn(std::initializer_list<int> phases) const;
    // A pointer move: hover (scene coordinates made the game's own) highlights
    // what lies under the pointer, under the game's monitor, and answers
    // whether the game takes the move; otherwise the dialog's own handling runs.
    template <typename Hover>
    bool hoverOrPass(window::Event* event, Hover hover) {
        {
            ObjectLock hold(this, true);
            if (hover(event->x - getX(), event->y - getY())) return true;
        }
        return GameBase::mouseMoved(event);
    }
    int testRank() const;
    int difficulty() const;
    void playSound(int index);
    sprite::Sprite* part(const char* childName) const;
    sprite::AnimateSprite* animated(const char* childName) const;
    sprite::NumberSprite* number(const char* childName) const;
    // Appends a picture to the turn's tile table.
    void addTile(window::Image* picture);
    // Puts the 18 groups of table A in random order, leaving one group out
    // (excluded: its first picture, or -1) and adds two pictures of each.
    void addGroupPairs(int excluded, bool drawOrder);
    // Adds the pairs of a two-picture table in random order, leaving one out.
    void addTablePairs(Table table, int excluded);
    void frameTick(int tick);
    // Shows the seconds left in "Timer", keeping a running shake's displacement.
    void showTime(int seconds);
    void startTimerShake();
    void timerShakeStep();
    void showStars();
    int startLevelFor(int rank) const;

    lang::IntArray parameters_;
    int gameIndex_ = -1;
    int score_ = 0;
    int multiplier_ = 0;
    int timeLeft_ = 0;
    int turnCounter_ = 0;
    int wrongAnswers_ = 0;
    int phase_ = 0;
    int savedPhase_ = 0;
    int scheduledPhase_ = 0;
    int scheduleDelay_ = 0;
    bool turnEnded_ = false;
    int rankUsed_ = -1;
    bool bonusGame_ = false;
    int bonusCounter_ = 0;
    util::Random random_;
    window::Image* tiles_[TileTableSize] = {};  // one reference each
    int tileCount_ = 0;
    int timerOffsetX_ = 0, timerOffsetY_ = 0;
    bool timerShaking_ = false;
    int timerShakeFrames_ = 0;
    int indicatorFrames_ = 0;
    bool indicatorShown_ = false;
    int startLevel_ = 0;
    int framesPerLevelStep_ = 0;
    int levelStepCounter_ = 0;
    int framesPerSecond_ = 25;
    int keptLevels_[3] = {};  // read per difficulty or next rank at start, not otherwise used
};
