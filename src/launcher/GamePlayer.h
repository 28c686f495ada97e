#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Description.h"

namespace launcher {

// One game's way of answering: from the described board it finds what a
// player who sees the screen would click, right, or wrong on purpose.
class GamePlayer {
public:
    struct Point {
        int x, y;
    };

    virtual ~GamePlayer() = default;
    // Every look at the board, answering or not: a player who must remember
    // what passed (a sequence of pictures, flights) takes it in here.
    virtual void observe(const Description&) {}
    // Whether the board takes an answer now (most games wait in phase 5).
    virtual bool answering(const Description& board) const { return board.fact("phase") == 5; }
    // How many answers make up the board's turn (a sequence, a pattern of
    // tiles): the bot spreads a turn's chance of a miss over them.
    virtual int answersPerTurn(const Description&) const { return 1; }
    // Which turn the board shows, for a game whose turns follow one another
    // with no pause the bot would see (a new picture every step): a new turn
    // is reacted to afresh. -1 where every turn begins after a pause.
    virtual int turn(const Description&) const { return -1; }
    // The clicks of one answer; empty when the board offers no such answer.
    virtual std::vector<Point> answer(const Description& board, bool right) = 0;
};

// The player of the game with that class name, or null when there is none.
std::unique_ptr<GamePlayer> makeGamePlayer(const std::string& className);

}  // namespace launcher
