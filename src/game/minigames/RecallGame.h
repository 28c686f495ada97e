#pragma once

#include <vector>

#include "game/GameBase.h"

namespace sprite {
class ScalerSprite;
}

// The game of "what did you see" (Memo Random): a few pictures stand in a
// row for a moment, then hide, and the player picks each of them out of a
// larger grid. With the level come more pictures to remember and more to
// choose from.
class RecallGame : public GameBase {
public:
    // The parameters after the base's.
    static constexpr int ParamSeen = 39;        // 39-42: pictures to remember, grown with the level
    static constexpr int ParamOthers = 43;      // 43-46: other pictures in the grid, grown
    static constexpr int ParamShowFrames = 48;  // frames the pictures stand
    static constexpr int MaxSeen = 8;
    static constexpr int MaxGrid = 18;

    ~RecallGame() override;
    MENTARIUM_CLASS(RecallGame, GameBase)

    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;

    // The frames the pictures stand.
    int showingFrames() const;

    int seenCount() const { return static_cast<int>(seen_.size()); }
    int choiceCount() const { return static_cast<int>(choices_.size()); }
    // Table A indices: of the pictures shown, and of the grid's choices.
    int seenPicture(int i) const { return i >= 0 && i < seenCount() ? seen_[i] : -1; }
    int choicePicture(int i) const { return i >= 0 && i < choiceCount() ? choices_[i] : -1; }
    bool wasSeen(int choice) const;
    bool isFound(int choice) const { return choice >= 0 && choice < choiceCount() && found_[choice] != 0; }
    int foundCount() const { return turnCounter_; }
    sprite::ScalerSprite* shownSprite(int i) const;
    sprite::ScalerSprite* choiceSprite(int i) const;

protected:
    RecallGame() = default;

private:
    void deal();
    void openChoices();
    void markSeenChoices();
    int choiceAt(int lx, int ly) const;
    void highlight(int i);
    void removeSprites(std::vector<sprite::ScalerSprite*>& sprites);

    std::vector<int> seen_, choices_, found_;
    std::vector<sprite::ScalerSprite*> shown_;          // the pictures while they show, one reference each
    std::vector<sprite::ScalerSprite*> choiceSprites_;  // one reference each
    int highlighted_ = -1;
};
