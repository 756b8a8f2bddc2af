#include "viewmodels/SmartCleanupPlan.hpp"

#include "model/UserPreferences.hpp"
#include "viewmodels/CleanFigureText.hpp"

#include <algorithm>
#include <map>

namespace zentrel::viewmodels {

SmartCleanupPlan SmartCleanupPlan::fromItems(const std::vector<model::CleanItem>& items) {
    SmartCleanupPlan plan;
    std::map<model::CategoryType, CategorySummary> byCategory;
    for (const auto& item : items) {
        if (!item.isSafeRecommendation()) continue;
        plan.items.push_back(item);
        auto& summary = byCategory[item.category];
        summary.category = item.category;
        ++summary.itemCount;
        summary.totalBytes += item.sizeBytes;
        summary.trackerCookies += trackerCookieCount(item);
        plan.totalBytes += item.sizeBytes;
        plan.trackerCookies += trackerCookieCount(item);
    }
    for (const auto& [category, summary] : byCategory) plan.categories.push_back(summary);
    std::stable_sort(plan.categories.begin(), plan.categories.end(),
                     [](const auto& a, const auto& b) { return a.totalBytes > b.totalBytes; });
    std::stable_sort(plan.items.begin(), plan.items.end(),
                     [](const auto& a, const auto& b) { return a.sizeBytes > b.sizeBytes; });
    return plan;
}

SmartCleanupPlan SmartCleanupPlan::fromPersisted(const model::PersistedSmartCleanupPlan& persisted) {
    SmartCleanupPlan plan;
    plan.isSummaryOnly = true;
    // A damaged total (not a number, out of range) reads as 0, as stored totals do elsewhere.
    plan.totalBytes = model::truncatedBytes(persisted.totalBytes);
    for (const auto& row : persisted.categories) {
        const auto category = model::categoryFromRaw(row.categoryRaw);
        if (!category) continue;
        plan.categories.push_back({*category, row.itemCount, model::truncatedBytes(row.totalBytes), 0});
    }
    return plan;
}

}  // namespace zentrel::viewmodels
