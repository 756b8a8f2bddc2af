#pragma once
// What a clean run reports per item, the rows of the cleaning screen, and the
// items whose deletion failed.

#include "model/CategoryType.hpp"
#include "model/CleanItem.hpp"
#include "platform/text/Uuid.hpp"

#include <optional>
#include <string>

namespace zentrel::model {

struct CleaningProgressEvent {
    enum class Kind { started, succeeded, failed };
    Kind kind = Kind::started;
    CleanItem item;
    int index = 0;
    int total = 0;
    std::string error;  // only for failed
};

struct CleaningActivityEntry {
    struct Status {
        enum class Kind { pending, inProgress, deleted, failed };
        Kind kind = Kind::pending;
        std::string error;  // only for failed

        [[nodiscard]] static Status pending() { return {}; }
        [[nodiscard]] static Status inProgress() { return {Kind::inProgress, {}}; }
        [[nodiscard]] static Status deleted() { return {Kind::deleted, {}}; }
        [[nodiscard]] static Status failed(std::string error) { return {Kind::failed, std::move(error)}; }
        bool operator==(const Status&) const = default;
    };

    platform::Uuid id;
    std::string name;
    CategoryType category = CategoryType::xcode;
    std::string sizeFormatted;
    Status status;

    // The pending row of an item about to be cleaned.
    [[nodiscard]] static CleaningActivityEntry pendingRow(const CleanItem& item);

    bool operator==(const CleaningActivityEntry&) const = default;
};

struct CleanFailureInfo {
    platform::Uuid id;
    std::string name;
    std::string path;
    CategoryType category = CategoryType::xcode;
    std::optional<std::string> errorMessage;

    // The failure entry of an item, with the clean run's message if any.
    [[nodiscard]] static CleanFailureInfo forItem(const CleanItem& item, std::optional<std::string> message);

    bool operator==(const CleanFailureInfo&) const = default;
};

}  // namespace zentrel::model
