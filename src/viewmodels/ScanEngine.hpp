#pragma once
// What the scan view model asks of the cleaning engine: full scans, one
// category's scan, and clean runs. Answers and progress arrive on the main
// thread. `CleanerEngineScanEngine` is the real one; tests script their own.

#include "engine/CleanRun.hpp"
#include "model/CategoryType.hpp"
#include "model/CleanItem.hpp"
#include "scanners/duplicates/DuplicateScanner.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::viewmodels {

class ScanEngine {
public:
    using Items = std::vector<model::CleanItem>;
    using ScanProgress = std::function<void(double fraction, const std::string& message)>;

    virtual ~ScanEngine() = default;
    // Every base phase; the projects, large-file and Mail phases with
    // `includeUserContent`; the duplicates, privacy, startup and iCloud phases
    // with `includeExtended`.
    virtual void scanCategories(bool includeUserContent, bool includeExtended, ScanProgress progress,
                                std::function<void(Items)> done) = 0;
    // One category with the size cache emptied first; app caches include Mail.
    virtual void scanCategory(model::CategoryType category, std::function<void(Items)> done) = 0;
    virtual void cleanItems(Items items, engine::CleaningProgressHandler progress,
                            std::function<void(engine::DeleteResult)> done) = 0;
    // The categories this desktop has a place for, in category order; the
    // window shows and scans only these.
    [[nodiscard]] virtual std::vector<model::CategoryType> categories() const {
        return {model::kAllCategories.begin(), model::kAllCategories.end()};
    }
    // Where the last duplicates scan stopped at its candidate limit, if it did.
    [[nodiscard]] virtual std::optional<scanners::CandidateLimitStop> duplicateWalkStop() const = 0;
    // The pictures the last duplicates scan left out for their size.
    [[nodiscard]] virtual std::size_t duplicatePicturesTooLarge() const { return 0; }
    // The sizes whose files the last duplicates scan did not all compare.
    [[nodiscard]] virtual std::vector<scanners::CappedSizeGroup> duplicateCappedSizes() const { return {}; }
};

}  // namespace zentrel::viewmodels
