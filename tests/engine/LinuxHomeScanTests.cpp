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
    for (const auto& item : engine.runFullScan(true, true, {})) {
        if (!item.path.empty()) found[std::string(model::rawValue(item.category))].insert(item.path);
    }
    EXPECT_EQ(found, fixture.expectedPaths);
}

}  // namespace
}  // namespace zentrel::engine
