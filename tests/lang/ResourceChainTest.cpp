#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "lang/Exception.h"
#include "lang/ResourceArchiveWriter.h"
#include "lang/ResourceFile.h"
#include "lang/ResourceFileHeader.h"
#include "lang/ResourceItem.h"
#include "lang/String.h"
#include "platform/SearchPath.h"
#include "support/TempDir.h"

namespace {

using lang::ResourceFile;
using lang::ResourceItem;
using testsupport::bytesOf;
using testsupport::ScopedEnv;
using testsupport::TempDir;

const std::string kModule = std::string(MENTARIUM_BINARY_DIR) + "/tests/resource_module.dll";

std::string textOf(ResourceItem* item) {
    if (!item) return "<absent>";
    std::string text(reinterpret_cast<const char*>(item->getData()), static_cast<size_t>(item->getLength()));
    item->release();
    return text;
}

class ResourceChain : public ::testing::Test {
protected:
    void SetUp() override { ResourceFile::closeChain(); }
    void TearDown() override { ResourceFile::closeChain(); }

    std::string archive(const std::string& name, const std::vector<std::pair<std::string, std::string>>& items) {
        lang::ResourceArchiveWriter writer;
        for (const auto& [itemName, text] : items) writer.add(itemName, bytesOf(text));
        writer.write(dir_.file(name));
        return dir_.file(name);
    }
    std::string copyOfModule(const std::string& name) {
        std::filesystem::copy_file(kModule, dir_.file(name));
        return dir_.file(name);
    }

    TempDir dir_;
};

TEST_F(ResourceChain, ModuleNamesWinAndOtherNamesFallThroughToTheArchive) {
    ResourceFile* module = ResourceFile::open(lang::String(copyOfModule("res.dll").c_str()));
    ResourceFile::open(
        lang::String(archive("Cogniquilt.bin", {{"datfile", "from archive"}, {"musicGame", "mod"}}).c_str()));
    ASSERT_EQ(ResourceFile::getChain(), module);
    EXPECT_EQ(module->getKind(), ResourceFile::KIND_MODULE);
    EXPECT_TRUE(module->hasModule());
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("datfile"), true)), "from module");
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("only_in_module"), false)), std::string("\1\2\3"));
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("musicGame"), true)), "mod");
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("nowhere"), true)), "<absent>");
}

TEST_F(ResourceChain, ModuleItemKeepsItsModuleLoadedAfterTheChainCloses) {
    ResourceFile::open(lang::String(copyOfModule("res.DLL").c_str()));
    EXPECT_EQ(ResourceFile::getChain()->getKind(), ResourceFile::KIND_MODULE);
    ResourceItem* item = ResourceFile::fetch(lang::String("datfile"), true);
    ASSERT_NE(item, nullptr);
    EXPECT_STREQ(item->getClassName(), "DLLItem");
    EXPECT_TRUE(item->isInstanceOf("ResourceItem"));
    EXPECT_TRUE(item->isInstanceOf("Object"));
    EXPECT_FALSE(item->isInstanceOf("FileItem"));
    ResourceFile::closeChain();
    EXPECT_EQ(textOf(item), "from module");
}

TEST_F(ResourceChain, OtherCasesOfTheModuleEndingAreArchiveFiles) {
    for (const char* name : {"data.Dll", "data.dLL", "data.DLl"}) {
        auto* source = new ResourceFile(lang::String(archive(name, {{"x", name}}).c_str()));
        EXPECT_EQ(source->getKind(), ResourceFile::KIND_ARCHIVE) << name;
        EXPECT_EQ(textOf(source->getItem(lang::String("x"), false)), name);
        source->release();
    }
}

TEST_F(ResourceChain, UnloadableModuleIsSkipped) {
    ResourceFile* broken = ResourceFile::open(lang::String(dir_.write("fake.dll", "not a module").c_str()));
    ResourceFile::open(lang::String("/nonexistent/none.DLL"));
    ResourceFile::open(lang::String(archive("a.bin", {{"datfile", "archive"}}).c_str()));
    EXPECT_EQ(broken->getKind(), ResourceFile::KIND_MODULE);
    EXPECT_FALSE(broken->hasModule());
    ASSERT_NE(broken->getNext(), nullptr);
    EXPECT_FALSE(broken->getNext()->hasModule());
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("datfile"), true)), "archive");
}

TEST_F(ResourceChain, FirstArchiveAnswersForTheRestOfTheChain) {
    ResourceFile* first = ResourceFile::open(lang::String(archive("a.bin", {{"one", "1"}}).c_str()));
    ResourceFile* second = ResourceFile::open(lang::String(archive("b.bin", {{"two", "2"}}).c_str()));
    EXPECT_EQ(first->getNext(), second);
    EXPECT_EQ(second->refCount(), 1);  // held by the chain alone
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("one"), true)), "1");
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("two"), true)), "<absent>");
    EXPECT_EQ(textOf(second->getItem(lang::String("two"), true)), "2");
}

