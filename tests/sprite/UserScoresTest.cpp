#include <algorithm>

#include "sprite/ProfileFixture.h"

using testsupport::ProfileFixture;

namespace {

int storedNumber(const std::optional<platform::ProfileValue>& value) {
    if (!value || value->data.size() != 4) return -999;
    const auto& d = value->data;
    return static_cast<int>(d[0] | d[1] << 8 | d[2] << 16 | static_cast<uint32_t>(d[3]) << 24);
}

std::string storedText(const std::optional<platform::ProfileValue>& value) {
    if (!value || value->data.empty()) return "<missing>";
    return std::string(value->data.begin(), value->data.end() - 1);
}

}  // namespace

class UserScores : public ProfileFixture {
protected:
    // Ten entries of mode "m" scoring 1000, 900, ..., 100.
    void fillMode(sprite::User& user, const char* mode) {
        for (int i = 0; i < sprite::User::kScoresPerMode; ++i)
            ASSERT_EQ(user.addScore(("p" + std::to_string(i)).c_str(), mode, i, 1000 - 100 * i, i * 2), i);
    }
    int storedScore(int n, const std::string& subkey = "") {
        return storedNumber(raw().value(subkey, "SCORE" + std::to_string(n)));
    }
};

TEST_F(UserScores, EntriesAreKeptBestFirstAndEqualScoresGoAfter) {
    auto user = openUser();
    EXPECT_EQ(user->addScore("ann", "easy", 1, 50, 0), 0);
    EXPECT_EQ(user->addScore("bob", "easy", 2, 80, 0), 0);
    EXPECT_EQ(user->addScore("cid", "easy", 3, 50, 7), 2);
    EXPECT_EQ(user->addScore("dan", "easy", 4, 65, 0), 1);

    EXPECT_STREQ(user->getScoreName("easy", 0).c_str(), "bob");
    EXPECT_STREQ(user->getScoreName("easy", 1).c_str(), "dan");
    EXPECT_STREQ(user->getScoreName("easy", 2).c_str(), "ann");
    EXPECT_STREQ(user->getScoreName("easy", 3).c_str(), "cid");
    EXPECT_EQ(user->getScore("easy", 3), 50);
    EXPECT_EQ(user->getScoreLevel("easy", 3), 3);
    EXPECT_EQ(user->getScoreSetting("easy", 3), 7);

    // Past the list or in an unknown mode: the neutral answers.
    EXPECT_EQ(user->getScore("easy", 4), -1);
    EXPECT_EQ(user->getScore("easy", -1), -1);
    EXPECT_STREQ(user->getScoreName("hard", 0).c_str(), "");
    EXPECT_EQ(user->getScoreLevel("hard", 0), 0);
    EXPECT_EQ(user->getScoreSetting("hard", 0), 0);
    EXPECT_EQ(user->getScore(0), -1);
}

TEST_F(UserScores, EntriesAreWrittenAsFiveNumberedValues) {
    auto user = openUser();
    user->addScore("ann", 3, 70, 9);
    user->addScore("bob", 4, 90, 8);
    EXPECT_EQ(user->storedScoreCount(), 2);
    auto look = raw();
    EXPECT_EQ(storedText(look.value("", "SCORENAME0")), "bob");
    EXPECT_EQ(storedText(look.value("", "SCOREMODE0")), "");
    EXPECT_EQ(storedNumber(look.value("", "SCORE0")), 90);
    EXPECT_EQ(storedNumber(look.value("", "LEVEL0")), 4);
    EXPECT_EQ(storedNumber(look.value("", "SCORESETTING0")), 8);
    EXPECT_EQ(storedText(look.value("", "SCORENAME1")), "ann");
    EXPECT_EQ(storedNumber(look.value("", "SCORE1")), 70);
    EXPECT_FALSE(look.value("", "SCORE2"));
}

TEST_F(UserScores, AFullListTakesOnlyABetterScore) {
    auto user = openUser();
    fillMode(*user, "m");
    EXPECT_EQ(user->addScore("low", "m", 0, 50, 0), -1);
    EXPECT_EQ(user->addScore("tie", "m", 0, 100, 0), -1) << "a tie with the last does not get in";
    EXPECT_EQ(user->getScore("m", 9), 100);
    EXPECT_EQ(user->storedScoreCount(), 10);

    EXPECT_EQ(user->addScore("best", "m", 0, 5000, 0), 0);
    EXPECT_EQ(user->storedScoreCount(), 10);
    EXPECT_EQ(storedScore(0), 5000);
    EXPECT_EQ(storedScore(9), 200);
    EXPECT_EQ(storedScore(10), -999) << "the old tenth entry is no longer written";
    // In memory the list briefly holds the eleventh.
    EXPECT_EQ(user->getScore("m", 10), 100);

    auto reloaded = openUser();
    EXPECT_EQ(reloaded->getScore("m", 0), 5000);
    EXPECT_EQ(reloaded->getScore("m", 9), 200);
    EXPECT_EQ(reloaded->getScore("m", 10), -1);
}

