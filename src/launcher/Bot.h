#pragma once

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Description.h"
#include "GamePlayer.h"

namespace launcher {

// A player that finds its way from the main menu to a game (or through a
// daily test), plays it from the game's description query and quits once the
// result shows. Its skill sets how quickly it answers and how many turns it
// misses; its random source is seeded, so a run repeats. It reports what it
// did and what followed as "bot ..." lines.
class Bot {
public:
    struct Settings {
        std::string game = "Concentration";  // a class name, or "daily"
        int difficulty = 0;                  // 0 easy, 1 normal, 2 hard
        double skill = 1.0;                  // 0..1
        unsigned long seed = 1;
    };
    struct Click {
        int atMs;
        int x, y;
    };

    explicit Bot(const Settings& settings);
    ~Bot();

    // Takes the game's description at a moment; answers the clicks to make.
    std::vector<Click> step(const std::string& description, int nowMs);
    // Screenshots the bot asks for since the last call (file names, no folder):
    // the first board, a turn in the middle, game over, the result.
    std::vector<std::string> takeShots();
    // The result has been shown (or the bot gave up).
    bool isDone() const { return done_; }
    // 0 once the result has been seen; 3 when the bot could not play.
    int exitCode() const { return failed_ ? 3 : 0; }
    const std::vector<std::string>& lines() const { return lines_; }
    void setPrinting(bool on) { printing_ = on; }

    // How long the bot takes to answer and how often it misses at a skill.
    static int reactionMs(double skill);
    static double missChance(double skill);

private:
    void report(const std::string& line);
    void fail(const std::string& why);
    void press(const Description& board, const char* name, int nowMs, std::vector<Click>& clicks);
    void navigate(const Description& board, int nowMs, std::vector<Click>& clicks);
    void play(const Description& board, int nowMs, std::vector<Click>& clicks);
    void watchAnswer(const Description& board);
    void finishPlay(const Description& board, int nowMs);
    int jittered(int ms);

    Settings settings_;
    std::mt19937 random_;
    std::unique_ptr<GamePlayer> player_;
    int playerGame_ = -1;
    std::string gameName_;

    // Menus: one press, then a pause while the next screen comes in.
    int nextPressMs_ = 0;
    // The turn: when the board can next be answered, and the answer in flight.
    int answerableSinceMs_ = -1;
    int nextAnswerMs_ = 0;
    int lastTurn_ = -1;
    int turns_ = 0;
    bool watching_ = false;
    bool watchingWrong_ = false;
    int scoreBefore_ = 0, shownBefore_ = 0, wrongBefore_ = 0;
    int sawIndicator_ = -1;
    bool sawShake_ = false;
    // The play's end.
    bool reportedGameOver_ = false, reportedResult_ = false;
    int gameOverSeenMs_ = 0, resultSeenMs_ = 0;
    int midturnShotMs_ = 0;
    bool shotStart_ = false, shotTurn_ = false, shotGameOver_ = false, shotResult_ = false;
    int gamesPlayed_ = 0;
    int highestLevel_ = 0;  // the highest level the current game's board showed
    // Giving up: nothing on screen changed for too long.
    std::string lastLook_;
    int lastChangeMs_ = 0;

    bool done_ = false, failed_ = false, printing_ = true;
    std::vector<std::string> shots_;
    std::vector<std::string> lines_;
};

}  // namespace launcher
