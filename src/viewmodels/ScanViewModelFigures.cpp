// The scan view model's figures: per category, in total, the smart cleanup
// plan, and the statistics it keeps for the next start. Every screen reads
// its figures here, so a scan, a clean or a restart changes them all at once.

#include "viewmodels/ScanViewModel.hpp"

#include "model/PersistedSmartCleanupPlan.hpp"
#include "viewmodels/CountedItems.hpp"

#include <algorithm>

namespace zentrel::viewmodels {

using model::CategoryType;
using model::CleanItem;

CategoryFigures ScanViewModel::categoryFigures(CategoryType category) const {
    const auto mode = services_.prefs.viewMode();
    if (isLoaded(category)) {
        CategoryFigures figures{0, 0};
        for (const auto& item : result().items) {
            if (item.category != category || !countsIn(item, mode)) continue;
            figures.bytes += item.sizeBytes;
            ++*figures.itemCount;
        }
        return figures;
    }
    const auto stored = services_.prefs.lastScanCategoryFigures();
    const auto found = stored.find(category);
    if (found == stored.end()) return {};
    CategoryFigures figures{found->second.bytes, found->second.itemCount, true, scanDateOf(found->second)};
    if (!showsEveryItem(category, mode)) {
        // The category's safe recommendations are its row of the stored plan.
        figures.bytes = 0;
        figures.itemCount = 0;
        for (const auto& row : storedPlanRowsNotLoaded()) {
            if (model::categoryFromRaw(row.categoryRaw) != category) continue;
            figures.bytes = model::truncatedBytes(row.totalBytes);
            figures.itemCount = row.itemCount;
        }
    }
    return figures;
}

std::optional<platform::Date> ScanViewModel::scanDateOf(const model::StoredCategoryFigures& stored) const {
    if (stored.scannedAt) return stored.scannedAt;
    const double lastScan = services_.prefs.defaults().real("lastScanDate");
    if (lastScan > 0) return platform::Date::fromTimeIntervalSince1970(lastScan);
    return std::nullopt;
}

std::int64_t ScanViewModel::foundBytes() const {
    std::int64_t total = 0;
    for (auto category : categories_) total += categoryFigures(category).bytes;
    return total;
}

std::vector<model::PersistedSmartCleanupPlan::CategoryRow> ScanViewModel::storedPlanRowsNotLoaded() const {
    std::vector<model::PersistedSmartCleanupPlan::CategoryRow> rows;
    const auto stored = services_.prefs.lastSmartCleanupPlan();
    if (!stored) return rows;
    for (const auto& row : stored->categories) {
        const auto category = model::categoryFromRaw(row.categoryRaw);
        if (category && !isLoaded(*category) && row.itemCount > 0) rows.push_back(row);
    }
    return rows;
}

SmartCleanupPlan ScanViewModel::smartCleanupPlan() const {
    if (storedPlanRowsNotLoaded().empty()) return SmartCleanupPlan::fromItems(result().items);
    return SmartCleanupPlan::fromPersisted(*services_.prefs.lastSmartCleanupPlan());
}

std::int64_t ScanViewModel::safeCleanableBytes() const {
    if (result().items.empty() && loadedCategories_.empty())
        return model::truncatedBytes(services_.prefs.defaults().real("lastSafeCleanableBytes"));
    return smartCleanupPlan().totalBytes;
}

bool ScanViewModel::hasCleanableData() const {
    return safeCleanableBytes() >= 1 &&
           (!result().items.empty() || services_.prefs.defaults().integer("lastScanItemCount") > 0);
}

void ScanViewModel::persistScanStats() {
    const auto now = services_.clock.now();
    // A category not loaded since the restart keeps the figures it had.
    auto figures = services_.prefs.lastScanCategoryFigures();
    std::erase_if(figures, [this](const auto& entry) { return isLoaded(entry.first) || entry.second.bytes < 1; });
    const bool countsKnown =
        std::ranges::all_of(figures, [](const auto& entry) { return entry.second.itemCount.has_value(); });
    auto plan = model::PersistedSmartCleanupPlan::fromItems(result().items);
    for (const auto& row : storedPlanRowsNotLoaded()) {
        plan.categories.push_back(row);
        plan.itemCount += row.itemCount;
        plan.totalBytes += row.totalBytes;
    }
    std::stable_sort(plan.categories.begin(), plan.categories.end(),
                     [](const auto& a, const auto& b) { return a.totalBytes > b.totalBytes; });

    for (const auto& item : result().items) {
        if (!countsIn(item, model::ViewMode::advanced)) continue;
        auto& figure = figures[item.category];
        figure.bytes += item.sizeBytes;
        figure.itemCount = figure.itemCount.value_or(0) + 1;
        const auto scanned = scannedAt_.find(item.category);
        figure.scannedAt = scanned == scannedAt_.end() ? now : scanned->second;
    }
    std::int64_t foundBytes = 0;
    std::int64_t itemCount = 0;
    for (const auto& [category, figure] : figures) {
        foundBytes += figure.bytes;
        itemCount += figure.itemCount.value_or(0);
    }
    // Statistics of an earlier version count their items only in total.
    if (!countsKnown) itemCount = std::max(itemCount, services_.prefs.defaults().integer("lastScanItemCount"));

    auto& defaults = services_.prefs.defaults();
    defaults.setReal("lastScanDate", now.timeIntervalSince1970());
    defaults.setReal("lastScanFoundBytes", static_cast<double>(foundBytes));
    defaults.setInteger("lastScanItemCount", itemCount);
    services_.prefs.setLastScanCategoryFigures(figures);
    defaults.setReal("lastSafeCleanableBytes", plan.totalBytes);
    // No item both recommended and safe: no plan.
    services_.prefs.setLastSmartCleanupPlan(plan.itemCount > 0 ? std::optional(plan) : std::nullopt);
    services_.shared.syncScanSummary(services_.prefs);
}

}  // namespace zentrel::viewmodels
