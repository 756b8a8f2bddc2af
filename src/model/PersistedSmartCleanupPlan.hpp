#pragma once
// What a one-click smart cleanup would remove, in total and per category,
// kept between scans so the plan shows before a fresh scan is at hand.

#include "model/CleanItem.hpp"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace zentrel::model {

struct PersistedSmartCleanupPlan {
    struct CategoryRow {
        std::string categoryRaw;  // the category's stored text; also the row's id
        std::int64_t itemCount = 0;
        double totalBytes = 0.0;

        bool operator==(const CategoryRow&) const = default;
    };

    double totalBytes = 0.0;
    std::int64_t itemCount = 0;
    std::vector<CategoryRow> categories;  // larger totals first

    // The recommended safe items, whether ticked or not, summed per category.
    [[nodiscard]] static PersistedSmartCleanupPlan fromItems(const std::vector<CleanItem>& items);

    bool operator==(const PersistedSmartCleanupPlan&) const = default;
};

[[nodiscard]] nlohmann::json encodePlan(const PersistedSmartCleanupPlan& plan);
// Throws DecodingError on a missing key or a wrong type.
[[nodiscard]] PersistedSmartCleanupPlan decodePlan(const nlohmann::json& json);

}  // namespace zentrel::model
