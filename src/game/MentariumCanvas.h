#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "lang/IntArray.h"
#include "sprite/GameCanvas2.h"
#include "util/Random.h"

namespace sprite {
class DialogSprite;
class LineGraphSprite;
class Sprite;
}  // namespace sprite
namespace window {
class AudioClip;
}

class DailyTestRun;
class GameBase;
class MainMenu;
class PauseMenu;
class ProgressKeeper;
class ProgressRecord;
class RazozSprite;

// The game's one canvas. It owns the flow between the screens: finds every
// screen and minigame of the loaded scene by name, keeps the game state,
// answers the buttons that several screens share (instructions, pause, exit,
// mute, download), starts and ends minigames, pauses the running one when the
// window loses the focus, shakes the game-over overlay and tells the host.
//
// The action handler, setState and the frame tick each hold the canvas's own
// monitor for their whole run, so input and the render tick never interleave.
class MentariumCanvas : public sprite::GameCanvas2 {
public:
    static constexpr int StatePlaying = 0;
    static constexpr int StatePaused = 1;
    static constexpr int StateMenu = 4;
    static constexpr int StateStartup = 5;
    static constexpr int StateGameOver = 6;
    static constexpr int StateResults = 7;
    static constexpr int GameCount = 16;

    // Sound effects by their place in the scene's sound list.
    static constexpr int SoundSuccess = 6;
    static constexpr int SoundFailure = 7;
    static constexpr int SoundGameOver = 8;
    static constexpr int SoundTick = 9;
    static constexpr int SoundClick = 10;
    static constexpr int SoundNewRank = 11;

    // The menu button that switches the colour-blind palette.
    static constexpr const char* kPaletteButton = "bPalette";

    // Screens found by name once the scene has loaded.
    enum Screen {
        ScreenMainMenu,
        ScreenInstructions,
        ScreenInGameInstructions,
        ScreenPauseMenu,
        ScreenDifficultyMenu,
        ScreenGameOverOverlay,
        ScreenPracticeAreaMenu,
        ScreenPracticeComplete,
        ScreenDailyTestMenu,
        ScreenDailyTestRest,
        ScreenDailyTestComplete,
        ScreenDailyTestPayoff,
        ScreenExitMenu,
        ScreenStartGameSwipe,
        ScreenDim,
        ScreenCount
    };

    MentariumCanvas();
    ~MentariumCanvas() override;
    MENTARIUM_CLASS(MentariumCanvas, sprite::GameCanvas2)

    void initialise(const lang::String& directory, sprite::User* profile, const lang::String& item, int flags) override;
    bool prepare() override;
    void sceneLoaded(sprite::DataLoader* loader) override;
    void update() override;
    bool processEvent() override;
    void onMessage(lang::Object* argument, const lang::String& message) override;
    // The game's own keys before the screens get theirs: Escape pauses a
    // running minigame as a lost focus does, M mutes or unmutes.
    bool onKeyDown(window::Event* e, lang::Object*& object, lang::String& message) override;
    void onMinimised() override;
    void onCloseRequest() override;

    void playSound(int index) override;
    using GameCanvas2::playSound;

    // What the game shows, as lines of "key value ...", for automated players
    // and tests: the state, the visible screens, the sounds played so far and
    // the running minigame's own facts.
    std::string describe();

    // Window activation: a lost focus asks the running game to pause.
    void onActivation(bool active);

    void setState(int n);
    void selectGame(int index);
    // Begins a daily test: daily test mode, the rank it starts from and six
    // games picked anew.
    void startDailyTest();
    // Whether every game a daily test can pick is in the loaded scene.
    bool dailyTestPlayable() const;
    void gameFinished(int gameIndex, int score);
    int getStoredValue(int gameIndex);
    void setStoredValue(int gameIndex, int value);
    void addGameStars(int count);
    GameBase* gameAt(int index) const;
    sprite::Sprite* screen(Screen which) const { return screens_[which]; }
    void setMuted(bool muted);
    // Switches the colour games to the colour-blind palette or back; kept in
    // the profile like the mute choice.
    void setColourBlind(bool on);
    bool isColourBlind() const;
    // The main menu's introduction reached that stage (0 to 4); kept so that a
    // returning player is not introduced again.
    void rememberIntroStage(int stage);

