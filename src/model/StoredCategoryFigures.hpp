#pragma once
// What the last scan found in one category, as kept between runs: its size,
// how many items it held and when the category was scanned. Statistics kept
// by earlier versions carry the size alone.

#include "platform/text/Date.hpp"

#include <cstdint>
#include <optional>

namespace zentrel::model {

struct StoredCategoryFigures {
    std::int64_t bytes = 0;
    std::optional<std::int64_t> itemCount;
    std::optional<platform::Date> scannedAt;

    bool operator==(const StoredCategoryFigures&) const = default;
};

}  // namespace zentrel::model
