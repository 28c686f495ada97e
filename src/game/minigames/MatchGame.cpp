#include "game/minigames/MatchGame.h"

#include <algorithm>
#include <numeric>

#include "game/minigames/PictureGrid.h"
#include "lang/ObjectLock.h"
#include "sprite/ScalerSprite.h"

namespace {

constexpr int kGroups = GameBase::TableASize / 4;

}  // namespace

std::vector<int> MatchGame::chooseCards(int count, int alike, bool sameColour) {
    const int group = random_.nextInt(kGroups - 1), variant = random_.nextInt(3);
    std::vector<int> picks{group * 4 + variant};
    // Look-alikes: the target's motif in its other colours.
    std::vector<int> others{0, 1, 2, 3};
    others.erase(others.begin() + variant);
    shuffle(others.data(), static_cast<int>(others.size()));
    for (int i = 0; i < std::min(alike, 3) && static_cast<int>(picks.size()) < count; ++i)
        picks.push_back(group * 4 + others[i]);
    std::vector<int> groups(kGroups);
    std::iota(groups.begin(), groups.end(), 0);
    shuffle(groups.data(), kGroups);
    for (int g : groups) {
        if (static_cast<int>(picks.size()) >= count) break;
        if (g != group) picks.push_back(g * 4 + (sameColour ? variant : random_.nextInt(3)));
    }
    return picks;
}

void MatchGame::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    const int count = std::clamp(grownParam(getLevel(), ParamOptions), 2, MaxOptions);
    std::vector<int> picks = chooseCards(count, grownParam(getLevel(), ParamAlike), param(ParamSameColour) != 0);

    // The target, alone in its slot.
    if (sprite::Sprite* slot = part("TargetSlot")) {
        PictureGrid one = PictureGrid::fit(1, slot->getX(), slot->getY(), slot->getWidth(), slot->getHeight());
        showTarget(one.place(sharedTile(TableA, picks[0]), 0), picks[0]);
    }
    // The options, in a random order over the grid.
    const int n = static_cast<int>(picks.size());
    const PictureGrid grid = choiceGrid(n);
    std::vector<int> order = randomOrder(n);
    for (int i = 0; i < n; ++i) {
        const int k = order[static_cast<size_t>(i)];
        addOption(grid.place(sharedTile(TableA, picks[static_cast<size_t>(k)]), i), picks[static_cast<size_t>(k)],
                  k == 0, "");
    }
    GameBase::endTurn();
}
