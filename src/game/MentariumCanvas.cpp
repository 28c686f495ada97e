#include "game/MentariumCanvas.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>
#include <string>

#include "game/ColourPalette.h"
#include "game/DailyTestPayoffScreen.h"
#include "game/DailyTestRun.h"
#include "game/GameBase.h"
#include "game/HostNotifier.h"
#include "game/MainMenu.h"
#include "game/PauseMenu.h"
#include "game/ProgressKeeper.h"
#include "game/ProgressRecord.h"
#include "game/RazozSprite.h"
#include "game/SpriteNames.h"
#include "game/StartGameSwipe.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "lang/StringArray.h"
#include "sprite/ButtonSprite.h"
#include "sprite/DialogSprite.h"
#include "sprite/LineGraphSprite.h"
#include "sprite/NewFontSprite.h"
#include "sprite/Sprite.h"
#include "sprite/User.h"
#include "util/Hashtable.h"
#include "window/AudioClip.h"
#include "window/Event.h"
#include "window/Image.h"
#include "window/KeyCodes.h"

namespace {

std::atomic<MentariumCanvas*> currentCanvas{nullptr};

constexpr const char* kScreenNames[MentariumCanvas::ScreenCount] = {"MainMenu",
                                                                    "Instructions",
                                                                    "InGameInstructions",
                                                                    "PauseMenu",
                                                                    "DifficultyMenu",
                                                                    "GameOverOverlay",
                                                                    "PracticeAreaMenu",
                                                                    "PracticeCompleteScreen",
                                                                    "DailyTestMenu",
                                                                    "DailyTestRestScreen",
                                                                    "DailyTestCompleteScreen",
                                                                    "DailyTestPayoffScreen",
                                                                    "ExitMenu",
                                                                    "StartGameSwipe",
                                                                    "Dim"};

constexpr const char* kGameNames[MentariumCanvas::GameCount] = {
    "Concentration", "FindNewImage", "SpatialMemory", "Simon",       "StroopTest",  "ColorLabels",
    "SpotChanges",   "FindCircles",  "NumberOrder",   "ShadowShift", "WhichIsMore", "MemoRandom",
    "MatchMaker",    "MatchMaker2",  "FlyBy",         "GetInShape"};

constexpr int kMusicVolume = 128;
constexpr int kEffectsVolume = 255;
constexpr int kShakeTicksBeforeResults = 37;
constexpr int kShakeRange = 10;

// The buttons a player could press on a dialog and the dialogs inside it, as
// "button SCREEN NAME X Y W H" in scene coordinates, in name order.
void describeButtons(sprite::DialogSprite* dialog, const char* screen, int originX, int originY, std::string& text) {
    util::Hashtable* named = dialog->getNamedChildren();
    if (named == nullptr) return;
    std::map<std::string, sprite::Sprite*> children;
    lang::Ref<util::Hashtable::HTEnum> names(named->keys());
    while (names->hasMoreElements()) {
        auto* name = static_cast<lang::String*>(names->nextElement());
        if (sprite::Sprite* child = dialog->findChild(*name)) children[name->c_str()] = child;
    }
    for (auto& [name, child] : children) {
        if (!child->isVisible()) continue;
        int x = originX + child->getX(), y = originY + child->getY();
        if (auto* button = dynamic_cast<sprite::ButtonSprite*>(child)) {
            if (button->getState() != sprite::ButtonSprite::Inactive)
                text += std::string("button ") + screen + " " + name + " " + std::to_string(x) + " " +
                        std::to_string(y) + " " + std::to_string(button->getWidth()) + " " +
                        std::to_string(button->getHeight()) + "\n";
        } else if (auto* nested = dynamic_cast<sprite::DialogSprite*>(child)) {
            describeButtons(nested, screen, x, y, text);
        }
    }
}

// Whatever stopped the music (the device, a clip that ran out), it comes back
// with the menus, at the volume the mute choice gives.
void keepMusicPlaying(window::AudioClip* music, bool muted) {
    if (music == nullptr || music->isPlaying()) return;
    music->setVolume(muted ? 0 : kMusicVolume);
    music->loop();
}

}  // namespace

