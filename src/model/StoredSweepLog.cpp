#include "model/StoredSweepLog.hpp"

#include "model/DecodingError.hpp"
#include "platform/text/BoundedJson.hpp"

namespace zentrel::model {

StoredSweepLog StoredSweepLog::decode(const std::optional<std::string>& text) {
    StoredSweepLog log;
    if (!text) return log;
    auto json = platform::parseBoundedJson(*text);
    if (!json.is_array()) {
        log.readable = false;
        return log;
    }
    for (auto& stored : json) {
        try {
            log.entries.push_back({decodeSweepRecord(stored), {}, {}});
        } catch (const DecodingError& error) {
            log.entries.push_back({std::nullopt, std::move(stored), error.what()});
        } catch (const nlohmann::json::exception& error) {
            log.entries.push_back({std::nullopt, std::move(stored), error.what()});
        }
    }
    return log;
}

StoredSweepLog StoredSweepLog::of(const std::vector<SweepRecord>& records) {
    StoredSweepLog log;
    for (const auto& record : records) log.entries.push_back({record, {}, {}});
    return log;
}

std::vector<SweepRecord> StoredSweepLog::records() const {
    std::vector<SweepRecord> records;
    for (const auto& entry : entries)
        if (entry.record) records.push_back(*entry.record);
    return records;
}

std::set<platform::Uuid> StoredSweepLog::damagedRecordIDs() const {
    std::set<platform::Uuid> ids;
    for (const auto& entry : entries) {
        if (entry.record || !entry.stored.is_object()) continue;
        const auto id = entry.stored.find("id");
        if (id == entry.stored.end() || !id->is_string()) continue;
        if (auto parsed = platform::Uuid::parse(id->get<std::string>())) ids.insert(*parsed);
    }
    return ids;
}

std::string StoredSweepLog::encode() const {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& entry : entries) list.push_back(entry.record ? encodeSweepRecord(*entry.record) : entry.stored);
    return list.dump();
}

}  // namespace zentrel::model
