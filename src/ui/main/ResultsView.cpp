#include "ui/main/ResultsView.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/main/DuplicateGroupsResultsView.hpp"
#include "ui/main/EmptyStateCard.hpp"
#include "ui/main/PrivacySweepResultsView.hpp"
#include "ui/main/ResultsListView.hpp"

namespace zentrel::ui {

ResultsView::ResultsView(ItemRowServices services, platform::PreviewPanel* previewPanel,
                         std::optional<ThumbnailServices> thumbnails, QWidget* parent)
    : QWidget(parent), services_(services), previewPanel_(previewPanel), thumbnails_(std::move(thumbnails)) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    auto& viewModel = services_.viewModel;
    observers_.push_back(viewModel.result.observe([this](const auto&) { refresh(false); }));
    // A failure changes what the rows show: they are built again.
    observers_.push_back(viewModel.failedDeletionKeys.observe([this](const auto&) { refresh(true); }));
    refresh(true);
}

void ResultsView::refresh(bool rebuild) {
    auto content = resultsContent(services_.viewModel);
    const bool sameKind = content_ != nullptr && content.kind == kind_;
    if (sameKind && !rebuild) {
        if (auto* list = dynamic_cast<ResultsListView*>(content_)) list->display(std::move(content));
        return;
    }
    // The duplicates and privacy pages follow the result themselves.
    if (sameKind && (kind_ == ResultsKind::duplicates || kind_ == ResultsKind::privacy)) return;
    if (content_ != nullptr) retireWidgets(layout_, std::vector<QWidget*>{content_});
    kind_ = content.kind;
    switch (kind_) {
    case ResultsKind::duplicates:
        content_ = new DuplicateGroupsResultsView(services_.viewModel, previewPanel_, thumbnails_, services_.homeFolder, this);
        break;
    case ResultsKind::privacy: content_ = new PrivacySweepResultsView(services_.viewModel, this); break;
    case ResultsKind::empty:
        content_ = emptyStatePage(QString::fromStdString(content.emptyTitle), QString::fromStdString(content.emptyMessage),
                                  360, this);
        break;
    case ResultsKind::recommended: content_ = new RecommendedResultsView(services_, std::move(content), this); break;
    case ResultsKind::advanced: content_ = new AdvancedResultsView(services_, std::move(content), this); break;
    }
    layout_->addWidget(content_);
}

}  // namespace zentrel::ui
