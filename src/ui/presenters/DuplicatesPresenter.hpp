#pragma once
// What the duplicates page shows: one card per group of copies with its
// count, what removing the copies frees and the kind of match, and one row
// per file: a check box for every copy that is not the keeper, the "Keep"
// pill on the keeper, a thumbnail for a picture. Selection lives in the scan
// result: a row stands for the first duplicates item with the member's path.

#include "platform/text/Uuid.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

enum class PillVariant { safe, review, danger, ai, neutral };

struct Pill {
    std::string text;
    std::string symbol;
    PillVariant variant = PillVariant::neutral;

    bool operator==(const Pill&) const = default;
};

struct DuplicateMemberContent {
    std::string path;
    std::string fileName;
    std::string sizeText;
    bool isPicture = false;  // its row shows a thumbnail of it
    std::optional<platform::Uuid> itemId;
    bool showsCheckBox = false;  // a copy with an item, never the keeper
    bool isSelected = false;
    std::optional<Pill> keepPill;
    bool dividerAfter = false;
    // What a screen reader says for the row: name, folder, size and whether
    // the clean deletes it ("thesis.pdf, in ~/Documents, 4 KB, kept").
    std::string accessibleName;
    // Its preview button's: the file's name, the whole row's on a keeper (it has no check box).
    std::string previewName;

    bool operator==(const DuplicateMemberContent&) const = default;
};

struct DuplicateGroupContent {
    std::string id;
    std::string countText;
    std::string freeText;
    Pill kindPill;
    std::vector<DuplicateMemberContent> members;

    bool operator==(const DuplicateGroupContent&) const = default;
};

struct DuplicateResults {
    std::string headerText;
    // Which files are never compared: those under the smallest size.
    std::string scopeNote;
    // Said when the walk stopped at its candidate limit: how far it got. Empty otherwise.
    std::string limitNotice;
    std::vector<DuplicateGroupContent> groups;  // empty: the empty state
    std::string emptyTitle;
    std::string emptyMessage;
};

// Folders inside `homeFolder` are named from "~".
[[nodiscard]] DuplicateResults duplicateResults(const viewmodels::ScanViewModel& viewModel,
                                                const std::string& homeFolder = {});
// "~/Documents" for "/home/me/Documents" in the home "/home/me".
[[nodiscard]] std::string folderFromHome(const std::string& folder, const std::string& homeFolder);
[[nodiscard]] Pill duplicateKindPill(model::DuplicateKind kind);

// Select All: every copy of every group is selected and every keeper is not,
// so a clean always leaves one copy of each group.
void selectDuplicateCopies(viewmodels::ScanViewModel& viewModel);
void deselectDuplicates(viewmodels::ScanViewModel& viewModel);

}  // namespace zentrel::ui
