#pragma once

#include "game/GameBase.h"
#include "lang/Ref.h"

namespace sprite {
class AnimateSprite;
}
namespace util {
class Vector;
}

class ColorLabelCell;
class Grid;

// The colour-label game: a grid of cards turns over and shows colour words,
// each printed in some ink. A few words are printed in the very colour they
// name; the player checks all of those, and a word in another ink ends the
// turn. With the level come more words, more colours and more words to find.
class ColorLabels : public GameBase {
    MENTARIUM_METACLASS(ColorLabels)

public:
    // Scene parameters, each a run of four: start, largest, levels per step, step.
    static constexpr int ParamLabels = 39;   // 39-42: cards with words
    static constexpr int ParamColours = 43;  // 43-46: colours in play
    static constexpr int ParamMatches = 47;  // 47-50: words that match their colour
    static constexpr int Columns = 5;
    static constexpr int Rows = 8;
    static constexpr int Cells = Columns * Rows;
    static constexpr int Colours = 7;

    // What the level makes of a turn.
    struct TurnShape {
        int labels = 0;
        int colours = 0;
        int matches = 0;
    };

    ColorLabels();
    ~ColorLabels() override;
    MENTARIUM_CLASS(ColorLabels, GameBase)

    void onLoaded(sprite::DataLoader* loader) override;
    void startGame() override;
    void stopGame() override;
    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    void update(int frame) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;

    // The rules of a turn, for the game and its tests.
    static void inkFactors(int colour, int& red, int& green, int& blue);
    TurnShape shapeAt(int level) const;
    // Draws the ink of a word naming colour word: its own colour, or, while
    // mismatches are left (one is taken off), another of the turn's colours.
    int drawInk(int word, int colours, int& mismatches);

    int getLabelCount() const { return labelCount_; }
    int getColourCount() const { return colourCount_; }
    int getMatchCount() const { return matchCount_; }
    int getFound() const { return turnCounter_; }
    int getHovered() const;
    ColorLabelCell* cell(int i) const;
    const Grid* grid() const { return grid_.get(); }

private:
    void removeCards();
    void layOutWords();
    void turnCards(int step);
    void showWords(bool shown);
    // The task text and the card behind it.
    void showTask(bool shown);
    void setHovered(ColorLabelCell* c);
    int cellAt(int lx, int ly, bool byLabel) const;

    int colourCount_ = 0;
    int labelCount_ = 0;
    int matchCount_ = 0;
    lang::Ref<util::Vector> cells_;
    lang::Ref<Grid> grid_;
    ColorLabelCell* hovered_ = nullptr;  // borrowed: cells_ holds it
};