TEST_F(UserScores, ModesAreLoadedBackIntoTheirOwnLists) {
    {
        auto user = openUser();
        user->addScore("a1", "easy", 1, 10, 100);
        user->addScore("b1", "hard", 2, 30, 200);
        user->addScore("a2", "easy", 3, 20, 300);
        user->addScore("n1", 4, 40, 400);
        EXPECT_EQ(user->storedScoreCount(), 4);
    }
    auto user = openUser();
    EXPECT_EQ(user->storedScoreCount(), 4);
    EXPECT_STREQ(user->getScoreName("easy", 0).c_str(), "a2");
    EXPECT_EQ(user->getScoreSetting("easy", 0), 300);
    EXPECT_EQ(user->getScoreLevel("easy", 1), 1);
    EXPECT_EQ(user->getScore("easy", 1), 10);
    EXPECT_STREQ(user->getScoreName("hard", 0).c_str(), "b1");
    EXPECT_STREQ(user->getScoreName(0).c_str(), "n1");
    EXPECT_EQ(user->getScoreLevel(0), 4);
    EXPECT_EQ(user->getScore(0), 40);
    EXPECT_EQ(user->getScore("hard", 1), -1);

    // The entries of one mode are stored next to each other.
    auto look = raw();
    std::vector<std::string> modes;
    for (int n = 0; n < 4; ++n) modes.push_back(storedText(look.value("", "SCOREMODE" + std::to_string(n))));
    for (const char* mode : {"easy", "hard", ""}) {
        auto first = std::find(modes.begin(), modes.end(), mode);
        auto last = std::find(modes.rbegin(), modes.rend(), mode).base();
        EXPECT_EQ(std::count(first, last, mode), last - first) << mode;
    }
}

TEST_F(UserScores, RemovingAModeRewritesTheRestFromTheStart) {
    auto user = openUser();
    fillMode(*user, "gone");
    user->addScore("k1", "kept", 0, 7, 0);
    user->addScore("k2", "kept", 0, 5, 0);
    EXPECT_EQ(user->storedScoreCount(), 12);

    user->removeScoreMode("gone");
    EXPECT_EQ(user->storedScoreCount(), 2);
    EXPECT_EQ(user->getScore("gone", 0), -1);
    EXPECT_EQ(storedScore(0), 7);
    EXPECT_EQ(storedScore(1), 5);
    for (int n = 2; n < 12; ++n) EXPECT_EQ(storedScore(n), -999) << n;

    user->removeScoreMode("never there");
    EXPECT_EQ(user->storedScoreCount(), 2);

    auto reloaded = openUser();
    EXPECT_EQ(reloaded->storedScoreCount(), 2);
    EXPECT_STREQ(reloaded->getScoreName("kept", 1).c_str(), "k2");
}

TEST_F(UserScores, ClearingRemovesEveryStoredEntry) {
    auto user = openUser();
    fillMode(*user, "m");
    user->clearScores();
    EXPECT_EQ(user->storedScoreCount(), 0);
    EXPECT_EQ(user->getScore("m", 0), -1);
    for (int n = 0; n < 10; ++n) EXPECT_EQ(storedScore(n), -999);
    EXPECT_FALSE(raw().value("", "SCORENAME0"));
    EXPECT_EQ(user->addScore("again", "m", 0, 1, 0), 0);
    EXPECT_EQ(storedScore(0), 1);
}

TEST_F(UserScores, ThePrefixPutsTheTableInASubkey) {
    auto user = openUser();
    user->setScorePrefix("Tables\\Arcade");
    EXPECT_STREQ(user->scorePrefix().c_str(), "Tables\\Arcade\\");
    user->setScorePrefix("Tables\\Arcade\\");
    EXPECT_STREQ(user->scorePrefix().c_str(), "Tables\\Arcade\\");
    user->addScore("ann", 1, 70, 0);
    EXPECT_EQ(storedScore(0, "Tables\\Arcade"), 70);
    EXPECT_FALSE(raw().value("", "SCORE0"));

    auto other = openUser();
    EXPECT_EQ(other->getScore(0), -1) << "the default table has no entries";
    other->setScorePrefix("Tables\\Arcade");
    other->loadScores();
    EXPECT_EQ(other->getScore(0), 70);
}

TEST_F(UserScores, AStoredScoreOfMinusOneEndsTheList) {
    {
        auto user = openUser();
        user->addScore("a", 1, 30, 0);
        user->addScore("b", 1, 20, 0);
        user->addScore("c", 1, 10, 0);
        user->setInt("SCORE1", -1);
    }
    auto user = openUser();
    EXPECT_EQ(user->storedScoreCount(), 1);
    EXPECT_EQ(user->getScore(0), 30);
    EXPECT_EQ(user->getScore(1), -1);
}
