#include "scanners/duplicates/DuplicateKeeperHeuristic.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <iterator>
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

std::string lowercased(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Whether one of two equal candidates is the better keeper: a name without a
// copy marker, then the shorter path; otherwise the earlier stays.
bool betterOnTie(const std::string& candidate, const std::string& best) {
    const bool candidateMarked = DuplicateKeeperHeuristic::hasCopyMarker(candidate);
    const bool bestMarked = DuplicateKeeperHeuristic::hasCopyMarker(best);
    if (candidateMarked != bestMarked) return bestMarked;
    return candidate.size() < best.size();
}

}  // namespace

bool DuplicateKeeperHeuristic::hasCopyMarker(const std::string& path) {
    const auto slash = path.rfind('/');
    const auto name = lowercased(slash == std::string::npos ? path : path.substr(slash + 1));
    if (name.starts_with("copy of ")) return true;
    const auto dot = name.rfind('.');
    const std::string_view stem(name.data(), dot == std::string::npos || dot == 0 ? name.size() : dot);
    if (stem.ends_with(" (copy)") || stem.ends_with(" copy")) return true;
    const auto digit = [](char c) { return c >= '1' && c <= '9'; };
    const auto n = stem.size();
    if (n >= 2 && stem[n - 2] == '-' && digit(stem[n - 1])) return true;
    return n >= 4 && stem.substr(n - 4, 2) == " (" && digit(stem[n - 2]) && stem[n - 1] == ')';
}

std::int64_t DuplicateKeeperHeuristic::folderScore(const std::string& path) {
    const auto lower = lowercased(path);
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
        if (candidateScore > bestScore || (candidateScore == bestScore && betterOnTie(candidates[i].path, best->path))) {
            best = &candidates[i];
            bestScore = candidateScore;
        }
    }
    return best->path;
}

std::optional<std::string> DuplicateKeeperHeuristic::pickKeeperOfSimilarPictures(const std::vector<Candidate>& candidates) {
    const auto quality = [](const Candidate& candidate) {
        return std::pair{pixelScore(candidate), candidate.sizeBytes};
    };
    std::pair<std::int64_t, std::int64_t> best{std::numeric_limits<std::int64_t>::min(), 0};
    for (const auto& candidate : candidates) best = std::max(best, quality(candidate));
    std::vector<Candidate> finest;
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(finest),
                 [&](const auto& candidate) { return quality(candidate) == best; });
    return pickKeeper(finest);
}

}  // namespace zentrel::scanners
