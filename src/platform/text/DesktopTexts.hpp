#pragma once
// The window's language at start. On the Linux layout both programs take the
// built-in catalogs (po/*.po): the English one says what is true on this
// desktop where a key speaks of another system, the Vietnamese one
// translates every key; the language is the desktop's. The macOS layout
// shows the keys as they stand.

#include "platform/places/HostTable.hpp"
#include "platform/text/Localization.hpp"

#include <functional>
#include <optional>
#include <string>

namespace zentrel::platform {

using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// A catalog's language or "en", as messagesLanguage() chooses (platform/text/MessagesLanguage.hpp).
[[nodiscard]] std::string desktopLanguage(const EnvironmentLookup& environment);

// Adds the built-in catalogs and chooses the desktop's language (Linux layout).
void useDesktopTexts(Localization& localization, HostPlatform layout);
void useDesktopTexts(Localization& localization, HostPlatform layout, const EnvironmentLookup& environment);

}  // namespace zentrel::platform
