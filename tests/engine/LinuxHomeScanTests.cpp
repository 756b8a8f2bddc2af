// A full scan of a generated Linux desktop home with every scanner
// registered over the Linux table, as the programs set the engine up.

#include "engine/LinuxHomeEngine.hpp"

#include <gtest/gtest.h>

namespace zentrel::engine {
namespace {

TEST(LinuxHomeScanTest, EveryCategoryFindsItsJunkWhereTheDesktopKeepsIt) {
    testing::LinuxHomeEngine home;
    auto& engine = home.engine;
    std::map<std::string, std::set<std::string>> found;
    std::vector<std::string> messages;
    for (const auto& item : engine.runFullScan(true, true, [&](double, const std::string& m) { messages.push_back(m); })) {
        if (!item.path.empty()) found[std::string(model::rawValue(item.category))].insert(item.path);
    }
    home.main.drain();
    EXPECT_EQ(found, home.fixture.expectedPaths);
    // The categories this desktop has no place for are neither scanned nor reported.
    using model::CategoryType;
    EXPECT_EQ(engine.categories().size(), 9u);
    for (auto category : {CategoryType::xcode, CategoryType::iosBackups, CategoryType::icloud}) {
        EXPECT_FALSE(engine.hasCategory(category));
        const auto label = CleanerEngine::scanningLabel(category);
        EXPECT_EQ(std::ranges::count(messages, label), 0) << label;
    }
    EXPECT_EQ(std::ranges::count(messages, CleanerEngine::scanningLabel(CategoryType::privacy)), 1);
}

TEST(LinuxHomeScanTest, TheMacLayoutHasAPlaceForEveryCategory) {
    testing::TempDir dir;
    const auto mac = platform::HostTable::macos(platform::HostLayout::forHome(dir.path()));
    EXPECT_EQ(categoriesWithPlaces(mac).size(), 12u);
    auto partial = mac;
    partial.xcodeDerivedData.clear();
    partial.xcodeArchives.clear();
    EXPECT_EQ(categoriesWithPlaces(partial).size(), 12u);  // other Xcode places remain
    partial.deviceBackups.clear();
    EXPECT_EQ(categoriesWithPlaces(partial).size(), 11u);
}

}  // namespace
}  // namespace zentrel::engine
