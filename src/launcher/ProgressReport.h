#pragma once

#include <cstdio>
#include <string>

namespace platform {
class ProgressStore;
}

namespace launcher {

// What the host program tells a player about the progress the game kept,
// without starting the game: a readable table, the plays as CSV, a reset.

// Per game the best score per difficulty, trophies, plays and the last play;
// then the daily test's rank, title and best score.
void printStats(platform::ProgressStore& store, std::FILE* out);
// Every play, oldest first, with a header row. False when the file cannot be written.
bool exportHistory(platform::ProgressStore& store, const std::string& path, std::string& why);
// Keeps the progress as a dated backup beside the profile and empties it.
// The backup's path, or "" with why set.
std::string resetProgress(platform::ProgressStore& store, std::string& why);

}  // namespace launcher
