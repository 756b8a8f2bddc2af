#pragma once
// Picks the one file of a duplicate group that stays; the others are offered
// for deletion. A candidate scores its picture area (ten points a pixel), its
// modification day and the folder it lies in (Pictures, Documents, Desktop,
// elsewhere, Downloads, best first); the highest score keeps. Among equal
// scores a name without a copy marker keeps over one with it, then the
// shorter path, then the earlier candidate.
//
// Among similar pictures (not the same bytes) the one with the most pixels
// keeps, then the largest file of those, before the score: a resized or
// recompressed copy is worse, whatever its folder or date.

#include "platform/text/Date.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::scanners {

class DuplicateKeeperHeuristic final {
public:
    DuplicateKeeperHeuristic() = delete;

    struct Candidate {
        std::string path;
        std::int64_t sizeBytes = 0;  // decides only among similar pictures
        std::optional<platform::Date> modifiedAt;
        std::optional<std::int64_t> pixelWidth;
        std::optional<std::int64_t> pixelHeight;
    };

    // The keeper's path; nullopt for an empty list.
    [[nodiscard]] static std::optional<std::string> pickKeeper(const std::vector<Candidate>& candidates);
    // The keeper of similar pictures: the most pixels, then the largest file, then as pickKeeper.
    [[nodiscard]] static std::optional<std::string> pickKeeperOfSimilarPictures(const std::vector<Candidate>& candidates);

    // Pixel part + day part + folder part.
    [[nodiscard]] static std::int64_t score(const Candidate& candidate);
    [[nodiscard]] static std::int64_t folderScore(const std::string& path);
    // Whether the file's name says it is a copy: " (copy)", " copy", " (1)" to
    // " (9)" or "-1" to "-9" before the extension, or "Copy of " in front.
    [[nodiscard]] static bool hasCopyMarker(const std::string& path);
};

}  // namespace zentrel::scanners
