#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace platform {
class ProfileStore;
class ProgressStore;
struct StoredProgress;
}  // namespace platform

class DailyTestRun;
class ProgressRecord;

// Keeps the player's progress between runs. The record's rules stay in
// ProgressRecord; this copies a kept record into a new one at start and writes
// each change the moment it happens (a finished play, a finished daily test, a
// setting), each in one transaction of the profile database.
// Without a profile database it keeps nothing and every call does nothing.
class ProgressKeeper {
public:
    // Names of the kept values beside the plays and tests.
    static constexpr const char* kMuted = "muted";
    static constexpr const char* kPalette = "palette";  // 1: the colour-blind palette
    static constexpr const char* kDifficulty = "difficulty";
    static constexpr const char* kIntroStage = "intro_stage";

    // Reads what was kept (settings at once, the record on restore).
    explicit ProgressKeeper(std::shared_ptr<platform::ProfileStore> profile);
    ~ProgressKeeper();
    ProgressKeeper(const ProgressKeeper&) = delete;
    ProgressKeeper& operator=(const ProgressKeeper&) = delete;

    bool isKeeping() const { return store_ != nullptr; }

    // Fills a new record (thresholds already read) with what was kept. Values
    // out of the record's ranges, as a hand-edited file may hold, are left out.
    void restore(ProgressRecord& record);
    // A kept setting, or fallback when none was kept.
    int setting(const char* name, int fallback) const;
    void remember(const char* name, int value);

    // A finished practice play: its score and the level now stored for it.
    void practicePlayed(const ProgressRecord& record, int game, int difficulty, int score);
    // A finished daily test, after the record has ranked it.
    void testFinished(const ProgressRecord& record, const DailyTestRun& run);
    // Texts a report of the progress prints without the scene at hand.
    void rememberLabels(const std::map<std::string, std::string>& labels);

private:
    void complain(const char* what) const;

    std::unique_ptr<platform::ProgressStore> store_;
    std::unique_ptr<platform::StoredProgress> kept_;  // until restored
    std::map<std::string, int64_t> settings_;
};
