#include "doubles/FakeFileSystem.hpp"
#include "engine/NodePackageManager.hpp"
#include "engine/PropertyListFile.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zentrel::engine {
namespace {

using ::testing::Pair;
using ::testing::UnorderedElementsAre;

TEST(PropertyListFileTest, ReadsTheTopLevelTextsOfXmlAndBinaryLists) {
    zentrel::testing::FakeFileSystem fs;
    fs.addTextFile("/xml.plist", R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>name</key><string>iPhone 15</string>
  <key>count</key><integer>3</integer>
  <key>nested</key><dict><key>inner</key><string>x</string></dict>
</dict></plist>)");
    // bplist00 of {"Device Name": "Pixel"}
    const unsigned char binary[] = {
        0x62, 0x70, 0x6c, 0x69, 0x73, 0x74, 0x30, 0x30, 0xd1, 0x01, 0x02, 0x5b, 0x44, 0x65, 0x76, 0x69, 0x63,
        0x65, 0x20, 0x4e, 0x61, 0x6d, 0x65, 0x55, 0x50, 0x69, 0x78, 0x65, 0x6c, 0x08, 0x0b, 0x17, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1d};
    fs.addTextFile("/binary.plist", std::string(reinterpret_cast<const char*>(binary), sizeof binary));

    auto xml = readPropertyListStrings(fs, "/xml.plist", {"name", "count", "nested", "missing"});
    ASSERT_TRUE(xml);
    EXPECT_THAT(*xml, UnorderedElementsAre(Pair("name", "iPhone 15")));
    auto bin = readPropertyListStrings(fs, "/binary.plist", {"Device Name"});
    ASSERT_TRUE(bin);
    EXPECT_THAT(*bin, UnorderedElementsAre(Pair("Device Name", "Pixel")));
}

TEST(PropertyListFileTest, AnythingElseGivesNothing) {
    zentrel::testing::FakeFileSystem fs;
    fs.addTextFile("/text.plist", "not a property list");
    fs.addTextFile("/array.plist", R"(<?xml version="1.0"?><plist version="1.0"><array><string>a</string></array></plist>)");
    fs.addTextFile("/empty.plist", "");
    fs.addTextFile("/locked.plist", R"(<plist version="1.0"><dict/></plist>)");
    fs.makeUnreadable("/locked.plist");
    for (const char* path : {"/text.plist", "/array.plist", "/empty.plist", "/locked.plist", "/missing.plist"})
        EXPECT_EQ(readPropertyListStrings(fs, path, {"a"}), std::nullopt) << path;
}

TEST(NodePackageManagerTest, TheFirstLockFileFoundDecides) {
    const std::pair<std::vector<const char*>, NodePackageManager> cases[] = {
        {{"pnpm-lock.yaml", "yarn.lock"}, NodePackageManager::pnpm},
        {{"yarn.lock", "package-lock.json"}, NodePackageManager::yarn},
        {{"bun.lockb", "package-lock.json"}, NodePackageManager::bun},
        {{"package-lock.json"}, NodePackageManager::npm},
        {{"package.json"}, NodePackageManager::unknown},
    };
    for (const auto& [files, manager] : cases) {
        zentrel::testing::FakeFileSystem fs;
        for (const char* file : files) fs.addTextFile(std::string("/p/") + file, "x");
        EXPECT_EQ(packageManagerForProject(fs, "/p"), manager) << files.front();
    }
    EXPECT_EQ(label(NodePackageManager::bun), "bun");
    EXPECT_EQ(label(NodePackageManager::unknown), "");
}

}  // namespace
}  // namespace zentrel::engine
