#include "engine/SafetyClassifier.hpp"

#include <gtest/gtest.h>

namespace zentrel::engine {
namespace {

namespace sc = SafetyClassifier;

const platform::Date kNow = platform::Date::fromTimeIntervalSince1970(1'800'000'000);
platform::Date ago(double seconds) { return kNow.addingTimeInterval(-seconds); }
constexpr double kDay = 86400;

TEST(SafetyClassifierTest, SharedStoresAlwaysNeedAReviewAndOfferTheToolsCommand) {
    for (const char* tool : {"pnpm", "PNPM", "PnPm"}) {
        auto verdict = sc::classify("/anywhere", tool, ago(100 * kDay), kNow);
        EXPECT_EQ(verdict.disposition, sc::Disposition::review) << tool;
        EXPECT_EQ(verdict.suggestedCommand, "pnpm store prune") << tool;
        EXPECT_EQ(verdict.deletionMethod, model::DeletionMethod::remove());
    }
    auto npmInStore = sc::classify("/h/Library/pnpm/store/v3", "npm", std::nullopt, kNow);
    EXPECT_EQ(sc::cacheKind("/h/Library/pnpm/store/v3", "npm"), sc::CacheKind::sharedHardlinkStore);
    EXPECT_EQ(npmInStore.suggestedCommand, "npm cache verify");

    auto maven = sc::classify("/h/.m2/repository", "Maven", std::nullopt, kNow);
    EXPECT_EQ(maven.safetyLevel, model::SafetyLevel::review);
    EXPECT_EQ(maven.warning, "Shared by every project on this Mac \u2014 deleting forces all of them to re-download. "
                             "Prune instead of wiping the whole folder.");
    EXPECT_EQ(maven.suggestedCommand, "mvn dependency:purge-local-repository");
    EXPECT_EQ(sc::cacheKind("/h/.cargo/git/db", "other"), sc::CacheKind::sharedRepo);
    EXPECT_EQ(sc::cacheKind("/h/Library/Android/SDK", "other"), sc::CacheKind::disposableCache);  // case-sensitive
}

TEST(SafetyClassifierTest, DisposableCachesDependOnTheirLastUse) {
    auto recent = sc::classify("/h/Library/Caches/CocoaPods", "CocoaPods", ago(13 * kDay), kNow);
    EXPECT_EQ(recent.disposition, sc::Disposition::review);
    EXPECT_EQ(recent.warning,
              "Used in the last 13 days \u2014 a project may still rely on this. Review before deleting.");
    EXPECT_FALSE(recent.suggestedCommand);

    auto old = sc::classify("/h/Library/Caches/CocoaPods", "CocoaPods", ago(14 * kDay), kNow);
    EXPECT_EQ(old.disposition, sc::Disposition::recommend);
    EXPECT_EQ(old.safetyLevel, model::SafetyLevel::safe);
    EXPECT_EQ(old.warning, "Package managers will re-download when needed");

    EXPECT_EQ(sc::classify("/p", "pip", ago(30 * 3600), kNow).warning,
              "Used in the last day \u2014 a project may still rely on this. Review before deleting.");
    EXPECT_EQ(sc::classify("/p", "pip", kNow.addingTimeInterval(3600), kNow).disposition, sc::Disposition::review);
    EXPECT_EQ(sc::classify("/p", "Homebrew", std::nullopt, kNow).disposition, sc::Disposition::recommend);
    EXPECT_EQ(sc::recentUseWarning(ago(2 * kDay), kNow), "2 days");
}

TEST(SafetyClassifierTest, PruneCommands) {
    EXPECT_EQ(sc::suggestedCommand("Gradle"), "rm -rf ~/.gradle/caches  # Gradle re-downloads on next build");
    EXPECT_EQ(sc::suggestedCommand("android"), "# Manage in Android Studio \u25B8 SDK Manager (re-downloads on demand)");
    EXPECT_EQ(sc::suggestedCommand("Bundler"), "bundler cache clean");
}

TEST(SafetyClassifierTest, ICloudItemsThatMustStay) {
    const std::vector<std::pair<const char*, bool>> downloaded = {
        {"/h/iCloud/Photos Library.photoslibrary/originals/a.jpg", true},
        {"/h/iCloud/Talk.key", true},
        {"/h/iCloud/notes.txt", false},
        {"/h/iCloud/.report.pdf.icloud", true},
        {"/h/iCloud/.hidden.txt", false},
        {"/h/iCloud/Talk.KEY", false},
    };
    for (const auto& [path, skipped] : downloaded) EXPECT_EQ(sc::shouldSkipICloudItem(path, true), skipped) << path;
    EXPECT_TRUE(sc::shouldSkipICloudItem("/h/iCloud/notes.txt", false));
}

}  // namespace
}  // namespace zentrel::engine
