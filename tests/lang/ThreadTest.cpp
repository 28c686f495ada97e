#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "lang/Thread.h"

namespace {

std::atomic<int> bodiesRun{0};
std::atomic<int> threadsDestroyed{0};

class SlowThread : public lang::Thread {
public:
    explicit SlowThread(int ms) : ms_(ms) {}
    ~SlowThread() override { ++threadsDestroyed; }
    void run() override {
        lang::Thread::sleep(ms_);
        ++bodiesRun;
    }

private:
    int ms_;
};

TEST(ThreadTest, JoinOnUnstartedThreadReturnsAtOnce) {
    auto* t = new SlowThread(0);
    auto start = std::chrono::steady_clock::now();
    t->join(0);  // a join without limit: waiting for a body that never runs would hang here
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    t->release();
}

TEST(ThreadTest, ReleasedRunningThreadOutlivesItsOwner) {
    bodiesRun = 0;
    threadsDestroyed = 0;
    auto* t = new SlowThread(100);
    t->start();
    t->release();  // the running body still holds a reference
    EXPECT_EQ(threadsDestroyed, 0);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (threadsDestroyed == 0 && std::chrono::steady_clock::now() < deadline) lang::Thread::sleep(5);
    EXPECT_EQ(bodiesRun, 1);
    EXPECT_EQ(threadsDestroyed, 1);
}

TEST(ThreadTest, SecondStartWhileRunningDoesNothing) {
    bodiesRun = 0;
    auto* t = new SlowThread(50);
    t->start();
    t->start();
    t->join(0);
    EXPECT_EQ(bodiesRun, 1);
    EXPECT_FALSE(t->isRunning());
    t->release();
}

TEST(ThreadTest, JoinWithTimeoutGivesUp) {
    // Limits far apart, so that a busy machine (or a sanitizer) cannot blur them.
    auto* t = new SlowThread(1000);
    t->start();
    auto start = std::chrono::steady_clock::now();
    t->join(30);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(800));
    EXPECT_TRUE(t->isRunning());
    t->join(0);
    t->release();
}

TEST(ThreadTest, RunsAnotherRunnableAndAnswersItsNames) {
    bodiesRun = 0;
    auto* target = new SlowThread(0);
    auto* t = new lang::Thread(target);
    EXPECT_EQ(target->refCount(), 2);
    EXPECT_TRUE(t->isInstanceOf("Thread"));
    EXPECT_TRUE(t->isInstanceOf("Runnable"));
    EXPECT_TRUE(t->isInstanceOf("Object"));
    t->start();
    t->join(0);
    EXPECT_EQ(bodiesRun, 1);
    t->release();
    EXPECT_EQ(target->refCount(), 1);
    target->release();
}

}  // namespace
