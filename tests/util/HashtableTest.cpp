#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/Integer.h"
#include "lang/String.h"
#include "util/Hashtable.h"

namespace {

std::vector<std::string> drain(util::Hashtable::HTEnum* e) {
    std::vector<std::string> out;
    while (e->hasMoreElements()) out.push_back(static_cast<lang::String*>(e->nextElement())->c_str());
    e->release();
    return out;
}

TEST(HashtableTest, EqualKeysKeepBothEntries) {
    util::Hashtable t;
    lang::Integer one(1), two(2);
    t.put("key", &one);
    t.put("key", &two);
    EXPECT_EQ(t.size(), 2);
    EXPECT_EQ(t.get("key"), &two);  // the later entry heads the chain
    lang::String k("key");
    EXPECT_EQ(t.remove(&k), &two);
    EXPECT_EQ(t.get("key"), &one);
    EXPECT_EQ(two.refCount(), 1);
    EXPECT_EQ(t.remove(&k), &one);
    EXPECT_EQ(t.remove(&k), nullptr);
    EXPECT_FALSE(t.containsKey(&k));
}

TEST(HashtableTest, RehashAtTheFiftyFirstEntry) {
    lang::Integer v(0);
    util::Hashtable t;
    for (int i = 0; i < 50; ++i) t.put(lang::String(i), &v);
    EXPECT_EQ(t.bucketCount(), 100);
    t.put(lang::String(50), &v);
    EXPECT_EQ(t.bucketCount(), 204);
    for (int i = 0; i <= 50; ++i) EXPECT_EQ(t.get(lang::String(i).c_str()), &v) << i;
    EXPECT_EQ(v.refCount(), 52);
    t.clear();
    EXPECT_EQ(v.refCount(), 1);
    EXPECT_EQ(t.bucketCount(), 204);
}

TEST(HashtableTest, EnumerationIsBucketOrderThenChainOrder) {
    lang::Integer v(0);
    util::Hashtable t;
    // "A" hashes to 65, "e" to 101 = bucket 1, "B" to 66: buckets 65, 1, 66.
    t.put("A", &v);
    t.put("B", &v);
    t.put("e", &v);
    t.put("\x01", &v);  // bucket 1 as well, now ahead of "e" in that chain
    EXPECT_EQ(drain(t.keys()), (std::vector<std::string>{"\x01", "e", "A", "B"}));
    util::Hashtable empty;
    util::Hashtable::HTEnum* e = empty.keys();
    EXPECT_FALSE(e->hasMoreElements());
    e->release();
}

TEST(HashtableTest, SnapshotHoldsItsOwnReferences) {
    auto* t = new util::Hashtable();
    auto* value = new lang::Integer(9);
    t->put("k", value);
    util::Hashtable::HTEnum* e = t->elements();
    t->release();  // the snapshot keeps the value alive
    EXPECT_EQ(value->refCount(), 2);
    EXPECT_EQ(e->nextElement(), value);
    e->release();
    EXPECT_EQ(value->refCount(), 1);
    value->release();
}

TEST(HashtableTest, NegativeHashesFindABucket) {
    lang::Integer v(1);
    lang::Integer key(-12345);
    util::Hashtable t;
    t.put(&key, &v);
    lang::Integer probe(-12345);
    EXPECT_EQ(t.get(&probe), &v);
}

}  // namespace
