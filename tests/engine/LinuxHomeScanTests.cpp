// A full scan of a generated Linux desktop home with every scanner
// registered over the Linux table, as the programs set the engine up.

#include "engine/AllCategoryScanners.hpp"
#include "platform/PosixFileSystem.hpp"

#include "doubles/LinuxHomeFixture.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

namespace zentrel::engine {
namespace {

TEST(LinuxHomeScanTest, EveryCategoryFindsItsJunkWhereTheDesktopKeepsIt) {
    testing::TempDir dir;
    const auto fixture = testing::generateLinuxHome(dir.path());
    platform::PosixFileSystem fileSystem;
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(fixture.home, fixture.systemRoot),
                                                         fileSystem, static_cast<std::uint32_t>(::getuid()));
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    platform::NoICloudFileStatus icloud;
    auto& clock = platform::SystemClock::shared();
    CleanerEngine engine(fileSystem, pool, main);
    registerAllCategoryScanners(engine, {table, clock, icloud, [] { return scanners::PrivacyScanner::ScanOptions{true, false}; },
                                         [] { return scanners::ClipboardInsight{}; }});

    std::map<std::string, std::set<std::string>> found;
    std::vector<std::string> messages;
    for (const auto& item : engine.runFullScan(true, true, [&](double, const std::string& m) { messages.push_back(m); })) {
        if (!item.path.empty()) found[std::string(model::rawValue(item.category))].insert(item.path);
    }
    main.drain();
    EXPECT_EQ(found, fixture.expectedPaths);
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
