#include "ui/main/DuplicateGroupsResultsView.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/main/EmptyStateCard.hpp"

#include <QHBoxLayout>

namespace zentrel::ui {
namespace {

// The same groups with the same files: only selections may differ.
bool sameShape(const DuplicateResults& a, const DuplicateResults& b) {
    return std::equal(a.groups.begin(), a.groups.end(), b.groups.begin(), b.groups.end(), [](const auto& x, const auto& y) {
        return x.id == y.id && std::equal(x.members.begin(), x.members.end(), y.members.begin(), y.members.end(),
                                          [](const auto& m, const auto& n) {
                                              return m.path == n.path && m.itemId == n.itemId &&
                                                     m.showsCheckBox == n.showsCheckBox;
                                          });
    });
}

}  // namespace

DuplicateGroupsResultsView::DuplicateGroupsResultsView(viewmodels::ScanViewModel& viewModel,
                                                       platform::PreviewPanel* previewPanel,
                                                       std::optional<ThumbnailServices> thumbnails, std::string homeFolder,
                                                       QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), previewPanel_(previewPanel), homeFolder_(std::move(homeFolder)) {
    if (thumbnails) thumbnails_ = std::make_unique<PictureThumbnails>(std::move(*thumbnails));
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    resultObserver_ = viewModel_.result.observe([this](const auto&) { refresh(); });
    rebuild(duplicateResults(viewModel_, homeFolder_));
}

void DuplicateGroupsResultsView::refresh() {
    auto results = duplicateResults(viewModel_, homeFolder_);
    if (shown_ == nullptr || !sameShape(results, results_)) {
        rebuild(std::move(results));
        return;
    }
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const auto& members = results.groups[g].members;
        const auto& rows = groups_[g]->memberRows();
        for (std::size_t m = 0; m < rows.size() && m < members.size(); ++m) rows[m]->showSelected(members[m]);
    }
    results_ = std::move(results);
}

void DuplicateGroupsResultsView::rebuild(DuplicateResults results) {
    results_ = std::move(results);
    if (shown_ != nullptr) retireWidgets(layout_, std::vector<QWidget*>{shown_});
    groups_.clear();
    list_ = nullptr;
    emptyState_ = nullptr;
    header_ = nullptr;
    selectAll_ = nullptr;
    deselectAll_ = nullptr;

    if (results_.groups.empty()) {
        shown_ = emptyState_ = emptyStatePage(QString::fromStdString(results_.emptyTitle),
                                              QString::fromStdString(results_.emptyMessage), 400, this);
        layout_->addWidget(shown_);
        return;
    }
    shown_ = list_ = new LazyColumn(16, 12, this);
    layout_->addWidget(list_);

    auto* headerRow = new QWidget;
    auto* header = new QHBoxLayout(headerRow);
    header->setContentsMargins(0, 2, 0, 2);
    header_ = tokenLabel(QString::fromStdString(results_.headerText), DesignTokens::bodyFont(),
                         DesignTokens::textSecondary(), headerRow);
    header->addWidget(header_);
    header->addStretch();
    selectAll_ = new QPushButton(localizedText("Select All"), headerRow);
    selectAll_->setFlat(true);
    QObject::connect(selectAll_, &QPushButton::clicked, this, [this] { selectDuplicateCopies(viewModel_); });
    header->addWidget(selectAll_);
    deselectAll_ = new QPushButton(localizedText("Deselect All"), headerRow);
    deselectAll_->setFlat(true);
    QObject::connect(deselectAll_, &QPushButton::clicked, this, [this] { deselectDuplicates(viewModel_); });
    header->addWidget(deselectAll_);
    list_->addFixed(headerRow);
    auto* scope = tokenLabel(QString::fromStdString(results_.scopeNote), DesignTokens::detailFont(),
                             DesignTokens::textSecondary(), list_);
    scope->setWordWrap(true);
    list_->addFixed(scope);
    if (!results_.limitNotice.empty()) {
        auto* notice = tokenLabel(QString::fromStdString(results_.limitNotice), DesignTokens::detailFont(),
                                  DesignTokens::textSecondary(), list_);
        notice->setWordWrap(true);
        list_->addFixed(notice);
    }

    list_->start([this] {
        if (groups_.size() >= results_.groups.size()) return false;
        auto* group = new DuplicateGroupView(viewModel_, previewPanel_, thumbnails_.get(), results_.groups[groups_.size()]);
        groups_.push_back(group);
        list_->append(group);
        return true;
    });
}

}  // namespace zentrel::ui
