#pragma once
// The three intents the app offers to the system, "Smart Cleanup", "Scan
// Category" and "Free Up Space", and the shortcuts that publish them. Each
// acts on the scan view model through the intent bridge: at once when the
// main window has registered it, else once it does.

#include "model/CategoryType.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/IntentBridge.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::viewmodels {

enum class ScanCategoryChoice {
    xcode, devTools, devProjects, appCaches, systemCaches, trash,
    largeFiles, iosBackups, duplicates, privacy, startup, icloud,
};

struct ScanCategoryChoiceInfo {
    ScanCategoryChoice choice;
    std::string_view rawValue;      // the case name
    std::string_view displayTitle;
};

inline constexpr std::string_view kScanCategoryChoiceTypeName = N_("Nhóm dọn dẹp");
inline constexpr std::string_view kScanCategoryParameterTitle = "Nhóm";

[[nodiscard]] const std::array<ScanCategoryChoiceInfo, 12>& scanCategoryChoices();
[[nodiscard]] std::optional<ScanCategoryChoice> scanCategoryChoiceFromRaw(std::string_view raw);
[[nodiscard]] model::CategoryType categoryType(ScanCategoryChoice choice);

struct SmartCleanupIntent {
    static constexpr std::string_view title = "Smart Cleanup";
    void perform(IntentBridge& bridge) const;
};

struct ScanCategoryIntent {
    static constexpr std::string_view title = "Scan Category";
    ScanCategoryChoice category = ScanCategoryChoice::xcode;
    void perform(IntentBridge& bridge) const;
};

struct FreeUpSpaceIntent {
    static constexpr std::string_view title = "Free Up Space";
    void perform(IntentBridge& bridge) const;
};

struct AppShortcut {
    std::string_view intentTitle;
    std::vector<std::string> phrases;  // the application's name at the end
    std::string_view shortTitle;
    std::string_view systemImageName;
};

// The shortcuts in their order, phrased for `applicationName`.
[[nodiscard]] std::vector<AppShortcut> zentrelShortcuts(const std::string& applicationName);

}  // namespace zentrel::viewmodels
