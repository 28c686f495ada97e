#pragma once

#include "sprite/AnimateSprite.h"

namespace sprite {

// Draws a whole number from a horizontal strip of equal cells: 0 time
// separator, 1 minus, 2 symbol (money prefix, plus, percent suffix), 3 comma,
// 4 full stop, 5-14 digits; a digits-only strip holds just the ten digits.
// Separators follow the player's locale. Can count smoothly toward a value.
class NumberSprite : public AnimateSprite {
    MENTARIUM_METACLASS(NumberSprite)

public:
    enum Format { Plain = 0, DigitsOnly = 1, Money = 2, Time = 3, ShowPlus = 4, Percent = 5 };

    NumberSprite() = default;
    MENTARIUM_CLASS(NumberSprite, AnimateSprite)

    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    void setLocation(int nx, int ny) override;
    void setLocationQuiet(int nx, int ny) override;
    void setImage(window::Image* picture) override;
    Sprite* clone() override;

    virtual void setValue(int v);
    virtual void countTo(int t);

    int getValue() const { return value; }
    bool isCounting() const { return counting; }
    void setFormat(int format);
    void setAlignment(int a);
    void setSpacing(int s);
    void setMinDigits(int n);
    int getCellWidth() const { return cellWidth; }
    // Width in half cells, before the pixel conversion.
    int getHalfUnits() const { return halfUnits; }

    // Reads the separators from the player's locale again (they are read once
    // on first use otherwise).
    static void reloadLocale();

private:
    // Recomputes the width and applies the size, keeping the anchor.
    void relayout();
    int computeHalfUnits() const;
    // The strip cell showing a digit, separator or sign.
    int digitCell(int digit) const { return digitsOnly ? digit : 5 + digit; }
    // Draws cell at the left of pen, full or half width; moves pen left.
    void drawCell(window::Graphics* g, int cell, bool half, int& pen);
    void drawSeparator(window::Graphics* g, char separator, bool decimal, int& pen);

    bool showPlus = false;
    int target = 0;
    bool counting = false;
    int step = 0;
    int value = 0;
    int alignment = 0;
    bool money = false;
    bool percent = false;
    bool digitsOnly = false;
    int spacing = 0;
    bool time = false;
    int minDigits = 0;
    int halfUnits = 2;
    int cellWidth = 0;
    int anchorX = 0;  // x as given: the left, centre or right edge by alignment
};

}  // namespace sprite
