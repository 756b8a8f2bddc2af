#pragma once
// The "sweepLog" list as it is stored, decoded record by record: one damaged
// record is skipped without hiding the others, and is kept as it was when
// the list is written back, so that nothing is lost by reading it.

#include "model/SweepRecord.hpp"

#include <nlohmann/json.hpp>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zentrel::model {

struct StoredSweepLog {
    struct Entry {
        std::optional<SweepRecord> record;  // none when the stored record does not decode
        nlohmann::json stored;              // the stored form of a record that does not decode
        std::string damage;                 // why it does not decode
    };

    std::vector<Entry> entries;
    // False when the stored value is there but is no list at all: such a log
    // is never written back.
    bool readable = true;

    // Missing text gives an empty log; text that is not a JSON list an unreadable one.
    [[nodiscard]] static StoredSweepLog decode(const std::optional<std::string>& text);
    [[nodiscard]] static StoredSweepLog of(const std::vector<SweepRecord>& records);

    [[nodiscard]] std::vector<SweepRecord> records() const;
    // The ids that damaged records still name, where they can be read.
    [[nodiscard]] std::set<platform::Uuid> damagedRecordIDs() const;
    [[nodiscard]] std::string encode() const;
};

}  // namespace zentrel::model
