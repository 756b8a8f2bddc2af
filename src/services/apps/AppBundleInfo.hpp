#pragma once
// The app's own information dictionary: its versions and, optionally, the
// address of its update feed ("SUFeedURL"). Values may be of any defaults
// type; readers accept only the type they expect.

#include "platform/settings/DefaultsStore.hpp"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::services {

using InfoDictionary = std::map<std::string, platform::DefaultsValue, std::less<>>;

inline constexpr std::string_view kFeedURLKey = "SUFeedURL";
inline constexpr std::string_view kShortVersionKey = "CFBundleShortVersionString";
inline constexpr std::string_view kBuildVersionKey = "CFBundleVersion";

// The dictionary of this build: its display and build versions, no feed.
[[nodiscard]] InfoDictionary mainBundleInfo();

// The text under `key`, when there is a text there.
[[nodiscard]] std::optional<std::string> infoString(const InfoDictionary& info, std::string_view key);

}  // namespace zentrel::services
