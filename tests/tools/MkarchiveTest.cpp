#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lang/ResourceFileHeader.h"
#include "lang/ResourceItem.h"
#include "support/TempDir.h"

namespace {

using testsupport::TempDir;

const std::string kTool = std::string(MENTARIUM_BINARY_DIR) + "/tools/mkarchive";

struct ToolRun {
    int status;
    std::string out;
};

// Runs the tool with arguments (each quoted) and collects its standard output.
ToolRun mkarchive(const std::vector<std::string>& args) {
    std::string command = "'" + kTool + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " 2>/dev/null";
    ToolRun run{-1, {}};
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<uint8_t> binary(size_t size, int seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>((i * 131 + seed) ^ (i >> 5));
    return bytes;
}

class Mkarchive : public ::testing::Test {
protected:
    void SetUp() override {
        in_.write("content/datfile", "<images>\r<end>\r");
        in_.write("content/sounds/click.wav", binary(5000, 1));
        in_.write("content/empty", std::vector<uint8_t>{});
        in_.write("loose/music.xm", binary(20000, 2));
    }
    TempDir in_;
    TempDir out_;
};

TEST_F(Mkarchive, PackListAndExtractRoundTrip) {
    for (const char* archive : {"Cogniquilt.bin", "Cogniquilt.zin"}) {
        std::string path = out_.file(archive);
        ASSERT_EQ(mkarchive({"pack", path, in_.file("content"), "musicGame=" + in_.file("loose/music.xm"),
                             in_.file("loose/music.xm")})
                      .status,
                  0);
        ToolRun list = mkarchive({"list", path});
        ASSERT_EQ(list.status, 0);
        // Names sorted bytewise, then offset and length.
        std::vector<std::string> names;
        size_t start = 0;
        while (start < list.out.size()) {
            size_t end = list.out.find('\n', start);
            std::string line = list.out.substr(start, end - start);
            names.push_back(line.substr(0, line.find('\t')));
            start = end + 1;
        }
        EXPECT_EQ(names, (std::vector<std::string>{"datfile", "empty", "music.xm", "musicGame", "sounds/click.wav"}))
            << archive;
        EXPECT_NE(list.out.find("sounds/click.wav\t"), std::string::npos);
        EXPECT_NE(list.out.find("\t5000\n"), std::string::npos);

        const std::vector<std::pair<std::string, std::string>> expected = {
            {"datfile", "content/datfile"},
            {"empty", "content/empty"},
            {"music.xm", "loose/music.xm"},
            {"musicGame", "loose/music.xm"},
            {"sounds/click.wav", "content/sounds/click.wav"}};
        for (const auto& [name, source] : expected) {
            std::string extracted = out_.file("x-" + std::to_string(names.size()) + "-" + archive);
            ASSERT_EQ(mkarchive({"extract", path, name, extracted}).status, 0) << name;
            EXPECT_EQ(TempDir::read(extracted), TempDir::read(in_.file(source))) << archive << " " << name;
        }
        ToolRun toStdout = mkarchive({"extract", path, "datfile"});
        EXPECT_EQ(toStdout.out, "<images>\r<end>\r");
    }
}

TEST_F(Mkarchive, SameInputsGiveTheSameBytes) {
    ASSERT_EQ(mkarchive({"pack", out_.file("a.zin"), in_.file("content"), in_.file("loose/music.xm")}).status, 0);
    ASSERT_EQ(mkarchive({"pack", out_.file("b.zin"), in_.file("loose/music.xm"), in_.file("content")}).status, 0);
    std::vector<uint8_t> a = TempDir::read(out_.file("a.zin"));
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, TempDir::read(out_.file("b.zin")));
}

TEST_F(Mkarchive, PackedArchiveIsReadByTheGame) {
    std::string path = out_.file("game.bin");
    ASSERT_EQ(mkarchive({"pack", path, in_.file("content")}).status, 0);
    auto* header = new lang::ResourceFileHeader(lang::String(path.c_str()));
    lang::ResourceItem* item = header->getItem(lang::String("sounds/click.wav"), false);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(item->getData(), item->getData() + item->getLength()), binary(5000, 1));
    item->release();
    header->release();
}

TEST_F(Mkarchive, FailuresExitWithAnError) {
    std::string path = out_.file("dup.bin");
    EXPECT_NE(mkarchive({"pack", path, "x=" + in_.file("content/datfile"), "x=" + in_.file("content/empty")}).status,
              0);
    EXPECT_NE(mkarchive({"pack", path, in_.file("nothing-here")}).status, 0);
    EXPECT_NE(mkarchive({"list", out_.file("missing.bin")}).status, 0);
    ASSERT_EQ(mkarchive({"pack", path, in_.file("content")}).status, 0);
    EXPECT_NE(mkarchive({"extract", path, "no-such-item", out_.file("o")}).status, 0);
    EXPECT_EQ(mkarchive({"frobnicate", path}).status, 2);
}

}  // namespace