MentariumCanvas* MentariumCanvas::current() { return currentCanvas; }

const char* MentariumCanvas::gameClassName(int index) {
    return index >= 0 && index < GameCount ? kGameNames[index] : nullptr;
}
void MentariumCanvas::setCurrent(MentariumCanvas* canvas) { currentCanvas = canvas; }

// Built, the canvas lets pictures of hidden screens decode when first shown
// rather than while the scene loads: the first menu comes up sooner.
MentariumCanvas::MentariumCanvas() : decodedImmediately_(window::Image::decodeImmediately()) {
    setCurrent(this);
    requireWholeScene();
    window::Image::setDecodeImmediately(false);
}

MentariumCanvas::~MentariumCanvas() {
    window::Image::setDecodeImmediately(decodedImmediately_);
    MentariumCanvas* self = this;
    currentCanvas.compare_exchange_strong(self, nullptr);
    if (music_) {
        music_->stop();
        music_->release();
    }
    for (sprite::Sprite*& s : screens_)
        if (s) s->release();
    for (GameBase*& g : games_)
        if (g) g->release();
    if (dailyTest_) dailyTest_->release();
    if (progress_) progress_->release();
    if (razoz_) {
        // Razoz and the screen that holds it keep each other: part them first.
        razoz_->detach(razoz_->getDialog());
        razoz_->release();
    }
    GameBase::releaseSharedTiles();
}

void MentariumCanvas::initialise(const lang::String& directory, sprite::User* profile, const lang::String& item,
                                 int flags) {
    GameCanvas2::initialise(directory, profile, item, flags);
    if (sceneItem_.isEmpty()) sceneItem_ = "Mentarium.dat";
}

// The preparation before loading: the music starts while the scene loads.
bool MentariumCanvas::prepare() {
    ObjectLock hold(this, true);
    openKeeper();  // the kept settings rule from the first sound on
    if (music_ == nullptr) {
        music_ = new window::AudioClip();
        music_->setVolume(muted_ ? 0 : kMusicVolume);
        window::AudioClip::setEffectsVolume(muted_ ? 0 : kEffectsVolume);
        music_->load("+musicGame", window::AudioClip::KIND_STREAM);
        music_->loop();  // the piece is one seamless loop
    }
    state_ = StateStartup;
    return true;
}

// --- after loading ---

void MentariumCanvas::sceneLoaded(sprite::DataLoader* loader) {
    ObjectLock hold(this, true);
    if (razoz_ == nullptr) razoz_ = RazozSprite::create();
    for (int i = 0; i < ScreenCount; ++i) {
        sprite::SpriteBase* found = findSprite(kScreenNames[i]);
        auto* s = dynamic_cast<sprite::Sprite*>(found);
        if (s) s->addRef();
        if (screens_[i]) screens_[i]->release();
        screens_[i] = s;
    }
    if (sprite::Sprite* overlay = screens_[ScreenGameOverOverlay]) {
        overlayHomeX_ = overlay->getX();
        overlayHomeY_ = overlay->getY();
    }
    for (int i = 0; i < GameCount; ++i) {
        sprite::SpriteBase* found = findSprite(kGameNames[i]);
        auto* game = found && found->isInstanceOf("GameBase") ? static_cast<GameBase*>(found) : nullptr;
        if (game) {
            game->addRef();
            game->setGameIndex(i);
        }
        if (games_[i]) games_[i]->release();
        games_[i] = game;
    }
    GameCanvas2::sceneLoaded(loader);
    if (numbers_ == nullptr || numbers_->length() == 0) return;  // no progress without the scene's numbers
    configuration_.copyFrom(*numbers_);
    if (progress_) progress_->release();
    progress_ = new ProgressRecord();
    progress_->readThresholds(configuration_);
    openKeeper();
    keeper_->restore(*progress_);
    // The menus' switches show the kept choices, however the load was started.
    showToggle("bMuteVolume", muted_);
    showToggle(kPaletteButton, isColourBlind());
    if (dailyTest_) dailyTest_->release();
    dailyTest_ = new DailyTestRun(configuration_, progress_->unlockedGames(), progress_->bonusGame());
    dailyTest_->deferGames([this](int g) { return gameAt(g) == nullptr; });
    rememberLabels();
    if (muted_) HostNotifier::send(MENTARIUM_NOTIFY_SOUND_OFF);  // the host learns the kept choice
    setState(StateMenu);
    repaint(nullptr);
    HostNotifier::send(MENTARIUM_NOTIFY_LOADED);
}

