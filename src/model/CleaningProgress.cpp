#include "model/CleaningProgress.hpp"

#include "platform/text/ByteCountFormatter.hpp"

namespace zentrel::model {

CleaningActivityEntry CleaningActivityEntry::pendingRow(const CleanItem& item) {
    return {item.id, item.displayTitle(), item.category,
            platform::formatByteCount(item.sizeBytes, platform::ByteCountStyle::file), Status::pending()};
}

CleanFailureInfo CleanFailureInfo::forItem(const CleanItem& item, std::optional<std::string> message) {
    return {item.id, item.displayTitle(), item.path, item.category, std::move(message)};
}

}  // namespace zentrel::model
