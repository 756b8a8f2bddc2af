#pragma once
// A new clean item as every category scanner starts one: a fresh id, the
// entry it stands for, its category and size; the scanner fills in the rest.

#include "model/CleanItem.hpp"
#include "platform/text/Localization.hpp"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace zentrel::engine {

[[nodiscard]] inline model::CleanItem newScanItem(std::string name, std::string path, model::CategoryType category,
                                                  std::string subcategory, std::int64_t size) {
    model::CleanItem item;
    item.id = platform::Uuid::random();
    item.name = std::move(name);
    item.path = std::move(path);
    item.category = category;
    item.subcategory = std::move(subcategory);
    item.sizeBytes = size;
    return item;
}

// Items of one subcategory (an application, Mail) found in several folders are
// each named after its own folder, so a page, a confirmation or a screen
// reader can tell them apart: "VS Code Logs", "VS Code Cache".
inline void nameApartByFolder(std::vector<model::CleanItem>& items) {
    for (auto& item : items) {
        const auto sameSubcategory = std::count_if(items.begin(), items.end(), [&](const auto& other) {
            return other.subcategory == item.subcategory;
        });
        if (sameSubcategory > 1) item.friendlyName = platform::localized(item.name);
    }
}

}  // namespace zentrel::engine
