#include <gtest/gtest.h>
#include <zlib.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "lang/Exception.h"
#include "lang/FileItem.h"
#include "lang/ResourceArchiveWriter.h"
#include "lang/ResourceFileHeader.h"
#include "lang/ResourceItem.h"
#include "support/TempDir.h"
#include "util/Hashtable.h"

namespace {

using lang::ResourceFileHeader;
using lang::ResourceItem;
using testsupport::bytesOf;
using testsupport::TempDir;

// Hand-made archive bytes, for images our writer would never produce.
struct Raw {
    std::vector<uint8_t> bytes;
    Raw& u32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(v >> shift));
        return *this;
    }
    Raw& text(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    Raw& entry(const std::string& name, uint32_t offset, uint32_t length) {
        bytes.push_back(static_cast<uint8_t>(name.size()));
        return text(name).u32(offset).u32(length);
    }
};

// The ".zin" form of an image, with sizes that may lie.
std::vector<uint8_t> packed(const std::vector<uint8_t>& image, int64_t sizeDelta = 0) {
    uLongf length = compressBound(static_cast<uLong>(image.size()));
    std::vector<uint8_t> stream(length);
    compress(stream.data(), &length, image.data(), static_cast<uLong>(image.size()));
    stream.resize(length);
    Raw raw;
    raw.u32(7)
        .u32(static_cast<uint32_t>(static_cast<int64_t>(image.size()) + sizeDelta))
        .u32(static_cast<uint32_t>(length));
    raw.bytes.insert(raw.bytes.end(), stream.begin(), stream.end());
    return raw.bytes;
}

void setU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

ResourceFileHeader* parse(const std::vector<uint8_t>& bytes, bool compressed = false) {
    return new ResourceFileHeader(bytes.data(), static_cast<int>(bytes.size()), compressed);
}

std::string itemText(ResourceFileHeader* header, const char* name, bool cache = true) {
    ResourceItem* item = header->getItem(lang::String(name), cache);
    if (!item) return "<absent>";
    std::string text(reinterpret_cast<const char*>(item->getData()), static_cast<size_t>(item->getLength()));
    item->release();
    return text;
}

// The message of the exception that parsing throws, or "" when it does not throw.
std::string parseFailure(const std::vector<uint8_t>& bytes, bool compressed = false) {
    try {
        parse(bytes, compressed)->release();
    } catch (lang::Exception* e) {
        std::string text = e->getMessage().c_str();
        e->release();
        return text;
    }
    return "";
}

std::vector<uint8_t> sampleImage() {
    lang::ResourceArchiveWriter writer;
    writer.add("datfile", bytesOf("<images>\r<end>"));
    writer.add("musicGame", std::vector<uint8_t>(3000, 0x5A));
    writer.add("empty", {});
    return writer.image();
}

TEST(ResourceArchive, NoItemsOpensAndFindsNothing) {
    ResourceFileHeader* header = parse(Raw().u32(0).u32(0).u32(0).bytes);
    EXPECT_EQ(header->getItemTable()->size(), 0);
    EXPECT_EQ(header->getItem(lang::String("datfile"), true), nullptr);
    EXPECT_EQ(header->getItem(lang::String(""), false), nullptr);
    header->release();
}

TEST(ResourceArchive, KeepsFirstValueAndOpaqueBlock) {
    Raw raw;
    raw.u32(0xCAFEBABE).u32(3).text("xyz").u32(1).entry("a", 0, 4);
    ResourceFileHeader* header = parse(raw.bytes);
    EXPECT_EQ(header->getFirstValue(), 0xCAFEBABEu);
    ASSERT_EQ(header->getOpaqueSize(), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(header->getOpaqueBlock()), 3), "xyz");
    EXPECT_EQ(itemText(header, "a"), std::string("\xBE\xBA\xFE\xCA", 4));
    header->release();
}

TEST(ResourceArchive, LongNamesAndHighBytesAreKeptAsTheyAre) {
    std::string longName(255, 'n');
    longName[254] = 'Z';
    std::string highName = "caf\xE9\xFF\x80";
    lang::ResourceArchiveWriter writer;
    writer.add(longName, bytesOf("long"));
    writer.add(highName, bytesOf("high"));
    writer.add(longName.substr(0, 254), bytesOf("shorter"));
    ResourceFileHeader* header = parse(writer.image());
    EXPECT_EQ(itemText(header, longName.c_str()), "long");
    EXPECT_EQ(itemText(header, longName.substr(0, 254).c_str()), "shorter");
    EXPECT_EQ(itemText(header, highName.c_str()), "high");
    EXPECT_EQ(itemText(header, "CAF\xC9\xFF\x80"), "<absent>");  // exact, case-sensitive
    header->release();
}

