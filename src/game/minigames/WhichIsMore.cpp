#include "game/minigames/WhichIsMore.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/ScalerSprite.h"
#include "window/Event.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(WhichIsMore)

namespace {

constexpr int kBright = 192, kNeutral = 128;

}  // namespace

WhichIsMore::~WhichIsMore() = default;

// --- the rules of a turn ---

int WhichIsMore::adjustMost(int drawn) {
    // These counts would fill a grid exactly; one less leaves a gap to look for.
    return drawn == 6 || drawn == 9 || drawn == 12 || drawn == 16 || drawn == 20 ? drawn - 1 : drawn;
}

int WhichIsMore::pictureSizeFor(int panels, int most) {
    if (panels <= 3) return most <= 6 ? 75 : most <= 12 ? 60 : 30;
    return most <= 6 ? 60 : most <= 12 ? 50 : 30;
}

int WhichIsMore::fittedSize(int size, int cellW, int cellH, int pictureW, int pictureH) {
    if (pictureW < 1 || pictureH < 1) return size;
    // A pixel of air on each side keeps neighbours and the panel's edge apart.
    int fits = std::min(100 * (cellW - 2) / pictureW, 100 * (cellH - 2) / pictureH);
    return std::max(1, std::min(size, fits));
}

void WhichIsMore::cellsOf(sprite::Sprite* panel, Grid& grid) {
    const int innerW = panel->getWidth() - 2 * PanelSide, innerH = panel->getHeight() - PanelTop - PanelBottom;
    grid.cellWidth = std::max(1, innerW / grid.columns);
    grid.cellHeight = std::max(1, innerH / grid.rows);
    // The cells are centred in the card's inside.
    grid.originX = panel->getX() + PanelSide + (innerW - grid.cellWidth * grid.columns) / 2;
    grid.originY = panel->getY() + PanelTop + (innerH - grid.cellHeight * grid.rows) / 2;
}

void WhichIsMore::gridFor(int most, int& columns, int& rows) {
    if (most <= 6) {
        columns = 3;
        rows = 2;
    } else if (most <= 9) {
        columns = 3;
        rows = 3;
    } else if (most <= 12) {
        columns = 4;
        rows = 3;
    } else if (most <= 16) {
        columns = 4;
        rows = 4;
    } else {
        columns = 5;
        rows = 4;
    }
}

void WhichIsMore::layOut(int panels, int areaX, int areaY, int areaW, int areaH, int panelW, int panelH, int* xs,
                         int* ys) {
    auto row = [&](int first, int count, int y) {
        int gap = (areaW - count * panelW) / (count + 1);
        for (int i = 0; i < count; ++i) {
            xs[first + i] = areaX + gap + i * (panelW + gap);
            ys[first + i] = y;
        }
    };
    auto rowsOf = [&](int perRow, int rowCount) {
        int gap = (areaH - rowCount * panelH) / (rowCount + 1);
        for (int r = 0; r < rowCount; ++r) row(r * perRow, perRow, areaY + gap + r * (panelH + gap));
    };
    switch (panels) {
    case 2: row(0, 2, areaY + (areaH - panelH) / 2); break;
    case 3: row(0, 3, areaY + (areaH - panelH) / 2); break;
    case 4: rowsOf(2, 2); break;
    case 6: rowsOf(3, 2); break;
    case 5: {
        rowsOf(3, 2);  // the top row of three; the lower two sit between them
        for (int i = 0; i < 2; ++i) xs[3 + i] = (xs[i] + xs[i + 1]) / 2;
        break;
    }
    default: break;
    }
}

void WhichIsMore::cornerOrder(int style, int columns, int rows, int* order) {
    int k = 0;
    bool fromBottom = style == 1 || style == 2;
    bool leftToRight = style == 2 || style == 3;
    for (int r = 0; r < rows; ++r) {
        int row = fromBottom ? rows - 1 - r : r;
        for (int c = 0; c < columns; ++c) order[k++] = row * columns + (leftToRight ? c : columns - 1 - c);
    }
}

// --- a turn ---

sprite::Sprite* WhichIsMore::panel(int i) const { return findChild(numberedName("Panel_", i)); }

void WhichIsMore::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    for (int i = 0; i < 6; ++i)
        if (sprite::Sprite* p = panel(i)) remove(p);
    for (int k = 0; k < pictureCount_; ++k)
        if (sprite::Sprite* s = findChild(numberedName("PanelImage_", k))) remove(s);
    panelCount_ = 0;
    highlighted_ = -1;
    pictureCount_ = 0;
    std::fill(std::begin(counts_), std::end(counts_), 0);
}

