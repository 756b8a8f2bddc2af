#pragma once
// A privacy finding (a browser's tracker cookies, a recent-items list, the
// clipboard check) with the stores and items cleaning it touches.

#include "model/BrowserKind.hpp"
#include "model/RawValueTable.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::model {

enum class PrivacyKind { trackerCookie, browsingHistory, recentsList, pasteboardInsight };

inline constexpr RawValueTable<PrivacyKind, 4> kPrivacyKinds = {{{PrivacyKind::trackerCookie, "trackerCookie"},
                                                                  {PrivacyKind::browsingHistory, "browsingHistory"},
                                                                  {PrivacyKind::recentsList, "recentsList"},
                                                                  {PrivacyKind::pasteboardInsight, "pasteboardInsight"}}};

[[nodiscard]] constexpr std::string_view rawValue(PrivacyKind kind) { return rawValueIn(kPrivacyKinds, kind); }
[[nodiscard]] constexpr std::optional<PrivacyKind> privacyKindFromRaw(std::string_view raw) {
    return caseIn(kPrivacyKinds, raw);
}
inline void to_json(nlohmann::json& json, PrivacyKind kind) { json = std::string(rawValue(kind)); }
inline void from_json(const nlohmann::json& json, PrivacyKind& kind) {
    kind = decodeRawValue(kPrivacyKinds, json, "PrivacyKind");
}

struct PrivacyTarget {
    std::string id;
    std::string label;
    std::string path;  // empty for the clipboard
    std::vector<std::string> domains;
    std::int64_t sizeBytes = 0;
    // Cleaning removes only the tracker entries and keeps the rest of the store.
    bool isTrackerOnly = false;
    // A cookie store its running browser held locked: its trackers are not
    // known and it cannot be cleaned until the browser quits and a scan runs again.
    bool isBusy = false;

    bool operator==(const PrivacyTarget&) const = default;
};

struct PrivacyGroup {
    std::string id;
    PrivacyKind kind = PrivacyKind::trackerCookie;
    std::optional<BrowserKind> browser;
    std::string title;
    std::string detail;
    std::vector<PrivacyTarget> targets;
    int trackerDomainCount = 0;

    bool operator==(const PrivacyGroup&) const = default;
};

}  // namespace zentrel::model
