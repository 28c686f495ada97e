#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "lang/Class.h"
#include "lang/Exception.h"
#include "lang/Integer.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "lang/String.h"
#include "util/RectangleNM.h"

namespace {

std::atomic<int> destroyed{0};

class Tracked : public lang::Object {
public:
    ~Tracked() override { ++destroyed; }
    MENTARIUM_CLASS(Tracked, lang::Object)
};

class Derived : public Tracked {
public:
    MENTARIUM_CLASS(Derived, Tracked)
    MENTARIUM_METACLASS(Derived)
};
MENTARIUM_DEFINE_METACLASS(Derived)

TEST(ObjectTest, ReferenceCountingDestroysExactlyOnce) {
    destroyed = 0;
    auto* o = new Tracked();
    EXPECT_EQ(o->refCount(), 1);
    EXPECT_EQ(o->addRef(), 2);
    o->release();
    EXPECT_EQ(destroyed, 0);
    o->release();
    EXPECT_EQ(destroyed, 1);
}

TEST(ObjectTest, ConcurrentAddRefReleaseKeepsCount) {
    destroyed = 0;
    auto* o = new Tracked();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([o] {
            for (int i = 0; i < 20000; ++i) {
                o->addRef();
                o->release();
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(o->refCount(), 1);
    EXPECT_EQ(destroyed, 0);
    o->release();
    EXPECT_EQ(destroyed, 1);
}

// A shared Ref takes its own reference, a move hands it on without a second
// release, and the last owner gives the object up exactly once.
TEST(ObjectTest, RefSharesMovesAndReleasesOnce) {
    destroyed = 0;
    auto* o = new Tracked();
    {
        auto shared = lang::Ref<Tracked>::share(o);
        EXPECT_EQ(o->refCount(), 2);
        lang::Ref<Tracked> moved(std::move(shared));
        EXPECT_FALSE(shared);
        EXPECT_EQ(o->refCount(), 2);
        moved = lang::Ref<Tracked>(o);  // adopts the creator's reference, gives back its own
        EXPECT_EQ(o->refCount(), 1);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(ObjectTest, ReentrantLockAndHoldCount) {
    lang::Object o;
    o.lock();
    o.lock();
    EXPECT_EQ(o.holdCount(), 2);
    o.unlock();
    o.unlock();
    EXPECT_EQ(o.holdCount(), 0);
    // Another thread can now take it.
    std::thread other([&] {
        o.lock();
        o.unlock();
    });
    other.join();
    EXPECT_FALSE(o.hasWaitEvent());
}

TEST(ObjectTest, WaitReleasesEveryHoldAndRestoresIt) {
    lang::Object o;
    o.notify();  // nobody waits: nothing happens, no event is made
    EXPECT_FALSE(o.hasWaitEvent());
    o.lock();
    o.lock();
    std::atomic<bool> otherGotLock{false};
    std::thread other([&] {
        o.lock();  // possible only while wait() has given up both holds
        otherGotLock = true;
        o.unlock();
    });
    auto start = std::chrono::steady_clock::now();
    o.wait(200);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(o.holdCount(), 2);
    EXPECT_TRUE(otherGotLock);
    EXPECT_GE(waited, std::chrono::milliseconds(150));
    o.unlock();
    o.unlock();
    other.join();
}

TEST(ObjectTest, NotifyBeforeWaitIsLost) {
    lang::Object o;
    o.lock();
    o.wait(1);   // makes the event
    o.notify();  // nobody waiting: lost, because wait resets first
    auto start = std::chrono::steady_clock::now();
    o.wait(60);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    o.unlock();
}

TEST(ObjectTest, NotifyWakesAWaiter) {
    lang::Object o;
    std::atomic<bool> woke{false};
    std::thread waiter([&] {
        o.lock();
        o.wait(5000);
        woke = true;
        o.unlock();
    });
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!woke && std::chrono::steady_clock::now() < deadline) {
        o.notify();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    waiter.join();
    EXPECT_TRUE(woke);
}

TEST(ObjectTest, ClassNamesFollowTheBaseChain) {
    Derived d;
    EXPECT_TRUE(d.isInstanceOf("Object"));
    EXPECT_FALSE(d.isInstanceOf("object"));
    EXPECT_TRUE(d.isInstanceOf("Tracked"));
    EXPECT_TRUE(d.isInstanceOf("Derived"));
    EXPECT_FALSE(d.isInstanceOf("String"));
    EXPECT_STREQ(d.getClassName(), "Derived");
    util::RectangleNM r;
    EXPECT_TRUE(r.isInstanceOf("Rectangle"));
    EXPECT_FALSE(r.isInstanceOf("RectangleNM"));
}

TEST(ObjectTest, RegistryCreatesByExactName) {
    lang::Class* c = lang::Class::forName("Derived");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c, &Derived::metaclass);
    EXPECT_EQ(lang::Class::forName("derived"), nullptr);
    EXPECT_EQ(lang::Class::forName("Canvas"), nullptr);
    lang::Object* a = c->newInstance();
    lang::Object* b = c->newInstance();
    EXPECT_NE(a, b);
    EXPECT_EQ(a->refCount(), 1);
    EXPECT_TRUE(a->isInstanceOf("Tracked"));
    a->release();
    b->release();
}

TEST(ObjectTest, IntegerEqualityAndExceptions) {
    lang::Integer five(5), alsoFive(5), six(6);
    lang::String text("5");
    EXPECT_TRUE(five.equals(&alsoFive));
    EXPECT_FALSE(five.equals(&six));
    EXPECT_FALSE(five.equals(&text));
    EXPECT_EQ(five.hashCode(), 5);
    EXPECT_STREQ(five.toString().c_str(), "lang.Object");
    try {
        throw new lang::Exception("File error");
    } catch (lang::Exception* e) {
        EXPECT_STREQ(e->toString().c_str(), "File error");
        EXPECT_EQ(e->refCount(), 1);
        e->release();
    }
}

TEST(ObjectTest, ObjectLockHoldsAReferenceForTheScope) {
    auto* o = new Tracked();
    {
        ObjectLock hold(o);
        EXPECT_EQ(o->refCount(), 2);
        EXPECT_EQ(o->holdCount(), 1);
    }
    EXPECT_EQ(o->refCount(), 1);
    EXPECT_EQ(o->holdCount(), 0);
    {
        ObjectLock hold(o, true);
        EXPECT_EQ(o->refCount(), 1);
    }
    o->release();
}

}  // namespace
