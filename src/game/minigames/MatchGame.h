#pragma once

#include <vector>

#include "game/GameBase.h"

namespace sprite { class ScalerSprite; }

// The games of "which of these is that one": a target picture stands in its
// slot and a row or grid of options below; the player clicks the option that
// matches it. The scene's numbers choose the kind:
//   cards, exact picture, look-alikes of the target's colours growing with
//   the level (Match Maker) or everywhere (Match Maker II);
//   shapes, the target as a shadow (Shadow Shift), also turned (Get in Shape).
// With the level come more options.
class MatchGame : public GameBase {
public:
    // The parameters after the base's.
    static constexpr int ParamOptions = 39;    // 39-42: options, grown with the level
    static constexpr int ParamSet = 43;        // 0 cards of table A, 1 shapes
    static constexpr int ParamAlike = 44;      // 44-47: same-motif look-alikes among card options, grown
    static constexpr int ParamShadow = 48;     // 1: the target shows as a shadow
    static constexpr int ParamTurned = 49;     // 1: target and options stand turned
    static constexpr int ParamSameColour = 50; // 1: the other card options share the target's colour
    static constexpr int MaxOptions = 12;
    static constexpr int Shapes = 16;

    ~MatchGame() override;
    MENTARIUM_CLASS(MatchGame, GameBase)

    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;

    // Card options: the target's group and variant first, then alike other
    // variants of its group, then other groups (in the target's colour when
    // sameColour), all distinct. Picture indices of table A.
    std::vector<int> chooseCards(int count, int alike, bool sameColour);
    // Shape options: the target's shape first, then other shapes, all distinct.
    std::vector<int> chooseShapes(int count);

    int optionCount() const { return static_cast<int>(options_.size()); }
    int rightOption() const { return right_; }
    // The picture index of an option (a table A index or a shape number).
    int optionPicture(int i) const { return i >= 0 && i < optionCount() ? pictures_[i] : -1; }
    sprite::ScalerSprite* option(int i) const { return i >= 0 && i < optionCount() ? options_[i] : nullptr; }
    sprite::ScalerSprite* target() const { return target_; }
    int targetPicture() const { return targetPicture_; }
    int getHighlighted() const { return highlighted_; }

protected:
    MatchGame() = default;

private:
    window::Image* shapePicture(int k);
    // Turns a picture by a random angle when this game turns its pictures.
    void turnAtRandom(sprite::ScalerSprite* s, int zoom);
    int optionAt(int lx, int ly) const;
    void highlight(int i);
    void releaseTurn();

    std::vector<sprite::ScalerSprite*> options_;  // one reference each
    std::vector<int> pictures_;
    sprite::ScalerSprite* target_ = nullptr;      // one reference
    window::Image* shapes_[Shapes] = {};          // loaded on first use, one reference each
    int targetPicture_ = -1;
    int right_ = -1;
    int highlighted_ = -1;
};