// --- state transitions ---

void MentariumCanvas::show(Screen which, bool visible) {
    if (sprite::Sprite* s = screens_[which]) s->setVisible(visible);
}

bool MentariumCanvas::isShowing(Screen which) const { return screens_[which] && screens_[which]->isVisible(); }

void MentariumCanvas::placeOverlayHome() {
    if (sprite::Sprite* overlay = screens_[ScreenGameOverOverlay]) overlay->setLocation(overlayHomeX_, overlayHomeY_);
}

bool MentariumCanvas::testUnfinished() const {
    return dailyTestMode_ && dailyTest_ && dailyTest_->gamesPlayed() < DailyTestRun::GamesPerTest;
}

void MentariumCanvas::hideAllScreens() {
    for (GameBase* game : games_)
        if (game) game->setVisible(false);
    for (Screen s : {ScreenPauseMenu, ScreenExitMenu, ScreenInstructions, ScreenMainMenu}) show(s, false);
    show(ScreenGameOverOverlay, false);
    placeOverlayHome();
    for (Screen s : {ScreenStartGameSwipe, ScreenDifficultyMenu, ScreenPracticeAreaMenu, ScreenPracticeComplete,
                     ScreenDailyTestMenu, ScreenDailyTestRest, ScreenDailyTestComplete, ScreenDailyTestPayoff})
        show(s, false);
}

void MentariumCanvas::setState(int n) {
    ObjectLock hold(this, true);
    GameBase* game = gameAt(currentGame_);
    switch (n) {
    case StatePlaying:
        show(ScreenDim, false);
        if (game) {
            if (state_ == StatePaused) {
                game->resume();
            } else {
                game->setVisible(true);
                game->startGame();
            }
        }
        break;
    case StatePaused:
        previousState_ = state_;
        if (game) {
            game->pause();
            if (auto* pause = dynamic_cast<PauseMenu*>(screens_[ScreenPauseMenu])) pause->showInGame();
        }
        break;
    case StateMenu: {
        keepMusicPlaying(music_, muted_);
        hideAllScreens();
        Screen next = ScreenCount;  // none: the caller shows the next screen
        if (state_ == StatePaused || dailyTestMode_) {
            next = dailyTestMode_ ? ScreenDailyTestMenu : ScreenPracticeAreaMenu;
            dailyTestMode_ = false;
        } else if (state_ == StateStartup) {
            // A returning player goes on from the introduction's kept stage.
            int stage = keeper_ ? std::clamp(keeper_->setting(ProgressKeeper::kIntroStage, 0), 0, 4) : 0;
            if (auto* menu = dynamic_cast<MainMenu*>(screens_[ScreenMainMenu])) menu->setHelpStage(stage, false);
            next = ScreenMainMenu;
        }
        // A scene without that menu must not leave the player on an empty screen.
        if (next != ScreenCount) show(screens_[next] ? next : ScreenMainMenu, true);
        break;
    }
    case StateGameOver:
        if (!isShowing(ScreenGameOverOverlay)) {
            placeOverlayHome();
            show(ScreenGameOverOverlay, true);
            playSound(SoundGameOver);
            shakeTicks_ = 0;
        } else if (shakeTicks_ > kShakeTicksBeforeResults) {
            setState(StateResults);
        }
        HostNotifier::send(MENTARIUM_NOTIFY_GAME_OVER);
        break;
    case StateResults:
        keepMusicPlaying(music_, muted_);
        if (game) game->setVisible(false);
        show(ScreenGameOverOverlay, false);
        placeOverlayHome();
        if (!dailyTestMode_) {
            show(ScreenPracticeComplete, true);
        } else if (dailyTest_) {
            dailyTest_->advance();
            if (dailyTest_->gamesPlayed() < DailyTestRun::GamesPerTest) {
                show(ScreenDailyTestRest, true);
            } else {
                rankImproved_ = progress_ && finishDailyTest();
                // The scores come first, then the rank they earned (the payoff
                // screen reads rankImproved_ when it is shown).
                if (screens_[ScreenDailyTestComplete]) {
                    show(ScreenDailyTestComplete, true);
                } else if (screens_[ScreenDailyTestPayoff]) {
                    show(ScreenDailyTestPayoff, true);
                } else {  // a scene without the test's screens: back to the menus
                    dailyTestMode_ = false;
                    show(ScreenMainMenu, true);
                }
            }
        }
        break;
    default: break;
    }
    state_ = n;
}