TEST(ResourceArchive, UncachedLookupsGiveDistinctCopiesAndLeaveTheTableItemUnloaded) {
    ResourceFileHeader* header = parse(sampleImage());
    ResourceItem* first = header->getItem(lang::String("musicGame"), false);
    ResourceItem* second = header->getItem(lang::String("musicGame"), false);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(first->getData(), second->getData());
    EXPECT_EQ(first->getLength(), 3000);
    EXPECT_EQ(std::vector<uint8_t>(first->getData(), first->getData() + 3000), std::vector<uint8_t>(3000, 0x5A));
    EXPECT_EQ(first->refCount(), 1);
    auto* tableItem = static_cast<lang::FileItem*>(header->getItemTable()->get("musicGame"));
    EXPECT_FALSE(tableItem->isLoaded());
    first->release();
    second->release();
    header->release();
}

TEST(ResourceArchive, CachedLookupsShareOneItemLoadedOnce) {
    ResourceFileHeader* header = parse(sampleImage());
    ResourceItem* first = header->getItem(lang::String("datfile"), true);
    ResourceItem* second = header->getItem(lang::String("datfile"), true);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->getData(), second->getData());
    EXPECT_EQ(first, header->getItemTable()->get("datfile"));
    EXPECT_EQ(first->refCount(), 3);  // the table's and ours
    // Once cached, an uncached look-up hands out the loaded item too.
    ResourceItem* third = header->getItem(lang::String("datfile"), false);
    EXPECT_EQ(third, first);
    third->release();
    second->release();
    header->release();  // the caller's reference keeps the data alive
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(first->getData()), 14), "<images>\r<end>");
    EXPECT_STREQ(first->getClassName(), "FileItem");
    EXPECT_TRUE(first->isInstanceOf("ResourceItem"));
    first->release();
}

TEST(ResourceArchive, EmptyItemIsFoundWithNoBytes) {
    ResourceFileHeader* header = parse(sampleImage());
    ResourceItem* item = header->getItem(lang::String("empty"), false);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->getLength(), 0);
    item->release();
    header->release();
}

TEST(ResourceArchive, CompressedAndPlainFilesGiveIdenticalItems) {
    TempDir dir;
    lang::ResourceArchiveWriter writer;
    writer.add("datfile", bytesOf("scene"));
    std::vector<uint8_t> big(70000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7 + i / 300);
    writer.add("big", big);
    writer.write(dir.file("a.bin"));
    writer.write(dir.file("a.zin"));
    EXPECT_LT(std::filesystem::file_size(dir.file("a.zin")), std::filesystem::file_size(dir.file("a.bin")));

    auto* plain = new ResourceFileHeader(lang::String(dir.file("a.bin").c_str()));
    auto* zin = new ResourceFileHeader(lang::String(dir.file("a.zin").c_str()));
    EXPECT_EQ(plain->getItemTable()->size(), 2);
    EXPECT_EQ(zin->getItemTable()->size(), 2);
    for (const char* name : {"datfile", "big"}) {
        for (bool cache : {false, true}) EXPECT_EQ(itemText(plain, name, cache), itemText(zin, name, cache)) << name;
    }
    EXPECT_EQ(itemText(zin, "big"), std::string(big.begin(), big.end()));
    plain->release();
    zin->release();
}

TEST(ResourceArchive, OnlyTheExactZinEndingMeansCompressed) {
    TempDir dir;
    lang::ResourceArchiveWriter writer;
    writer.add("x", bytesOf("1"));
    dir.write("a.ZIN", writer.image());
    auto* header = new ResourceFileHeader(lang::String(dir.file("a.ZIN").c_str()));
    EXPECT_EQ(itemText(header, "x"), "1");
    header->release();
}

