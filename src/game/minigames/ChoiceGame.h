#pragma once

#include <string>
#include <vector>

#include "game/GameBase.h"
#include "game/minigames/PictureGrid.h"

namespace sprite {
class Sprite;
}

// A game of one answer a turn: a target picture in its slot and pictures to
// choose from below it; exactly one choice is right. The concrete games deal
// the pictures (endTurn); this class keeps them, lights the one under the
// pointer, decides a click and describes the board. Each picture carries a
// shape number: choices that show the target's shape carry the target's.
class ChoiceGame : public GameBase {
public:
    ~ChoiceGame() override;
    MENTARIUM_CLASS(ChoiceGame, GameBase)

    void clearTiles() override;
    void setPhase(int phase) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;
    std::vector<sprite::Sprite*> answerRow() override;

    int optionCount() const { return static_cast<int>(options_.size()); }
    int rightOption() const { return right_; }
    int optionShape(int i) const { return i >= 0 && i < optionCount() ? shapes_[i] : -1; }
    sprite::Sprite* option(int i) const { return i >= 0 && i < optionCount() ? options_[i] : nullptr; }
    sprite::Sprite* target() const { return target_; }
    int targetShape() const { return targetShape_; }
    int getHighlighted() const { return highlighted_; }

protected:
    ChoiceGame() = default;
    // Puts the target picture in the middle of the scene's "TargetSlot" (takes the reference).
    void showTarget(window::Image* picture, int shape);
    // Shows a placed target sprite (takes the reference).
    void showTarget(sprite::Sprite* s, int shape);
    // Adds a choice centred at (cx, cy) (takes the picture's reference); facts
    // are more numbers for its description line.
    void addOption(window::Image* picture, int shape, bool right, int cx, int cy, const std::string& facts);
    // Adds a placed choice sprite (takes the reference).
    void addOption(sprite::Sprite* s, int shape, bool right, const std::string& facts);
    // The cells of count choices over the scene's "GameBounds".
    PictureGrid choiceGrid(int count) const;
    // The numbers 0 to n - 1 in random order: which choice goes to which cell.
    std::vector<int> randomOrder(int n);
    // Extra description lines of a turn, after the choices.
    virtual void describeTurn(std::string&) {}

private:
    int optionAt(int lx, int ly) const;
    void highlight(int i);
    void releaseTurn();

    std::vector<sprite::Sprite*> options_;  // one reference each
    std::vector<int> shapes_;
    std::vector<std::string> facts_;
    sprite::Sprite* target_ = nullptr;  // one reference
    int targetShape_ = -1;
    int right_ = -1;
    int highlighted_ = -1;
};
