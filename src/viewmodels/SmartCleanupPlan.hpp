#pragma once
// The recommended cleanup the smart cleanup screen shows: the safe and
// recommended items of the current scan with a summary per category, or,
// with no scan loaded, the category summary of the last scan's stored plan.
// Rebuilt whenever the screen reads it; never stored.

#include "model/CleanItem.hpp"
#include "model/PersistedSmartCleanupPlan.hpp"

#include <cstdint>
#include <vector>

namespace zentrel::viewmodels {

struct SmartCleanupPlan {
    struct CategorySummary {
        model::CategoryType category = model::CategoryType::xcode;
        std::int64_t itemCount = 0;
        std::int64_t totalBytes = 0;
        // Removed, not weighed: they free no space of their own.
        std::int64_t trackerCookies = 0;

        bool operator==(const CategorySummary&) const = default;
    };

    std::vector<model::CleanItem> items;        // largest first
    std::vector<CategorySummary> categories;    // largest total first
    std::int64_t totalBytes = 0;
    std::int64_t trackerCookies = 0;
    bool isSummaryOnly = false;                 // restored from the stored plan: no items

    // The safe and recommended items of a scan.
    [[nodiscard]] static SmartCleanupPlan fromItems(const std::vector<model::CleanItem>& items);
    // The stored plan's known categories, in stored order, and its total.
    [[nodiscard]] static SmartCleanupPlan fromPersisted(const model::PersistedSmartCleanupPlan& persisted);
};

}  // namespace zentrel::viewmodels
