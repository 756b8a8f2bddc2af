#pragma once
// The rules by which the engine judges a developer cache before offering it:
// harmless to delete, worth a look first, or better pruned with the tool's
// own command; and the rule by which the iCloud scanner passes over items
// that must not be evicted. Pure functions of their arguments and the time.

#include "model/CleanItem.hpp"
#include "platform/text/Date.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace zentrel::engine::SafetyClassifier {

enum class CacheKind { disposableCache, sharedHardlinkStore, sharedRepo };
enum class Disposition { recommend, review, protected_ };

struct Verdict {
    Disposition disposition = Disposition::review;
    model::SafetyLevel safetyLevel = model::SafetyLevel::review;
    model::DeletionMethod deletionMethod = model::DeletionMethod::remove();
    std::optional<std::string> warning;
    std::optional<std::string> suggestedCommand;
};

// Used less than this long ago, a cache may still be relied on.
inline constexpr double kRecentUseSeconds = 1'209'600;

[[nodiscard]] CacheKind cacheKind(std::string_view path, std::string_view tool);
// `lastUsed` is usually the folder's modification date; `now` the current time.
[[nodiscard]] Verdict classify(std::string_view path, std::string_view tool, std::optional<platform::Date> lastUsed,
                               platform::Date now);
// The tool's own prune command, or the lower-cased tool + " cache clean".
[[nodiscard]] std::string suggestedCommand(std::string_view tool);
// "5 days", or "day" for anything under two days, localized.
[[nodiscard]] std::string recentUseWarning(platform::Date lastUsed, platform::Date now);
// Whether the iCloud scanner leaves the item out: not downloaded, inside or
// itself a package, or a hidden placeholder.
[[nodiscard]] bool shouldSkipICloudItem(std::string_view path, bool isDownloaded);

}  // namespace zentrel::engine::SafetyClassifier