    // Builds (the first time) and fills the line graph of a score history
    // (newest first) over the screen's graph area, named after the area with
    // "_LineGraph", with its captions; the highlight marks the newest point.
    sprite::LineGraphSprite* showHistoryGraph(sprite::DialogSprite* screen, const char* area, const int* newestFirst,
                                              int length, uint32_t fill, int xCaptionOffset, int yCaptionOffset,
                                              const char* highlight);

    // The one Razoz display, lent to the screen that shows it.
    RazozSprite* getRazoz() const { return razoz_; }
    void attachRazoz(sprite::DialogSprite* dialog);
    void detachRazoz(sprite::DialogSprite* dialog);

    // A text of the scene's string table; the key itself when it is missing,
    // so that a gap shows on screen rather than an empty box.
    lang::String text(const lang::String& key) const;
    // The name of a game as the screens show it.
    lang::String gameName(int game) const;

    int getState() const { return state_; }
    int getPreviousState() const { return previousState_; }
    int getDifficulty() const { return difficulty_; }
    // The difficulty chosen last, kept for the next run.
    void setDifficulty(int d);
    int getCurrentGame() const { return currentGame_; }
    bool isDailyTestMode() const { return dailyTestMode_; }
    void setDailyTestMode(bool on) { dailyTestMode_ = on; }
    bool pauseRequested() const { return pauseRequested_; }
    bool isMuted() const { return muted_; }
    int getShakeTicks() const { return shakeTicks_; }
    int getTrophyBefore() const { return trophyBefore_; }
    // Whether the last finished daily test raised the rank.
    bool wasRankImproved() const { return rankImproved_; }
    // The game the last finished daily test opened, or -1.
    int gameUnlockedByLastTest() const { return unlockedByLastTest_; }
    ProgressRecord* getProgress() const { return progress_; }
    DailyTestRun* getDailyTest() const { return dailyTest_; }
    const std::vector<int>& gameStars() const { return gameStars_; }
    window::AudioClip* getMusic() const { return music_; }
    // The frames per second of the render tick.
    int framesPerSecond() const { return framePeriod_ > 0 ? 1000 / framePeriod_ : 25; }

    // The scene name of the minigame of that index, or null.
    static const char* gameClassName(int index);

    static MentariumCanvas* current();
    static void setCurrent(MentariumCanvas* canvas);

private:
    // Shows a two-state button of the main and pause menus as on or off.
    void showToggle(const char* name, bool on);
    void show(Screen which, bool visible);
    bool isShowing(Screen which) const;
    void hideAllScreens();
    void placeOverlayHome();
    // Daily test: fewer than six games played.
    bool testUnfinished() const;
    // Ranks a test of six played games; answers whether the rank rose.
    bool finishDailyTest();
    // Reads the kept progress and settings of the profile, once.
    void openKeeper();
    // Texts that reports of the kept progress print: game names, the rank's
    // title, the trophy thresholds.
    void rememberLabels();

    int difficulty_ = 1;
    int state_ = StateStartup;
    int previousState_ = 0;
    int currentGame_ = -1;
    std::atomic<bool> pauseRequested_{false};  // set by the window thread
    bool dailyTestMode_ = false;
    int shakeTicks_ = 0;
    window::AudioClip* music_ = nullptr;
    bool muted_ = false;
    sprite::Sprite* screens_[ScreenCount] = {};
    GameBase* games_[GameCount] = {};
    ProgressRecord* progress_ = nullptr;
    std::unique_ptr<ProgressKeeper> keeper_;  // made before loading, with the profile
    DailyTestRun* dailyTest_ = nullptr;
    RazozSprite* razoz_ = nullptr;
    int overlayHomeX_ = 0, overlayHomeY_ = 0;
    util::Random random_;
    lang::IntArray configuration_;
    int trophyBefore_ = -1;
    bool rankImproved_ = false;
    bool decodedImmediately_ = true;  // the picture decoding switch as it was before this canvas
    int unlockedByLastTest_ = -1;
    std::vector<int> gameStars_;
    std::atomic<int> soundCounts_[12] = {};
};