bool MentariumCanvas::finishDailyTest() {
    dailyTest_->capScores(*progress_, gameStars_);
    const int bestBefore = progress_->bestTestScore();
    const int total = dailyTest_->total();
    progress_->recordTest(total, dailyTest_->strongestGame(), dailyTest_->weakestGame());
    if (progress_->bestTestScore() > bestBefore) {
        std::string score = "<score>" + std::to_string(progress_->bestTestScore()) + "</score><rank>" +
                            std::to_string(progress_->currentRank()) + "</rank>";
        HostNotifier::send(MENTARIUM_NOTIFY_BEST_SCORE, score.c_str());
    }
    const int start = progress_->rankAtTestStart();
    unlockedByLastTest_ = -1;
    const bool improved = progress_->currentRank() > start;
    if (improved) {
        const int unlockedBefore = dailyTest_->unlocked();
        dailyTest_->unlockNext();
        if (dailyTest_->unlocked() > unlockedBefore) unlockedByLastTest_ = dailyTest_->bonusGame();
        progress_->setBonusGame(dailyTest_->bonusGame());
        progress_->setUnlockedGames(dailyTest_->unlocked());
        progress_->setScoreAtRankGained(start, total);
    }
    if (keeper_) {
        keeper_->testFinished(*progress_, *dailyTest_);
        if (improved) rememberLabels();  // the new rank's title
    }
    return improved;
}

void MentariumCanvas::openKeeper() {
    if (keeper_) return;
    keeper_ = std::make_unique<ProgressKeeper>(profile_ ? profile_->store() : nullptr);
    muted_ = keeper_->setting(ProgressKeeper::kMuted, muted_ ? 1 : 0) != 0;
    difficulty_ = std::clamp(keeper_->setting(ProgressKeeper::kDifficulty, difficulty_), 0, 2);
    const int kept = keeper_->setting(ProgressKeeper::kPalette, ColourPalette::current());
    ColourPalette::setCurrent(kept == ColourPalette::ColourBlind ? ColourPalette::ColourBlind : ColourPalette::Normal);
    // A palette named at start (the host's --palette) is the player's choice too.
    ColourPalette::Kind asked;
    if (ColourPalette::parse(std::getenv("MENTARIUM_PALETTE"), asked))
        setColourBlind(asked == ColourPalette::ColourBlind);
}

void MentariumCanvas::rememberLabels() {
    if (keeper_ == nullptr || !keeper_->isKeeping() || progress_ == nullptr) return;
    std::map<std::string, std::string> labels;
    for (int g = 0; g < GameCount; ++g) labels["game." + std::to_string(g)] = gameName(g).c_str();
    labels["rank.title"] = progress_->rankTitle(progress_->currentRank()).c_str();
    labels["rank.next"] = std::to_string(progress_->rankThreshold(progress_->currentRank() + 1));
    for (int d = 0; d < ProgressRecord::Difficulties; ++d)
        for (int t = 0; t < 3; ++t)
            labels["trophy." + std::to_string(d) + "." + std::to_string(t)] =
                std::to_string(progress_->trophyThreshold(d, t));
    keeper_->rememberLabels(labels);
}

void MentariumCanvas::setDifficulty(int d) {
    difficulty_ = d;
    if (keeper_) keeper_->remember(ProgressKeeper::kDifficulty, d);
}

