#include "scanners/duplicates/DuplicateScanner.hpp"

#include "platform/concurrency/ConcurrentLoop.hpp"
#include "scanners/duplicates/DuplicateKeeperHeuristic.hpp"
#include "scanners/duplicates/FileHashing.hpp"
#include "scanners/media/MediaExtensions.hpp"

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>
#include <unordered_map>

namespace zentrel::scanners {

namespace {

// Folders the walk never enters, by their whole name.
const std::set<std::string, std::less<>> kSkippedFolders = {"node_modules", ".git", "Pods", ".photoslibrary",
                                                            "Photo Booth Library"};
// Disk images, installers, applications and archives are never candidates.
const std::set<std::string, std::less<>> kSkippedExtensions = {"dmg", "pkg", "app", "zip", "tar",
                                                               "gz",  "xz",  "7z",  "rar"};

std::string lastComponent(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

DuplicateScanner::DuplicateScanner(ScanOptions options, const platform::FileSystem& fileSystem, std::string home,
                                   SimilarMediaFinder* similarMedia, platform::Executor* workers)
    : options_(std::move(options)),
      fileSystem_(fileSystem),
      home_(std::move(home)),
      similarMedia_(similarMedia),
      workers_(workers) {}

DuplicateScanResult DuplicateScanner::scan() {
    DuplicateScanResult result;
    auto candidates = collectCandidates(&result.candidateLimit, similarMedia_);
    std::vector<ScanCandidate> media, others;
    for (auto& candidate : candidates) (candidate.isMedia ? media : others).push_back(std::move(candidate));
    candidates = {};

    auto groups = findExactDuplicates(others, &result.cappedSizes);
    if (similarMedia_) {
        auto similar = similarMedia_->findSimilarMedia(media);
        result.picturesTooLarge = similarMedia_->picturesTooLarge();
        groups.insert(groups.end(), std::make_move_iterator(similar.begin()), std::make_move_iterator(similar.end()));
    }
    sortByReclaimableBytes(groups);
    result.groups = std::move(groups);
    return result;
}

std::vector<std::string> DuplicateScanner::roots() const {
    if (options_.scanRoots && !options_.scanRoots->empty()) return *options_.scanRoots;
    return {home_ + "/Pictures", home_ + "/Documents", home_ + "/Downloads", home_ + "/Desktop"};
}

std::vector<ScanCandidate> DuplicateScanner::collectCandidates(std::optional<CandidateLimitStop>* stop,
                                                              SimilarMediaFinder* announceMediaTo) const {
    std::vector<ScanCandidate> candidates;
    // One file reached twice (overlapping roots, a hard link) is one candidate,
    // so a keeper is never offered as its own duplicate.
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    const auto walked = roots();
    for (auto root = walked.begin(); root != walked.end(); ++root) {
        if (!fileSystem_.exists(*root)) continue;
        auto walk = fileSystem_.walk(*root, {.skipHiddenEntries = true, .skipPackageContents = true});
        while (walk) {
            auto entry = walk->next();
            if (!entry) break;
            if (candidates.size() >= options_.maxCandidates) {
                if (stop) {
                    *stop = CandidateLimitStop{options_.maxCandidates, entry->path, {}};
                    std::copy_if(std::next(root), walked.end(), std::back_inserter((*stop)->rootsNotReached),
                                 [&](const auto& later) { return fileSystem_.exists(later); });
                }
                return candidates;
            }
            const auto extension = lowercasedPathExtension(entry->path);
            if (extension == "photoslibrary") {
                walk->skipDescendants();
                continue;
            }
            if (entry->attributes.isDirectory()) {
                if (kSkippedFolders.contains(lastComponent(entry->path))) walk->skipDescendants();
                continue;
            }
            if (kSkippedExtensions.contains(extension)) continue;
            // Links and special files are never candidates: only what a clean may remove as a file.
            if (!entry->attributes.isRegularFile() || entry->attributes.size < options_.minFileBytes) continue;
            const auto& identity = entry->attributes.identity;
            if (!seen.emplace(identity.device, identity.inode).second) continue;
            candidates.push_back({entry->path, entry->attributes.size, entry->attributes.modificationDate,
                                  isMediaExtension(extension), entry->attributes.linkCount > 1});
            if (announceMediaTo && candidates.back().isMedia) announceMediaTo->mediaFound(candidates.back());
        }
    }
    return candidates;
}

std::map<std::int64_t, std::vector<ScanCandidate>> DuplicateScanner::bucketBySize(
    const std::vector<ScanCandidate>& candidates) {
    std::map<std::int64_t, std::vector<ScanCandidate>> buckets;
    for (const auto& candidate : candidates) buckets[candidate.sizeBytes].push_back(candidate);
    return buckets;
}

std::vector<model::DuplicateGroup> DuplicateScanner::findExactDuplicates(const std::vector<ScanCandidate>& candidates,
                                                                         std::vector<CappedSizeGroup>* capped) const {
    // The files to hash: the first of each size shared by at least two. The
    // rest of a larger set is never compared, and said so.
    std::map<std::int64_t, std::vector<const ScanCandidate*>> bySize;
    for (const auto& candidate : candidates) bySize[candidate.sizeBytes].push_back(&candidate);
    std::vector<const ScanCandidate*> hashed;
    for (const auto& [size, bucket] : bySize) {
        if (bucket.size() < 2) continue;
        const auto compared = std::min(bucket.size(), options_.maxPerSizeBucket);
        hashed.insert(hashed.end(), bucket.begin(), bucket.begin() + static_cast<std::ptrdiff_t>(compared));
        if (capped && compared < bucket.size()) capped->push_back({size, bucket.size(), compared});
    }
    hashed = withSharedHeads(hashed);
    std::vector<std::optional<std::string>> digests(hashed.size());
    platform::forEachConcurrently(workers_, hashed.size(), [&](std::size_t i) {
        digests[i] = contentDigest(hashed[i]->path, hashed[i]->sizeBytes);
    });

    std::map<std::string, std::vector<HashedCandidate>> byDigest;
    for (std::size_t i = 0; i < hashed.size(); ++i) {
        if (!digests[i]) continue;  // vanished or unreadable since the walk
        const auto& candidate = *hashed[i];
        byDigest["sha:" + *digests[i]].push_back({.path = candidate.path,
                                                  .sizeBytes = candidate.sizeBytes,
                                                  .modifiedAt = candidate.modifiedAt,
                                                  .kind = model::DuplicateKind::documentHash,
                                                  .hasOtherLinks = candidate.hasOtherLinks});
    }
    const auto wholeDigests = wholeDigestsOfSampledSets(byDigest);
    std::vector<model::DuplicateGroup> groups;
    for (const auto& [key, members] : byDigest) {
        if (members.size() < 2) continue;
        for (const auto& confirmed : confirmedByWholeContent(members, wholeDigests)) {
            if (auto group = makeGroup(confirmed, model::DuplicateKind::documentHash)) groups.push_back(std::move(*group));
        }
    }
    return groups;
}

std::vector<const ScanCandidate*> DuplicateScanner::withSharedHeads(const std::vector<const ScanCandidate*>& files) const {
    std::vector<std::optional<std::uint64_t>> heads(files.size());
    platform::forEachConcurrently(workers_, files.size(), [&](std::size_t i) { heads[i] = headSignature(files[i]->path); });
    std::map<std::pair<std::int64_t, std::uint64_t>, int> sharing;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (heads[i]) ++sharing[{files[i]->sizeBytes, *heads[i]}];
    std::vector<const ScanCandidate*> kept;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (heads[i] && sharing[{files[i]->sizeBytes, *heads[i]}] > 1) kept.push_back(files[i]);
    return kept;
}

std::unordered_map<std::string, std::optional<std::string>> DuplicateScanner::wholeDigestsOfSampledSets(
    const std::map<std::string, std::vector<HashedCandidate>>& byDigest) const {
    std::vector<std::string> paths;
    for (const auto& [key, members] : byDigest) {
        if (members.size() < 2 || !isSampledDigestSize(members.front().sizeBytes)) continue;
        for (const auto& member : members) paths.push_back(member.path);
    }
    std::vector<std::optional<std::string>> digests(paths.size());
    platform::forEachConcurrently(workers_, paths.size(), [&](std::size_t i) { digests[i] = sha256OfFile(paths[i]); });
    std::unordered_map<std::string, std::optional<std::string>> byPath;
    for (std::size_t i = 0; i < paths.size(); ++i) byPath.emplace(std::move(paths[i]), std::move(digests[i]));
    return byPath;
}

std::vector<std::vector<HashedCandidate>> DuplicateScanner::confirmedByWholeContent(
    const std::vector<HashedCandidate>& members,
    const std::unordered_map<std::string, std::optional<std::string>>& wholeDigests) {
    // A digest over samples only narrows the field: files that differ in the
    // middle share it, so such files are compared by their whole contents.
    if (!isSampledDigestSize(members.front().sizeBytes)) return {members};
    std::map<std::string, std::vector<HashedCandidate>> byWholeDigest;
    for (const auto& member : members) {
        const auto found = wholeDigests.find(member.path);
        if (found != wholeDigests.end() && found->second) byWholeDigest[*found->second].push_back(member);
    }
    std::vector<std::vector<HashedCandidate>> confirmed;
    for (auto& [digest, same] : byWholeDigest)
        if (same.size() >= 2) confirmed.push_back(std::move(same));
    return confirmed;
}

std::optional<model::DuplicateGroup> DuplicateScanner::makeGroup(const std::vector<HashedCandidate>& members,
                                                                 model::DuplicateKind kind) {
    std::vector<DuplicateKeeperHeuristic::Candidate> candidates;
    for (const auto& member : members) {
        candidates.push_back({member.path, member.sizeBytes, member.modifiedAt,
                              member.pixelWidth ? std::optional<std::int64_t>(*member.pixelWidth) : std::nullopt,
                              member.pixelHeight ? std::optional<std::int64_t>(*member.pixelHeight) : std::nullopt});
    }
    const auto keeper = kind == model::DuplicateKind::perceptualImage
                            ? DuplicateKeeperHeuristic::pickKeeperOfSimilarPictures(candidates)
                            : DuplicateKeeperHeuristic::pickKeeper(candidates);
    if (!keeper) return std::nullopt;

    std::vector<std::string> paths;
    for (const auto& member : members) paths.push_back(member.path);
    std::sort(paths.begin(), paths.end());
    std::string joined;
    for (const auto& path : paths) joined += (joined.empty() ? "" : "|") + path;

    model::DuplicateGroup group;
    group.id = std::to_string(static_cast<std::int64_t>(std::hash<std::string>{}(joined)));
    group.kind = kind;
    for (const auto& member : members) {
        group.members.push_back({member.path, member.path, member.sizeBytes, member.modifiedAt, member.pixelWidth,
                                 member.pixelHeight, member.path == *keeper, member.hasOtherLinks});
    }
    return group;
}

std::int64_t DuplicateScanner::reclaimableBytes(const model::DuplicateGroup& group) {
    std::int64_t total = 0;
    for (const auto& member : group.members)
        if (!member.isKeeper) total += member.reclaimableBytes();
    return total;
}

void DuplicateScanner::sortByReclaimableBytes(std::vector<model::DuplicateGroup>& groups) {
    std::stable_sort(groups.begin(), groups.end(),
                     [](const auto& a, const auto& b) { return reclaimableBytes(a) > reclaimableBytes(b); });
}

}  // namespace zentrel::scanners
