#include "ProgressReport.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <map>
#include <vector>

#include "game/TrophyRule.h"
#include "platform/ProgressStore.h"

namespace launcher {

namespace {

constexpr int kGames = 16;
constexpr int kDifficulties = 3;
const char* const kDifficultyNames[kDifficulties] = {"easy", "normal", "hard"};
const char* const kTrophyNames[3] = {"bronze", "silver", "gold"};

using Labels = std::map<std::string, std::string>;

std::string label(const Labels& labels, const std::string& name, const std::string& fallback) {
    auto found = labels.find(name);
    return found == labels.end() || found->second.empty() ? fallback : found->second;
}

std::string gameName(const Labels& labels, int game) {
    return label(labels, "game." + std::to_string(game), "Game " + std::to_string(game + 1));
}

// The trophy of a best score, or "-" without one (or without the game's thresholds).
std::string trophy(const Labels& labels, int difficulty, int best) {
    int t[3];
    for (int i = 0; i < 3; ++i) {
        std::string text = label(labels, "trophy." + std::to_string(difficulty) + "." + std::to_string(i), "");
        if (text.empty() || best <= 0) return "-";
        t[i] = std::atoi(text.c_str());
    }
    int level = trophyLevelOf(t[0], t[1], t[2], best);
    return level < 0 ? "-" : kTrophyNames[level];
}

// CSV fields are quoted when they hold a separator, a quote or a line break.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string utcText(int64_t seconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

}  // namespace

void printStats(platform::ProgressStore& store, std::FILE* out) {
    const Labels labels = store.labels();
    struct Row {
        int best[kDifficulties] = {0, 0, 0};
        int plays = 0;
        std::string last;
    };
    std::vector<Row> rows(kGames);
    for (const platform::PlaySummary& s : store.summaries()) {
        if (s.game < 0 || s.game >= kGames) continue;
        Row& row = rows[s.game];
        if (s.difficulty >= 0 && s.difficulty < kDifficulties) row.best[s.difficulty] = s.best;
        row.plays += s.plays;
        if (s.lastPlayed > row.last) row.last = s.lastPlayed;
    }
    std::fprintf(out, "Mentarium progress kept in %s\n\n", store.path().c_str());
    std::fprintf(out, "%-20s %8s %8s %8s  %-22s %6s  %s\n", "Game", "Easy", "Normal", "Hard", "Trophies (e/n/h)",
                 "Plays", "Last played");
    for (int g = 0; g < kGames; ++g) {
        const Row& row = rows[g];
        std::string trophies = trophy(labels, 0, row.best[0]) + "/" + trophy(labels, 1, row.best[1]) + "/" +
                               trophy(labels, 2, row.best[2]);
        std::fprintf(out, "%-20s %8d %8d %8d  %-22s %6d  %s\n", gameName(labels, g).c_str(), row.best[0], row.best[1],
                     row.best[2], trophies.c_str(), row.plays, row.last.empty() ? "never" : row.last.c_str());
    }
    platform::StoredProgress kept = store.load(1);
    auto rank = kept.values.find("rank");
    std::fprintf(out, "\nDaily test: rank %lld, \"%s\"; best score %d",
                 static_cast<long long>(rank == kept.values.end() ? 0 : rank->second),
                 label(labels, "rank.title", "no title yet").c_str(), kept.bestTest);
    std::string next = label(labels, "rank.next", "");
    if (!next.empty()) std::fprintf(out, "; the next rank needs %s", next.c_str());
    std::fprintf(out, ".\n");
}

bool exportHistory(platform::ProgressStore& store, const std::string& path, std::string& why) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        why = std::strerror(errno);
        return false;
    }
    const Labels labels = store.labels();
    std::fprintf(file, "play,played_at_utc,played_at_local,game,game_name,mode,score,daily_test\n");
    store.forEachPlay([&](const platform::StoredPlay& play) {
        const bool practice = play.difficulty >= 0 && play.difficulty < kDifficulties;
        std::fprintf(file, "%lld,%s,%s,%d,%s,%s,%d,%s\n", static_cast<long long>(play.id),
                     utcText(play.playedAt).c_str(), csvField(play.localTime).c_str(), play.game,
                     csvField(gameName(labels, play.game)).c_str(),
                     practice ? kDifficultyNames[play.difficulty] : "daily test", play.score,
                     play.test ? std::to_string(play.test).c_str() : "");
    });
    const bool written = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !written) {
        why = std::strerror(errno);
        return false;
    }
    return true;
}

std::string resetProgress(platform::ProgressStore& store, std::string& why) {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &parts);
    std::string backup = store.path() + ".progress-" + stamp;
    for (int n = 1; std::FILE* taken = std::fopen(backup.c_str(), "r"); ++n) {
        std::fclose(taken);
        backup = store.path() + ".progress-" + stamp + "-" + std::to_string(n);
    }
    return store.resetInto(backup, why) ? backup : std::string();
}

}  // namespace launcher
