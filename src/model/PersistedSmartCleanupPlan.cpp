#include "model/PersistedSmartCleanupPlan.hpp"

#include "model/JsonFields.hpp"

#include <algorithm>
#include <array>

namespace zentrel::model {

namespace fields = json_fields;

PersistedSmartCleanupPlan PersistedSmartCleanupPlan::fromItems(const std::vector<CleanItem>& items) {
    struct Sum {
        std::int64_t count = 0;
        std::int64_t bytes = 0;
    };
    std::array<Sum, kAllCategories.size()> sums{};
    PersistedSmartCleanupPlan plan;
    std::int64_t totalBytes = 0;
    for (const auto& item : items) {
        if (item.safetyLevel != SafetyLevel::safe || !item.isRecommended) continue;
        auto& sum = sums[static_cast<std::size_t>(item.category)];
        ++sum.count;
        sum.bytes += item.sizeBytes;
        ++plan.itemCount;
        totalBytes += item.sizeBytes;
    }
    plan.totalBytes = static_cast<double>(totalBytes);
    // Rows start in category order, so equal totals keep that order.
    for (auto category : kAllCategories) {
        const auto& sum = sums[static_cast<std::size_t>(category)];
        if (sum.count > 0) plan.categories.push_back({std::string(rawValue(category)), sum.count, static_cast<double>(sum.bytes)});
    }
    std::stable_sort(plan.categories.begin(), plan.categories.end(),
                     [](const auto& a, const auto& b) { return a.totalBytes > b.totalBytes; });
    return plan;
}

nlohmann::json encodePlan(const PersistedSmartCleanupPlan& plan) {
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& row : plan.categories)
        rows.push_back({{"categoryRaw", row.categoryRaw}, {"itemCount", row.itemCount}, {"totalBytes", row.totalBytes}});
    return {{"totalBytes", plan.totalBytes}, {"itemCount", plan.itemCount}, {"categories", std::move(rows)}};
}

PersistedSmartCleanupPlan decodePlan(const nlohmann::json& json) {
    fields::expectObject(json, "PersistedSmartCleanupPlan");
    PersistedSmartCleanupPlan plan;
    plan.totalBytes = fields::number(json, "totalBytes");
    plan.itemCount = fields::integer(json, "itemCount");
    const auto& rows = fields::required(json, "categories");
    if (!rows.is_array()) throw DecodingError("\"categories\": expected an array");
    for (const auto& row : rows) {
        fields::expectObject(row, "CategoryRow");
        plan.categories.push_back(
            {fields::text(row, "categoryRaw"), fields::integer(row, "itemCount"), fields::number(row, "totalBytes")});
    }
    return plan;
}

}  // namespace zentrel::model