void WhichIsMore::fill(int i, const Grid& grid, int count, window::Image* picture, int size) {
    const int cells = grid.columns * grid.rows;
    std::vector<int> order(cells);
    int style = random_.nextInt(4);
    if (style == 0) {
        cornerOrder(random_.nextInt(3), grid.columns, grid.rows, order.data());
    } else {
        std::iota(order.begin(), order.end(), 0);
        shuffle(order.data(), cells);
    }
    // Pictures beyond the cells (a most above 20) share the last cells.
    for (int n = 0; n < count; ++n) {
        int cell = order[std::min(n, cells - 1)];
        int column = cell % grid.columns, row = cell / grid.columns;
        lang::Ref<sprite::ScalerSprite> s(new sprite::ScalerSprite());
        s->setImage(picture);
        s->startScale(100, size, 1, false, 128, 128, false, 0, 0);
        s->setLocation(column * grid.cellWidth + grid.cellWidth / 2 + grid.originX,
                       row * grid.cellHeight + grid.cellHeight / 2 + grid.originY);
        addNamed(numberedName("PanelImage_", pictureCount_++), s.get());
    }
    counts_[i] = count;
}

void WhichIsMore::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    int level = getLevel();
    panelCount_ = std::clamp(grownParam(level, ParamPanels), 2, 6);
    int top = grownParam(level, ParamMostPictures);
    most_ = adjustMost(std::max(random_.nextInt(param(ParamMostPictures) - 2, top), 2));
    int size = pictureSizeFor(panelCount_, most_);
    Grid grid;
    gridFor(most_, grid.columns, grid.rows);
    correctPanel_ = random_.nextInt(panelCount_ - 1);

    auto* prototype = part(panelCount_ < 4 ? "PrototypeWhichIsMorePanelBig" : "PrototypeWhichIsMorePanelSmall");
    sprite::Sprite* area = part("GameBounds");
    if (prototype && area) {
        int xs[6] = {}, ys[6] = {};
        layOut(panelCount_, area->getX(), area->getY(), area->getWidth(), area->getHeight(), prototype->getWidth(),
               prototype->getHeight(), xs, ys);
        for (int i = 0; i < panelCount_; ++i) {
            lang::Ref<sprite::Sprite> p(prototype->clone());
            p->setLocation(xs[i], ys[i]);
            p->setVisible(true);
            addNamed(numberedName("Panel_", i), p.get());
            cellsOf(p.get(), grid);
            int low = most_ / 4 + 2;
            // Another panel never ties with the right one, also for the smallest counts.
            int count = i == correctPanel_ ? most_ : std::min(low + random_.nextInt(most_ - low - 1), most_ - 1);
            window::Image* picture = sharedTile(TableA, random_.nextInt(TableASize - 1));
            int fitted =
                picture ? fittedSize(size, grid.cellWidth, grid.cellHeight, picture->getWidth(), picture->getHeight())
                        : size;
            fill(i, grid, count, picture, fitted);
        }
    }
    GameBase::endTurn();
}

void WhichIsMore::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    if (phase == PhaseStarting) correctPanel_ = 0;
    oneAnswerTurn(phase);
}

// --- input ---

int WhichIsMore::panelAt(int lx, int ly) const {
    for (int i = 0; i < panelCount_; ++i)
        if (sprite::Sprite* p = panel(i); p && p->contains(lx, ly)) return i;
    return -1;
}

void WhichIsMore::restoreHighlight() {
    if (sprite::Sprite* p = panel(highlighted_)) p->setColorFactors(p->getAlpha(), kNeutral, kNeutral, kNeutral);
    highlighted_ = -1;
}

void WhichIsMore::highlight(int i) {
    if (i == highlighted_) return;
    restoreHighlight();
    if (sprite::Sprite* p = panel(i)) {
        p->setColorFactors(p->getAlpha(), kBright, kBright, kBright);
        highlighted_ = i;
    }
}

int WhichIsMore::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !playingIn({PhaseAnswer}) || panelCount_ == 0) return answer;
    int i = panelAt(event->x - getX(), event->y - getY());
    if (i < 0) return answer;
    highlight(i);
    playSound(MentariumCanvas::SoundClick);
    setPhase(i == correctPanel_ ? PhaseCorrect : PhaseWrong);
    return TAKEN;
}

bool WhichIsMore::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({PhaseAnswer, PhaseCorrect, PhaseWrong})) return false;
        int i = panelAt(lx, ly);
        if (i < 0) {
            restoreHighlight();
            return false;
        }
        highlight(i);
        return true;
    });
}

void WhichIsMore::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "panels " + std::to_string(panelCount_) + " " + std::to_string(correctPanel_) + "\n";
    for (int i = 0; i < panelCount_; ++i)
        if (sprite::Sprite* p = panel(i))
            text += "panel " + std::to_string(i) + " " + std::to_string(getX() + p->getX()) + " " +
                    std::to_string(getY() + p->getY()) + " " + std::to_string(p->getWidth()) + " " +
                    std::to_string(p->getHeight()) + " " + std::to_string(counts_[i]) + "\n";
}

std::vector<sprite::Sprite*> WhichIsMore::answerRow() {
    ObjectLock hold(this, true);
    return shownAnswers(panelCount_, [this](int i) { return panel(i); });
}
