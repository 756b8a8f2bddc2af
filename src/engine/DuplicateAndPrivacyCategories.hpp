#pragma once
// The duplicates and privacy categories of the scan: each runs its scanner,
// keeps the groups on the engine and turns every group member or target into
// one clean item.

#include "engine/CleanerEngine.hpp"
#include "platform/places/HostTable.hpp"
#include "scanners/privacy/PrivacyScanner.hpp"

#include <functional>
#include <string>

namespace zentrel::engine {

// "dup:exact", "dup:photo" or "dup:video".
[[nodiscard]] std::string duplicateSubcategory(model::DuplicateKind kind);
// "priv:cookie:<browser>", "priv:history", "priv:recents" or "priv:pasteboard".
[[nodiscard]] std::string privacySubcategory(const model::PrivacyGroup& group);

// One item per member: the keeper kept and unselected, the copies selected.
// A group without a keeper selects none of its members.
[[nodiscard]] std::vector<model::CleanItem> duplicateItems(const std::vector<model::DuplicateGroup>& groups);
// One item per target. A tracker-cookie target of no known browser builds no
// item: its store format would be unknown.
[[nodiscard]] std::vector<model::CleanItem> privacyItems(const std::vector<model::PrivacyGroup>& groups);

struct CategorySources {
    platform::HostTable table;
    // The two privacy settings, as the main thread reads them.
    std::function<scanners::PrivacyScanner::ScanOptions()> privacySettings;
    scanners::PrivacyScanner::ClipboardCheck clipboardCheck;
};

// Registers the duplicates and privacy scanners on the engine.
void registerDuplicateAndPrivacyScanners(CleanerEngine& engine, CategorySources sources);

}  // namespace zentrel::engine
