#pragma once

namespace sprite {

// Spreads a distance evenly over a number of passes: each pass moves the
// quotient, plus one whenever the accumulated remainder reaches the step count,
// so the last pass lands exactly on the target.
struct GlideStepper {
    int quotient = 0;
    int remainder = 0;
    int accumulator = 0;
    int steps = 0;
    bool backwards = false;

    void start(int from, int to, int n) {
        int distance = to > from ? to - from : from - to;
        steps = n < 1 ? 1 : n;
        quotient = distance / steps;
        remainder = distance % steps;
        accumulator = 0;
        backwards = to < from;
    }
    void clear() { *this = GlideStepper(); }
    // The move of the next pass, signed, without taking it.
    int peek() const {
        int move = quotient + (steps > 0 && accumulator + remainder >= steps ? 1 : 0);
        return backwards ? -move : move;
    }
    // Takes the next pass's move.
    int take() {
        int move = peek();
        accumulator += remainder;
        if (steps > 0 && accumulator >= steps) accumulator -= steps;
        return move;
    }
};

}  // namespace sprite
