#include "game/minigames/ShadowShift.h"

#include <algorithm>
#include <cmath>
#include <iterator>

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
    const int n = static_cast<int>(choices.size());
    const PictureGrid grid = choiceGrid(n);
    const int card = std::min(grid.cell - PictureGrid::CellMargin, kTargetSize);
    double reach = 1;
    for (const Choice& c : choices) reach = std::max(reach, std::hypot(c.figure.width(), c.figure.height()) / 2);
    const double scale = (card / 2.0 - 6) / reach;
    // One colour a turn, so colour tells nothing.
    const uint32_t colour =
        FigureCanvas::Brights[random_.nextInt(static_cast<int>(std::size(FigureCanvas::Brights)) - 1)];

    FigureCanvas shadow(kTargetSize, kTargetSize);
    shadow.figure(figure_, {kTargetSize / 2.0, kTargetSize / 2.0, scale, static_cast<double>(targetDegrees_)}, kShadow,
                  false);
    showTarget(shadow.picture(), 0);

    std::vector<int> order = randomOrder(n);
    for (int i = 0; i < n; ++i) {
        const Choice& c = choices[static_cast<size_t>(order[static_cast<size_t>(i)])];
        addOption(FigureCanvas::figureCard(card, c.figure, scale, c.degrees, colour, true), c.shape, c.shape == 0,
                  grid.centreX(i), grid.centreY(i),
                  "turn " + std::to_string(c.degrees) + " mirror " + std::to_string(c.shape == 1 ? 1 : 0));
    }
    GameBase::endTurn();
}
