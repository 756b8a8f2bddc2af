#include "ui/main/ResultsListView.hpp"

#include "ui/design/DesignLabels.hpp"

#include <QHBoxLayout>

namespace zentrel::ui {
namespace {

bool sameShape(const ResultsContent& a, const ResultsContent& b) {
    return a.headerText == b.headerText &&
           std::equal(a.groups.begin(), a.groups.end(), b.groups.begin(), b.groups.end(), [](const auto& x, const auto& y) {
               return x.title == y.title && std::equal(x.items.begin(), x.items.end(), y.items.begin(), y.items.end(),
                                                       [](const auto& m, const auto& n) { return m.id == n.id; });
           });
}

QPushButton* headerButton(const std::string& title, QWidget* parent, std::function<void()> action) {
    auto* button = new QPushButton(QString::fromStdString(title), parent);
    button->setFlat(true);
    QObject::connect(button, &QPushButton::clicked, parent, std::move(action));
    return button;
}

}  // namespace

ResultsListView::ResultsListView(viewmodels::ScanViewModel& viewModel, RowFactory makeRow, ResultsContent content,
                                 QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), makeRow_(std::move(makeRow)), content_(std::move(content)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    list_ = new LazyColumn(16, 12, this);
    layout->addWidget(list_);
    if (content_.headerText) {
        headerRow_ = new QWidget;
        auto* header = new QHBoxLayout(headerRow_);
        header->setContentsMargins(0, 2, 0, 2);
        header_ = tokenLabel(QString::fromStdString(*content_.headerText), DesignTokens::bodyFont(),
                             DesignTokens::textSecondary(), headerRow_);
        header->addWidget(header_);
        header->addStretch();
        selectAll_ = headerButton(content_.selectAllTitle, headerRow_, [this] { selectAllShown(viewModel_); });
        header->addWidget(selectAll_);
        deselectAll_ = headerButton(content_.deselectAllTitle, headerRow_, [this] { deselectAllShown(viewModel_); });
        header->addWidget(deselectAll_);
        list_->addFixed(headerRow_);
    }
    rebuild();
}

void ResultsListView::display(ResultsContent content) {
    if (!sameShape(content, content_)) {
        content_ = std::move(content);
        if (header_ != nullptr && content_.headerText) header_->setText(QString::fromStdString(*content_.headerText));
        rebuild();
        return;
    }
    content_ = std::move(content);
    std::size_t row = 0;
    for (const auto& group : content_.groups) {
        for (const auto& item : group.items) {
            if (row >= rows_.size()) return;
            rows_[row++]->showSelected(item.isSelected);
        }
    }
}

void ResultsListView::rebuild() {
    cards_.clear();
    rows_.clear();
    group_ = 0;
    item_ = 0;
    list_->start([this] { return buildNextRow(); });
}

bool ResultsListView::buildNextRow() {
    while (group_ < content_.groups.size() && item_ >= content_.groups[group_].items.size()) {
        ++group_;
        item_ = 0;
    }
    if (group_ >= content_.groups.size()) return false;
    const auto& group = content_.groups[group_];
    if (item_ == 0) {
        auto* card = new CleanItemsGroupCard(group.title ? std::optional(QString::fromStdString(*group.title)) : std::nullopt);
        cards_.push_back(card);
        list_->append(card);
    }
    auto* card = cards_.back();
    auto* row = makeRow_(group.items[item_++], card->rowParent());
    card->addRow(row);
    rows_.push_back(row);
    return true;
}

RecommendedResultsView::RecommendedResultsView(ItemRowServices services, ResultsContent content, QWidget* parent)
    : ResultsListView(
          services.viewModel,
          [services](const model::CleanItem& item, QWidget* rowParent) -> ItemRowBase* {
              return new FriendlyItemRow(services, item, rowParent);
          },
          std::move(content), parent) {}

AdvancedResultsView::AdvancedResultsView(ItemRowServices services, ResultsContent content, QWidget* parent)
    : ResultsListView(
          services.viewModel,
          [services](const model::CleanItem& item, QWidget* rowParent) -> ItemRowBase* {
              return new ItemRow(services, item, rowParent);
          },
          std::move(content), parent) {}

}  // namespace zentrel::ui
