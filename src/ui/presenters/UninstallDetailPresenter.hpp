#pragma once
// What the uninstall detail sheet shows and does, read from the uninstaller
// page's view model: the item rows, the footer's summary, the removal button
// and its confirmation, and closing. Nothing in this file knows Qt.

#include "model/UninstallItem.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/UninstallViewModel.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

struct UninstallItemRowContent {
    platform::Uuid id;
    std::string kindLabel;
    std::string symbol;
    std::string path;
    std::string size;
    bool selected = false;
    // The check box's name: what it ticks and its size.
    std::string checkBoxName;

    bool operator==(const UninstallItemRowContent&) const = default;
};

[[nodiscard]] std::vector<UninstallItemRowContent> uninstallItemRows(const viewmodels::UninstallViewModel& vm);
// What the sheet does not offer, one line each: "path — also used by Inkpad Viewer".
[[nodiscard]] std::vector<std::string> keptBackLines(const viewmodels::UninstallViewModel& vm);
// "selected/total mục · size"; once nothing is found, that nothing is left
// of the application in the user's folders.
[[nodiscard]] std::string uninstallFooter(const viewmodels::UninstallViewModel& vm);

// "Gỡ size"; for an application a package manager installed, which stays,
// "Remove user data (size)". No button while there is nothing to remove.
struct RemoveButtonContent {
    std::string label;  // empty while a removal runs: the button shows progress
    bool showsProgress = false;
    bool enabled = false;
    bool shown = true;

    bool operator==(const RemoveButtonContent&) const = default;
};

[[nodiscard]] RemoveButtonContent removeButton(const viewmodels::UninstallViewModel& vm);

struct RemovalConfirmation {
    std::string title;
    std::string message;
    std::vector<std::string> paths;  // what goes
    std::vector<std::string> lines;  // each path with its size: "~/.config/app (12 KB)"
    std::string confirmLabel;
    std::string cancelLabel;
};

[[nodiscard]] RemovalConfirmation removalConfirmation(const viewmodels::UninstallViewModel& vm);

// For an application a package manager installed: which one, and the
// command that removes the application itself; the sheet offers only the
// user's own files. None for an application of the user's own.
[[nodiscard]] std::optional<std::string> packageNotice(const model::InstalledApp& app);

// Any way of closing the sheet: no application open, no items.
void closeUninstallSheet(viewmodels::UninstallViewModel& vm);

struct UninstallDetailTexts {
    static constexpr const char* close = "Đóng";
    static constexpr const char* loadingItems = N_("Đang tìm tệp liên quan…");
    static constexpr const char* keptBackTitle = N_("Not offered, and why:");
};

}  // namespace zentrel::ui
