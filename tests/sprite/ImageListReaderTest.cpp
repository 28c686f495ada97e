#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "sprite/ImageListReader.h"
#include "sprite/MemoryStream.h"

using sprite::ImageListReader;
using sprite_test::MemoryStream;

namespace {

using Bytes = std::vector<uint8_t>;

void putInt(Bytes& out, int32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> shift));
}

// One entry as stored: data length, name field with its terminator, scrambled data.
Bytes entry(const std::string& name, const Bytes& data, int32_t declaredLength = -1) {
    Bytes out;
    putInt(out, declaredLength >= 0 ? declaredLength : static_cast<int32_t>(data.size()));
    out.push_back(static_cast<uint8_t>(name.size() + 1));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    for (uint8_t b : data) out.push_back(b ^ 0xA6);
    return out;
}

Bytes list(int32_t count, int32_t total, const std::vector<Bytes>& entries) {
    Bytes out;
    putInt(out, count);
    putInt(out, total);
    for (const Bytes& e : entries) out.insert(out.end(), e.begin(), e.end());
    return out;
}

Bytes honestList(const std::vector<Bytes>& entries) {
    size_t size = 8;
    for (const Bytes& e : entries) size += e.size();
    return list(static_cast<int32_t>(entries.size()), static_cast<int32_t>(size), entries);
}

using Found = std::vector<std::pair<std::string, Bytes>>;

Found readAll(const Bytes& file, int* handed = nullptr) {
    auto* in = new MemoryStream(file);
    Found found;
    int n = ImageListReader::read(in, [&](const lang::String& name, const uint8_t* data, int length) {
        found.emplace_back(name.c_str(), Bytes(data, data + length));
    });
    in->release();
    if (handed) *handed = n;
    return found;
}

}  // namespace

TEST(ImageList, EntriesComeOutUnscrambledUnderTheirNames) {
    Bytes first = {'G', 'I', 'F', '8', '9', 'a', 0x00, 0xA6, 0xFF};
    Bytes second = {1, 2, 3};
    int handed = 0;
    Found found = readAll(honestList({entry("logo", first), entry("x", second)}), &handed);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(handed, 2);
    EXPECT_EQ(found[0].first, "logo");
    EXPECT_EQ(found[0].second, first);
    EXPECT_EQ(found[1].first, "x");
    EXPECT_EQ(found[1].second, second);
}

TEST(ImageList, HeadersThatFailTheirChecksYieldNothing) {
    Bytes one = entry("a", {1, 2, 3});
    EXPECT_TRUE(readAll(list(0, 100, {one})).empty());  // no entries
    EXPECT_TRUE(readAll(list(-5, 100, {one})).empty());
    EXPECT_TRUE(readAll(list(1, 10000001, {one})).empty());   // total above the limit
    EXPECT_TRUE(readAll(list(3, 11, {one})).empty());         // total below four bytes per entry
    EXPECT_TRUE(readAll(Bytes{0, 0, 0}).empty());             // not even a header
    EXPECT_EQ(readAll(list(1, 10000000, {one})).size(), 1u);  // the limit itself is allowed
}

TEST(ImageList, ALengthBeyondTheDeclaredTotalEndsTheList) {
    Bytes good = entry("good", {7, 7});
    Bytes liar = entry("liar", {1, 2, 3, 4}, 0x7FFFFFF0);
    Bytes after = entry("after", {9});
    Found found = readAll(list(3, 1000, {good, liar, after}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].first, "good");

    Bytes neg;  // a negative data length
    putInt(neg, -1);
    neg.push_back(4);
    neg.insert(neg.end(), {'n', 'e', 'g', 0});
    EXPECT_TRUE(readAll(list(2, 1000, {neg, after})).empty());
}

TEST(ImageList, EmptyEntriesRegisterNothingAndTruncatedDataEndsTheList) {
    Bytes empty = entry("empty", {});
    Bytes real = entry("real", {5, 6});
    Found found = readAll(honestList({empty, real}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].first, "real");

    Bytes cut = entry("cut", {1, 2, 3, 4, 5, 6});
    cut.resize(cut.size() - 2);
    EXPECT_TRUE(readAll(list(2, 1000, {cut})).empty());
}

TEST(ImageList, MoreEntriesDeclaredThanPresentStopAtTheEnd) {
    Found found = readAll(list(1000, 4000, {entry("only", {1})}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].first, "only");
}