TEST(ResourceArchive, ItemPointingPastTheImageIsAbsentAndOthersStayReadable) {
    Raw raw;
    raw.u32(0).u32(0).u32(4);
    uint32_t dataAt = 12 + 3 * 12 + 11;  // after the header and the four entries
    raw.entry("ok1", dataAt, 2).entry("bad", dataAt, 100).entry("big", 0xFFFFFFF0u, 0x20).entry("ok", dataAt + 2, 1);
    raw.text("abc");
    ResourceFileHeader* header = parse(raw.bytes);
    EXPECT_EQ(itemText(header, "ok1"), "ab");
    EXPECT_EQ(itemText(header, "ok"), "c");
    EXPECT_EQ(itemText(header, "bad"), "<absent>");
    EXPECT_EQ(itemText(header, "big"), "<absent>");
    EXPECT_NE(std::string(header->getDamage().c_str()).find("2 items lie past the end"), std::string::npos);
    header->release();
}

TEST(ResourceArchive, CountLargerThanTheFileKeepsTheCompleteEntries) {
    Raw raw;
    raw.u32(0).u32(0).u32(0xFFFFFFFFu).entry("a", 0, 4).entry("b", 4, 4);
    ResourceFileHeader* header = parse(raw.bytes);
    EXPECT_EQ(header->getItemTable()->size(), 2);
    EXPECT_EQ(itemText(header, "b"), std::string(4, '\0'));
    EXPECT_NE(std::string(header->getDamage().c_str()).find("cut short after 2 of 4294967295"), std::string::npos);
    header->release();
}

TEST(ResourceArchive, NameRunningPastTheEndEndsTheTable) {
    Raw raw;
    raw.u32(0).u32(0).u32(2).entry("first", 0, 1);
    raw.bytes.push_back(200);
    raw.text("short");
    ResourceFileHeader* header = parse(raw.bytes);
    EXPECT_EQ(itemText(header, "first"), std::string(1, '\0'));
    EXPECT_EQ(header->getItemTable()->size(), 1);
    header->release();
    // Cut inside the offset and length fields.
    for (size_t keep = 1; keep < 9; ++keep) {
        Raw cut;
        cut.u32(0).u32(0).u32(1).entry("n", 0, 1);
        cut.bytes.resize(12 + keep);
        ResourceFileHeader* h = parse(cut.bytes);
        EXPECT_EQ(h->getItemTable()->size(), 0) << keep;
        h->release();
    }
}

TEST(ResourceArchive, UnreadableHeadersAreClearErrors) {
    EXPECT_EQ(parseFailure({}), "Damaged archive in memory: header cut short");
    EXPECT_EQ(parseFailure({1, 2, 3, 4, 5}), "Damaged archive in memory: header cut short");
    EXPECT_EQ(parseFailure(Raw().u32(0).u32(0x7FFFFFF0u).u32(0).bytes),
              "Damaged archive in memory: opaque block runs past the end");
    EXPECT_EQ(parseFailure(Raw().u32(0).u32(0xFFFFFFFFu).bytes),
              "Damaged archive in memory: opaque block runs past the end");
    EXPECT_EQ(parseFailure(Raw().u32(0).u32(2).text("ab").bytes), "Damaged archive in memory: item count missing");
}

TEST(ResourceArchive, LyingOrCorruptCompressedImagesAreClearErrors) {
    std::vector<uint8_t> image = sampleImage();
    {
        ResourceFileHeader* header = parse(packed(image), true);
        EXPECT_EQ(itemText(header, "musicGame"), std::string(3000, 0x5A));
        header->release();
    }
    EXPECT_EQ(parseFailure(packed(image, +1), true),
              "Damaged archive in memory: inflates to fewer bytes than its declared size");
    EXPECT_EQ(parseFailure(packed(image, 0x7FFFFFFF - static_cast<int64_t>(image.size())), true),
              "Damaged archive in memory: inflates to fewer bytes than its declared size");
    EXPECT_EQ(parseFailure(packed(image, -1), true),
              "Damaged archive in memory: inflates to more than its declared size");
    EXPECT_EQ(parseFailure(packed(image, 0xFFFFFFFFll - static_cast<int64_t>(image.size())), true),
              "Damaged archive in memory: declared size too large");

    std::vector<uint8_t> longer = packed(image);
    setU32(longer, 8, static_cast<uint32_t>(longer.size() - 12 + 1));  // C one byte more than the file holds
    EXPECT_EQ(parseFailure(longer, true), "Damaged archive in memory: compressed size runs past the end of the file");

    std::vector<uint8_t> cut = packed(image);
    cut.resize(cut.size() / 2);
    setU32(cut, 8, static_cast<uint32_t>(cut.size() - 12));
    EXPECT_EQ(parseFailure(cut, true), "Damaged archive in memory: compressed data cut short");

    std::vector<uint8_t> corrupt = packed(image);
    for (size_t i = 14; i < corrupt.size(); i += 3) corrupt[i] ^= 0xA5;
    EXPECT_NE(parseFailure(corrupt, true), "");

    EXPECT_EQ(parseFailure({0, 0, 0, 0, 1, 0, 0}, true), "Damaged archive in memory: compressed header cut short");
}