TEST_F(ResourceChain, ChosenLanguageTakesTranslatedItemsAndFallsBackToEnglish) {
    ResourceFile::open(
        lang::String(archive("a.bin", {{"words", "Hello"}, {"words.de", "Hallo"}, {"art", "same"}}).c_str()));
    ResourceFile::setLanguage(lang::String("de"));
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("words"), true)), "Hallo");
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("art"), true)), "same");
    EXPECT_TRUE(ResourceFile::has(lang::String("art")));
    EXPECT_FALSE(ResourceFile::has(lang::String("missing")));
    ResourceFile::setLanguage(lang::String("en"));
    EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("words"), true)), "Hello");
}

TEST_F(ResourceChain, NoChainMeansNoItems) {
    EXPECT_EQ(ResourceFile::getChain(), nullptr);
    EXPECT_EQ(ResourceFile::fetch(lang::String("datfile"), true), nullptr);
    EXPECT_STREQ(lang::String::loadText("datfile").c_str(), "");
}

TEST_F(ResourceChain, ArchiveIsFoundInTheDataDirectoryFirst) {
    // A name of its own: the build packs a Cogniquilt.bin beside the test programs.
    const char* kName = "SearchOrderTest.bin";
    TempDir data;
    lang::ResourceArchiveWriter writer;
    writer.add("where", bytesOf("data dir"));
    writer.write(data.file(kName));
    archive(kName, {{"where", "current dir"}});

    std::string oldCwd = std::filesystem::current_path().string();
    ASSERT_EQ(chdir(dir_.path().c_str()), 0);
    {
        ScopedEnv env("MENTARIUM_DATA", data.path().c_str());
        std::vector<std::string> places = platform::searchDirectories();
        ASSERT_GE(places.size(), 3u);
        EXPECT_EQ(places[0], data.path());
        EXPECT_EQ(places[2], std::filesystem::current_path().string());
        ResourceFile::open(lang::String(kName));
        EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("where"), true)), "data dir");
    }
    ResourceFile::closeChain();
    {
        ScopedEnv env("MENTARIUM_DATA", nullptr);
        ResourceFile::open(lang::String(kName));
        EXPECT_EQ(textOf(ResourceFile::fetch(lang::String("where"), true)), "current dir");
    }
    ASSERT_EQ(chdir(oldCwd.c_str()), 0);
}

TEST_F(ResourceChain, MissingArchiveIsReportedWithThePlacesSearched) {
    TempDir data;
    ScopedEnv env("MENTARIUM_DATA", data.path().c_str());
    try {
        ResourceFile::open(lang::String("Cogniquilt-missing.bin"));
        FAIL() << "opened a missing archive";
    } catch (lang::Exception* e) {
        std::string message = e->getMessage().c_str();
        e->release();
        EXPECT_EQ(message.rfind("Error Opening Cogniquilt-missing.bin: not found in " + data.path() + ", ", 0), 0u)
            << message;
    }
    EXPECT_EQ(ResourceFile::getChain(), nullptr);
}

TEST_F(ResourceChain, DamagedArchiveAtOpeningLeavesNoChain) {
    std::string path = dir_.write("bad.bin", std::vector<uint8_t>{1, 2, 3});
    try {
        ResourceFile::open(lang::String(path.c_str()));
        FAIL() << "opened a damaged archive";
    } catch (lang::Exception* e) {
        EXPECT_STREQ(e->getMessage().c_str(), ("Damaged archive " + path + ": header cut short").c_str());
        e->release();
    }
    EXPECT_EQ(ResourceFile::getChain(), nullptr);
}

TEST_F(ResourceChain, LoadTextDropsTheTerminatorAndConvertsUtf8) {
    std::string ascii("Hello, world");
    ascii.push_back('\0');
    std::string utf8("caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD");  // e acute, euro sign, a character outside the code page
    utf8.push_back('\0');
    utf8 += "after";
    ResourceFile::open(
        lang::String(archive("t.bin", {{"ascii", ascii}, {"utf8", utf8}, {"one", "x"}, {"none", ""}}).c_str()));
    EXPECT_STREQ(lang::String::loadText("ascii").c_str(), "Hello, world");
    EXPECT_STREQ(lang::String::loadText("utf8").c_str(), "caf\xE9 \x80 .");
    EXPECT_STREQ(lang::String::loadText("one").c_str(), "");
    EXPECT_STREQ(lang::String::loadText("none").c_str(), "");
    EXPECT_STREQ(lang::String::loadText("missing").c_str(), "");
}

}  // namespace
