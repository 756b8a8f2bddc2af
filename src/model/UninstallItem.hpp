#pragma once
// One thing the uninstaller can remove: the application bundle or one of its
// leftovers in the Library, with its kind's label and symbol.

#include "model/RawValueTable.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/Uuid.hpp"

#include <cstdint>
#include <string>

namespace zentrel::model {

enum class UninstallItemKind {
    application,
    appSupport,
    caches,
    preferences,
    containers,
    groupContainers,
    savedState,
    logs,
    cookies,
    webData,
    appScripts,
    launchAgents,
};

struct UninstallItemKindInfo {
    UninstallItemKind kind;
    std::string_view rawValue;
    std::string_view displayName;  // a translation key
    std::string_view icon;
};

inline constexpr std::array<UninstallItemKindInfo, 12> kUninstallItemKinds = {{
    {UninstallItemKind::application, "application", N_("Ứng dụng"), "app.fill"},
    {UninstallItemKind::appSupport, "appSupport", N_("Application Support"), "folder.fill"},
    {UninstallItemKind::caches, "caches", N_("Bộ nhớ đệm"), "internaldrive.fill"},
    {UninstallItemKind::preferences, "preferences", N_("Tuỳ chọn"), "gearshape.fill"},
    {UninstallItemKind::containers, "containers", N_("Container"), "shippingbox.fill"},
    {UninstallItemKind::groupContainers, "groupContainers", N_("Group Container"), "square.stack.3d.up.fill"},
    {UninstallItemKind::savedState, "savedState", N_("Trạng thái đã lưu"), "clock.arrow.circlepath"},
    {UninstallItemKind::logs, "logs", N_("Nhật ký"), "doc.text.fill"},
    {UninstallItemKind::cookies, "cookies", N_("Cookie"), "circle.grid.cross.fill"},
    {UninstallItemKind::webData, "webData", N_("Dữ liệu web"), "globe"},
    {UninstallItemKind::appScripts, "appScripts", N_("App Scripts"), "applescript.fill"},
    {UninstallItemKind::launchAgents, "launchAgents", N_("Launch Agent"), "bolt.badge.clock.fill"},
}};

[[nodiscard]] constexpr const UninstallItemKindInfo& info(UninstallItemKind kind) {
    return kUninstallItemKinds[static_cast<std::size_t>(kind)];
}
[[nodiscard]] constexpr std::string_view rawValue(UninstallItemKind kind) { return info(kind).rawValue; }
[[nodiscard]] constexpr std::string_view displayName(UninstallItemKind kind) { return info(kind).displayName; }
[[nodiscard]] constexpr std::string_view icon(UninstallItemKind kind) { return info(kind).icon; }
[[nodiscard]] constexpr std::optional<UninstallItemKind> uninstallItemKindFromRaw(std::string_view raw) {
    for (const auto& entry : kUninstallItemKinds)
        if (entry.rawValue == raw) return entry.kind;
    return std::nullopt;
}

struct UninstallItem {
    platform::Uuid id;
    UninstallItemKind kind = UninstallItemKind::application;
    std::string path;
    std::int64_t sizeBytes = 0;
    bool isSelected = true;

    bool operator==(const UninstallItem&) const = default;
};

}  // namespace zentrel::model
