#include "model/CleaningRecord.hpp"

#include "model/JsonFields.hpp"

namespace zentrel::model {

nlohmann::json encodeCleaningHistory(const std::vector<CleaningRecord>& records) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& record : records)
        list.push_back({{"date", record.date.timeIntervalSinceReferenceDate()}, {"freedBytes", record.freedBytes}});
    return list;
}

std::vector<CleaningRecord> decodeCleaningHistory(const nlohmann::json& json) {
    if (!json.is_array()) throw DecodingError("cleaning history: expected an array");
    std::vector<CleaningRecord> records;
    for (const auto& entry : json) {
        json_fields::expectObject(entry, "CleaningRecord");
        records.push_back({json_fields::referenceDate(entry, "date"), json_fields::integer(entry, "freedBytes")});
    }
    return records;
}

std::optional<CleaningRecord> latestCleaning(const std::vector<CleaningRecord>& records) {
    std::optional<CleaningRecord> latest;
    for (const auto& record : records)
        if (!latest || record.date > latest->date) latest = record;
    return latest;
}

}  // namespace zentrel::model
