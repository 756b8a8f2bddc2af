#pragma once
// What the uninstaller page shows and does, read from its view model: the
// content state with its empty texts, the count, the application rows and
// the result of a removal. The texts are Vietnamese keys. Nothing in this
// file knows Qt.

#include "model/InstalledApp.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/UninstallViewModel.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

enum class UninstallContent { loading, empty, list };

// Loading wins, also over a list already known; then the empty state.
[[nodiscard]] UninstallContent uninstallContent(const viewmodels::UninstallViewModel& vm);
// "Không khớp "query"." with the query as typed, or "Không tìm thấy ứng dụng nào.".
[[nodiscard]] std::string uninstallEmptyText(const std::string& query);
// The number of every listed application, whatever the search shows.
[[nodiscard]] std::string uninstallCountText(const viewmodels::UninstallViewModel& vm);
// The page's first appearance loads the list only when none is known.
[[nodiscard]] bool loadsOnAppearance(const viewmodels::UninstallViewModel& vm);

struct AppRowContent {
    std::string name;
    std::string secondLine;  // the identifier, or the path when there is none
    std::string version;     // empty: none shown

    bool operator==(const AppRowContent&) const = default;
};

[[nodiscard]] AppRowContent appRow(const model::InstalledApp& app);

// Where an application's icon comes from: the "Icon" of its desktop entry,
// an icon name of the theme or an icon file; nullopt for anything else.
[[nodiscard]] std::optional<std::string> applicationIconSource(const std::string& appPath);

// The result alert's message: what was freed (file style) and how many
// items could not be deleted.
[[nodiscard]] std::string uninstallResultMessage(std::optional<std::int64_t> freedBytes, int failureCount);

struct UninstallTexts {
    static constexpr const char* title = N_("Gỡ ứng dụng");
    static constexpr const char* refreshHelp = N_("Quét lại danh sách ứng dụng");
    static constexpr const char* searchPlaceholder = N_("Tìm ứng dụng…");
    static constexpr const char* loadingApps = N_("Đang tìm ứng dụng…");
    static constexpr const char* resultTitle = N_("Đã gỡ ứng dụng");
    static constexpr const char* ok = "OK";
};

}  // namespace zentrel::ui
