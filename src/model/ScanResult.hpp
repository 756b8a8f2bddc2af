#pragma once
// The items of the current scan, in the order the scan produced them.

#include "model/CleanItem.hpp"

#include <cstdint>
#include <vector>

namespace zentrel::model {

struct ScanResult {
    std::vector<CleanItem> items;

    // The summed size of the selected items.
    [[nodiscard]] std::int64_t selectedBytes() const {
        std::int64_t total = 0;
        for (const auto& item : items)
            if (item.isSelected) total += item.sizeBytes;
        return total;
    }
};

}  // namespace zentrel::model
