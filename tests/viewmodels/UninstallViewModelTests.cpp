#include "viewmodels/UninstallViewModel.hpp"

#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/ByteCountFormatter.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::viewmodels {
namespace {

class UninstallViewModelTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    platform::HostLayout layout = platform::HostLayout::forHome(dir / "home", dir / "sys");
    services::AppUninstaller uninstaller{fileSystem, layout};
    testing::ManualExecutor background;
    testing::ManualMainQueue main;
    UninstallViewModel model{uninstaller, background, main};

    model::InstalledApp addApp(const std::string& entry, const std::string& bundleID) {
        dir.write("sys/Applications/" + entry + "/Contents/Info.plist",
                  R"(<?xml version="1.0"?><plist version="1.0"><dict><key>CFBundleIdentifier</key><string>)" +
                      bundleID + "</string></dict></plist>");
        return {.name = entry.substr(0, entry.size() - 4), .bundleID = bundleID,
                .path = (dir / "sys/Applications" / entry).string(), .version = ""};
    }
    void settle() {
        while (background.runAll() + main.drain() > 0) {
        }
    }
    std::vector<std::string> names(const std::vector<model::InstalledApp>& apps) {
        std::vector<std::string> result;
        for (const auto& app : apps) result.push_back(app.name);
        return result;
    }
};

TEST_F(UninstallViewModelTest, FilterTrimsSpacesAndIgnoresCaseInNamesAndIdentifiers) {
    addApp("Photon.app", "org.light.photon");
    addApp("Notes.app", "com.example.NOTES");
    addApp("Calc.app", "com.example.calc");
    model.loadApps();
    EXPECT_TRUE(model.isLoadingApps());
    settle();
    EXPECT_FALSE(model.isLoadingApps());

    model.query.set("   \t ");
    EXPECT_EQ(names(model.filteredApps()), (std::vector<std::string>{"Calc", "Notes", "Photon"}));
    model.query.set(" PHOT ");
    EXPECT_EQ(names(model.filteredApps()), std::vector<std::string>{"Photon"});
    model.query.set("notes");
    EXPECT_EQ(names(model.filteredApps()), std::vector<std::string>{"Notes"});
    model.query.set("example");
    EXPECT_EQ(names(model.filteredApps()), (std::vector<std::string>{"Calc", "Notes"}));
}

TEST_F(UninstallViewModelTest, ALaterSelectionWinsOverAnOlderSearch) {
    auto a = addApp("Alpha.app", "com.example.alpha");
    auto b = addApp("Beta.app", "com.example.beta");
    dir.write("home/Library/Caches/com.example.alpha/x", "x");

    model.selectApp(a);
    model.selectApp(b);
    EXPECT_TRUE(model.isLoadingItems());
    settle();
    ASSERT_EQ(model.items().size(), 1u);
    EXPECT_EQ(model.items()[0].path, b.path);
    EXPECT_FALSE(model.isLoadingItems());
    EXPECT_EQ(model.selectedApp(), b);
}

TEST_F(UninstallViewModelTest, TogglingAndUninstallingReportsFailuresAndReloads) {
    auto app = addApp("Alpha.app", "com.example.alpha");
    addApp("Other.app", "com.example.other");
    dir.write("home/Library/Caches/com.example.alpha/x", std::string(5000, 'x'));
    dir.write("home/Library/Logs/com.example.alpha/y", std::string(5000, 'y'));
    model.loadApps();
    model.selectApp(app);
    settle();
    ASSERT_EQ(model.items().size(), 3u);  // bundle, caches, logs

    int itemNotices = 0;
    auto watch = model.items.observe([&](const auto&) { ++itemNotices; });
    model.toggleItem(model.items()[0].id);  // keep the application itself
    model.toggleItem(platform::Uuid::random());
    EXPECT_EQ(itemNotices, 1);
    EXPECT_EQ(model.selectedItems().size(), 2u);
    const auto cachesBytes = model.items()[1].sizeBytes;
    const auto expectedBytes = cachesBytes + model.items()[2].sizeBytes;
    EXPECT_EQ(model.selectedSizeText(), platform::formatByteCount(expectedBytes));

    // The logs vanish before the removal: one failure, nothing freed for them.
    std::filesystem::remove_all(dir / "home/Library/Logs/com.example.alpha");
    bool finished = false;
    model.uninstallSelected([&] { finished = true; });
    EXPECT_TRUE(model.isUninstalling());
    settle();
    EXPECT_TRUE(finished);
    EXPECT_FALSE(model.isUninstalling());
    EXPECT_EQ(model.lastFreedBytes(), std::optional<std::int64_t>(cachesBytes));
    EXPECT_EQ(model.failureCount(), 1);
    EXPECT_FALSE(model.selectedApp().has_value());
    EXPECT_TRUE(model.items().empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "home/Library/Caches/com.example.alpha"));
    EXPECT_TRUE(std::filesystem::exists(app.path));
    EXPECT_EQ(model.apps().size(), 2u);
}

