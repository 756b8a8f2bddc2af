#pragma once
// The browsers whose cookie stores and histories the privacy sweep knows.

#include "model/RawValueTable.hpp"

namespace zentrel::model {

// Chromium and Brave are found only on a Linux desktop's layout.
enum class BrowserKind { safari, chrome, firefox, arc, edge, chromium, brave };

inline constexpr RawValueTable<BrowserKind, 7> kBrowserKinds = {{{BrowserKind::safari, "safari"},
                                                                  {BrowserKind::chrome, "chrome"},
                                                                  {BrowserKind::firefox, "firefox"},
                                                                  {BrowserKind::arc, "arc"},
                                                                  {BrowserKind::edge, "edge"},
                                                                  {BrowserKind::chromium, "chromium"},
                                                                  {BrowserKind::brave, "brave"}}};
inline constexpr std::array<BrowserKind, 7> kAllBrowserKinds = {
    BrowserKind::safari, BrowserKind::chrome,   BrowserKind::firefox, BrowserKind::arc,
    BrowserKind::edge,   BrowserKind::chromium, BrowserKind::brave};

[[nodiscard]] constexpr std::string_view rawValue(BrowserKind kind) { return rawValueIn(kBrowserKinds, kind); }
[[nodiscard]] constexpr std::optional<BrowserKind> browserKindFromRaw(std::string_view raw) {
    return caseIn(kBrowserKinds, raw);
}

inline void to_json(nlohmann::json& json, BrowserKind kind) { json = std::string(rawValue(kind)); }
inline void from_json(const nlohmann::json& json, BrowserKind& kind) {
    kind = decodeRawValue(kBrowserKinds, json, "BrowserKind");
}

}  // namespace zentrel::model
