#pragma once

#include "game/GameScreen.h"

namespace window {
class Image;
}

// The start of the daily test: the player's rank title and medal, the score
// that reaches the next rank, one mark per rank earned (the pointer over a
// mark tells when it was earned), the history of test scores behind the
// medal, and the button that starts a test.
class DailyTestMenu : public GameScreen {
    MENTARIUM_METACLASS(DailyTestMenu)

public:
    static constexpr uint32_t HistoryFill = 0xFF5CB7EA;

    DailyTestMenu() = default;
    MENTARIUM_CLASS(DailyTestMenu, GameScreen)

    void onLoaded(sprite::DataLoader* loader) override;
    bool mouseMoved(window::Event* event) override;

    // The medal picture of a rank, with its mask.
    static lang::String trophyPicture(int rank);
    // Shows a medal picture on a screen's sprite of that name.
    static void showTrophy(GameScreen* screen, const char* name, int rank);
    // The history of test scores in a screen's "DailyTestScoreHistory" area.
    static void showTestHistory(GameScreen* screen, int xOffset, int yOffset);

    // The earned mark under the pointer's place in the screen, or -1.
    int earnedMarkAt(int x, int y) const;
    bool isPopupShown() const { return popupFor_ >= 0; }

protected:
    void onShow() override;
    void onHide() override;
    lang::String onAction(const lang::String& button) override;

private:
    void showPopup(int rank);
    void hidePopup();
    void showGraph(bool shown);
    bool hasHistory() const;

    int razozStyle_ = 0, spare_ = 0, xCaptionOffset_ = 0, yCaptionOffset_ = 0;
    int popupFor_ = -1;
    bool graphShown_ = false;
};
