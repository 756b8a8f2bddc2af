#pragma once
// The duplicates category's results: a card per group of copies, built as
// the list is scrolled, under a header with the group count and the Select
// All and Deselect All buttons; an empty state when no group is left. Select
// All never selects a keeper. The page keeps its pictures' thumbnails while
// it lives.

#include "platform/desktop/PreviewPanel.hpp"
#include "ui/main/DuplicateGroupView.hpp"
#include "ui/main/LazyColumn.hpp"
#include "ui/main/PictureThumbnails.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <string>

namespace zentrel::ui {

class DuplicateGroupsResultsView final : public QWidget {
public:
    // Without `thumbnails` pictures show their file icons.
    DuplicateGroupsResultsView(viewmodels::ScanViewModel& viewModel, platform::PreviewPanel* previewPanel,
                               std::optional<ThumbnailServices> thumbnails = std::nullopt, std::string homeFolder = {},
                               QWidget* parent = nullptr);

    [[nodiscard]] bool isShowingEmptyState() const { return emptyState_ != nullptr; }
    [[nodiscard]] QLabel* headerLabel() const { return header_; }
    [[nodiscard]] QPushButton* selectAllButton() const { return selectAll_; }
    [[nodiscard]] QPushButton* deselectAllButton() const { return deselectAll_; }
    // The group cards built so far.
    [[nodiscard]] const std::vector<DuplicateGroupView*>& groupViews() const { return groups_; }
    [[nodiscard]] LazyColumn* list() const { return list_; }

private:
    void refresh();
    void rebuild(DuplicateResults results);

    viewmodels::ScanViewModel& viewModel_;
    platform::PreviewPanel* previewPanel_;
    std::string homeFolder_;
    std::unique_ptr<PictureThumbnails> thumbnails_;
    QVBoxLayout* layout_ = nullptr;
    QWidget* shown_ = nullptr;
    LazyColumn* list_ = nullptr;
    QWidget* emptyState_ = nullptr;
    QLabel* header_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QPushButton* deselectAll_ = nullptr;
    DuplicateResults results_;
    std::vector<DuplicateGroupView*> groups_;
    platform::Subscription resultObserver_;
};

}  // namespace zentrel::ui