void MentariumCanvas::rememberIntroStage(int stage) {
    // While the scene loads the menu is hidden and set aside, which is no
    // progress of the player's: only stages reached in the menus are kept.
    if (state_ == StateStartup) return;
    if (keeper_ && stage >= 0 && stage <= 4) keeper_->remember(ProgressKeeper::kIntroStage, stage);
}

void MentariumCanvas::selectGame(int index) {
    ObjectLock hold(this, true);
    currentGame_ = index;
    if (!dailyTestMode_) {
        trophyBefore_ = -1;
        show(ScreenPracticeAreaMenu, false);
        show(ScreenDifficultyMenu, true);
    } else {
        show(ScreenDailyTestRest, false);
        setState(StatePlaying);
    }
}

void MentariumCanvas::startDailyTest() {
    ObjectLock hold(this, true);
    if (progress_ == nullptr || dailyTest_ == nullptr) return;
    dailyTestMode_ = true;
    currentGame_ = -1;  // no game of this test has started yet
    progress_->setRankAtTestStart(progress_->currentRank());
    dailyTest_->pickGames();
}

bool MentariumCanvas::dailyTestPlayable() const {
    if (dailyTest_ == nullptr) return false;
    for (int i = 0; i < dailyTest_->unlocked(); ++i)
        if (gameAt(dailyTest_->unlockOrderAt(i)) == nullptr) return false;
    return dailyTest_->unlocked() >= DailyTestRun::GamesPerTest;
}

void MentariumCanvas::gameFinished(int gameIndex, int score) {
    ObjectLock hold(this, true);
    if (progress_ == nullptr) return;
    if (!dailyTestMode_) {
        trophyBefore_ = progress_->trophyLevel(difficulty_, progress_->bestScore(gameIndex, difficulty_));
        progress_->addPracticeScore(gameIndex, difficulty_, score);
        if (keeper_) keeper_->practicePlayed(*progress_, gameIndex, difficulty_, score);
    } else if (dailyTest_) {
        dailyTest_->setScore(gameIndex, score);
    }
}

int MentariumCanvas::getStoredValue(int gameIndex) {
    if (progress_ == nullptr) return 0;
    if (dailyTestMode_) return progress_->dailyLevel();
    return progress_->storedLevel(gameIndex, difficulty_);
}

void MentariumCanvas::setStoredValue(int gameIndex, int value) {
    if (progress_ == nullptr) return;
    if (dailyTestMode_) progress_->setDailyLevel(value);
    else
        progress_->setStoredLevel(gameIndex, difficulty_, value);
}

void MentariumCanvas::addGameStars(int count) {
    ObjectLock hold(this, true);
    if (dailyTest_ && dailyTest_->gamesPlayed() == 0) gameStars_.clear();
    gameStars_.push_back(count);
}

GameBase* MentariumCanvas::gameAt(int index) const { return index >= 0 && index < GameCount ? games_[index] : nullptr; }

void MentariumCanvas::attachRazoz(sprite::DialogSprite* dialog) {
    if (razoz_) razoz_->attach(dialog);
}

void MentariumCanvas::detachRazoz(sprite::DialogSprite* dialog) {
    if (razoz_) razoz_->detach(dialog);
}

lang::String MentariumCanvas::text(const lang::String& key) const {
    if (strings_)
        for (int i = 0; i + 1 < strings_->length(); i += 2)
            if (lang::String* k = strings_->at(i); k && k->equals(key))
                if (lang::String* value = strings_->at(i + 1)) return *value;
    return key;
}

lang::String MentariumCanvas::gameName(int game) const { return text(numberedName("TXT_GAMENAME_", game)); }

// --- score graphs ---

namespace {
constexpr uint32_t kGraphInk = 0xFF14203A, kGraphCream = 0xFFFFF7E6, kGraphHoney = 0xFFF2C14E;

// a mixed with percent of b, channel by channel, opaque.
uint32_t mixColours(uint32_t a, uint32_t b, int percent) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
        out |= static_cast<uint32_t>(ca + (cb - ca) * percent / 100) << shift;
    }
    return out;
}

