#pragma once

#include <string>
#include <vector>

namespace launcher {

// A demonstration player for Concentration that reads the board through the
// game's description query and answers right and wrong on purpose: every
// third pair it turns is a miss. It reports what it did and what followed as
// "bot ..." lines.
class ConcentrationBot {
public:
    struct Click {
        int atMs;
        int x, y;
    };

    // Takes the game's description at a moment; answers the clicks to make.
    std::vector<Click> step(const std::string& description, int nowMs);
    // Screenshots the bot asks for since the last call (file names, no folder):
    // the first board, a turn with a card face up, game over, the result.
    std::vector<std::string> takeShots();
    // The result screen of the play has been seen.
    bool isDone() const { return resultShot_; }
    // The report lines written so far (also printed when printing is on).
    const std::vector<std::string>& lines() const { return lines_; }
    void setPrinting(bool on) { printing_ = on; }

private:
    struct Card {
        int index, x, y, w, h, pair, open, frame, visible;
    };
    void report(const std::string& line);

    int turns_ = 0;
    int nextActionMs_ = 0;
    bool pending_ = false;
    bool pendingWrong_ = false;
    int scoreBefore_ = 0, shownBefore_ = 0, wrongBefore_ = 0;
    int sawIndicator_ = -1;
    bool sawShake_ = false;
    bool reportedGameOver_ = false;
    bool reportedResult_ = false;
    bool printing_ = true;
    bool shotStart_ = false, shotTurn_ = false, gameOverShot_ = false, resultShot_ = false;
    int gameOverSeenMs_ = 0, resultSeenMs_ = 0;
    std::vector<std::string> shots_;
    std::vector<std::string> lines_;
};

}  // namespace launcher
