#include <gtest/gtest.h>

#include "lang/Exception.h"
#include "lang/ObjectArray.h"
#include "lang/String.h"
#include "util/TVector.h"
#include "util/Vector.h"

namespace {

// Runs f and returns the message of the lang::Exception it throws ("" if none).
template <typename F>
std::string thrownMessage(F f) {
    try {
        f();
    } catch (lang::Exception* e) {
        std::string m = e->toString().c_str();
        e->release();
        return m;
    }
    return "";
}

TEST(VectorTest, GrowthOneTwoThreeFourSix) {
    util::Vector v(1);
    std::vector<int> capacities;
    lang::String s("x");
    for (int i = 0; i < 5; ++i) {
        v.addElement(&s);
        capacities.push_back(v.capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 2, 3, 4, 6}));
    EXPECT_EQ(s.refCount(), 6);
    v.removeAllElements();
    EXPECT_EQ(s.refCount(), 1);
}

TEST(VectorTest, IndexChecksThrowTheRuntimeMessages) {
    lang::String a("a"), b("b");
    util::Vector v(4);
    v.addElement(&a);
    EXPECT_EQ(thrownMessage([&] { v.elementAt(1); }), "Index out of range");
    EXPECT_EQ(thrownMessage([&] { v.removeElementAt(-1); }), "Index out of range");
    EXPECT_EQ(thrownMessage([&] { v.insertElementAt(&b, 2); }), "Index out of bounds");
    v.insertElementAt(&b, 1);  // at count: appends
    EXPECT_EQ(v.elementAt(1), &b);
}

TEST(VectorTest, FrontRemovalMovesStartThenAppendCompacts) {
    lang::String items[4] = {lang::String("0"), lang::String("1"), lang::String("2"), lang::String("3")};
    lang::String extra("4");
    util::Vector v(4);
    for (auto& s : items) v.addElement(&s);
    v.removeElementAt(0);
    v.removeElementAt(0);
    EXPECT_EQ(v.start(), 2);
    EXPECT_EQ(v.elementAt(0), &items[2]);
    v.addElement(&extra);  // no free slot after the last: elements move to slot 0
    EXPECT_EQ(v.start(), 0);
    EXPECT_EQ(v.capacity(), 4);
    EXPECT_EQ(v.elementAt(0), &items[2]);
    EXPECT_EQ(v.elementAt(2), &extra);
}

TEST(VectorTest, InsertNearFrontUsesFreeFrontSlot) {
    lang::String s[5] = {lang::String("a"), lang::String("b"), lang::String("c"), lang::String("d"), lang::String("e")};
    lang::String n("n");
    util::Vector v(6);
    for (auto& x : s) v.addElement(&x);
    v.removeElementAt(0);      // start 1: a, then b c d e
    v.insertElementAt(&n, 1);  // more follow than precede and start > 0: head moves forward
    EXPECT_EQ(v.start(), 0);
    EXPECT_EQ(v.elementAt(0), &s[1]);
    EXPECT_EQ(v.elementAt(1), &n);
    EXPECT_EQ(v.elementAt(2), &s[2]);
    EXPECT_EQ(v.size(), 5);
}

TEST(VectorTest, IndexOfUsesEquality) {
    lang::String stored("alpha");
    util::Vector v;
    v.addElement(nullptr);
    v.addElement(&stored);
    lang::String probe("alpha");
    EXPECT_EQ(v.indexOf(&probe), 1);
    EXPECT_TRUE(v.removeElement(&probe));
    EXPECT_EQ(stored.refCount(), 1);
    EXPECT_FALSE(v.removeElement(&probe));
    lang::ObjectArray out;
    v.copyInto(out);
    EXPECT_EQ(out.length(), 1);
}

TEST(TVectorTest, ValuesWithTheSameSlotRules) {
    util::TVector<int> v(1);
    for (int i = 0; i < 5; ++i) v.addElement(i * 10);
    EXPECT_EQ(v.capacity(), 6);
    v.insertElementAt(5, 1);
    v.removeElementAt(0);
    EXPECT_EQ(v.elementAt(0), 5);
    EXPECT_EQ(v.indexOf(40), 4);
    EXPECT_TRUE(v.removeElement(20));
    EXPECT_EQ(v.size(), 4);
    EXPECT_EQ(thrownMessage([&] { v.elementAt(4); }), "Index out of range");
    EXPECT_EQ(thrownMessage([&] { v.insertElementAt(1, 9); }), "Index out of bounds");
}

}  // namespace
