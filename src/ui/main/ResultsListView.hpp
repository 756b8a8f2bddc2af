#pragma once
// The list of a scanned category: a header with the item count, Select All
// and Deselect All, then a card per subcategory. `RecommendedResultsView`
// builds the friendly rows, `AdvancedResultsView` the technical ones; both
// build rows as the list is scrolled and keep the built rows in step with
// the items' selection.

#include "ui/main/CleanItemsGroupCard.hpp"
#include "ui/main/ItemRows.hpp"
#include "ui/main/LazyColumn.hpp"
#include "ui/presenters/ResultsPresenter.hpp"

#include <QLabel>
#include <QPushButton>

#include <functional>

namespace zentrel::ui {

class ResultsListView : public QWidget {
public:
    // The same items in the same groups: the rows follow their selection in
    // place; anything else: the list is built again.
    void display(ResultsContent content);

    [[nodiscard]] QLabel* headerLabel() const { return header_; }
    [[nodiscard]] QPushButton* selectAllButton() const { return selectAll_; }
    [[nodiscard]] QPushButton* deselectAllButton() const { return deselectAll_; }
    [[nodiscard]] const std::vector<CleanItemsGroupCard*>& groupCards() const { return cards_; }
    // The rows built so far, in list order.
    [[nodiscard]] const std::vector<ItemRowBase*>& rows() const { return rows_; }
    [[nodiscard]] LazyColumn* list() const { return list_; }

protected:
    using RowFactory = std::function<ItemRowBase*(const model::CleanItem& item, QWidget* parent)>;
    ResultsListView(viewmodels::ScanViewModel& viewModel, RowFactory makeRow, ResultsContent content, QWidget* parent);

private:
    void rebuild();
    bool buildNextRow();

    viewmodels::ScanViewModel& viewModel_;
    RowFactory makeRow_;
    ResultsContent content_;
    LazyColumn* list_ = nullptr;
    QWidget* headerRow_ = nullptr;
    QLabel* header_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QPushButton* deselectAll_ = nullptr;
    std::vector<CleanItemsGroupCard*> cards_;
    std::vector<ItemRowBase*> rows_;
    std::size_t group_ = 0;
    std::size_t item_ = 0;
};

class RecommendedResultsView final : public ResultsListView {
public:
    RecommendedResultsView(ItemRowServices services, ResultsContent content, QWidget* parent = nullptr);
};

class AdvancedResultsView final : public ResultsListView {
public:
    AdvancedResultsView(ItemRowServices services, ResultsContent content, QWidget* parent = nullptr);
};

}  // namespace zentrel::ui
