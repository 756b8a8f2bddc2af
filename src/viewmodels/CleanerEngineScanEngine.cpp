#include "viewmodels/CleanerEngineScanEngine.hpp"

namespace zentrel::viewmodels {

void CleanerEngineScanEngine::scanCategories(bool includeUserContent, bool includeExtended, ScanProgress progress,
                                             std::function<void(Items)> done) {
    engine_.scanCategories(includeUserContent, includeExtended, std::move(progress), std::move(done));
}

void CleanerEngineScanEngine::scanCategory(model::CategoryType category, std::function<void(Items)> done) {
    engine_.executor().run(
        engine_.mainQueue(),
        [&engine = engine_, category] {
            if (!engine.hasCategory(category)) return Items{};
            engine.clearSizeCache();
            auto items = engine.runScanner(engine::CleanerEngine::scannerFor(category));
            if (category == model::CategoryType::appCaches) {
                auto mail = engine.runScanner(engine::ScannerID::mail);
                items.insert(items.end(), std::make_move_iterator(mail.begin()), std::make_move_iterator(mail.end()));
            }
            return items;
        },
        std::move(done));
}

void CleanerEngineScanEngine::cleanItems(Items items, engine::CleaningProgressHandler progress,
                                         std::function<void(engine::DeleteResult)> done) {
    engine_.cleanItems(std::move(items), std::move(progress), std::move(done));
}

}  // namespace zentrel::viewmodels