// The graphs' labels in the bitmap font made for them; null when the archive lacks it.
sprite::NewFontSprite* graphLabelSprite() {
    lang::Ref<window::Image> sheet(new window::Image(lang::String("+fontGraph")));
    lang::Ref<window::Image> metrics(new window::Image(lang::String("+fontGraph_metrics")));
    sprite::NewFontSprite* labels = nullptr;
    if (sheet->getWidth() > 0 && metrics->getWidth() > 0) {
        labels = new sprite::NewFontSprite();
        labels->setFont(sheet.get(), metrics.get());
    }
    return labels;
}
}  // namespace

sprite::LineGraphSprite* MentariumCanvas::showHistoryGraph(sprite::DialogSprite* screen, const char* area,
                                                           const int* newestFirst, int length, uint32_t fill,
                                                           int xCaptionOffset, int yCaptionOffset,
                                                           const char* highlight) {
    if (screen == nullptr) return nullptr;
    sprite::Sprite* place = screen->findChild(lang::String(area));
    if (place == nullptr) return nullptr;
    lang::String graphName(area);
    graphName.append("_LineGraph");
    auto* graph = dynamic_cast<sprite::LineGraphSprite*>(screen->findChild(graphName));
    if (graph == nullptr) {
        graph = new sprite::LineGraphSprite(place->getWidth(), place->getHeight());
        graph->setLocation(place->getX(), place->getY());
        graph->setGraphBackground(0x00FEFEFE);
        graph->setFrameColor(kGraphInk);
        graph->setFrameWidth(1);
        graph->setValueDigits(2);
        graph->setLabelColor(kGraphInk);
        graph->setMostXDivisions(10);
        // At most five round values on the axis, each with a grid line across.
        graph->setMostYDivisions(4);
        graph->setRoundSteps(true);
        graph->setXTickLength(6);
        graph->setYTickLength(-1);
        graph->setInset(6);
        // A cream line edged in ink reads on every fill; honey marks the best.
        graph->setLineColors(kGraphInk, kGraphCream, kGraphCream);
        graph->setLineWidth(5);
        graph->setPointMarks(2, kGraphCream, kGraphInk);
        graph->setBestMark(4, kGraphHoney, kGraphInk);
        graph->setHeadroom(10);
        if (sprite::NewFontSprite* labels = graphLabelSprite()) {
            graph->setLabelSprite(labels);
            labels->release();
        }
        screen->addNamedAfter(graphName, graph, place);
        graph->release();  // the screen keeps it
    }
    graph->clearPoints();
    for (int i = std::min(length, 100) - 1; i >= 0; --i) graph->addPoint(newestFirst[i]);
    graph->setFillColor(fill);
    graph->setGridColor(mixColours(fill, kGraphCream, 35));
    graph->setXCaption(screen, lang::String("graphXLabel"), xCaptionOffset);
    graph->setYCaption(screen, lang::String("graphYLabel"), -yCaptionOffset);
    sprite::Sprite* mark = highlight ? screen->findChild(lang::String(highlight)) : nullptr;
    if (mark && graph->pointCount() > 0) {
        int px = 0, py = 0;
        graph->getNewestPoint(px, py);
        // The newest point is given in the graph picture's own coordinates.
        mark->setLocation(graph->getX() + px - mark->getWidth() / 2, graph->getY() + py - mark->getHeight() / 2);
        mark->setVisible(true);
    }
    return graph;
}

// --- sounds and description ---

void MentariumCanvas::playSound(int index) {
    if (index >= 0 && index < 12) ++soundCounts_[index];
    GameCanvas2::playSound(index);
}

