#pragma once

#include <vector>

#include "game/GameBase.h"

namespace sprite { class ScalerSprite; }

// The games of "what did you see": a few pictures are shown, then hidden,
// and the player picks each of them out of a larger grid. The scene's
// numbers choose how they are shown: all at once in a row (Memo Random) or
// flying past one after another (Fly By). With the level come more pictures
// to remember and more to choose from.
class RecallGame : public GameBase {
public:
    // The parameters after the base's.
    static constexpr int ParamSeen = 39;        // 39-42: pictures to remember, grown with the level
    static constexpr int ParamOthers = 43;      // 43-46: other pictures in the grid, grown
    static constexpr int ParamShowing = 47;     // 0 all at once, 1 flying past
    static constexpr int ParamShowFrames = 48;  // frames all stand; frames one flies
    static constexpr int ParamFlyGap = 49;      // frames between two flights
    static constexpr int MaxSeen = 8;
    static constexpr int MaxGrid = 18;

    ~RecallGame() override;
    MENTARIUM_CLASS(RecallGame, GameBase)

    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    void update(int frame) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;

    // The frames the showing of count pictures takes.
    int showingFrames(int count) const;

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
    std::vector<sprite::ScalerSprite*> shown_;     // the pictures while they show, one reference each
    std::vector<sprite::ScalerSprite*> choiceSprites_;  // one reference each
    int showFrame_ = 0;
    int highlighted_ = -1;
};
