#include "typing/engine/VietIMESharedSettings.hpp"

#include "platform/desktop/DistributedNotificationCenter.hpp"
#include "platform/files/AtomicFile.hpp"
#include "platform/places/HostLayout.hpp"

namespace zentrel::typing::VietIMESharedSettings {

VietIMESharedSnapshot snapshot(bool isEnabled, VietInputMethod inputMethod, const VietIMEOptions& options,
                               std::vector<std::string> excludedApps, bool useMarkedText) {
    return VietIMESharedSnapshot{isEnabled, inputMethod, options, std::move(excludedApps), useMarkedText};
}

std::filesystem::path storageURL(const platform::HostLayout& layout) {
    return layout.ownDataFolder() / "ime-shared.json";
}

VietIMESharedSnapshot load(const platform::HostLayout& layout) {
    auto text = platform::readWholeFile(storageURL(layout));
    if (!text) return {};
    return decodeSnapshot(*text).value_or(VietIMESharedSnapshot{});
}

bool save(const VietIMESharedSnapshot& snapshot, const platform::HostLayout& layout,
          platform::DistributedNotificationCenter& notifications) {
    if (platform::writeFileAtomically(storageURL(layout), encodeSnapshot(snapshot))) return false;
    notifications.post(didChangeNotification);
    return true;
}

std::string toggleProgramNotification(std::string_view program) {
    return std::string(toggleProgramNotificationPrefix) + std::string(program);
}

std::optional<std::string> programToToggle(std::string_view notification) {
    if (!notification.starts_with(toggleProgramNotificationPrefix)) return std::nullopt;
    const auto program = notification.substr(toggleProgramNotificationPrefix.size());
    if (program.empty()) return std::nullopt;
    return std::string(program);
}

}  // namespace zentrel::typing::VietIMESharedSettings
