#include "engine/DuplicateAndPrivacyCategories.hpp"

#include "platform/text/Localization.hpp"
#include "scanners/duplicates/DuplicateScanner.hpp"
#include "scanners/duplicates/SimilarMediaPass.hpp"

#include <algorithm>

namespace zentrel::engine {

namespace {

std::string fileName(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string duplicateSubcategory(model::DuplicateKind kind) {
    switch (kind) {
    case model::DuplicateKind::perceptualImage: return "dup:photo";
    case model::DuplicateKind::perceptualVideo: return "dup:video";
    case model::DuplicateKind::exactBytes:
    case model::DuplicateKind::documentHash: return "dup:exact";
    }
    return "dup:exact";
}

std::string privacySubcategory(const model::PrivacyGroup& group) {
    switch (group.kind) {
    case model::PrivacyKind::trackerCookie:
        return "priv:cookie:" + (group.browser ? std::string(model::rawValue(*group.browser)) : std::string("unknown"));
    case model::PrivacyKind::browsingHistory: return "priv:history";
    case model::PrivacyKind::recentsList: return "priv:recents";
    case model::PrivacyKind::pasteboardInsight: return "priv:pasteboard";
    }
    return "priv:recents";
}

std::vector<model::CleanItem> duplicateItems(const std::vector<model::DuplicateGroup>& groups) {
    std::vector<model::CleanItem> items;
    for (const auto& group : groups) {
        auto keeper = std::find_if(group.members.begin(), group.members.end(), [](const auto& m) { return m.isKeeper; });
        const bool hasKeeper = keeper != group.members.end();
        const bool exact = group.kind == model::DuplicateKind::exactBytes || group.kind == model::DuplicateKind::documentHash;
        const std::optional<std::string> keeping =
            hasKeeper ? std::optional(platform::localizedFormat("Keeping: %@", {fileName(keeper->path)})) : std::nullopt;
        for (const auto& member : group.members) {
            model::CleanItem item;
            item.id = platform::Uuid::random();
            item.name = item.friendlyName = fileName(member.path);
            item.path = member.path;
            item.category = model::CategoryType::duplicates;
            item.subcategory = duplicateSubcategory(group.kind);
            // The keeper stays: a clean frees only the copies.
            item.sizeBytes = member.isKeeper ? 0 : member.reclaimableBytes();
            item.deletionMethod = model::DeletionMethod::remove();
            item.duplicateGroupId = group.id;
            item.isDuplicateKeeper = member.isKeeper;
            if (member.isKeeper) {
                item.friendlyDescription = platform::localized("Best copy \u2014 kept automatically");
                item.safetyLevel = model::SafetyLevel::review;
            } else if (!exact) {
                // Alike is not the same: the user looks before anything goes.
                item.warningMessage = keeping;
                item.friendlyDescription = platform::localized("Similar, not identical \u2014 review before removing");
                item.safetyLevel = model::SafetyLevel::review;
            } else {
                // Without a keeper nothing is chosen for the user: every copy may be the one to keep.
                item.isSelected = hasKeeper;
                item.isSafe = true;
                item.warningMessage = keeping;
                item.friendlyDescription = platform::localized("Duplicate copy \u2014 safe to remove");
                item.safetyLevel = model::SafetyLevel::safe;
                item.isRecommended = true;
            }
            items.push_back(std::move(item));
        }
    }
    return items;
}

std::vector<model::CleanItem> privacyItems(const std::vector<model::PrivacyGroup>& groups) {
    std::vector<model::CleanItem> items;
    for (const auto& group : groups) {
        const bool cookies = group.kind == model::PrivacyKind::trackerCookie;
        if (cookies && !group.browser) continue;
        for (const auto& target : group.targets) {
            model::CleanItem item;
            item.id = platform::Uuid::random();
            item.name = target.label;
            item.path = target.path;
            item.category = model::CategoryType::privacy;
            item.subcategory = privacySubcategory(group);
            item.sizeBytes = target.sizeBytes;
            item.friendlyName = platform::localized(group.title);
            item.friendlyDescription = platform::localized(group.detail);
            item.privacyGroupId = group.id;
            item.privacyDomains = target.domains;
            item.privacyBrowser = group.browser;
            if (cookies && target.isBusy) {
                item.privacyStoreBusy = true;
                item.warningMessage = group.detail;
                item.deletionMethod = model::DeletionMethod::clearTrackerCookies(target.path, {}, *group.browser);
            } else if (cookies) {
                item.isSelected = item.isSafe = item.isRecommended = true;
                item.safetyLevel = model::SafetyLevel::safe;
                item.deletionMethod = model::DeletionMethod::clearTrackerCookies(target.path, target.domains, *group.browser);
            } else {
                item.warningMessage = platform::localized("Review before clearing \u2014 you can undo within 24 hours");
                item.safetyLevel = model::SafetyLevel::review;
                if (group.kind == model::PrivacyKind::pasteboardInsight) {
                    item.deletionMethod = model::DeletionMethod::clearPasteboard();
                } else if (group.id == "recents:terminal_history") {
                    item.deletionMethod = model::DeletionMethod::truncateFile();
                } else {
                    item.deletionMethod = model::DeletionMethod::remove();
                }
            }
            items.push_back(std::move(item));
        }
    }
    return items;
}

void registerDuplicateAndPrivacyScanners(CleanerEngine& engine, CategorySources sources) {
    engine.setScanner(ScannerID::duplicates, [home = sources.table.home,
                                              store = scanners::mediaFingerprintStorePath(sources.table)](CleanerEngine& e) {
        scanners::DuplicateScanner::ScanOptions options;  // the engine's limits are the defaults
        auto result = scanners::withMediaFingerprintStore(store, [&](scanners::MediaFingerprintStore& fingerprints) {
            scanners::SimilarMediaPass similarMedia(options, &e.pool(), &fingerprints);
            scanners::DuplicateScanner scanner(options, e.fileSystem(), home, &similarMedia, &e.pool());
            return scanner.scan();
        });
        // A sparse copy frees only the blocks it holds.
        for (auto& group : result.groups) {
            for (auto& member : group.members) {
                if (auto attributes = e.fileSystem().attributes(member.path)) member.allocatedBytes = attributes->allocatedSize;
            }
        }
        scanners::DuplicateScanner::sortByReclaimableBytes(result.groups);
        e.cachedDuplicateGroups = std::move(result.groups);
        e.setDuplicateWalkStop(std::move(result.candidateLimit), result.picturesTooLarge, std::move(result.cappedSizes));
        return duplicateItems(e.cachedDuplicateGroups);
    });
    engine.setScanner(ScannerID::privacy, [sources = std::move(sources)](CleanerEngine& e) {
        const auto options = sources.privacySettings ? sources.privacySettings() : scanners::PrivacyScanner::ScanOptions{};
        scanners::PrivacyScanner scanner(options, e.fileSystem(), sources.table, sources.clipboardCheck);
        e.cachedPrivacyGroups = scanner.scan();
        return privacyItems(e.cachedPrivacyGroups);
    });
}

}  // namespace zentrel::engine
