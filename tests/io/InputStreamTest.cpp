#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "io/ByteArrayInputStream.h"
#include "io/FileInputStream.h"
#include "lang/Exception.h"
#include "lang/ResourceArchiveWriter.h"
#include "lang/ResourceFile.h"
#include "support/TempDir.h"

namespace {

using testsupport::bytesOf;
using testsupport::TempDir;

std::string messageOf(lang::Exception* e) {
    std::string text = e->getMessage().c_str();
    e->release();
    return text;
}

const uint8_t kBytes[] = {10, 20, 30, 40, 250};

TEST(ByteArrayInputStream, ReadsBytesThenAnswersEnd) {
    io::ByteArrayInputStream in(kBytes, 5);
    for (uint8_t expected : kBytes) EXPECT_EQ(in.read(), expected);
    EXPECT_EQ(in.read(), -1);
    EXPECT_EQ(in.read(), -1);
}

TEST(ByteArrayInputStream, BlockReadNearTheEndCopiesOnlyWhatIsLeft) {
    io::ByteArrayInputStream in(kBytes, 5);
    uint8_t buffer[8];
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(in.seek(3), 3);
    EXPECT_EQ(in.read(buffer, 2, 6), 2);
    EXPECT_EQ(buffer[1], 0xEE);
    EXPECT_EQ(buffer[2], 40);
    EXPECT_EQ(buffer[3], 250);
    EXPECT_EQ(buffer[4], 0xEE);
    EXPECT_EQ(in.read(buffer, 0, 4), 0);
    EXPECT_EQ(in.read(buffer, 0, -3), 0);
}

TEST(ByteArrayInputStream, SeekAndSkipStopAtTheEndsAndAnswerTheDistanceMoved) {
    io::ByteArrayInputStream in(kBytes, 5);
    EXPECT_EQ(in.skip(2), 2);
    EXPECT_EQ(in.seek(100), 3);
    EXPECT_EQ(in.getPosition(), 5);
    EXPECT_EQ(in.skip(1), 0);
    EXPECT_EQ(in.skip(-100), -5);  // never before the first byte
    EXPECT_EQ(in.seek(-1), 0);
    EXPECT_EQ(in.skip(2147483647), 5);
    in.reset();
    EXPECT_EQ(in.read(), 10);
}

TEST(ByteArrayInputStream, NamedItemWithoutArchiveIsEmpty) {
    lang::ResourceFile::closeChain();
    io::ByteArrayInputStream in(lang::String("+datfile"));
    EXPECT_EQ(in.getLength(), 0);
    EXPECT_EQ(in.read(), -1);
    EXPECT_TRUE(in.isInstanceOf("ByteArrayInputStream"));
    EXPECT_TRUE(in.isInstanceOf("InputStream"));
    EXPECT_TRUE(in.isInstanceOf("Object"));
    EXPECT_FALSE(in.isInstanceOf("FileInputStream"));
}

TEST(ByteArrayInputStream, NamedItemReadsTheArchiveAndOutlivesIt) {
    TempDir dir;
    lang::ResourceArchiveWriter writer;
    writer.add("datfile", bytesOf("scene"));
    writer.write(dir.file("Cogniquilt.bin"));
    lang::ResourceFile::open(lang::String(dir.file("Cogniquilt.bin").c_str()));
    auto* plus = new io::ByteArrayInputStream(lang::String("+datfile"));
    io::ByteArrayInputStream bare(lang::String("datfile"));
    io::ByteArrayInputStream missing(lang::String("+nothing"));
    lang::ResourceFile::closeChain();

    EXPECT_EQ(bare.getLength(), 5);
    EXPECT_EQ(missing.getLength(), 0);
    char text[6] = {};
    ASSERT_EQ(plus->read(text, 0, 5), 5);
    EXPECT_STREQ(text, "scene");
    plus->release();
}

TEST(FileInputStream, MissingFileNamesTheFullPath) {
    TempDir dir;
    try {
        io::FileInputStream in(lang::String(dir.path().c_str()), lang::String("absent.dat"));
        FAIL() << "opened a missing file";
    } catch (lang::Exception* e) {
        EXPECT_EQ(messageOf(e), "Error Opening " + dir.path() + "\\absent.dat");
    }
    try {
        io::FileInputStream in(dir.path().c_str());
        FAIL() << "opened a directory";
    } catch (lang::Exception* e) {
        EXPECT_EQ(messageOf(e), "Error Opening " + dir.path());
    }
}

TEST(FileInputStream, JoinsDirectoryAndNameWithOneSeparator) {
    TempDir dir;
    dir.write("sub/f.bin", bytesOf("A"));
    io::FileInputStream joined(lang::String((dir.path() + "/sub").c_str()), lang::String("f.bin"));
    io::FileInputStream trailing(lang::String((dir.path() + "/sub/").c_str()), lang::String("f.bin"));
    io::FileInputStream windows(lang::String((dir.path() + "\\sub\\").c_str()), lang::String("f.bin"));
    io::FileInputStream plain(lang::String(""), lang::String((dir.path() + "/sub/f.bin").c_str()));
    for (io::FileInputStream* in : {&joined, &trailing, &windows, &plain}) EXPECT_EQ(in->read(), 'A');
}

TEST(FileInputStream, ReadsSeeksAndSkipsThenCloses) {
    TempDir dir;
    std::string path = dir.write("f.bin", std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 200});
    io::FileInputStream in(path.c_str());
    EXPECT_EQ(in.size(), 7);
    EXPECT_EQ(in.read(), 1);
    EXPECT_EQ(in.skip(2), 2);
    EXPECT_EQ(in.read(), 4);
    EXPECT_EQ(in.seek(1), -3);
    uint8_t buffer[10] = {};
    EXPECT_EQ(in.read(buffer, 1, 10), 6);
    EXPECT_EQ(buffer[1], 2);
    EXPECT_EQ(buffer[6], 200);
    EXPECT_EQ(in.read(), -1);
    in.reset();
    EXPECT_EQ(in.read(), 1);
    in.close();
    EXPECT_FALSE(in.isOpen());
    EXPECT_EQ(in.read(), -1);
    EXPECT_EQ(in.read(buffer, 0, 3), 0);
    EXPECT_EQ(in.skip(1), 0);
    EXPECT_TRUE(in.isInstanceOf("InputStream"));
    EXPECT_STREQ(in.getClassName(), "FileInputStream");
}

}  // namespace