std::string MentariumCanvas::describe() {
    ObjectLock hold(this, true);
    std::string text = "state " + std::to_string(state_) + "\n";
    text += "muted " + std::to_string(muted_ ? 1 : 0) + "\n";
    text += std::string("palette ") + ColourPalette::name(ColourPalette::current()) + "\n";
    for (int i = 0; i < ScreenCount; ++i)
        if (isShowing(static_cast<Screen>(i))) text += std::string("screen ") + kScreenNames[i] + "\n";
    for (int i = 0; i < ScreenCount; ++i)
        if (auto* dialog = dynamic_cast<sprite::DialogSprite*>(screens_[i]);
            dialog && isShowing(static_cast<Screen>(i)))
            describeButtons(dialog, kScreenNames[i], dialog->getX(), dialog->getY(), text);
    text += "sounds";
    for (const auto& count : soundCounts_) text += " " + std::to_string(count.load());
    text += "\ngame " + std::to_string(currentGame_) + "\n";
    text += "games";
    for (const char* name : kGameNames) text += std::string(" ") + name;
    text += "\n";
    if (auto* menu = dynamic_cast<MainMenu*>(screens_[ScreenMainMenu]))
        text += "helpstage " + std::to_string(menu->getHelpStage()) + "\n";
    if (dailyTest_ && dailyTestMode_) {
        text += "test " + std::to_string(dailyTest_->gamesPlayed());
        for (int k = 0; k < DailyTestRun::GamesPerTest; ++k) text += " " + std::to_string(dailyTest_->gameAt(k));
        text += "\n";
    }
    if (progress_) text += "rank " + std::to_string(progress_->currentRank()) + "\n";
    if (auto* payoff = dynamic_cast<DailyTestPayoffScreen*>(screens_[ScreenDailyTestPayoff]);
        payoff && payoff->isVisible())
        text += std::string("payoff ") + payoff->stepName() + "\n";
    if (GameBase* game = gameAt(currentGame_)) game->describe(text);
    if (progress_ && currentGame_ >= 0) {
        const ProgressRecord::GameBlock* block = progress_->gameBlock(currentGame_);
        text += "best " + std::to_string(progress_->bestScore(currentGame_, difficulty_)) + "\n";
        if (block && block->historyLength[difficulty_] > 0) {
            int last = block->history[difficulty_][0];
            text += "lastscore " + std::to_string(last) + "\n";
            // What the last play alone earns: -1 none, 0 bronze, 1 silver, 2 gold.
            text += "trophy " + std::to_string(progress_->trophyLevel(difficulty_, last)) + "\n";
        }
    }
    return text;
}

// --- music and mute ---

void MentariumCanvas::setMuted(bool muted) {
    ObjectLock hold(this, true);
    if (muted == muted_) return;
    muted_ = muted;
    if (keeper_) keeper_->remember(ProgressKeeper::kMuted, muted ? 1 : 0);
    if (music_) music_->setVolume(muted ? 0 : kMusicVolume);
    window::AudioClip::setEffectsVolume(muted ? 0 : kEffectsVolume);
    showToggle("bMuteVolume", muted);
    HostNotifier::send(muted ? MENTARIUM_NOTIFY_SOUND_OFF : MENTARIUM_NOTIFY_SOUND_ON);
}

void MentariumCanvas::showToggle(const char* name, bool on) {
    for (Screen s : {ScreenMainMenu, ScreenPauseMenu})
        if (auto* dialog = dynamic_cast<sprite::DialogSprite*>(screens_[s]))
            if (auto* button = dynamic_cast<sprite::ButtonSprite*>(dialog->findChild(name)))
                button->setState(on ? sprite::ButtonSprite::Selected : sprite::ButtonSprite::Normal);
}

// The games read the palette when they colour a new turn, so a switch shows
// from the next turn on.
void MentariumCanvas::setColourBlind(bool on) {
    ObjectLock hold(this, true);
    const ColourPalette::Kind kind = on ? ColourPalette::ColourBlind : ColourPalette::Normal;
    ColourPalette::setCurrent(kind);
    if (keeper_) keeper_->remember(ProgressKeeper::kPalette, kind);
    showToggle(kPaletteButton, on);
}

bool MentariumCanvas::isColourBlind() const { return ColourPalette::current() == ColourPalette::ColourBlind; }

// --- actions, ticks and focus ---