TEST(ResourceArchive, CompressedFileErrorsNameThePath) {
    TempDir dir;
    std::vector<uint8_t> bytes = packed(sampleImage());
    bytes.resize(bytes.size() / 2);
    std::string path = dir.write("half.zin", bytes);
    try {
        (new ResourceFileHeader(lang::String(path.c_str())))->release();
        FAIL() << "a half compressed file opened";
    } catch (lang::Exception* e) {
        EXPECT_EQ(std::string(e->getMessage().c_str()),
                  "Damaged archive " + path + ": compressed size runs past the end of the file");
        e->release();
    }
}

TEST(ResourceArchive, FileThatShrinksAfterOpeningLeavesItemsAbsent) {
    TempDir dir;
    lang::ResourceArchiveWriter writer;
    writer.add("a", bytesOf("first"));
    writer.add("b", std::vector<uint8_t>(100000, 'b'));  // well past what stdio has buffered
    std::string path = dir.file("s.bin");
    writer.write(path);
    auto* header = new ResourceFileHeader(lang::String(path.c_str()));
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 3);
    EXPECT_EQ(itemText(header, "a"), "first");
    EXPECT_EQ(itemText(header, "b"), "<absent>");
    EXPECT_EQ(itemText(header, "b", false), "<absent>");
    header->release();
}

TEST(ResourceArchive, ConcurrentLookupsEachGetTheirOwnBytes) {
    lang::ResourceArchiveWriter writer;
    for (int i = 0; i < 8; ++i)
        writer.add("item" + std::to_string(i), std::vector<uint8_t>(500 + i, static_cast<uint8_t>(i)));
    TempDir dir;
    std::string path = dir.file("c.bin");
    writer.write(path);
    auto* header = new ResourceFileHeader(lang::String(path.c_str()));
    std::atomic<int> wrong{0};
    auto work = [&](int seed) {
        for (int round = 0; round < 300; ++round) {
            int i = (round + seed) % 8;
            ResourceItem* item = header->getItem(lang::String(("item" + std::to_string(i)).c_str()), false);
            if (!item || item->getLength() != 500 + i ||
                std::vector<uint8_t>(item->getData(), item->getData() + item->getLength()) !=
                    std::vector<uint8_t>(500 + i, static_cast<uint8_t>(i)))
                ++wrong;
            if (item) item->release();
        }
    };
    std::thread a(work, 0), b(work, 3);
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
    header->release();
}

TEST(ResourceArchiveWriter, RefusesBadNamesAndDuplicates) {
    lang::ResourceArchiveWriter writer;
    writer.add("one", {});
    for (const std::string& name : {std::string(), std::string(256, 'x'), std::string("one")}) {
        try {
            writer.add(name, {});
            ADD_FAILURE() << "accepted name of " << name.size() << " bytes";
        } catch (lang::Exception* e) {
            e->release();
        }
    }
    EXPECT_EQ(writer.size(), 1);
}

TEST(ResourceArchiveWriter, OutputDependsOnlyOnTheItems) {
    lang::ResourceArchiveWriter forward, backward;
    forward.add("alpha", bytesOf("1"));
    forward.add("Beta", bytesOf("22"));
    backward.add("Beta", bytesOf("22"));
    backward.add("alpha", bytesOf("1"));
    EXPECT_EQ(forward.image(), backward.image());
    EXPECT_EQ(forward.compressedImage(), backward.compressedImage());
    // Bytewise order: upper case first.
    std::vector<uint8_t> image = forward.image();
    EXPECT_EQ(image[12], 4);
    EXPECT_EQ(std::string(image.begin() + 13, image.begin() + 17), "Beta");
}

}  // namespace
