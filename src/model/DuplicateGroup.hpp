#pragma once
// A set of files the duplicate finder judged to be copies or near-copies of
// each other, with the copy to keep marked.

#include "model/RawValueTable.hpp"
#include "platform/text/Date.hpp"
#include "platform/text/Localization.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::model {

enum class DuplicateKind { exactBytes, perceptualImage, perceptualVideo, documentHash };

inline constexpr RawValueTable<DuplicateKind, 4> kDuplicateKinds = {{{DuplicateKind::exactBytes, "exactBytes"},
                                                                      {DuplicateKind::perceptualImage, "perceptualImage"},
                                                                      {DuplicateKind::perceptualVideo, "perceptualVideo"},
                                                                      {DuplicateKind::documentHash, "documentHash"}}};

[[nodiscard]] constexpr std::string_view rawValue(DuplicateKind kind) { return rawValueIn(kDuplicateKinds, kind); }
// The kind's name as the screens show it (a translation key).
[[nodiscard]] constexpr std::string_view displayName(DuplicateKind kind) {
    switch (kind) {
    case DuplicateKind::perceptualImage: return N_("Photos");
    case DuplicateKind::perceptualVideo: return N_("Video");
    case DuplicateKind::exactBytes:
    case DuplicateKind::documentHash: break;
    }
    return N_("Exact");
}
[[nodiscard]] constexpr std::optional<DuplicateKind> duplicateKindFromRaw(std::string_view raw) {
    return caseIn(kDuplicateKinds, raw);
}
inline void to_json(nlohmann::json& json, DuplicateKind kind) { json = std::string(rawValue(kind)); }
inline void from_json(const nlohmann::json& json, DuplicateKind& kind) {
    kind = decodeRawValue(kDuplicateKinds, json, "DuplicateKind");
}

struct DuplicateMember {
    std::string id;
    std::string path;
    std::int64_t sizeBytes = 0;
    std::optional<platform::Date> modifiedAt;
    std::optional<int> pixelWidth;
    std::optional<int> pixelHeight;
    bool isKeeper = false;
    // The file has other names (hard links) than this one: removing it frees nothing.
    bool hasOtherLinks = false;
    // The bytes its blocks take on disk, when known: less than its size for a sparse file.
    std::optional<std::int64_t> allocatedBytes;

    // What removing this member frees.
    [[nodiscard]] std::int64_t reclaimableBytes() const {
        if (hasOtherLinks) return 0;
        return allocatedBytes ? std::min(sizeBytes, *allocatedBytes) : sizeBytes;
    }

    bool operator==(const DuplicateMember&) const = default;
};

struct DuplicateGroup {
    std::string id;
    DuplicateKind kind = DuplicateKind::exactBytes;
    std::vector<DuplicateMember> members;

    // The members that are not kept, in member order.
    [[nodiscard]] std::vector<DuplicateMember> removableMembers() const;
    // What removing them frees, in file style.
    [[nodiscard]] std::string reclaimableSizeText() const;

    bool operator==(const DuplicateGroup&) const = default;
};

}  // namespace zentrel::model
