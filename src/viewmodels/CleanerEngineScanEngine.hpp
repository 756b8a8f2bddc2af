#pragma once
// The scan view model's engine: the real `CleanerEngine`.

#include "engine/CleanerEngine.hpp"
#include "viewmodels/ScanEngine.hpp"

namespace zentrel::viewmodels {

class CleanerEngineScanEngine final : public ScanEngine {
public:
    explicit CleanerEngineScanEngine(engine::CleanerEngine& engine) : engine_(engine) {}

    void scanCategories(bool includeUserContent, bool includeExtended, ScanProgress progress,
                        std::function<void(Items)> done) override;
    void scanCategory(model::CategoryType category, std::function<void(Items)> done) override;
    void cleanItems(Items items, engine::CleaningProgressHandler progress,
                    std::function<void(engine::DeleteResult)> done) override;
    [[nodiscard]] std::vector<model::CategoryType> categories() const override { return engine_.categories(); }
    [[nodiscard]] std::optional<scanners::CandidateLimitStop> duplicateWalkStop() const override {
        return engine_.duplicateWalkStop();
    }
    [[nodiscard]] std::size_t duplicatePicturesTooLarge() const override { return engine_.duplicatePicturesTooLarge(); }
    [[nodiscard]] std::vector<scanners::CappedSizeGroup> duplicateCappedSizes() const override {
        return engine_.duplicateCappedSizes();
    }

private:
    engine::CleanerEngine& engine_;
};

}  // namespace zentrel::viewmodels
