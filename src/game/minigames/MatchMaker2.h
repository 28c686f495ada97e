#pragma once

#include <vector>

#include "game/GameBase.h"

namespace sprite {
class ScalerSprite;
}

// Match Maker II, a game of working memory: pictures come one at a time in a
// card, and the player clicks "Match" when the picture is the one shown N
// steps before (N grows from 1 to 3 with the level) and lets it pass
// otherwise. Every step is scored: a right "Match" or a right pass wins, a
// false "Match" or a missed one loses. The pictures come quicker as the level
// rises, and their motifs come in two colours each, so look-alikes tempt.
class MatchMaker2 : public GameBase {
    MENTARIUM_METACLASS(MatchMaker2)

public:
    // The parameters after the base's.
    static constexpr int ParamBack = 39;          // 39-42: steps back, grown with the level
    static constexpr int ParamShowFrames = 43;    // 43-46: frames a picture shows, grown (a negative step)
    static constexpr int ParamShortestShow = 47;  // the fewest frames a picture shows
    static constexpr int ParamGapFrames = 48;     // blank frames between two pictures
    static constexpr int ParamMatchChance = 49;   // in a hundred steps, how many repeat the picture N back
    static constexpr int ParamMotifs = 50;        // motifs in play; each comes in two colours
    static constexpr int MaxBack = 3;

    MatchMaker2() = default;
    ~MatchMaker2() override;
    MENTARIUM_CLASS(MatchMaker2, GameBase)

    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    void update(int frame) override;
    int mousePressed(window::Event* event) override;
    void describe(std::string& text) override;
    std::vector<sprite::Sprite*> answerRow() override;

    // How many steps back a picture must match at a level.
    int backAt(int level) const;
    // Frames a picture shows at a level, and frames of a whole step.
    int showFramesAt(int level) const;
    int stepFramesAt(int level) const;
    // The next step's picture when matching n steps back: the picture n
    // back at the match chance, otherwise another picture of the pool.
    int nextPicture(int n);

    int stepCount() const { return static_cast<int>(pictures_.size()); }
    int picture(int step) const { return step >= 0 && step < stepCount() ? pictures_[step] : -1; }
    // The steps back of the current step, fixed when its picture came.
    int currentBack() const { return backs_.empty() ? 0 : backs_.back(); }
    // Whether the current step has a picture N back to compare with; the
    // first steps have none and pass unscored.
    bool isScored() const { return stepCount() > currentBack() && currentBack() > 0; }
    bool isMatch() const { return isScored() && pictures_.back() == picture(stepCount() - 1 - currentBack()); }
    bool isAnswered() const { return answered_; }
    const std::vector<int>& pool() const { return pool_; }
    sprite::ScalerSprite* shownPicture() const { return shown_; }

private:
    void choosePool();
    void showNextStep();
    void decide(bool right);
    void setButtonLive(bool live);
    void removeShown();

    std::vector<int> pool_;                  // table A indices in play
    std::vector<int> pictures_;              // the picture of every step so far
    std::vector<int> backs_;                 // the steps back of every step so far
    sprite::ScalerSprite* shown_ = nullptr;  // the card's picture, one reference
    int stepFrame_ = 0;
    int stepFrames_ = 0;
    int showFrames_ = 0;
    bool answered_ = false;
};
