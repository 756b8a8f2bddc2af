#include "model/SharedEcosystemState.hpp"

#include "model/CategoryType.hpp"
#include "model/CleaningRecord.hpp"
#include "model/DecodingError.hpp"
#include "model/UserPreferences.hpp"

#include <iostream>

namespace zentrel::model {

namespace {

constexpr std::string_view kMigrated = "eco.migratedFromStandard";
constexpr std::string_view kLastCleaningDate = "eco.lastCleaningDate";
constexpr std::string_view kLastCleaningFreedBytes = "eco.lastCleaningFreedBytes";

constexpr std::pair<std::string_view, std::string_view> kMigrationPairs[] = {
    {"lastScanDate", "eco.lastScanDate"},
    {"lastScanFoundBytes", "eco.lastScanFoundBytes"},
    {"lastScanItemCount", "eco.lastScanItemCount"},
    {"lastScanCategoryTotals", "eco.lastScanCategoryTotals"},
    {"lastSafeCleanableBytes", "eco.lastSafeCleanableBytes"},
};

void storeLatestCleaning(platform::DefaultsStore& suite, const CleaningRecord& record) {
    suite.setReal(kLastCleaningDate, record.date.timeIntervalSince1970());
    suite.setReal(kLastCleaningFreedBytes, static_cast<double>(record.freedBytes));
}

}  // namespace

SharedEcosystemState::SharedEcosystemState(platform::DefaultsStore* appGroupSuite, platform::DefaultsStore& standard)
    : suite_(appGroupSuite ? *appGroupSuite : standard) {
    if (appGroupSuite) {
        migrateIfNeeded(standard);
    } else {
        std::cout << "[Zentrel] App Group 'group.com.torvane.zentrel' unavailable \u2014 shared state disabled."
                  << std::endl;
    }
}

void SharedEcosystemState::migrateIfNeeded(const platform::DefaultsStore& standard) {
    if (suite_.boolean(kMigrated)) return;
    for (const auto& [from, to] : kMigrationPairs) {
        if (auto value = standard.value(from)) suite_.set(to, *value);
    }
    if (auto json = storedJson(standard, "cleaningHistory")) {
        try {
            auto latest = latestCleaning(decodeCleaningHistory(*json));
            if (latest && latest->freedBytes >= 1) storeLatestCleaning(suite_, *latest);
        } catch (const DecodingError&) {
            // An unreadable history migrates no clean.
        }
    }
    suite_.setBool(kMigrated, true);
}

void SharedEcosystemState::syncScanSummary(const UserPreferences& preferences) {
    const auto& defaults = preferences.defaults();
    const double lastScan = defaults.real("lastScanDate");
    if (lastScan > 0) {
        suite_.setReal("eco.lastScanDate", lastScan);
    } else {
        suite_.remove("eco.lastScanDate");
    }
    suite_.setReal("eco.lastScanFoundBytes", static_cast<double>(truncatedBytes(defaults.real("lastScanFoundBytes"))));
    suite_.setInteger("eco.lastScanItemCount", defaults.integer("lastScanItemCount"));
    suite_.setReal("eco.lastSafeCleanableBytes",
                   static_cast<double>(truncatedBytes(defaults.real("lastSafeCleanableBytes"))));

    const auto totals = preferences.lastScanCategoryTotals();
    nlohmann::json object = nlohmann::json::object();
    for (auto category : kAllCategories) {
        auto found = totals.find(category);
        object[std::string(rawValue(category))] = found == totals.end() ? 0.0 : static_cast<double>(found->second);
    }
    suite_.setData("eco.lastScanCategoryTotals", platform::bytesOf(object.dump()));

    auto latest = latestCleaning(preferences.cleaningHistory());
    if (!latest || latest->freedBytes <= 0) {
        suite_.remove(kLastCleaningDate);
        suite_.remove(kLastCleaningFreedBytes);
    } else {
        storeLatestCleaning(suite_, *latest);
    }
}

}  // namespace zentrel::model