void MentariumCanvas::onMessage(lang::Object* argument, const lang::String& message) {
    ObjectLock hold(this, true);
    if (message.equals("bMenuInstructions")) {
        playSound(SoundClick);
        show(ScreenDim, true);
        show(ScreenInstructions, true);
        show(ScreenPauseMenu, false);
        HostNotifier::send(MENTARIUM_NOTIFY_RESUMED);
    } else if (message.equals("bInstructionsClose")) {
        if (state_ != StateMenu) return;
        if (testUnfinished()) {
            show(ScreenDailyTestRest, true);
        } else {
            show(ScreenDim, false);
            HostNotifier::send(MENTARIUM_NOTIFY_RESUMED);
        }
    } else if (message.equals("PauseHowToPlay")) {
        show(ScreenInGameInstructions, true);
    } else if (message.equals("bMuteVolume")) {
        setMuted(!muted_);
    } else if (message.equals(kPaletteButton)) {
        playSound(SoundClick);
        setColourBlind(!isColourBlind());
    } else if (message.equals("ExitYes")) {
        if (!(dailyTestMode_ && currentGame_ < 0)) {
            if (GameBase* game = gameAt(currentGame_)) game->stopGame();
            HostNotifier::send(MENTARIUM_NOTIFY_LEFT_GAME);
        }
        show(ScreenDim, false);
        hideAllScreens();
        currentGame_ = -1;
        setState(StateMenu);
    } else if (message.equals("ExitNo")) {
        if (state_ == StateMenu && testUnfinished()) show(ScreenDailyTestRest, true);
    } else if (message.equals("Quit")) {
        playSound(SoundClick);
        setState(StatePaused);
    } else if (message.equals("CLOSED")) {
        show(ScreenDim, false);
        HostNotifier::send(MENTARIUM_NOTIFY_RESUMED);
    } else if (message.equals("PauseCancel")) {
        if (state_ == StateMenu || state_ == StateResults) {
            show(ScreenDim, false);
            HostNotifier::send(MENTARIUM_NOTIFY_RESUMED);
            if (!dailyTestMode_) show(ScreenDifficultyMenu, true);
            else if (testUnfinished())
                show(ScreenDailyTestRest, true);
        } else {
            show(ScreenDim, false);  // the game-over overlay does not take the darkening away itself
            setState(isShowing(ScreenGameOverOverlay) ? StateGameOver : StatePlaying);
        }
    } else if (message.equals("bDownLoad")) {
        playSound(SoundClick);
        HostNotifier::send(MENTARIUM_NOTIFY_DOWNLOAD);
    } else {
        GameCanvas2::onMessage(argument, message);
    }
}

bool MentariumCanvas::processEvent() {
    // Screens and minigames handle input under the canvas's monitor, taken
    // before the overlay's as the render tick does.
    ObjectLock hold(this, true);
    return GameCanvas2::processEvent();
}

void MentariumCanvas::update() {
    {
        ObjectLock hold(this, true);
        if (pauseRequested_) {
            if (state_ == StatePlaying) setState(StatePaused);
            pauseRequested_ = false;
        } else if (state_ == StateGameOver) {
            ++shakeTicks_;
            if (sprite::Sprite* overlay = screens_[ScreenGameOverOverlay])
                overlay->setLocation(overlayHomeX_ - random_.nextInt(kShakeRange),
                                     overlayHomeY_ - random_.nextInt(kShakeRange));
        }
        if (auto* swipe = dynamic_cast<StartGameSwipe*>(screens_[ScreenStartGameSwipe])) swipe->advance();
    }
    GameCanvas2::update();
}

bool MentariumCanvas::onKeyDown(window::Event* e, lang::Object*& object, lang::String& message) {
    ObjectLock hold(this, true);
    if (e->key == window::keys::Escape && state_ == StatePlaying) {
        pauseRequested_ = true;
        return false;
    }
    if ((e->key == 'm' || e->key == 'M') && (e->modifiers & window::Event::ModCtrl) == 0) {
        setMuted(!muted_);
        return false;
    }
    return GameCanvas2::onKeyDown(e, object, message);
}

void MentariumCanvas::onActivation(bool active) {
    if (!active) pauseRequested_ = true;
}

void MentariumCanvas::onMinimised() { pauseRequested_ = true; }

void MentariumCanvas::onCloseRequest() {}
