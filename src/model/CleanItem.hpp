#pragma once
// One candidate for deletion, as a category scanner found it. Identified by
// `id` alone; only `isSelected` changes after the scan.

#include "model/BrowserKind.hpp"
#include "model/CategoryType.hpp"
#include "model/DeletionMethod.hpp"
#include "platform/text/Uuid.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::model {

enum class SafetyLevel { safe, review };

// "Safe to delete" or "Review before deleting".
[[nodiscard]] std::string_view badgeText(SafetyLevel level);

struct CleanItem {
    platform::Uuid id;
    std::string name;
    std::string path;  // empty for an item that stands for no file
    CategoryType category = CategoryType::xcode;
    std::string subcategory;
    std::int64_t sizeBytes = 0;
    bool isSelected = false;
    bool isSafe = false;
    std::optional<std::string> warningMessage;
    DeletionMethod deletionMethod = DeletionMethod::remove();
    std::optional<std::string> suggestedCommand;  // shown, never run
    std::string friendlyName;
    std::string friendlyDescription;
    SafetyLevel safetyLevel = SafetyLevel::review;
    bool isRecommended = false;
    std::optional<std::string> duplicateGroupId;
    bool isDuplicateKeeper = false;
    std::optional<std::string> privacyGroupId;
    std::vector<std::string> privacyDomains;
    std::optional<BrowserKind> privacyBrowser;
    // A browser's cookie store that the browser held locked during the scan:
    // shown so that the user can quit the browser, never cleaned.
    bool privacyStoreBusy = false;
    // Shown for the user to know of, never selected or cleaned (an entry of
    // the computer's own startup folders).
    bool isReadOnly = false;

    // Recommended and rated safe: what the one-click and smart cleans take.
    [[nodiscard]] bool isSafeRecommendation() const { return isRecommended && safetyLevel == SafetyLevel::safe; }
    // The friendly name, or the technical one when it is empty.
    [[nodiscard]] const std::string& displayTitle() const { return friendlyName.empty() ? name : friendlyName; }
};

}  // namespace zentrel::model
