#pragma once

// The trophy a score earns against the three thresholds of its difficulty,
// tested in this order: bronze (0) from t0 below t1, silver (1) from t1 below
// t2, gold (2) from t2, none (-1) otherwise. Header-only, so that the host
// program's progress report ranks scores exactly as the game does.
constexpr int TrophyNone = -1;
constexpr int TrophyBronze = 0;
constexpr int TrophySilver = 1;
constexpr int TrophyGold = 2;

constexpr int trophyLevelOf(int t0, int t1, int t2, int score) {
    if (t0 <= score && score < t1) return TrophyBronze;
    if (t1 <= score && score < t2) return TrophySilver;
    return score >= t2 ? TrophyGold : TrophyNone;
}
