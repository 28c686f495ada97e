#pragma once

#include <vector>

#include "game/GameBase.h"
#include "util/RectangleNM.h"

namespace sprite {
class AnimateSprite;
}

// The place memory game: a few circles of up to four sizes stand for a
// moment at random places in the play area, then fade out, and the player
// clicks where they stood. Each circle found fades back in; a click in the
// play area that hits no hidden circle ends the turn. With the level come
// more and larger circles.
class FindCircles : public GameBase {
    MENTARIUM_METACLASS(FindCircles)

public:
    // One way to fill a turn: the circle sizes (1 to 4, ascending) and how
    // hard it is (the sum of the sizes plus two per circle).
    struct CircleCombo {
        std::vector<int> sizes;
        int count = 0;
        int difficulty = 0;
    };

    // More circles would neither fit the play area nor keep the table of
    // size combinations (4 to the power of the count to visit) quick to build.
    static constexpr int MaxCircles = 8;
    static constexpr int ParamFewestCircles = 39;  // circles in a turn, from ...
    static constexpr int ParamMostCircles = 40;    // ... to

    FindCircles() = default;
    ~FindCircles() override;
    MENTARIUM_CLASS(FindCircles, GameBase)

    void onLoaded(sprite::DataLoader* loader) override;
    void startGame() override;
    void stopGame() override;
    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    int mousePressed(window::Event* event) override;
    void describe(std::string& text) override;

    // Every distinct set of sizes for each count from fewest to most, in
    // ascending order of difficulty.
    static std::vector<CircleCombo> buildCombos(int fewest, int most);
    // The first and last index of the combinations of a level's difficulty
    // (the level clamped to the table's range); -1, -1 for an empty table.
    static void combosForLevel(const std::vector<CircleCombo>& table, int level, int& first, int& last);
    // Whether two circles overlap: a corner of either lies inside the other.
    static bool overlap(sprite::Sprite* a, sprite::Sprite* b);

    const std::vector<CircleCombo>& combos() const { return combos_; }
    int circleCount() const { return static_cast<int>(circles_.size()); }
    sprite::AnimateSprite* circle(int i) const;
    bool isFound(int i) const { return i >= 0 && i < circleCount() && found_[i] != 0; }
    const util::RectangleNM& playArea() const { return playArea_; }

private:
    void place(sprite::Sprite* s);
    void fadeAll(int alpha, int steps);
    void releaseCircles();

    util::RectangleNM playArea_{0, 0, 0, 0};
    std::vector<sprite::AnimateSprite*> circles_;  // one reference each
    std::vector<CircleCombo> combos_;
    std::vector<int> found_;
};