TEST_F(UninstallViewModelTest, NothingSelectedChangesNothingAndAClosedSearchClearsItsFlag) {
    auto app = addApp("Alpha.app", "com.example.alpha");
    model.selectApp(app);
    settle();
    model.toggleItem(model.items()[0].id);
    model.uninstallSelected();
    EXPECT_FALSE(model.isUninstalling());
    EXPECT_EQ(background.pendingCount(), 0u);
    EXPECT_FALSE(model.lastFreedBytes().has_value());
    EXPECT_EQ(model.selectedSizeText(), platform::formatByteCount(0));

    // The application closes (an uninstall ends) while a search still runs.
    model.selectApp(app);
    model.selectedApp.set(std::nullopt);
    settle();
    EXPECT_FALSE(model.isLoadingItems());
    EXPECT_TRUE(model.items().empty());
}

TEST_F(UninstallViewModelTest, AnOlderLoadNeverOverwritesANewerOne) {
    addApp("Alpha.app", "com.example.alpha");
    model.loadApps();
    addApp("Beta.app", "com.example.beta");
    model.loadApps();
    // The newer load finishes first; the older one's result arrives last.
    ASSERT_TRUE(background.runNewest());
    main.drain();
    EXPECT_EQ(names(model.apps()), (std::vector<std::string>{"Alpha", "Beta"}));
    std::filesystem::remove_all(dir / "sys/Applications/Beta.app");
    ASSERT_TRUE(background.runOne());
    main.drain();
    EXPECT_EQ(names(model.apps()), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_FALSE(model.isLoadingApps());
}

TEST_F(UninstallViewModelTest, LoadingEndsOnlyWithTheNewestLoad) {
    addApp("Alpha.app", "com.example.alpha");
    model.loadApps();
    model.loadApps();
    ASSERT_TRUE(background.runOne());
    main.drain();
    EXPECT_TRUE(model.isLoadingApps());
    EXPECT_TRUE(model.apps().empty());
    settle();
    EXPECT_FALSE(model.isLoadingApps());
    EXPECT_EQ(model.apps().size(), 1u);
}

TEST_F(UninstallViewModelTest, ARemovalEndingAfterItsSheetClosedLeavesTheNextSheetAlone) {
    auto a = addApp("Alpha.app", "com.example.alpha");
    auto b = addApp("Beta.app", "com.example.beta");
    dir.write("home/Library/Caches/com.example.alpha/x", "x");
    model.selectApp(a);
    settle();
    model.toggleItem(model.items()[0].id);  // only the caches
    model.uninstallSelected();

    // The sheet closes and another opens before the removal ends.
    model.selectedApp.set(std::nullopt);
    model.items.set({});
    model.selectApp(b);
    settle();
    EXPECT_FALSE(model.isUninstalling());
    EXPECT_EQ(model.selectedApp(), b);
    ASSERT_EQ(model.items().size(), 1u);
    EXPECT_EQ(model.items()[0].path, b.path);
    EXPECT_TRUE(model.lastFreedBytes().has_value());
    EXPECT_FALSE(std::filesystem::exists(dir / "home/Library/Caches/com.example.alpha"));
}

}  // namespace
}  // namespace zentrel::viewmodels
