#pragma once
// One completed clean, as the cleaning history stores it.

#include "platform/text/Date.hpp"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <optional>
#include <vector>

namespace zentrel::model {

struct CleaningRecord {
    platform::Date date;
    std::int64_t freedBytes = 0;
};

[[nodiscard]] nlohmann::json encodeCleaningHistory(const std::vector<CleaningRecord>& records);
// Throws DecodingError when any record lacks a key or has a wrong type.
[[nodiscard]] std::vector<CleaningRecord> decodeCleaningHistory(const nlohmann::json& json);

// The record with the latest date (the first of equal ones); none for an empty list.
[[nodiscard]] std::optional<CleaningRecord> latestCleaning(const std::vector<CleaningRecord>& records);

}  // namespace zentrel::model
