#include "Bot.h"

#include <cstdio>
#include <map>
#include <sstream>

namespace launcher {

namespace {

constexpr int kPhaseTurns = 5;
constexpr int kPhaseCorrect = 8;
constexpr int kPhaseWrong = 9;
constexpr int kSecondClickAfterMs = 150;
constexpr int kTurnPauseMs = 700;
constexpr int kSettleMs = 300;

}  // namespace

std::vector<std::string> ConcentrationBot::takeShots() {
    std::vector<std::string> taken;
    taken.swap(shots_);
    return taken;
}

void ConcentrationBot::report(const std::string& line) {
    lines_.push_back(line);
    if (printing_) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
}

std::vector<ConcentrationBot::Click> ConcentrationBot::step(const std::string& description, int nowMs) {
    std::map<std::string, int> facts;
    std::vector<std::string> screens;
    std::vector<Card> cards;
    std::istringstream in(description);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "card") {
            Card c{};
            if (words >> c.index >> c.x >> c.y >> c.w >> c.h >> c.pair >> c.open >> c.frame >> c.visible)
                cards.push_back(c);
        } else if (key == "screen") {
            std::string name;
            words >> name;
            screens.push_back(name);
        } else {
            int value = 0;
            if (words >> value) facts[key] = value;
        }
    }
    auto fact = [&](const char* key, int otherwise) {
        auto at = facts.find(key);
        return at == facts.end() ? otherwise : at->second;
    };
    auto showing = [&](const char* name) {
        for (const std::string& s : screens)
            if (s == name) return true;
        return false;
    };

    std::vector<Click> clicks;
    int state = fact("state", -1), phase = fact("phase", -1);
    if (state == 6 && !reportedGameOver_) {
        reportedGameOver_ = true;
        gameOverSeenMs_ = nowMs;
        report("bot gameover score " + std::to_string(fact("score", 0)));
    }
    if (showing("PracticeCompleteScreen") && !reportedResult_ && facts.count("lastscore")) {
        reportedResult_ = true;
        resultSeenMs_ = nowMs;
        report("bot result lastscore " + std::to_string(fact("lastscore", 0)));
    }
    // Screens are photographed a little after they appear, once painted.
    if (reportedGameOver_ && !gameOverShot_ && nowMs - gameOverSeenMs_ >= kSettleMs) {
        gameOverShot_ = true;
        shots_.push_back("concentration-gameover.png");
    }
    if (reportedResult_ && !resultShot_ && nowMs - resultSeenMs_ >= kSettleMs) {
        resultShot_ = true;
        shots_.push_back("concentration-result.png");
    }
    if (state != 0 || fact("game", -1) != 0) return clicks;
    if (phase == kPhaseTurns && !shotStart_) {
        shotStart_ = true;
        shots_.push_back("concentration-start.png");
    }
    if (pending_ && !pendingWrong_ && turns_ >= 4 && !shotTurn_ && fact("first", -1) >= 0) {
        shotTurn_ = true;
        shots_.push_back("concentration-midturn.png");
    }

    if (pending_) {
        if (phase == kPhaseWrong || phase == kPhaseCorrect) {
            int indicator = fact("indicator", -1);
            if (indicator >= 0) sawIndicator_ = indicator;
            if (fact("timershake", 0)) sawShake_ = true;
        }
        int score = fact("score", 0), shown = fact("shownscore", 0), wrong = fact("wrong", 0);
        if (score != scoreBefore_ || wrong != wrongBefore_) {
            std::string what = pendingWrong_ ? "wrong" : "right";
            report("bot answer " + what + " score " + std::to_string(scoreBefore_) + " " + std::to_string(score) +
                   " shown " + std::to_string(shownBefore_) + " " + std::to_string(shown) + " wrong " +
                   std::to_string(wrongBefore_) + " " + std::to_string(wrong) + " indicator " +
                   std::to_string(fact("indicator", sawIndicator_)) + " timershake " +
                   std::to_string(sawShake_ || fact("timershake", 0) ? 1 : 0));
            pending_ = false;
        }
        return clicks;
    }
    if (phase != kPhaseTurns || nowMs < nextActionMs_) return clicks;

    std::vector<Card> free;
    for (const Card& c : cards)
        if (c.visible && c.pair >= 0 && !c.open && c.frame == 0) free.push_back(c);
    const Card* a = nullptr;
    const Card* b = nullptr;
    bool wrong = turns_ % 3 == 2;
    for (size_t i = 0; i < free.size() && !b; ++i)
        for (size_t j = i + 1; j < free.size() && !b; ++j)
            if ((free[i].pair == free[j].pair) != wrong) {
                a = &free[i];
                b = &free[j];
            }
    if (!b && wrong) {  // only one pair left: a miss is impossible, take the pair
        wrong = false;
        for (size_t i = 0; i < free.size() && !b; ++i)
            for (size_t j = i + 1; j < free.size() && !b; ++j)
                if (free[i].pair == free[j].pair) {
                    a = &free[i];
                    b = &free[j];
                }
    }
    if (!b) return clicks;
    ++turns_;
    pending_ = true;
    pendingWrong_ = wrong;
    scoreBefore_ = fact("score", 0);
    shownBefore_ = fact("shownscore", 0);
    wrongBefore_ = fact("wrong", 0);
    sawIndicator_ = -1;
    sawShake_ = false;
    report("bot turn " + std::to_string(turns_) + (wrong ? " wrong" : " right") + " cards " +
           std::to_string(a->index) + " " + std::to_string(b->index));
    clicks.push_back({nowMs, a->x + a->w / 2, a->y + a->h / 2});
    clicks.push_back({nowMs + kSecondClickAfterMs, b->x + b->w / 2, b->y + b->h / 2});
    nextActionMs_ = nowMs + kTurnPauseMs;
    return clicks;
}

}  // namespace launcher
