#include "ui/presenters/DuplicatesPresenter.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "scanners/media/MediaExtensions.hpp"
#include "viewmodels/DuplicateWalkNotice.hpp"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

namespace zentrel::ui {
namespace {

using model::CategoryType;

// The first duplicates item of each path, in result order. A file may also
// be listed in another category (a large file, say); the duplicates page
// selects what the duplicates clean deletes.
std::unordered_map<std::string, const model::CleanItem*> itemsByPath(const std::vector<model::CleanItem>& items) {
    std::unordered_map<std::string, const model::CleanItem*> byPath;
    for (const auto& item : items)
        if (item.category == CategoryType::duplicates) byPath.emplace(item.path, &item);
    return byPath;
}

// The row's name as a screen reader says it.
std::string spokenName(const DuplicateMemberContent& row, const std::string& homeFolder, bool deleted) {
    const auto folder = folderFromHome(std::filesystem::path(row.path).parent_path().string(), homeFolder);
    std::string name = row.fileName + ", " + platform::localizedFormat("in %@", {folder});
    if (!row.sizeText.empty()) name += ", " + row.sizeText;
    return name + ", " + (deleted ? platform::localized("will be deleted") : platform::localized("kept"));
}

}  // namespace

std::string folderFromHome(const std::string& folder, const std::string& homeFolder) {
    if (homeFolder.empty() || homeFolder == "/") return folder;
    const auto home = homeFolder.back() == '/' ? homeFolder.substr(0, homeFolder.size() - 1) : homeFolder;
    if (folder == home) return "~";
    if (folder.starts_with(home + "/")) return "~" + folder.substr(home.size());
    return folder;
}

Pill duplicateKindPill(model::DuplicateKind kind) {
    const auto name = platform::localized(model::displayName(kind));
    switch (kind) {
    case model::DuplicateKind::perceptualImage: return {name, "photo", PillVariant::ai};
    case model::DuplicateKind::perceptualVideo: return {name, "film", PillVariant::ai};
    case model::DuplicateKind::exactBytes:
    case model::DuplicateKind::documentHash: break;
    }
    return {name, "doc.on.doc", PillVariant::neutral};
}

DuplicateResults duplicateResults(const viewmodels::ScanViewModel& vm, const std::string& homeFolder) {
    const auto groups = vm.duplicateGroups();
    const auto byPath = itemsByPath(vm.result().items);
    DuplicateResults results;
    results.headerText = platform::localizedFormat(N_COUNTED("%lld duplicate groups"), {platform::formatCount(groups.size())});
    results.emptyTitle = platform::localized("No duplicates found");
    results.scopeNote = viewmodels::smallFilesNotice(scanners::DuplicateScanner::ScanOptions{}.minFileBytes);
    results.emptyMessage = platform::localized("Pictures, Documents, Downloads, and Desktop look clean.");
    if (const auto notice = viewmodels::duplicateScanNotice(vm.duplicateWalkStop(), vm.duplicateCappedSizes())) {
        results.limitNotice = *notice;
        // Not "look clean": part of them was never looked at.
        if (groups.empty()) results.emptyMessage = results.limitNotice;
    }
    results.emptyMessage += ' ' + results.scopeNote;
    if (const auto tooLarge = vm.duplicatePicturesTooLarge()) {
        if (!results.limitNotice.empty()) results.limitNotice += ' ';
        results.limitNotice += viewmodels::picturesTooLargeNotice(tooLarge);
    }
    results.groups.reserve(groups.size());
    for (const auto& group : groups) {
        const bool exact = group.kind == model::DuplicateKind::exactBytes || group.kind == model::DuplicateKind::documentHash;
        // A keeper frees nothing; an exact one is as large as its copies.
        std::int64_t copyBytes = 0;
        for (const auto& member : group.members) copyBytes = std::max(copyBytes, member.sizeBytes);
        DuplicateGroupContent card{group.id,
                                exact ? platform::localizedFormat(N_COUNTED("%lld copies"), {platform::formatCount(group.members.size())})
                                      : platform::localized("Similar"),
                                platform::localizedFormat("Free up %@", {group.reclaimableSizeText()}),
                                duplicateKindPill(group.kind),
                                {}};
        for (const auto& member : group.members) {
            DuplicateMemberContent row;
            row.path = member.path;
            row.fileName = std::filesystem::path(member.path).filename().string();
            row.isPicture = scanners::imageExtensions().contains(scanners::lowercasedPathExtension(member.path));
            if (!member.isKeeper) {
                row.sizeText = platform::formatByteCount(member.sizeBytes, platform::ByteCountStyle::file);
            } else if (exact) {
                row.sizeText = platform::formatByteCount(copyBytes, platform::ByteCountStyle::file);
            }
            if (const auto found = byPath.find(member.path); found != byPath.end()) {
                row.itemId = found->second->id;
                row.isSelected = found->second->isSelected;
            }
            row.showsCheckBox = row.itemId && !member.isKeeper;
            if (member.isKeeper) row.keepPill = Pill{platform::localized("Keep"), "checkmark.seal.fill", PillVariant::safe};
            row.dividerAfter = member.id != group.members.back().id;
            row.accessibleName = spokenName(row, homeFolder, row.showsCheckBox && row.isSelected);
            row.previewName = platform::localizedFormat("Preview %@", {row.showsCheckBox ? row.fileName : row.accessibleName});
            card.members.push_back(std::move(row));
        }
        results.groups.push_back(std::move(card));
    }
    return results;
}

void selectDuplicateCopies(viewmodels::ScanViewModel& vm) {
    std::set<platform::Uuid> copies;
    for (const auto& group : duplicateResults(vm).groups) {
        for (const auto& member : group.members)
            if (member.showsCheckBox) copies.insert(*member.itemId);
    }
    vm.selectOnly(copies, CategoryType::duplicates);
}

void deselectDuplicates(viewmodels::ScanViewModel& vm) { vm.deselectAll(CategoryType::duplicates); }

}  // namespace zentrel::ui
