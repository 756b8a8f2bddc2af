#pragma once
// A new clean item as every category scanner starts one: a fresh id, the
// entry it stands for, its category and size; the scanner fills in the rest.

#include "model/CleanItem.hpp"

#include <cstdint>
#include <string>

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

}  // namespace zentrel::engine
