#include "Bot.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace launcher {

namespace {

constexpr int kStatePlaying = 0;
constexpr int kStateGameOver = 6;
constexpr int kPhaseCorrect = 8;
constexpr int kPhaseWrong = 9;
const char* const kDifficultyButtons[3] = {"bDifficultyEasy", "bDifficultyNormal", "bDifficultyHard"};

constexpr int kMenuPauseMs = 700;      // a screen slides in before its buttons are pressed
constexpr int kClickGapMs = 150;       // between the clicks of one answer
constexpr int kSettleMs = 300;         // a screen is photographed once painted
constexpr int kQuickestMs = 300;       // a quick player's reaction
constexpr int kSlowestExtraMs = 1400;  // what a new player adds to it
constexpr double kMostMisses = 0.3;    // the share of turns missed at skill 0
constexpr int kStuckMs = 30000;        // nothing changed on screen for this long: the bot cannot play

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

Bot::Bot(const Settings& settings)
    : settings_(settings), random_(static_cast<std::mt19937::result_type>(settings.seed)) {
    settings_.skill = std::clamp(settings_.skill, 0.0, 1.0);
}

Bot::~Bot() = default;

int Bot::reactionMs(double skill) {
    return kQuickestMs + static_cast<int>(kSlowestExtraMs * (1.0 - std::clamp(skill, 0.0, 1.0)));
}

double Bot::missChance(double skill) { return kMostMisses * (1.0 - std::clamp(skill, 0.0, 1.0)); }

int Bot::jittered(int ms) {
    // A player is not a metronome: up to a fifth either way.
    std::uniform_int_distribution<int> spread(-ms / 5, ms / 5);
    return ms + spread(random_);
}

std::vector<std::string> Bot::takeShots() {
    std::vector<std::string> taken;
    taken.swap(shots_);
    return taken;
}

void Bot::report(const std::string& line) {
    lines_.push_back(line);
    if (printing_) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
}

void Bot::fail(const std::string& why) {
    if (done_) return;
    report("bot error " + why);
    std::fprintf(stderr, "mentarium: the bot cannot go on: %s\n", why.c_str());
    failed_ = done_ = true;
}

void Bot::press(const Description& board, const char* name, int nowMs, std::vector<Click>& clicks) {
    const Description::Button* b = board.button(name);
    if (b == nullptr || nowMs < nextPressMs_) return;
    clicks.push_back({nowMs, b->centreX(), b->centreY()});
    nextPressMs_ = nowMs + kMenuPauseMs;
}

std::vector<Bot::Click> Bot::step(const std::string& description, int nowMs) {
    std::vector<Click> clicks;
    if (done_) return clicks;
    Description board(description);
    bool daily = settings_.game == "daily";
    if (!daily && board.namesGames() && board.gameIndex(settings_.game) < 0) {
        fail("there is no game called " + settings_.game);
        return clicks;
    }
    if (!daily && !makeGamePlayer(settings_.game)) {
        fail("the bot has no player for " + settings_.game);
        return clicks;
    }

    std::string look = std::to_string(board.fact("state")) + " " + std::to_string(board.fact("phase")) + " " +
                       std::to_string(board.fact("score")) + " " + std::to_string(board.fact("wrong")) + " " +
                       std::to_string(board.fact("game")) + " " + std::to_string(board.fact("test")) + " " +
                       board.screens();
    if (look != lastLook_) {
        lastLook_ = look;
        lastChangeMs_ = nowMs;
    } else if (nowMs - lastChangeMs_ > kStuckMs) {
        fail("nothing changed for " + std::to_string(kStuckMs / 1000) + " s at: " + look);
        return clicks;
    }

    finishPlay(board, nowMs);
    if (done_) return clicks;
    if (board.fact("state") == kStatePlaying && board.fact("game") >= 0 && board.fact("visible") == 1)
        play(board, nowMs, clicks);
    else
        navigate(board, nowMs, clicks);
    return clicks;
}

void Bot::navigate(const Description& board, int nowMs, std::vector<Click>& clicks) {
    bool daily = settings_.game == "daily";
    answerableSinceMs_ = -1;
    if (board.showing("Instructions")) return press(board, "bInstructionsClose", nowMs, clicks);
    if (daily) {
        if (board.showing("MainMenu") && gamesPlayed_ == 0) {
            if (!board.button("bStartDailyTest") && nowMs >= nextPressMs_)
                return fail("the daily test cannot be started from this profile");
            return press(board, "bStartDailyTest", nowMs, clicks);
        }
        if (board.showing("DailyTestMenu")) return press(board, "bStartTest", nowMs, clicks);
        if (board.showing("DailyTestRestScreen"))  // the first game starts from its own button
            return press(board, board.button("ButtonStart") ? "ButtonStart" : "bContinue", nowMs, clicks);
        if (board.showing("DailyTestPayoffScreen")) return press(board, "bOk", nowMs, clicks);
        return;
    }
    if (board.showing("MainMenu")) return press(board, "bStartPracticeArea", nowMs, clicks);
    if (board.showing("PracticeAreaMenu")) {
        std::string button = "bStart" + std::to_string(board.gameIndex(settings_.game));
        if (!board.button(button)) {
            if (nowMs >= nextPressMs_)
                fail(settings_.game + " is locked in this profile; --unlock-all opens every game for one run");
            return;
        }
        return press(board, button.c_str(), nowMs, clicks);
    }
    if (board.showing("DifficultyMenu")) {
        const char* name = kDifficultyButtons[std::clamp(settings_.difficulty, 0, 2)];
        if (!board.button(name) && nowMs >= nextPressMs_) return fail(std::string(name) + " cannot be pressed");
        return press(board, name, nowMs, clicks);
    }
}

void Bot::finishPlay(const Description& board, int nowMs) {
    int state = board.fact("state");
    if (state == kStateGameOver && !reportedGameOver_) {
        reportedGameOver_ = true;
        gameOverSeenMs_ = nowMs;
        report("bot gameover score " + std::to_string(board.fact("score", 0)));
        report("bot level highest " + std::to_string(highestLevel_));
    }
    if (state == kStatePlaying && reportedGameOver_ && board.fact("phase") != 11 && board.fact("game") != playerGame_) {
        reportedGameOver_ = false;  // the next game of a daily test
    }
    bool daily = settings_.game == "daily";
    bool result = daily ? board.showing("DailyTestCompleteScreen")
                        : board.showing("PracticeCompleteScreen") && board.has("lastscore");
    if (result && !reportedResult_) {
        reportedResult_ = true;
        resultSeenMs_ = nowMs;
        if (daily) report("bot result daily games " + std::to_string(gamesPlayed_));
        else {
            report("bot result lastscore " + std::to_string(board.fact("lastscore", 0)));
            report("bot trophy " + std::to_string(board.fact("trophy", -1)));
        }
    }
    // Screens are photographed a little after they appear, once painted.
    std::string prefix = lowered(daily ? std::string("daily") : settings_.game);
    if (reportedGameOver_ && !shotGameOver_ && nowMs - gameOverSeenMs_ >= kSettleMs) {
        shotGameOver_ = true;
        shots_.push_back(prefix + "-gameover.png");
    }
    if (reportedResult_ && nowMs - resultSeenMs_ >= kSettleMs) {
        if (!shotResult_) shots_.push_back(prefix + "-result.png");
        shotResult_ = true;
        done_ = true;
    }
}

void Bot::watchAnswer(const Description& board) {
    if (!watching_) return;
    int phase = board.fact("phase");
    if (phase == kPhaseWrong || phase == kPhaseCorrect) {
        int indicator = board.fact("indicator", -1);
        if (indicator >= 0) sawIndicator_ = indicator;
        if (board.fact("timershake", 0)) sawShake_ = true;
    }
    int score = board.fact("score", 0), shown = board.fact("shownscore", 0), wrong = board.fact("wrong", 0);
    if (score == scoreBefore_ && wrong == wrongBefore_) return;
    report("bot answer " + std::string(watchingWrong_ ? "wrong" : "right") + " score " + std::to_string(scoreBefore_) +
           " " + std::to_string(score) + " shown " + std::to_string(shownBefore_) + " " + std::to_string(shown) +
           " wrong " + std::to_string(wrongBefore_) + " " + std::to_string(wrong) + " indicator " +
           std::to_string(board.fact("indicator", sawIndicator_) >= 0 ? board.fact("indicator", sawIndicator_)
                                                                      : sawIndicator_) +
           " timershake " + std::to_string(sawShake_ || board.fact("timershake", 0) ? 1 : 0));
    watching_ = false;
}

void Bot::play(const Description& board, int nowMs, std::vector<Click>& clicks) {
    int game = board.fact("game");
    if (game != playerGame_) {
        playerGame_ = game;
        gameName_ = board.gameName(game);
        player_ = makeGamePlayer(gameName_);
        if (!player_) return fail("the bot has no player for " + gameName_);
        ++gamesPlayed_;
        answerableSinceMs_ = -1;
        lastTurn_ = -1;
        highestLevel_ = 0;
        report("bot plays " + gameName_);
    }
    watchAnswer(board);
    // How far the play got: where the harder boards and picture sets begin is a matter of level.
    highestLevel_ = std::max(highestLevel_, board.fact("level", 0));
    player_->observe(board);
    if (midturnShotMs_ > 0 && nowMs >= midturnShotMs_) {
        midturnShotMs_ = 0;
        shots_.push_back(lowered(gameName_) + "-midturn.png");
    }
    if (!player_->answering(board)) {
        answerableSinceMs_ = -1;
        return;
    }
    if (!shotStart_) {
        shotStart_ = true;
        shots_.push_back(lowered(gameName_) + "-start.png");
    }
    if (int turn = player_->turn(board); turn != lastTurn_) {
        lastTurn_ = turn;
        answerableSinceMs_ = -1;  // a new picture came while the board stayed answerable
    }
    if (answerableSinceMs_ < 0) {
        answerableSinceMs_ = nowMs;
        nextAnswerMs_ = std::max(nextAnswerMs_, nowMs + jittered(reactionMs(settings_.skill)));
    }
    if (nowMs < nextAnswerMs_) return;

    // A turn of several answers misses as often as a turn of one.
    int answers = std::max(player_->answersPerTurn(board), 1);
    std::bernoulli_distribution miss(1.0 - std::pow(1.0 - missChance(settings_.skill), 1.0 / answers));
    bool right = !miss(random_);
    std::vector<GamePlayer::Point> points = player_->answer(board, right);
    if (points.empty() && !right) {  // no sure miss on offer (a last pair, unseen cards): answer right
        right = true;
        points = player_->answer(board, right);
    }
    if (points.empty()) return;  // nothing to answer yet; the stuck check ends a wait that never ends
    ++turns_;
    watching_ = true;
    watchingWrong_ = !right;
    scoreBefore_ = board.fact("score", 0);
    shownBefore_ = board.fact("shownscore", 0);
    wrongBefore_ = board.fact("wrong", 0);
    sawIndicator_ = -1;
    sawShake_ = false;
    std::string where;
    for (size_t k = 0; k < points.size(); ++k) {
        clicks.push_back({nowMs + static_cast<int>(k) * kClickGapMs, points[k].x, points[k].y});
        where += " " + std::to_string(points[k].x) + "," + std::to_string(points[k].y);
    }
    report("bot turn " + std::to_string(turns_) + (right ? " right" : " wrong") + " at" + where);
    if (turns_ == 4 && points.size() > 1 && !shotTurn_) {
        shotTurn_ = true;
        midturnShotMs_ = nowMs + 1;  // the next look, between the answer's first and second click
    }
    int last = nowMs + static_cast<int>(points.size() - 1) * kClickGapMs;
    nextAnswerMs_ = last + std::max(kSettleMs, jittered(reactionMs(settings_.skill)));
}

}  // namespace launcher
