#include "scanners/DuplicateKeeperHeuristic.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

namespace zentrel::scanners {

namespace {

constexpr std::int64_t kPointsPerPixel = 10;
constexpr double kSecondsPerDay = 86'400.0;
constexpr std::int64_t kOtherFolderScore = 15'000'000;

// Searched in this order; the first fragment found anywhere in the lower-cased path decides.
constexpr std::array<std::pair<std::string_view, std::int64_t>, 4> kFolderScores = {{
    {"/pictures/", 40'000'000},
    {"/documents/", 30'000'000},
    {"/desktop/", 20'000'000},
    {"/downloads/", 10'000'000},
}};

// Saturates instead of overflowing on absurd picture sizes.
std::int64_t pixelScore(const DuplicateKeeperHeuristic::Candidate& candidate) {
    std::int64_t points = 0;
    if (__builtin_mul_overflow(candidate.pixelWidth.value_or(0), candidate.pixelHeight.value_or(0), &points) ||
        __builtin_mul_overflow(points, kPointsPerPixel, &points))
        return std::numeric_limits<std::int64_t>::max() / 4;
    return points;
}

std::int64_t dayScore(const std::optional<platform::Date>& modifiedAt) {
    if (!modifiedAt) return 0;
    double days = std::trunc(modifiedAt->timeIntervalSince1970() / kSecondsPerDay);
    if (!std::isfinite(days)) return 0;
    return static_cast<std::int64_t>(std::clamp(days, -1e15, 1e15));
}

}  // namespace

std::int64_t DuplicateKeeperHeuristic::folderScore(const std::string& path) {
    std::string lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const auto& [fragment, points] : kFolderScores) {
        if (lower.find(fragment) != std::string::npos) return points;
    }
    return kOtherFolderScore;
}

std::int64_t DuplicateKeeperHeuristic::score(const Candidate& candidate) {
    return pixelScore(candidate) + dayScore(candidate.modifiedAt) + folderScore(candidate.path);
}

std::optional<std::string> DuplicateKeeperHeuristic::pickKeeper(const std::vector<Candidate>& candidates) {
    if (candidates.empty()) return std::nullopt;
    const Candidate* best = &candidates.front();
    std::int64_t bestScore = score(*best);
    for (std::size_t i = 1; i < candidates.size(); ++i) {
        std::int64_t candidateScore = score(candidates[i]);
        if (candidateScore > bestScore) {
            best = &candidates[i];
            bestScore = candidateScore;
        }
    }
    return best->path;
}

}  // namespace zentrel::scanners
