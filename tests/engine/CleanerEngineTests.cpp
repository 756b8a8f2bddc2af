#include "engine/CleanerEngine.hpp"

#include "platform/files/PosixFileSystem.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::engine {
namespace {

constexpr std::array<std::pair<ScannerID, const char*>, 13> kScanners = {{
    {ScannerID::xcode, "xcode"},
    {ScannerID::devTools, "devTools"},
    {ScannerID::devProjects, "devProjects"},
    {ScannerID::appCaches, "appCaches"},
    {ScannerID::systemCaches, "systemCaches"},
    {ScannerID::trashAndDownloads, "trash"},
    {ScannerID::iosBackups, "iosBackups"},
    {ScannerID::largeFiles, "largeFiles"},
    {ScannerID::mail, "mail"},
    {ScannerID::duplicates, "duplicates"},
    {ScannerID::privacy, "privacy"},
    {ScannerID::startupItems, "startup"},
    {ScannerID::icloud, "icloud"},
}};

class CleanerEngineTest : public ::testing::Test {
protected:
    CleanerEngineTest() {
        // Every scanner finds one item named after itself.
        for (const auto& [id, name] : kScanners) {
            engine.setScanner(id, [name = std::string(name)](CleanerEngine&) {
                model::CleanItem item;
                item.name = name;
                return CleanerEngine::Items{item};
            });
        }
    }

    std::vector<std::string> names(const CleanerEngine::Items& items) {
        std::vector<std::string> result;
        for (const auto& item : items) result.push_back(item.name);
        return result;
    }

    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    CleanerEngine engine{fileSystem, pool, main};
    std::vector<std::pair<double, std::string>> reports;
};

TEST_F(CleanerEngineTest, ABackgroundScanRunsTheSixBasePhases) {
    std::optional<CleanerEngine::Items> result;
    engine.scanCategories(false, false, [&](double f, const std::string& m) { reports.emplace_back(f, m); },
                          [&](CleanerEngine::Items items) { result = std::move(items); });
    pool.runAll();
    main.drain();
    ASSERT_TRUE(result);
    EXPECT_EQ(names(*result),
              (std::vector<std::string>{"xcode", "devTools", "appCaches", "systemCaches", "trash", "iosBackups"}));
    const std::vector<std::pair<double, std::string>> expected = {
        {0.0, "Scanning Xcode..."},       {1.0 / 6, "Scanning Dev Tools..."}, {2.0 / 6, "Scanning App Caches..."},
        {3.0 / 6, "Scanning System Caches..."}, {4.0 / 6, "Scanning Trash..."}, {5.0 / 6, "Scanning iOS Backups..."},
        {1.0, "Scan complete"}};
    EXPECT_EQ(reports, expected);
}

TEST_F(CleanerEngineTest, AUserScanRunsThirteenPhasesInOrder) {
    auto items = engine.runFullScan(true, true, [&](double f, const std::string& m) { reports.emplace_back(f, m); });
    main.drain();
    EXPECT_EQ(names(items), (std::vector<std::string>{"xcode", "devTools", "appCaches", "systemCaches", "trash",
                                                      "iosBackups", "devProjects", "largeFiles", "mail", "duplicates",
                                                      "privacy", "startup", "icloud"}));
    ASSERT_EQ(reports.size(), 14u);
    EXPECT_EQ(reports[8], (std::pair<double, std::string>{8.0 / 13, "Scanning Mail..."}));
    EXPECT_EQ(reports[9], (std::pair<double, std::string>{9.0 / 13, "Scanning duplicates..."}));
    for (std::size_t i = 1; i < reports.size(); ++i) EXPECT_GT(reports[i].first, reports[i - 1].first);
}

TEST_F(CleanerEngineTest, CategoryScansUseTheirOwnScannerAndLabels) {
    std::optional<CleanerEngine::Items> result;
    engine.scanCategory(model::CategoryType::appCaches, [&](CleanerEngine::Items items) { result = std::move(items); });
    pool.runAll();
    main.drain();
    ASSERT_TRUE(result);
    EXPECT_EQ(names(*result), std::vector<std::string>{"appCaches"});  // never Mail
    EXPECT_EQ(CleanerEngine::scanningLabel(model::CategoryType::startup), "Scanning startup items...");
    EXPECT_EQ(CleanerEngine::scannerFor(model::CategoryType::trash), ScannerID::trashAndDownloads);
    for (auto category : model::kAllCategories) EXPECT_FALSE(CleanerEngine::scanningLabel(category).empty());
}

TEST_F(CleanerEngineTest, SizesFilesByLengthFoldersByAllocationAndCachesPerScan) {
    const auto file = dir.write("one-byte", "x");
    dir.write("folder/one-byte", "x");
    dir.write("hidden-only/.secret", std::string(10000, 's'));
    std::filesystem::create_hard_link(dir / "folder/one-byte", dir / "folder/same-file");
    auto allocated = [&](const std::string& relative) {
        return fileSystem.attributes((dir / relative).string())->allocatedSize;
    };
    EXPECT_EQ(engine.allocatedSizeOfPath(file.string()), 1);
    // A folder counts its own blocks and everything in it, a file with two names once, as removing it frees.
    EXPECT_EQ(engine.allocatedSizeOfPath((dir / "folder").string()), allocated("folder") + allocated("folder/one-byte"));
    EXPECT_EQ(engine.allocatedSizeOfPath((dir / "hidden-only").string()),
              allocated("hidden-only") + allocated("hidden-only/.secret"));

    const auto missing = (dir / "missing").string();
    EXPECT_EQ(engine.cachedSize(missing), 0);
    EXPECT_EQ(engine.cachedSizeCount(), 1u);
    const auto growing = (dir / "growing").string();
    dir.write("growing/a", std::string(100000, 'a'));
    const auto before = engine.cachedSize(growing);
    dir.write("growing/b", std::string(100000, 'b'));
    EXPECT_EQ(engine.cachedSize(growing), before);  // the same scan reuses the size
    (void)engine.runFullScan(false, false, {});
    EXPECT_GT(engine.cachedSize(growing), before);  // a new scan sizes it anew
}

}  // namespace
}  // namespace zentrel::engine
