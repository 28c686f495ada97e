#include "game/minigames/GetInShape.h"

#include <algorithm>
#include <iterator>

#include "game/minigames/FigureCanvas.h"
#include "game/minigames/PictureGrid.h"
#include "lang/ObjectLock.h"
#include "sprite/Sprite.h"
#include "util/Random.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(GetInShape)

namespace {

constexpr int kTries = 200;
constexpr int kBoardWidth = 180, kBoardHeight = 104;
constexpr uint32_t kBoard = 0xE8D3A9, kHole = 0x2F3C68;

using Cell = Polyomino::Cell;

// The cells of a figure with one cell added or taken away.
Polyomino toggled(const Polyomino& p, Cell c) {
    std::vector<Cell> cells = p.cells();
    auto at = std::find(cells.begin(), cells.end(), c);
    if (at == cells.end()) cells.push_back(c);
    else
        cells.erase(at);
    return Polyomino(std::move(cells));
}

// Cells on the figure's edge (a side free) and free cells beside it.
void edgeCells(const Polyomino& p, std::vector<Cell>& border, std::vector<Cell>& beside) {
    for (const Cell& c : p.cells())
        for (Cell n : Polyomino::neighbours(c)) {
            if (p.has(n.x, n.y)) continue;
            if (std::find(border.begin(), border.end(), c) == border.end()) border.push_back(c);
            if (std::find(beside.begin(), beside.end(), n) == beside.end()) beside.push_back(n);
        }
}

}  // namespace

Polyomino GetInShape::piece(util::Random& random, int features) {
    std::vector<Cell> block;
    const int w = random.nextInt(3, 4), h = random.nextInt(2, 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) block.push_back({x, y});
    Polyomino p(std::move(block));
    // Each notch or tab changes one cell on the edge; one that would make the piece too large is left out.
    for (int i = 0; i < std::max(features, 0); ++i) {
        Polyomino next = notchVariant(random, p);
        if (next.width() > 6 || next.height() > 5) continue;
        p = next;
    }
    return p;
}

// A random change of one cell on the edge that keeps the piece whole and at
// least 4 cells; the piece itself when none is found.
Polyomino GetInShape::notchVariant(util::Random& random, const Polyomino& p) {
    std::vector<Cell> border, beside;
    edgeCells(p, border, beside);
    for (int tries = 0; tries < kTries; ++tries) {
        const std::vector<Cell>& from = random.nextBoolean() ? border : beside;
        Polyomino changed = toggled(p, from[random.nextInt(static_cast<int>(from.size()) - 1)]);
        if (changed.size() >= 4 && changed.isConnected()) return changed;
    }
    return p;
}

std::vector<GetInShape::Choice> GetInShape::dealChoices(util::Random& random, const Polyomino& p, int count, int turned,
                                                        int sizeDifference) {
    count = std::clamp(count, 2, MaxOptions);
    std::vector<Choice> choices{{p, Fits, 100}};
    auto dealt = [&choices](const Polyomino& q, int percent) {
        for (const Choice& c : choices)
            if (c.piece == q && c.percent == percent) return true;
        return false;
    };
    // Turned pieces: quarter, half or three-quarter turns, in random order, that do not give the piece back.
    int quarters[] = {1, 2, 3};
    for (int i = 2; i > 0; --i) std::swap(quarters[i], quarters[random.nextInt(i)]);
    for (int q : quarters) {
        if (static_cast<int>(choices.size()) >= std::min(count, 1 + std::max(turned, 0))) break;
        Polyomino t = p;
        for (int k = 0; k < q; ++k) t = t.turned();
        if (!dealt(t, 100)) choices.push_back({t, Turn, 100});
    }
    // One piece bigger or smaller than the hole.
    if (static_cast<int>(choices.size()) < count) {
        const int d = std::clamp(sizeDifference, 5, 50);
        choices.push_back({p, Size, random.nextBoolean() ? 100 + d : 100 - d});
    }
    for (int tries = 0; static_cast<int>(choices.size()) < count && tries < kTries; ++tries) {
        Polyomino n = notchVariant(random, p);
        if (!dealt(n, 100)) choices.push_back({n, Notch, 100});
    }
    return choices;
}

int GetInShape::sizeDifference(int level) const {
    const int last = static_cast<int>(std::size(SizeDifferences)) - 1;
    return SizeDifferences[std::clamp(grownParam(level, ParamCloseness), 0, last)];
}

void GetInShape::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    const int level = getLevel();
    hole_ = piece(random_, grownParam(level, ParamFeatures));
    std::vector<Choice> choices = dealChoices(random_, hole_, grownParam(level, ParamOptions),
                                              grownParam(level, ParamTurned), sizeDifference(level));

    const int n = static_cast<int>(choices.size());
    const PictureGrid grid = choiceGrid(n);
    const int card = grid.cell - PictureGrid::CellMargin;
    // One cell size for the hole and every piece: the largest at which all fit their cards.
    double reach = 1;
    for (const Choice& c : choices)
        reach = std::max(reach, std::max(c.piece.width(), c.piece.height()) * c.percent / 100.0);
    const double cell = std::min((card - 14) / reach, (kBoardHeight - 24) / static_cast<double>(hole_.height()));
    const uint32_t colour =
        FigureCanvas::Brights[random_.nextInt(static_cast<int>(std::size(FigureCanvas::Brights)) - 1)];

    FigureCanvas board(kBoardWidth + 3, kBoardHeight + 3);
    board.card(0, 0, kBoardWidth, kBoardHeight, kBoardHeight / 5, kBoard);
    board.hole(hole_, {kBoardWidth / 2.0, kBoardHeight / 2.0, cell, 0}, kHole);
    showTarget(board.picture(), 0);

    std::vector<int> order = randomOrder(n);
    for (int i = 0; i < n; ++i) {
        const int k = order[static_cast<size_t>(i)];
        const Choice& c = choices[static_cast<size_t>(k)];
        // Shape numbers: 0 the piece that fits, every other its own.
        addOption(FigureCanvas::figureCard(card, c.piece, cell * c.percent / 100.0, 0, colour, false), k, k == 0,
                  grid.centreX(i), grid.centreY(i),
                  "kind " + std::to_string(static_cast<int>(c.kind)) + " percent " + std::to_string(c.percent));
    }
    GameBase::endTurn();
}
