#include "game/ProgressRecord.h"

#include <algorithm>

#include "game/MentariumCanvas.h"
#include "game/TrophyRule.h"

ProgressRecord::ProgressRecord() { std::fill(std::begin(scoreAtRankGained_), std::end(scoreAtRankGained_), -1); }

void ProgressRecord::readThresholds(const lang::IntArray& configuration) {
    auto number = [&](int i) { return i < configuration.length() ? configuration[i] : 0; };
    for (int i = 0; i < RankThresholds; ++i) rankThresholds_[i] = number(i);
    rankStep_ = configuration.length() > 15 ? configuration[15] : 1;
    for (int i = 0; i < 9; ++i) trophyThresholds_[i] = number(16 + i);
}

void ProgressRecord::addPracticeScore(int game, int difficulty, int score) {
    if (!validGame(game) || !validDifficulty(difficulty)) return;
    GameBlock& block = games_[game];
    int& length = block.historyLength[difficulty];
    length = std::min(length + 1, HistorySize);
    int* history = block.history[difficulty];
    std::copy_backward(history, history + HistorySize - 1, history + HistorySize);
    history[0] = score;
    if (score > block.bestScore[difficulty]) block.bestScore[difficulty] = score;
}

int ProgressRecord::bestScore(int game, int difficulty) const {
    if (!validGame(game) || !validDifficulty(difficulty)) return 0;
    return games_[game].bestScore[difficulty];
}

int ProgressRecord::trophyThreshold(int difficulty, int trophy) const {
    if (!validDifficulty(difficulty) || trophy < 0 || trophy > 2) return 0;
    return trophyThresholds_[difficulty * 3 + trophy];
}

int ProgressRecord::trophyLevel(int difficulty, int score) const {
    return trophyLevelOf(trophyThreshold(difficulty, 0), trophyThreshold(difficulty, 1), trophyThreshold(difficulty, 2),
                         score);
}

ProgressRecord::GameBlock* ProgressRecord::gameBlock(int game) { return validGame(game) ? &games_[game] : nullptr; }

const ProgressRecord::GameBlock* ProgressRecord::gameBlock(int game) const {
    return validGame(game) ? &games_[game] : nullptr;
}

int ProgressRecord::storedLevel(int game, int difficulty) const {
    if (!validGame(game) || !validDifficulty(difficulty)) return -1;
    return games_[game].storedLevel[difficulty];
}

void ProgressRecord::setStoredLevel(int game, int difficulty, int value) {
    if (validGame(game) && validDifficulty(difficulty)) games_[game].storedLevel[difficulty] = value;
}

int ProgressRecord::rankThreshold(int i) const {
    constexpr int n = RankThresholds;
    const int last = rankThresholds_[n - 1];
    if (i <= n - 1) return rankThresholds_[std::max(i, 0)];
    if (i <= 21) return last + (i - n + 1) * rankStep_;
    if (i <= 32) return last + (i - n + 1) * rankStep_ + (i - 21) * (i - 21) * 4000;
    return (i - 32) * 1000000;
}

void ProgressRecord::recordTest(int total, int strongest, int weakest) {
    strongestGame_ = strongest;
    weakestGame_ = weakest;
    testHistoryLength_ = std::min(testHistoryLength_ + 1, HistorySize);
    std::copy_backward(testHistory_, testHistory_ + HistorySize - 1, testHistory_ + HistorySize);
    testHistory_[0] = total;
    if (total > bestTestScore_) bestTestScore_ = total;
    if (total >= rankThreshold(currentRank_ + 1)) ++currentRank_;  // never more than one rank a test
}

void ProgressRecord::restoreDailyTests(int rank, int bestScore, const std::vector<int>& newestFirst, int strongest,
                                       int weakest) {
    currentRank_ = std::max(rank, 0);
    bestTestScore_ = std::max(bestScore, 0);
    testHistoryLength_ = std::min(static_cast<int>(newestFirst.size()), HistorySize);
    std::copy_n(newestFirst.begin(), testHistoryLength_, testHistory_);
    strongestGame_ = strongest;
    weakestGame_ = weakest;
}

lang::String ProgressRecord::rankTitle(int rank) const {
    MentariumCanvas* canvas = MentariumCanvas::current();
    auto text = [canvas](const lang::String& key) { return canvas ? canvas->text(key) : key; };
    constexpr int last = RankThresholds - 1;
    lang::String key("TXT_TEST_TITLE_");
    key.append(std::min(rank, last));
    if (rank <= last) return text(key);
    lang::String level;
    level.append(rank - last + 1);
    lang::String suffix = text(lang::String("TXT_TEST_TITLE_PLUS_LEVEL_SUFFIX"));
    return lang::String::format(suffix.c_str(), "%", text(key).c_str(), level.c_str(),
                                static_cast<const char*>(nullptr));
}
