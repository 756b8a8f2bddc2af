#include "viewmodels/ResultGrouping.hpp"

#include "model/CookieDomains.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/DisplayWidth.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "viewmodels/CleanFigureText.hpp"
#include "viewmodels/CountedItems.hpp"

#include <algorithm>
#include <iterator>
#include <map>
#include <numeric>

namespace zentrel::viewmodels {
namespace {

using model::CleanItem;

std::string fileSize(std::int64_t bytes) { return platform::formatByteCount(bytes, platform::ByteCountStyle::file); }

model::DuplicateKind duplicateKind(const std::string& subcategory) {
    if (subcategory == "dup:photo") return model::DuplicateKind::perceptualImage;
    if (subcategory == "dup:video") return model::DuplicateKind::perceptualVideo;
    return model::DuplicateKind::documentHash;
}

model::PrivacyKind privacyKind(const std::string& subcategory) {
    if (subcategory.starts_with("priv:cookie")) return model::PrivacyKind::trackerCookie;
    if (subcategory == "priv:history") return model::PrivacyKind::browsingHistory;
    if (subcategory == "priv:pasteboard") return model::PrivacyKind::pasteboardInsight;
    return model::PrivacyKind::recentsList;
}

// Items of one category that carry a group id, grouped in the order the
// groups first appear, each keeping the items' order.
template <class GroupId>
std::vector<std::pair<std::string, std::vector<const CleanItem*>>> grouped(const std::vector<CleanItem>& items,
                                                                           model::CategoryType category,
                                                                           GroupId groupId) {
    std::vector<std::pair<std::string, std::vector<const CleanItem*>>> groups;
    std::map<std::string, std::size_t> index;
    for (const auto& item : items) {
        const auto& id = groupId(item);
        if (item.category != category || !id) continue;
        auto [at, inserted] = index.emplace(*id, groups.size());
        if (inserted) groups.push_back({*id, {}});
        groups[at->second].second.push_back(&item);
    }
    return groups;
}

}  // namespace

std::vector<model::DuplicateGroup> duplicateGroups(const std::vector<CleanItem>& items) {
    std::vector<model::DuplicateGroup> groups;
    for (const auto& [id, members] : grouped(items, model::CategoryType::duplicates,
                                             [](const CleanItem& item) { return item.duplicateGroupId; })) {
        if (members.size() < 2) continue;
        model::DuplicateGroup group{id, duplicateKind(members.front()->subcategory), {}};
        for (const auto* item : members) {
            group.members.push_back({item->path, item->path, item->sizeBytes, std::nullopt, std::nullopt,
                                     std::nullopt, item->isDuplicateKeeper});
        }
        groups.push_back(std::move(group));
    }
    const auto reclaimable = [](const model::DuplicateGroup& group) {
        std::int64_t total = 0;
        for (const auto& member : group.members)
            if (!member.isKeeper) total += member.sizeBytes;
        return total;
    };
    std::stable_sort(groups.begin(), groups.end(),
                     [&](const auto& a, const auto& b) { return reclaimable(a) > reclaimable(b); });
    return groups;
}

std::vector<model::PrivacyGroup> privacyGroups(const std::vector<CleanItem>& items) {
    std::vector<model::PrivacyGroup> groups;
    for (const auto& [id, members] : grouped(items, model::CategoryType::privacy,
                                             [](const CleanItem& item) { return item.privacyGroupId; })) {
        const auto& first = *members.front();
        model::PrivacyGroup group;
        group.id = id;
        group.kind = privacyKind(first.subcategory);
        group.browser = first.privacyBrowser;
        group.title = first.friendlyName.empty() ? first.name : first.friendlyName;
        group.detail = first.friendlyDescription;
        for (const auto* item : members) {
            group.targets.push_back({item->path.empty() ? item->id.string() : item->path, item->name, item->path,
                                     item->privacyDomains, item->sizeBytes,
                                     group.kind == model::PrivacyKind::trackerCookie, item->privacyStoreBusy});
            group.trackerDomainCount += static_cast<int>(model::distinctCookieDomainCount(item->privacyDomains));
        }
        groups.push_back(std::move(group));
    }
    const auto size = [](const model::PrivacyGroup& group) {
        std::int64_t total = 0;
        for (const auto& target : group.targets) total += target.sizeBytes;
        return total;
    };
    std::stable_sort(groups.begin(), groups.end(), [&](const auto& a, const auto& b) { return size(a) > size(b); });
    return groups;
}

std::string scanReport(const std::vector<CleanItem>& scanned, const std::string& dateText, model::ViewMode mode,
                       const std::optional<std::string>& duplicatesNote,
                       const std::map<model::CategoryType, LastScanFigures>& lastScan, const ShownName& shownName) {
    const auto shown = [&](const std::string& name) { return shownName ? shownName(name) : name; };
    // Everything found, as the advanced view counts it: a duplicate's keeper stays and is not listed.
    std::vector<CleanItem> items;
    std::ranges::copy_if(scanned, std::back_inserter(items),
                         [](const CleanItem& item) { return countsIn(item, model::ViewMode::advanced); });
    std::int64_t total = 0;
    std::int64_t selected = 0;
    auto found = static_cast<std::int64_t>(items.size());
    for (const auto& item : items) {
        total += item.sizeBytes;
        if (item.isSelected) selected += item.sizeBytes;
    }
    using platform::localized;
    using platform::localizedFormat;
    for (const auto& [category, figures] : lastScan) {
        total += figures.bytes;
        found += figures.itemCount.value_or(0);
    }
    // The figures start in one column, counted in what a terminal shows, not in bytes.
    constexpr std::size_t kFigureColumn = 16;
    const auto figure = [](std::string_view label, const std::string& value) {
        return platform::paddedToWidth(localized(label), kFigureColumn, 1) + value;
    };
    // A heading's rule is as wide as the heading shows, the title's at least 22.
    const auto rule = [](const std::string& heading, char mark, std::size_t least) {
        return std::string(std::max(platform::displayWidth(heading), least), mark);
    };
    const auto title = localized("Zentrel Scan Report");
    const auto byCategory = localized("By Category");
    std::vector<std::string> lines = {
        title,
        rule(title, '=', 22),
        localizedFormat("Date: %@", {dateText}),
        "",
        figure(N_("Total Found:"), fileSize(total)),
        figure(N_("Selected to Clean:"), fileSize(selected)),
        figure(N_("Items Found:"), platform::formatCount(found)),
        "",
        byCategory,
        rule(byCategory, '-', 0),
    };
    for (auto category : model::kAllCategories) {
        std::vector<CleanItem> members;
        for (const auto& item : items)
            if (item.category == category) members.push_back(item);
        const bool noted = category == model::CategoryType::duplicates && duplicatesNote;
        if (const auto stored = lastScan.find(category); members.empty() && stored != lastScan.end()) {
            const auto& figures = stored->second;
            std::string detail =
                figures.dateText ? platform::localizedFormat("from the last scan on %@", {*figures.dateText})
                                 : platform::localized("from the last scan");
            if (figures.itemCount)
                detail = platform::localizedFormat(N_COUNTED("%lld items"), {platform::formatCount(*figures.itemCount)}) + ", " + detail;
            lines.emplace_back();
            lines.push_back(model::categoryTitle(category, mode) + " \u2014 " + fileSize(figures.bytes) + " (" + detail +
                            ")");
            if (noted) lines.push_back("  " + *duplicatesNote);
            continue;
        }
        if (members.empty() && !noted) continue;
        std::stable_sort(members.begin(), members.end(),
                         [](const CleanItem& a, const CleanItem& b) { return a.sizeBytes > b.sizeBytes; });
        std::int64_t size = 0;
        std::int64_t cookies = 0;
        std::size_t ticked = 0;
        for (const auto& item : members) {
            size += item.sizeBytes;
            cookies += trackerCookieCount(item);
            if (item.isSelected) ++ticked;
        }
        lines.emplace_back();
        lines.push_back(model::categoryTitle(category, mode) + " \u2014 " + cleanFigureText(size, cookies) + " (" +
                        platform::localizedFormat(N_COUNTED("%lld items"), {platform::formatCount(members.size())}) + ", " +
                        platform::localizedFormat("%lld selected", {platform::formatCount(ticked)}) + ")");
        if (noted) lines.push_back("  " + *duplicatesNote);
        for (const auto& item : members) {
            lines.push_back(std::string("  ") + (item.isSelected ? "[x]" : "[ ]") + " " + shown(item.displayTitle()) + " \u2014 " +
                            cleanFigureText(item));
            if (!item.path.empty()) lines.push_back("      " + localizedFormat("Path: %@", {shown(item.path)}));
        }
    }
    lines.emplace_back();
    lines.push_back(localizedFormat("Generated by Zentrel \u2014 %@", {std::string(kProductAddress)}));

    std::string report;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) report += '\n';
        report += lines[i];
    }
    return report;
}

}  // namespace zentrel::viewmodels
