#include "scanners/duplicates/SimilarMediaPass.hpp"

#include "platform/concurrency/ConcurrentLoop.hpp"
#include "scanners/duplicates/FileHashing.hpp"
#include "scanners/media/MediaExtensions.hpp"
#include "scanners/media/PictureReader.hpp"
#include "scanners/media/VideoDecoderModule.hpp"

#include <algorithm>
#include <bit>
#include <map>
#include <set>

namespace zentrel::scanners {

namespace {

double ratio(double a, double b) { return std::min(a, b) / std::max(a, b); }

// The coding a file's extension names, its other spellings as one.
std::string codingOf(const std::string& path) {
    const auto extension = lowercasedPathExtension(path);
    if (extension == "jpeg") return "jpg";
    if (extension == "tif") return "tiff";
    if (extension == "heif") return "heic";
    if (extension == "mov" || extension == "m4v") return "mp4";
    return extension;
}

}  // namespace

std::vector<model::DuplicateGroup> SimilarMediaPass::findSimilarMedia(const std::vector<ScanCandidate>& media) {
    std::vector<std::optional<MediaFingerprint>> fingerprints(media.size());
    platform::forEachConcurrently(workers_, media.size(),
                                  [&](std::size_t i) { fingerprints[i] = fingerprints_.take(media[i].path); });
    // Digests read to find copies serve the matching too.
    wholeDigests_.merge(fingerprints_.wholeDigests());
    fingerprints_.clear();
    std::vector<HashedCandidate> hashed, unread;
    picturesTooLarge_ = 0;
    for (std::size_t i = 0; i < media.size(); ++i) {
        const auto& candidate = media[i];
        const auto& fingerprint = fingerprints[i];
        if (!fingerprint) {
            unread.push_back({.path = candidate.path,
                              .sizeBytes = candidate.sizeBytes,
                              .modifiedAt = candidate.modifiedAt,
                              .kind = model::DuplicateKind::exactBytes,
                              .hasOtherLinks = candidate.hasOtherLinks});
            const auto extension = lowercasedPathExtension(candidate.path);
            if (imageExtensions().contains(extension) ? isPictureTooLarge(candidate.path)
                                                      : videoExtensions().contains(extension) && isVideoTooLarge(candidate.path))
                ++picturesTooLarge_;
            continue;
        }
        hashed.push_back({candidate.path, candidate.sizeBytes, candidate.modifiedAt,
                          static_cast<int>(fingerprint->pixelWidth), static_cast<int>(fingerprint->pixelHeight),
                          fingerprint->perceptualHash, fingerprint->perceptualHashSecondary,
                          fingerprint->structuralDigest, fingerprint->kind, candidate.hasOtherLinks});
    }

    digestFilesOfSharedSizes(hashed);
    auto groups = exactCopiesAmong(unread);

    // A file joins the first cluster all of whose members it matches.
    std::vector<std::vector<HashedCandidate>> clusters;
    for (const auto& candidate : hashed) {
        auto cluster = std::find_if(clusters.begin(), clusters.end(), [&](const auto& members) {
            return std::all_of(members.begin(), members.end(),
                               [&](const auto& member) { return isSimilarMedia(candidate, member); });
        });
        if (cluster == clusters.end()) {
            clusters.push_back({candidate});
        } else {
            cluster->push_back(candidate);
        }
    }

    for (const auto& cluster : clusters) {
        std::vector<HashedCandidate> distinct;
        std::set<std::string> paths;
        for (const auto& member : cluster)
            if (paths.insert(member.path).second) distinct.push_back(member);
        if (distinct.size() < 2) continue;
        const auto kind = allSameBytes(distinct) ? model::DuplicateKind::exactBytes : distinct.front().kind;
        if (auto group = DuplicateScanner::makeGroup(distinct, kind)) groups.push_back(std::move(*group));
    }
    return groups;
}

bool SimilarMediaPass::allSameBytes(const std::vector<HashedCandidate>& members) const {
    const auto& first = members.front();
    const auto& digest = wholeDigest(first.path);
    return digest && std::all_of(members.begin() + 1, members.end(), [&](const auto& member) {
               return member.sizeBytes == first.sizeBytes && wholeDigest(member.path) == digest;
           });
}

std::vector<model::DuplicateGroup> SimilarMediaPass::exactCopiesAmong(const std::vector<HashedCandidate>& files) {
    digestFilesOfSharedSizes(files);
    std::map<std::pair<std::int64_t, std::string>, std::vector<HashedCandidate>> byContent;
    std::set<std::string> paths;
    for (const auto& file : files) {
        const auto found = wholeDigests_.find(file.path);
        if (found != wholeDigests_.end() && found->second && paths.insert(file.path).second)
            byContent[{file.sizeBytes, *found->second}].push_back(file);
    }
    std::vector<model::DuplicateGroup> groups;
    for (const auto& [content, copies] : byContent) {
        if (copies.size() < 2) continue;
        if (auto group = DuplicateScanner::makeGroup(copies, model::DuplicateKind::exactBytes)) groups.push_back(std::move(*group));
    }
    return groups;
}

void SimilarMediaPass::digestFilesOfSharedSizes(const std::vector<HashedCandidate>& hashed) {
    std::unordered_map<std::int64_t, int> filesOfSize;
    for (const auto& candidate : hashed) ++filesOfSize[candidate.sizeBytes];
    std::vector<std::string> paths;
    std::set<std::string> seen;
    for (const auto& candidate : hashed) {
        if (filesOfSize[candidate.sizeBytes] > 1 && !wholeDigests_.contains(candidate.path) &&
            seen.insert(candidate.path).second) {
            paths.push_back(candidate.path);
        }
    }
    std::vector<std::optional<std::string>> digests(paths.size());
    platform::forEachConcurrently(workers_, paths.size(), [&](std::size_t i) { digests[i] = sha256OfFile(paths[i]); });
    for (std::size_t i = 0; i < paths.size(); ++i) wholeDigests_.emplace(std::move(paths[i]), std::move(digests[i]));
}

const std::optional<std::string>& SimilarMediaPass::wholeDigest(const std::string& path) const {
    auto found = wholeDigests_.find(path);
    if (found == wholeDigests_.end()) found = wholeDigests_.emplace(path, sha256OfFile(path)).first;
    return found->second;
}

bool SimilarMediaPass::isSimilarMedia(const HashedCandidate& a, const HashedCandidate& b) const {
    if (a.sizeBytes == b.sizeBytes) {
        const auto& first = wholeDigest(a.path);
        const auto& second = wholeDigest(b.path);
        if (first && second && *first == *second) return true;
    }
    if (!a.pixelWidth || !a.pixelHeight || !b.pixelWidth || !b.pixelHeight || *a.pixelWidth < 1 ||
        *a.pixelHeight < 1 || *b.pixelWidth < 1 || *b.pixelHeight < 1) {
        return false;
    }
    if (ratio(*a.pixelWidth, *b.pixelWidth) < options_.pHashMinDimensionRatio ||
        ratio(*a.pixelHeight, *b.pixelHeight) < options_.pHashMinDimensionRatio) {
        return false;
    }
    if (a.structuralDigest == b.structuralDigest) return true;
    const int threshold = options_.pHashHammingThreshold;
    if (std::popcount(a.perceptualHash ^ b.perceptualHash) > threshold ||
        std::popcount(a.perceptualHashSecondary ^ b.perceptualHashSecondary) > threshold) {
        return false;
    }
    // Two shots of one scene from one camera come out near one size, so look-alikes of one coding that close
    // in size stay apart; a copy in another coding is near the other's size only by chance.
    return ratio(static_cast<double>(a.sizeBytes), static_cast<double>(b.sizeBytes)) < kSizeRatioLimit ||
           codingOf(a.path) != codingOf(b.path);
}

}  // namespace zentrel::scanners
