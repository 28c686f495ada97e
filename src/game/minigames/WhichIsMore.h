#pragma once

#include "game/GameBase.h"

// The counting game: two to six panels of small pictures, and the player
// clicks the one that holds the most. With the level come more panels and
// more pictures per panel.
class WhichIsMore : public GameBase {
    MENTARIUM_METACLASS(WhichIsMore)

public:
    // Scene parameters, each a run of four: start, largest, levels per step, step.
    static constexpr int ParamPanels = 39;        // 39-42: panels to choose from
    static constexpr int ParamMostPictures = 43;  // 43-46: pictures on the fullest panel
    // A panel's cells: the pictures go one to a cell.
    struct Grid {
        int columns = 0, rows = 0;
        int cellWidth = 0, cellHeight = 0;
        int originX = 0, originY = 0;
    };

    WhichIsMore() = default;
    ~WhichIsMore() override;
    MENTARIUM_CLASS(WhichIsMore, GameBase)

    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;
    std::vector<sprite::Sprite*> answerRow() override;

    // The rules of a turn, for the game and its tests.
    static int adjustMost(int drawn);
    static int pictureSizeFor(int panels, int most);
    // The picture size in percent, lowered where a picture of that size would not fit its cell.
    static int fittedSize(int size, int cellW, int cellH, int pictureW, int pictureH);
    // The cells of a panel's grid (columns and rows set) inside the card's outline and shadow.
    static void cellsOf(sprite::Sprite* panel, Grid& grid);
    // The card's border: its outline at the sides and top, outline and shadow below.
    static constexpr int PanelSide = 6, PanelTop = 5, PanelBottom = 9;
    static void gridFor(int most, int& columns, int& rows);
    // Top-left corners of the panels, laid out with equal gaps in the area.
    static void layOut(int panels, int areaX, int areaY, int areaW, int areaH, int panelW, int panelH, int* xs,
                       int* ys);
    // The order of a panel's cells for a fill style: 0-3 the corner fills, else the shuffled order.
    static void cornerOrder(int style, int columns, int rows, int* order);

    int getPanelCount() const { return panelCount_; }
    int getCorrectPanel() const { return correctPanel_; }
    int getHighlighted() const { return highlighted_; }
    int getMost() const { return most_; }
    int picturesIn(int panel) const { return panel >= 0 && panel < 6 ? counts_[panel] : 0; }

private:
    sprite::Sprite* panel(int i) const;
    int panelAt(int lx, int ly) const;
    void highlight(int i);
    void restoreHighlight();
    void fill(int i, const Grid& grid, int count, window::Image* picture, int size);

    int panelCount_ = 0;
    int correctPanel_ = 0;
    int highlighted_ = -1;
    int pictureCount_ = 0;
    int most_ = 0;
    int counts_[6] = {};
};
