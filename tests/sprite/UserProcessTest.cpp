#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <thread>

#include "lang/ByteArray.h"
#include "platform/ProgressStore.h"
#include "sprite/ProfileFixture.h"
#include "sprite/helpers/ProfileWriterData.h"

extern char** environ;

using testsupport::ProfileFixture;

namespace {

const char* const kWriter = MENTARIUM_BINARY_DIR "/tests/helper_profile_writer";

// Sanitized children start slowly; fewer rounds keep the test short there.
#ifdef __SANITIZE_ADDRESS__
constexpr int kKills = 12;
#else
constexpr int kKills = 30;
#endif

// The writer helper as a child process with its standard output on a pipe.
class Writer {
public:
    explicit Writer(const char* mode) {
        int fds[2];
        if (pipe(fds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
        char* argv[] = {const_cast<char*>(kWriter), const_cast<char*>(mode), nullptr};
        if (posix_spawn(&pid_, kWriter, &actions, nullptr, argv, environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out_ = fds[0];
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    ~Writer() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) close(out_);
    }

    bool started() const { return pid_ > 0; }

    // Waits up to timeoutMs for a line of output.
    std::string readLine(int timeoutMs) {
        std::string line;
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (line.find('\n') == std::string::npos) {
            int left = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now())
                    .count());
            pollfd p{out_, POLLIN, 0};
            if (left <= 0 || poll(&p, 1, left) <= 0) break;
            char buffer[64];
            ssize_t n = read(out_, buffer, sizeof buffer);
            if (n <= 0) break;
            line.append(buffer, static_cast<size_t>(n));
        }
        return line;
    }

    // Waits up to timeoutMs for the exit; the exit status, or -1.
    int wait(int timeoutMs) {
        for (int waited = 0; waited <= timeoutMs; waited += 5) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return -1;
    }

    void killNow() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

// Starts a writer in that mode and kills it delayUs into its writing.
void killWhileWriting(const char* mode, int delayUs) {
    Writer writer(mode);
    ASSERT_TRUE(writer.started());
    ASSERT_EQ(writer.readLine(10000), "ready\n");
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
    writer.killNow();
}

bool holdsBlob(const lang::ByteArray& bytes, int round) {
    std::vector<uint8_t> expected = profilewriter::blobFor(round);
    return bytes.length() == static_cast<int>(expected.size()) &&
           std::memcmp(bytes.data(), expected.data(), expected.size()) == 0;
}

}  // namespace

using UserProcess = ProfileFixture;

TEST_F(UserProcess, AnotherProcessSeesEveryValueWritten) {
    {
        Writer writer("write");
        ASSERT_TRUE(writer.started());
        ASSERT_EQ(writer.wait(10000), 0);
    }
    auto user = openUser();
    EXPECT_EQ(user->getInt("FULLSCREEN", 1), 0);
    EXPECT_EQ(user->getInt("NORMALEXIT", 0), 1);
    EXPECT_STREQ(user->getString("Debug", "").c_str(), "XK");
    EXPECT_EQ(window::TextSettings::defaultFontName(), "Liberation Sans");
    EXPECT_EQ(user->getInt("Options\\Volume", 0), -12);
    lang::ByteArray bytes;
    ASSERT_TRUE(user->getBytes("Small", bytes));
    EXPECT_TRUE(holdsBlob(bytes, 3));
    ASSERT_TRUE(user->getLargeBytes("Saves\\Big", bytes));
    EXPECT_TRUE(holdsBlob(bytes, 1234));
    EXPECT_STREQ(user->getScoreName("easy", 0).c_str(), "bob");
    EXPECT_EQ(user->getScore("easy", 1), 300);
    EXPECT_EQ(user->getScoreSetting("easy", 1), 1);
    EXPECT_EQ(user->getScoreLevel(0), 4);
    EXPECT_EQ(user->getCredits(), 500005) << "written when the writer's profile went away";
}

TEST_F(UserProcess, AWriterKilledAtAnyMomentLeavesOnlyWholeValues) {
    std::random_device device;
    unsigned seed = device();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 15000);

    int last = -1;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        ASSERT_NO_FATAL_FAILURE(killWhileWriting("loop", delayUs(random)));

        testing::internal::CaptureStderr();
        auto user = openUser();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the store reopens without complaint";

        int counter = user->getInt("Counter", -1);
        ASSERT_GE(counter, last) << "a committed round was lost";
        last = counter;
        if (counter < 0) continue;

        // Each value holds the round of the counter or the one before.
        lang::String text = user->getString("Text", "");
        if (!(counter == 0 && text.isEmpty())) {
            bool fits = text.equals((lang::String("value ") + counter).c_str()) ||
                        text.equals((lang::String("value ") + (counter - 1)).c_str());
            EXPECT_TRUE(fits) << text.c_str() << " with counter " << counter;
        }
        lang::ByteArray blob;
        if (user->getLargeBytes("Blob", blob)) {
            int round = profilewriter::roundOf(blob.data(), blob.length());
            EXPECT_TRUE(round == counter || round == counter - 1) << round << " with counter " << counter;
            EXPECT_TRUE(holdsBlob(blob, round)) << "torn array of round " << round;
        } else {
            EXPECT_EQ(counter, 0);
        }

        // The score table is whole: at most ten, best first, every entry consistent.
        int entries = 0;
        for (; user->getScore("loop", entries) != -1 && entries <= 11; ++entries) {
            int score = user->getScore("loop", entries);
            EXPECT_STREQ(user->getScoreName("loop", entries).c_str(), (lang::String("p") + score).c_str());
            EXPECT_EQ(user->getScoreLevel("loop", entries), score % 7);
            if (entries > 0) {
                EXPECT_LE(score, user->getScore("loop", entries - 1));
            }
        }
        EXPECT_LE(entries, 10);
        EXPECT_EQ(user->storedScoreCount(), entries);
    }
    EXPECT_GT(last, 0) << "the writers made progress";
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        EXPECT_EQ(entry.path().filename().string().find(".damaged"), std::string::npos) << entry.path();
}

// Plays added by a writer killed at random moments: every play whose
// transaction committed is there, in order, and never half a play (each play
// stores its level in the same transaction, so the level is the newest score).
TEST_F(UserProcess, AWriterOfPlaysKilledAtAnyMomentLeavesAWholeRecord) {
    std::random_device device;
    unsigned seed = device();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 30000);
    int last = 0;
    for (int kill = 0; kill < kKills / 2; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        ASSERT_NO_FATAL_FAILURE(killWhileWriting("plays", delayUs(random)));
        auto user = openUser();
        ASSERT_TRUE(user->store());
        platform::ProgressStore store(user->store());
        std::vector<int> scores;
        store.forEachPlay([&](const platform::StoredPlay& play) { scores.push_back(play.score); });
        ASSERT_GE(static_cast<int>(scores.size()), last) << "a committed play was lost";
        for (size_t i = 0; i < scores.size(); ++i) ASSERT_EQ(scores[i], static_cast<int>(i));
        platform::StoredProgress kept = store.load(100);
        if (!scores.empty()) {
            ASSERT_EQ(kept.levels.size(), 1u);
            EXPECT_EQ(kept.levels[0].level, scores.back());
            ASSERT_EQ(kept.practice.size(), 1u);
            EXPECT_EQ(kept.practice[0].newestFirst.front(), scores.back());
        }
        last = static_cast<int>(scores.size());
    }
    EXPECT_GT(last, 0) << "the writers made progress";
}
