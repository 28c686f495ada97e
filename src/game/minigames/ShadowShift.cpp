#include "game/minigames/ShadowShift.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>

#include "game/minigames/FigureCanvas.h"
#include "game/minigames/PictureGrid.h"
#include "lang/ObjectLock.h"
#include "sprite/Sprite.h"
#include "util/Random.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(ShadowShift)

namespace {

constexpr int kTargetSize = 96;
constexpr uint32_t kShadow = 0x2F3C68;
// Lagoon, coral, mint, honey, plum, teal, rose, iris: one colour a turn, so colour tells nothing.
constexpr uint32_t kColours[] = {0x3E7CB1, 0xD7634D, 0x93D66D, 0xF2C14E, 0x8E5BA8, 0x3FA796, 0xE58FA8, 0x6A74C9};
constexpr int kTries = 200;

int randomTurn(util::Random& random, int step) { return random.nextInt(360 / step - 1) * step; }

}  // namespace

Polyomino ShadowShift::chiralFigure(util::Random& random, int count) {
    count = std::clamp(count, MinCells, MaxCells);
    Polyomino f = Polyomino::grow(random, count);
    for (int i = 0; i < kTries && !f.isChiral(); ++i) f = Polyomino::grow(random, count);
    if (!f.isChiral()) f = Polyomino({{0, 0}, {0, 1}, {0, 2}, {1, 2}});  // the L, never its own mirror
    return f;
}

std::vector<ShadowShift::Choice> ShadowShift::dealChoices(util::Random& random, const Polyomino& figure, int count,
                                                          int mirrors, int step) {
    count = std::clamp(count, 2, MaxOptions);
    std::vector<Choice> choices{{figure, 0, randomTurn(random, step)}};
    const Polyomino mirror = figure.mirrored();
    for (int i = 0; i < std::min(mirrors, count - 1); ++i) choices.push_back({mirror, 1, randomTurn(random, step)});
    // Other figures: neither the target's nor its mirror's shape, nor the same as one dealt before.
    std::vector<Polyomino> others;
    for (int tries = 0; static_cast<int>(choices.size()) < count && tries < kTries; ++tries) {
        Polyomino other = Polyomino::grow(random, figure.size());
        bool seen = other.sameShape(figure) || other.sameShape(mirror);
        for (const Polyomino& o : others) seen = seen || other.sameShape(o);
        if (seen) continue;
        others.push_back(other);
        choices.push_back({other, 1 + static_cast<int>(others.size()), randomTurn(random, step)});
    }
    // Too few other figures of that size: mirror images fill the row.
    while (static_cast<int>(choices.size()) < count) choices.push_back({mirror, 1, randomTurn(random, step)});
    return choices;
}

int ShadowShift::turnStep(int level) const {
    const int index = std::clamp(grownParam(level, ParamFineness), 0, static_cast<int>(std::size(TurnSteps)) - 1);
    return TurnSteps[index];
}

void ShadowShift::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    const int level = getLevel(), step = turnStep(level);
    figure_ = chiralFigure(random_, grownParam(level, ParamCells));
    std::vector<Choice> choices =
        dealChoices(random_, figure_, grownParam(level, ParamOptions), grownParam(level, ParamMirrors), step);
    // The target stands at a turn that no right choice repeats.
    targetDegrees_ = (choices[0].degrees + step * (1 + random_.nextInt(360 / step - 2))) % 360;

    // All figures of a turn share one scale, the largest at which any turn of any of them fits.
    sprite::Sprite* area = part("GameBounds");
    PictureGrid grid = area ? PictureGrid::fit(static_cast<int>(choices.size()), area->getX(), area->getY(),
                                               area->getWidth(), area->getHeight())
                            : PictureGrid::fit(static_cast<int>(choices.size()), 20, 166, 460, 200);
    const int card = std::min(grid.cell - PictureGrid::CellMargin, kTargetSize);
    double reach = 1;
    for (const Choice& c : choices) reach = std::max(reach, std::hypot(c.figure.width(), c.figure.height()) / 2);
    const double scale = (card / 2.0 - 6) / reach;
    const uint32_t colour = kColours[random_.nextInt(static_cast<int>(std::size(kColours)) - 1)];

    FigureCanvas shadow(kTargetSize, kTargetSize);
    shadow.figure(figure_, {kTargetSize / 2.0, kTargetSize / 2.0, scale, static_cast<double>(targetDegrees_)},
                  kShadow, false);
    showTarget(shadow.picture(), 0);

    std::vector<int> order(choices.size());
    std::iota(order.begin(), order.end(), 0);
    shuffle(order.data(), static_cast<int>(order.size()));
    for (size_t i = 0; i < order.size(); ++i) {
        const Choice& c = choices[static_cast<size_t>(order[i])];
        FigureCanvas picture(card + 3, card + 3);
        picture.card(0, 0, card, card, card / 5, FigureCanvas::Cream);
        picture.figure(c.figure, {card / 2.0, card / 2.0, scale, static_cast<double>(c.degrees)}, colour, true);
        addOption(picture.picture(), c.shape, c.shape == 0, grid.centreX(static_cast<int>(i)),
                  grid.centreY(static_cast<int>(i)),
                  "turn " + std::to_string(c.degrees) + " mirror " + std::to_string(c.shape == 1 ? 1 : 0));
    }
    GameBase::endTurn();
}
