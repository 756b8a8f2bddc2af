#pragma once
// The one channel by which typing settings pass from the main app to the
// input-method program: the snapshot file, the change notification that tells
// readers to read it again, and the names that tie the two programs together.

#include "typing/engine/VietIMESharedSnapshot.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::platform {
struct HostLayout;
class DistributedNotificationCenter;
}  // namespace zentrel::platform

namespace zentrel::typing::VietIMESharedSettings {

inline constexpr std::string_view didChangeNotification = "com.torvane.zentrel.vietIME.settingsDidChange";
inline constexpr std::string_view imeBundleID = "com.torvane.zentrel.ime";
inline constexpr std::string_view connectionName = "ZentrelInputMethod_Connection";
// The other way: the input method asks the main app to switch typing for one
// program (the user pressed control+shift+V there). The program's name follows the prefix.
inline constexpr std::string_view toggleProgramNotificationPrefix = "com.torvane.zentrel.vietIME.toggleProgram:";

[[nodiscard]] std::string toggleProgramNotification(std::string_view program);
// The program a notification asks to switch; none for any other notification.
[[nodiscard]] std::optional<std::string> programToToggle(std::string_view notification);

// The five values as given, in a snapshot.
[[nodiscard]] VietIMESharedSnapshot snapshot(bool isEnabled, VietInputMethod inputMethod,
                                             const VietIMEOptions& options, std::vector<std::string> excludedApps,
                                             bool useMarkedText);

// "ime-shared.json" in this program's own data folder, where the input method reads it.
[[nodiscard]] std::filesystem::path storageURL(const platform::HostLayout& layout);

// The stored snapshot; the default one (typing off) when the file is missing,
// unreadable or not a complete snapshot.
[[nodiscard]] VietIMESharedSnapshot load(const platform::HostLayout& layout);

// Writes the file atomically, then posts the change notification. False, with
// nothing posted and the old file untouched, when the file cannot be written.
bool save(const VietIMESharedSnapshot& snapshot, const platform::HostLayout& layout,
          platform::DistributedNotificationCenter& notifications);

}  // namespace zentrel::typing::VietIMESharedSettings
