#pragma once
// What a clean run did to privacy items and how to undo it: one record per
// run, one action per undoable step, each pointing at its backup copy.
// Stored as JSON in the user defaults; decoding is all or nothing.

#include "model/RawValueTable.hpp"
#include "platform/text/Date.hpp"
#include "platform/text/Uuid.hpp"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::model {

enum class SweepActionKind { cookieDomain, fileRemoved, fileTruncated, recentsCleared, pasteboardCleared };

inline constexpr RawValueTable<SweepActionKind, 5> kSweepActionKinds = {
    {{SweepActionKind::cookieDomain, "cookieDomain"},
     {SweepActionKind::fileRemoved, "fileRemoved"},
     {SweepActionKind::fileTruncated, "fileTruncated"},
     {SweepActionKind::recentsCleared, "recentsCleared"},
     {SweepActionKind::pasteboardCleared, "pasteboardCleared"}}};

[[nodiscard]] constexpr std::string_view rawValue(SweepActionKind kind) { return rawValueIn(kSweepActionKinds, kind); }
[[nodiscard]] constexpr std::optional<SweepActionKind> sweepActionKindFromRaw(std::string_view raw) {
    return caseIn(kSweepActionKinds, raw);
}

struct SweepAction {
    platform::Uuid id;
    SweepActionKind kind = SweepActionKind::fileRemoved;
    std::string label;
    std::optional<std::string> detail;
    std::optional<std::string> backupPath;
    std::optional<std::string> originalPath;
    bool isRestored = false;

    bool operator==(const SweepAction&) const = default;
};

struct SweepRecord {
    platform::Uuid id;  // also the name of the sweep's backup folder
    platform::Date date;
    platform::Date expiresAt;
    std::vector<SweepAction> actions;
    std::int64_t freedBytes = 0;

    // Expired once `now` is at or past `expiresAt`.
    [[nodiscard]] bool isExpired(platform::Date now) const { return now >= expiresAt; }
};

[[nodiscard]] nlohmann::json encodeSweepAction(const SweepAction& action);
[[nodiscard]] nlohmann::json encodeSweepRecord(const SweepRecord& record);
// Throws DecodingError on a missing key, a wrong type or an unknown kind.
[[nodiscard]] SweepAction decodeSweepAction(const nlohmann::json& json);
[[nodiscard]] SweepRecord decodeSweepRecord(const nlohmann::json& json);

}  // namespace zentrel::model
